// Reading a backup script back: the statements as isql splits them, and the few kinds a
// table's backup holds.
#include "TableScript.h"

#include "Errors.h"
#include "StatementBytes.h"
#include "platform/AnsiCodePage.h"

#include <QCoreApplication>
#include <QList>

#include <ibase.h>

namespace {

bool isBlank(char c)
{
    return c == ' ' || c == '\t' || c == '\r' || c == '\n';
}

bool isWordChar(char c)
{
    return (c >= 'A' && c <= 'Z') || (c >= 'a' && c <= 'z') || (c >= '0' && c <= '9') || c == '_'
           || c == '$';
}

// Splits at ";" outside '...' literals, "..." names, /* */ and -- comments.
class Splitter {
public:
    explicit Splitter(const QByteArray& s) : m_s(s) {}

    std::vector<ScriptStatement> run()
    {
        std::vector<ScriptStatement> out;
        qsizetype start = 0;
        int startLine = 1;
        while (m_i < m_s.size()) {
            const char c = m_s[m_i];
            if (c == '\'' || c == '"')
                skipQuoted(c);
            else if (c == '/' && at(m_i + 1) == '*')
                skipTo("*/", 2);
            else if (c == '-' && at(m_i + 1) == '-')
                skipTo("\n", 2);
            else if (c == ';') {
                add(out, start, startLine);
                start = ++m_i;
                startLine = m_line;
            } else
                step();
        }
        add(out, start, startLine);
        return out;
    }

private:
    char at(qsizetype i) const { return i < m_s.size() ? m_s[i] : '\0'; }
    void step()
    {
        if (m_s[m_i] == '\n')
            ++m_line;
        ++m_i;
    }
    void skipQuoted(char quote)
    {
        step();
        while (m_i < m_s.size()) {
            if (m_s[m_i] == quote && at(m_i + 1) != quote) {
                step();
                return;
            }
            if (m_s[m_i] == quote)
                step();
            step();
        }
    }
    void skipTo(const char* end, int opener)
    {
        m_i += opener;
        const qsizetype found = m_s.indexOf(end, m_i);
        const qsizetype stop = found < 0 ? m_s.size() : found + qsizetype(qstrlen(end));
        while (m_i < stop)
            step();
    }
    void add(std::vector<ScriptStatement>& out, qsizetype start, int line)
    {
        // The line of the statement is that of its first character that is not blank.
        qsizetype first = start;
        while (first < m_i && isBlank(m_s[first])) {
            if (m_s[first] == '\n')
                ++line;
            ++first;
        }
        const QByteArray text = m_s.mid(first, m_i - first).trimmed();
        if (!text.isEmpty())
            out.push_back({text, line});
    }

    const QByteArray& m_s;
    qsizetype m_i = 0;
    int m_line = 1;
};

// The first words of a statement, comments and blanks passed over: unquoted words in upper
// case, quoted names as written between their quotes.
QList<QByteArray> firstWords(const QByteArray& s, int wanted)
{
    QList<QByteArray> words;
    qsizetype i = 0;
    while (i < s.size() && words.size() < wanted) {
        if (isBlank(s[i])) {
            ++i;
        } else if (s.mid(i, 2) == "/*") {
            const qsizetype end = s.indexOf("*/", i + 2);
            i = end < 0 ? s.size() : end + 2;
        } else if (s.mid(i, 2) == "--") {
            const qsizetype end = s.indexOf('\n', i);
            i = end < 0 ? s.size() : end + 1;
        } else if (s[i] == '"') {
            const qsizetype end = s.indexOf('"', i + 1);
            words << s.mid(i + 1, (end < 0 ? s.size() : end) - i - 1);
            i = end < 0 ? s.size() : end + 1;
        } else if (isWordChar(s[i])) {
            const qsizetype from = i;
            while (i < s.size() && isWordChar(s[i]))
                ++i;
            words << s.mid(from, i - from).toUpper();
        } else {
            words << s.mid(i, 1);
            ++i;
        }
    }
    return words;
}

enum class Kind { Skip, Delete, Insert, Other };

Kind kindOf(const ScriptStatement& statement, const QByteArray& table)
{
    const QList<QByteArray> w = firstWords(statement.text, 3);
    if (w.isEmpty() || w[0] == "SET" || w[0] == "COMMIT")
        return Kind::Skip;
    if (w.size() == 3 && w[0] == "DELETE" && w[1] == "FROM" && w[2] == table)
        return Kind::Delete;
    if (w.size() == 3 && w[0] == "INSERT" && w[1] == "INTO" && w[2] == table)
        return Kind::Insert;
    return Kind::Other;
}

} // namespace

std::vector<ScriptStatement> ScriptStatements(const QByteArray& script)
{
    return Splitter(script).run();
}

qint64 PlayTableScript(DatabaseConnection& connection, const QString& table, const QByteArray& script)
{
    const QByteArray name = platform::toAnsiExact(table.trimmed().toUpper());
    const std::vector<ScriptStatement> statements = ScriptStatements(script);
    // Every statement is looked at before the first one runs.
    for (const ScriptStatement& s : statements)
        if (kindOf(s, name) == Kind::Other)
            throw GeneralError(QCoreApplication::translate("Database", "Line %1 of the script is neither a delete from nor an "
                                              "insert into %2; nothing was restored").arg(s.line).arg(table));
    qint64 inserted = 0;
    for (const ScriptStatement& s : statements) {
        const Kind kind = kindOf(s, name);
        if (kind == Kind::Skip)
            continue;
        const int wanted = kind == Kind::Insert ? isc_info_sql_stmt_insert : isc_info_sql_stmt_delete;
        try {
            StatementBytes::execute(connection, s.text, [wanted](int type) { return type == wanted; });
        } catch (const Error& e) {
            throw GeneralError(QCoreApplication::translate("Database", "Line %1 of the script: %2").arg(s.line).arg(e.message()));
        }
        if (kind == Kind::Insert)
            ++inserted;
    }
    return inserted;
}
