#pragma once
// The options of the tools around the import: find the type (--detect), look at the
// products first (--preview N), keep the old catalogue (--backup FILE) and put it back
// (--restore FILE), and the failures as a spreadsheet (--report FILE).
#include "CommandLine.h"

#include <QList>
#include <QString>
#include <QStringList>

struct ToolOptions {
    bool detect = false; // rank the source types for SOURCE; no database
    int preview = 0;     // rows to show as the run would import them; 0: no preview
    QString backup;      // the script that puts the table back, written before the wipe
    QString restore;     // a backup script to play instead of an import
    QString report;      // the failures as CSV

    bool connects() const { return !detect && preview == 0; }
    bool needsType() const { return !detect && restore.isEmpty(); }
    bool needsSource() const { return restore.isEmpty(); }
};

// Rows --preview shows when no count follows it.
constexpr int DefaultPreviewRows = 10;

// The options to add to the command's parser, and what the parsed line says of them.
QList<OptionSpec> toolOptionSpecs();
// Raises UsageError for a bad count and for options that do not go together.
ToolOptions readToolOptions(const ParsedOptions& parsed, bool dryRun);

// --preview may stand alone; the parser wants a value, so a count is put in (the default
// when no number follows). "--preview 25" and "--preview=25" keep theirs.
QStringList withPreviewCount(const QStringList& arguments);

// The lines of the usage text for these options.
QString toolUsage();
