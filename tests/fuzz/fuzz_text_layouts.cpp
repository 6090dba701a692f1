// libFuzzer entry: the first byte picks a text source type, the rest is the text file. Every
// line goes through its layout and the statement builder as the import loop sends it; each
// insert built must be one insert of 22 values. Conversion errors are normal row failures.
#include "CurrentLine.h"
#include "FuzzSupport.h"
#include "Layouts.h"
#include "PlainViews.h"
#include "ProductRow.h"
#include "RunState.h"
#include "SourceTypes.h"
#include "TextFile.h"
#include "platform/Error.h"

#include <array>

namespace {

constexpr std::array<int, 8> kTextTypes{13, 11, 3, 5, 6, 7, 8, 9};

// The defaults the import gives every row before its layout runs.
void importLine(int type, PlainViews& views, RunState& state)
{
    try {
        const int index = views.listIndex();
        state.line.setText(views.lines().line(index));
        SetRowDefaults(state.row, FindSourceKind(SourceKind::Text)->defaultCsosn);
        state.row.codigo = QString::number(index + 1);
        ApplyTextLayout(type, views, state);
        fuzz::checkProductInsert(state.row);
    } catch (const Error& e) {
        fuzz::note(QStringLiteral("row failed: ") + e.message());
        ++state.FailedCount;
    }
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size)
{
    if (size < 1)
        return 0;
    const int type = kTextTypes[data[0] % kTextTypes.size()];
    const fuzz::MemoryFile file(data + 1, size - 1);
    PlainViews views;
    views.type = type;
    views.mode = QStringLiteral("Texto");
    views.lineData = ReadTextFileLines(file.path());
    CurrentLine line;
    RunState state{ProductRow{}, 0, false, views.lineData, line, RegionalSettings::brazil()};
    views.setListIndex(0);
    const int count = int(views.lines().size());
    while (views.listIndex() >= 0 && views.listIndex() < count) {
        importLine(type, views, state);
        const int next = views.listIndex() + 1;
        if (next >= count)
            break;
        views.setListIndex(next);
    }
    return 0;
}
