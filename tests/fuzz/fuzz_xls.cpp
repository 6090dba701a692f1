// libFuzzer entry: any bytes as an .xls file. Only the reader's own Error may come out;
// anything else (a crash, a sanitizer report, another exception) is a finding.
#include "RegionalSettings.h"
#include "TextGrid.h"
#include "platform/Error.h"
#include "xls/XlsLoad.h"

#include <cstddef>
#include <cstdint>

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size)
{
    static const RegionalSettings settings = RegionalSettings::brazil();
    TextGrid grid;
    try {
        // A small bound on the area keeps damaged DIMENSIONS from making each run slow.
        xls::loadXlsData(grid, QByteArrayView(data, qsizetype(size)), settings,
                         QStringLiteral("fuzz.xls"), qint64(1) << 18);
    } catch (const Error&) {
    }
    return 0;
}
