// --backup and --restore as a user runs them: the old catalogue, with every column type a
// product table uses and a few a target system adds, comes back byte for byte.
#include "CliRun.h"
#include "TableDump.h"
#include "TestDatabase.h"
#include "platform/AnsiCodePage.h"

#include <QDir>
#include <QFile>
#include <QProcess>
#include <QTemporaryDir>
#include <QtTest>

namespace {

// The reference columns, then what a target system adds: every type the backup writes.
const QString Table = QStringLiteral(
    "create table c000025 (codigo varchar(6) not null, codbarra varchar(13), produto varchar(100),"
    " unidade varchar(2), data_cadastro timestamp, precocusto double precision,"
    " precovenda double precision, estoque double precision, ncm varchar(20), cst varchar(3),"
    " classificacao_fiscal varchar(20), aliquota double precision, tipo varchar(40), situacao integer,"
    " piscofins varchar(1), incidencia_piscofins varchar(20), iat varchar(1), ippt varchar(1),"
    " situacao_tributaria varchar(1), flag_sis varchar(1), csosn varchar(3), ind_cfop_venda_dentro varchar(4),"
    " referencia char(12), descricao_utf varchar(40) character set utf8,"
    " marca varchar(30) character set win1252, peso smallint, grupo integer, contador bigint,"
    " margem numeric(9,2), atacado decimal(18,4), fator numeric(4,1), fracao float,"
    " validade date, corte time, alterado timestamp, observacao blob sub_type text,"
    " observacao_utf blob sub_type text character set utf8, foto blob sub_type binary,"
    " chave char(4) character set octets, ativo boolean, dobro computed by (precovenda * 2));\n"
    "create view PRODUTOS as select * from c000025;\n");

const QString Columns = QStringLiteral(
    "codigo, codbarra, produto, unidade, data_cadastro, precocusto, precovenda, estoque, situacao,"
    " referencia, descricao_utf, marca, peso, grupo, contador, margem, atacado, fator, fracao,"
    " validade, corte, alterado, observacao, observacao_utf, foto, chave, ativo");

// Text in the code page's bytes, given as hex: isql reading its statements from a pipe
// would drop bytes that are not UTF-8.
QString ansi(const QString& text)
{
    return QStringLiteral("x'") + QString::fromLatin1(platform::toAnsi(text).toHex()) + u'\'';
}

// Accents, UTF-8 text, quotes, line breaks, what a script splitter could trip on (";",
// "--", "/*"), the ends of every range, NULLs and empties.
const QStringList Rows{
    QStringLiteral("'000001', '7891000100103', %1, 'KG', '2026-12-08 13:45:07.1234',"
                   " 1.1, 0.30000000000000004, 1e-300, 2147483647, %2, x'E697A5E69CACE8AA9E20C3A7C3A36F',"
                   " %3, -32768, -2147483648, 9223372036854775807, -1234567.89,"
                   " 12345678901234.5678, -99.9, 3.1415927, '0001-01-01', '23:59:59.9999',"
                   " '9999-12-31 23:59:59.9999', 'linha 1' || ascii_char(13) || ascii_char(10) || 'linha 2 ''q''',"
                   " x'C3A761C3A7C3A36F', x'0001FF7F80', x'00FF0A27', true")
        .arg(ansi(QStringLiteral("AÇÚCAR D'AVILA \"FINO\" 1KG")), ansi(QStringLiteral("REF-ÁÉÍÓÚ")),
             ansi(QStringLiteral("MARCA ÑANDÚ"))),
    QStringLiteral("'000002', null, null, null, null, null, null, null, null, null, null, null, null, null,"
                   " null, null, null, null, null, null, null, null, null, null, null, null, null"),
    QStringLiteral("'000003', '', 'a;b -- c /* d */ ''e''', '', '1858-11-17 00:00:00', 0, -0.5, 0, 0,"
                   " '', '', '', 0, 0, -9223372036854775808, 0, -0.0001, 0.1, -1e-30, '1858-11-16',"
                   " '00:00:00', '2000-02-29 12:00:00.0001', '', x'', x'', x'20202020', false"),
};

const QByteArray OrderedSelect = "select * from c000025 order by codigo";

bool fill(const TestDatabase& db, QString* output)
{
    QString sql = Table + QStringLiteral("commit;\n");
    for (const QString& row : Rows)
        sql += QStringLiteral("insert into c000025 (%1) values (%2);\n").arg(Columns, row);
    return db.execute(sql, output);
}

bool runIsqlScript(const TestDatabase& db, const QString& script, QString* output)
{
    QProcess isql;
    isql.setProcessChannelMode(QProcess::MergedChannels);
    isql.start(QStringLiteral("isql-fb"), {"-q", "-user", TestDatabase::user(), "-password",
                                           TestDatabase::password(), "-i", script, db.path()});
    const bool ended = isql.waitForFinished(120000);
    *output = QString::fromLocal8Bit(isql.readAll());
    return ended && isql.exitStatus() == QProcess::NormalExit && isql.exitCode() == 0;
}

QString ostrell()
{
    return fixturePath(QStringLiteral("types/ostrell.txt"));
}

} // namespace

class TestCliBackup : public QObject {
    Q_OBJECT
private slots:
    void init();
    void roundTrip_data();
    void roundTrip();
    void backupThatCannotBeWrittenStopsTheRun_data();
    void backupThatCannotBeWrittenStopsTheRun();
    void restoreRefusesWhatIsNoBackup_data();
    void restoreRefusesWhatIsNoBackup();
};

void TestCliBackup::init()
{
    if (!QFile::exists(cliProgram()))
        QSKIP("converter-banco-import is not built");
}

void TestCliBackup::roundTrip_data()
{
    QTest::addColumn<bool>("dryRun");  // the import only rehearsed: the backup is written all the same
    QTest::addColumn<QString>("restorer"); // "command" (--restore --yes), "isql" (isql-fb -i)
    QTest::newRow("import, restored by the command") << false << "command";
    QTest::newRow("import, restored by isql") << false << "isql";
    QTest::newRow("dry run, restored by the command") << true << "command";
}

void TestCliBackup::roundTrip()
{
    QFETCH(bool, dryRun);
    QFETCH(QString, restorer);
    TestDatabase::Options options;
    options.withSchema = false;
    TestDatabase db(options);
    QVERIFY2(db.isValid(), qPrintable(db.error()));
    QString output;
    QVERIFY2(fill(db, &output), qPrintable(output));
    QString error;
    const QByteArray before = dumpRows(db.path(), OrderedSelect, &error);
    QVERIFY2(!before.isEmpty(), qPrintable(error));

    QTemporaryDir dir;
    const QString backup = dir.filePath(QStringLiteral("old catalogue.sql"));
    const CliRun run = runCli({"--type", "3", "--database", db.path(), dryRun ? "--dry-run" : "--yes",
                               "--backup", backup, ostrell()},
                              dir.path());
    QVERIFY2(run.exitCode == 0, qPrintable(run.out + run.err));
    QVERIFY2(run.out.contains(QStringLiteral("Backup: %1 (3 rows of c000025)\n").arg(backup)), qPrintable(run.out));
    QCOMPARE(dumpRows(db.path(), OrderedSelect) == before, dryRun);

    if (restorer == QLatin1String("isql")) {
        QVERIFY2(runIsqlScript(db, backup, &output), qPrintable(output));
    } else {
        const CliRun restore = runCli({"--restore", backup, "--database", db.path(), "--yes"}, dir.path());
        QVERIFY2(restore.exitCode == 0, qPrintable(restore.out + restore.err));
        QVERIFY(restore.out.contains(QLatin1String("Restored 3 rows of c000025")));
    }
    const QByteArray after = dumpRows(db.path(), OrderedSelect, &error);
    QVERIFY2(after == before, qPrintable(describeDump(db.path(), OrderedSelect)));
}

void TestCliBackup::backupThatCannotBeWrittenStopsTheRun_data()
{
    QTest::addColumn<QString>("backup"); // DIR/: in the test's folder
    QTest::addColumn<int>("fileSizeLimit");
    QTest::addColumn<QString>("message");
    QTest::addColumn<int>("rows");
    QTest::newRow("missing folder") << "DIR/no/such/folder/b.sql" << 0 << "Cannot write the backup" << 20;
    QTest::newRow("a folder, not a file") << "DIR/" << 0 << "Cannot write the backup" << 20;
    // The limit leaves room for the database and the engine's files, not for the script.
    QTest::newRow("no room left") << "DIR/b.sql" << 10000 << "Cannot write the backup" << 15000;
}

// The run ends before the wipe: the table keeps its rows and nothing is logged as imported.
void TestCliBackup::backupThatCannotBeWrittenStopsTheRun()
{
    QFETCH(QString, backup);
    QFETCH(int, fileSizeLimit);
    QFETCH(QString, message);
    QFETCH(int, rows);
    TestDatabase db;
    QVERIFY2(db.isValid(), qPrintable(db.error()));
    QVERIFY(db.execute(QStringLiteral(
        "set term ^;\nexecute block as declare i int = 0; begin while (i < %1) do begin "
        "insert into c000025 (codigo, produto, precovenda) values (lpad(:i, 6, '0'), "
        "'OLD PRODUCT ' || :i || ' WITH A NAME LONG ENOUGH TO FILL A LINE OF THE SCRIPT', :i); "
        "i = i + 1; end end^\nset term ;^").arg(rows)));
    const QByteArray before = dumpRows(db.path(), OrderedSelect);
    QTemporaryDir dir;
    backup.replace(QLatin1String("DIR/"), dir.path() + u'/');
    CliLaunch launch;
    launch.fileSizeLimit = fileSizeLimit;
    const CliRun run = runCli({"--type", "3", "--database", db.path(), "--yes", "--backup", backup,
                               ostrell()},
                              dir.path(), launch);
    QVERIFY2(run.err.contains(message), qPrintable(run.out + run.err));
    QCOMPARE(run.exitCode, 2);
    QVERIFY(!run.out.contains(QLatin1String("Rows imported")));
    QCOMPARE(dumpRows(db.path(), OrderedSelect), before);
    QVERIFY(!QFile::exists(dir.filePath(QStringLiteral("ErrorLog.txt"))));
}

void TestCliBackup::restoreRefusesWhatIsNoBackup_data()
{
    QTest::addColumn<QByteArray>("script");
    QTest::addColumn<QString>("message");
    const QByteArray del = "SET BAIL ON;\ndelete from \"C000025\";\n";
    QTest::newRow("another statement")
        << del + "insert into c000025 (codigo) values ('1');\ndrop table c000025;\ncommit;\n"
        << "Line 4 of the script is neither";
    QTest::newRow("another table") << del + "insert into c000025x (codigo) values ('1');\n" << "Line 3";
    QTest::newRow("an update") << QByteArray("update c000025 set produto = 'X';") << "Line 1";
    QTest::newRow("an insert the table refuses")
        << del + "insert into c000025 (codigo) values ('1');\ninsert into c000025 (codigo) values ('1234567');\n"
        << "Line 4 of the script";
    QTest::newRow("a select hidden as an insert")
        << QByteArray("insert into c000025 (codigo) select first 1 'X' from rdb$database;\n"
                      "-- a comment; with a semicolon\ninsert into c000025 (codigo) values (';--');\n"
                      "delete from c000025 where codigo = 'nothing'; execute block as begin end;")
        << "Line 4";
}

// A script that is not a backup, or fails half-way, changes nothing.
void TestCliBackup::restoreRefusesWhatIsNoBackup()
{
    QFETCH(QByteArray, script);
    QFETCH(QString, message);
    TestDatabase db;
    QVERIFY2(db.isValid(), qPrintable(db.error()));
    QVERIFY(db.execute(QStringLiteral("insert into c000025 (codigo, produto) values ('900001', 'OLD ONE');")));
    const QByteArray before = dumpRows(db.path(), OrderedSelect);
    QTemporaryDir dir;
    QFile f(dir.filePath(QStringLiteral("s.sql")));
    QVERIFY(f.open(QIODevice::WriteOnly));
    f.write(script);
    f.close();
    const CliRun run = runCli({"--restore", f.fileName(), "--database", db.path(), "--yes"}, dir.path());
    QVERIFY2(run.err.contains(message), qPrintable(run.out + run.err));
    QCOMPARE(run.exitCode, 2);
    QCOMPARE(dumpRows(db.path(), OrderedSelect), before);
}

QTEST_MAIN(TestCliBackup)
#include "tst_cli_backup.moc"
