#pragma once
// The Firebird client library, loaded at run time by file name. One loaded library exists
// per distinct (trimmed) file name for the life of the process, shared by every connection
// that names it. Entry points are looked up by name when the library is loaded; one that
// the library lacks fails only when it is called.
#include "Errors.h"

#include <ibase.h>

#include <QString>
#include <memory>

namespace platform {
class DynamicLibrary;
}

// One isc_ entry point of the loaded library.
template <typename Signature> class EntryPoint;
template <typename R, typename... Args> class EntryPoint<R(Args...)> {
public:
    void bind(void* address) { m_fn = reinterpret_cast<R (*)(Args...)>(address); }
    bool linked() const { return m_fn != nullptr; }
    R operator()(Args... args) const
    {
        if (!m_fn)
            throw GeneralError(QStringLiteral("GDS function is not linked"));
        return m_fn(args...);
    }

private:
    R (*m_fn)(Args...) = nullptr;
};

class ClientLibrary {
public:
    // The library for ClientLibrary setting `configuredName`, loading it on first use.
    // An empty name tries legacyName() first, then defaultName(). Raises
    // "Cannot load client DLL: " + name when the loader refuses the file; nothing of the
    // failed attempt is kept, so the next call tries again.
    static ClientLibrary& acquire(const QString& configuredName);
    // The library already loaded for that name, or null.
    static ClientLibrary* loaded(const QString& configuredName);

    static QString defaultName(); // the platform's client library ("libfbclient.so.2")
    static QString legacyName();  // the older client library name tried for an empty setting

    ~ClientLibrary();
    ClientLibrary(const ClientLibrary&) = delete;
    ClientLibrary& operator=(const ClientLibrary&) = delete;

    QString fileName() const;

    // Raises the EngineError that the status vector describes when it reports a failure.
    void check(const ISC_STATUS* status) const;
    // The EngineError for a failed status vector (see EngineErrorText.cpp).
    EngineError engineError(const ISC_STATUS* status) const;
    static bool failed(const ISC_STATUS* status) { return status[0] == 1 && status[1] != 0; }

    EntryPoint<ISC_STATUS(ISC_STATUS*, short, const ISC_SCHAR*, isc_db_handle*, short, const ISC_SCHAR*)>
        isc_attach_database;
    EntryPoint<ISC_STATUS(ISC_STATUS*, isc_db_handle*, short, const ISC_SCHAR*, short, ISC_SCHAR*)>
        isc_database_info;
    EntryPoint<ISC_STATUS(ISC_STATUS*, isc_db_handle*)> isc_detach_database;
    EntryPoint<ISC_STATUS(ISC_STATUS*, isc_tr_handle*, short, void*)> isc_start_multiple;
    EntryPoint<ISC_STATUS(ISC_STATUS*, isc_tr_handle*)> isc_commit_transaction;
    EntryPoint<ISC_STATUS(ISC_STATUS*, isc_tr_handle*)> isc_commit_retaining;
    EntryPoint<ISC_STATUS(ISC_STATUS*, isc_tr_handle*)> isc_rollback_transaction;
    EntryPoint<ISC_STATUS(ISC_STATUS*, isc_db_handle*, isc_stmt_handle*)> isc_dsql_alloc_statement2;
    EntryPoint<ISC_STATUS(ISC_STATUS*, isc_tr_handle*, isc_stmt_handle*, unsigned short, const ISC_SCHAR*,
                          unsigned short, XSQLDA*)>
        isc_dsql_prepare;
    EntryPoint<ISC_STATUS(ISC_STATUS*, isc_stmt_handle*, short, const ISC_SCHAR*, short, ISC_SCHAR*)>
        isc_dsql_sql_info;
    EntryPoint<ISC_STATUS(ISC_STATUS*, isc_stmt_handle*, unsigned short, XSQLDA*)> isc_dsql_describe_bind;
    EntryPoint<ISC_STATUS(ISC_STATUS*, isc_tr_handle*, isc_stmt_handle*, unsigned short, const XSQLDA*)>
        isc_dsql_execute;
    EntryPoint<ISC_STATUS(ISC_STATUS*, isc_stmt_handle*, unsigned short)> isc_dsql_free_statement;
    EntryPoint<ISC_LONG(const ISC_STATUS*)> isc_sqlcode;
    EntryPoint<void(short, ISC_SCHAR*, short)> isc_sql_interprete;
    EntryPoint<ISC_LONG(ISC_SCHAR*, ISC_STATUS**)> isc_interprete;
    EntryPoint<int(unsigned int, const int)> fb_shutdown;

private:
    explicit ClientLibrary(std::unique_ptr<platform::DynamicLibrary> library);
    void bindEntryPoints();
    std::unique_ptr<platform::DynamicLibrary> m_library;
};
