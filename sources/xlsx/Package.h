#pragma once
// An .xlsx file as a zip package whose XML parts are streamed through expat: no part is
// ever held in memory as a whole, let alone as a tree.
#include "GridFill.h"

#include <QByteArray>
#include <QString>
#include <QtGlobal>

#include <map>
#include <string_view>

typedef struct zip zip_t;

namespace xlsx {

// Receives the events of one part. Elements of the workbook's own namespaces (transitional
// or strict SpreadsheetML, relationships) or of none arrive by their local name, however
// they are prefixed ("x:row" arrives as "row"). An element of any other namespace, such as
// the x14:workbookPr that current writers put in an extension list, is left out together
// with everything inside it, so that no extension passes for the element it extends; so are
// attributes of other namespaces. Read attributes with attribute() or attributeName().
// An exception thrown from a handler stops the parse and reaches the caller of
// Package::parsePart.
class XmlSink {
public:
    virtual ~XmlSink() = default;
    virtual void startElement(std::string_view name, const char** attributes) = 0;
    virtual void endElement(std::string_view name) = 0;
    virtual void characters(std::string_view text) = 0;
};

// Ceilings that keep a hostile or broken package from exhausting memory or time. A worksheet
// or shared-strings part may inflate to 2 GiB, and all the parts a load reads together to
// 2 GiB as well; the small parts (relationships, workbook, styles) to 64 MiB each. No
// single XML token (a tag with its attributes, a comment) may exceed 16 MiB, since expat
// holds a token whole. The zip's declared size is checked before a part is opened, and the
// bytes really inflated are counted, for archives that lie.
constexpr quint64 kMaxPartBytes = quint64(2) << 30;
constexpr quint64 kMaxPackageBytes = quint64(2) << 30;
constexpr quint64 kMaxSmallPartBytes = quint64(64) << 20;
constexpr quint64 kMaxTokenBytes = quint64(16) << 20;
// One cell's value or one string item, in UTF-8 bytes: thirty times the longest text a
// spreadsheet cell can hold, and small enough that millions of cells cannot each ask for it.
constexpr size_t kMaxTextBytes = size_t(1) << 20;
// All the texts a load keeps (the shared strings and the sheet's own texts), in the memory
// they take as UTF-16: 128 million characters, far beyond any catalogue. A file of 1 MB
// that inflates to a thousand texts of 1 MB each is refused at this within seconds.
constexpr quint64 kMaxTextTotalBytes = quint64(256) << 20;

// The ceilings of one load. The defaults are the ones above and the grid's; tests lower
// them to reach each one with a small file.
struct Limits {
    quint64 partBytes = kMaxPartBytes;
    quint64 packageBytes = kMaxPackageBytes;
    quint64 textTotalBytes = kMaxTextTotalBytes;
    quint64 cells = gridfill::kMaxAreaCells;
};

std::string_view localName(const char* qualifiedName);
// The local name of an attribute ("r:id" is "id"); empty for a namespace declaration
// ("xmlns", "xmlns:x").
std::string_view attributeName(const char* qualifiedName);
// The value of the attribute with this local name, or nullptr.
const char* attribute(const char** attributes, std::string_view name);

class Package {
public:
    // Raises Error when the file cannot be opened or is not a zip archive.
    explicit Package(const QString& fileName, const Limits& limits = {});
    ~Package();
    Package(const Package&) = delete;
    Package& operator=(const Package&) = delete;

    const QString& fileName() const { return m_fileName; }
    const Limits& limits() const { return m_limits; }
    // Part names are compared without regard to ASCII case, as packages require.
    bool hasPart(const QString& partName) const;
    // Raises Error naming the part when it is missing, cannot be read, is not well formed
    // or inflates past the ceiling, or past what is left of the package's.
    void parsePart(const QString& partName, XmlSink& sink, quint64 ceiling = kMaxSmallPartBytes) const;

private:
    // The index of the part's entry, or -1.
    qint64 locate(const QString& partName) const;

    zip_t* m_zip = nullptr;
    QString m_fileName;
    Limits m_limits;
    mutable quint64 m_inflated = 0; // by every part parsed so far
    // Entries some writers name with backslashes ("xl\\workbook.xml"), by their name with
    // slashes in ASCII lower case; empty when every name uses slashes.
    std::map<QByteArray, quint64> m_backslashNames;
};

} // namespace xlsx
