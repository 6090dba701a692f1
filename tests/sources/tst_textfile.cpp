// Decoding and line splitting of text sources.
#include "TextFile.h"
#include "platform/Error.h"

#include <QFile>
#include <QTemporaryDir>
#include <QtTest>

namespace {

QByteArray utf16(const QString& text, bool bigEndian)
{
    QByteArray out;
    for (QChar c : text) {
        const char hi = char(c.unicode() >> 8), lo = char(c.unicode() & 0xFF);
        out.append(bigEndian ? hi : lo);
        out.append(bigEndian ? lo : hi);
    }
    return out;
}

} // namespace

class TestTextFile : public QObject {
    Q_OBJECT

private slots:
    void lines_data();
    void lines();
    void unreadable_data();
    void unreadable();
    void manyLines();
};

void TestTextFile::lines_data()
{
    QTest::addColumn<QByteArray>("bytes");
    QTest::addColumn<QStringList>("expected");

    QTest::newRow("empty file") << QByteArray() << QStringList{};
    QTest::newRow("one line, no break") << QByteArray("a") << QStringList{"a"};
    QTest::newRow("final CR LF adds no line") << QByteArray("a\r\n") << QStringList{"a"};
    QTest::newRow("final lone CR adds no line") << QByteArray("a\rb\r") << QStringList{"a", "b"};
    QTest::newRow("CR LF, CR and LF mixed") << QByteArray("a\r\nb\rc\nd") << QStringList{"a", "b", "c", "d"};
    QTest::newRow("inner empty line stays") << QByteArray("a\n\nb") << QStringList{"a", "", "b"};
    QTest::newRow("LF then CR is two breaks") << QByteArray("a\n\rb") << QStringList{"a", "", "b"};
    QTest::newRow("CR CR LF") << QByteArray("a\r\r\nb") << QStringList{"a", "", "b"};
    QTest::newRow("only a break") << QByteArray("\r\n") << QStringList{""};
    QTest::newRow("two breaks") << QByteArray("\n\n") << QStringList{"", ""};
    QTest::newRow("nothing trimmed") << QByteArray("  a \t\r\n\tb  ") << QStringList{"  a \t", "\tb  "};
    QTest::newRow("no mark: windows-1252") << QByteArray("\x80 caf\xe9\r\n\xc7") << QStringList{"€ café", "Ç"};
    QTest::newRow("no mark: UTF-8 bytes read as windows-1252") << QByteArray("caf\xc3\xa9")
        << QStringList{"cafÃ©"};
    QTest::newRow("UTF-8 mark") << QByteArray("\xEF\xBB\xBF" "caf\xC3\xA9\r\n\xE2\x82\xAC") << QStringList{"café", "€"};
    QTest::newRow("UTF-8 mark only") << QByteArray("\xEF\xBB\xBF") << QStringList{};
    QTest::newRow("UTF-8 mark, U+FEFF inside stays") << QByteArray("\xEF\xBB\xBF" "a\n\xEF\xBB\xBF" "b")
        << QStringList{"a", QString(QChar(0xFEFF)) + "b"};
    QTest::newRow("UTF-8 broken sequence before a break") << QByteArray("\xEF\xBB\xBF" "a\xC3\nb")
        << QStringList{QString("a") + QChar(0xFFFD), "b"};
    const QString wide = QString("Ċafé") + QChar(0xD83D) + QChar(0xDE00); // U+010A: a 0x0A byte in LE
    QTest::newRow("UTF-16 LE mark") << QByteArray("\xFF\xFE") + utf16(wide + "\r\nb\rc\n", false)
        << QStringList{wide, "b", "c"};
    QTest::newRow("UTF-16 BE mark") << QByteArray("\xFE\xFF") + utf16(QString("\u0D0A") + "x\n\ny", true)
        << QStringList{QString("\u0D0A") + "x", "", "y"};
}

void TestTextFile::lines()
{
    QFETCH(QByteArray, bytes);
    QFETCH(QStringList, expected);

    QTemporaryDir dir;
    const QString path = dir.filePath("lista.txt");
    QFile file(path);
    QVERIFY(file.open(QIODevice::WriteOnly));
    file.write(bytes);
    file.close();
    QCOMPARE(ReadTextFileLines(path), expected);
}

void TestTextFile::unreadable_data()
{
    QTest::addColumn<QString>("name");
    QTest::addColumn<QString>("reason");
    QTest::newRow("missing") << "nada.txt" << "No such file or directory";
    QTest::newRow("a folder") << "pasta.txt" << "Is a directory";
}

void TestTextFile::unreadable()
{
    QFETCH(QString, name);
    QFETCH(QString, reason);

    QTemporaryDir dir;
    QVERIFY(QDir(dir.path()).mkdir("pasta.txt"));
    const QString path = dir.filePath(name);
    try {
        ReadTextFileLines(path);
        QFAIL("no error");
    } catch (const Error& e) {
        QCOMPARE(e.message(), QStringLiteral("Cannot open file \"%1\". %2").arg(path, reason));
    }
}

void TestTextFile::manyLines()
{
    QTemporaryDir dir;
    const QString path = dir.filePath("grande.txt");
    QFile file(path);
    QVERIFY(file.open(QIODevice::WriteOnly));
    QByteArray bytes;
    for (int i = 0; i < 100000; ++i)
        bytes += "linha " + QByteArray::number(i) + (i % 2 ? "\r\n" : "\n");
    file.write(bytes);
    file.close();
    const QStringList lines = ReadTextFileLines(path);
    QCOMPARE(lines.size(), 100000);
    QCOMPARE(lines.last(), QString("linha 99999"));
}

QTEST_GUILESS_MAIN(TestTextFile)
#include "tst_textfile.moc"
