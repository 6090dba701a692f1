// The saved error log file: its bytes, its replacement of an older file, its failure.
#include "ErrorLog.h"
#include "platform/Error.h"

#include <QFile>
#include <QTemporaryDir>
#include <QtTest>

class TestErrorLog : public QObject {
    Q_OBJECT
private slots:
    void bytes_data();
    void bytes();
    void unwritableFileRaises();
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

QTEST_GUILESS_MAIN(TestErrorLog)
#include "tst_errorlog.moc"
