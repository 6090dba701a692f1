#pragma once
// The captions of Label1 to Label7 for a product preview: a grid row read through the
// preview columns of its type's descriptor, or a text line cut at fixed windows whatever the
// type.
#include <QString>

#include <array>
#include <optional>

class CurrentLine;
class TextGrid;

using PreviewCaptions = std::array<QString, 7>;

// Only types whose descriptor has preview columns; any other gives nothing (the labels
// stay as they are).
// Values are shown as the grid holds them; a column beyond the grid reads as empty.
std::optional<PreviewCaptions> GridPreview(int sourceType, const TextGrid& grid, int row);

// Code (0,10), name (10,60), price (84,4) twice, barcode (70,13), and the two fixed X.
PreviewCaptions TextLinePreview(const CurrentLine& line);
