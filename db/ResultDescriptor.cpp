#include "ResultDescriptor.h"

#include <QCoreApplication>

#include <algorithm>
#include <cstring>

namespace {

std::unique_ptr<std::max_align_t[]> zeroedBlock(std::size_t bytes)
{
    const std::size_t units = (bytes + sizeof(std::max_align_t) - 1) / sizeof(std::max_align_t);
    return std::unique_ptr<std::max_align_t[]>(new std::max_align_t[units]());
}

bool typeOf(int sqltype, SqlType& type)
{
    switch (sqltype) {
    case SQL_TEXT: type = SqlType::Char; return true;
    case SQL_VARYING: type = SqlType::VarChar; return true;
    case SQL_SHORT: type = SqlType::SmallInt; return true;
    case SQL_LONG: type = SqlType::Integer; return true;
    case SQL_INT64: type = SqlType::BigInt; return true;
    case SQL_FLOAT: type = SqlType::Float; return true;
    case SQL_DOUBLE:
    case SQL_D_FLOAT: type = SqlType::Double; return true;
    case SQL_TYPE_DATE: type = SqlType::Date; return true;
    case SQL_TYPE_TIME: type = SqlType::Time; return true;
    case SQL_TIMESTAMP: type = SqlType::Timestamp; return true;
    case SQL_BLOB: type = SqlType::Blob; return true;
    case SQL_BOOLEAN: type = SqlType::Boolean; return true;
    default: return false;
    }
}

SqlColumn columnOf(const XSQLVAR& var)
{
    SqlColumn c;
    c.name = QByteArray(var.aliasname, std::clamp<int>(var.aliasname_length, 0, int(sizeof var.aliasname)));
    const int sqltype = var.sqltype & ~1;
    if (!typeOf(sqltype, c.type))
        throw GeneralError(QCoreApplication::translate("Database", "Unsupported column type %1 of column %2")
                               .arg(sqltype)
                               .arg(QString::fromLatin1(c.name)));
    c.length = var.sqllen;
    if (c.type == SqlType::Blob) {
        c.subType = var.sqlsubtype;
        c.charset = var.sqlscale & 0xFF; // a blob's character set travels in the scale
    } else if (c.type == SqlType::Char || c.type == SqlType::VarChar) {
        c.charset = var.sqlsubtype & 0xFF; // the collation, if any, is in the high byte
    } else {
        c.scale = var.sqlscale;
    }
    return c;
}

template <typename T> T read(const char* data)
{
    T v;
    std::memcpy(&v, data, sizeof v);
    return v;
}

} // namespace

void ResultDescriptor::allocate(int variables)
{
    m_sqlda = zeroedBlock(XSQLDA_LENGTH(std::max(variables, 1)));
    XSQLDA* da = sqlda();
    da->version = SQLDA_VERSION1;
    da->sqln = short(std::max(variables, 1));
}

void ResultDescriptor::describe(ClientLibrary& library, StatementHandle& statement)
{
    ISC_STATUS_ARRAY status = {};
    allocate(16);
    library.isc_dsql_describe(status, statement.handle(), SQLDA_VERSION1, sqlda());
    library.check(status);
    if (sqlda()->sqld > sqlda()->sqln) {
        allocate(sqlda()->sqld);
        library.isc_dsql_describe(status, statement.handle(), SQLDA_VERSION1, sqlda());
        library.check(status);
    }
    const int n = sqlda()->sqld;
    m_columns.clear();
    m_indicators.assign(std::size_t(std::max(n, 0)), short(0));
    m_data.clear();
    for (int i = 0; i < n; ++i) {
        XSQLVAR& var = sqlda()->sqlvar[i];
        m_columns.push_back(columnOf(var));
        var.sqltype = short(var.sqltype | 1); // ask for the indicator of every column
        var.sqlind = &m_indicators[std::size_t(i)];
        // Room for a varying string's length word besides the declared size.
        m_data.push_back(zeroedBlock(std::size_t(std::max<int>(var.sqllen, 0)) + sizeof(short) + 1));
        var.sqldata = reinterpret_cast<ISC_SCHAR*>(m_data.back().get());
    }
}

ISC_QUAD ResultDescriptor::blobId(int i) const
{
    return read<ISC_QUAD>(sqlda()->sqlvar[i].sqldata);
}

SqlValue ResultDescriptor::value(int i) const
{
    const XSQLVAR& var = sqlda()->sqlvar[i];
    const SqlColumn& c = m_columns[std::size_t(i)];
    SqlValue v;
    v.null = m_indicators[std::size_t(i)] < 0;
    if (v.null)
        return v;
    const char* data = var.sqldata;
    switch (c.type) {
    case SqlType::Char:
        v.bytes = QByteArray(data, var.sqllen);
        break;
    case SqlType::VarChar:
        v.bytes = QByteArray(data + sizeof(short), std::clamp<int>(read<short>(data), 0, var.sqllen));
        break;
    case SqlType::SmallInt: v.integer = read<short>(data); break;
    case SqlType::Integer: v.integer = read<ISC_LONG>(data); break;
    case SqlType::BigInt: v.integer = read<ISC_INT64>(data); break;
    case SqlType::Float: v.real = double(read<float>(data)); break;
    case SqlType::Double: v.real = read<double>(data); break;
    case SqlType::Date: v.date = read<ISC_DATE>(data); break;
    case SqlType::Time: v.time = read<ISC_TIME>(data); break;
    case SqlType::Timestamp:
        v.date = read<ISC_TIMESTAMP>(data).timestamp_date;
        v.time = read<ISC_TIMESTAMP>(data).timestamp_time;
        break;
    case SqlType::Boolean: v.integer = data[0] ? 1 : 0; break;
    case SqlType::Blob: break; // read by the query, which has the transaction
    }
    return v;
}
