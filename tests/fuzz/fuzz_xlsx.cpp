// libFuzzer entry for the .xlsx reader. Input that starts with "PK" is the workbook file
// itself. Anything else is the XML of its parts, separated by 0x01 bytes, in this order: the
// sheet, the shared strings, the workbook, the styles; the harness packs them with fixed
// relationships into an uncompressed zip, so mutations reach the XML parsing. Only the
// reader's own Error may come out.
#include "FuzzSupport.h"
#include "RegionalSettings.h"
#include "StoredZip.h"
#include "TextGrid.h"
#include "XlsxReader.h"
#include "platform/Error.h"

#include <QByteArrayView>

namespace {

const char* const kContentTypes =
    R"(<?xml version="1.0" encoding="UTF-8"?><Types xmlns="http://schemas.openxmlformats.org/package/2006/content-types">)"
    R"(<Default Extension="rels" ContentType="application/vnd.openxmlformats-package.relationships+xml"/>)"
    R"(<Default Extension="xml" ContentType="application/xml"/>)"
    R"(<Override PartName="/xl/workbook.xml" ContentType="application/vnd.openxmlformats-officedocument.spreadsheetml.sheet.main+xml"/>)"
    R"(</Types>)";
const char* const kRootRels =
    R"(<?xml version="1.0" encoding="UTF-8"?><Relationships xmlns="http://schemas.openxmlformats.org/package/2006/relationships">)"
    R"(<Relationship Id="rId1" Type="http://schemas.openxmlformats.org/officeDocument/2006/relationships/officeDocument" Target="xl/workbook.xml"/>)"
    R"(</Relationships>)";
// Only the parts the input has are related: a relationship to a missing part is an error
// of its own, which would stop every input before its sheet.
QByteArray workbookRels(bool sharedStrings, bool styles)
{
    const QByteArray type = "http://schemas.openxmlformats.org/officeDocument/2006/relationships/";
    QByteArray rels = R"(<?xml version="1.0" encoding="UTF-8"?><Relationships xmlns="http://schemas.openxmlformats.org/package/2006/relationships">)"
                      R"(<Relationship Id="rId1" Type=")" + type + R"(worksheet" Target="worksheets/sheet1.xml"/>)";
    if (sharedStrings)
        rels += R"(<Relationship Id="rId2" Type=")" + type + R"(sharedStrings" Target="sharedStrings.xml"/>)";
    if (styles)
        rels += R"(<Relationship Id="rId3" Type=")" + type + R"(styles" Target="styles.xml"/>)";
    return rels + "</Relationships>";
}
const char* const kWorkbook =
    R"(<?xml version="1.0" encoding="UTF-8"?><workbook xmlns="http://schemas.openxmlformats.org/spreadsheetml/2006/main" )"
    R"(xmlns:r="http://schemas.openxmlformats.org/officeDocument/2006/relationships"><sheets>)"
    R"(<sheet name="Sheet1" sheetId="1" r:id="rId1"/></sheets></workbook>)";

QByteArray workbookFromParts(QByteArrayView input)
{
    const QList<QByteArray> parts = input.toByteArray().split('\x01');
    const auto part = [&](int i) { return i < parts.size() ? parts.at(i) : QByteArray(); };
    std::vector<std::pair<QString, QByteArray>> members{
        {QStringLiteral("[Content_Types].xml"), kContentTypes},
        {QStringLiteral("_rels/.rels"), kRootRels},
        {QStringLiteral("xl/_rels/workbook.xml.rels"), workbookRels(!part(1).isEmpty(), !part(3).isEmpty())},
        {QStringLiteral("xl/workbook.xml"), parts.size() > 2 && !part(2).isEmpty() ? part(2) : QByteArray(kWorkbook)},
        {QStringLiteral("xl/worksheets/sheet1.xml"), part(0)},
    };
    // An empty part stands for one the workbook does not have.
    if (!part(1).isEmpty())
        members.emplace_back(QStringLiteral("xl/sharedStrings.xml"), part(1));
    if (!part(3).isEmpty())
        members.emplace_back(QStringLiteral("xl/styles.xml"), part(3));
    return fuzz::storedZip(members);
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size)
{
    static const RegionalSettings settings = RegionalSettings::brazil();
    const QByteArrayView input(data, qsizetype(size));
    const QByteArray zip = input.startsWith("PK") ? input.toByteArray() : workbookFromParts(input);
    const fuzz::MemoryFile file(reinterpret_cast<const uint8_t*>(zip.constData()), size_t(zip.size()));
    TextGrid grid;
    try {
        LoadXlsx(grid, file.path(), settings);
        fuzz::note(QStringLiteral("loaded %1 x %2").arg(grid.RowCount()).arg(grid.ColCount()));
    } catch (const Error& e) {
        fuzz::note(QStringLiteral("error: ") + e.message());
    }
    return 0;
}
