#pragma once
// An .xlsx file as a zip package whose XML parts are streamed through expat: no part is
// ever held in memory as a whole, let alone as a tree.
#include <QString>

#include <string_view>

typedef struct zip zip_t;

namespace xlsx {

// Receives the events of one part. Names come without their namespace prefix ("x:row"
// arrives as "row"), so files written with prefixed elements read the same. An exception
// thrown from a handler stops the parse and reaches the caller of Package::parsePart.
class XmlSink {
public:
    virtual ~XmlSink() = default;
    virtual void startElement(std::string_view name, const char** attributes) = 0;
    virtual void endElement(std::string_view name) = 0;
    virtual void characters(std::string_view text) = 0;
};

std::string_view localName(const char* qualifiedName);
// The value of the attribute with this local name, or nullptr.
const char* attribute(const char** attributes, std::string_view name);

class Package {
public:
    // Raises Error when the file cannot be opened or is not a zip archive.
    explicit Package(const QString& fileName);
    ~Package();
    Package(const Package&) = delete;
    Package& operator=(const Package&) = delete;

    const QString& fileName() const { return m_fileName; }
    // Part names are compared without regard to ASCII case, as packages require.
    bool hasPart(const QString& partName) const;
    // Raises Error naming the part when it is missing, cannot be read or is not well formed.
    void parsePart(const QString& partName, XmlSink& sink) const;

private:
    zip_t* m_zip = nullptr;
    QString m_fileName;
};

} // namespace xlsx
