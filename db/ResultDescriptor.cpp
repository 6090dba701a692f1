#include "ResultDescriptor.h"

#include <QCoreApplication>

#include <algorithm>
#include <cstring>

namespace {

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

void ResultDescriptor::describe(ClientLibrary& library, StatementHandle& statement)
{
    m_columns.clear();
    m_area.describe(library, statement, DescriptorArea::Side::Columns);
    for (int i = 0; i < m_area.count(); ++i)
        m_columns.push_back(columnOf(m_area.variable(i)));
}

ISC_QUAD ResultDescriptor::blobId(int i) const
{
    return read<ISC_QUAD>(m_area.variable(i).sqldata);
}

SqlValue ResultDescriptor::value(int i) const
{
    const XSQLVAR& var = m_area.variable(i);
    const SqlColumn& c = m_columns[std::size_t(i)];
    SqlValue v;
    v.null = m_area.isNull(i);
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
