#pragma once
// The input descriptor of a prepared statement with every parameter set to SQL NULL:
// the tool never assigns parameter values, and a parameter without a value is NULL.
#include "Handles.h"

#include <memory>
#include <vector>

class NullParameters {
public:
    // isc_dsql_describe_bind, then every parameter marked nullable and NULL.
    void describe(ClientLibrary& library, StatementHandle& statement);
    int count() const { return m_sqlda ? sqlda()->sqld : 0; }
    // Null when the statement has no parameters.
    XSQLDA* sqlda() const { return reinterpret_cast<XSQLDA*>(m_sqlda.get()); }

private:
    void allocate(int variables);
    std::unique_ptr<std::max_align_t[]> m_sqlda;
    std::vector<short> m_indicators;
    std::vector<std::unique_ptr<std::max_align_t[]>> m_data;
};
