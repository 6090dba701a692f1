// Lines that are too short, empty or all blanks, for every text type, through the whole
// import into a real embedded database. Each bad line is followed by a good one: the bad
// line imports as the layout's rules make it, or it fails alone with its error logged, and
// the good line after it still imports.
#include "FullImportRun.h"
#include "RunHarness.h"
#include "ScriptedDialogs.h"
#include "TestDatabase.h"

#include <QFile>
#include <QTemporaryDir>
#include <QtTest>

#include <memory>

namespace {

const QString Barcode = QStringLiteral("7890000000017");

// A good line of each text type: code 777 where the line carries one, name "BOM", price
// 1.50 (12.50 as cents where the layout converts cents), unit "UN".
QString goodLine(int type)
{
    switch (type) {
    case 3:
        return fixedWidthLine({{0, Barcode}, {13, "BOM"}, {93, "1,50"}});
    case 5:
        return fixedWidthLine({{1, "000777"}, {7, Barcode}, {20, "BOM"}, {60, "0000001250"}, {86, "UN"}});
    case 6:
        return Barcode + QStringLiteral("|777|BOM||1,50|||UN|||||||");
    case 7:
        return fixedWidthLine({{0, Barcode}, {35, "0000001250"}, {62, "22011000"}, {70, "5102"}, {77, "BOM"},
                               {131, "UN"}});
    case 8:
        return fixedWidthLine({{0, Barcode}, {36, "0000001250"}, {69, "BOM"}});
    case 9:
        return fixedWidthLine({{3, Barcode}, {16, "BOM"}, {46, "1,50"}, {85, "UN"}});
    case 11:
        return fixedWidthLine({{0, "00000000000777"}, {14, "BOM"}, {110, "1,50"}, {250, "1,50"}, {490, "UN"},
                               {499, "22011000"}});
    case 13: {
        QStringList fields(107);
        fields[1] = "777";
        fields[6] = "UN";
        fields[10] = Barcode;
        fields[11] = "BOM";
        fields[16] = "40";
        fields[24] = "1,50";
        return fields.join(u';') + u';';
    }
    }
    return {};
}

// "code|barcode|name|unit|cost|price|ncm" of a row read back: the columns the layouts fill,
// blanks kept, prices as plain numbers.
QString describe(const QMap<QString, QString>& row)
{
    QStringList parts;
    for (const char* name : {"CODIGO", "CODBARRA", "PRODUTO", "UNIDADE", "PRECOCUSTO", "PRECOVENDA", "NCM"}) {
        const QString value = row.value(QString::fromLatin1(name));
        parts.append(QByteArray(name).startsWith("PRECO") ? QString::number(value.toDouble()) : value);
    }
    return parts.join(u'|');
}

} // namespace

class TestBadLines : public QObject {
    Q_OBJECT
private slots:
    void badLine_data();
    void badLine();
};

void TestBadLines::badLine_data()
{
    QTest::addColumn<int>("type");
    QTest::addColumn<QString>("line");
    QTest::addColumn<QString>("imported"); // the bad line's row as read back; empty: none
    QTest::addColumn<QString>("logged");   // the bad line's error line; empty: none

    const QString blanks(600, u' ');
    const QString b13(13, u' ');
    const auto integer = [](const QString& name, const char* code, const QString& text) {
        return QStringLiteral("Nome: %1|Código: %2|Erro: ''%3'' is not a valid integer value")
            .arg(name, QLatin1String(code), text);
    };
    const auto add = [&](int type, const char* kind, const QString& imported, const QString& logged) {
        const QString line = QLatin1String(kind) == QLatin1String("too short") ? goodLine(type).left(5)
                             : QLatin1String(kind) == QLatin1String("empty")   ? QString()
                                                                               : blanks;
        QTest::newRow(qPrintable(QStringLiteral("type %1, %2").arg(type).arg(QLatin1String(kind))))
            << type << line << imported << logged;
    };
    // Windows past the end of the line are empty; an empty price becomes 0, an empty unit UN.
    add(3, "too short", "000001|78900||UN|0|0|9999.71.04", {});
    add(3, "empty", "000001|||UN|0|0|9999.71.04", {});
    add(3, "blanks", "000001|" + b13 + "| |UN|0|0|9999.71.04", {});
    // Cents prices of types 5, 7 and 8 are whole numbers: empty or blank windows fail.
    add(5, "too short", {}, integer({}, "0007", {}));
    add(5, "empty", {}, integer({}, "", {}));
    add(5, "blanks", {}, integer(QString(40, u' '), "      ", QString(10, u' ')));
    // Missing "|" fields are empty; the whole blank line is field 0, cut to the column.
    add(6, "too short", "000000|78900||UN|0|0|22011000", {});
    add(6, "empty", "000000|||UN|0|0|22011000", {});
    add(6, "blanks", "000000|" + b13 + "||UN|0|0|22011000", {});
    for (int type : {7, 8}) {
        add(type, "too short", {}, integer({}, "1", {}));
        add(type, "empty", {}, integer({}, "1", {}));
        add(type, "blanks", {}, integer(QString(type == 7 ? 40 : 80, u' '), "1", QString(10, u' ')));
    }
    // Type 9 takes its price as it stands: blanks are no number.
    add(9, "too short", "000001|78||UN|0|0|9999.71.04", {});
    add(9, "empty", "000001|||UN|0|0|9999.71.04", {});
    add(9, "blanks", {},
        QStringLiteral("Nome: %1|Código: 1|Erro: '%2' is not a valid floating point value").arg(QString(30, u' '), QString(12, u' ')));
    // Type 11 reads its code first, as a whole number; "00000" is 0.
    add(11, "too short", "000000|7890000000017||UN|0|0|0000.00.00", {});
    add(11, "empty", {}, integer({}, "1", {}));
    add(11, "blanks", {}, integer({}, "1", QString(14, u' ')));
    // Type 13 reads the fields a line reaches; a line without ";" keeps the defaults.
    add(13, "too short", "000777|9781000000009||UN|0|0|9999.71.04", {});
    add(13, "empty", "000001|9781000000009||UN|0|0|9999.71.04", {});
    add(13, "blanks", "000001|9781000000009||UN|0|0|9999.71.04", {});
}

void TestBadLines::badLine()
{
    QFETCH(int, type);
    QFETCH(QString, line);
    QFETCH(QString, imported);
    QFETCH(QString, logged);

    RunFixture f;
    QStringList lines{line, goodLine(type)};
    if (type == 6)
        lines.prepend(QStringLiteral("CODBARRA|CODIGO|PRODUTO")); // the header type 6 skips
    loadText(f.views, type, lines);
    f.dialogs.answer(MsgDlgBtn::OK);
    if (type == 11) {
        const QString barcodes = f.dir.filePath(QStringLiteral("barras.txt"));
        QFile file(barcodes);
        QVERIFY(file.open(QIODevice::WriteOnly));
        const QByteArray barcodeLine = QByteArray(14, ' ') + Barcode.toLatin1() + "\r\n";
        file.write(barcodeLine + barcodeLine);
        file.close();
        f.dialogs.chooseOpenFile(barcodes);
    }
    f.dialogs.cancelSave();
    f.runShowingErrors();
    QCOMPARE(f.dialogs.errors(), QStringList());

    const int failed = logged.isEmpty() ? 0 : 1;
    QCOMPARE(f.views.errors.size(), failed);
    if (failed)
        QCOMPARE(f.views.errors.first(), logged);
    QVERIFY(f.dialogs.messages().contains(countMessage(failed)));

    f.session.reset();
    const auto rows = f.db.select(QStringLiteral("select * from c000025 order by codigo"));
    QStringList bad;
    int good = 0;
    for (const auto& r : rows) {
        if (r.value(QStringLiteral("PRODUTO")).trimmed() == QLatin1String("BOM"))
            ++good;
        else
            bad.append(describe(r));
    }
    QCOMPARE(good, 1); // the line after the bad one imports
    QCOMPARE(bad.join(u'/'), imported);
}

QTEST_GUILESS_MAIN(TestBadLines)
#include "tst_badlines.moc"
