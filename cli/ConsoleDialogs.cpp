#include "ConsoleDialogs.h"

#include "RunMessages.h"

#include <QCoreApplication>

#include <cstdio>

namespace {

void printLine(FILE* to, const QString& text)
{
    // Database messages separate their lines with CRs; a terminal wants line feeds.
    QString shown = text;
    shown.replace(u'\r', u'\n');
    std::fputs(shown.toLocal8Bit().constData(), to);
    std::fputc('\n', to);
    std::fflush(to);
}

QString buttonName(MsgDlgBtn button)
{
    switch (button) {
    case MsgDlgBtn::Yes: return QCoreApplication::translate("ConsoleDialogs", "Yes");
    case MsgDlgBtn::No: return QCoreApplication::translate("ConsoleDialogs", "No");
    case MsgDlgBtn::OK: return QCoreApplication::translate("ConsoleDialogs", "OK");
    case MsgDlgBtn::Cancel: return QCoreApplication::translate("ConsoleDialogs", "Cancel");
    case MsgDlgBtn::Abort: return QCoreApplication::translate("ConsoleDialogs", "Abort");
    case MsgDlgBtn::Retry: return QCoreApplication::translate("ConsoleDialogs", "Retry");
    case MsgDlgBtn::Ignore: return QCoreApplication::translate("ConsoleDialogs", "Ignore");
    case MsgDlgBtn::Close: return QCoreApplication::translate("ConsoleDialogs", "Close");
    }
    return QString();
}

} // namespace

void ConsoleDialogs::showMessage(const QString& text)
{
    printLine(stdout, inUserLanguage(text));
}

// The run asks two things: the OK/Cancel confirmation of the wipe, and type 1's Yes/Cancel
// question about the sheet's barcodes. Anything else is declined.
MsgDlgBtn ConsoleDialogs::messageDialog(const QString& text, MsgDlgType, const QList<MsgDlgBtn>& buttons,
                                        MsgDlgBtn, const QString&, const QStringList&)
{
    MsgDlgBtn answer = MsgDlgBtn::Cancel;
    if (buttons.contains(MsgDlgBtn::OK))
        answer = m_confirmWipe ? MsgDlgBtn::OK : MsgDlgBtn::Cancel;
    else if (buttons.contains(MsgDlgBtn::Yes))
        answer = m_keepBarcodes ? MsgDlgBtn::Yes : MsgDlgBtn::Cancel;
    printLine(stdout, inUserLanguage(text) + QStringLiteral(" [") + buttonName(answer) + u']');
    return answer;
}

void ConsoleDialogs::showError(const QString& message)
{
    printLine(stderr, errorBoxText(inUserLanguage(message)));
}
