#pragma once
// The failed rows of a run grouped by cause: one cause per distinct message once the row's
// own values are taken out of it, so that "'1.234.56' is not a valid floating point value"
// and "'9.999.99' is not ..." count as one. The error log itself is not touched.
#include <QList>
#include <QString>

#include <QHash>
#include <vector>

struct ProductRow;

// The message with the row's values replaced by "*": what stands between single quotes
// (the conversion errors' ''x'' and 'x', a key value), the double-quoted text after
// "string " or "value " in database messages, the number after "actual ", and a statement's
// "line N, column M". The lines of a database message are joined with " / ".
QString FailureCause(const QString& message);

struct FailedRow {
    int rowNumber = 0;
    QString code; // as the error log shows it, unpadded
    QString name;
    QString message;
};

struct Cause {
    QString text;
    int count = 0;
    QList<int> firstRows; // the first three row numbers
};

class FailureCauses {
public:
    void add(int rowNumber, const ProductRow& row, const QString& message);

    const std::vector<FailedRow>& rows() const { return m_rows; }
    // Most frequent first; equal counts in the order they first failed.
    std::vector<Cause> causes() const;
    // "Failures by cause:" and one line per cause: its count, the cause, its first rows.
    // Empty when nothing failed.
    QString summary() const;

private:
    std::vector<FailedRow> m_rows;
    std::vector<Cause> m_causes;
    QHash<QString, std::size_t> m_index;
};

// The run's counts for the report.
struct ReportCounts {
    int read = 0;
    int imported = 0;
    int failed = 0;
};

// Writes the CSV report (UTF-8 with a byte-order mark, CR LF, a header row): the counts,
// then one line per cause, then one line per failed row. Raises Error when the file cannot
// be written completely.
void WriteFailureReport(const QString& fileName, const ReportCounts& counts, const FailureCauses& causes);
