#include "NullParameters.h"

#include <algorithm>

namespace {
std::unique_ptr<std::max_align_t[]> zeroedBlock(std::size_t bytes)
{
    const std::size_t units = (bytes + sizeof(std::max_align_t) - 1) / sizeof(std::max_align_t);
    return std::unique_ptr<std::max_align_t[]>(new std::max_align_t[units]());
}
} // namespace

void NullParameters::allocate(int variables)
{
    m_sqlda = zeroedBlock(XSQLDA_LENGTH(variables));
    XSQLDA* da = reinterpret_cast<XSQLDA*>(m_sqlda.get());
    da->version = SQLDA_VERSION1;
    da->sqln = short(variables);
}

void NullParameters::describe(ClientLibrary& library, StatementHandle& statement)
{
    ISC_STATUS_ARRAY status = {};
    allocate(1);
    library.isc_dsql_describe_bind(status, statement.handle(), SQLDA_VERSION1, sqlda());
    library.check(status);
    const int wanted = sqlda()->sqld;
    if (wanted > sqlda()->sqln) {
        allocate(wanted);
        library.isc_dsql_describe_bind(status, statement.handle(), SQLDA_VERSION1, sqlda());
        library.check(status);
    }
    const int n = sqlda()->sqld;
    if (n == 0) {
        m_sqlda.reset();
        return;
    }
    m_indicators.assign(std::size_t(n), short(-1));
    m_data.clear();
    for (int i = 0; i < n; ++i) {
        XSQLVAR& var = sqlda()->sqlvar[i];
        var.sqltype = short(var.sqltype | 1);
        var.sqlind = &m_indicators[std::size_t(i)];
        // The library may look at the data area even for NULL: give it one of the full
        // size (with room for a varying string's length word).
        m_data.push_back(zeroedBlock(std::size_t(std::max<int>(var.sqllen, 0)) + sizeof(short) + 1));
        var.sqldata = reinterpret_cast<ISC_SCHAR*>(m_data.back().get());
    }
}
