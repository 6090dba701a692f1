#pragma once
// One source row through the run's own steps, up to the statement: the row defaults, the
// layout of the chosen type, the completion and the statement's values. The full import
// inserts what these give; the preview and the type detection show and judge the same,
// without a database.
#include "ProductRow.h"

#include <QString>
#include <QStringList>

#include <exception>

class ImportViews;
struct RunState;

// The product table the run fills (and the backup keeps).
inline const QString ProductTable = QStringLiteral("c000025");

// The current grid row: the sheet defaults, then the sheet layout of sourceType.
void BuildSheetRow(int sourceType, const ImportViews& views, RunState& state);

// The line at the list index becomes the current line; the text defaults, the line number
// as the code, then the text layout of sourceType (which may move the index, type 6).
void BuildTextRow(int sourceType, ImportViews& views, RunState& state);

// Completes the row and gives the insert's lines, checked as they would be sent. Raises
// what the values raise (a bare value that is not a plain number, say).
QStringList CompletedRowStatement(ProductRow& row, const QString& registrationDate);

// The 1-based number of the row the views stand on, as a person finds it in the source:
// the sheet's row number for a spreadsheet, the line number for a text file.
int SourceRowNumber(const ImportViews& views);

// The error log's line for a row that failed: "Nome: " name "|Código: " code "|Erro: "
// message, with the name and code the row held when it failed.
QString FailedRowLine(const ProductRow& row, const QString& message);
