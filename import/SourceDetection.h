#pragma once
// Which source system wrote an export: every layout of the file's kind (sheet or text) is
// run over a sample of its rows, as the import would run it, and the types are ranked by
// how plausible the products they read are. The rules are listed in the README.
#include "RowWalk.h"

#include <vector>

class ImportViews;

// All rows up to this many are judged; past it, this many spread evenly over the source.
constexpr int DetectionSampleRows = 2000;
// The leader is clear when it scores at least LeaderMinimum and beats the next by ClearLead.
constexpr double LeaderMinimum = 60.0;
constexpr double ClearLead = 10.0;

struct TypeScore {
    int sourceType = -1;
    double score = 0;   // 0 to 100
    int failing = 0;    // judged rows that would fail
    RowOutcome first;   // the first row judged, as the layout reads it
};

struct Detection {
    std::vector<TypeScore> ranking; // best first
    int rows = 0;                   // rows the import would try
    int judged = 0;                 // rows judged per type
    bool clearLeader = false;
};

// The positions (grid rows, list indexes) from first up to end judged: all of them up to
// `wanted`, else `wanted` of them spread evenly, the first included.
std::vector<int> SamplePositions(int first, int end, int wanted);

// How plausible one row's product is, in points out of RowPoints(textSource); a row that
// would fail scores nothing. line is the row's source line (text sources only).
int RowPoints(bool textSource);
int JudgeRow(const RowOutcome& row, int sourceType, const QString& line, bool textSource);

// Ranks the types for the loaded views. base gives the answers (type 1's, type 11's
// barcode list; without one, type 11's barcodes are left empty and not judged).
Detection DetectSourceType(ImportViews& views, const RowWalkSettings& base);
