#include "DescriptorArea.h"

#include <algorithm>

namespace {

std::unique_ptr<std::max_align_t[]> zeroedBlock(std::size_t bytes)
{
    const std::size_t units = (bytes + sizeof(std::max_align_t) - 1) / sizeof(std::max_align_t);
    return std::unique_ptr<std::max_align_t[]>(new std::max_align_t[units]());
}

XSQLDA* area(const std::unique_ptr<std::max_align_t[]>& block)
{
    return reinterpret_cast<XSQLDA*>(block.get());
}

} // namespace

void DescriptorArea::allocate(int variables)
{
    variables = std::max(variables, 1);
    m_sqlda = zeroedBlock(XSQLDA_LENGTH(variables));
    area(m_sqlda)->version = SQLDA_VERSION1;
    area(m_sqlda)->sqln = short(variables);
}

void DescriptorArea::fetchDescription(ClientLibrary& library, StatementHandle& statement, Side side)
{
    ISC_STATUS_ARRAY status = {};
    if (side == Side::Parameters)
        library.isc_dsql_describe_bind(status, statement.handle(), SQLDA_VERSION1, area(m_sqlda));
    else
        library.isc_dsql_describe(status, statement.handle(), SQLDA_VERSION1, area(m_sqlda));
    library.check(status);
}

void DescriptorArea::describe(ClientLibrary& library, StatementHandle& statement, Side side)
{
    m_indicators.clear();
    m_data.clear();
    allocate(16);
    fetchDescription(library, statement, side);
    if (area(m_sqlda)->sqld > area(m_sqlda)->sqln) {
        allocate(area(m_sqlda)->sqld);
        fetchDescription(library, statement, side);
    }
    const int n = std::max<int>(area(m_sqlda)->sqld, 0);
    m_indicators.assign(std::size_t(n), short(0));
    for (int i = 0; i < n; ++i) {
        XSQLVAR& var = area(m_sqlda)->sqlvar[i];
        var.sqltype = short(var.sqltype | 1); // every variable has its indicator
        var.sqlind = &m_indicators[std::size_t(i)];
        // The library may look at the data area even for NULL: it always has its full size.
        m_data.push_back(zeroedBlock(std::size_t(std::max<int>(var.sqllen, 0)) + sizeof(short) + 1));
        var.sqldata = reinterpret_cast<ISC_SCHAR*>(m_data.back().get());
    }
}

void DescriptorArea::setAllNull()
{
    std::fill(m_indicators.begin(), m_indicators.end(), short(-1));
}
