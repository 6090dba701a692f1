#include "ErrorScope.h"

#include "Errors.h"
#include "FieldHelpers.h"

#include <ibase.h>

#include <QStringList>

#include <new>

namespace {

using K = ErrorKind;

struct NumberEntry {
    long number;
    ErrorKind kind;
};

// Engine error numbers. A number of a run kind anywhere in the status vector makes the
// error a run error (an I/O error often comes second, after what was being done); else the
// first number decides; a number not listed here is a run error.
constexpr NumberEntry EngineNumbers[] = {
    // A row's own values.
    {isc_convert_error, K::ValueConversion},
    {isc_transliteration_failed, K::Unencodable},
    {isc_malformed_string, K::Unencodable},
    {isc_arith_except, K::ValueOverflow},
    {isc_string_truncation, K::ValueOverflow},
    {isc_numeric_out_of_range, K::ValueOverflow},
    {isc_exception_integer_overflow, K::ValueOverflow},
    {isc_exception_float_overflow, K::ValueOverflow},
    {isc_datetime_range_exceeded, K::ValueOverflow},
    {isc_date_range_exceeded, K::ValueOverflow},
    {isc_not_valid, K::MissingValue},
    {isc_not_valid_for, K::MissingValue},
    {isc_not_valid_for_var, K::MissingValue},
    {isc_unique_key_violation, K::DuplicateKey},
    {isc_no_dup, K::DuplicateKey},
    {isc_foreign_key, K::ForeignKey},
    {isc_foreign_key_target_doesnt_exist, K::ForeignKey},
    {isc_check_constraint, K::CheckConstraint},
    {isc_lock_conflict, K::RowLocked},
    {isc_deadlock, K::RowLocked},
    {isc_update_conflict, K::RowLocked},
    {isc_concurrent_transaction, K::RowLocked},
    {isc_record_lock, K::RowLocked},
    {isc_lock_timeout, K::RowLocked},
    // The run's.
    {isc_io_error, K::InputOutput},
    {isc_io_create_err, K::InputOutput},
    {isc_io_open_err, K::InputOutput},
    {isc_io_close_err, K::InputOutput},
    {isc_io_read_err, K::InputOutput},
    {isc_io_write_err, K::InputOutput},
    {isc_io_delete_err, K::InputOutput},
    {isc_io_access_err, K::InputOutput},
    {isc_io_32bit_exceeded_err, K::InputOutput},
    {isc_sys_request, K::InputOutput},
    {isc_out_of_temp_space, K::InputOutput},
    {isc_network_error, K::ConnectionLost},
    {isc_net_read_err, K::ConnectionLost},
    {isc_net_write_err, K::ConnectionLost},
    {isc_net_connect_err, K::ConnectionLost},
    {isc_conn_lost, K::ConnectionLost},
    {isc_lost_db_connection, K::ConnectionLost},
    {isc_bad_db_handle, K::ConnectionLost},
    {isc_bad_trans_handle, K::ConnectionLost},
    {isc_shutdown, K::Shutdown},
    {isc_att_shutdown, K::Shutdown},
    {isc_shutinprog, K::Shutdown},
    {isc_net_server_shutdown, K::Shutdown},
    {isc_virmemexh, K::OutOfMemory},
    {isc_sort_mem_err, K::OutOfMemory},
    {isc_bug_check, K::DamagedDatabase},
    {isc_db_corrupt, K::DamagedDatabase},
    {isc_badpage, K::DamagedDatabase},
    {isc_badblk, K::DamagedDatabase},
    {isc_wrong_ods, K::DamagedDatabase},
    {isc_badodsver, K::DamagedDatabase},
    {isc_read_only_database, K::Refused},
    {isc_read_only_trans, K::Refused},
    {isc_no_priv, K::Refused},
    {isc_relation_lock, K::TableInUse},
    {isc_cancelled, K::Stopped},
};

struct SqlCodeEntry {
    long sqlCode;
    ErrorKind kind;
};

// SQLCODEs that name a row's own failure whatever engine number carries them. -104 is the
// syntax error of a statement whose text the row's values broke; the insert is otherwise
// the same for every row. SQLCODE -901 and -902 are shared by too many run errors to say
// anything, so only the numbers above decide those.
constexpr SqlCodeEntry SqlCodes[] = {
    {-104, K::StatementShape}, {-413, K::ValueConversion}, {-802, K::ValueOverflow},
    {-625, K::MissingValue},   {-803, K::DuplicateKey},    {-530, K::ForeignKey},
    {-297, K::CheckConstraint}, {-913, K::RowLocked},
};

ErrorScope scopeOf(ErrorKind kind)
{
    return kind <= K::RowLocked ? ErrorScope::Row : ErrorScope::Run;
}

const NumberEntry* findNumber(long number)
{
    for (const NumberEntry& entry : EngineNumbers)
        if (entry.number == number)
            return &entry;
    return nullptr;
}

ErrorKind engineKind(const EngineError& e)
{
    QList<long> numbers = e.ErrorNumbers;
    if (numbers.isEmpty())
        numbers.append(e.ErrorNumber);
    for (long number : std::as_const(numbers)) {
        const NumberEntry* entry = findNumber(number);
        if (entry && scopeOf(entry->kind) == ErrorScope::Run)
            return entry->kind;
    }
    if (const NumberEntry* first = findNumber(numbers.first()))
        return first->kind;
    for (const SqlCodeEntry& entry : SqlCodes)
        if (entry.sqlCode == e.ErrorCode)
            return entry.kind;
    return K::Unknown;
}

ErrorKind kindOf(const std::exception& e)
{
    if (auto* engine = dynamic_cast<const EngineError*>(&e))
        return engineKind(*engine);
    if (dynamic_cast<const RunStopped*>(&e))
        return K::Stopped;
    if (dynamic_cast<const ConversionError*>(&e) || dynamic_cast<const RowDataError*>(&e))
        return K::SourceValue;
    if (dynamic_cast<const UnencodableTextError*>(&e))
        return K::Unencodable;
    if (dynamic_cast<const std::bad_alloc*>(&e))
        return K::OutOfMemory;
    return K::Unknown;
}

} // namespace

ErrorClass classifyError(const std::exception& e)
{
    const ErrorKind kind = kindOf(e);
    return {kind, scopeOf(kind)};
}

bool isRowError(const std::exception& e)
{
    return classifyError(e).scope == ErrorScope::Row;
}

QString runErrorDescription(ErrorKind kind)
{
    switch (kind) {
    case K::InputOutput:
        return QStringLiteral("o servidor não conseguiu ler ou gravar o banco de dados (disco cheio ou com defeito?)");
    case K::ConnectionLost:
        return QStringLiteral("a conexão com o banco de dados foi perdida");
    case K::Shutdown:
        return QStringLiteral("o banco de dados ou o servidor foi desligado");
    case K::OutOfMemory:
        return QStringLiteral("faltou memória");
    case K::DamagedDatabase:
        return QStringLiteral("o banco de dados está danificado");
    case K::Refused:
        return QStringLiteral("o banco de dados não aceita alterações");
    case K::TableInUse:
        return QStringLiteral("a tabela de produtos está em uso por outra conexão");
    case K::Stopped:
        return QStringLiteral("a importação foi interrompida");
    default:
        return QStringLiteral("ocorreu um erro que impede continuar");
    }
}

RunStopped RunStopped::byError(const std::exception& e)
{
    QString cause = errorMessage(e).trimmed();
    cause.replace(u'\r', u'\n');
    return RunStopped(Cause::RunError,
                      QStringLiteral("A importação parou: %1. Nada foi alterado no banco de dados.\n%2")
                          .arg(runErrorDescription(classifyError(e).kind), cause));
}

RunStopped RunStopped::interrupted()
{
    return RunStopped(Cause::Interrupted,
                      QStringLiteral("A importação foi interrompida. Nada foi alterado no banco de dados."));
}
