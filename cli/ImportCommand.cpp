#include "ImportCommand.h"

#include "PreparedInserts.h"

#include "ConsoleDialogs.h"
#include "platform/InterruptSignals.h"
#include "ProgressLine.h"
#include "TestPause.h"
#include "RunExtras.h"

#include "ClientLibrary.h"
#include "CurrentLine.h"
#include "DatabaseConnection.h"
#include "DefaultTransaction.h"
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

#include <memory>

#include <cstdio>

namespace {

// A rehearsal lists this many of the rows that would fail; the log holds them all.
constexpr int FailuresShown = 20;

} // namespace

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

namespace {

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

// The client library puts its own SIGINT and SIGTERM handlers in place at its first attach;
// the command's go back over them before and after the attach, and are checked.
void connect(DatabaseConnection& connection, const AppSettings& settings, InterruptSignals& interrupts,
             TestPause& pause)
{
    ApplyConnectionSettings(connection, settings);
    ClientLibrary::acquire(settings.clientLibrary).settleFirstAttach();
    interrupts.reinstall();
    pause.at("connect");
    connection.setConnected(true);
    if (!interrupts.reinstall())
        throw Error(QCoreApplication::translate("ImportCommand", "the command could not take over SIGINT, "
                                                                  "SIGTERM and SIGHUP"));
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

// The rows of a prepared block. CB_TEST_BLOCK_ROWS (2 to the most a block takes) lets a
// test fill blocks with the few rows of a fixture, and the bench try other sizes.
int preparedBlockRows(const DatabaseConnection& connection)
{
    bool ok = false;
    const int rows = qEnvironmentVariableIntValue("CB_TEST_BLOCK_ROWS", &ok);
    if (ok && rows >= 2 && rows <= PreparedInserts::MostRows)
        return rows;
    return connection.throughServer() ? PreparedInserts::RowsFar : PreparedInserts::RowsNear;
}

struct Session {
    DatabaseConnection eConexao;
    SqlQuery qrproduto{eConexao};
    SqlQuery query2{eConexao};
    SqlQuery batch{eConexao}; // the inserts many at a time
    std::optional<PreparedInserts> prepared; // once the connection knows where the database is
    CurrentLine line;
};

} // namespace

void connectTo(DatabaseConnection& connection, const AppSettings& settings)
{
    ApplyConnectionSettings(connection, settings);
    connection.setConnected(true);
}

void printText(std::FILE* to, const QString& text)
{
    std::fputs(text.toLocal8Bit().constData(), to);
    std::fflush(to);
}

namespace {

// The run's hooks into the command: progress, the stop asked by a signal, the pauses of tests.
void wireContext(ImportContext& context, const CliOptions& options, InterruptSignals& interrupts,
                 TestPause& pause, ProgressLine& progress)
{
    context.rollBackAtEnd = options.dryRun;
    context.wipeWaitSeconds = options.waitSeconds;
    context.progress = [&progress, &pause](int done, int total) {
        progress.update(done, total);
        if (done > 0 && done < total)
            pause.at("rows");
    };
    context.stopRequested = [&interrupts, &pause] {
        pause.at("wipe"); // the first question comes before the wipe
        return interrupts.stopSignal() != 0;
    };
}

// A stopped run has rolled back; the rollback is repeated (it costs nothing when done) so
// that the line printed is true whatever path the stop took.
int interrupted(Session& s, int signal)
{
    s.eConexao.rollbackQuietly();
    printText(stderr, InterruptSignals::interruptedLine(signal) + u'\n');
    return InterruptSignals::exitStatus(signal);
}

// The session's statements, the pause before the commit, and the cancel a signal asks for.
void prepareSession(Session& s, const CliOptions& options, InterruptSignals& interrupts,
                    TestPause& pause)
{
    connect(s.eConexao, options.connection, interrupts, pause);
    s.qrproduto.AutoCommit = false;
    s.query2.AutoCommit = false;
    DefaultTransaction& work = s.eConexao.defaultTransaction();
    work.onCommitBegun = [&pause] { pause.at("commit"); };
    interrupts.guard([&work] { return work.cancel(); });
}

void printLateSignal(const InterruptSignals& interrupts)
{
    if (interrupts.lateSignal())
        printText(stderr, InterruptSignals::lateLine(interrupts.lateSignal()) + u'\n');
}

// What the command says of a run that ended: the summary, the report, and its exit status.
struct RunEnd {
    const CliOptions& options;
    const RunResult& result;
    RunExtras& extras;
    const InterruptSignals& interrupts;
    const QElapsedTimer& clock;

    void printSummary() const
    {
        printText(stdout, summary(options, result, clock.elapsed() / 1000.0) + extras.summary());
    }

    // Called inside the handler of the run's error, which it throws on.
    int failed(Session& s) const
    {
        if (interrupts.stopSignal())
            return interrupted(s, interrupts.stopSignal());
        if (result.ended) // committed (or rolled back), and then the log failed
            printSummary();
        printLateSignal(interrupts);
        throw;
    }

    int finished(const PlainViews& views) const
    {
        if (!result.finished)
            throw Error(QCoreApplication::translate("ImportCommand", "the import did not run"));
        warnNotEmptied(options, result);
        if (options.dryRun && result.failed > 0)
            printText(stdout, failuresList(views.errorLines()));
        printSummary();
        extras.writeReport(result);
        printLateSignal(interrupts);
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
};

} // namespace

int runImportCommand(const CliOptions& options, InterruptSignals& interrupts)
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

    TestPause pause(interrupts);
    Session s;
    prepareSession(s, options, interrupts, pause);
    // Declared after the session, so the work is unguarded before it goes, on every path.
    const std::unique_ptr<InterruptSignals, void (*)(InterruptSignals*)> unguard(
        &interrupts, [](InterruptSignals* watched) { watched->finish(); });

    ConsoleDialogs dialogs(true, options.keepSourceBarcode);
    dialogs.setOpenFileName(options.barcodeFile);
    dialogs.setSaveFileName(options.log);
    ProgressLine progress(stderr, !options.quiet);

    RunResult result;
    ImportContext context{views, dialogs, s.eConexao, s.qrproduto, s.query2, s.line, settings};
    context.result = &result;
    context.sourceFile = options.source;
    wireContext(context, options, interrupts, pause, progress);
    RunExtras extras(options);
    extras.attach(context, s.eConexao);
    // A far database costs a round trip or two per statement; batches save nearly all of
    // them. Near, in this process's own engine, compiling every insert is most of the cost;
    // the prepared block is compiled once for the whole run.
    if (!options.oneByOne) {
        context.batchQuery = &s.batch;
        context.preparedInserts = &s.prepared.emplace(s.eConexao, preparedBlockRows(s.eConexao));
    }
    const RunEnd end{options, result, extras, interrupts, clock};
    try {
        RunFullImport(context);
    } catch (...) {
        progress.finish();
        interrupts.finish();
        return end.failed(s);
    }
    progress.finish();
    interrupts.finish();
    if (interrupts.stopSignal()) // a rehearsal stopped while it rolled back
        return interrupted(s, interrupts.stopSignal());
    return end.finished(views);
}
