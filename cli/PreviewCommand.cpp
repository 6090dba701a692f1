#include "PreviewCommand.h"

#include "ErrorLog.h"
#include "LocalClock.h"
#include "PlainViews.h"
#include "ProductRow.h"
#include "RowPipeline.h"
#include "RowWalk.h"
#include "SourceTypes.h"
#include "TextFile.h"

#include <QCoreApplication>

#include <algorithm>
#include <array>
#include <vector>

namespace {

// The columns a person checks first, as the insert writes them.
struct Column {
    const char* title;
    int value;
};
constexpr std::array<Column, 8> Columns{{{QT_TRANSLATE_NOOP("PreviewCommand", "Code"), ValueCodigo},
                                          {QT_TRANSLATE_NOOP("PreviewCommand", "Barcode"), ValueCodbarra},
                                          {QT_TRANSLATE_NOOP("PreviewCommand", "Name"), ValueProduto},
                                          {QT_TRANSLATE_NOOP("PreviewCommand", "Unit"), ValueUnidade},
                                          {QT_TRANSLATE_NOOP("PreviewCommand", "Cost"), ValuePrecocusto},
                                          {QT_TRANSLATE_NOOP("PreviewCommand", "Sale"), ValuePrecovenda},
                                          {QT_TRANSLATE_NOOP("PreviewCommand", "Stock"), ValueEstoque},
                                          {QT_TRANSLATE_NOOP("PreviewCommand", "NCM"), ValueNcm}}};

QString title(std::size_t column)
{
    return QCoreApplication::translate("PreviewCommand", Columns[column].title);
}

RowWalkSettings walkSettings(const CliOptions& options, const RegionalSettings& settings)
{
    RowWalkSettings s;
    s.sourceType = options.sourceType;
    s.keepSourceBarcode = options.keepSourceBarcode;
    const SourceTypeDescriptor* type = FindSourceType(options.sourceType);
    if (type && type->question == TypeQuestion::BarcodeListFile)
        s.barcodeList = ReadTextFileLines(options.barcodeFile);
    s.settings = settings;
    LocalClock clock;
    s.registrationDate = RegistrationDate(clock.now(), settings);
    return s;
}

QString oneLine(QString text)
{
    text.replace(u'\r', u' '); // database messages break their lines with CRs
    return text.simplified();
}

// One line per product, the columns as wide as their widest value.
QString productTable(const std::vector<RowOutcome>& rows)
{
    std::array<qsizetype, Columns.size()> widths{};
    qsizetype rowWidth = QCoreApplication::translate("PreviewCommand", "Row").size();
    for (std::size_t c = 0; c < Columns.size(); ++c)
        widths[c] = title(c).size();
    for (const RowOutcome& r : rows) {
        rowWidth = std::max(rowWidth, QString::number(r.rowNumber).size());
        for (std::size_t c = 0; c < Columns.size(); ++c)
            widths[c] = std::max(widths[c], r.values.value(Columns[c].value).size());
    }
    auto line = [&](const QString& row, auto cell) {
        QString text = row.rightJustified(rowWidth);
        for (std::size_t c = 0; c < Columns.size(); ++c)
            text += QStringLiteral("  ") + cell(c).leftJustified(c + 1 < Columns.size() ? widths[c] : 0);
        return text + u'\n';
    };
    QString text = line(QCoreApplication::translate("PreviewCommand", "Row"), [](std::size_t c) { return title(c); });
    for (const RowOutcome& r : rows)
        text += line(QString::number(r.rowNumber), [&](std::size_t c) { return r.values.value(Columns[c].value); });
    return text;
}

QString heading(const CliOptions& options, int shown, int total)
{
    return QCoreApplication::translate("PreviewCommand", "Source type %1 (%2): %3 of %4 rows as the import would write "
                                                        "them; nothing was sent to a database.\n")
        .arg(options.sourceType)
        .arg(SourceTypeNames().value(options.sourceType))
        .arg(shown)
        .arg(total);
}

} // namespace

ExitCode runPreviewCommand(const CliOptions& options)
{
    const RegionalSettings settings = RegionalSettings::system();
    PlainViews views;
    views.type = options.sourceType;
    loadSource(views, options.source, settings);
    const RowWalkSettings walkWith = walkSettings(options, settings);

    RowWalk walk(views, walkWith);
    std::vector<RowOutcome> products;
    std::vector<RowOutcome> failures;
    int tried = 0;
    for (int at = walk.first(); at < walk.end() && tried < options.tools.preview; at = walk.position() + 1) {
        RowOutcome r = walk.build(at);
        ++tried;
        (r.failed ? failures : products).push_back(std::move(r));
    }
    QString text = heading(options, tried, std::max(0, walk.end() - walk.first()));
    if (!products.empty())
        text += productTable(products);
    if (!failures.empty()) {
        text += QCoreApplication::translate("PreviewCommand", "Rows that would fail:\n");
        for (const RowOutcome& r : failures)
            text += QCoreApplication::translate("PreviewCommand", "  row %1: ").arg(r.rowNumber) + oneLine(BoundedLogLine(FailedRowLine(r.row, r.message))) + u'\n';
    }
    text += QCoreApplication::translate("PreviewCommand", "The database's own checks (a value wider than its column, a "
                                                        "key taken) are not part of the preview; --dry-run "
                                                        "tries the rows against it.\n");
    printText(stdout, text);
    return failures.empty() ? AllImported : SomeRowsFailed;
}
