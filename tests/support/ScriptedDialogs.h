#pragma once
// Dialogs for tests: every question is answered from a script given in advance, and
// everything shown is logged with its exact texts. A question the script does not answer
// (or answers with the wrong kind) fails the running test at once and is answered with
// Cancel, so the code under test cannot go on as if the user had agreed.
#include "Dialogs.h"

#include <QList>
#include <QString>
#include <QStringList>

#include <functional>

struct ShownDialog {
    enum class Kind { Message, MessageDialog, OpenDialog, SaveDialog, Error };
    Kind kind = Kind::Message;
    QString text;                    // message text; for Error the text the box shows
    MsgDlgType type = MsgDlgType::Custom;
    QString title;
    QList<MsgDlgBtn> buttons;
    MsgDlgBtn defaultButton = MsgDlgBtn::OK;
    QStringList captions;
    QString fileName;                // file dialogs: the name held after the dialog closed
};

class ScriptedDialogs : public Dialogs {
public:
    ScriptedDialogs() = default;
    ~ScriptedDialogs() override;

    // The script, consumed in order by the questions (message dialogs and file dialogs).
    ScriptedDialogs& answer(MsgDlgBtn button);
    ScriptedDialogs& chooseOpenFile(const QString& name);
    ScriptedDialogs& cancelOpen();
    ScriptedDialogs& chooseSaveFile(const QString& name);
    ScriptedDialogs& cancelSave();

    int pendingAnswers() const { return int(m_script.size()); }
    int unansweredQuestions() const { return m_unanswered; }

    const QList<ShownDialog>& log() const { return m_log; }
    QList<ShownDialog::Kind> kinds() const;
    QStringList messages() const;     // texts of plain messages, in order
    QStringList errors() const;       // texts of error boxes, in order
    QStringList questionTexts() const; // texts of message dialogs, in order
    void clearLog() { m_log.clear(); }
    std::function<void()> onError; // called as an error box opens, to look at the window then

    // Dialogs
    void showMessage(const QString& text) override;
    MsgDlgBtn messageDialog(const QString& text, MsgDlgType type, const QList<MsgDlgBtn>& buttons,
                            MsgDlgBtn defaultButton, const QString& title = {},
                            const QStringList& customCaptions = {}) override;
    void executeOpenDialog() override;
    QString openFileName() const override { return m_openName; }
    void setOpenFileName(const QString& name) override { m_openName = name; }
    void executeSaveDialog() override;
    QString saveFileName() const override { return m_saveName; }
    void setSaveFileName(const QString& name) override { m_saveName = name; }
    void showError(const QString& message) override;

private:
    struct Step {
        enum class Kind { Button, OpenFile, SaveFile } kind;
        MsgDlgBtn button = MsgDlgBtn::Cancel;
        bool cancel = false;
        QString name;
    };
    bool takeStep(Step::Kind kind, const QString& what, Step* step);
    static const char* kindName(Step::Kind kind);

    QList<Step> m_script;
    QList<ShownDialog> m_log;
    QString m_openName;
    QString m_saveName;
    int m_unanswered = 0;
};
