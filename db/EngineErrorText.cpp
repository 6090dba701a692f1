// The EngineError of a failed status vector: the client library's own texts, converted
// from the ANSI code page (a file name in them from its own encoding), each introduced by a
// carriage return.
#include "ClientLibrary.h"

#include "platform/AnsiCodePage.h"
#include "platform/ClientFileName.h"

#include <cstring>

namespace {
constexpr int TextBufferSize = 4096;

// The isc_arg_gds entries of the vector. Every other argument kind is one value, except a
// counted string, which is two.
QList<long> gdsNumbers(const ISC_STATUS* status)
{
    QList<long> numbers;
    for (int i = 0; i + 1 < ISC_STATUS_LENGTH && status[i] != isc_arg_end;) {
        if (status[i] == isc_arg_gds)
            numbers.append(long(status[i + 1]));
        i += status[i] == isc_arg_cstring ? 3 : 2;
    }
    return numbers;
}
}

EngineError ClientLibrary::engineError(const ISC_STATUS* status) const
{
    const long code = isc_sqlcode(status);

    char sqlText[TextBufferSize] = {};
    isc_sql_interprete(short(code), sqlText, short(sizeof sqlText - 1));

    // isc_interprete walks (and so moves) the vector pointer: give it a copy.
    ISC_STATUS_ARRAY copy;
    std::memcpy(copy, status, sizeof copy);
    ISC_STATUS* cursor = copy;
    QString message;
    char text[TextBufferSize];
    // A vector holds at most ISC_STATUS_LENGTH / 2 messages; the bound only guards
    // against a library that never reports the end.
    for (int i = 0; i < ISC_STATUS_LENGTH; ++i) {
        text[0] = '\0';
        if (isc_interprete(text, &cursor) <= 0)
            break;
        message += QChar(u'\r');
        message += platform::fromEngineMessage(QByteArrayView(text, qstrnlen(text, sizeof text)));
    }
    return EngineError(message, code, long(status[1]),
                       platform::fromAnsi(QByteArrayView(sqlText, qstrnlen(sqlText, sizeof sqlText))),
                       gdsNumbers(status));
}
