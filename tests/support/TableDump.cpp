#include "TableDump.h"

#include "DatabaseConnection.h"
#include "SelectQuery.h"
#include "TableScript.h"
#include "TestDatabase.h"
#include "platform/Error.h"

#include <QDataStream>

#include <cstring>

namespace {

void connectTo(DatabaseConnection& connection, const QString& database)
{
    connection.Database = database;
    connection.ClientLibrary = TestDatabase::clientLibrary();
    connection.Username = TestDatabase::user();
    connection.Password = TestDatabase::password();
}

void writeValue(QDataStream& out, const SqlColumn& column, const SqlValue& v)
{
    qint64 bits = 0;
    std::memcpy(&bits, &v.real, sizeof bits);
    out << column.name << int(column.type) << column.scale << v.null << v.bytes << v.integer << bits
        << v.date << v.time;
}

} // namespace

QByteArray dumpRows(const QString& database, const QByteArray& select, QString* error)
{
    QByteArray bytes;
    try {
        DatabaseConnection connection;
        connectTo(connection, database);
        SelectQuery q(connection, select);
        QDataStream out(&bytes, QIODevice::WriteOnly);
        while (q.fetch())
            for (std::size_t i = 0; i < q.columns().size(); ++i)
                writeValue(out, q.columns()[i], q.row()[i]);
    } catch (const std::exception& e) {
        if (error)
            *error = errorMessage(e);
        return {};
    }
    return bytes;
}

QString describeDump(const QString& database, const QByteArray& select)
{
    QString text;
    try {
        DatabaseConnection connection;
        connectTo(connection, database);
        SelectQuery q(connection, select);
        while (q.fetch()) {
            for (std::size_t i = 0; i < q.columns().size(); ++i)
                text += QString::fromLatin1(q.columns()[i].name + '=' + SqlLiteral(q.columns()[i], q.row()[i]) + ' ');
            text += u'\n';
        }
    } catch (const std::exception& e) {
        text += errorMessage(e);
    }
    return text;
}
