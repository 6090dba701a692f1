// Source values that mean something to SQL or to the code page, sent through the product
// insert into a real database: each is stored exactly as it came, or its row fails alone
// with a message that says why and nothing of it reaches the table.
#include "DatabaseConnection.h"
#include "ProductRow.h"
#include "RunHarness.h"
#include "ScriptedDialogs.h"
#include "SqlQuery.h"
#include "TestDatabase.h"
#include "platform/Error.h"

#include <QTemporaryDir>
#include <QTest>

namespace {

const QString kDate = QStringLiteral("08.12.26 13:45");

ProductRow rowNamed(const QString& code, const QString& name)
{
    ProductRow row;
    row.codigo = code;
    row.produto = name;
    row.ncm = QStringLiteral("9999.71.04");
    row.aliquota = QStringLiteral("0");
    CompleteProductRow(row);
    return row;
}

// Controls shown as markers, so that isql's line-per-value output keeps them visible.
const QString kStoredName = QStringLiteral(
    "replace(replace(replace(replace(produto, ascii_char(0), '<NUL>'), ascii_char(13), '<CR>'), "
    "ascii_char(10), '<LF>'), ascii_char(26), '<SUB>')");

QString storedName(const TestDatabase& db, const QString& code)
{
    const auto rows = db.select(QStringLiteral("select %1 as p from c000025 where codigo = '%2'").arg(kStoredName, code));
    return rows.size() == 1 ? rows.first().value(QStringLiteral("P")) : QStringLiteral("<%1 rows>").arg(rows.size());
}

QString cannotWrite(const QString& shown, const QString& code)
{
    return QStringLiteral("The character %1(U+%2) cannot be written in the windows-1252 code page "
                          "the database is sent text in; the statement was not sent")
        .arg(shown, code);
}

} // namespace

class TstSqlValues : public QObject {
    Q_OBJECT
private slots:
    void valueIsStoredOrItsRowFails_data();
    void valueIsStoredOrItsRowFails();
    void unwritableCharacterFailsOnlyItsLine();
};

void TstSqlValues::valueIsStoredOrItsRowFails_data()
{
    QTest::addColumn<QString>("value");
    QTest::addColumn<QString>("stored"); // empty: the row fails
    QTest::addColumn<QString>("error");
    const auto stored = [](const char* name, const QString& value, const QString& text) {
        QTest::newRow(name) << value << text << QString();
    };
    const auto fails = [](const char* name, const QString& value, const QString& error) {
        QTest::newRow(name) << value << QString() << error;
    };
    stored("quote", QStringLiteral("O'BRIEN"), QStringLiteral("O'BRIEN"));
    stored("quotes only", QStringLiteral("''"), QStringLiteral("''"));
    stored("closes the list", QStringLiteral("x', 'y'); --"), QStringLiteral("x', 'y'); --"));
    stored("semicolons", QStringLiteral("A;B; delete from c000025"), QStringLiteral("A;B; delete from c000025"));
    stored("line comment", QStringLiteral("CAFE -- 500G"), QStringLiteral("CAFE -- 500G"));
    stored("block comment", QStringLiteral("CAFE /* 500G"), QStringLiteral("CAFE /* 500G"));
    stored("named parameter", QStringLiteral("CAFE :name 500G"), QStringLiteral("CAFE :name 500G"));
    stored("question mark", QStringLiteral("CAFE ? 1"), QStringLiteral("CAFE ? 1"));
    stored("nul", QStringLiteral("A") + QChar(0) + QStringLiteral("B"), QStringLiteral("A<NUL>B"));
    stored("line break", QStringLiteral("A\r\nB"), QStringLiteral("A<CR><LF>B"));
    stored("substitute character", QStringLiteral("A\x1a" "B"), QStringLiteral("A<SUB>B"));
    stored("windows-1252 letters", QStringLiteral("€ É ç ß ƒ ‰"), QStringLiteral("€ É ç ß ƒ ‰"));
    fails("latin extended", QStringLiteral("ŐRSÉG"), cannotWrite(QStringLiteral("\"Ő\" "), QStringLiteral("0150")));
    fails("cjk", QStringLiteral("茶 500G"), cannotWrite(QStringLiteral("\"茶\" "), QStringLiteral("8336")));
    fails("outside the bmp", QStringLiteral("CAFE 😀"), cannotWrite(QStringLiteral("\"😀\" "), QStringLiteral("1F600")));
    fails("lone surrogate", QStringLiteral("CAFE ") + QChar(0xD800), cannotWrite(QString(), QStringLiteral("D800")));
}

void TstSqlValues::valueIsStoredOrItsRowFails()
{
    QFETCH(QString, value);
    QFETCH(QString, stored);
    QFETCH(QString, error);
    TestDatabase db;
    QVERIFY2(db.isValid(), qPrintable(db.error()));
    {
        DatabaseConnection connection;
        db.configure(connection);
        SqlQuery query2(connection);
        query2.AutoCommit = false;
        QString failure;
        try {
            ExecuteProductInsert(query2, rowNamed(QStringLiteral("1"), value), kDate);
        } catch (const std::exception& e) {
            failure = errorMessage(e);
        }
        QCOMPARE(failure, error);
        // The next row goes in whatever happened to this one.
        ExecuteProductInsert(query2, rowNamed(QStringLiteral("2"), QStringLiteral("NEXT")), kDate);
        connection.Commit();
    }
    QCOMPARE(storedName(db, QStringLiteral("000002")), QStringLiteral("NEXT"));
    QCOMPARE(storedName(db, QStringLiteral("000001")), stored.isEmpty() ? QStringLiteral("<0 rows>") : stored);
}

// Through the whole run: the line with the character is logged with the message, and the
// lines around it are imported.
void TstSqlValues::unwritableCharacterFailsOnlyItsLine()
{
    TestDatabase db;
    QVERIFY2(db.isValid(), qPrintable(db.error()));
    QTemporaryDir dir;
    PlainViews views;
    ScriptedDialogs dialogs;
    dialogs.answer(MsgDlgBtn::OK).chooseSaveFile(dir.filePath(QStringLiteral("ErrorLog.txt")));
    loadText(views, 13, {QStringLiteral(";1;;;;;;;;;;CAFE;"), QStringLiteral(";2;;;;;;;;;;ČAJ;"),
                         QStringLiteral(";3;;;;;;;;;;MATE;")});
    {
        RunSession session(db.attachString());
        runShowingErrors(session.context(views, dialogs));
    }
    QCOMPARE(dialogs.errors(), QStringList());
    QCOMPARE(views.errors, QStringList{QStringLiteral("Nome: ČAJ|Código: 2|Erro: ")
                                       + cannotWrite(QStringLiteral("\"Č\" "), QStringLiteral("010C"))});
    QCOMPARE(storedName(db, QStringLiteral("000001")), QStringLiteral("CAFE"));
    QCOMPARE(storedName(db, QStringLiteral("000003")), QStringLiteral("MATE"));
    QCOMPARE(db.count(), 2);
}

QTEST_GUILESS_MAIN(TstSqlValues)
#include "tst_sqlvalues.moc"
