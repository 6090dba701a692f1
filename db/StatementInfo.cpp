#include "StatementInfo.h"

#include "ConnectParameters.h"

int statementType(ClientLibrary& library, StatementHandle& statement)
{
    const char item = isc_info_sql_stmt_type;
    char reply[16] = {};
    ISC_STATUS_ARRAY status = {};
    library.isc_dsql_sql_info(status, statement.handle(), 1, &item, short(sizeof reply), reply);
    library.check(status);
    if (reply[0] != isc_info_sql_stmt_type)
        return 0;
    const int length = int(connectparams::littleEndian(reply + 1, 2));
    if (length <= 0 || length > int(sizeof reply) - 3)
        return 0;
    return int(connectparams::littleEndian(reply + 3, length));
}
