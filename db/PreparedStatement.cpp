#include "PreparedStatement.h"

#include "ConnectionImpl.h"

#include <memory>
#include <utility>

struct PreparedStatement::Impl {
    DatabaseConnection* connection;
    std::weak_ptr<char> connectionAlive;
    StatementHandle statement;
    std::unique_ptr<std::max_align_t[]> block; // the XSQLDA
    XSQLDA* sqlda = nullptr;
    std::vector<short> indicators;

    DatabaseConnection::Impl& db()
    {
        if (connectionAlive.expired())
            throw GeneralError(QStringLiteral("Database not assigned"));
        return *connection->d;
    }
    void describe(ClientLibrary& library);
    void bind(const std::vector<BoundValue>& values);
};

namespace {

// Holds the transaction while one call uses it, so the work of the call stays pending in it.
struct TransactionUse {
    explicit TransactionUse(DefaultTransaction& t) : transaction(t) { transaction.gain(); }
    ~TransactionUse() { transaction.release(); }
    TransactionUse(const TransactionUse&) = delete;
    TransactionUse& operator=(const TransactionUse&) = delete;
    DefaultTransaction& transaction;
};

std::unique_ptr<std::max_align_t[]> sqldaBlock(int variables)
{
    const std::size_t bytes = XSQLDA_LENGTH(std::max(1, variables));
    auto block = std::make_unique<std::max_align_t[]>(bytes / sizeof(std::max_align_t) + 1);
    auto* sqlda = reinterpret_cast<XSQLDA*>(block.get());
    sqlda->version = SQLDA_VERSION1;
    sqlda->sqln = static_cast<short>(std::max(1, variables));
    return block;
}

} // namespace

PreparedStatement::PreparedStatement(DatabaseConnection& connection, const QByteArray& sql)
    : d(std::make_unique<Impl>())
{
    d->connection = &connection;
    connection.setConnected(true);
    d->connectionAlive = connection.d->lifetime;
    DatabaseConnection::Impl& db = d->db();
    ClientLibrary& library = db.attachment.library();
    const TransactionUse use(db.transaction);
    d->statement.allocate(db.attachment);
    // Zero-terminated, with no length: a block of many rows may be longer than the 16 bits
    // of the length field.
    ISC_STATUS_ARRAY status = {};
    library.isc_dsql_prepare(status, db.transaction.handle(), d->statement.handle(), 0, sql.constData(),
                             static_cast<unsigned short>(connection.dialect()), nullptr);
    library.check(status);
    d->describe(library);
}

PreparedStatement::~PreparedStatement()
{
    if (d->connectionAlive.expired())
        return; // the library dropped the statement with the attachment
    d->statement.freeQuietly();
}

void PreparedStatement::Impl::describe(ClientLibrary& library)
{
    block = sqldaBlock(1);
    sqlda = reinterpret_cast<XSQLDA*>(block.get());
    ISC_STATUS_ARRAY status = {};
    library.isc_dsql_describe_bind(status, statement.handle(), SQLDA_VERSION1, sqlda);
    library.check(status);
    if (sqlda->sqld > sqlda->sqln) {
        block = sqldaBlock(sqlda->sqld);
        sqlda = reinterpret_cast<XSQLDA*>(block.get());
        library.isc_dsql_describe_bind(status, statement.handle(), SQLDA_VERSION1, sqlda);
        library.check(status);
    }
    indicators.assign(std::size_t(sqlda->sqld), 0);
}

int PreparedStatement::parameterCount() const
{
    return d->sqlda->sqld;
}

// Every variable takes the type of its literal: the server then converts it to the
// parameter's own type the way it converts that literal.
void PreparedStatement::Impl::bind(const std::vector<BoundValue>& values)
{
    if (int(values.size()) != sqlda->sqld)
        throw GeneralError(QStringLiteral("%1 values for %2 parameters").arg(values.size()).arg(sqlda->sqld));
    for (int i = 0; i < sqlda->sqld; ++i) {
        const BoundValue& value = values[std::size_t(i)];
        XSQLVAR& var = sqlda->sqlvar[i];
        short& indicator = indicators[std::size_t(i)];
        var.sqlind = &indicator;
        var.sqlsubtype = 0;
        indicator = value.kind == BoundValue::Kind::Null ? -1 : 0;
        if (value.kind == BoundValue::Kind::Exact) {
            var.sqltype = SQL_INT64 + 1;
            var.sqlscale = static_cast<short>(value.scale);
            var.sqllen = sizeof(qint64);
            var.sqldata = reinterpret_cast<char*>(const_cast<qint64*>(&value.digits));
        } else {
            var.sqltype = SQL_TEXT + 1;
            var.sqlscale = 0;
            var.sqllen = static_cast<short>(value.length);
            var.sqldata = const_cast<char*>(value.text);
        }
    }
}

void PreparedStatement::execute(const std::vector<BoundValue>& values)
{
    DatabaseConnection::Impl& db = d->db();
    ClientLibrary& library = db.attachment.library();
    d->bind(values);
    const TransactionUse use(db.transaction);
    ISC_STATUS_ARRAY status = {};
    library.isc_dsql_execute(status, db.transaction.handle(), d->statement.handle(),
                             static_cast<unsigned short>(d->connection->dialect()), d->sqlda);
    library.check(status);
}
