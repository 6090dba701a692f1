#include "FullImportRun.h"

#include "DatabaseConnection.h"
#include "Dialogs.h"
#include "Errors.h"
#include "ErrorLog.h"
#include "ImportViews.h"
#include "Layouts.h"
#include "ProductRow.h"
#include "RunState.h"
#include "SourceTypes.h"
#include "SqlQuery.h"
#include "TextFile.h"
#include "TextGrid.h"
#include "platform/Error.h"

#include <algorithm>

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

// The delete stays pending in the connection's transaction until the closing commit. A
// database without PRODUTOS rejects it at prepare; the import then goes on over the old
// rows. Any other refusal (a row locked by another connection, a read-only database, no
// right to delete, a lost connection) would leave old and new products mixed behind a
// commit reported as success, so the run ends here with nothing changed.
void wipeProducts(DatabaseConnection& eConexao, SqlQuery& qrproduto)
{
    try {
        qrproduto.Close();
        qrproduto.SQL().Clear();
        qrproduto.SQL().Add(QStringLiteral("delete from PRODUTOS;"));
        qrproduto.Open(); // executes the delete, then complains that it returned no rows
        qrproduto.ExecSQL();
    } catch (const std::exception& e) {
        if (wipeMayGoOn(e))
            return;
        eConexao.rollbackQuietly();
        throw Error(QStringLiteral("Não foi possível zerar o banco de dados: ") + errorMessage(e));
    }
}

void askTypeQuestions(const ImportContext& ctx, const SourceTypeDescriptor& sourceType, RunState& state)
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
    }
}

void insertRow(const ImportContext& ctx, RunState& state)
{
    CompleteProductRow(state.row);
    ExecuteProductInsert(ctx.query2, state.row, RegistrationDate(ctx.now(), ctx.settings));
}

void logFailedRow(ImportViews& views, RunState& state, const std::exception& e)
{
    ++state.FailedCount;
    views.addErrorLine(QStringLiteral("Nome: ") + state.row.produto + QStringLiteral("|Código: ")
                       + state.row.codigo + QStringLiteral("|Erro: ") + errorMessage(e));
}

void importSheetRow(const ImportContext& ctx, int sourceType, RunState& state)
{
    try {
        SetRowDefaults(state.row, FindSourceKind(SourceKind::Spreadsheet)->defaultCsosn);
        ApplySpreadsheetLayout(sourceType, ctx.views, state);
        insertRow(ctx, state);
    } catch (const std::exception& e) {
        logFailedRow(ctx.views, state, e);
    }
}

void importTextLine(const ImportContext& ctx, int sourceType, RunState& state)
{
    try {
        const int index = ctx.views.listIndex();
        ctx.line.setText(ctx.views.lines().at(index));
        SetRowDefaults(state.row, FindSourceKind(SourceKind::Text)->defaultCsosn);
        state.row.codigo = QString::number(index + 1);
        ApplyTextLayout(sourceType, ctx.views, state);
        insertRow(ctx, state);
    } catch (const std::exception& e) {
        logFailedRow(ctx.views, state, e);
    }
}

// Rows done so far, out of total, to the caller's progress hook: at the start, every
// ProgressStep rows and once at the end (last).
void tellProgress(const ImportContext& ctx, int done, int total, bool last = false)
{
    if (ctx.progress && (last || (done % ProgressStep == 0 && done < total)))
        ctx.progress(done, total);
}

// Grid rows 1 to the last one: row 0 holds the sheet's header. The grid refuses a current
// row past its end, so the cursor stays on the last row when the loop is done.
int runSheetLoop(const ImportContext& ctx, int sourceType, RunState& state)
{
    ImportViews& views = ctx.views;
    const int total = std::max(0, views.grid().RowCount() - 1);
    int rows = 0;
    tellProgress(ctx, 0, total);
    while (views.gridCurrentRow() < views.grid().RowCount()) {
        importSheetRow(ctx, sourceType, state);
        ++rows;
        tellProgress(ctx, views.gridCurrentRow(), total);
        const int next = views.gridCurrentRow() + 1;
        if (next >= views.grid().RowCount())
            break;
        views.setGridCurrentRow(next);
    }
    tellProgress(ctx, total, total, true);
    return rows;
}

// Every line, the last one included; a layout may move the index itself (type 6 skips the
// first line), so the bound is tested against wherever the index stands.
int runTextLoop(const ImportContext& ctx, int sourceType, RunState& state)
{
    ImportViews& views = ctx.views;
    const int count = int(views.lines().size());
    int rows = 0;
    tellProgress(ctx, 0, count);
    while (views.listIndex() >= 0 && views.listIndex() < count) {
        importTextLine(ctx, sourceType, state);
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

// A rehearsal rolls back where a real run commits; the report and the log are the same.
void closeRun(const ImportContext& ctx, const RunState& state, RunResult& result)
{
    ctx.views.setViewsEnabled(true);
    if (ctx.rollBackAtEnd)
        ctx.eConexao.Rollback();
    else
        ctx.eConexao.Commit();
    result.ended = true;
    ctx.dialogs.showMessage(QString::number(state.FailedCount)
                            + QStringLiteral(" produtos não foram importados."));
    // A cancelled save dialog keeps the name it held; the log is written all the same.
    ctx.dialogs.executeSaveDialog();
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
    const SourceKindDescriptor* loaded = SourceKindOfMode(ctx.views.sourceMode());
    if (!choicesAreMade(ctx, type) || !userConfirms(ctx.dialogs))
        return;
    wipeProducts(ctx.eConexao, ctx.qrproduto);

    RunState state{ProductRow{}, 0, false, QStringList{}, ctx.line, ctx.settings};
    askTypeQuestions(ctx, *type, state);
    const int sourceType = type->number;

    ctx.views.setGridCurrentRow(1);
    ctx.views.setListIndex(0);
    ctx.views.setViewsEnabled(false);

    // The loop follows the file loaded, the layout the type chosen; a type whose layout reads
    // the other kind of file leaves every row at its defaults.
    if (loaded && loaded->kind == SourceKind::Spreadsheet)
        result.rows = runSheetLoop(ctx, sourceType, state);
    else if (loaded && loaded->kind == SourceKind::Text)
        result.rows = runTextLoop(ctx, sourceType, state);
    result.failed = state.FailedCount;
    closeRun(ctx, state, result);
}
