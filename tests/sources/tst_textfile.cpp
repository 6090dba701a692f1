// Decoding and line splitting of text sources.
#include "LineChecks.h"
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

// The lines hold the file's bytes and 8 bytes a line, and little more.
bool heldNear(const TextLines& lines, qint64 fileSize)
{
    const qint64 expected = fileSize + lines.size() * qint64(sizeof(TextLines::Span));
    if (lines.heldBytes() <= expected + 64)
        return true;
    qWarning("held %lld bytes for %lld", qlonglong(lines.heldBytes()), qlonglong(expected));
    return false;
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
    void binaryFileLoadsAsLines();
    void longLines_data();
    void longLines();
    void ceilings_data();
    void ceilings();
    void twoHundredMegabytes();
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
    // 0x80 to 0x9F are where windows-1252 differs from Latin-1; its five unassigned bytes
    // read as the C1 controls of the same number.
    QByteArray upper;
    for (int b = 0x80; b <= 0xFF; ++b)
        upper.append(char(b));
    const char16_t c1[] = u"\u20AC\u0081\u201A\u0192\u201E\u2026\u2020\u2021\u02C6\u2030\u0160\u2039\u0152\u008D\u017D\u008F"
                          u"\u0090\u2018\u2019\u201C\u201D\u2022\u2013\u2014\u02DC\u2122\u0161\u203A\u0153\u009D\u017E\u0178";
    QString latin1Half;
    for (int c = 0xA0; c <= 0xFF; ++c)
        latin1Half += QChar(c);
    QTest::newRow("no mark: every byte from 0x80, beside ASCII lines")
        << QByteArray("abc\r\n") + upper + QByteArray("\nxyz")
        << QStringList{"abc", QString::fromUtf16(c1) + latin1Half, "xyz"};
    QTest::newRow("lone CRs only") << QByteArray("\r\r\r") << QStringList{"", "", ""};
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

    const QChar nul(0), bad(QChar::ReplacementCharacter), high(0xD83D), low(0xDE00);
    QTest::newRow("NUL bytes stay, breaks still split") << QByteArray("a\0b\r\n\0\0", 7)
        << QStringList{QString("a") + nul + "b", QString(2, nul)};
    QTest::newRow("UTF-16 LE mark only") << QByteArray("\xFF\xFE") << QStringList{};
    QTest::newRow("UTF-16 BE mark only") << QByteArray("\xFE\xFF") << QStringList{};
    QTest::newRow("UTF-16 lone high surrogate, also before a break")
        << QByteArray("\xFF\xFE") + utf16(QString("a") + high + "b\n" + high + "\nc" + high, false)
        << QStringList{QString("a") + bad + "b", QString(bad), QString("c") + bad};
    QTest::newRow("UTF-16 lone low surrogate and a reversed pair")
        << QByteArray("\xFE\xFF") + utf16(QString(low) + "x" + low + high, true)
        << QStringList{QString(bad) + "x" + bad + bad};
    QTest::newRow("UTF-16 odd last byte") << QByteArray("\xFF\xFE") + utf16("a\nb", false) + "X"
        << QStringList{"a", QString("b") + bad};
    QTest::newRow("UTF-16 odd byte after a final break") << QByteArray("\xFF\xFE") + utf16("a\r\n", false) + "X"
        << QStringList{"a", QString(bad)};
    QTest::newRow("UTF-16 mark and one odd byte") << QByteArray("\xFF\xFE\x0A") << QStringList{QString(bad)};
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
    QCOMPARE(allLines(ReadTextFileLines(path)), expected);
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
    const TextLines lines = ReadTextFileLines(path);
    QCOMPARE(lines.size(), 100000);
    QCOMPARE(lines.line(0), QString("linha 0"));
    QCOMPARE(lines.line(50001), QString("linha 50001"));
    QCOMPARE(lines.line(99999), QString("linha 99999"));
}

// A binary file named .txt is text in the ANSI code page: it loads without error, every
// byte but CR and LF becomes one character, and no line holds a break.
void TestTextFile::binaryFileLoadsAsLines()
{
    QByteArray bytes;
    quint32 seed = 12345;
    for (int i = 0; i < 1 << 16; ++i) {
        seed = seed * 1103515245u + 12345u;
        bytes.append(char(i < 256 ? i : int(seed >> 16)));
    }
    QTemporaryDir dir;
    const QString path = dir.filePath("programa.txt");
    QFile file(path);
    QVERIFY(file.open(QIODevice::WriteOnly));
    file.write(bytes);
    file.close();
    const QStringList lines = allLines(ReadTextFileLines(path));
    qsizetype characters = 0;
    for (const QString& line : lines) {
        QVERIFY(!line.contains(u'\r') && !line.contains(u'\n'));
        characters += line.size();
    }
    QCOMPARE(characters, bytes.size() - bytes.count('\r') - bytes.count('\n'));
    QString controls;
    for (char16_t c = 0; c < 10; ++c)
        controls += QChar(c);
    QCOMPARE(lines.first(), controls); // byte 10 is LF
    QCOMPARE(lines.at(2).left(3), QString::fromUtf16(u"\u000E\u000F\u0010")); // after CR
}

void TestTextFile::longLines_data()
{
    QTest::addColumn<QByteArray>("mark");
    QTest::addColumn<bool>("utf16Text");
    QTest::newRow("windows-1252") << QByteArray() << false;
    QTest::newRow("UTF-8") << QByteArray("\xEF\xBB\xBF") << false;
    QTest::newRow("UTF-16 LE") << QByteArray("\xFF\xFE") << true;
}

void TestTextFile::longLines()
{
    QFETCH(QByteArray, mark);
    QFETCH(bool, utf16Text);
    const QString a(100000, u'a'), b = QString(99999, u'b') + u'z';
    const QString text = a + "\r\n" + b + "\n" + a;
    QTemporaryDir dir;
    const QString path = dir.filePath("longas.txt");
    QFile file(path);
    QVERIFY(file.open(QIODevice::WriteOnly));
    file.write(mark + (utf16Text ? utf16(text, false) : text.toLatin1()));
    file.close();
    const TextLines lines = ReadTextFileLines(path);
    QCOMPARE(allLines(lines), (QStringList{a, b, a}));
    // Held at the file's own size, not as decoded text (twice that for the code page).
    QVERIFY(heldNear(lines, file.size()));
}

// Past a ceiling the load fails with a message naming the file, before memory is spent: a
// sparse file of 1 GiB and one byte is refused from its size alone.
void TestTextFile::ceilings_data()
{
    QTest::addColumn<qint64>("sparseSize");
    QTest::addColumn<int>("lines");
    QTest::addColumn<QString>("reason");
    QTest::newRow("one byte past 1 GiB") << qint64(kMaxTextFileBytes) + 1 << 0
        << QString("a text file of more than 1073741824 bytes is not read");
    QTest::newRow("exactly the lines allowed") << qint64(0) << int(kMaxTextLines) << QString();
    QTest::newRow("one line too many") << qint64(0) << int(kMaxTextLines) + 1
        << QString("it has more than 10000000 lines");
}

void TestTextFile::ceilings()
{
    QFETCH(qint64, sparseSize);
    QFETCH(int, lines);
    QFETCH(QString, reason);
    QTemporaryDir dir;
    const QString path = dir.filePath("enorme.txt");
    QFile file(path);
    QVERIFY(file.open(QIODevice::WriteOnly));
    if (sparseSize > 0)
        QVERIFY(file.resize(sparseSize));
    else
        file.write(QByteArray(lines, '\n'));
    file.close();
    QString message;
    try {
        QCOMPARE(ReadTextFileLines(path).size(), lines);
    } catch (const Error& e) {
        message = e.message();
    }
    QCOMPARE(message, reason.isEmpty() ? QString() : QStringLiteral("Cannot read \"%1\": %2").arg(path, reason));
}

// A 200 MB export loads whole; the file is made here and removed with its folder.
void TestTextFile::twoHundredMegabytes()
{
    QTemporaryDir dir;
    const QString path = dir.filePath("catalogo.txt");
    QFile file(path);
    QVERIFY(file.open(QIODevice::WriteOnly));
    const QByteArray line = QByteArray(98, 'x') + "\r\n";
    const int count = 2'000'000;
    QByteArray block;
    for (int i = 0; i < 10000; ++i)
        block += line;
    for (int i = 0; i < count / 10000; ++i)
        QCOMPARE(file.write(block), block.size());
    file.close();
    QCOMPARE(file.size(), qint64(count) * 100);
    const TextLines lines = ReadTextFileLines(path);
    QCOMPARE(lines.size(), count);
    QCOMPARE(lines.line(count - 1), QString(98, u'x'));
    // The file's bytes and 8 bytes a line; as QStrings these lines took 500 MB.
    QVERIFY(heldNear(lines, file.size()));
    QVERIFY(QFile::remove(path));
}

QTEST_GUILESS_MAIN(TestTextFile)
#include "tst_textfile.moc"
