// Damaged, encrypted and foreign .xls files: each fails with a clear message and leaves the
// grid as it was, and no cut or bit flip of a good file crashes or hangs the reader.
#include "RegionalSettings.h"
#include "TextGrid.h"
#include "platform/Error.h"
#include "xls/XlsLoad.h"
#include "xls/XlsReader.h"

#include <QFile>
#include <QtTest>

namespace {

QString fixture(const QString& name)
{
    return QStringLiteral(CB_SOURCE_DIR "/tests/fixtures/xls/") + name;
}

QByteArray bytesOf(const QString& name)
{
    QFile file(fixture(name));
    if (!file.open(QIODevice::ReadOnly))
        qFatal("missing fixture %s", qPrintable(name));
    return file.readAll();
}

// The message of a load from memory, or "ok".
QString loadBytes(TextGrid& grid, const QByteArray& bytes, qint64 maxCells = qint64(gridfill::kMaxAreaCells))
{
    try {
        xls::loadXlsData(grid, bytes, RegionalSettings::brazil(), QStringLiteral("x.xls"), maxCells);
        return QStringLiteral("ok");
    } catch (const Error& e) {
        return e.message();
    }
}

} // namespace

class TestXlsDamage : public QObject {
    Q_OBJECT

private slots:
    void clearFailures_data();
    void clearFailures();
    void missingFile();
    void everyPrefixFailsCleanly_data();
    void everyPrefixFailsCleanly();
    void flippedBytesNeverCrash();
    void areaBoundIsEnforced();
    void foreignBytes_data();
    void foreignBytes();
};

void TestXlsDamage::clearFailures_data()
{
    QTest::addColumn<QString>("file");
    QTest::addColumn<QString>("reason");

    QTest::newRow("text file") << "not_cfb.xls"
        << "it is not an Excel 97-2003 workbook (no compound file header)";
    QTest::newRow("truncated") << "truncated.xls"
        << "the compound file is truncated or damaged (a sector lies past its end)";
    QTest::newRow("FAT loop") << "fat_loop.xls" << "the sector chain of the stream loops";
    QTest::newRow("FAT index out of range") << "fat_out_of_range.xls"
        << "the sector chain of the stream points outside the file";
    QTest::newRow("no Workbook stream") << "no_workbook.xls" << "the file holds no Workbook stream";
    QTest::newRow("record past the stream") << "record_past_end.xls"
        << "a record runs past the end of the workbook stream";
    QTest::newRow("encrypted") << "filepass.xls" << "the workbook is password-protected";
    QTest::newRow("encrypted .xlsx package") << "encrypted_package.xls" << "the workbook is password-protected";
    QTest::newRow("no worksheet") << "no_worksheet.xls" << "the workbook has no worksheet";
    QTest::newRow("shared string index") << "bad_sst_index.xls"
        << "the cell B2 refers to a shared string that does not exist";
}

// Structural failures are found before the grid is touched.
void TestXlsDamage::clearFailures()
{
    QFETCH(QString, file);
    QFETCH(QString, reason);
    TextGrid grid;
    grid.resize(3, 2);
    grid.setCell(1, 2, QStringLiteral("kept"));
    QString message;
    try {
        LoadXls(grid, fixture(file), RegionalSettings::brazil());
    } catch (const Error& e) {
        message = e.message();
    }
    QCOMPARE(message, QStringLiteral("Cannot read \"%1\": %2").arg(fixture(file), reason));
    QCOMPARE(grid.RowCount(), 3);
    QCOMPARE(grid.ColCount(), 2);
    QCOMPARE(grid.cell(1, 2), QStringLiteral("kept"));
}

void TestXlsDamage::missingFile()
{
    TextGrid grid;
    const QString name = fixture("does_not_exist.xls");
    try {
        LoadXls(grid, name, RegionalSettings::brazil());
        QFAIL("a missing file loaded");
    } catch (const Error& e) {
        QVERIFY2(e.message().startsWith(QStringLiteral("Cannot open file \"%1\". ").arg(name)),
                 qPrintable(e.message()));
    }
}

void TestXlsDamage::everyPrefixFailsCleanly_data()
{
    QTest::addColumn<QString>("file");
    QTest::newRow("xlwt, SST and MULBLANK") << "cells.xls";
    QTest::newRow("mini stream, BIFF5") << "biff5_cp1251.xls";
    QTest::newRow("4096-byte sectors") << "sector4096.xls";
    QTest::newRow("formula results") << "formula_results.xls";
}

// A file cut anywhere short of its end is an Error, never a crash or a read past the data
// (the fuzz run checks the same under the sanitizers).
void TestXlsDamage::everyPrefixFailsCleanly()
{
    QFETCH(QString, file);
    const QByteArray whole = bytesOf(file);
    for (qsizetype length = 0; length < whole.size(); length += 7) {
        TextGrid grid;
        const QByteArray cut = whole.left(length);
        QVERIFY2(loadBytes(grid, cut) != QLatin1String("ok"), qPrintable(QString::number(length)));
    }
}

void TestXlsDamage::flippedBytesNeverCrash()
{
    const QByteArray whole = bytesOf("sst_continue.xls");
    int loaded = 0;
    for (qsizetype at = 0; at < whole.size(); ++at) {
        QByteArray damaged = whole;
        damaged[at] = char(damaged[at] ^ 0xA5);
        TextGrid grid;
        if (loadBytes(grid, damaged, 1 << 16) == QLatin1String("ok"))
            ++loaded;
    }
    QVERIFY(loaded > 0); // flips in padding and unused fields change nothing
}

// The area is checked before the grid is touched.
void TestXlsDamage::areaBoundIsEnforced()
{
    TextGrid grid;
    // A DIMENSIONS record of 4294967295 rows that no record reaches costs nothing: the area is
    // A1 alone.
    QVERIFY(loadBytes(grid, bytesOf("huge_dimensions.xls")).contains(QLatin1String("no cell beyond A1")));
    QCOMPARE(grid.RowCount(), 1);
    QCOMPARE(loadBytes(grid, bytesOf("c3_start.xls"), 19),
             QStringLiteral("The used area of the first worksheet, A1:E4, has more than 19 cells"));
    QCOMPARE(loadBytes(grid, bytesOf("c3_start.xls"), 20), QStringLiteral("ok"));
}

// Bytes that are no compound file at all, or only its first bytes.
void TestXlsDamage::foreignBytes_data()
{
    QTest::addColumn<QByteArray>("bytes");
    QTest::addColumn<QString>("reason");
    const QString notCfb = QStringLiteral("it is not an Excel 97-2003 workbook (no compound file header)");
    QFile xlsx(QStringLiteral(CB_SOURCE_DIR "/tests/fixtures/xlsx/start_c3.xlsx"));
    QVERIFY(xlsx.open(QIODevice::ReadOnly));
    const QByteArray signature = bytesOf("good.xls").left(8);
    QTest::newRow("empty file") << QByteArray() << notCfb;
    QTest::newRow("an .xlsx named .xls") << xlsx.readAll() << notCfb;
    QTest::newRow("part of the signature") << signature.left(7) << notCfb;
    QTest::newRow("the signature alone") << signature << "the compound file is truncated";
    QTest::newRow("a header of zeros") << signature + QByteArray(504, '\0')
                                       << "the compound file header is damaged (byte order mark)";
}

void TestXlsDamage::foreignBytes()
{
    QFETCH(QByteArray, bytes);
    QFETCH(QString, reason);
    TextGrid grid;
    QCOMPARE(loadBytes(grid, bytes), QStringLiteral("Cannot read \"x.xls\": %1").arg(reason));
    QCOMPARE(grid.RowCount(), 5);
}

QTEST_GUILESS_MAIN(TestXlsDamage)
#include "tst_xls_damage.moc"
