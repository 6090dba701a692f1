// converter-banco-import: the full import without a window, for unattended use (a script
// moving a shop's catalogue, the demo). It loads the source as the window does, answers the
// run's questions from the command line and prints what happened.
#include "CliOptions.h"
#include "ConsoleDialogs.h"

#include "CurrentLine.h"
#include "DatabaseConnection.h"
#include "FullImportRun.h"
#include "LoadSpreadsheet.h"
#include "PlainViews.h"
#include "SqlQuery.h"
#include "TextFile.h"

#include <QCoreApplication>
#include <QFileInfo>

#include <cstdio>

namespace {

enum ExitCode { Success = 0, Failure = 2 };

void print(FILE* to, const QString& text)
{
    std::fputs(text.toLocal8Bit().constData(), to);
    std::fflush(to);
}

// The window's rule: the extension, case included, picks the kind of source.
void loadSource(PlainViews& views, const QString& fileName, const RegionalSettings& settings)
{
    const QString ext = QLatin1Char('.') + QFileInfo(fileName).suffix();
    if (ext == QLatin1String(".XLS") || ext == QLatin1String(".xls") || ext == QLatin1String(".xlsx")) {
        views.mode = QStringLiteral("Excel");
        LoadSpreadsheet(views.gridData, fileName, settings);
    } else if (ext == QLatin1String(".TXT") || ext == QLatin1String(".txt")) {
        views.mode = QStringLiteral("Texto");
        views.lineData = ReadTextFileLines(fileName);
    } else {
        throw Error(QStringLiteral("\"%1\" is neither a spreadsheet (.xls, .XLS, .xlsx) nor a text "
                                   "file (.txt, .TXT)").arg(fileName));
    }
}

void connect(DatabaseConnection& connection, const CliOptions& options)
{
    connection.Database = options.database;
    connection.ClientLibrary = options.clientLibrary;
    connection.Username = options.user;
    connection.Password = qEnvironmentVariable("ISC_PASSWORD");
    connection.setConnected(true);
}

int runImport(const CliOptions& options)
{
    const RegionalSettings settings = RegionalSettings::system();
    PlainViews views;
    views.type = options.sourceType;
    loadSource(views, options.source, settings);

    DatabaseConnection eConexao;
    connect(eConexao, options);
    SqlQuery qrproduto(eConexao);
    SqlQuery query2(eConexao);
    qrproduto.AutoCommit = false;
    query2.AutoCommit = false;
    CurrentLine line;

    ConsoleDialogs dialogs(true, options.keepBarcodes);
    dialogs.setOpenFileName(options.barcodes.isEmpty() ? options.source : options.barcodes);
    dialogs.setSaveFileName(options.log);

    RunResult result;
    ImportContext context{views, dialogs, eConexao, qrproduto, query2, line, settings};
    context.result = &result;
    Button2Click(context);
    if (!result.finished)
        throw Error(QStringLiteral("the import did not run"));
    print(stdout, QStringLiteral("Rows imported: %1\nRows failed: %2\nError log: %3\n")
                      .arg(result.rows - result.failed)
                      .arg(result.failed)
                      .arg(QFileInfo(dialogs.saveFileName()).absoluteFilePath()));
    return Success;
}

} // namespace

int main(int argc, char** argv)
{
    QCoreApplication app(argc, argv);
    CliOptions options;
    try {
        options = parseCliOptions(app.arguments());
    } catch (const UsageError& e) {
        if (e.message().isEmpty()) {
            print(stdout, cliUsage());
            return Success;
        }
        print(stderr, QStringLiteral("converter-banco-import: ") + e.message() + u'\n' + cliUsage());
        return Failure;
    }
    try {
        return runImport(options);
    } catch (const std::exception& e) {
        QString message = errorMessage(e);
        message.replace(u'\r', u'\n');
        print(stderr, QStringLiteral("converter-banco-import: ") + message.trimmed() + u'\n');
        return Failure;
    }
}
