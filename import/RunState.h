#pragma once
// The state of one full import run that the layouts read and fill.
#include "CurrentLine.h"
#include "ProductRow.h"
#include "RegionalSettings.h"

#include <QStringList>

struct RunState {
    ProductRow row;
    int FailedCount = 0;
    bool KeepSourceBarcode = false;  // type 1: answered Yes to the barcode question
    QStringList BarcodeListFile;     // type 11: the lines of the barcode file
    CurrentLine& line;               // shared with the text preview
    RegionalSettings settings;
};
