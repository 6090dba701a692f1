#pragma once
// Which names of a part belong to the workbook's own vocabulary (SpreadsheetML, transitional
// or strict, and relationships), from the namespace declarations in scope. Expat's own
// namespace processing would tell the same, but it spells out the namespace name in every
// tag, and comparing that costs a sheet's load a tenth of its time.
#include <cstddef>
#include <string>
#include <string_view>
#include <vector>

namespace xlsx {

class XmlNamespaces {
public:
    // Takes the declarations (xmlns="...", xmlns:p="...") among an element's attributes; they
    // hold until release() of the same depth. Returns whether another attribute has a prefix.
    // This, element() and release() run for every tag of a sheet: they are inline, and walk
    // the (short) names by hand.
    bool declare(const char** attributes, int depth)
    {
        bool prefixed = false;
        for (const char** a = attributes; a[0]; a += 2) {
            const char* name = a[0];
            if (name[0] == 'x' && isDeclaration(name))
                bind(name, a[1], depth);
            else if (!prefixed)
                prefixed = name[prefixLength(name)] == ':';
        }
        return prefixed;
    }
    void release(int depth)
    {
        if (!m_bindings.empty() && m_bindings.back().depth == depth)
            releaseDeclared(depth);
    }
    // The local name of an element ("x:row" is "row"), or an empty text when its namespace
    // is not one of the workbook's own. An element without a prefix is in the default
    // namespace, or in none.
    std::string_view element(const char* qualifiedName) const
    {
        const size_t length = prefixLength(qualifiedName);
        if (qualifiedName[length] == '\0')
            return m_defaultOwn ? std::string_view(qualifiedName, length) : std::string_view();
        return ownPrefix(std::string_view(qualifiedName, length)) ? std::string_view(qualifiedName + length + 1)
                                                                  : std::string_view();
    }
    // Whether an attribute's prefix names one of the workbook's own namespaces. A prefix that
    // nothing declares counts as one of them: such files were read before and still are.
    bool ownPrefix(std::string_view prefix) const;

private:
    // The length of a name up to its colon, or of the whole name when it has none.
    static size_t prefixLength(const char* name)
    {
        size_t n = 0;
        while (name[n] && name[n] != ':')
            ++n;
        return n;
    }
    static bool isDeclaration(const char* name);
    void bind(const char* name, const char* uri, int depth);
    void releaseDeclared(int depth);

    struct Binding {
        std::string prefix; // empty: the default namespace
        bool own;
        int depth;
    };
    std::vector<Binding> m_bindings; // innermost last
    bool m_defaultOwn = true;
};

} // namespace xlsx
