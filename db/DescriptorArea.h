#pragma once
// One XSQLDA of a prepared statement, its parameters (input) or its columns (output), with a
// data area and a null indicator for every variable, owned together and released together.
#include "Handles.h"

#include <memory>
#include <vector>

class DescriptorArea {
public:
    enum class Side { Parameters, Columns };

    // isc_dsql_describe_bind (parameters) or isc_dsql_describe (columns), grown to the
    // statement's count; then every variable is made nullable, with its indicator and a
    // data area of its full size (and room for a varying string's length word).
    void describe(ClientLibrary& library, StatementHandle& statement, Side side);
    // A parameter without a value is NULL.
    void setAllNull();

    int count() const { return int(m_indicators.size()); }
    // Null when there is no variable: the library then gets no descriptor at all.
    XSQLDA* sqlda() const { return count() ? reinterpret_cast<XSQLDA*>(m_sqlda.get()) : nullptr; }
    const XSQLVAR& variable(int i) const { return sqlda()->sqlvar[i]; }
    bool isNull(int i) const { return m_indicators[std::size_t(i)] < 0; }

private:
    void allocate(int variables);
    void fetchDescription(ClientLibrary& library, StatementHandle& statement, Side side);
    std::unique_ptr<std::max_align_t[]> m_sqlda;
    std::vector<short> m_indicators;
    std::vector<std::unique_ptr<std::max_align_t[]>> m_data;
};
