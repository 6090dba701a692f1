#include "ClientLibrary.h"

#include "platform/DynamicLibrary.h"

#include <cstdlib>
#include <map>
#include <mutex>

namespace {

// Loaded libraries live until the process ends. Unloading fbclient while its own threads
// (the embedded engine's, the remote protocol's) may still run is not safe, and nothing
// gains from it: the tool loads one library once.
struct Registry {
    std::mutex mutex;
    std::map<QString, std::unique_ptr<ClientLibrary>> libraries;
};

Registry& registry()
{
    static Registry* instance = new Registry; // deliberately never destroyed, see above
    return *instance;
}

// How long the shutdown at exit waits for the library's threads, in milliseconds. Far more
// than an idle engine needs; a busy machine may be slow, and a shutdown that runs out of
// time only leaves the threads to the process's end, as before.
constexpr unsigned ShutdownMilliseconds = 60000;

// At exit the library still runs its own threads: the embedded engine's (cache writer,
// garbage collector, timers) and the remote protocol's. Left running, they are cut off
// wherever they stand, and an exit-time checker that stops every thread to look at memory
// (LeakSanitizer) can crash on one caught mid-call. fb_shutdown detaches what is still
// attached, ends those threads and flushes an embedded database, so the process ends with
// only its own thread. Registered once, right after the first library is loaded, so it runs
// before that library's own exit-time destructors.
void shutDownAtExit()
{
    Registry& r = registry();
    std::lock_guard lock(r.mutex);
    for (auto& [name, library] : r.libraries)
        if (library->fb_shutdown.linked())
            library->fb_shutdown(ShutdownMilliseconds, fb_shutrsn_app_stopped);
}

} // namespace

#ifdef _WIN32
QString ClientLibrary::defaultName() { return QStringLiteral("fbclient.dll"); }
QString ClientLibrary::legacyName() { return QStringLiteral("gds32.dll"); }
#else
QString ClientLibrary::defaultName() { return QStringLiteral("libfbclient.so.2"); }
QString ClientLibrary::legacyName() { return QStringLiteral("libgds.so.0"); }
#endif

ClientLibrary* ClientLibrary::loaded(const QString& configuredName)
{
    Registry& r = registry();
    std::lock_guard lock(r.mutex);
    auto it = r.libraries.find(configuredName.trimmed());
    return it == r.libraries.end() ? nullptr : it->second.get();
}

ClientLibrary& ClientLibrary::acquire(const QString& configuredName)
{
    const QString name = configuredName.trimmed();
    Registry& r = registry();
    std::lock_guard lock(r.mutex);
    auto it = r.libraries.find(name);
    if (it != r.libraries.end())
        return *it->second;

    std::unique_ptr<platform::DynamicLibrary> library;
    QString tried = name;
    if (name.isEmpty()) {
        library = platform::DynamicLibrary::load(legacyName());
        tried = defaultName();
        if (!library)
            library = platform::DynamicLibrary::load(tried);
    } else {
        library = platform::DynamicLibrary::load(name);
    }
    if (!library)
        throw GeneralError(QStringLiteral("Cannot load client DLL: ") + tried);

    std::unique_ptr<ClientLibrary> client(new ClientLibrary(std::move(library)));
    ClientLibrary& result = *client;
    if (r.libraries.empty())
        std::atexit(shutDownAtExit);
    r.libraries.emplace(name, std::move(client));
    return result;
}

ClientLibrary::ClientLibrary(std::unique_ptr<platform::DynamicLibrary> library)
    : m_library(std::move(library))
{
    bindEntryPoints();
}

ClientLibrary::~ClientLibrary() = default;

QString ClientLibrary::fileName() const
{
    return m_library->fileName();
}

void ClientLibrary::bindEntryPoints()
{
#define CB_BIND(name) name.bind(m_library->symbol(#name))
    CB_BIND(isc_attach_database);
    CB_BIND(isc_database_info);
    CB_BIND(isc_detach_database);
    CB_BIND(isc_start_multiple);
    CB_BIND(isc_commit_transaction);
    CB_BIND(isc_commit_retaining);
    CB_BIND(isc_rollback_transaction);
    CB_BIND(isc_dsql_alloc_statement2);
    CB_BIND(isc_dsql_prepare);
    CB_BIND(isc_dsql_sql_info);
    CB_BIND(isc_dsql_describe_bind);
    CB_BIND(isc_dsql_execute);
    CB_BIND(isc_dsql_free_statement);
    CB_BIND(isc_sqlcode);
    CB_BIND(isc_sql_interprete);
    CB_BIND(isc_interprete);
    CB_BIND(fb_shutdown);
#undef CB_BIND
}

void ClientLibrary::check(const ISC_STATUS* status) const
{
    if (failed(status))
        throw engineError(status);
}
