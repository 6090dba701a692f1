#include "FailureCauses.h"

#include "ProductRow.h"
#include "platform/Error.h"

#include <QCoreApplication>
#include <QRegularExpression>
#include <QSaveFile>

#include <algorithm>

namespace {

constexpr int FirstRowsKept = 3;

struct Rule {
    QRegularExpression pattern;
    QString replacement;
};

const std::vector<Rule>& rules()
{
    static const std::vector<Rule> list{
        // The conversion errors: the whole text between the outer quotes is the value,
        // whatever quotes it holds itself.
        {QRegularExpression(QStringLiteral("^''.*'' is not a valid integer value$")),
         QStringLiteral("''*'' is not a valid integer value")},
        {QRegularExpression(QStringLiteral("^'.*' is not a valid floating point value$")),
         QStringLiteral("'*' is not a valid floating point value")},
        {QRegularExpression(QStringLiteral("'[^']*'")), QStringLiteral("'*'")},
        {QRegularExpression(QStringLiteral("\\b(string|value) \"[^\"]*\"")), QStringLiteral("\\1 \"*\"")},
        {QRegularExpression(QStringLiteral("\\bactual \\d+")), QStringLiteral("actual *")},
        {QRegularExpression(QStringLiteral("\\bline \\d+, column \\d+")), QStringLiteral("line *, column *")},
        {QRegularExpression(QStringLiteral("\\(-?\\d+\\)")), QStringLiteral("(*)")},
    };
    return list;
}

QString joinedLines(const QString& message)
{
    QStringList lines;
    for (const QString& line : message.split(QRegularExpression(QStringLiteral("[\r\n]+")))) {
        const QString t = line.trimmed();
        if (!t.isEmpty())
            lines << t;
    }
    return lines.join(QStringLiteral(" / "));
}

QString rowList(const Cause& c)
{
    QStringList numbers;
    for (int n : c.firstRows)
        numbers << QString::number(n);
    return numbers.join(QStringLiteral(", ")) + (c.count > c.firstRows.size() ? QStringLiteral(", ...") : QString());
}

bool isPlainNumber(const QString& text)
{
    static const QRegularExpression number(QStringLiteral("^[+-]?\\d+([.,]\\d+)?$"));
    return number.match(text).hasMatch();
}

// A spreadsheet reads a cell that starts with "=", "+", "-" or "@" as a formula; a value
// from the source must stay text, so such a cell gets a leading "'" (numbers excepted).
QString csvCell(QString text)
{
    if (!text.isEmpty() && QStringView(u"=+-@\t\r").contains(text.front()) && !isPlainNumber(text))
        text.prepend(u'\'');
    if (text.contains(u',') || text.contains(u'"') || text.contains(u'\n') || text.contains(u'\r')
        || text.contains(u';') || text != text.trimmed()) {
        text.replace(QStringLiteral("\""), QStringLiteral("\"\""));
        text = u'"' + text + u'"';
    }
    return text;
}

QString csvLine(const QStringList& cells)
{
    QStringList out;
    for (const QString& c : cells)
        out << csvCell(c);
    return out.join(u',') + QStringLiteral("\r\n");
}

} // namespace

QString FailureCause(const QString& message)
{
    QString text = joinedLines(message);
    for (const Rule& rule : rules()) {
        const bool whole = rule.pattern.pattern().startsWith(u'^');
        if (whole && rule.pattern.match(text).hasMatch())
            return rule.replacement; // the value may hold quotes the other rules would split
        text.replace(rule.pattern, rule.replacement);
    }
    return text;
}

void FailureCauses::add(int rowNumber, const ProductRow& row, const QString& message)
{
    m_rows.push_back({rowNumber, row.codigo, row.produto, message});
    const QString cause = FailureCause(message);
    auto it = m_index.find(cause);
    if (it == m_index.end()) {
        it = m_index.insert(cause, m_causes.size());
        m_causes.push_back({cause, 0, {}});
    }
    Cause& c = m_causes[*it];
    ++c.count;
    if (c.firstRows.size() < FirstRowsKept)
        c.firstRows << rowNumber;
}

std::vector<Cause> FailureCauses::causes() const
{
    std::vector<Cause> sorted = m_causes;
    std::stable_sort(sorted.begin(), sorted.end(), [](const Cause& a, const Cause& b) { return a.count > b.count; });
    return sorted;
}

QString FailureCauses::summary() const
{
    if (m_causes.empty())
        return {};
    QString text = QCoreApplication::translate("FailureCauses", "Failures by cause:\n");
    const std::vector<Cause> sorted = causes();
    const int width = int(QString::number(sorted.front().count).size());
    for (const Cause& c : sorted)
        text += QStringLiteral("  %1  %2 (%3)\n")
                    .arg(QString::number(c.count).rightJustified(width), c.text,
                         (c.count == 1 ? QCoreApplication::translate("FailureCauses", "row %1") : QCoreApplication::translate("FailureCauses", "rows %1")).arg(rowList(c)));
    return text;
}

void WriteFailureReport(const QString& fileName, const ReportCounts& counts, const FailureCauses& causes)
{
    QString text = csvLine({"kind", "row", "code", "name", "cause", "message", "count", "first rows"});
    text += csvLine({"total", "", "", "", "", "rows read", QString::number(counts.read), ""});
    text += csvLine({"total", "", "", "", "", "rows imported", QString::number(counts.imported), ""});
    text += csvLine({"total", "", "", "", "", "rows failed", QString::number(counts.failed), ""});
    for (const Cause& c : causes.causes())
        text += csvLine({"cause", "", "", "", c.text, "", QString::number(c.count), rowList(c)});
    for (const FailedRow& r : causes.rows())
        text += csvLine({"row", QString::number(r.rowNumber), r.code, r.name, FailureCause(r.message),
                         joinedLines(r.message), "", ""});
    const QByteArray bytes = "\xEF\xBB\xBF" + text.toUtf8();
    QSaveFile file(fileName);
    if (!file.open(QIODevice::WriteOnly) || file.write(bytes) != bytes.size() || !file.commit())
        throw Error(QCoreApplication::translate("FailureCauses", "Cannot write the report \"%1\". %2").arg(fileName, file.errorString()));
}
