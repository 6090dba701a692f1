// The compact line store and the list model over it. How a file becomes lines is
// tst_textfile's; here: lines given as strings, copies, bounds, and what the model shows.
#include "LineChecks.h"
#include "TextFile.h"
#include "TextLines.h"
#include "TextLinesModel.h"
#include "platform/Error.h"

#include <QFile>
#include <QSignalSpy>
#include <QTemporaryDir>
#include <QtTest>

#include <optional>

class TestTextLines : public QObject {
    Q_OBJECT

private slots:
    void fromStringsKeepsEveryUnit_data();
    void fromStringsKeepsEveryUnit();
    void outsideTheLinesIsEmpty();
    void copiesOutliveTheOriginal();
    void spansOutsideTheBytesAreRefused_data();
    void spansOutsideTheBytesAreRefused();
    void blankLines();
    void modelShowsTheLines_data();
    void modelShowsTheLines();
};

void TestTextLines::fromStringsKeepsEveryUnit_data()
{
    QTest::addColumn<QStringList>("lines");
    const QChar high(0xD83D), low(0xDE00), nul(0);
    QTest::newRow("none") << QStringList{};
    QTest::newRow("one empty line") << QStringList{QString()};
    QTest::newRow("empty lines between") << QStringList{"", "a", "", "", "b", ""};
    QTest::newRow("beyond Latin-1 and the code page") << QStringList{"café €", "Ċ ĳ", "日本"};
    // Lines handed over as strings are the caller's: nothing is replaced, not even what a
    // file's decoding would replace.
    QTest::newRow("lone surrogates and NULs stay") << QStringList{QString(high) + "x", QString(low), QString(2, nul)};
    QTest::newRow("a pair") << QStringList{QString(high) + low};
    QTest::newRow("a long line") << QStringList{"a", QString(300000, u'z'), "b"};
}

void TestTextLines::fromStringsKeepsEveryUnit()
{
    QFETCH(QStringList, lines);
    const TextLines store = TextLines::fromStrings(lines);
    QCOMPARE(store.size(), lines.size());
    QCOMPARE(store.isEmpty(), lines.isEmpty());
    QCOMPARE(allLines(store), lines);
}

void TestTextLines::outsideTheLinesIsEmpty()
{
    const TextLines none;
    QCOMPARE(none.size(), 0);
    QCOMPARE(none.line(0), QString());
    QCOMPARE(none.heldBytes(), 0);
    const TextLines two = TextLines::fromStrings({"a", "b"});
    for (qsizetype i : {qsizetype(-1), qsizetype(2), qsizetype(1) << 40})
        QCOMPARE(two.line(i), QString());
}

// The window's model, the run's views and a run's barcode list each keep a copy; the one
// read from the file may be gone by the time a copy is read.
void TestTextLines::copiesOutliveTheOriginal()
{
    QTemporaryDir dir;
    const QString path = dir.filePath("copia.txt");
    QFile file(path);
    QVERIFY(file.open(QIODevice::WriteOnly));
    file.write("caf\xe9\r\nabc\n\x80");
    file.close();
    std::optional<TextLines> original(ReadTextFileLines(path));
    const TextLines copy = *original;
    QCOMPARE(copy.heldBytes(), original->heldBytes());
    TextLines moved = std::move(*original);
    original.reset();
    QVERIFY(QFile::remove(path));
    QCOMPARE(allLines(copy), (QStringList{"café", "abc", "€"}));
    QCOMPARE(allLines(moved), allLines(copy));
}

void TestTextLines::spansOutsideTheBytesAreRefused_data()
{
    QTest::addColumn<quint32>("start");
    QTest::addColumn<quint32>("end");
    QTest::newRow("end past the bytes") << 2u << 5u;
    QTest::newRow("start past the bytes") << 5u << 5u;
    QTest::newRow("start after end") << 3u << 1u;
}

void TestTextLines::spansOutsideTheBytesAreRefused()
{
    QFETCH(quint32, start);
    QFETCH(quint32, end);
    QVERIFY_THROWS_EXCEPTION(Error, TextLines(QByteArray("abcd"), TextCoding::AnsiCodePage, {{0, 4}, {start, end}}));
    const TextLines whole(QByteArray("abcd"), TextCoding::AnsiCodePage, {{0, 4}, {4, 4}, {1, 3}});
    QCOMPARE(allLines(whole), (QStringList{"abcd", "", "bc"}));
}

// Type 11 judged without its barcode list: a line for every product, all of them empty.
void TestTextLines::blankLines()
{
    const TextLines blank = TextLines::blankLines(100000);
    QCOMPARE(blank.size(), 100000);
    QCOMPARE(blank.line(0), QString());
    QCOMPARE(blank.line(99999), QString());
    QVERIFY(blank.heldBytes() <= 100000 * qsizetype(sizeof(TextLines::Span)));
    QCOMPARE(TextLines::blankLines(-1).size(), 0);
}

void TestTextLines::modelShowsTheLines_data()
{
    QTest::addColumn<QByteArray>("bytes");
    QTest::addColumn<QStringList>("shown");
    QTest::newRow("empty file") << QByteArray() << QStringList{};
    QTest::newRow("code page, mixed breaks") << QByteArray("caf\xe9\r\n\r\x93x\x94\nfim")
                                             << QStringList{"café", "", "“x”", "fim"};
    QTest::newRow("UTF-16 LE") << QByteArray("\xFF\xFE" "a\0\r\0\n\0\x01\x01", 10) << QStringList{"a", "ā"};
}

void TestTextLines::modelShowsTheLines()
{
    QFETCH(QByteArray, bytes);
    QFETCH(QStringList, shown);
    QTemporaryDir dir;
    const QString path = dir.filePath("lista.txt");
    QFile file(path);
    QVERIFY(file.open(QIODevice::WriteOnly));
    file.write(bytes);
    file.close();

    TextLinesModel model;
    model.setLines(TextLines::fromStrings({"antes"}));
    QSignalSpy reset(&model, &QAbstractItemModel::modelReset);
    model.setLines(ReadTextFileLines(path));
    QCOMPARE(reset.count(), 1);
    QCOMPARE(shownTexts(model), shown);
    QCOMPARE(allLines(model.lines()), shown);
    QCOMPARE(model.rowCount(model.index(0, 0)), 0); // a list: no row has children
    for (int row = 0; row < model.rowCount(); ++row) {
        const QModelIndex index = model.index(row, 0);
        QCOMPARE(model.data(index, Qt::EditRole).toString(), shown.at(row));
        QVERIFY(!model.data(index, Qt::DecorationRole).isValid());
        QVERIFY(!(model.flags(index) & Qt::ItemIsEditable)); // a list box is not edited
        QVERIFY(model.flags(index) & Qt::ItemIsSelectable);
    }
}

QTEST_GUILESS_MAIN(TestTextLines)
#include "tst_textlines.moc"
