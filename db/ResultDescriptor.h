#pragma once
// The columns of a prepared statement (a select, or an executable block or procedure with
// its one output row): their output descriptor and what each column is.
#include "DescriptorArea.h"
#include "SqlValue.h"

#include <vector>

class ResultDescriptor {
public:
    // Describes the columns and gives each its data area. Raises GeneralError "Unsupported
    // column type N of column NAME" for a type the tool cannot read (arrays, the newer
    // time-zone and decimal types).
    void describe(ClientLibrary& library, StatementHandle& statement);

    int count() const { return int(m_columns.size()); }
    const std::vector<SqlColumn>& columns() const { return m_columns; }
    // Null when the statement has no columns.
    XSQLDA* sqlda() const { return m_area.sqlda(); }

    // The value of column i after a fetch; a blob comes as its id (read it with blobId()).
    SqlValue value(int i) const;
    ISC_QUAD blobId(int i) const;

private:
    DescriptorArea m_area;
    std::vector<SqlColumn> m_columns;
};
