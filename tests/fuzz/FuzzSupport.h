#pragma once
// What the fuzz targets share: input handed to file-reading code without touching the disk,
// and the check every generated product insert must pass.
#include <QString>

#include <cstddef>
#include <cstdint>

struct ProductRow;

namespace fuzz {

// An anonymous in-memory file holding the bytes, reachable by name through /proc, so that
// readers that take a file name read exactly these bytes. Closed when this goes away.
class MemoryFile {
public:
    MemoryFile(const uint8_t* data, size_t size);
    ~MemoryFile();
    MemoryFile(const MemoryFile&) = delete;
    MemoryFile& operator=(const MemoryFile&) = delete;
    const QString& path() const { return m_path; }

private:
    int m_fd = -1;
    QString m_path;
};

// Builds the row's insert as the import does and stops the process (a finding) when it is
// not one insert of 22 values. A value the statement cannot carry raises Error, as it does
// for a real row; that is a normal outcome.
void checkProductInsert(ProductRow row);

// CB_FUZZ_VERBOSE=1: the targets say what each row or file gave, to check that the seeds
// get past the first error.
bool verbose();
void note(const QString& text);

// Stops the process with the message: libFuzzer records the input that led here.
[[noreturn]] void finding(const QString& message);

} // namespace fuzz
