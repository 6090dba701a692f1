// The saved error log file: its bytes, its replacement of an older file, its failure.
#include "ErrorLog.h"
#include "NonRegularFiles.h"
#include "platform/Error.h"

#include <QFile>
#include <QTemporaryDir>
#include <QtTest>

#ifdef Q_OS_UNIX
#include <fcntl.h>
#include <unistd.h>
#endif

class TestErrorLog : public QObject {
    Q_OBJECT
private slots:
    void bytes_data();
    void bytes();
    void unwritableFileRaises();
    void deviceIsWrittenInPlace_data();
    void deviceIsWrittenInPlace();
    void pipeWithAReaderGetsTheLog();
};

void TestErrorLog::bytes_data()
{
    QTest::addColumn<QStringList>("lines");
    QTest::addColumn<QByteArray>("expected");
    QTest::newRow("no lines, an empty file") << QStringList{} << QByteArray();
    QTest::newRow("CR LF after every line") << QStringList{"a", "", "b"}
                                            << QByteArray("a\r\n\r\nb\r\n");
    QTest::newRow("windows-1252, no byte-order mark")
        << QStringList{QStringLiteral("Nome: AÇÚCAR € 1|Código: 7")}
        << QByteArray("Nome: A\xC7\xDA" "CAR \x80 1|C\xF3" "digo: 7\r\n");
    QTest::newRow("a database message keeps its CRs")
        << QStringList{QStringLiteral("Erro: \rstring right truncation\r  expected length 2")}
        << QByteArray("Erro: \rstring right truncation\r  expected length 2\r\n");
}

void TestErrorLog::bytes()
{
    QFETCH(QStringList, lines);
    QFETCH(QByteArray, expected);
    QTemporaryDir dir;
    const QString name = dir.filePath(QStringLiteral("ErrorLog.txt"));
    {
        QFile old(name);
        QVERIFY(old.open(QIODevice::WriteOnly));
        old.write(QByteArray(200, 'x'));
    }
    SaveErrorLog(name, lines);
    QFile f(name);
    QVERIFY(f.open(QIODevice::ReadOnly));
    QCOMPARE(f.readAll(), expected);
}

void TestErrorLog::unwritableFileRaises()
{
    QTemporaryDir dir;
    const QString name = dir.filePath(QStringLiteral("no/such/folder/ErrorLog.txt"));
    try {
        SaveErrorLog(name, {QStringLiteral("x")});
        QFAIL("no error raised");
    } catch (const Error& e) {
        QVERIFY2(e.message().startsWith(QStringLiteral("Cannot create file \"") + name + "\". "),
                 qPrintable(e.message()));
    }
}

// A device is never replaced by a renamed temp file: /dev/full must stay the device, and
// its "disk full" must reach the caller instead of a log silently written elsewhere.
void TestErrorLog::deviceIsWrittenInPlace_data()
{
    QTest::addColumn<QString>("device");
    QTest::addColumn<QString>("error"); // empty: the save succeeds
    QTest::newRow("full disk") << "/dev/full" << "No space left on device";
    QTest::newRow("null device") << "/dev/null" << QString();
    QTest::newRow("pipe nobody reads") << "FIFO" << "No such device or address";
}

void TestErrorLog::deviceIsWrittenInPlace()
{
    QFETCH(QString, device);
    QFETCH(QString, error);
    QTemporaryDir dir;
    const bool fifo = device == QLatin1String("FIFO");
    if (fifo) {
        device = dir.filePath(QStringLiteral("log.fifo"));
        if (!makeNamedPipe(device))
            QSKIP("no named pipes here");
    }
    if (!QFile::exists(device))
        QSKIP("no such device here");
    try {
        SaveErrorLog(device, {QStringLiteral("Nome: X|Código: 1|Erro: y")});
        QVERIFY2(error.isEmpty(), "no error raised");
    } catch (const Error& e) {
        QCOMPARE(e.message(), QStringLiteral("Cannot create file \"%1\". %2").arg(device, error));
    }
    QVERIFY(isNonRegularFile(device));
    if (!fifo) // no temp file beside the device
        QCOMPARE(QDir(QFileInfo(device).path()).entryList({QFileInfo(device).fileName() + "*"},
                                                           QDir::Files | QDir::Hidden | QDir::System),
                 QStringList{QFileInfo(device).fileName()});
}

// The reader must hold the pipe open before the log is saved, without waiting for a writer
// and without waiting for bytes that never come: a non-blocking read end, which only a POSIX
// system has (as it alone has named pipes of this kind).
void TestErrorLog::pipeWithAReaderGetsTheLog()
{
#ifndef Q_OS_UNIX
    QSKIP("named pipes are a POSIX system's");
#else
    QTemporaryDir dir;
    const QString name = dir.filePath(QStringLiteral("log.fifo"));
    QVERIFY(makeNamedPipe(name));
    const int reader = ::open(QFile::encodeName(name).constData(), O_RDONLY | O_NONBLOCK);
    QVERIFY(reader >= 0);
    SaveErrorLog(name, {QStringLiteral("a"), QStringLiteral("b")});
    char buffer[16] = {};
    const auto got = ::read(reader, buffer, sizeof buffer);
    ::close(reader);
    QCOMPARE(QByteArray(buffer, int(got)), QByteArray("a\r\nb\r\n"));
    QVERIFY(isNonRegularFile(name));
#endif
}

QTEST_GUILESS_MAIN(TestErrorLog)
#include "tst_errorlog.moc"
