#pragma once
// Which view a chosen source file loads into, by its extension alone.
#include <QString>

enum class SourceKind { None, Spreadsheet, Text };

// From the last "." to the end, the dot included; empty when no "." follows the last path
// separator ("/" or "\").
QString FileExtension(const QString& fileName);

// ".XLS", ".xls", ".xlsx" are spreadsheets and ".TXT", ".txt" text, compared exactly:
// ".XLSX" or ".Txt" load nothing.
SourceKind SourceKindOf(const QString& fileName);
