#pragma once
// The small parts of a workbook: relationships, the workbook part, styles and shared strings.
#include "CellText.h"
#include "Package.h"

#include <QString>
#include <QStringList>

#include <string>
#include <vector>

namespace xlsx {

struct Relationship {
    QString id;
    QString type;   // the full relationship type URI
    QString target; // resolved to a part name ("xl/worksheets/sheet1.xml")
};

// True when the relationship type URI ends in "/" + kind ("worksheet", "styles", ...), so
// transitional and strict workbooks read alike.
bool hasType(const Relationship& relationship, QStringView kind);

// The relationships of a part ("xl/workbook.xml" -> "xl/_rels/workbook.xml.rels"); external
// targets are left out. A part without a relationships part has none.
std::vector<Relationship> readRelationships(const Package& package, const QString& partName);
// The main workbook part named by the package relationships, or the usual "xl/workbook.xml";
// raises Error when the package has no such part, being no workbook at all.
QString findWorkbookPart(const Package& package);

struct WorkbookInfo {
    QStringList sheetIds; // relationship ids of the sheets, in workbook order
    bool date1904 = false;
};
WorkbookInfo readWorkbook(const Package& package, const QString& partName);

// What the number format of each cell format (cellXfs, by index) says about a value.
std::vector<celltext::FormatKind> readCellFormats(const Package& package, const QString& partName);

// What is left of the memory the texts of one load may take (Limits::textTotalBytes).
class TextBudget {
public:
    explicit TextBudget(quint64 bytes) : m_limit(bytes) {}
    // Takes the text's memory from the budget; raises Error when that is more than is left.
    void charge(const QString& text);

private:
    quint64 m_limit;
    quint64 m_used = 0;
};

// No more items than a sheet can have cells; an empty item costs a QString all the same.
constexpr size_t kMaxSharedStrings = size_t(1) << 25;
// Raises Error past kMaxSharedStrings items, for an item longer than kMaxTextBytes, or when
// the items take more than the budget.
std::vector<QString> readSharedStrings(const Package& package, const QString& partName, TextBudget& budget);

// Collects the text of a string item (<si> or <is>): plain <t>, or the <t> of every rich
// text run, leaving out phonetic runs (<rPh>).
class RichText {
public:
    void begin();
    void startElement(std::string_view name);
    void endElement(std::string_view name);
    // False, keeping nothing more, when the text would grow past kMaxTextBytes.
    bool characters(std::string_view text);
    QString take();

private:
    std::string m_utf8;
    int m_phoneticDepth = 0;
    bool m_inText = false;
};

// Workbook strings escape characters XML cannot carry as _xHHHH_ ("_x000D_" is CR, and
// "_x005F_" a literal underscore that protects a following "_x").
QString decodeEscapes(QString text);

} // namespace xlsx
