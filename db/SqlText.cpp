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

// Where the next lexeme that may need a look starts: a quote, a comment opener or a colon.
qsizetype nextSpecial(const QString& text, qsizetype i)
{
    // The five characters are all below 64: one bit each.
    constexpr quint64 special = quint64(1) << u'\'' | quint64(1) << u'"' | quint64(1) << u'-'
                                | quint64(1) << u'/' | quint64(1) << u':';
    const QChar* data = text.constData();
    const qsizetype size = text.size();
    for (; i < size; ++i) {
        const char16_t c = data[i].unicode();
        if (c < 64 && (special >> c & 1))
            return i;
    }
    return size;
}

// The next ":name" or ":number" marker at or after i outside quoted literals, quoted names
// and comments; the text's size when there is none.
qsizetype nextMarker(const QString& text, qsizetype i)
{
    const qsizetype size = text.size();
    while (i < size) {
        i = nextSpecial(text, i);
        if (i >= size)
            break;
        const qsizetype opaqueEnd = skipOpaque(text, i);
        if (opaqueEnd > i) {
            i = opaqueEnd;
            continue;
        }
        if (text.at(i) == u':' && i + 1 < size && isNameChar(text.at(i + 1)))
            return i;
        ++i;
    }
    return size;
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
    qsizetype marker = text.contains(u':') ? nextMarker(text, 0) : text.size();
    // Most statements have no marker: they are handed back as they are, uncopied.
    if (marker >= text.size()) {
        result.text = text;
        return result;
    }
    result.text.reserve(text.size());
    qsizetype i = 0;
    while (marker < text.size()) {
        result.text += QStringView(text).mid(i, marker - i);
        qsizetype end = marker + 1;
        while (end < text.size() && isNameChar(text.at(end)))
            ++end;
        const QString name = text.mid(marker + 1, end - marker - 1);
        if (!result.names.contains(name, Qt::CaseInsensitive))
            result.names.append(name);
        result.text += u'?';
        i = end;
        marker = nextMarker(text, i);
    }
    result.text += QStringView(text).mid(i);
    return result;
}

} // namespace sqltext
