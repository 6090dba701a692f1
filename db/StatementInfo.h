#pragma once
// What the engine says of a prepared statement.
#include "Handles.h"

// The statement type (isc_info_sql_stmt_select, _insert, _delete, ...); 0 when the reply
// does not carry it.
int statementType(ClientLibrary& library, StatementHandle& statement);
