#include "StatementBytes.h"

#include "ConnectionImpl.h"
#include "StatementInfo.h"

#include <QCoreApplication>

int StatementBytes::execute(DatabaseConnection& connection, const QByteArray& sql,
                            const std::function<bool(int type)>& allowed)
{
    if (sql.size() > 0xFFFF)
        throw GeneralError(QCoreApplication::translate("Database", "Statement of %1 bytes is longer than the "
                                                                   "65535 a statement may have")
                               .arg(sql.size()));
    connection.setConnected(true);
    DatabaseConnection::Impl& db = *connection.d;
    ClientLibrary& library = db.attachment.library();
    const auto dialect = static_cast<unsigned short>(connection.dialect());
    db.transaction.gain();
    struct Release {
        DefaultTransaction& t;
        ~Release() { t.release(); }
    } release{db.transaction};

    StatementHandle statement;
    statement.allocate(db.attachment);
    ISC_STATUS_ARRAY status = {};
    library.isc_dsql_prepare(status, db.transaction.handle(), statement.handle(),
                             static_cast<unsigned short>(sql.size()), sql.constData(), dialect, nullptr);
    library.check(status);
    const int type = statementType(library, statement);
    if (!allowed(type))
        throw GeneralError(QCoreApplication::translate("Database", "Statement of type %1 not allowed here").arg(type));
    library.isc_dsql_execute(status, db.transaction.handle(), statement.handle(), dialect, nullptr);
    library.check(status);
    statement.free();
    return type;
}
