#include "ProductRow.h"
#include "SqlText.h"
#include "StatementShape.h"

#include <QTest>

namespace {

const QString kDate = QStringLiteral("08.12.26 13:45");

ProductRow sampleRow()
{
    ProductRow row;
    row.codigo = QStringLiteral("7");
    row.codbarra = QStringLiteral("7891234567895");
    row.produto = QStringLiteral("CAFE 500G");
    row.unidade = QStringLiteral("PC");
    row.precocusto = QStringLiteral("12,50");
    row.precovenda = QStringLiteral("-15.9e2");
    row.estoque = QStringLiteral(" 3 ");
    row.aliquota = QStringLiteral(".5");
    return row;
}

QString statementOf(const ProductRow& row)
{
    return sqltext::joinLines(ProductInsertStatement(row, kDate));
}

// The literal's text with its doubled quotes undone.
QString unquoted(QStringView literal)
{
    return literal.mid(1, literal.size() - 2).toString().replace(QStringLiteral("''"), QStringLiteral("'"));
}

const QString kNames = QStringLiteral(
    "(a01,a02,a03,a04,a05,a06,a07,a08,a09,a10,a11,a12,a13,a14,a15,a16,a17,a18,a19,a20,a21,a22)");

QString values(int count, const QString& last = QStringLiteral("1"))
{
    QStringList v;
    for (int i = 1; i < count; ++i)
        v << QStringLiteral("'v%1'").arg(i);
    v << last;
    return u'(' + v.join(u',') + u')';
}

} // namespace

class TstStatementShape : public QObject {
    Q_OBJECT
private slots:
    void valuesStayInsideTheirLiterals_data();
    void valuesStayInsideTheirLiterals();
    void otherShapesAreRefused_data();
    void otherShapesAreRefused();
    void theQuickCheckAgreesWithTheFullOne_data();
    void theQuickCheckAgreesWithTheFullOne();
};

// Every text field of the row gets the hostile value; the statement keeps its shape and each
// string literal gives back exactly what went in.
void TstStatementShape::valuesStayInsideTheirLiterals_data()
{
    QTest::addColumn<QString>("value");
    QTest::newRow("quote") << QStringLiteral("O'BRIEN");
    QTest::newRow("quotes only") << QStringLiteral("''''");
    QTest::newRow("closing the list") << QStringLiteral("x'), ('y");
    QTest::newRow("second statement") << QStringLiteral("x'; delete from c000025; --");
    QTest::newRow("line comment") << QStringLiteral("-- nothing after");
    QTest::newRow("block comment") << QStringLiteral("/* open");
    QTest::newRow("parameter") << QStringLiteral(":name ?");
    QTest::newRow("line breaks") << QStringLiteral("a\r\nb\nc");
    QTest::newRow("nul") << QString(QChar(0)) + QStringLiteral("after");
    QTest::newRow("double quote") << QStringLiteral("\"x\"");
    QTest::newRow("empty") << QString();
}

void TstStatementShape::valuesStayInsideTheirLiterals()
{
    QFETCH(QString, value);
    ProductRow row = sampleRow();
    for (QString* field : {&row.codbarra, &row.produto, &row.unidade, &row.ncm, &row.cst, &row.iat,
                           &row.ippt, &row.situacao_tributaria, &row.csosn, &row.ind_cfop_venda_dentro})
        *field = value;
    const QString text = statementOf(row);
    QCOMPARE(shape::productInsertProblem(text), QString());

    const shape::Lexed lexed = shape::lex(text);
    QStringList strings;
    for (const shape::Token& t : lexed.tokens)
        if (t.kind == shape::TokenKind::String)
            strings << unquoted(t.text);
    QCOMPARE(strings.size(), 17); // 22 values, 5 of them numbers
    QCOMPARE(strings.value(1), value); // codbarra
    QCOMPARE(strings.value(2), value); // produto
    QCOMPARE(strings.value(16), value); // ind_cfop_venda_dentro
}

void TstStatementShape::otherShapesAreRefused_data()
{
    QTest::addColumn<QString>("text");
    QTest::addColumn<QString>("problem");
    const QString head = QStringLiteral("insert into c000025 ") + kNames + QStringLiteral(" values ");
    QTest::newRow("well formed") << head + values(22) << QString();
    QTest::newRow("signed number and null") << head + values(22, QStringLiteral("-1.5E+3")).replace(
        QStringLiteral("'v1'"), QStringLiteral("NULL")) << QString();
    QTest::newRow("21 values") << head + values(21) << QStringLiteral("22 columns and 21 values instead of 22 each");
    QTest::newRow("23 values") << head + values(23) << QStringLiteral("22 columns and 23 values instead of 22 each");
    QTest::newRow("second row") << head + values(22) + u',' + values(22)
                                << QStringLiteral("the end expected at token 95, found \",\"");
    QTest::newRow("second statement") << head + values(22) + QStringLiteral("; delete from c000025")
                                      << QStringLiteral("the end expected at token 95, found \";\"");
    QTest::newRow("comment after") << head + values(22) + QStringLiteral(" -- x")
                                   << QStringLiteral("a comment starts at offset");
    QTest::newRow("block comment") << head + values(22, QStringLiteral("/**/1"))
                                   << QStringLiteral("a comment starts at offset");
    QTest::newRow("expression") << head + values(22, QStringLiteral("1+1"))
                                << QStringLiteral("\")\" expected at token 94, found \"+\"");
    QTest::newRow("subquery") << head + values(22, QStringLiteral("(select 1 from rdb$database)"))
                              << QStringLiteral("a string, a number or NULL expected at token 93, found \"(\"");
    QTest::newRow("parameter marker") << head + values(22, QStringLiteral("?"))
                                      << QStringLiteral("the character U+003F at offset");
    QTest::newRow("named parameter") << head + values(22, QStringLiteral(":p"))
                                     << QStringLiteral("the character U+003A at offset");
    QTest::newRow("quoted name") << QStringLiteral("insert into \"c000025\" ") + kNames
                                 << QStringLiteral("the character U+0022 at offset 12");
    QTest::newRow("unclosed string") << head + values(22, QStringLiteral("'it''s"))
                                     << QStringLiteral("a string opened at offset");
    QTest::newRow("other table") << QStringLiteral("insert into c000026 ") + kNames + QStringLiteral(" values ")
                                        + values(22)
                                 << QStringLiteral("\"c000025\" expected at token 3, found \"c000026\"");
    QTest::newRow("update") << QStringLiteral("update c000025 set produto = 'x'")
                            << QStringLiteral("\"insert\" expected at token 1, found \"update\"");
    QTest::newRow("column twice") << QString(head).replace(QStringLiteral("a22"), QStringLiteral("A01")) + values(22)
                                  << QStringLiteral("the column a01 is named twice");
    QTest::newRow("empty") << QString() << QStringLiteral("\"insert\" expected at token 1, found the end");
}

void TstStatementShape::otherShapesAreRefused()
{
    QFETCH(QString, text);
    QFETCH(QString, problem);
    const QString found = shape::productInsertProblem(text);
    if (problem.isEmpty())
        QCOMPARE(found, QString());
    else
        QVERIFY2(found.startsWith(problem), qPrintable(found));
}

// After the first statement the product check only compares the head and scans the
// values; whatever it lets through must be what the full check lets through.
void TstStatementShape::theQuickCheckAgreesWithTheFullOne_data()
{
    QTest::addColumn<QString>("tail"); // after the head's "values"
    const QString v21 = values(21).chopped(1) + u',';
    const struct {
        const char* name;
        QString tail;
    } cases[] = {
        {"plain", values(22)},
        {"blanks everywhere", QStringLiteral("\r\n ( ") + QString(values(22)).replace(u',', QStringLiteral(" ,\t")) + QStringLiteral(" ) \n")},
        {"signed string", v21 + QStringLiteral("-'x')")},
        {"sign, blank, number", v21 + QStringLiteral("- 1)")},
        {"fraction only", v21 + QStringLiteral(".5)")},
        {"exponent", v21 + QStringLiteral("1.5e-3)")},
        {"null any case", v21 + QStringLiteral("nULl)")},
        {"quotes inside", v21 + QStringLiteral("'a''''b')")},
        {"empty string", v21 + QStringLiteral("'')")},
        {"dot without digits", v21 + QStringLiteral("1.)")},
        {"exponent without digits", v21 + QStringLiteral("1e)")},
        {"name after number", v21 + QStringLiteral("1x)")},
        {"longer name", v21 + QStringLiteral("nullx)")},
        {"shorter name", v21 + QStringLiteral("nul)")},
        {"two signs", v21 + QStringLiteral("+-1)")},
        {"comment sign", v21 + QStringLiteral("--1)")},
        {"quote left open", v21 + QStringLiteral("'a'')")},
        {"list left open", values(22).chopped(1)},
        {"empty value", v21 + u')'},
        {"nothing", QString()},
        {"keyword goes on", u'x' + values(22)},
        {"something after", values(22) + QStringLiteral(" x")},
        {"a second list", values(22) + values(22)},
        {"too few", values(21)},
        {"too many", values(23)},
    };
    for (const auto& c : cases)
        QTest::newRow(c.name) << c.tail;
}

void TstStatementShape::theQuickCheckAgreesWithTheFullOne()
{
    QFETCH(QString, tail);
    const QString head = QStringLiteral("insert into c000025 ") + kNames + QStringLiteral(" values");
    QCOMPARE(shape::productInsertProblem(head + values(22)), QString());
    const QString text = head + tail;
    const QString full = shape::insertProblem(text, u"c000025", shape::kProductColumns);
    QCOMPARE(shape::productInsertProblem(text), full);
    QCOMPARE(shape::productInsertProblem(text), full);
}

QTEST_GUILESS_MAIN(TstStatementShape)
#include "tst_statementshape.moc"
