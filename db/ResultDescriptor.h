#pragma once
// The output descriptor (XSQLDA) of a prepared statement (a select, or an executable block
// or procedure with its one output row), with a data area and a null
// indicator per column, owned together and released together.
#include "Handles.h"
#include "SqlValue.h"

#include <memory>
#include <vector>

class ResultDescriptor {
public:
    // isc_dsql_describe, grown to the statement's column count, then a data area for each
    // column. Raises GeneralError "Unsupported column type N of column NAME" for a type the
    // tool cannot read (arrays, the newer time-zone and decimal types).
    void describe(ClientLibrary& library, StatementHandle& statement);

    int count() const { return int(m_columns.size()); }
    const std::vector<SqlColumn>& columns() const { return m_columns; }
    XSQLDA* sqlda() const { return reinterpret_cast<XSQLDA*>(m_sqlda.get()); }

    // The value of column i after a fetch; a blob comes as its id (read it with blobId()).
    SqlValue value(int i) const;
    ISC_QUAD blobId(int i) const;

private:
    void allocate(int variables);
    std::unique_ptr<std::max_align_t[]> m_sqlda;
    std::vector<short> m_indicators;
    std::vector<std::unique_ptr<std::max_align_t[]>> m_data;
    std::vector<SqlColumn> m_columns;
};
