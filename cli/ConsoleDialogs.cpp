#include "ConsoleDialogs.h"

#include <QCoreApplication>
#include <QRegularExpression>

#include <cstdio>

namespace {

// The run's messages are the window's, in Portuguese as the window shows them. The command
// speaks its user's language: a message it knows is looked up in the catalogue under its
// Portuguese text; anything else (a database error, say) is printed as it is.
const char* const RunMessages[] = {
    QT_TRANSLATE_NOOP("RunMessages", "Favor selecionar o Tipo de Banco a ser Convertido"),
    QT_TRANSLATE_NOOP("RunMessages", "Nenhum arquivo foi carregado."),
    QT_TRANSLATE_NOOP("RunMessages",
                      "Isso irá ZERAR Completamente o Banco de dados atual, Deseja Continuar?"),
    QT_TRANSLATE_NOOP("RunMessages", "Deseja importar o código barras contido no arquivo XLS?"),
    QT_TRANSLATE_NOOP("RunMessages", "Favor abrir o arquivo com o cod barras."),
    QT_TRANSLATE_NOOP("RunMessages", "Log de erros salvo na pasta Raiz. \"ErrorLog.txt\""),
};
const char* const FailedCount = QT_TRANSLATE_NOOP("RunMessages", "%1 produtos não foram importados.");

QString inUserLanguage(const QString& text)
{
    static const QRegularExpression count(QStringLiteral("^(-?\\d+) produtos não foram importados\\.$"));
    const QRegularExpressionMatch m = count.match(text);
    if (m.hasMatch())
        return QCoreApplication::translate("RunMessages", FailedCount).arg(m.captured(1));
    for (const char* known : RunMessages)
        if (text == QString::fromUtf8(known))
            return QCoreApplication::translate("RunMessages", known);
    return text;
}

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
    printLine(stderr, errorBoxText(message));
}
