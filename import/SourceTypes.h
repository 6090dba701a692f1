#pragma once
// What a source type is, in one place. The fourteen systems an export can come from, in the
// order of the window's type box (a type's number is its item's index), each described once:
// its name, the kind of file its layout reads, the layout itself, the question the run asks
// for it, and its preview. The run, the command's options, the preview and the window read
// these descriptors; none of them names a type by its number. A new source type is one more
// descriptor in SourceTypes.cpp and one more row in the tests' table of types.
#include "LayoutSteps.h"
#include "SourceFile.h"

#include <QString>
#include <QStringList>

#include <optional>
#include <vector>

// What the run asks before its loop, and the command answers with an option.
enum class TypeQuestion {
    None,
    KeepSourceBarcode, // "import the file's own barcodes?" (--keep-source-barcode)
    BarcodeListFile,   // a second file with the barcodes, opened by the user (--barcode-file,
                       // which the command then requires)
};

// How a text layout cuts its line.
enum class LineSplit {
    None,       // fixed windows of the current line
    Bars,       // fifteen "|"-separated fields of the list line, the first line skipped
    Semicolons, // ";"-separated fields of the current line
};

// The grid columns (0-based) a sheet row's preview shows in Label1 to Label7; -1 shows the
// caption alone. codeRight > 0 shows only that many last characters of the code.
struct GridPreviewColumns {
    int name, code, cost, sale, stock, unit, minStock;
    int codeRight = 0;
};

struct SourceTypeDescriptor {
    int number;
    QString name;     // the type box's item
    SourceKind kind;  // the kind of file its layout reads
    LineSplit split;  // text layouts only
    std::vector<layout::Step> layout;
    TypeQuestion question;
    std::optional<GridPreviewColumns> preview; // sheet types with a grid preview
};

// The two kinds of source file: the text SourceMode holds once one is loaded ("Excel",
// "Texto", as the run and the window have always compared it), and the CSOSN a row starts
// with, which follows the file loaded, not the type chosen.
struct SourceKindDescriptor {
    SourceKind kind;
    QString mode;
    QString defaultCsosn;
};

// Every type, index = number.
const std::vector<SourceTypeDescriptor>& SourceTypes();
int SourceTypeCount();
// The descriptor of a number; null for a number outside the box (-1: nothing chosen).
const SourceTypeDescriptor* FindSourceType(int number);
// The first type that asks the question; null when none does.
const SourceTypeDescriptor* SourceTypeAsking(TypeQuestion question);

// The items of the type box, index 0 to SourceTypeCount() - 1.
const QStringList& SourceTypeNames();
// A source type from its number ("0" to "13") or an item text, case ignored and surrounding
// blanks dropped; -1 when the text is neither.
int SourceTypeFromText(const QString& text);

// Spreadsheet and Text; null for SourceKind::None or a mode text that names no kind.
const SourceKindDescriptor* FindSourceKind(SourceKind kind);
const SourceKindDescriptor* SourceKindOfMode(const QString& mode);
