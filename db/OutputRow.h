#pragma once
// The one output row of an executable statement (a procedure or a block with output
// columns), read as texts. Only text columns are read: a statement that returns anything
// else is refused before it runs.
#include "Handles.h"

#include <QStringList>
#include <memory>
#include <vector>

class OutputRow {
public:
    // isc_dsql_describe; raises "Unsupported output column type" for a column that is not
    // CHAR or VARCHAR.
    void describe(ClientLibrary& library, StatementHandle& statement);
    // Null when the statement has no output columns.
    XSQLDA* sqlda() const { return reinterpret_cast<XSQLDA*>(m_sqlda.get()); }
    // After the execution: each column's text (ANSI), a null QString for NULL.
    QStringList values() const;

private:
    void allocate(int variables);
    std::unique_ptr<std::max_align_t[]> m_sqlda;
    std::vector<short> m_indicators;
    std::vector<std::unique_ptr<std::max_align_t[]>> m_data;
};
