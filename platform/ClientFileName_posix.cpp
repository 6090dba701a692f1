#include "platform/ClientFileName.h"

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

} // namespace platform
