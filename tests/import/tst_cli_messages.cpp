// What converter-banco-import says about itself (--version, --help) and in which language it
// speaks, run as a user runs it: a separate process with its own environment.
#include "CbVersion.h"
#include "TestDatabase.h"

#include <QCoreApplication>
#include <QFile>
#include <QProcess>
#include <QTemporaryDir>
#include <QtTest>

namespace {

QString program()
{
    return QCoreApplication::applicationDirPath() + QStringLiteral("/../cli/converter-banco-import");
}

struct Run {
    int exitCode = -1;
    QString out;
    QString err;
};

Run run(const QStringList& arguments, const QString& locale = QStringLiteral("C.UTF-8"),
        const QString& workDir = QString())
{
    QProcessEnvironment env = QProcessEnvironment::systemEnvironment();
    for (const char* name : {"LANG", "LC_ALL", "LC_MESSAGES", "LANGUAGE"})
        env.remove(QString::fromLatin1(name));
    env.insert(QStringLiteral("LANG"), locale);
    env.insert(QStringLiteral("ISC_PASSWORD"), TestDatabase::password());
    QProcess p;
    p.setProcessEnvironment(env);
    p.setWorkingDirectory(workDir);
    p.start(program(), arguments);
    Run r;
    if (!p.waitForFinished(60000) || p.exitStatus() != QProcess::NormalExit)
        return r;
    r.exitCode = p.exitCode();
    r.out = QString::fromUtf8(p.readAllStandardOutput());
    r.err = QString::fromUtf8(p.readAllStandardError());
    return r;
}

} // namespace

class TestCliMessages : public QObject {
    Q_OBJECT
private slots:
    void init();
    void aboutItself_data();
    void aboutItself();
    void refusalsInBothLanguages_data();
    void refusalsInBothLanguages();
    void runInBothLanguages_data();
    void runInBothLanguages();
    void toolsInBothLanguages_data();
    void toolsInBothLanguages();
};

void TestCliMessages::init()
{
    if (!QFile::exists(program()))
        QSKIP("converter-banco-import is not built");
}

void TestCliMessages::aboutItself_data()
{
    QTest::addColumn<QStringList>("arguments");
    QTest::addColumn<QString>("outStart");
    QTest::addColumn<QString>("outPart");

    const QString version = QStringLiteral("converter-banco-import " CB_VERSION "\n");
    QTest::newRow("--version finds the client library") << QStringList{"--version"} << version
        << "Firebird client library: /";
    QTest::newRow("--version, other options ignored")
        << QStringList{"--version", "--type", "99", "a.csv", "b.csv"} << version << "libfbclient";
    QTest::newRow("--version, a library that is not there")
        << QStringList{"--client-library", "/no/such/libfb.so", "--version"} << version
        << "Firebird client library: /no/such/libfb.so (cannot be loaded: ";
    QTest::newRow("-h") << QStringList{"-h"} << "usage: converter-banco-import --type TYPE"
                        << "--version";
    QTest::newRow("--help wins over a bad line") << QStringList{"--type", "99", "--help"}
        << "usage: converter-banco-import" << "--dry-run";
}

void TestCliMessages::aboutItself()
{
    QFETCH(QStringList, arguments);
    QFETCH(QString, outStart);
    QFETCH(QString, outPart);
    const Run r = run(arguments);
    QCOMPARE(r.exitCode, 0);
    QVERIFY2(r.out.startsWith(outStart), qPrintable(r.out));
    QVERIFY2(r.out.contains(outPart), qPrintable(r.out));
    QCOMPARE(r.err, QString());
}

void TestCliMessages::refusalsInBothLanguages_data()
{
    QTest::addColumn<QString>("locale");
    QTest::addColumn<QStringList>("arguments");
    QTest::addColumn<QString>("out");
    QTest::addColumn<QString>("err");

    const QString pt = QStringLiteral("pt_BR.UTF-8");
    const QString en = QStringLiteral("C.UTF-8");
    QTest::newRow("usage, pt_BR") << pt << QStringList{"--help"}
        << "uso: converter-banco-import --type TIPO [--database BANCO]" << "";
    QTest::newRow("usage, C") << en << QStringList{"--help"}
        << "usage: converter-banco-import --type TYPE [--database DB]" << "";
    QTest::newRow("usage, en_US") << "en_US.UTF-8" << QStringList{"--help"} << "usage:" << "";
    QTest::newRow("usage, Portugal's Portuguese is not Brazil's") << "pt_PT.UTF-8"
        << QStringList{"--help"} << "usage:" << "";
    QTest::newRow("version, pt_BR") << pt << QStringList{"--version"}
        << "Biblioteca cliente do Firebird: " << "";
    QTest::newRow("no --yes, pt_BR") << pt << QStringList{"--type", "3", "a.txt"} << ""
        << "converter-banco-import: a importação esvaziaria a tabela de produtos de "
           "C:\\Tallyworks\\Server\\bd\\base.fdb antes de importar; --yes confirma isso (ou ensaie "
           "com --dry-run)\n(--help lista as opções)\n";
    QTest::newRow("no --yes, C") << en << QStringList{"--type", "3", "a.txt"} << ""
        << "converter-banco-import: the import would empty the product table of "
           "C:\\Tallyworks\\Server\\bd\\base.fdb before importing; --yes confirms that (or "
           "rehearse with --dry-run)\n(--help lists the options)\n";
    QTest::newRow("the parser's message, pt_BR") << pt << QStringList{"--banco"} << ""
        << "converter-banco-import: opção desconhecida: --banco\n(--help lista as opções)\n";
    QTest::newRow("the parser's message, C") << en << QStringList{"--user"} << ""
        << "converter-banco-import: missing value after --user\n(--help lists the options)\n";
    QTest::newRow("unknown type, pt_BR") << pt << QStringList{"--type", "Excel", "--yes", "a.txt"} << ""
        << "converter-banco-import: tipo de origem desconhecido \"Excel\": informe um número de 0 a "
           "13 ou um destes: Brenvik Antigo, Qel";
    QTest::newRow("reader's own error, pt_BR") << pt << QStringList{"--type", "0", "--yes", "READER"}
        << "" << "\": não é uma pasta de trabalho do Excel 97-2003";
    QTest::newRow("reader's own error, C") << en << QStringList{"--type", "0", "--yes", "READER"}
        << "" << "\": it is not an Excel 97-2003 workbook";
}

void TestCliMessages::refusalsInBothLanguages()
{
    QFETCH(QString, locale);
    QFETCH(QStringList, arguments);
    QFETCH(QString, out);
    QFETCH(QString, err);
    // A spreadsheet name the loader does not know, past the extension check: nothing to open.
    QTemporaryDir dir;
    const QString sheet = dir.filePath(QStringLiteral("tabela.xls"));
    QFile f(sheet);
    QVERIFY(f.open(QIODevice::WriteOnly));
    f.write("not a workbook");
    f.close();
    arguments.replaceInStrings(QStringLiteral("READER"), sheet);
    const Run r = run(arguments, locale);
    QVERIFY2(r.exitCode == 0 || r.exitCode == 2, qPrintable(QString::number(r.exitCode)));
    QVERIFY2(out.isEmpty() ? r.out.isEmpty() : r.out.contains(out), qPrintable(r.out));
    QVERIFY2(err.isEmpty() ? r.err.isEmpty() : r.err.contains(err), qPrintable(r.err));
}

void TestCliMessages::runInBothLanguages_data()
{
    QTest::addColumn<QString>("locale");
    QTest::addColumn<QStringList>("expected"); // lines of stdout, in order; the log path is left out

    QTest::newRow("pt_BR") << "pt_BR.UTF-8" << QStringList{
        "Isso irá ZERAR Completamente o Banco de dados atual, Deseja Continuar? [OK]",
        "2 produtos não foram importados.",
        "Log de erros salvo na pasta Raiz. \"ErrorLog.txt\"",
        "Linhas que falhariam:",
        "Ensaio: tudo foi desfeito, o banco de dados não mudou.",
        "Linhas lidas: 4", "Linhas importadas: 2", "Linhas com erro: 2"};
    QTest::newRow("C") << "C.UTF-8" << QStringList{
        "This will completely EMPTY the current database. Continue? [OK]",
        "2 products were not imported.",
        "Error log saved in the root folder. \"ErrorLog.txt\"",
        "Rows that would fail:",
        "Dry run: everything was rolled back, the database is unchanged.",
        "Rows read: 4", "Rows imported: 2", "Rows failed: 2"};
}

// A rehearsal with failing lines under each language: the command's own lines follow the
// locale, the error log it writes is the same bytes under both.
void TestCliMessages::runInBothLanguages()
{
    QFETCH(QString, locale);
    QFETCH(QStringList, expected);
    TestDatabase db;
    QVERIFY2(db.isValid(), qPrintable(db.error()));
    QTemporaryDir dir;
    const QString source = dir.filePath(QStringLiteral("produtos.txt"));
    QFile f(source);
    QVERIFY(f.open(QIODevice::WriteOnly));
    // ";"-separated (type 13): a code that is not a number, and a unit the column cannot hold.
    f.write("P;501;;;;;UN;;;;7891000055120;CAFE 500G;;;;;40\r\n"
            "P;50x;;;;;UN;;;;7891000055137;CODIGO ERRADO;;;;;40\r\n"
            "P;503;;;;;UNID;;;;7891000055144;UNIDADE LONGA;;;;;40\r\n"
            "P;504;;;;;KG;;;;7891000055151;ACUCAR 1KG;;;;;40\r\n");
    f.close();
    const Run r = run({QStringLiteral("--database"), db.path(), QStringLiteral("--type"),
                       QStringLiteral("13"), QStringLiteral("--dry-run"), source},
                      locale, dir.path());
    QCOMPARE(r.exitCode, 1);
    qsizetype from = 0;
    for (const QString& line : expected) {
        const qsizetype at = r.out.indexOf(line + u'\n', from);
        QVERIFY2(at >= 0, qPrintable(line + QStringLiteral(" <- missing in:\n") + r.out));
        from = at + line.size();
    }
    QFile log(dir.filePath(QStringLiteral("ErrorLog.txt")));
    QVERIFY(log.open(QIODevice::ReadOnly));
    const QByteArray bytes = log.readAll();
    // The log's lines are the window's, whatever the language of the command.
    // (A failed line keeps the name and code of the line before: the run's own rule.)
    QVERIFY2(bytes.startsWith("Nome: CAFE 500G|C\xf3" "digo: 2|Erro: ''50x'' is not a valid integer "
                              "value\r\nNome: UNIDADE LONGA|C\xf3" "digo: 503|Erro: "),
             bytes.constData());
    QVERIFY2(bytes.contains("string right truncation"), bytes.constData());
    static QByteArray first;
    if (first.isEmpty())
        first = bytes;
    else
        QCOMPARE(bytes, first);
}

void TestCliMessages::toolsInBothLanguages_data()
{
    QTest::addColumn<QString>("locale");
    QTest::addColumn<QStringList>("arguments"); // SOURCE is a type-3 export
    QTest::addColumn<int>("exitCode");
    QTest::addColumn<QStringList>("out"); // parts of stdout, in order
    QTest::addColumn<QString>("err");

    const QString pt = QStringLiteral("pt_BR.UTF-8");
    const QString en = QStringLiteral("C.UTF-8");
    const QStringList detect{"--detect", "SOURCE"};
    QTest::newRow("--detect, pt_BR") << pt << detect << 0
        << QStringList{"3 linhas, 3 avaliadas para cada tipo.\n", "Tipo  Item", "Nota   Falhas   Primeiro produto\n",
                       "O tipo 3 (Ostrell) está claramente à frente: importe com --type 3.\n"} << "";
    QTest::newRow("--detect, C") << en << detect << 0
        << QStringList{"3 rows, 3 judged for each type.\n", "Type  Item", "Score  Failing  First product\n",
                       "Type 3 (Ostrell) clearly leads: import with --type 3.\n"} << "";
    const QStringList preview{"--type", "3", "--preview", "2", "SOURCE"};
    QTest::newRow("--preview, pt_BR") << pt << preview << 0
        << QStringList{"Tipo de origem 3 (Ostrell): 2 de 3 linhas como a importação as gravaria", "Linha  Código",
                       "As verificações do próprio banco de dados"} << "";
    QTest::newRow("--preview, C") << en << preview << 0
        << QStringList{"Source type 3 (Ostrell): 2 of 3 rows as the import would write them", "Row  Code",
                       "The database's own checks"} << "";
    const QStringList backup{"--detect", "--backup", "before.sql", "SOURCE"};
    QTest::newRow("--backup beside --detect, pt_BR") << pt << backup << 2 << QStringList{}
        << "converter-banco-import: --backup acompanha uma importação (ou um --dry-run), não --detect, "
           "--preview ou --restore\n(--help lista as opções)\n";
    QTest::newRow("--backup beside --detect, C") << en << backup << 2 << QStringList{}
        << "converter-banco-import: --backup goes with an import (or a --dry-run), not with --detect, "
           "--preview or --restore\n(--help lists the options)\n";
    // The run's own refusal, named in the window's Portuguese, with a part that is translated too.
    const QStringList logOverSource{"--type", "3", "--yes", "--log", "SOURCE", "SOURCE"};
    QTest::newRow("log over the source, pt_BR") << pt << logOverSource << 2 << QStringList{}
        << "\": esse arquivo é o arquivo de origem.\n";
    QTest::newRow("log over the source, C") << en << logOverSource << 2 << QStringList{}
        << "\": that file is the source file.\n";
    const QStringList restore{"--restore", "/no/such/before.sql", "--yes"};
    QTest::newRow("--restore of a missing file, pt_BR") << pt << restore << 2 << QStringList{}
        << "converter-banco-import: Não foi possível abrir o arquivo \"/no/such/before.sql\". ";
    QTest::newRow("--restore of a missing file, C") << en << restore << 2 << QStringList{}
        << "converter-banco-import: Cannot open file \"/no/such/before.sql\". ";
}

// The tools around the import speak the user's language too; the names of the types, the
// products and the files stay as they are.
void TestCliMessages::toolsInBothLanguages()
{
    QFETCH(QString, locale);
    QFETCH(QStringList, arguments);
    QFETCH(int, exitCode);
    QFETCH(QStringList, out);
    QFETCH(QString, err);
    QTemporaryDir dir;
    const QString source = dir.filePath(QStringLiteral("catalogo.txt"));
    QVERIFY(QFile::copy(QStringLiteral(CB_SOURCE_DIR "/tests/fixtures/types/ostrell.txt"), source));
    arguments.replaceInStrings(QStringLiteral("SOURCE"), source);
    const Run r = run(arguments, locale, dir.path());
    QCOMPARE(r.exitCode, exitCode);
    qsizetype from = 0;
    for (const QString& part : out) {
        const qsizetype at = r.out.indexOf(part, from);
        QVERIFY2(at >= 0, qPrintable(part + QStringLiteral(" <- missing in:\n") + r.out));
        from = at + part.size();
    }
    QVERIFY2(err.isEmpty() ? r.err.isEmpty() : r.err.contains(err), qPrintable(r.err));
}

QTEST_GUILESS_MAIN(TestCliMessages)
#include "tst_cli_messages.moc"
