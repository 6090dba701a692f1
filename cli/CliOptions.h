#pragma once
// The command line of the unattended import:
//   converter-banco-import --database DB --type N [--user U] [--client-library F]
//                          [--barcodes FILE] [--keep-barcodes] [--log FILE] --yes SOURCE
// The password comes from ISC_PASSWORD, never from the command line.
#include "platform/Error.h"

#include <QString>
#include <QStringList>

struct CliOptions {
    QString database;
    int sourceType = -1;
    QString user = QStringLiteral("SYSDBA");
    QString clientLibrary = QStringLiteral("libfbclient.so.2");
    QString barcodes;      // type 11's barcode list; empty: the source file, as in the window
    bool keepBarcodes = false; // type 1: keep the sheet's own barcodes
    QString log = QStringLiteral("ErrorLog.txt");
    QString source;
};

class UsageError : public Error {
public:
    using Error::Error;
};

// Raises UsageError with what is wrong; `--help` raises it with an empty message.
CliOptions parseCliOptions(const QStringList& arguments);
QString cliUsage();
