#include "SqlQuery.h"

#include "ConnectParameters.h"
#include "ConnectionImpl.h"
#include "ResultDescriptor.h"
#include "SqlText.h"
#include "StatementInfo.h"
#include "platform/AnsiCodePage.h"

#include <QCoreApplication>

#include <algorithm>
#include <exception>

void SqlLines::Clear()
{
    m_lines.clear();
    m_owner.textChanged();
}

void SqlLines::Add(const QString& line)
{
    m_lines.append(line);
    m_owner.textChanged();
}

struct SqlQuery::Impl {
    DatabaseConnection* connection;
    std::weak_ptr<char> connectionAlive;
    // Built on demand: a statement is assembled line by line and read once.
    mutable bool stale = true;
    mutable QString joined;               // the lines as sent without parameter scanning
    mutable sqltext::ScannedText scanned; // the same with markers replaced

    void refresh(const QStringList& lines) const
    {
        if (!stale)
            return;
        joined = sqltext::joinLines(lines);
        scanned = sqltext::scanParameters(joined);
        stale = false;
    }

    DatabaseConnection& liveConnection() const;
    void run(SqlQuery& query, bool open, ResultDescriptor* output = nullptr);
    int prepareAndExecute(const QString& text, StatementHandle& statement, ResultDescriptor* output);
    void applyAutoCommit(bool queryAutoCommit, bool startedHere);
};

namespace {

bool returnsRows(int type)
{
    return type == isc_info_sql_stmt_select || type == isc_info_sql_stmt_select_for_upd;
}

// The output row is handed back as texts, so only text columns are read: a statement that
// returns anything else is refused before it runs.
void requireTextColumns(const ResultDescriptor& output)
{
    for (const SqlColumn& column : output.columns())
        if (column.type != SqlType::Char && column.type != SqlType::VarChar)
            throw GeneralError(QCoreApplication::translate("Database", "Unsupported output column type"));
}

// Each column's text (ANSI), a null QString for NULL.
QStringList outputTexts(const ResultDescriptor& output)
{
    QStringList texts;
    for (int i = 0; i < output.count(); ++i) {
        const SqlValue value = output.value(i);
        texts.append(value.null ? QString() : platform::fromAnsi(value.bytes));
    }
    return texts;
}

// Runs a step after a possible earlier failure; the first failure is the one reported.
template <typename Step> void keepFirstFailure(std::exception_ptr& failure, Step step)
{
    try {
        step();
    } catch (...) {
        if (!failure)
            failure = std::current_exception();
    }
}

} // namespace

SqlQuery::SqlQuery(DatabaseConnection& connection) : d(std::make_unique<Impl>())
{
    d->connection = &connection;
    d->connectionAlive = connection.d->lifetime;
    connection.d->queries.push_back(this);
}

SqlQuery::~SqlQuery()
{
    if (d->connectionAlive.expired())
        return;
    auto& queries = d->connection->d->queries;
    queries.erase(std::remove(queries.begin(), queries.end(), this), queries.end());
}

void SqlQuery::textChanged()
{
    Close();
    d->stale = true;
}

// Nothing stays open or prepared between two calls: a result set is never kept (this
// tool reads no rows), so there is nothing to end here.
void SqlQuery::Close() {}

QString SqlQuery::finalText() const
{
    d->refresh(m_sql.lines());
    return ParamCheck ? d->scanned.text : d->joined;
}

QStringList SqlQuery::paramNames() const
{
    d->refresh(m_sql.lines());
    return ParamCheck ? d->scanned.names : QStringList();
}

void SqlQuery::ExecSQL()
{
    d->run(*this, false);
}

QStringList SqlQuery::ExecSQLWithOutput()
{
    ResultDescriptor output;
    d->run(*this, false, &output);
    return outputTexts(output);
}

// A select is executed and its cursor closed again with the statement: no rows are kept,
// because nothing in this tool reads them.
void SqlQuery::Open()
{
    d->run(*this, true);
}

DatabaseConnection& SqlQuery::Impl::liveConnection() const
{
    if (connectionAlive.expired())
        throw GeneralError(QStringLiteral("Database not assigned"));
    return *connection;
}

void SqlQuery::Impl::run(SqlQuery& query, bool open, ResultDescriptor* output)
{
    DatabaseConnection& db = liveConnection();
    db.setConnected(true);
    DefaultTransaction& transaction = db.d->transaction;
    const bool startedHere = !transaction.Active();
    transaction.gain();

    StatementHandle statement;
    std::exception_ptr failure;
    int type = 0;
    keepFirstFailure(failure, [&] { type = prepareAndExecute(query.finalText(), statement, output); });
    const bool rows = !failure && returnsRows(type);
    if (!rows)
        keepFirstFailure(failure, [&] { applyAutoCommit(query.AutoCommit, startedHere); });
    transaction.release();
    keepFirstFailure(failure, [&] { statement.free(); });
    if (failure)
        std::rethrow_exception(failure);
    if (open && !rows)
        throw NoRowsError();
}

int SqlQuery::Impl::prepareAndExecute(const QString& text, StatementHandle& statement,
                                      ResultDescriptor* output)
{
    if (sqltext::isBlank(text))
        throw GeneralError(QStringLiteral("SQL statement cannot be empty"));
    DatabaseConnection::Impl& db = *connection->d;
    ClientLibrary& library = db.attachment.library();
    const auto dialect = static_cast<unsigned short>(db.dialect);
    // Converted before anything reaches the server: a character the code page lacks fails
    // this statement alone instead of going out as a stand-in.
    const QByteArray sql = platform::toAnsiExact(text);
    statement.allocate(db.attachment);

    // The text is zero-terminated; its length is given too when it fits the length field,
    // so a stray zero character cannot silently cut the statement short.
    const auto length = static_cast<unsigned short>(sql.size() <= 0xFFFF ? sql.size() : 0);
    ISC_STATUS_ARRAY status = {};
    library.isc_dsql_prepare(status, db.transaction.handle(), statement.handle(), length,
                             sql.constData(), dialect, nullptr);
    library.check(status);

    const int type = statementType(library, statement);
    if (type == isc_info_sql_stmt_get_segment || type == isc_info_sql_stmt_put_segment
        || type == isc_info_sql_stmt_start_trans)
        throw GeneralError(QStringLiteral("Unsupported SQL type"));

    // The tool never assigns a parameter: each one goes out as NULL.
    DescriptorArea parameters;
    if (text.contains(u'?')) {
        parameters.describe(library, statement, DescriptorArea::Side::Parameters);
        parameters.setAllNull();
    }
    if (output) {
        output->describe(library, statement);
        requireTextColumns(*output);
        library.isc_dsql_execute2(status, db.transaction.handle(), statement.handle(), dialect,
                                  parameters.sqlda(), output->sqlda());
    } else {
        library.isc_dsql_execute(status, db.transaction.handle(), statement.handle(), dialect,
                                 parameters.sqlda());
    }
    library.check(status);
    return type;
}

void SqlQuery::Impl::applyAutoCommit(bool queryAutoCommit, bool startedHere)
{
    DatabaseConnection& db = *connection;
    DefaultTransaction& transaction = db.d->transaction;
    // A COMMIT or ROLLBACK statement may itself have ended the transaction.
    if (!db.AutoCommit || !queryAutoCommit || !transaction.Active())
        return;
    if (startedHere)
        transaction.Commit();
    else
        transaction.CommitRetaining();
}
