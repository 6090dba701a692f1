#include "ScriptedDialogs.h"

#include <QTest>

ScriptedDialogs::~ScriptedDialogs()
{
    // An answer nobody asked for usually means the code skipped a question.
    if (!m_script.isEmpty())
        qWarning("ScriptedDialogs: %d scripted answer(s) were never asked for", int(m_script.size()));
}

ScriptedDialogs& ScriptedDialogs::answer(MsgDlgBtn button)
{
    m_script.append({Step::Kind::Button, button, false, {}});
    return *this;
}

ScriptedDialogs& ScriptedDialogs::chooseOpenFile(const QString& name)
{
    m_script.append({Step::Kind::OpenFile, MsgDlgBtn::OK, false, name});
    return *this;
}

ScriptedDialogs& ScriptedDialogs::cancelOpen()
{
    m_script.append({Step::Kind::OpenFile, MsgDlgBtn::Cancel, true, {}});
    return *this;
}

ScriptedDialogs& ScriptedDialogs::chooseSaveFile(const QString& name)
{
    m_script.append({Step::Kind::SaveFile, MsgDlgBtn::OK, false, name});
    return *this;
}

ScriptedDialogs& ScriptedDialogs::cancelSave()
{
    m_script.append({Step::Kind::SaveFile, MsgDlgBtn::Cancel, true, {}});
    return *this;
}

const char* ScriptedDialogs::kindName(Step::Kind kind)
{
    switch (kind) {
    case Step::Kind::Button: return "a message dialog answer";
    case Step::Kind::OpenFile: return "an open dialog answer";
    case Step::Kind::SaveFile: return "a save dialog answer";
    }
    return "?";
}

bool ScriptedDialogs::takeStep(Step::Kind kind, const QString& what, Step* step)
{
    QString problem;
    if (m_script.isEmpty())
        problem = QStringLiteral("unscripted question: ") + what;
    else if (m_script.first().kind != kind)
        problem = QStringLiteral("the script holds %1, but the code asked: %2")
                      .arg(QLatin1String(kindName(m_script.first().kind)), what);
    if (!problem.isEmpty()) {
        ++m_unanswered;
        QTest::qFail(problem.toUtf8().constData(), __FILE__, __LINE__);
        return false;
    }
    *step = m_script.takeFirst();
    return true;
}

QList<ShownDialog::Kind> ScriptedDialogs::kinds() const
{
    QList<ShownDialog::Kind> result;
    for (const ShownDialog& d : m_log)
        result.append(d.kind);
    return result;
}

namespace {
QStringList textsOf(const QList<ShownDialog>& log, ShownDialog::Kind kind)
{
    QStringList result;
    for (const ShownDialog& d : log)
        if (d.kind == kind)
            result.append(d.text);
    return result;
}
} // namespace

QStringList ScriptedDialogs::messages() const { return textsOf(m_log, ShownDialog::Kind::Message); }
QStringList ScriptedDialogs::errors() const { return textsOf(m_log, ShownDialog::Kind::Error); }
QStringList ScriptedDialogs::questionTexts() const
{
    return textsOf(m_log, ShownDialog::Kind::MessageDialog);
}

void ScriptedDialogs::showMessage(const QString& text)
{
    ShownDialog d;
    d.kind = ShownDialog::Kind::Message;
    d.text = text;
    m_log.append(d);
}

MsgDlgBtn ScriptedDialogs::messageDialog(const QString& text, MsgDlgType type,
                                         const QList<MsgDlgBtn>& buttons, MsgDlgBtn defaultButton,
                                         const QString& title, const QStringList& customCaptions)
{
    ShownDialog d;
    d.kind = ShownDialog::Kind::MessageDialog;
    d.text = text;
    d.type = type;
    d.title = title;
    d.buttons = buttons;
    d.defaultButton = defaultButton;
    d.captions = customCaptions;
    m_log.append(d);
    Step step;
    if (!takeStep(Step::Kind::Button, QStringLiteral("message dialog \"%1\"").arg(text), &step))
        return MsgDlgBtn::Cancel;
    return step.button;
}

void ScriptedDialogs::executeOpenDialog()
{
    Step step;
    if (takeStep(Step::Kind::OpenFile, QStringLiteral("open dialog"), &step) && !step.cancel)
        m_openName = step.name;
    ShownDialog d;
    d.kind = ShownDialog::Kind::OpenDialog;
    d.fileName = m_openName;
    m_log.append(d);
}

void ScriptedDialogs::executeSaveDialog()
{
    Step step;
    if (takeStep(Step::Kind::SaveFile, QStringLiteral("save dialog"), &step) && !step.cancel)
        m_saveName = step.name;
    ShownDialog d;
    d.kind = ShownDialog::Kind::SaveDialog;
    d.fileName = m_saveName;
    m_log.append(d);
}

void ScriptedDialogs::showError(const QString& message)
{
    if (onError)
        onError();
    ShownDialog d;
    d.kind = ShownDialog::Kind::Error;
    d.text = errorBoxText(message);
    m_log.append(d);
}
