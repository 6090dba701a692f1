#include "ImportCommand.h"

#include "ConsoleDialogs.h"
#include "ProgressLine.h"

#include "CurrentLine.h"
#include "DatabaseConnection.h"
#include "ErrorLog.h"
#include "FullImportRun.h"
#include "LoadSpreadsheet.h"
#include "PlainViews.h"
#include "SourceFile.h"
#include "SourceTypes.h"
#include "SqlQuery.h"
#include "TextFile.h"

#include <QCoreApplication>
#include <QElapsedTimer>
#include <QFileInfo>

#include <cstdio>

namespace {

// A rehearsal lists this many of the rows that would fail; the log holds them all.
constexpr int FailuresShown = 20;

// The window's rule: the extension, case included, picks the kind of source.
void loadSource(PlainViews& views, const QString& fileName, const RegionalSettings& settings)
{
    const SourceKind kind = SourceKindOf(fileName);
    if (const SourceKindDescriptor* loaded = FindSourceKind(kind))
        views.mode = loaded->mode;
    switch (kind) {
    case SourceKind::Spreadsheet:
        LoadSpreadsheet(views.gridData, fileName, settings);
        break;
    case SourceKind::Text:
        views.lineData = ReadTextFileLines(fileName);
        break;
    case SourceKind::None:
        throw Error(QCoreApplication::translate("ImportCommand", "\"%1\" is neither a spreadsheet "
                                                "(.xls, .XLS, .xlsx) nor a text file (.txt, .TXT)")
                        .arg(fileName));
    }
}

// The barcode list is read by the run after the wipe; a missing file is better told before
// the database is touched at all.
void checkBarcodeFile(const CliOptions& options)
{
    const SourceTypeDescriptor* type = FindSourceType(options.sourceType);
    if (options.barcodeFile.isEmpty() || !type || type->question != TypeQuestion::BarcodeListFile)
        return;
    const QFileInfo file(options.barcodeFile);
    if (!file.isFile() || !file.isReadable())
        throw Error(QCoreApplication::translate("ImportCommand", "cannot read the barcode file \"%1\"")
                        .arg(options.barcodeFile));
}

void connect(DatabaseConnection& connection, const AppSettings& settings)
{
    ApplyConnectionSettings(connection, settings);
    connection.setConnected(true);
}

QString summary(const CliOptions& options, const RunResult& result, double seconds)
{
    QString text;
    if (options.dryRun)
        text += QCoreApplication::translate("ImportCommand", "Dry run: everything was rolled back, "
                                                             "the database is unchanged.\n");
    text += QCoreApplication::translate("ImportCommand", "Rows read: %1\nRows imported: %2\n"
                                                         "Rows failed: %3\nSeconds: %4\nError log: %5\n")
                .arg(result.rows)
                .arg(result.rows - result.failed)
                .arg(result.failed)
                .arg(seconds, 0, 'f', 2)
                .arg(QFileInfo(options.log).absoluteFilePath());
    return text;
}

QString failuresList(const QStringList& errorLines)
{
    QString text = QCoreApplication::translate("ImportCommand", "Rows that would fail:\n");
    for (int i = 0; i < errorLines.size() && i < FailuresShown; ++i) {
        QString line = errorLines[i];
        line.replace(u'\r', u' '); // database messages break their lines with CRs
        text += QStringLiteral("  ") + line.simplified() + u'\n';
    }
    if (errorLines.size() > FailuresShown)
        text += QCoreApplication::translate("ImportCommand", "  ... and %1 more in the log\n")
                    .arg(errorLines.size() - FailuresShown);
    return text;
}

// A database without PRODUTOS keeps its rows; the products are added to them.
void warnNotEmptied(const CliOptions& options, const RunResult& result)
{
    if (result.notEmptied.isEmpty())
        return;
    QString reason = result.notEmptied;
    reason.replace(u'\r', u' ');
    const QString warning =
        options.dryRun
            ? QCoreApplication::translate("ImportCommand",
                                          "warning: the product table would not be emptied, because "
                                          "the database has no PRODUTOS to empty (%1); the imported "
                                          "products would be added to the rows already there")
            : QCoreApplication::translate("ImportCommand",
                                          "warning: the product table was not emptied, because the "
                                          "database has no PRODUTOS to empty (%1); the imported "
                                          "products were added to the rows already there");
    printText(stderr, QStringLiteral("converter-banco-import: ") + warning.arg(reason.simplified())
                          + u'\n');
}

struct Session {
    DatabaseConnection eConexao;
    SqlQuery qrproduto{eConexao};
    SqlQuery query2{eConexao};
    CurrentLine line;
};

} // namespace

void printText(std::FILE* to, const QString& text)
{
    std::fputs(text.toLocal8Bit().constData(), to);
    std::fflush(to);
}

ExitCode runImportCommand(const CliOptions& options)
{
    QElapsedTimer clock;
    clock.start();
    const RegionalSettings settings = RegionalSettings::system();
    // Before anything is read or touched: the log must never replace a file the run uses.
    RefuseLogOver(options.log,
                  RunFilesOf(options.connection.database, options.source, options.barcodeFile));
    PlainViews views;
    views.type = options.sourceType;
    loadSource(views, options.source, settings);
    checkBarcodeFile(options);

    Session s;
    connect(s.eConexao, options.connection);
    s.qrproduto.AutoCommit = false;
    s.query2.AutoCommit = false;

    ConsoleDialogs dialogs(true, options.keepSourceBarcode);
    dialogs.setOpenFileName(options.barcodeFile);
    dialogs.setSaveFileName(options.log);
    ProgressLine progress(stderr, !options.quiet);

    RunResult result;
    ImportContext context{views, dialogs, s.eConexao, s.qrproduto, s.query2, s.line, settings};
    context.result = &result;
    context.rollBackAtEnd = options.dryRun;
    context.sourceFile = options.source;
    context.progress = [&progress](int done, int total) { progress.update(done, total); };
    try {
        RunFullImport(context);
    } catch (...) {
        progress.finish();
        if (result.ended) // committed (or rolled back), and then the log failed
            printText(stdout, summary(options, result, clock.elapsed() / 1000.0));
        throw;
    }
    progress.finish();
    if (!result.finished)
        throw Error(QCoreApplication::translate("ImportCommand", "the import did not run"));
    warnNotEmptied(options, result);
    if (options.dryRun && result.failed > 0)
        printText(stdout, failuresList(views.errorLines()));
    printText(stdout, summary(options, result, clock.elapsed() / 1000.0));
    if (result.nothingImported) {
        printText(stderr, QStringLiteral("converter-banco-import: ")
                              + QCoreApplication::translate("ImportCommand",
                                                            "every row failed, so nothing was imported "
                                                            "and the database was not changed")
                              + u'\n');
        return Failure;
    }
    return result.failed > 0 ? SomeRowsFailed : AllImported;
}
