// What converter-banco-import says about itself (--version, --help) and in which language it
// speaks, run as a user runs it: a separate process with its own environment.
#include "CbVersion.h"

#include <QCoreApplication>
#include <QFile>
#include <QProcess>
#include <QtTest>

namespace {

QString program()
{
    return QCoreApplication::applicationDirPath() + QStringLiteral("/../cli/converter-banco-import");
}

struct Run {
    int exitCode = -1;
    QString out;
    QString err;
};

Run run(const QStringList& arguments, const QString& locale = QStringLiteral("C.UTF-8"))
{
    QProcessEnvironment env = QProcessEnvironment::systemEnvironment();
    for (const char* name : {"LANG", "LC_ALL", "LC_MESSAGES", "LANGUAGE"})
        env.remove(QString::fromLatin1(name));
    env.insert(QStringLiteral("LANG"), locale);
    QProcess p;
    p.setProcessEnvironment(env);
    p.start(program(), arguments);
    Run r;
    if (!p.waitForFinished(60000) || p.exitStatus() != QProcess::NormalExit)
        return r;
    r.exitCode = p.exitCode();
    r.out = QString::fromUtf8(p.readAllStandardOutput());
    r.err = QString::fromUtf8(p.readAllStandardError());
    return r;
}

} // namespace

class TestCliMessages : public QObject {
    Q_OBJECT
private slots:
    void init();
    void aboutItself_data();
    void aboutItself();
};

void TestCliMessages::init()
{
    if (!QFile::exists(program()))
        QSKIP("converter-banco-import is not built");
}

void TestCliMessages::aboutItself_data()
{
    QTest::addColumn<QStringList>("arguments");
    QTest::addColumn<QString>("outStart");
    QTest::addColumn<QString>("outPart");

    const QString version = QStringLiteral("converter-banco-import " CB_VERSION "\n");
    QTest::newRow("--version finds the client library") << QStringList{"--version"} << version
        << "Firebird client library: /";
    QTest::newRow("--version, other options ignored")
        << QStringList{"--version", "--type", "99", "a.csv", "b.csv"} << version << "libfbclient";
    QTest::newRow("--version, a library that is not there")
        << QStringList{"--client-library", "/no/such/libfb.so", "--version"} << version
        << "Firebird client library: /no/such/libfb.so (cannot be loaded: ";
    QTest::newRow("-h") << QStringList{"-h"} << "usage: converter-banco-import --type TYPE"
                        << "--version";
    QTest::newRow("--help wins over a bad line") << QStringList{"--type", "99", "--help"}
        << "usage: converter-banco-import" << "--dry-run";
}

void TestCliMessages::aboutItself()
{
    QFETCH(QStringList, arguments);
    QFETCH(QString, outStart);
    QFETCH(QString, outPart);
    const Run r = run(arguments);
    QCOMPARE(r.exitCode, 0);
    QVERIFY2(r.out.startsWith(outStart), qPrintable(r.out));
    QVERIFY2(r.out.contains(outPart), qPrintable(r.out));
    QCOMPARE(r.err, QString());
}

QTEST_GUILESS_MAIN(TestCliMessages)
#include "tst_cli_messages.moc"
