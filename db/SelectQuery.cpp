#include "SelectQuery.h"

#include "ConnectionImpl.h"
#include "ResultDescriptor.h"
#include "StatementInfo.h"

namespace {

// Holds the default transaction for the life of the query, as an execution does.
class TransactionUse {
public:
    explicit TransactionUse(DefaultTransaction& transaction) : m_transaction(transaction)
    {
        m_transaction.gain();
    }
    ~TransactionUse() { m_transaction.release(); }
    TransactionUse(const TransactionUse&) = delete;
    TransactionUse& operator=(const TransactionUse&) = delete;

private:
    DefaultTransaction& m_transaction;
};

// An open cursor, closed (DSQL_close) when it ends; the statement itself is freed after.
class Cursor {
public:
    Cursor(ClientLibrary& library, StatementHandle& statement) : m_library(library), m_statement(statement) {}
    ~Cursor()
    {
        if (!m_open || !m_statement.allocated())
            return;
        ISC_STATUS_ARRAY status = {};
        m_library.isc_dsql_free_statement(status, m_statement.handle(), DSQL_close);
    }
    Cursor(const Cursor&) = delete;
    Cursor& operator=(const Cursor&) = delete;
    void opened() { m_open = true; }

private:
    ClientLibrary& m_library;
    StatementHandle& m_statement;
    bool m_open = false;
};

// One blob, open for reading until the reader ends.
class BlobReader {
public:
    BlobReader(ClientLibrary& library, isc_db_handle* database, isc_tr_handle* transaction, ISC_QUAD id)
        : m_library(library)
    {
        ISC_STATUS_ARRAY status = {};
        m_library.isc_open_blob2(status, database, transaction, &m_handle, &id, 0, nullptr);
        if (ClientLibrary::failed(status)) {
            m_handle = 0;
            throw m_library.engineError(status);
        }
    }
    ~BlobReader()
    {
        if (!m_handle)
            return;
        ISC_STATUS_ARRAY status = {};
        m_library.isc_close_blob(status, &m_handle);
    }
    BlobReader(const BlobReader&) = delete;
    BlobReader& operator=(const BlobReader&) = delete;

    // Every segment, in order; a segment larger than the buffer comes in parts.
    QByteArray readAll()
    {
        QByteArray bytes;
        char buffer[32768];
        for (;;) {
            ISC_STATUS_ARRAY status = {};
            unsigned short got = 0;
            m_library.isc_get_segment(status, &m_handle, &got, sizeof buffer, buffer);
            if (status[1] == isc_segstr_eof)
                return bytes;
            if (status[1] != 0 && status[1] != isc_segment)
                throw m_library.engineError(status);
            bytes.append(buffer, got);
        }
    }

private:
    ClientLibrary& m_library;
    isc_blob_handle m_handle = 0;
};

} // namespace

// Members end in reverse order: the cursor closes, the statement is freed, then the
// transaction is released.
struct SelectQuery::Impl {
    explicit Impl(DatabaseConnection::Impl& connection)
        : db(connection), library(connection.attachment.library()), use(connection.transaction),
          cursor(library, statement) {}

    DatabaseConnection::Impl& db;
    ClientLibrary& library;
    TransactionUse use;
    StatementHandle statement;
    ResultDescriptor output;
    Cursor cursor;
    std::vector<SqlValue> row;
    int dialect = 3;
};

SelectQuery::SelectQuery(DatabaseConnection& connection, const QByteArray& select)
{
    connection.setConnected(true);
    d = std::make_unique<Impl>(*connection.d);
    d->dialect = connection.dialect();
    d->statement.allocate(d->db.attachment);
    ISC_STATUS_ARRAY status = {};
    // The length is given when it fits, so a zero byte cannot cut the text short.
    const auto length = static_cast<unsigned short>(select.size() <= 0xFFFF ? select.size() : 0);
    d->library.isc_dsql_prepare(status, d->db.transaction.handle(), d->statement.handle(), length,
                                select.constData(), static_cast<unsigned short>(d->dialect), nullptr);
    d->library.check(status);
    d->output.describe(d->library, d->statement);
    const int type = statementType(d->library, d->statement);
    if (d->output.count() == 0
        || (type != isc_info_sql_stmt_select && type != isc_info_sql_stmt_select_for_upd))
        throw GeneralError(QStringLiteral("SQL statement doesn't return rows"));
    d->library.isc_dsql_execute(status, d->db.transaction.handle(), d->statement.handle(),
                                static_cast<unsigned short>(d->dialect), nullptr);
    d->library.check(status);
    d->cursor.opened();
}

SelectQuery::~SelectQuery() = default;

const std::vector<SqlColumn>& SelectQuery::columns() const
{
    return d->output.columns();
}

bool SelectQuery::fetch()
{
    ISC_STATUS_ARRAY status = {};
    const ISC_STATUS result = d->library.isc_dsql_fetch(status, d->statement.handle(),
                                                        static_cast<unsigned short>(d->dialect),
                                                        d->output.sqlda());
    if (result == 100) {
        d->row.clear();
        return false;
    }
    d->library.check(status);
    const int n = d->output.count();
    d->row.resize(std::size_t(n));
    for (int i = 0; i < n; ++i) {
        SqlValue v = d->output.value(i);
        if (!v.null && d->output.columns()[std::size_t(i)].type == SqlType::Blob) {
            BlobReader blob(d->library, d->db.attachment.handle(), d->db.transaction.handle(),
                            d->output.blobId(i));
            v.bytes = blob.readAll();
        }
        d->row[std::size_t(i)] = std::move(v);
    }
    return true;
}

const std::vector<SqlValue>& SelectQuery::row() const
{
    return d->row;
}
