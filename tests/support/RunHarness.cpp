#include "RunHarness.h"

#include "TestDatabase.h"
#include "TextGrid.h"
#include "platform/Error.h"

void RunDialogs::showMessage(const QString& text)
{
    messages.append(text);
    events.append(QStringLiteral("message: ") + text);
}

MsgDlgBtn RunDialogs::messageDialog(const QString& text, MsgDlgType type,
                                    const QList<MsgDlgBtn>& buttons, MsgDlgBtn defaultButton,
                                    const QString& title, const QStringList& customCaptions)
{
    questions.append({text, type, buttons, defaultButton, title, customCaptions});
    events.append(QStringLiteral("question: ") + text);
    if (onQuestion)
        onQuestion();
    if (answers.empty())
        throw Error(QStringLiteral("unscripted question: ") + text);
    const MsgDlgBtn answer = answers.front();
    answers.pop_front();
    return answer;
}

void RunDialogs::executeOpenDialog()
{
    events.append(QStringLiteral("open"));
    if (!openNames.empty()) {
        if (openNames.front())
            m_open = *openNames.front();
        openNames.pop_front();
    }
}

void RunDialogs::executeSaveDialog()
{
    events.append(QStringLiteral("save"));
    if (!saveNames.empty()) {
        if (saveNames.front())
            m_save = *saveNames.front();
        saveNames.pop_front();
    }
}

void RunDialogs::showError(const QString& message)
{
    events.append(QStringLiteral("error: ") + errorBoxText(message));
}

RunSession::RunSession(const QString& database)
{
    eConexao.Database = database;
    eConexao.ClientLibrary = TestDatabase::clientLibrary();
    eConexao.Username = TestDatabase::user();
    eConexao.Password = TestDatabase::password();
    eConexao.setConnected(true);
    qrproduto.AutoCommit = false;
    query2.AutoCommit = false;
}

ImportContext RunSession::context(ImportViews& views, Dialogs& dialogs,
                                  const RegionalSettings& settings)
{
    return ImportContext{views, dialogs, eConexao, qrproduto, query2, line, settings, &fixedRunTime};
}

QDateTime fixedRunTime()
{
    return QDateTime(QDate(2026, 12, 8), QTime(13, 45));
}

void loadSheet(PlainViews& views, int sourceType, const QList<QStringList>& rows)
{
    views.type = sourceType;
    views.mode = QStringLiteral("Excel");
    int cols = 1;
    for (const QStringList& r : rows)
        cols = std::max(cols, int(r.size()));
    views.gridData.resize(int(rows.size()), cols);
    for (int r = 0; r < rows.size(); ++r)
        for (int c = 0; c < rows[r].size(); ++c)
            views.gridData.setCell(c, r, rows[r][c]);
    views.gridData.announceAll();
}

void loadText(PlainViews& views, int sourceType, const QStringList& lines)
{
    views.type = sourceType;
    views.mode = QStringLiteral("Texto");
    views.lineData = lines;
}

QString fixedWidthLine(const QList<std::pair<int, QString>>& fields)
{
    QString line;
    for (const auto& [start, text] : fields) {
        if (line.size() < start + text.size())
            line = line.leftJustified(start + text.size(), u' ');
        line.replace(start, text.size(), text);
    }
    return line;
}
