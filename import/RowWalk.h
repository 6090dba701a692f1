#pragma once
// The loaded rows walked as the full import walks them, through the same steps, but with
// nothing sent anywhere: what the preview prints and the type detection judges.
#include "CurrentLine.h"
#include "ProductRow.h"
#include "RegionalSettings.h"
#include "RunState.h"
#include "TextLines.h"

#include <QString>
#include <QStringList>

class ImportViews;

// What the run would make of one row.
struct RowOutcome {
    int rowNumber = 0;   // SourceRowNumber: the sheet's row, the file's line
    bool failed = false;
    QString message;     // the error's message, as the error log has it, when failed
    ProductRow row;      // the row as it stood at the end (when it failed, at the failure)
    QStringList values;  // the insert's 22 values as written, quotes taken off; empty when failed
};

// The answers a run gets before its loop.
struct RowWalkSettings {
    int sourceType = -1;
    bool keepSourceBarcode = false; // type 1's question
    TextLines barcodeList;          // type 11's barcode file
    RegionalSettings settings;
    QString registrationDate;       // the date the statements carry
};

// The indexes of the insert's values, in the order of its column list.
enum InsertValue : int {
    ValueCodigo = 0, ValueCodbarra = 1, ValueProduto = 2, ValueUnidade = 3,
    ValuePrecocusto = 5, ValuePrecovenda = 6, ValueEstoque = 7, ValueNcm = 8,
};

class RowWalk {
public:
    // Stands the views where the run starts (grid row 1, list index 0); raises as the run
    // does when the grid has no row 1.
    RowWalk(ImportViews& views, const RowWalkSettings& settings);
    RowWalk(const RowWalk&) = delete;
    RowWalk& operator=(const RowWalk&) = delete;

    // Rows are grid rows or list indexes: the run tries first() up to end() - 1.
    int first() const;
    int end() const;
    // Where the views stand after the last row built (type 6 moves from line 0 to 1).
    int position() const;

    // The row at position through the run's steps. The row carries over from the row built
    // before, as in the run (the default barcode comes from the previous code).
    RowOutcome build(int position);

private:
    ImportViews& m_views;
    RowWalkSettings m_settings;
    bool m_sheet;
    CurrentLine m_line;
    RunState m_state;
};

// The values of an insert's values line, in order, string quotes taken off.
QStringList InsertValues(const QStringList& insertLines);
