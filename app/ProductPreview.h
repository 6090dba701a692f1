#pragma once
// The captions of Label1 to Label7 for a product preview: a grid row read as source type 1
// or 0, or a text line cut at fixed windows whatever the type.
#include <QString>

#include <array>
#include <optional>

class CurrentLine;
class TextGrid;

using PreviewCaptions = std::array<QString, 7>;

// Type 1 and type 0 only; any other type gives nothing (the labels stay as they are).
// Values are shown as the grid holds them; a column beyond the grid reads as empty.
std::optional<PreviewCaptions> GridPreview(int sourceType, const TextGrid& grid, int row);

// Code (0,10), name (10,60), price (84,4) twice, barcode (70,13), and the two fixed X.
PreviewCaptions TextLinePreview(const CurrentLine& line);
