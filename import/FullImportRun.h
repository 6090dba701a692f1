#pragma once
// The run of "Importar Tudo": confirm, wipe, walk the loaded rows or lines through the
// layout of the chosen type, insert each row, count and log failures, commit once, report
// and save the error log. It talks to the window only through ImportViews and Dialogs.
#include "LocalClock.h"
#include "RegionalSettings.h"
#include "platform/Error.h"

#include <QDateTime>
#include <functional>
#include <memory>

class CurrentLine;
class DatabaseConnection;
class Dialogs;
class ImportViews;
class SqlQuery;
class PreparedInserts;
struct ProductRow;

// What a finished run did, for callers without a window to read it from.
struct RunResult {
    bool finished = false; // the closing steps ran: transaction ended, reported, log saved
    bool ended = false;    // the transaction was committed (or rolled back, on request)
    int rows = 0;          // rows or lines the loop tried
    int failed = 0;        // of those, the ones logged as failed
    // Every row failed, so the run rolled back instead of committing: nothing changed.
    bool nothingImported = false;
    // Why the table was not emptied before the rows were added (a database without
    // PRODUTOS); empty when it was.
    QString notEmptied;
};

// Told how far the loop is: rows tried so far out of the rows it will try. Called before the
// first row, every ProgressStep rows and after the last one, so it may be slow-ish.
using RunProgress = std::function<void(int done, int total)>;
constexpr int ProgressStep = 100;

struct ImportContext {
    ImportViews& views;
    Dialogs& dialogs;
    DatabaseConnection& eConexao;
    SqlQuery& qrproduto;
    SqlQuery& query2;
    CurrentLine& line; // the current text line, shared with the text preview
    RegionalSettings settings;
    std::function<QDateTime()> now = [clock = std::make_shared<LocalClock>()] { return clock->now(); };
    RunResult* result = nullptr; // filled when given
    // A rehearsal: the whole run, the wipe included, and then a rollback in place of the
    // commit, so the database stays exactly as it was.
    bool rollBackAtEnd = false;
    RunProgress progress = nullptr; // optional
    // Optional: told of every failed row, with its number in the source (RowPipeline's
    // SourceRowNumber), the row as it stood and the error's message, as the log gets it.
    std::function<void(int rowNumber, const ProductRow& row, const QString& message)> rowFailed = nullptr;
    // Optional: runs after the confirmation, in the run's transaction, after the product table
    // is reserved and before the delete (so what it reads is what the wipe removes). An error
    // it raises ends the run there, with nothing changed.
    std::function<void()> beforeWipe = nullptr;
    // Where the command sends its inserts many at a time (InsertBatch); null sends every
    // row alone on query2, the window's way.
    SqlQuery* batchQuery = nullptr;
    // With batchQuery: full batches go first as one execution of a block prepared once.
    PreparedInserts* preparedInserts = nullptr;
    // Asked before the wipe, while the wipe waits for the table, between rows and before the
    // commit; true stops the run as a run error: rolled back, nothing changed. Must be quick.
    std::function<bool()> stopRequested = nullptr; // optional
    // How long the wipe is tried again while another connection holds the product table.
    int wipeWaitSeconds = 0;
    QString sourceFile = QString(); // the loaded source, which the error log must never replace
};

// The wipe was refused, for as long as the run waited, because another transaction holds the
// product table: a run still going on, another station, or a client that died and whose work
// the server has not yet undone. Nothing was changed.
class DatabaseInUse : public Error {
public:
    using Error::Error;
};

// Runs one full import: the engine behind the window's "Importar Tudo" and the command.
// Errors outside the rows (wipe refused, barcode list unreadable, commit, saving the log)
// are raised to the caller, which shows them in the error box. So is RunStopped
// (ErrorScope.h): a source without products (before anything is asked or touched), a run
// error in a row, or a stop request; the transaction is then rolled back and the views are
// enabled again. A row error fails that row alone. A call made while another run is still
// working (a click from inside one of the run's dialogs) returns at once without doing
// anything: this is the one guard against a second run.
void RunFullImport(const ImportContext& context);
