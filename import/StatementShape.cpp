#include "StatementShape.h"

#include "NumberLiteral.h"

#include <algorithm>
#include <string_view>

namespace shape {

namespace {

bool isBlank(QChar c)
{
    return c == u' ' || c == u'\t' || c == u'\r' || c == u'\n';
}

bool isDigit(QChar c)
{
    return c >= u'0' && c <= u'9';
}

bool isNameStart(QChar c)
{
    return (c >= u'a' && c <= u'z') || (c >= u'A' && c <= u'Z') || c == u'_';
}

bool isNamePart(QChar c)
{
    return isNameStart(c) || isDigit(c) || c == u'$';
}

bool isSymbol(QChar c)
{
    return QStringView(u"(),;+-*/=.<>").contains(c);
}

QString describe(QChar c)
{
    return QStringLiteral("U+%1").arg(c.unicode(), 4, 16, QChar(u'0')).toUpper();
}

class Lexer {
public:
    explicit Lexer(QStringView text) : m_text(text) {}

    Lexed run()
    {
        Lexed out;
        out.tokens.reserve(128); // a product insert has 94
        while (m_i < m_text.size() && out.problem.isEmpty()) {
            const QChar c = m_text[m_i];
            if (isBlank(c))
                ++m_i;
            else
                out.problem = next(out.tokens);
        }
        return out;
    }

private:
    QChar at(qsizetype i) const { return i < m_text.size() ? m_text[i] : QChar(); }

    QString next(std::vector<Token>& tokens)
    {
        const qsizetype start = m_i;
        const QChar c = m_text[m_i];
        const QChar following = at(m_i + 1);
        TokenKind kind;
        if (c == u'\'') {
            if (!skipString())
                return QStringLiteral("a string opened at offset %1 is never closed").arg(start);
            kind = TokenKind::String;
        } else if (const qsizetype n = numberEnd(m_i); n > m_i) {
            m_i = n;
            kind = TokenKind::Number;
        } else if (isNameStart(c)) {
            while (isNamePart(at(m_i)))
                ++m_i;
            kind = TokenKind::Name;
        } else if ((c == u'-' && following == u'-') || (c == u'/' && following == u'*')) {
            return QStringLiteral("a comment starts at offset %1").arg(start);
        } else if (isSymbol(c)) {
            ++m_i;
            kind = TokenKind::Symbol;
        } else {
            return QStringLiteral("the character %1 at offset %2 starts no token").arg(describe(c)).arg(start);
        }
        tokens.push_back({kind, m_text.mid(start, m_i - start)});
        return {};
    }

    // A doubled quote is a quote inside the literal, not its end.
    bool skipString()
    {
        ++m_i;
        while (m_i < m_text.size()) {
            if (m_text[m_i] == u'\'') {
                if (at(m_i + 1) != u'\'') {
                    ++m_i;
                    return true;
                }
                ++m_i;
            }
            ++m_i;
        }
        return false;
    }

    // Where a number literal that starts at i ends; i when none starts there.
    qsizetype numberEnd(qsizetype i) const
    {
        const char16_t* data = m_text.utf16();
        return numberliteral::scan(data + i, data + m_text.size()) - data;
    }

    QStringView m_text;
    qsizetype m_i = 0;
};

// Walks the tokens of one insert; each expectation names what it wanted when it fails.
class Parser {
public:
    explicit Parser(const std::vector<Token>& tokens) : m_tokens(tokens) {}

    QString problem() const { return m_problem; }
    bool done() const { return m_i >= m_tokens.size(); }

    bool keyword(QStringView word)
    {
        if (!done() && m_tokens[m_i].kind == TokenKind::Name
            && m_tokens[m_i].text.compare(word, Qt::CaseInsensitive) == 0) {
            ++m_i;
            return true;
        }
        return fail(u'"' + word.toString() + u'"');
    }

    bool symbol(QChar c)
    {
        if (!done() && m_tokens[m_i].kind == TokenKind::Symbol && m_tokens[m_i].text == QStringView(&c, 1)) {
            ++m_i;
            return true;
        }
        return fail(u'"' + QString(c) + u'"');
    }

    bool peekSymbol(QChar c) const
    {
        return !done() && m_tokens[m_i].kind == TokenKind::Symbol && m_tokens[m_i].text == QStringView(&c, 1);
    }

    bool name(QStringView& text)
    {
        if (!done() && m_tokens[m_i].kind == TokenKind::Name) {
            text = m_tokens[m_i++].text;
            return true;
        }
        return fail(QStringLiteral("a column name"));
    }

    // A string, NULL, or a number with at most one sign before it.
    bool value()
    {
        if (peekSymbol(u'+') || peekSymbol(u'-'))
            ++m_i;
        if (!done()) {
            const Token& t = m_tokens[m_i];
            const bool isNull = t.kind == TokenKind::Name && t.text.size() == 4
                                && t.text.compare(u"null", Qt::CaseInsensitive) == 0;
            if (t.kind == TokenKind::String || t.kind == TokenKind::Number || isNull) {
                ++m_i;
                return true;
            }
        }
        return fail(QStringLiteral("a string, a number or NULL"));
    }

    // Where the token just taken ends in text; always true, to sit in a chain of steps.
    bool markEnd(QStringView text, qsizetype* end) const
    {
        if (end && m_i > 0) {
            const QStringView t = m_tokens[m_i - 1].text;
            *end = qsizetype(t.data() + t.size() - text.data());
        }
        return true;
    }

    bool fail(const QString& wanted)
    {
        if (m_problem.isEmpty()) {
            const QString found = done() ? QStringLiteral("the end") : u'"' + m_tokens[m_i].text.toString() + u'"';
            m_problem = QStringLiteral("%1 expected at token %2, found %3").arg(wanted).arg(m_i + 1).arg(found);
        }
        return false;
    }

private:
    const std::vector<Token>& m_tokens;
    size_t m_i = 0;
    QString m_problem;
};

// "(" item {"," item} ")", counting the items.
template <typename Item> bool list(Parser& p, int& count, Item item)
{
    if (!p.symbol(u'('))
        return false;
    do {
        if (!item())
            return false;
        ++count;
    } while (p.peekSymbol(u',') && p.symbol(u','));
    return p.symbol(u')');
}

} // namespace

Lexed lex(QStringView text)
{
    return Lexer(text).run();
}

namespace {

// The general check. valuesEnd, when given, learns where the "values" keyword ends.
QString checkInsert(QStringView text, QStringView table, int columns, qsizetype* valuesEnd)
{
    const Lexed lexed = lex(text);
    if (!lexed.problem.isEmpty())
        return lexed.problem;
    Parser p(lexed.tokens);
    // A handful of names, checked once per row: a scan costs less than hashing each one.
    std::vector<QStringView> names;
    names.reserve(columns);
    QString duplicate;
    const auto named = [&names](QStringView n) {
        return std::any_of(names.begin(), names.end(),
                           [n](QStringView seen) {
                               return seen.size() == n.size() && seen.compare(n, Qt::CaseInsensitive) == 0;
                           });
    };
    int nameCount = 0;
    int valueCount = 0;
    const bool parsed = p.keyword(u"insert") && p.keyword(u"into") && p.keyword(table)
                        && list(p, nameCount, [&] {
                               QStringView n;
                               if (!p.name(n))
                                   return false;
                               if (duplicate.isEmpty() && named(n))
                                   duplicate = n.toString().toLower();
                               names.push_back(n);
                               return true;
                           })
                        && p.keyword(u"values") && p.markEnd(text, valuesEnd)
                        && list(p, valueCount, [&] { return p.value(); });
    if (!parsed)
        return p.problem();
    if (!p.done()) {
        p.fail(QStringLiteral("the end"));
        return p.problem();
    }
    if (!duplicate.isEmpty())
        return QStringLiteral("the column %1 is named twice").arg(duplicate);
    if (nameCount != columns || valueCount != columns)
        return QStringLiteral("%1 columns and %2 values instead of %3 each").arg(nameCount).arg(valueCount).arg(columns);
    return {};
}

// One pass over "(" value {"," value} ")" as the statement builder writes it, each value a
// quoted string, a number with an optional sign, or NULL. It accepts less than the general
// check: whatever it does not accept goes to that check for the verdict and the reason.
class ValuesScan {
public:
    explicit ValuesScan(QStringView text) : m_p(text.utf16()), m_end(m_p + text.size()) {}

    bool plainList(int columns)
    {
        int count = 0;
        if (!skipTo(u'('))
            return false;
        do {
            if (!value())
                return false;
            ++count;
        } while (skipTo(u','));
        if (!skipTo(u')'))
            return false;
        skipBlanks();
        return m_p == m_end && count == columns;
    }

private:
    char16_t peek() const { return m_p < m_end ? *m_p : u'\0'; }

    void skipBlanks()
    {
        while (m_p < m_end && isBlank(QChar(*m_p)))
            ++m_p;
    }

    bool skipTo(char16_t symbol)
    {
        skipBlanks();
        if (peek() != symbol)
            return false;
        ++m_p;
        return true;
    }

    bool value()
    {
        skipBlanks();
        if (peek() == u'+' || peek() == u'-') {
            ++m_p;
            skipBlanks();
        }
        const char16_t c = peek();
        if (c == u'\'')
            return string();
        if (const char16_t* n = numberliteral::scan(m_p, m_end); n > m_p) {
            m_p = n;
            return true;
        }
        return null();
    }

    // A doubled quote is a quote inside the literal.
    bool string()
    {
        for (++m_p; m_p < m_end; ++m_p) {
            if (*m_p != u'\'')
                continue;
            if (m_p + 1 < m_end && m_p[1] == u'\'') {
                ++m_p;
                continue;
            }
            ++m_p;
            return true;
        }
        return false;
    }

    bool null()
    {
        for (const char16_t w : std::u16string_view(u"null")) {
            if (m_p >= m_end || (*m_p | 0x20) != w)
                return false;
            ++m_p;
        }
        return !isNamePart(QChar(peek()));
    }

    const char16_t* m_p;
    const char16_t* m_end;
};

} // namespace

QString insertProblem(QStringView text, QStringView table, int columns)
{
    return checkInsert(text, table, columns, nullptr);
}

// Every row's statement has the same head (the table and the column names) and its own
// values. The head is checked in full the first time and then only compared; the values
// get the one-pass scan. Anything unusual is checked in full again.
QString productInsertProblem(QStringView text)
{
    // thread_local rather than static, for the reason RegistrationDate's cache is: a run
    // on another thread learns the head once for itself and compares against its own
    // copy, with no lock on the per-row path and no race between two runs.
    thread_local QString acceptedHead;
    if (!acceptedHead.isEmpty() && text.startsWith(acceptedHead)
        && ValuesScan(text.mid(acceptedHead.size())).plainList(kProductColumns))
        return {};
    qsizetype valuesEnd = -1;
    QString problem = checkInsert(text, u"c000025", kProductColumns, &valuesEnd);
    if (problem.isEmpty() && valuesEnd > 0)
        acceptedHead = text.left(valuesEnd).toString();
    return problem;
}

} // namespace shape
