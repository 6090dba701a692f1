#include "SqlText.h"

namespace sqltext {

namespace {

bool isControlOrBlank(QChar c)
{
    return c.unicode() < 33;
}

bool isNameChar(QChar c)
{
    return c.isLetterOrNumber() || c == u'_' || c == u'$';
}

// The end (one past) of the lexeme that starts at `i` when it is a quoted literal, a
// quoted name or a comment; `i` itself otherwise. An unclosed one runs to the end.
qsizetype skipOpaque(const QString& text, qsizetype i)
{
    const QChar c = text.at(i);
    const QChar next = i + 1 < text.size() ? text.at(i + 1) : QChar();
    qsizetype end = -1;
    if (c == u'\'' || c == u'"') {
        end = text.indexOf(c, i + 1);
        return end < 0 ? text.size() : end + 1;
    }
    if (c == u'-' && next == u'-') {
        end = text.indexOf(u'\n', i + 2);
        return end < 0 ? text.size() : end + 1;
    }
    if (c == u'/' && next == u'*') {
        end = text.indexOf(QLatin1String("*/"), i + 2);
        return end < 0 ? text.size() : end + 2;
    }
    return i;
}

} // namespace

QString joinLines(const QStringList& lines)
{
    QString text;
    qsizetype size = 0;
    for (const QString& line : lines)
        size += line.size() + 2;
    text.reserve(size);
    for (const QString& line : lines) {
        text += line;
        text += QLatin1String("\r\n");
    }
    qsizetype end = text.size();
    while (end > 0 && isControlOrBlank(text.at(end - 1)))
        --end;
    text.truncate(end);
    return text;
}

bool isBlank(const QString& text)
{
    for (QChar c : text)
        if (!isControlOrBlank(c))
            return false;
    return true;
}

ScannedText scanParameters(const QString& text)
{
    ScannedText result;
    if (!text.contains(u':')) {
        result.text = text;
        return result;
    }
    result.text.reserve(text.size());
    qsizetype i = 0;
    while (i < text.size()) {
        const qsizetype opaqueEnd = skipOpaque(text, i);
        if (opaqueEnd > i) {
            result.text += QStringView(text).mid(i, opaqueEnd - i);
            i = opaqueEnd;
            continue;
        }
        if (text.at(i) == u':' && i + 1 < text.size() && isNameChar(text.at(i + 1))) {
            qsizetype end = i + 1;
            while (end < text.size() && isNameChar(text.at(end)))
                ++end;
            const QString name = text.mid(i + 1, end - i - 1);
            if (!result.names.contains(name, Qt::CaseInsensitive))
                result.names.append(name);
            result.text += u'?';
            i = end;
            continue;
        }
        result.text += text.at(i);
        ++i;
    }
    return result;
}

} // namespace sqltext
