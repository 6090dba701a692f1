#include "RunMessages.h"

#include <QCoreApplication>
#include <QRegularExpression>

#include <vector>

namespace {

// Every text of the run that reaches the command, word for word as the run writes it; %1,
// %2 stand for the parts that vary.
const char* const Known[] = {
    QT_TRANSLATE_NOOP("RunMessages", "Favor selecionar o Tipo de Banco a ser Convertido"),
    QT_TRANSLATE_NOOP("RunMessages", "Nenhum arquivo foi carregado."),
    QT_TRANSLATE_NOOP("RunMessages",
                      "Isso irá ZERAR Completamente o Banco de dados atual, Deseja Continuar?"),
    QT_TRANSLATE_NOOP("RunMessages", "Deseja importar o código barras contido no arquivo XLS?"),
    QT_TRANSLATE_NOOP("RunMessages", "Favor abrir o arquivo com o cod barras."),
    QT_TRANSLATE_NOOP("RunMessages", "Log de erros salvo na pasta Raiz. \"ErrorLog.txt\""),
    QT_TRANSLATE_NOOP("RunMessages", "%1 produtos não foram importados."),
    QT_TRANSLATE_NOOP("RunMessages", "Nenhum produto foi importado: o banco de dados não foi alterado."),
    QT_TRANSLATE_NOOP("RunMessages", "O arquivo carregado não tem nenhum produto para importar. "
                                     "Nada foi alterado no banco de dados."),
    // Why the run stopped, and the causes it names.
    QT_TRANSLATE_NOOP("RunMessages", "A importação parou: %1. Nada foi alterado no banco de dados.\n%2"),
    QT_TRANSLATE_NOOP("RunMessages", "A importação foi interrompida. Nada foi alterado no banco de dados."),
    QT_TRANSLATE_NOOP("RunMessages", "o servidor não conseguiu ler ou gravar o banco de dados "
                                     "(disco cheio ou com defeito?)"),
    QT_TRANSLATE_NOOP("RunMessages", "a conexão com o banco de dados foi perdida"),
    QT_TRANSLATE_NOOP("RunMessages", "o banco de dados ou o servidor foi desligado"),
    QT_TRANSLATE_NOOP("RunMessages", "faltou memória"),
    QT_TRANSLATE_NOOP("RunMessages", "o banco de dados está danificado"),
    QT_TRANSLATE_NOOP("RunMessages", "o banco de dados não aceita alterações"),
    QT_TRANSLATE_NOOP("RunMessages", "a tabela de produtos está em uso por outra conexão"),
    QT_TRANSLATE_NOOP("RunMessages", "a importação foi interrompida"),
    QT_TRANSLATE_NOOP("RunMessages", "ocorreu um erro que impede continuar"),
    QT_TRANSLATE_NOOP("RunMessages", "Não foi possível zerar o banco de dados: %1"),
    QT_TRANSLATE_NOOP("RunMessages", "o banco de dados está em uso por outra conexão ou por uma "
                                     "importação que foi interrompida. Tente novamente em instantes.%1"),
    // The files an error log must not replace.
    QT_TRANSLATE_NOOP("RunMessages", "O log de erros não será gravado em \"%1\": esse arquivo é %2."),
    QT_TRANSLATE_NOOP("RunMessages", "o banco de dados"),
    QT_TRANSLATE_NOOP("RunMessages", "o arquivo de origem"),
    QT_TRANSLATE_NOOP("RunMessages", "a lista de códigos de barras"),
    // The window's error texts for files and the client library.
    QT_TRANSLATE_NOOP("RunMessages", "Cannot open file \"%1\". %2"),
    QT_TRANSLATE_NOOP("RunMessages", "Cannot create file \"%1\". %2"),
    QT_TRANSLATE_NOOP("RunMessages", "Cannot load client DLL: %1"),
};

struct Pattern {
    const char* source;
    QRegularExpression whole; // the text, each %N a capture
    QList<int> numbers;        // the N of each capture, in order
};

Pattern patternOf(const char* source)
{
    static const QRegularExpression marker(QStringLiteral("%(\\d)"));
    const QString text = QString::fromUtf8(source);
    Pattern p{source, {}, {}};
    QString expression = QStringLiteral("\\A");
    qsizetype from = 0;
    for (const QRegularExpressionMatch& m : marker.globalMatch(text)) {
        expression += QRegularExpression::escape(text.mid(from, m.capturedStart() - from))
                      + QStringLiteral("(.*?)");
        p.numbers.append(m.captured(1).toInt());
        from = m.capturedEnd();
    }
    expression += QRegularExpression::escape(text.mid(from)) + QStringLiteral("\\z");
    p.whole = QRegularExpression(expression, QRegularExpression::DotMatchesEverythingOption);
    return p;
}

const std::vector<Pattern>& patterns()
{
    static const std::vector<Pattern> list = [] {
        std::vector<Pattern> made;
        for (const char* source : Known)
            made.push_back(patternOf(source));
        return made;
    }();
    return list;
}

// %N replaced in one pass, so that a part holding "%1" itself stays as it is.
QString filled(const QString& text, const QList<int>& numbers, const QStringList& parts)
{
    QString out;
    for (qsizetype i = 0; i < text.size(); ++i) {
        const int at = i + 1 < text.size() && text[i] == u'%' ? numbers.indexOf(text[i + 1].digitValue()) : -1;
        if (at < 0) {
            out += text[i];
            continue;
        }
        out += parts[at];
        ++i;
    }
    return out;
}

} // namespace

QString inUserLanguage(const QString& text)
{
    for (const Pattern& p : patterns()) {
        const QRegularExpressionMatch m = p.whole.match(text);
        if (!m.hasMatch())
            continue;
        QStringList parts;
        for (int i = 1; i <= m.lastCapturedIndex(); ++i)
            parts.append(inUserLanguage(m.captured(i)));
        return filled(QCoreApplication::translate("RunMessages", p.source), p.numbers, parts);
    }
    return text;
}
