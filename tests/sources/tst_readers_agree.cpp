// One table of expected grid texts against the .xlsx and the .xls version of the same sheet
// (tests/fixtures/make_agree.py): both readers must give it cell by cell, and fail alike.
#include "GridChecks.h"
#include "LoadSpreadsheet.h"
#include "RegionalSettings.h"
#include "TextGrid.h"
#include "platform/Error.h"

#include <QtTest>

namespace {

QString fixture(const QString& name)
{
    return QStringLiteral(CB_SOURCE_DIR "/tests/fixtures/agree/") + name;
}

struct Loaded {
    QStringList rows; // cells joined by "|"
    QString message;  // empty when the load succeeded
};

Loaded load(const QString& name, const RegionalSettings& settings)
{
    TextGrid grid;
    Loaded out;
    out.message = loadError([&] { LoadSpreadsheet(grid, fixture(name), settings); });
    for (int r = 0; r < grid.RowCount(); ++r) {
        QStringList cells;
        for (int c = 0; c < grid.ColCount(); ++c)
            cells << grid.cell(c, r);
        out.rows << cells.join(u'|');
    }
    return out;
}

QStringList sheetTable(bool comma)
{
    const QString s = comma ? QStringLiteral(",") : QStringLiteral(".");
    const QString empty = QStringLiteral("|||||||||");
    return {
        "Código|Descrição|Preço|Custo|Estoque|Cadastro|Ativo|Obs||",
        "7894900011517|Café torrado 500g|12" + s + "5|8" + s + "75|42|16/04/2019|True|00123||",
        "1" + s + "23456789012346E17|Ação – “aspas” €|0" + s + "3|1234" + s
            + "5679|-7|16/04/2019 15:52:00|False|  espaços  ||",
        "1E-6|linha sem preço||19" + s + "99|0|01/03/1900||30/12/1899 06:30:00||",
        "2" + s + "5E-10||0" + s + "333333333333333||100000|01/01/1900||||",
        "||-0" + s + "00001||123456789012345|22/09/2017 12:00:00||||",
        empty, empty, empty,
    };
}

// Rows 1 to 6 and D7's left part are in; D7 and everything after it stay empty.
QStringList errorTable()
{
    QStringList rows;
    for (int r = 1; r <= 10; ++r) {
        QStringList cells;
        for (int c = 1; c <= 4; ++c) {
            const bool before = r < 7 || (r == 7 && c < 4);
            cells << (before ? QString::number(r * 100 + c) : QString());
        }
        rows << cells.join(u'|');
    }
    return rows;
}

} // namespace

class TestReadersAgree : public QObject {
    Q_OBJECT

private slots:
    void sameGrid_data();
    void sameGrid();
};

void TestReadersAgree::sameGrid_data()
{
    QTest::addColumn<QString>("base");
    QTest::addColumn<bool>("comma");
    QTest::addColumn<QStringList>("expected");
    QTest::addColumn<QString>("message");

    QTest::newRow("values, comma") << "sheet" << true << sheetTable(true) << QString();
    QTest::newRow("values, point") << "sheet" << false << sheetTable(false) << QString();
    QTest::newRow("error value at D7") << "errors" << true << errorTable()
                                       << "Cell D7 holds the error value #N/A";
}

void TestReadersAgree::sameGrid()
{
    QFETCH(QString, base);
    QFETCH(bool, comma);
    QFETCH(QStringList, expected);
    QFETCH(QString, message);
    const RegionalSettings settings = comma ? RegionalSettings::brazil() : RegionalSettings::point();
    const Loaded xlsx = load(base + ".xlsx", settings);
    const Loaded xls = load(base + ".xls", settings);
    QCOMPARE(xlsx.message, message);
    QCOMPARE(xls.message, message);
    QCOMPARE(xlsx.rows.size(), expected.size());
    QCOMPARE(xls.rows.size(), expected.size());
    for (qsizetype r = 0; r < expected.size(); ++r) {
        const QString row = QStringLiteral("row %1: ").arg(r + 1);
        QCOMPARE(row + xlsx.rows[r], row + expected[r]);
        QCOMPARE(row + xls.rows[r], row + expected[r]);
    }
}

QTEST_GUILESS_MAIN(TestReadersAgree)
#include "tst_readers_agree.moc"
