#include "SourceDetection.h"

#include "FieldHelpers.h"
#include "ImportViews.h"
#include "ProductRange.h"
#include "SourceTypes.h"
#include "TextGrid.h"

#include <QList>
#include <QPair>
#include <QRegularExpression>

#include <algorithm>

namespace {

// The weight of each rule; the name counts most, since every layout sets it and a wrong
// layout most often reads a number, a blank or nothing there.
constexpr int NamePoints = 3;
constexpr int BarcodePoints = 2;
constexpr int SalePricePoints = 2;
// Shorter than this, a "name" is a unit, a flag or a code the layout read by mistake.
constexpr int ShortestName = 3;

bool hasLetter(const QString& text)
{
    return std::any_of(text.begin(), text.end(), [](QChar c) { return c.isLetter(); });
}

// The decimal written into the statement: digits, one optional point, an optional sign.
bool isPlainDecimal(const QString& text, bool positive)
{
    bool ok = false;
    const double value = text.trimmed().toDouble(&ok);
    return ok && !text.contains(u'e', Qt::CaseInsensitive) && (positive ? value > 0 : value >= 0);
}

bool isEan13OrEmpty(const QString& barcode)
{
    const QString code = barcode.trimmed();
    if (code.isEmpty())
        return true;
    if (code.size() != 13 || DigitsOnly(code) != code)
        return false;
    try {
        return Ean13CheckDigit(code) == code.right(1);
    } catch (const Error&) {
        return false;
    }
}

bool codeMakesBarcode(const QString& code)
{
    try {
        return MakeBarcode(code).size() == 13;
    } catch (const Error&) {
        return false;
    }
}

bool unitLooksRight(const QString& unit)
{
    const QString u = unit.trimmed();
    return !u.isEmpty() && unit.size() <= 2 && hasLetter(u);
}

// What a text layout cuts from the current line: its fixed windows (start, length), or the
// number of the furthest delimited field it reads (field n follows the n-th separator).
struct TextLayoutShape {
    QList<QPair<int, int>> windows;
    int fields = 0;
    QChar separator;
};

TextLayoutShape shapeOf(const SourceTypeDescriptor& type)
{
    TextLayoutShape shape;
    if (type.split != LineSplit::None)
        shape.separator = type.split == LineSplit::Bars ? u'|' : u';';
    for (const layout::Step& step : type.layout) {
        if (step.from == layout::From::Window)
            shape.windows.append({step.at, step.length});
        else if (step.from == layout::From::Delimited)
            shape.fields = std::max(shape.fields, step.at);
    }
    return shape;
}

// The line reaches into the furthest window, or holds the furthest field, the layout reads.
bool lineReaches(const QString& line, const TextLayoutShape& shape)
{
    if (!shape.separator.isNull())
        return line.count(shape.separator) >= shape.fields;
    int reach = 0;
    for (const auto& [start, length] : shape.windows)
        reach = std::max(reach, start + 1);
    return line.size() >= reach;
}

bool splitsWord(const QString& line, int at)
{
    return at > 0 && at < line.size() && line.at(at - 1).isLetter() && line.at(at).isLetter();
}

// A fixed-width export pads its fields, so the right windows start and end between fields;
// a wrong layout cuts through words. A delimited line has its fields when it reaches them.
bool cutsBetweenFields(const QString& line, const TextLayoutShape& shape)
{
    if (!shape.separator.isNull())
        return lineReaches(line, shape);
    for (const auto& [start, length] : shape.windows)
        if (splitsWord(line, start) || splitsWord(line, start + length))
            return false;
    return true;
}

// A name with a long run of digits or of blanks has swallowed other fields.
bool nameLooksRight(const QString& name)
{
    static const QRegularExpression swallowed(QStringLiteral("\\d{7}|\\s{5}"));
    return name.size() >= ShortestName && hasLetter(name) && !swallowed.match(name).hasMatch();
}

double typeScore(int points, int rows, bool textSource)
{
    return rows == 0 ? 0.0 : 100.0 * points / (double(rows) * RowPoints(textSource));
}

TypeScore judgeType(ImportViews& views, RowWalkSettings settings, const SourceTypeDescriptor& descriptor,
                    bool textSource)
{
    const int type = descriptor.number;
    settings.sourceType = type;
    // Without the barcode list the barcodes stay empty, and are not held against the type.
    if (descriptor.question == TypeQuestion::BarcodeListFile && settings.barcodeList.isEmpty())
        settings.barcodeList = TextLines::blankLines(views.lines().size());
    RowWalk walk(views, settings);
    TypeScore score;
    score.sourceType = type;
    int points = 0;
    int judged = 0;
    int stood = walk.first() - 1;
    for (int at : SamplePositions(walk.first(), walk.end(), DetectionSampleRows)) {
        if (at <= stood)
            continue; // the layout has moved past it (type 6 skips its heading line)
        const RowOutcome row = walk.build(at);
        stood = walk.position();
        const QString line = textSource ? views.lines().line(row.rowNumber - 1) : QString();
        points += JudgeRow(row, type, line, textSource);
        score.failing += row.failed ? 1 : 0;
        if (judged++ == 0)
            score.first = row;
    }
    score.score = typeScore(points, judged, textSource);
    return score;
}

} // namespace

std::vector<int> SamplePositions(int first, int end, int wanted)
{
    std::vector<int> positions;
    const qint64 count = std::max(0, end - first);
    const qint64 taken = std::min<qint64>(count, wanted);
    positions.reserve(std::size_t(taken));
    for (qint64 i = 0; i < taken; ++i)
        positions.push_back(int(first + i * count / taken));
    return positions;
}

int RowPoints(bool textSource)
{
    return NamePoints + 1 + BarcodePoints + 1 + SalePricePoints + 1 + 1 + (textSource ? 2 : 0);
}

int JudgeRow(const RowOutcome& row, int sourceType, const QString& line, bool textSource)
{
    if (row.failed)
        return 0;
    const QStringList& v = row.values;
    int points = 0;
    points += nameLooksRight(v.value(ValueProduto).trimmed()) ? NamePoints : 0;
    points += codeMakesBarcode(row.row.codigo) ? 1 : 0;
    points += isEan13OrEmpty(v.value(ValueCodbarra)) ? BarcodePoints : 0;
    points += isPlainDecimal(v.value(ValuePrecocusto), false) ? 1 : 0;
    points += isPlainDecimal(v.value(ValuePrecovenda), true) ? SalePricePoints : 0;
    points += isPlainDecimal(v.value(ValueEstoque), false) ? 1 : 0;
    points += unitLooksRight(v.value(ValueUnidade)) ? 1 : 0;
    if (textSource) {
        const TextLayoutShape shape = shapeOf(*FindSourceType(sourceType));
        points += lineReaches(line, shape) ? 1 : 0;
        points += cutsBetweenFields(line, shape) ? 1 : 0;
    }
    return points;
}

Detection DetectSourceType(ImportViews& views, const RowWalkSettings& base)
{
    const SourceKindDescriptor* kind = SourceKindOfMode(views.sourceMode());
    const bool textSource = kind && kind->kind == SourceKind::Text;
    Detection d;
    const int first = textSource ? 0 : 1;
    const int end = textSource ? TextProductEnd(views.lines()) : SheetProductEnd(views.grid());
    d.rows = std::max(0, end - first);
    d.judged = int(std::min<qint64>(d.rows, DetectionSampleRows));
    if (d.rows == 0)
        return d; // nothing to judge: a sheet of its heading alone, an empty file
    for (const SourceTypeDescriptor& type : SourceTypes())
        if (kind && type.kind == kind->kind)
            d.ranking.push_back(judgeType(views, base, type, textSource));
    std::stable_sort(d.ranking.begin(), d.ranking.end(), [](const TypeScore& a, const TypeScore& b) {
        return a.score > b.score || (a.score == b.score && a.failing < b.failing);
    });
    d.clearLeader = !d.ranking.empty() && d.ranking[0].score >= LeaderMinimum
                    && (d.ranking.size() == 1 || d.ranking[0].score - d.ranking[1].score >= ClearLead);
    return d;
}
