#pragma once
// converter-banco-import run as a user runs it: a separate process, the test password in
// ISC_PASSWORD and Brazilian regional settings.
#include <QString>
#include <QStringList>

struct CliRun {
    int exitCode = -1; // -1: it did not start or did not end normally
    QString out;
    QString err;
};

QString cliProgram(); // the built command, beside the test executables
QString fixturePath(const QString& relative); // under tests/fixtures

// Runs the command in workDir; fileSizeLimit (in 512-byte blocks, 0: none) is set with the
// shell's ulimit -f first, to make a write fail as on a full disk.
CliRun runCli(const QStringList& arguments, const QString& workDir, int fileSizeLimit = 0);
