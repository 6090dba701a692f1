// libFuzzer entry: any bytes as a text source. Reading never fails on content (only on a
// file that cannot be read), and no line may keep a line break.
#include "FuzzSupport.h"
#include "TextFile.h"
#include "platform/Error.h"


extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size)
{
    const fuzz::MemoryFile file(data, size);
    TextLines lines;
    try {
        lines = ReadTextFileLines(file.path());
    } catch (const Error& e) {
        fuzz::finding(QStringLiteral("an in-memory text file was refused: ") + e.message());
    }
    if (size_t(lines.size()) > size)
        fuzz::finding(QStringLiteral("more lines than bytes"));
    for (qsizetype i = 0; i < lines.size(); ++i) {
        const QString line = lines.line(i);
        if (line.contains(u'\r') || line.contains(u'\n'))
            fuzz::finding(QStringLiteral("a line keeps a line break"));
    }
    return 0;
}
