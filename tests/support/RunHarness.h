#pragma once
// Support for tests of the full import run: dialogs answered from a script, and a session
// (the connection, qrproduto, query2 and the current line) over a test database.
#include "CurrentLine.h"
#include "DatabaseConnection.h"
#include "Dialogs.h"
#include "FullImportRun.h"
#include "PlainViews.h"
#include "SqlQuery.h"

#include <deque>
#include <functional>
#include <optional>

// Questions take their answers from `answers` in order; a question without one raises, so
// the test sees an unexpected question. File dialogs take a name from their queue, or act
// as cancelled (keeping the name they held) when it is empty or holds nullopt.
class RunDialogs : public Dialogs {
public:
    struct Question {
        QString text;
        MsgDlgType type;
        QList<MsgDlgBtn> buttons;
        MsgDlgBtn defaultButton;
        QString title;
        QStringList captions;
    };

    std::deque<MsgDlgBtn> answers;
    std::deque<std::optional<QString>> openNames, saveNames;
    std::function<void()> onQuestion; // runs inside each question, before it is answered

    QList<Question> questions;
    QStringList messages;  // plain messages, in order
    QStringList events;    // "message: ...", "question: ...", "open", "save", "error: ..."

    void showMessage(const QString& text) override;
    MsgDlgBtn messageDialog(const QString& text, MsgDlgType type, const QList<MsgDlgBtn>& buttons,
                            MsgDlgBtn defaultButton, const QString& title,
                            const QStringList& customCaptions) override;
    void executeOpenDialog() override;
    QString openFileName() const override { return m_open; }
    void setOpenFileName(const QString& name) override { m_open = name; }
    void executeSaveDialog() override;
    QString saveFileName() const override { return m_save; }
    void setSaveFileName(const QString& name) override { m_save = name; }
    void showError(const QString& message) override;

private:
    QString m_open;
    QString m_save = QStringLiteral("ErrorLog.txt");
};

// An embedded connection to the database file with qrproduto and query2 as the window
// configures them (auto-commit off). Destroy it before reading back through isql-fb.
struct RunSession {
    explicit RunSession(const QString& database);
    ImportContext context(ImportViews& views, Dialogs& dialogs,
                          const RegionalSettings& settings = RegionalSettings::brazil());

    DatabaseConnection eConexao;
    SqlQuery qrproduto{eConexao};
    SqlQuery query2{eConexao};
    CurrentLine line;
};

// The time every statement of a test run is stamped with: 08.12.26 13:45.
QDateTime fixedRunTime();

// Fills the views as the window does after loading a sheet (grid rows as given, row 0 the
// header) or a text file.
void loadSheet(PlainViews& views, int sourceType, const QList<QStringList>& rows);
void loadText(PlainViews& views, int sourceType, const QStringList& lines);

// A text line with each (position, text) written over blanks; for fixed-width layouts.
QString fixedWidthLine(const QList<std::pair<int, QString>>& fields);
