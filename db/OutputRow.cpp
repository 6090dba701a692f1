#include "OutputRow.h"

#include "platform/AnsiCodePage.h"

#include <QCoreApplication>

#include <cstring>

namespace {
std::unique_ptr<std::max_align_t[]> zeroedBlock(std::size_t bytes)
{
    const std::size_t units = (bytes + sizeof(std::max_align_t) - 1) / sizeof(std::max_align_t);
    return std::unique_ptr<std::max_align_t[]>(new std::max_align_t[units]());
}

bool isText(const XSQLVAR& var)
{
    const int type = var.sqltype & ~1;
    return type == SQL_TEXT || type == SQL_VARYING;
}
} // namespace

void OutputRow::allocate(int variables)
{
    m_sqlda = zeroedBlock(XSQLDA_LENGTH(variables));
    sqlda()->version = SQLDA_VERSION1;
    sqlda()->sqln = short(variables);
}

void OutputRow::describe(ClientLibrary& library, StatementHandle& statement)
{
    ISC_STATUS_ARRAY status = {};
    allocate(1);
    library.isc_dsql_describe(status, statement.handle(), SQLDA_VERSION1, sqlda());
    library.check(status);
    if (sqlda()->sqld > sqlda()->sqln) {
        allocate(sqlda()->sqld);
        library.isc_dsql_describe(status, statement.handle(), SQLDA_VERSION1, sqlda());
        library.check(status);
    }
    const int n = sqlda()->sqld;
    if (n == 0) {
        m_sqlda.reset();
        return;
    }
    m_indicators.assign(std::size_t(n), short(0));
    m_data.clear();
    for (int i = 0; i < n; ++i) {
        XSQLVAR& var = sqlda()->sqlvar[i];
        if (!isText(var))
            throw GeneralError(QCoreApplication::translate("Database", "Unsupported output column type"));
        var.sqltype = short(var.sqltype | 1);
        var.sqlind = &m_indicators[std::size_t(i)];
        m_data.push_back(zeroedBlock(std::size_t(std::max<int>(var.sqllen, 0)) + sizeof(short) + 1));
        var.sqldata = reinterpret_cast<ISC_SCHAR*>(m_data.back().get());
    }
}

QStringList OutputRow::values() const
{
    QStringList texts;
    if (!m_sqlda)
        return texts;
    for (int i = 0; i < sqlda()->sqld; ++i) {
        const XSQLVAR& var = sqlda()->sqlvar[i];
        if (*var.sqlind < 0) {
            texts.append(QString());
            continue;
        }
        const char* data = var.sqldata;
        qsizetype length = var.sqllen;
        if ((var.sqltype & ~1) == SQL_VARYING) {
            short stored = 0;
            std::memcpy(&stored, data, sizeof stored);
            length = std::min<qsizetype>(std::max<short>(stored, 0), var.sqllen);
            data += sizeof(short);
        }
        texts.append(platform::fromAnsi(QByteArrayView(data, length)));
    }
    return texts;
}
