#pragma once
// What the tools add to an import run: the backup before the wipe, the failed rows by cause
// at the end of the summary, and the CSV report.
#include "CliOptions.h"
#include "FailureCauses.h"

class DatabaseConnection;
struct ImportContext;
struct RunResult;

class RunExtras {
public:
    explicit RunExtras(const CliOptions& options) : m_options(options) {}

    // Hooks the backup (before the wipe, in the run's transaction) and the collection of
    // failed rows into the run.
    void attach(ImportContext& context, DatabaseConnection& connection);
    // The lines that end the summary: the backup with its row count, the failures by cause.
    QString summary() const;
    // Writes the --report file when one was asked for; raises when it cannot.
    void writeReport(const RunResult& result) const;

private:
    const CliOptions& m_options;
    FailureCauses m_causes;
    qint64 m_backupRows = -1; // -1: no backup written
};
