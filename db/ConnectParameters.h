#pragma once
// What a connect sends: the attach string and the database parameter block, and how the
// reply about the database's dialect is read.
#include <QByteArray>
#include <QString>

namespace connectparams {

// True when the text already names a server: "server:path" (TCP) or "server@path" (SPX).
// A colon separates a server only when at least two characters follow it and the first
// of them is not a backslash, so a drive letter ("C:\...") never makes a server.
bool namesServer(const QString& database);

// The path of the database file in a Database text: the text after the server part when
// it names a server, else the whole text.
QString databasePath(const QString& database);

// The Database text itself when it names a server or no server is set; else server ":" path.
QString attachString(const QString& database, const QString& server);

// isc_dpb_version1, then user name (28), password (29), character set (48) and role (60),
// each only when not empty, as item, length byte, ANSI bytes. No dialect item.
QByteArray databaseParameterBlock(const QString& user, const QString& password,
                                  const QString& characterSet, const QString& role);

// The value bytes of one item of an isc_database_info reply; empty when the reply lacks it.
QByteArray infoValue(const QByteArray& reply, char item);

// True when an isc_info_implementation reply names the client's remote interface among its
// layers: the database is reached through a server, not opened by an engine in this process.
bool remoteFromInfo(const QByteArray& reply);

// The dialect in an isc_database_info reply for isc_info_db_sql_dialect; 1 when the reply
// does not carry the item.
int dialectFromInfo(const QByteArray& reply);

// The value of a little-endian integer of `length` bytes at `data`.
long littleEndian(const char* data, int length);

} // namespace connectparams
