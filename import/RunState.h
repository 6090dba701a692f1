#pragma once
// The state of one full import run that the layouts read and fill.
#include "CurrentLine.h"
#include "ProductRow.h"
#include "RegionalSettings.h"
#include "TextLines.h"

struct RunState {
    ProductRow row;
    int FailedCount = 0;
    bool KeepSourceBarcode = false;  // TypeQuestion::KeepSourceBarcode answered Yes
    TextLines BarcodeListFile;       // TypeQuestion::BarcodeListFile: the lines of that file
    CurrentLine& line;               // shared with the text preview
    RegionalSettings settings;
};
