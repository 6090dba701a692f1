#pragma once
// converter-banco-import run as a user runs it, to its end: a separate process in the
// command's test environment (CliEnvironment.h). Runs that are paused, signalled or have
// their output taken away use CliProcess, which this is built on.
#include <QString>
#include <QStringList>

class QTemporaryDir;

struct CliRun {
    int exitCode = -1; // -1: it did not start or did not end normally
    QString out;
    QString err;
};

// How a run is started, beyond its arguments.
struct CliLaunch {
    int fileSizeLimit = 0;   // in 512-byte blocks (ulimit -f), 0: none; a write fails as on a full disk
    bool onTerminal = false; // under script(1): the command's output is a terminal
    QString locale;          // set: the command's language comes from LANG=locale alone

    // The whole run in Brazilian Portuguese, the command's own words included.
    static CliLaunch portuguese()
    {
        CliLaunch launch;
        launch.locale = QStringLiteral("pt_BR.UTF-8");
        return launch;
    }
};

QString cliProgram(); // the built command, beside the test executables
QString fixturePath(const QString& relative); // under tests/fixtures

// A catalogue for the command: with lines, they are written to dir/name (CR LF between
// them, Latin-1); without, name is a fixture.
QString sourceFile(const QTemporaryDir& dir, const QString& name, const QStringList& lines = {});

CliRun runCli(const QStringList& arguments, const QString& workDir, const CliLaunch& launch = {});
