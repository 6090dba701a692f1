#pragma once
// Owner of one library loaded through the platform's dynamic loader. The library stays
// loaded exactly as long as its owner lives. One unit per platform implements it:
// DynamicLibrary_posix.cpp (dlopen) here; a Windows build adds DynamicLibrary_win.cpp
// (LoadLibraryExW with LOAD_WITH_ALTERED_SEARCH_PATH).
#include <QString>
#include <memory>

namespace platform {

class DynamicLibrary {
public:
    // Loads the file; returns null when the loader refuses it, with the loader's own
    // explanation in *reason when given.
    static std::unique_ptr<DynamicLibrary> load(const QString& fileName, QString* reason = nullptr);
    ~DynamicLibrary();
    DynamicLibrary(const DynamicLibrary&) = delete;
    DynamicLibrary& operator=(const DynamicLibrary&) = delete;

    // The address of an exported entry point, or null when the library lacks it.
    void* symbol(const char* name) const;
    const QString& fileName() const { return m_fileName; }
    // The file the loader actually opened (the name after its search path and links), or
    // the file name when the loader does not tell.
    QString path() const;

private:
    DynamicLibrary(void* handle, QString fileName) : m_handle(handle), m_fileName(std::move(fileName)) {}
    void* m_handle;
    QString m_fileName;
};

} // namespace platform
