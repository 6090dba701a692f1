// converter-banco-import as a user runs it: a separate process over an embedded database.
#include "TestDatabase.h"

#include <QCoreApplication>
#include <QFile>
#include <QProcess>
#include <QTemporaryDir>
#include <QtTest>

class TestCliImport : public QObject {
    Q_OBJECT
private slots:
    void run_data();
    void run();
};

void TestCliImport::run_data()
{
    QTest::addColumn<QStringList>("options"); // before SOURCE; DB stands for the database
    QTest::addColumn<QStringList>("lines");   // the text source
    QTest::addColumn<int>("exitCode");
    QTest::addColumn<QString>("output");      // a part of stdout, or of stderr on failure
    QTest::addColumn<int>("rows");            // rows in c000025 afterwards

    const QStringList three{";1;", ";2;", ";3;"};
    QTest::newRow("imports every line") << QStringList{"--database", "DB", "--type", "13", "--yes"}
        << three << 0 << "Rows imported: 3\nRows failed: 0\n" << 3;
    QTest::newRow("a failed line is counted") << QStringList{"--database", "DB", "--type", "13", "--yes"}
        << QStringList{";x;", ";2;"} << 0 << "Rows imported: 1\nRows failed: 1\n" << 1;
    QTest::newRow("no --yes, nothing wiped") << QStringList{"--database", "DB", "--type", "13"}
        << three << 2 << "confirm it with --yes" << 1;
    QTest::newRow("type out of range") << QStringList{"--database", "DB", "--type", "14", "--yes"}
        << three << 2 << "--type must be a source type from 0 to 13" << 1;
    QTest::newRow("unreachable database")
        << QStringList{"--database", "/no/such/folder/x.fdb", "--type", "13", "--yes"} << three
        << 2 << "No such file or directory" << 1;
}

void TestCliImport::run()
{
    QFETCH(QStringList, options);
    QFETCH(QStringList, lines);
    QFETCH(int, exitCode);
    QFETCH(QString, output);
    QFETCH(int, rows);
    const QString program =
        QCoreApplication::applicationDirPath() + QStringLiteral("/../cli/converter-banco-import");
    if (!QFile::exists(program))
        QSKIP("converter-banco-import is not built");

    TestDatabase db;
    QVERIFY2(db.isValid(), qPrintable(db.error()));
    QVERIFY(db.execute(QStringLiteral("insert into c000025 (codigo) values ('900001');")));
    QTemporaryDir dir;
    QFile source(dir.filePath(QStringLiteral("source.txt")));
    QVERIFY(source.open(QIODevice::WriteOnly));
    source.write(lines.join(QStringLiteral("\r\n")).toLatin1());
    source.close();

    options.replaceInStrings(QRegularExpression(QStringLiteral("^DB$")), db.path());
    const QString log = dir.filePath(QStringLiteral("log.txt"));
    QProcess cli;
    cli.setWorkingDirectory(dir.path());
    cli.start(program, options + QStringList{QStringLiteral("--log"), log, source.fileName()});
    QVERIFY(cli.waitForFinished(60000));
    QCOMPARE(cli.exitStatus(), QProcess::NormalExit);
    const QString out = QString::fromLocal8Bit(exitCode == 0 ? cli.readAllStandardOutput()
                                                             : cli.readAllStandardError());
    QCOMPARE(cli.exitCode(), exitCode);
    QVERIFY2(out.contains(output), qPrintable(out));
    QCOMPARE(QFile::exists(log), exitCode == 0);
    QCOMPARE(db.count(), rows);
}

QTEST_GUILESS_MAIN(TestCliImport)
#include "tst_cli_import.moc"
