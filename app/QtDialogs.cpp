#include "QtDialogs.h"

#include <QAbstractButton>
#include <QFileDialog>
#include <QFileInfo>
#include <QMessageBox>
#include <QPushButton>

QString QtDialogs::applicationTitle() { return QStringLiteral("Converter Banco 2.0"); }

QString defaultDialogTitle(MsgDlgType type)
{
    switch (type) {
    case MsgDlgType::Warning: return QStringLiteral("Warning");
    case MsgDlgType::Error: return QStringLiteral("Error");
    case MsgDlgType::Information: return QStringLiteral("Information");
    case MsgDlgType::Confirmation: return QStringLiteral("Confirm");
    case MsgDlgType::Custom: break;
    }
    return QtDialogs::applicationTitle();
}

namespace {

QMessageBox::Icon iconOf(MsgDlgType type)
{
    switch (type) {
    case MsgDlgType::Warning: return QMessageBox::Warning;
    case MsgDlgType::Error: return QMessageBox::Critical;
    case MsgDlgType::Information: return QMessageBox::Information;
    case MsgDlgType::Confirmation: return QMessageBox::Question;
    case MsgDlgType::Custom: break;
    }
    return QMessageBox::NoIcon;
}

QMessageBox::StandardButton standardOf(MsgDlgBtn button)
{
    switch (button) {
    case MsgDlgBtn::Yes: return QMessageBox::Yes;
    case MsgDlgBtn::No: return QMessageBox::No;
    case MsgDlgBtn::OK: return QMessageBox::Ok;
    case MsgDlgBtn::Cancel: return QMessageBox::Cancel;
    case MsgDlgBtn::Abort: return QMessageBox::Abort;
    case MsgDlgBtn::Retry: return QMessageBox::Retry;
    case MsgDlgBtn::Ignore: return QMessageBox::Ignore;
    case MsgDlgBtn::Close: return QMessageBox::Close;
    }
    return QMessageBox::NoButton;
}

} // namespace

QString buttonCaption(MsgDlgBtn button)
{
    switch (button) {
    case MsgDlgBtn::Yes: return QStringLiteral("&Yes");
    case MsgDlgBtn::No: return QStringLiteral("&No");
    case MsgDlgBtn::OK: return QStringLiteral("OK");
    case MsgDlgBtn::Cancel: return QStringLiteral("Cancel");
    case MsgDlgBtn::Abort: return QStringLiteral("Abort");
    case MsgDlgBtn::Retry: return QStringLiteral("Retry");
    case MsgDlgBtn::Ignore: return QStringLiteral("Ignore");
    case MsgDlgBtn::Close: return QStringLiteral("Close");
    }
    return QString();
}

void setUpMessageDialog(QMessageBox& box, const QString& text, MsgDlgType type,
                        const QList<MsgDlgBtn>& buttons, MsgDlgBtn defaultButton,
                        const QString& title, const QStringList& customCaptions)
{
    box.setIcon(iconOf(type));
    box.setWindowTitle(title.isEmpty() ? defaultDialogTitle(type) : title);
    box.setText(text);
    for (int i = 0; i < buttons.size(); ++i) {
        QPushButton* b = box.addButton(standardOf(buttons[i]));
        b->setProperty("button", int(buttons[i]));
        const bool custom = i < customCaptions.size() && !customCaptions[i].isEmpty();
        b->setText(custom ? customCaptions[i] : buttonCaption(buttons[i]));
        if (buttons[i] == defaultButton)
            box.setDefaultButton(b);
    }
}

void QtDialogs::showMessage(const QString& text)
{
    QMessageBox box(QMessageBox::NoIcon, applicationTitle(), text, QMessageBox::Ok, m_parent);
    box.button(QMessageBox::Ok)->setText(buttonCaption(MsgDlgBtn::OK));
    box.exec();
    box.hide();
    redrawParent();
}

// The import runs on without returning to the event loop after its dialogs: the window is
// drawn at once where the closed box stood, or the box would stay on screen until the end.
void QtDialogs::redrawParent()
{
    if (m_parent && m_parent->isVisible())
        m_parent->repaint();
}

MsgDlgBtn QtDialogs::messageDialog(const QString& text, MsgDlgType type,
                                   const QList<MsgDlgBtn>& buttons, MsgDlgBtn defaultButton,
                                   const QString& title, const QStringList& customCaptions)
{
    QMessageBox box;
    box.setWindowModality(Qt::ApplicationModal);
    setUpMessageDialog(box, text, type, buttons, defaultButton, title, customCaptions);
    // A box without a parent window is centred on the screen when it is shown.
    box.exec();
    box.hide();
    redrawParent();
    // Closing the box without a button counts as Cancel.
    QAbstractButton* clicked = box.clickedButton();
    if (!clicked || !clicked->property("button").isValid())
        return MsgDlgBtn::Cancel;
    return MsgDlgBtn(clicked->property("button").toInt());
}

void QtDialogs::executeOpenDialog()
{
    const QString name = QFileDialog::getOpenFileName(m_parent, QString(),
                                                      QFileInfo(m_openName).path());
    if (!name.isEmpty())
        m_openName = name;
}

void QtDialogs::executeSaveDialog()
{
    // The error log is saved after every run under the same name: replacing the file is
    // the point, so no question about it.
    const QString name = QFileDialog::getSaveFileName(m_parent, QString(), m_saveName,
                                                      QStringLiteral(".txt (*.txt)"), nullptr,
                                                      QFileDialog::DontConfirmOverwrite);
    if (!name.isEmpty())
        m_saveName = name;
}

void QtDialogs::showError(const QString& message)
{
    QMessageBox box(QMessageBox::Critical, applicationTitle(), errorBoxText(message),
                    QMessageBox::Ok, m_parent);
    box.button(QMessageBox::Ok)->setText(buttonCaption(MsgDlgBtn::OK));
    box.exec();
}
