#pragma once
// Everything the tool asks or tells the user goes through this interface: the window uses
// the Qt implementation (app/QtDialogs), tests a scripted one, the command line a
// non-interactive one.
#include <QList>
#include <QString>

enum class MsgDlgType { Warning, Error, Information, Confirmation, Custom };
enum class MsgDlgBtn { Yes, No, OK, Cancel, Abort, Retry, Ignore, Close };

class Dialogs {
public:
    virtual ~Dialogs() = default;

    // A modal message box without icon, with an OK button only.
    virtual void showMessage(const QString& text) = 0;

    // A typed message dialog; returns the button pressed, or Cancel when it was closed.
    // An empty title means the application's title. Button captions may carry "&" mnemonics
    // through customCaptions (index-aligned with buttons), e.g. "&Yes".
    virtual MsgDlgBtn messageDialog(const QString& text, MsgDlgType type,
                                    const QList<MsgDlgBtn>& buttons, MsgDlgBtn defaultButton,
                                    const QString& title = {},
                                    const QStringList& customCaptions = {}) = 0;

    // File dialogs that keep their file name between runs: run the dialog, then read the
    // name it holds. A cancelled dialog keeps the name it held before.
    virtual void executeOpenDialog() = 0;
    virtual QString openFileName() const = 0;
    virtual void setOpenFileName(const QString& name) = 0;
    virtual void executeSaveDialog() = 0;
    virtual QString saveFileName() const = 0;
    virtual void setSaveFileName(const QString& name) = 0;

    // The standard error box: the message, with "." appended when its last character
    // sorts after ".".
    virtual void showError(const QString& message) = 0;
};

// The text the standard error box shows for a message.
QString errorBoxText(const QString& message);
