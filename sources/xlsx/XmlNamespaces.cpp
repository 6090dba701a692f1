#include "XmlNamespaces.h"

#include <algorithm>
#include <cstring>
#include <iterator>

namespace xlsx {

namespace {

constexpr std::string_view kOwnNamespaces[] = {
    "http://schemas.openxmlformats.org/spreadsheetml/2006/main",
    "http://purl.oclc.org/ooxml/spreadsheetml/main",
    "http://schemas.openxmlformats.org/package/2006/relationships",
    "http://schemas.openxmlformats.org/officeDocument/2006/relationships",
    "http://purl.oclc.org/ooxml/officeDocument/relationships",
};

// xmlns="" takes an element back to no namespace, which is the workbook's own too.
bool isOwnNamespace(std::string_view uri)
{
    return uri.empty() || std::find(std::begin(kOwnNamespaces), std::end(kOwnNamespaces), uri) != std::end(kOwnNamespaces);
}

} // namespace

bool XmlNamespaces::isDeclaration(const char* name)
{
    return std::strncmp(name, "xmlns", 5) == 0 && (name[5] == '\0' || name[5] == ':');
}

void XmlNamespaces::bind(const char* name, const char* uri, int depth)
{
    const bool own = isOwnNamespace(uri);
    m_bindings.push_back({name[5] ? std::string(name + 6) : std::string(), own, depth});
    if (name[5] == '\0')
        m_defaultOwn = own;
}

void XmlNamespaces::releaseDeclared(int depth)
{
    bool defaultChanged = false;
    while (!m_bindings.empty() && m_bindings.back().depth == depth) {
        defaultChanged = defaultChanged || m_bindings.back().prefix.empty();
        m_bindings.pop_back();
    }
    if (defaultChanged)
        m_defaultOwn = ownPrefix({});
}

bool XmlNamespaces::ownPrefix(std::string_view prefix) const
{
    if (prefix == "xml")
        return false;
    for (auto b = m_bindings.rbegin(); b != m_bindings.rend(); ++b)
        if (b->prefix == prefix)
            return b->own;
    return true;
}

} // namespace xlsx
