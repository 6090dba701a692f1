#include "platform/ClientFileName.h"

#include <QStringDecoder>

namespace platform {

const char* clientFileNameEncoding() { return "UTF-8"; }

// UTF-8 carries every character; only a lone surrogate (no character at all) has no bytes.
Unencodable firstUnencodableInFileName(QStringView name)
{
    for (qsizetype i = 0; i < name.size(); ++i) {
        const QChar c = name[i];
        if (c.isHighSurrogate() && i + 1 < name.size() && name[i + 1].isLowSurrogate()) {
            ++i;
            continue;
        }
        if (c.isSurrogate())
            return {i, char32_t(c.unicode())};
    }
    return {};
}

QByteArray toClientFileName(QStringView name)
{
    return name.toUtf8();
}

// Valid UTF-8 with bytes above ASCII is all but never windows-1252 text (that would take
// pairs such as "Ã§" in a key value), so such a line names a file of this file system.
QString fromEngineMessage(QByteArrayView line)
{
    bool ascii = true;
    for (const char c : line)
        ascii = ascii && static_cast<unsigned char>(c) < 0x80;
    if (!ascii) {
        QStringDecoder utf8(QStringDecoder::Utf8, QStringDecoder::Flag::Stateless);
        QString text = utf8.decode(line);
        if (!utf8.hasError())
            return text;
    }
    return fromAnsi(line);
}

} // namespace platform
