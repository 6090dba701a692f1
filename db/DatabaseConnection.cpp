#include "ConnectionImpl.h"

#include "ClientLibrary.h"
#include "ConnectParameters.h"
#include "SqlQuery.h"
#include "platform/AnsiCodePage.h"

#include <algorithm>

DatabaseConnection::Impl::Impl() : transaction(attachment, [this] { closeQueries(); }) {}

void DatabaseConnection::Impl::connect(const DatabaseConnection& settings)
{
    if (settings.Database.isEmpty())
        throw DatabaseError(QStringLiteral("Database name missing"));
    const QString target = connectparams::attachString(settings.Database, settings.Server);
    // The client library takes the name in the code page; a stand-in byte would name
    // another file and end in a puzzling "file not found".
    const platform::Unencodable bad = platform::firstUnencodable(target);
    if (bad.offset >= 0)
        throw DatabaseError(QStringLiteral("The database name \"%1\" holds the character U+%2, which "
                                           "the %3 code page of the client library cannot carry")
                                .arg(target, QString::number(bad.codePoint, 16).toUpper().rightJustified(4, u'0'),
                                     QString::fromLatin1(platform::ansiCodePageName())));
    ::ClientLibrary& library = ::ClientLibrary::acquire(settings.ClientLibrary);
    const QByteArray dpb = connectparams::databaseParameterBlock(
        settings.Username, settings.Password, settings.CharacterSet, settings.Role);
    attachment.attach(library, platform::toAnsi(target), dpb);
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
    if (!d->transaction.Active())
        return;
    d->closeQueries();
    d->transaction.rollbackQuietly();
}

int DatabaseConnection::dialect() const
{
    return d->dialect;
}

DefaultTransaction& DatabaseConnection::defaultTransaction()
{
    return d->transaction;
}
