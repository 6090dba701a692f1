#include "ConnectionImpl.h"

#include "ClientLibrary.h"
#include "ConnectParameters.h"
#include "SqlQuery.h"
#include "platform/ClientFileName.h"

#include <QCoreApplication>

#include <algorithm>

DatabaseConnection::Impl::Impl() : transaction(attachment, [this] { closeQueries(); }) {}

void DatabaseConnection::Impl::connect(const DatabaseConnection& settings)
{
    if (settings.Database.isEmpty())
        throw DatabaseError(QStringLiteral("Database name missing"));
    const QString target = connectparams::attachString(settings.Database, settings.Server);
    // The name travels in the file system's encoding, which the platform unit chooses; a
    // stand-in byte would name another file and end in a puzzling "file not found".
    const platform::Unencodable bad = platform::firstUnencodableInFileName(target);
    if (bad.offset >= 0)
        throw DatabaseError(QCoreApplication::translate("Database", "The database name \"%1\" holds the character U+%2, which "
                                           "the %3 file names of the client library cannot carry")
                                .arg(target, QString::number(bad.codePoint, 16).toUpper().rightJustified(4, u'0'),
                                     QString::fromLatin1(platform::clientFileNameEncoding())));
    ::ClientLibrary& library = ::ClientLibrary::acquire(settings.ClientLibrary);
    const QByteArray dpb = connectparams::databaseParameterBlock(
        settings.Username, settings.Password, settings.CharacterSet, settings.Role);
    attachment.attach(library, platform::toClientFileName(target), dpb);
    try {
        const int own = connectparams::dialectFromInfo(attachment.info(isc_info_db_sql_dialect));
        dialect = std::min(settings.SQLDialect, own);
    } catch (...) {
        attachment.detachQuietly();
        throw;
    }
}

void DatabaseConnection::Impl::disconnect()
{
    transaction.rollbackQuietly();
    attachment.detach();
}

void DatabaseConnection::Impl::disconnectQuietly() noexcept
{
    transaction.rollbackQuietly();
    attachment.detachQuietly();
}

void DatabaseConnection::Impl::closeQueries()
{
    for (SqlQuery* query : queries)
        query->Close();
}

DatabaseConnection::DatabaseConnection()
    : ClientLibrary(::ClientLibrary::defaultName()), d(std::make_unique<Impl>())
{
}

DatabaseConnection::~DatabaseConnection()
{
    d->disconnectQuietly();
}

bool DatabaseConnection::Connected() const
{
    return d->attachment.attached();
}

void DatabaseConnection::setConnected(bool connected)
{
    if (connected == Connected())
        return;
    if (connected)
        d->connect(*this);
    else
        d->disconnect();
}

void DatabaseConnection::Commit()
{
    d->transaction.Commit();
}

void DatabaseConnection::rollbackQuietly() noexcept
{
    d->transaction.rollbackQuietly();
}

void DatabaseConnection::Rollback()
{
    if (d->transaction.Active())
        d->closeQueries();
    d->transaction.rollbackQuietly(); // also ends a cancel that found no work
}

int DatabaseConnection::dialect() const
{
    return d->dialect;
}

DefaultTransaction& DatabaseConnection::defaultTransaction()
{
    return d->transaction;
}
