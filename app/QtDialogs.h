#pragma once
// The dialogs of the tool over QMessageBox and QFileDialog.
#include "Dialogs.h"

#include <QPointer>
#include <QWidget>

class QMessageBox;

class QtDialogs : public Dialogs {
public:
    // The title of plain messages, custom dialogs and the error box.
    static QString applicationTitle();

    // File dialogs open over this window; message boxes are centred on the screen.
    void setParentWindow(QWidget* window) { m_parent = window; }

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
    void redrawParent();
    QPointer<QWidget> m_parent;
    QString m_openName;
    QString m_saveName;
};

// The caption of a dialog button. Set on every button instead of Qt's standard text, which
// follows Qt's catalogue of the user's language: the window's dialogs read the same everywhere.
QString buttonCaption(MsgDlgBtn button);

// The title a message dialog of this type shows when none is given.
QString defaultDialogTitle(MsgDlgType type);

// Fills a message box for messageDialog (icon, title, buttons with their captions, default
// button) without showing it; the button of each QAbstractButton is kept in its "button"
// property. Split out so it can be checked without a modal loop.
void setUpMessageDialog(QMessageBox& box, const QString& text, MsgDlgType type,
                        const QList<MsgDlgBtn>& buttons, MsgDlgBtn defaultButton,
                        const QString& title, const QStringList& customCaptions);
