#pragma once
// The fourteen source systems an export can come from, in the order of the window's type
// box: an item's index is the source type the layouts are chosen by.
#include <QStringList>

constexpr int SourceTypeCount = 14;

// The items of the type box, index 0 to 13.
const QStringList& SourceTypeNames();

// A source type from its number ("0" to "13") or an item text, case ignored and surrounding
// blanks dropped; -1 when the text is neither.
int SourceTypeFromText(const QString& text);
