#include "platform/DynamicLibrary.h"

#include <QCoreApplication>
#include <QFile>
#include <dlfcn.h>
#include <link.h>

namespace platform {

std::unique_ptr<DynamicLibrary> DynamicLibrary::load(const QString& fileName, QString* reason)
{
    if (fileName.isEmpty()) {
        if (reason)
            *reason = QCoreApplication::translate("DynamicLibrary", "empty file name");
        return nullptr;
    }
    void* handle = ::dlopen(QFile::encodeName(fileName).constData(), RTLD_NOW | RTLD_LOCAL);
    if (!handle) {
        if (reason) {
            const char* text = ::dlerror();
            *reason = text ? QString::fromLocal8Bit(text) : QString();
        }
        return nullptr;
    }
    return std::unique_ptr<DynamicLibrary>(new DynamicLibrary(handle, fileName));
}

DynamicLibrary::~DynamicLibrary()
{
    ::dlclose(m_handle);
}

QString DynamicLibrary::path() const
{
    const link_map* map = nullptr;
    if (::dlinfo(m_handle, RTLD_DI_LINKMAP, &map) != 0 || !map || !map->l_name || !*map->l_name)
        return m_fileName;
    return QFile::decodeName(map->l_name);
}

void* DynamicLibrary::symbol(const char* name) const
{
    return ::dlsym(m_handle, name);
}

} // namespace platform
