// The client library is loaded at run time by name, so a machine whose library sits
// elsewhere (or is missing) still starts the tool: no binary may link it.
#include <QCoreApplication>
#include <QDir>
#include <QFileInfo>
#include <QProcess>
#include <QTest>

class TestNoClientLink : public QObject {
    Q_OBJECT

private slots:
    void binariesDoNotLinkTheClientLibrary_data();
    void binariesDoNotLinkTheClientLibrary();
};

void TestNoClientLink::binariesDoNotLinkTheClientLibrary_data()
{
    QTest::addColumn<QString>("binary");
    // Tests live in <build>/tests; the tool, the command line and benches beside it.
    const QDir tests(QCoreApplication::applicationDirPath());
    QStringList found;
    for (const QFileInfo& f : tests.entryInfoList({"tst_*"}, QDir::Files | QDir::Executable))
        found << f.absoluteFilePath();
    QDir build = tests;
    build.cdUp();
    for (const char* name : {"app/converter-banco", "cli/converter-banco-import"})
        if (QFileInfo::exists(build.filePath(name)))
            found << build.filePath(name);
    const QDir bench(build.filePath("bench"));
    for (const QFileInfo& f : bench.entryInfoList({"bench_*"}, QDir::Files | QDir::Executable))
        found << f.absoluteFilePath();
    for (const QString& path : found)
        QTest::newRow(qPrintable(QFileInfo(path).fileName())) << path;
}

void TestNoClientLink::binariesDoNotLinkTheClientLibrary()
{
    QFETCH(QString, binary);
    QProcess ldd;
    ldd.start("ldd", {binary});
    QVERIFY(ldd.waitForFinished(30000));
    const QString out = QString::fromLocal8Bit(ldd.readAllStandardOutput());
    QCOMPARE(ldd.exitCode(), 0);
    QVERIFY2(out.contains("libc.so"), qPrintable(out)); // ldd did read the binary
    QVERIFY2(!out.contains("fbclient") && !out.contains("libgds"), qPrintable(out));
}

QTEST_GUILESS_MAIN(TestNoClientLink)
#include "tst_NoClientLink.moc"
