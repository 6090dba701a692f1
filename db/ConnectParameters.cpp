#include "ConnectParameters.h"

#include "platform/AnsiCodePage.h"

#include <ibase.h>

namespace connectparams {

namespace {
// Where the server part of a Database text ends, or -1 when it names no server.
qsizetype serverSeparator(const QString& database)
{
    for (qsizetype i = 0; i < database.size(); ++i) {
        const QChar c = database.at(i);
        if (c == u'@' && i > 0)
            return i;
        if (c == u':' && database.size() - i > 2 && database.at(i + 1) != u'\\')
            return i;
    }
    return -1;
}
} // namespace

bool namesServer(const QString& database)
{
    return serverSeparator(database) >= 0;
}

QString databasePath(const QString& database)
{
    return database.mid(serverSeparator(database) + 1);
}

QString attachString(const QString& database, const QString& server)
{
    if (server.isEmpty() || namesServer(database))
        return database;
    return server + u':' + database;
}

namespace {
void appendItem(QByteArray& block, char item, const QString& value)
{
    if (value.isEmpty())
        return;
    // One length byte: a longer value cannot be expressed, and a cut one is refused by the
    // server like any wrong value.
    const QByteArray bytes = platform::toAnsi(value).left(255);
    block += item;
    block += char(bytes.size());
    block += bytes;
}
} // namespace

QByteArray databaseParameterBlock(const QString& user, const QString& password,
                                  const QString& characterSet, const QString& role)
{
    QByteArray block(1, char(isc_dpb_version1));
    appendItem(block, isc_dpb_user_name, user);
    appendItem(block, isc_dpb_password, password);
    appendItem(block, isc_dpb_lc_ctype, characterSet);
    appendItem(block, isc_dpb_sql_role_name, role);
    return block;
}

long littleEndian(const char* data, int length)
{
    unsigned long value = 0;
    for (int i = length - 1; i >= 0; --i)
        value = (value << 8) | static_cast<unsigned char>(data[i]);
    // Sign-extend: the library's integers are signed.
    if (length > 0 && length < int(sizeof value) && (value >> (8 * length - 1)) & 1)
        value |= ~0UL << (8 * length);
    return long(value);
}

QByteArray infoValue(const QByteArray& reply, char wanted)
{
    qsizetype pos = 0;
    while (pos + 3 <= reply.size()) {
        const char item = reply.at(pos);
        if (item == isc_info_end || item == isc_info_truncated)
            break;
        const int length = int(littleEndian(reply.constData() + pos + 1, 2));
        if (length < 0 || pos + 3 + length > reply.size())
            break;
        if (item == wanted)
            return reply.mid(pos + 3, length);
        pos += 3 + length;
    }
    return {};
}

int dialectFromInfo(const QByteArray& reply)
{
    const QByteArray value = infoValue(reply, isc_info_db_sql_dialect);
    return value.isEmpty() ? 1 : int(littleEndian(value.constData(), int(value.size())));
}

// A count, then one (implementation, class) pair per layer between the caller and the
// database file.
bool remoteFromInfo(const QByteArray& reply)
{
    const QByteArray value = infoValue(reply, isc_info_implementation);
    const int layers = value.isEmpty() ? 0 : static_cast<unsigned char>(value.at(0));
    for (int i = 0; i < layers && 2 + 2 * i < value.size(); ++i)
        if (value.at(2 + 2 * i) == isc_info_db_class_rem_int)
            return true;
    return false;
}

} // namespace connectparams
