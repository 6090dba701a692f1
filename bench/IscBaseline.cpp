#include "IscBaseline.h"

#include "ClientLibrary.h"
#include "platform/DynamicLibrary.h"

#include <ibase.h>

#include <memory>
#include <stdexcept>
#include <string>

namespace {

// The library is opened by name at run time, as the tool opens it, so that no binary of the
// project links it; the declarations of ibase.h give the entry points their types.
struct Client {
#define CB_ENTRY(name) decltype(&::name) name = reinterpret_cast<decltype(&::name)>(entry(#name))
    std::unique_ptr<platform::DynamicLibrary> library =
        platform::DynamicLibrary::load(ClientLibrary::defaultName());
    void* entry(const char* name) const
    {
        void* address = library ? library->symbol(name) : nullptr;
        if (!address)
            throw std::runtime_error(ClientLibrary::defaultName().toStdString() + ": no " + name);
        return address;
    }
    CB_ENTRY(isc_attach_database);
    CB_ENTRY(isc_detach_database);
    CB_ENTRY(isc_start_transaction);
    CB_ENTRY(isc_commit_transaction);
    CB_ENTRY(isc_rollback_transaction);
    CB_ENTRY(isc_dsql_alloc_statement2);
    CB_ENTRY(isc_dsql_prepare);
    CB_ENTRY(isc_dsql_sql_info);
    CB_ENTRY(isc_dsql_execute);
    CB_ENTRY(isc_dsql_describe_bind);
    CB_ENTRY(isc_dsql_free_statement);
    CB_ENTRY(isc_vax_integer);
    CB_ENTRY(fb_interpret);
#undef CB_ENTRY
};

const Client& client()
{
    static const Client loaded;
    return loaded;
}

void check(const ISC_STATUS* status, const char* step)
{
    if (status[0] != 1 || status[1] == 0)
        return;
    std::string text = step;
    char buffer[512];
    const ISC_STATUS* cursor = status;
    while (client().fb_interpret(buffer, sizeof buffer, &cursor) > 0)
        text += std::string(": ") + buffer;
    throw std::runtime_error(text);
}

QByteArray parameterBlock(const QByteArray& user, const QByteArray& password)
{
    QByteArray dpb(1, char(isc_dpb_version1));
    dpb += char(isc_dpb_user_name);
    dpb += char(user.size());
    dpb += user;
    dpb += char(isc_dpb_password);
    dpb += char(password.size());
    dpb += password;
    return dpb;
}

// The statement type, read as the database layer reads it (and ignored, as an insert's is).
int statementType(isc_stmt_handle* statement)
{
    ISC_STATUS_ARRAY status = {};
    const char item = isc_info_sql_stmt_type;
    char reply[16] = {};
    client().isc_dsql_sql_info(status, statement, 1, &item, short(sizeof reply), reply);
    check(status, "isc_dsql_sql_info");
    return reply[0] == isc_info_sql_stmt_type ? int(client().isc_vax_integer(reply + 3, 2)) : 0;
}

void runOne(isc_db_handle* database, isc_tr_handle* transaction, const QByteArray& sql)
{
    ISC_STATUS_ARRAY status = {};
    isc_stmt_handle statement = 0;
    client().isc_dsql_alloc_statement2(status, database, &statement);
    check(status, "isc_dsql_alloc_statement2");
    client().isc_dsql_prepare(status, transaction, &statement, static_cast<unsigned short>(sql.size()),
                     sql.constData(), SQL_DIALECT_V6, nullptr);
    check(status, "isc_dsql_prepare");
    if (statementType(&statement) != isc_info_sql_stmt_insert)
        throw std::runtime_error("the baseline only sends inserts");
    client().isc_dsql_execute(status, transaction, &statement, SQL_DIALECT_V6, nullptr);
    check(status, "isc_dsql_execute");
    client().isc_dsql_free_statement(status, &statement, DSQL_drop);
    check(status, "isc_dsql_free_statement");
}

const char* const InsertHead =
    "insert into c000025 (codigo,codbarra,produto,unidade,data_cadastro,precocusto,precovenda,"
    "estoque,ncm,cst,classificacao_fiscal,aliquota,tipo,situacao,piscofins,incidencia_piscofins,"
    "iat,ippt,situacao_tributaria,flag_sis,csosn,ind_cfop_venda_dentro) values "
    "(?,?,?,?,?,?,?,?,?,?,?,?,?,?,?,?,?,?,?,?,?,?)";

// The insert prepared once; each execution binds one row's 22 texts.
class PreparedInsert {
public:
    PreparedInsert(isc_db_handle* db, isc_tr_handle* transaction) : m_transaction(transaction)
    {
        ISC_STATUS_ARRAY status = {};
        client().isc_dsql_alloc_statement2(status, db, &m_statement);
        check(status, "isc_dsql_alloc_statement2");
        client().isc_dsql_prepare(status, transaction, &m_statement, 0, InsertHead, SQL_DIALECT_V6, nullptr);
        check(status, "isc_dsql_prepare");
        m_block.reset(new std::max_align_t[XSQLDA_LENGTH(22) / sizeof(std::max_align_t) + 1]());
        m_sqlda = reinterpret_cast<XSQLDA*>(m_block.get());
        m_sqlda->version = SQLDA_VERSION1;
        m_sqlda->sqln = 22;
        client().isc_dsql_describe_bind(status, &m_statement, SQLDA_VERSION1, m_sqlda);
        check(status, "isc_dsql_describe_bind");
    }
    ~PreparedInsert()
    {
        ISC_STATUS_ARRAY ignored = {};
        client().isc_dsql_free_statement(ignored, &m_statement, DSQL_drop);
    }
    void execute(const std::vector<QByteArray>& values)
    {
        for (int i = 0; i < m_sqlda->sqld; ++i) {
            XSQLVAR& var = m_sqlda->sqlvar[i];
            var.sqltype = SQL_TEXT;
            var.sqlsubtype = 0;
            var.sqlscale = 0;
            var.sqllen = short(values[size_t(i)].size());
            var.sqldata = const_cast<char*>(values[size_t(i)].constData());
            var.sqlind = nullptr;
        }
        ISC_STATUS_ARRAY status = {};
        client().isc_dsql_execute(status, m_transaction, &m_statement, SQL_DIALECT_V6, m_sqlda);
        check(status, "isc_dsql_execute");
    }

private:
    isc_tr_handle* m_transaction;
    isc_stmt_handle m_statement = 0;
    std::unique_ptr<std::max_align_t[]> m_block;
    XSQLDA* m_sqlda = nullptr;
};

// Attaches, runs work in one read-committed, no-wait write transaction (the tool's), commits
// and detaches; the time covers the transaction.
template <typename Work>
Elapsed inTransaction(const QByteArray& database, const QByteArray& user, const QByteArray& password,
                      Work work)
{
    ISC_STATUS_ARRAY status = {};
    isc_db_handle db = 0;
    const QByteArray dpb = parameterBlock(user, password);
    client().isc_attach_database(status, short(database.size()), database.constData(), &db,
                        short(dpb.size()), dpb.constData());
    check(status, "isc_attach_database");

    static const char tpb[] = {isc_tpb_version3, isc_tpb_read_committed, isc_tpb_rec_version,
                               isc_tpb_nowait, isc_tpb_write};
    isc_tr_handle transaction = 0;
    Elapsed seconds;
    try {
        const Stopwatch clock;
        client().isc_start_transaction(status, &transaction, 1, &db, short(sizeof tpb), tpb);
        check(status, "isc_start_transaction");
        work(&db, &transaction);
        client().isc_commit_transaction(status, &transaction);
        check(status, "isc_commit_transaction");
        seconds = clock.elapsed();
    } catch (...) {
        ISC_STATUS_ARRAY ignored = {};
        if (transaction)
            client().isc_rollback_transaction(ignored, &transaction);
        client().isc_detach_database(ignored, &db);
        throw;
    }
    client().isc_detach_database(status, &db);
    check(status, "isc_detach_database");
    return seconds;
}

} // namespace

Elapsed RunIscBaseline(const QByteArray& database, const QByteArray& user,
                      const QByteArray& password, const std::vector<QByteArray>& statements)
{
    return inTransaction(database, user, password, [&](isc_db_handle* db, isc_tr_handle* transaction) {
        for (const QByteArray& sql : statements)
            runOne(db, transaction, sql);
    });
}

Elapsed RunPreparedLoop(const QByteArray& database, const QByteArray& user,
                        const QByteArray& password, const std::vector<std::vector<QByteArray>>& rows)
{
    return inTransaction(database, user, password, [&](isc_db_handle* db, isc_tr_handle* transaction) {
        PreparedInsert insert(db, transaction);
        for (const auto& values : rows)
            insert.execute(values);
    });
}
