#pragma once
// The command line of the unattended import:
//   converter-banco-import --type TYPE [--database DB] [--user NAME] [--client-library FILE]
//                          [--keep-source-barcode] [--barcode-file FILE] [--log FILE]
//                          [--wait SECONDS] [--yes] [--dry-run] [--quiet] [--one-by-one]
//                          [--backup FILE] [--report FILE] SOURCE
//   converter-banco-import --detect SOURCE
//   converter-banco-import --type TYPE --preview [N] SOURCE
//   converter-banco-import --restore FILE [--database DB] ... (--yes | --dry-run)
// The connection settings not given default to the window's built-in ones; the password
// comes from ISC_PASSWORD when it is set, never from the command line.
#include "BuiltInSettings.h"
#include "ToolOptions.h"
#include "platform/Error.h"

#include <QString>
#include <QStringList>

#include <optional>

struct CliOptions {
    AppSettings connection;
    int sourceType = -1;
    bool keepSourceBarcode = false; // TypeQuestion::KeepSourceBarcode answered Yes
    QString barcodeFile;            // TypeQuestion::BarcodeListFile's file, required by such a type
    QString log = QStringLiteral("ErrorLog.txt");
    bool yes = false;    // the wipe is confirmed
    bool dryRun = false; // roll back at the end instead of committing
    bool quiet = false;  // no progress line
    bool oneByOne = false; // every insert alone, as the window sends them, not in batches
    int waitSeconds = 0; // how long the wipe is retried while the database is in use
    ToolOptions tools;   // --detect, --preview, --backup, --restore, --report
    QString source;      // empty with --restore
    bool help = false;    // --help: print the usage, run nothing
    bool version = false; // --version: print the version and the client library, run nothing
};

class UsageError : public Error {
public:
    using Error::Error;
};

// Parses the whole command line (arguments[0] is the program). iscPassword is the value of
// ISC_PASSWORD, or nullopt when it is not set. Raises UsageError with what is wrong;
// `--help` (`-h`) anywhere gives options with help set and nothing else checked; `--version`
// likewise gives version set, with only the client library read.
CliOptions parseCliOptions(const QStringList& arguments, const std::optional<QString>& iscPassword);
QString cliUsage();
