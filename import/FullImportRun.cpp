#include "FullImportRun.h"

#include "DatabaseConnection.h"
#include "DefaultTransaction.h"
#include "Dialogs.h"
#include "ErrorLog.h"
#include "ErrorScope.h"
#include "Errors.h"
#include "ImportViews.h"
#include "InsertBatch.h"
#include "Layouts.h"
#include "ProductRange.h"
#include "ProductRow.h"
#include "RowPipeline.h"
#include "RunState.h"
#include "SourceTypes.h"
#include "SqlQuery.h"
#include "TextFile.h"
#include "TextGrid.h"
#include "platform/Error.h"

#include <QDeadlineTimer>
#include <QThread>

#include <algorithm>
#include <optional>

namespace {

constexpr long UnknownNameSqlCode = -204;

// One run at a time: the dialogs of a run spin their own event loops, and a click on
// "Importar Tudo" from inside one must not start a second run over the same views.
bool g_runIsWorking = false;

class WorkingFlag {
public:
    WorkingFlag() { g_runIsWorking = true; }
    ~WorkingFlag() { g_runIsWorking = false; }
    WorkingFlag(const WorkingFlag&) = delete;
    WorkingFlag& operator=(const WorkingFlag&) = delete;
};

// Without a chosen type or a loaded file the run would only empty the table, so it stops
// before anything is asked or touched.
bool choicesAreMade(const ImportContext& ctx, const SourceTypeDescriptor* sourceType)
{
    if (!sourceType) {
        ctx.dialogs.showMessage(QStringLiteral("Favor selecionar o Tipo de Banco a ser Convertido"));
        return false;
    }
    if (ctx.views.sourceMode().isEmpty()) {
        ctx.dialogs.showMessage(QStringLiteral("Nenhum arquivo foi carregado."));
        return false;
    }
    return true;
}

// A source without products would only empty the table: the run stops before it asks.
void requireProducts(const ImportContext& ctx, int sourceType)
{
    if (ProductCount(ctx.views, sourceType) > 0)
        return;
    throw RunStopped(RunStopped::Cause::NothingToImport,
                     QStringLiteral("O arquivo carregado não tem nenhum produto para importar. "
                                    "Nada foi alterado no banco de dados."));
}

// The files the run uses, which its error log must never replace. The barcode list is
// known once its question was answered, or given in advance.
QList<RunFile> runFiles(const ImportContext& ctx, const QString& barcodeList)
{
    return RunFilesOf(ctx.eConexao.Database, ctx.sourceFile, barcodeList);
}

// The no-rows complaint follows a delete that ran; an unknown name (SQLCODE -204) is a
// database that has no PRODUTOS to empty.
bool wipeMayGoOn(const std::exception& e)
{
    if (dynamic_cast<const NoRowsError*>(&e))
        return true;
    if (auto* engine = dynamic_cast<const EngineError*>(&e))
        return engine->ErrorCode == UnknownNameSqlCode;
    return false;
}

bool userConfirms(Dialogs& dialogs)
{
    const MsgDlgBtn answer = dialogs.messageDialog(
        QStringLiteral("Isso irá ZERAR Completamente o Banco de dados atual, Deseja Continuar?"),
        MsgDlgType::Error, {MsgDlgBtn::OK, MsgDlgBtn::Cancel}, MsgDlgBtn::OK,
        QStringLiteral("Error"));
    return answer == MsgDlgBtn::OK;
}

// A stop asked for before or during the wipe, between rows or before the commit: whatever
// the run did is rolled back.
void checkStopRequest(const ImportContext& ctx)
{
    if (ctx.stopRequested && ctx.stopRequested()) {
        ctx.eConexao.Rollback();
        throw RunStopped::interrupted();
    }
}

// Both runs' inserts go to this table: reserving it lets one run at a time hold it.
const QString ProductTable = QStringLiteral("C000025");
const QString WipeRefused = QStringLiteral("Não foi possível zerar o banco de dados: ");
constexpr int WipeRetryMilliseconds = 500;

// At the wipe a lock conflict is never the row's own: another transaction holds the table
// (a reservation) or rows of it (changed and not yet committed).
bool heldByAnother(const std::exception& e)
{
    const ErrorKind kind = classifyError(e).kind;
    return kind == ErrorKind::RowLocked || kind == ErrorKind::TableInUse;
}

// The run's transaction starts here, with the product table reserved for writing: a second
// run (or any other writer) cannot hold it at the same time, whatever the table holds.
void wipeOnce(const ImportContext& ctx)
{
    ctx.eConexao.defaultTransaction().reserveForWriting({ProductTable});
    if (ctx.beforeWipe)
        ctx.beforeWipe();
    SqlQuery& qrproduto = ctx.qrproduto;
    qrproduto.Close();
    qrproduto.SQL().Clear();
    qrproduto.SQL().Add(QStringLiteral("delete from PRODUTOS;"));
    qrproduto.Open(); // executes the delete, then complains that it returned no rows
    qrproduto.ExecSQL();
}

// Waits a little before the wipe is tried again, asking the caller whether to stop.
void pauseBeforeRetry(const ImportContext& ctx, const QDeadlineTimer& deadline)
{
    const QDeadlineTimer step(std::min<qint64>(WipeRetryMilliseconds, deadline.remainingTime()));
    while (!step.hasExpired()) {
        checkStopRequest(ctx);
        QThread::msleep(50);
    }
}

DatabaseInUse inUse(const std::exception& e)
{
    return DatabaseInUse(WipeRefused
                         + QStringLiteral("o banco de dados está em uso por outra conexão ou por uma importação "
                                          "que foi interrompida. Tente novamente em instantes.")
                         + errorMessage(e));
}

// The delete stays pending in the connection's transaction until the closing commit. A
// database without PRODUTOS rejects it at prepare; the import then goes on over the old
// rows, and the caller learns why the table was not emptied (the result). A table held by
// another transaction is tried again for wipeWaitSeconds. Any other refusal (a read-only
// database, no right to delete, a lost connection) would leave old and new products mixed
// behind a commit reported as success, so the run ends here with nothing changed.
QString wipeProducts(const ImportContext& ctx)
{
    const QDeadlineTimer deadline(qint64(std::max(0, ctx.wipeWaitSeconds)) * 1000);
    for (;;) {
        checkStopRequest(ctx);
        try {
            wipeOnce(ctx);
            return {};
        } catch (const std::exception& e) {
            if (wipeMayGoOn(e))
                return dynamic_cast<const EngineError*>(&e) ? errorMessage(e).trimmed() : QString();
            ctx.eConexao.Rollback();
            checkStopRequest(ctx); // a wipe cancelled on request is a stop, not a refusal
            if (!heldByAnother(e))
                throw Error(WipeRefused + errorMessage(e));
            if (deadline.hasExpired())
                throw inUse(e);
            pauseBeforeRetry(ctx, deadline);
        }
    }
}

// Returns the name of the barcode list it loaded, if any.
QString askTypeQuestions(const ImportContext& ctx, const SourceTypeDescriptor& sourceType,
                         RunState& state)
{
    if (sourceType.question == TypeQuestion::KeepSourceBarcode) {
        const MsgDlgBtn answer = ctx.dialogs.messageDialog(
            QStringLiteral("Deseja importar o código barras contido no arquivo XLS?"),
            MsgDlgType::Custom, {MsgDlgBtn::Yes, MsgDlgBtn::Cancel}, MsgDlgBtn::Yes, QString(),
            {QStringLiteral("&Yes"), QStringLiteral("Cancel")});
        state.KeepSourceBarcode = answer == MsgDlgBtn::Yes;
    }
    if (sourceType.question == TypeQuestion::BarcodeListFile) {
        ctx.dialogs.showMessage(QStringLiteral("Favor abrir o arquivo com o cod barras."));
        ctx.dialogs.executeOpenDialog();
        state.BarcodeListFile = ReadTextFileLines(ctx.dialogs.openFileName());
        return ctx.dialogs.openFileName();
    }
    return {};
}

// A failed row as the log names it: as the row stood when it failed, or as it was queued
// when it failed later inside a batch.
struct FailedRow {
    int rowNumber; // in the source, as SourceRowNumber counts
    QString produto;
    QString codigo;
};

// A row error fails the row alone; any other error stops the whole run.
void logFailedRow(const ImportContext& ctx, RunState& state, const FailedRow& failed,
                  const std::exception& e)
{
    if (!isRowError(e)) {
        if (auto* stopped = dynamic_cast<const RunStopped*>(&e))
            throw *stopped;
        throw RunStopped::byError(e);
    }
    ++state.FailedCount;
    const QString message = errorMessage(e);
    ProductRow named;
    named.produto = failed.produto;
    named.codigo = failed.codigo;
    ctx.views.addErrorLine(BoundedLogLine(FailedRowLine(named, message)));
    if (ctx.rowFailed)
        ctx.rowFailed(failed.rowNumber, named, message);
}


// Where a run's rows go: each alone on query2, or queued in a batch that sends the rows it
// could not insert alone in the same way, in their order.
class RowSender {
public:
    RowSender(const ImportContext& ctx, RunState& state) : m_ctx(ctx), m_state(state)
    {
        if (ctx.batchQuery)
            m_batch.emplace(*ctx.batchQuery, [this](const PendingInsert& row) { sendAlone(row); },
                            ctx.preparedInserts);
    }

    void insert(const ProductRow& row)
    {
        QStringList lines = CheckedProductInsert(row, RegistrationDate(m_ctx.now(), m_ctx.settings));
        if (m_batch)
            m_batch->add({std::move(lines), row.produto, row.codigo, SourceRowNumber(m_ctx.views)});
        else
            ExecuteInsertLines(m_ctx.query2, lines);
    }

    // A row that fails before its insert is sent: the rows queued before it are settled
    // first, so the log keeps the order of the rows.
    void rowFailed(const std::exception& e)
    {
        flush();
        logFailedRow(m_ctx, m_state, {SourceRowNumber(m_ctx.views), m_state.row.produto, m_state.row.codigo}, e);
    }

    // A block that fails for anything but its rows' data stops the run the way an insert
    // alone stops it, with the same words.
    void flush()
    {
        if (!m_batch)
            return;
        try {
            m_batch->flush();
        } catch (const RunStopped&) {
            throw;
        } catch (const std::exception& e) {
            throw RunStopped::byError(e);
        }
    }

private:
    void sendAlone(const PendingInsert& row)
    {
        try {
            ExecuteInsertLines(m_ctx.query2, row.lines);
        } catch (const std::exception& e) {
            logFailedRow(m_ctx, m_state, {row.rowNumber, row.produto, row.codigo}, e);
        }
    }

    const ImportContext& m_ctx;
    RunState& m_state;
    std::optional<InsertBatch> m_batch;
};

void importSheetRow(const ImportContext& ctx, int sourceType, RunState& state, RowSender& sender)
{
    try {
        BuildSheetRow(sourceType, ctx.views, state);
        CompleteProductRow(state.row);
        sender.insert(state.row);
    } catch (const std::exception& e) {
        sender.rowFailed(e);
    }
}

void importTextLine(const ImportContext& ctx, int sourceType, RunState& state, RowSender& sender)
{
    try {
        BuildTextRow(sourceType, ctx.views, state);
        CompleteProductRow(state.row);
        sender.insert(state.row);
    } catch (const std::exception& e) {
        sender.rowFailed(e);
    }
}

// Rows done so far, out of total, to the caller's progress hook: at the start, every
// ProgressStep rows and once at the end (last).
void tellProgress(const ImportContext& ctx, int done, int total, bool last = false)
{
    if (ctx.progress && (last || (done % ProgressStep == 0 && done < total)))
        ctx.progress(done, total);
}

// Grid rows 1 to the last one that holds text: row 0 holds the sheet's header. The cursor
// stays on the last row imported when the loop is done.
int runSheetLoop(const ImportContext& ctx, int sourceType, RunState& state, RowSender& sender)
{
    ImportViews& views = ctx.views;
    const int end = SheetProductEnd(views.grid());
    const int total = end - 1;
    int rows = 0;
    tellProgress(ctx, 0, total);
    while (views.gridCurrentRow() < end) {
        checkStopRequest(ctx);
        importSheetRow(ctx, sourceType, state, sender);
        ++rows;
        tellProgress(ctx, views.gridCurrentRow(), total);
        const int next = views.gridCurrentRow() + 1;
        if (next >= end)
            break;
        views.setGridCurrentRow(next);
    }
    tellProgress(ctx, total, total, true);
    return rows;
}

// Every line up to the last one that holds text; a layout may move the index itself (type 6
// skips the first line), so the bound is tested against wherever the index stands.
int runTextLoop(const ImportContext& ctx, int sourceType, RunState& state, RowSender& sender)
{
    ImportViews& views = ctx.views;
    const int count = TextProductEnd(views.lines());
    int rows = 0;
    tellProgress(ctx, 0, count);
    while (views.listIndex() >= 0 && views.listIndex() < count) {
        checkStopRequest(ctx);
        importTextLine(ctx, sourceType, state, sender);
        ++rows;
        tellProgress(ctx, views.listIndex() + 1, count);
        const int next = views.listIndex() + 1;
        if (next >= count)
            break;
        views.setListIndex(next);
    }
    tellProgress(ctx, count, count, true);
    return rows;
}

// The questions and the loop of the mode, after the wipe. Whatever ends them early (a
// barcode list that cannot be read, a run error, a stop request) rolls the whole run back,
// the wipe included: nothing of it reaches the database. Returns the barcode list's name.
QString runRows(const ImportContext& ctx, const SourceTypeDescriptor& type, RunState& state,
                RunResult& result)
{
    try {
        const QString barcodeList = askTypeQuestions(ctx, type, state);
        ctx.views.setGridCurrentRow(1);
        ctx.views.setListIndex(0);
        ctx.views.setViewsEnabled(false);
        // The loop follows the file loaded, the layout the type chosen; a type whose layout
        // reads the other kind of file leaves every row at its defaults.
        const SourceKindDescriptor* loaded = SourceKindOfMode(ctx.views.sourceMode());
        RowSender sender(ctx, state);
        if (loaded && loaded->kind == SourceKind::Spreadsheet)
            result.rows = runSheetLoop(ctx, type.number, state, sender);
        else if (loaded && loaded->kind == SourceKind::Text)
            result.rows = runTextLoop(ctx, type.number, state, sender);
        // The rows still queued go before the run's counts are read.
        sender.flush();
        return barcodeList;
    } catch (...) {
        ctx.views.setViewsEnabled(true);
        ctx.eConexao.rollbackQuietly();
        throw;
    }
}

// A rehearsal rolls back where a real run commits, and so does a run of which every row
// failed: committing it would only have emptied the table. A refused commit leaves nothing
// pending for a later run to commit by mistake.
void endTransaction(const ImportContext& ctx, RunResult& result)
{
    checkStopRequest(ctx);
    result.nothingImported = result.rows > 0 && result.failed == result.rows;
    if (ctx.rollBackAtEnd || result.nothingImported) {
        ctx.eConexao.Rollback();
    } else {
        try {
            ctx.eConexao.Commit();
        } catch (...) {
            ctx.eConexao.rollbackQuietly();
            throw;
        }
    }
    result.ended = true;
}

void closeRun(const ImportContext& ctx, const RunState& state, RunResult& result,
              const QString& barcodeList)
{
    ctx.views.setViewsEnabled(true);
    endTransaction(ctx, result);
    ctx.dialogs.showMessage(QString::number(state.FailedCount)
                            + QStringLiteral(" produtos não foram importados."));
    if (result.nothingImported)
        ctx.dialogs.showMessage(QStringLiteral("Nenhum produto foi importado: o banco de dados "
                                               "não foi alterado."));
    // A cancelled save dialog keeps the name it held; the log is written all the same.
    ctx.dialogs.executeSaveDialog();
    RefuseLogOver(ctx.dialogs.saveFileName(), runFiles(ctx, barcodeList));
    SaveErrorLog(ctx.dialogs.saveFileName(), ctx.views.errorLines());
    ctx.dialogs.showMessage(QStringLiteral("Log de erros salvo na pasta Raiz. \"ErrorLog.txt\""));
    result.finished = true;
}

} // namespace

void RunFullImport(const ImportContext& ctx)
{
    if (g_runIsWorking)
        return;
    WorkingFlag working;
    // Filled as the run goes, so a caller still learns what happened when the closing
    // steps raise (a commit refused, a log that cannot be written).
    RunResult local;
    RunResult& result = ctx.result ? *ctx.result : local;
    result = RunResult{};

    const SourceTypeDescriptor* type = FindSourceType(ctx.views.sourceType());
    if (!choicesAreMade(ctx, type))
        return;
    requireProducts(ctx, type->number);
    // The log name held now (the command's, or the window's last one) is refused before
    // anything is asked; the one the save dialog ends with is checked again before saving.
    const bool listGiven = type->question == TypeQuestion::BarcodeListFile;
    RefuseLogOver(ctx.dialogs.saveFileName(),
                  runFiles(ctx, listGiven ? ctx.dialogs.openFileName() : QString()));
    if (!userConfirms(ctx.dialogs))
        return;
    result.notEmptied = wipeProducts(ctx);

    RunState state{ProductRow{}, 0, false, TextLines{}, ctx.line, ctx.settings};
    const QString barcodeList = runRows(ctx, *type, state, result);
    result.failed = state.FailedCount;
    closeRun(ctx, state, result, barcodeList);
}
