// What every source reader (text export or barcode list, .xls, .xlsx) does with a name that
// leads to something other than a readable file of sane size: a named pipe, a device without
// end, a folder, a file past the size ceiling. Each is refused at once, before anything is
// read, with a message that names the file and says why.
#include "InputFile.h"
#include "LoadSpreadsheet.h"
#include "RegionalSettings.h"
#include "GridChecks.h"
#include "NonRegularFiles.h"
#include "TextFile.h"
#include "TextGrid.h"

#include <QDir>
#include <QFile>
#include <QTemporaryDir>
#include <QtTest>

namespace {

// Makes the thing of that kind under the path; false when it cannot.
bool make(const QString& kind, const QString& path)
{
    if (kind == QLatin1String("pipe"))
        return makeNamedPipe(path);
    if (kind == QLatin1String("device"))
        return QFile::link(QStringLiteral("/dev/zero"), path);
    if (kind == QLatin1String("folder"))
        return QDir().mkdir(path);
    QFile file(path); // sparse: it takes no room on disk
    return file.open(QIODevice::WriteOnly) && file.resize(qint64(kMaxSourceFileBytes) + 1);
}

} // namespace

class TestSourceFiles : public QObject {
    Q_OBJECT

private slots:
    void refused_data();
    void refused();
    void readToItsEnd();
};

void TestSourceFiles::refused_data()
{
    QTest::addColumn<QString>("name");
    QTest::addColumn<QString>("kind");
    QTest::addColumn<QString>("message"); // %1: the path

    const QString open = QStringLiteral("Cannot open file \"%1\". ");
    const QString tooLarge = QStringLiteral("Cannot read \"%1\": %2 of more than 1073741824 bytes is not read");
    for (const char* name : {"lista.txt", "planilha.xls", "planilha.xlsx"}) {
        const bool text = QByteArray(name).endsWith(".txt");
        const auto row = [&](const char* kind, const QString& message) {
            QTest::addRow("%s, %s", name, kind) << QString(name) << QString(kind) << message;
        };
        row("pipe", open + "It is a named pipe, not a regular file");
        row("device", open + "It is a device, not a regular file");
        row("folder", open + "Is a directory");
        row("past the size ceiling", tooLarge.arg("%1", text ? "a text file" : "a workbook"));
    }
}

// A pipe with no writer would block a reader that opened it plainly, and /dev/zero would be
// read to the ceiling: both are refused before the first byte.
void TestSourceFiles::refused()
{
    QFETCH(QString, name);
    QFETCH(QString, kind);
    QFETCH(QString, message);

    QTemporaryDir dir;
    QVERIFY(dir.isValid());
    const QString path = dir.filePath(name);
    QVERIFY2(make(kind, path), qPrintable(kind));
    TextGrid grid;
    grid.setCell(0, 0, QStringLiteral("old"));
    const QString error = loadError([&] {
        if (name.endsWith(QLatin1String(".txt")))
            ReadTextFileLines(path);
        else
            LoadSpreadsheet(grid, path, RegionalSettings::brazil());
    });
    QCOMPARE(error, message.arg(path));
    QCOMPARE(grid.cell(0, 0), QStringLiteral("old"));
}

// Read with read() until the end, whatever the size said when the file was opened: a file
// that grew is read whole up to the ceiling, and one cut short reads short.
void TestSourceFiles::readToItsEnd()
{
    QTemporaryDir dir;
    const QString path = dir.filePath("cresce.txt");
    QFile file(path);
    QVERIFY(file.open(QIODevice::WriteOnly));
    QVERIFY(file.write("um\n") == 3);
    QVERIFY(file.flush());
    InputFile input(path, 1024, QStringLiteral("a text file"));
    QCOMPARE(input.size(), quint64(3));
    QVERIFY(file.write(QByteArray(1000, 'x')) == 1000);
    QVERIFY(file.flush());
    QCOMPARE(input.readAll().size(), 1003);

    // Cut short after it was opened (a copy still running): it reads short, where a mapping
    // of the size it had would fault past the new end.
    InputFile shrunk(path, 1024, QStringLiteral("a text file"));
    QCOMPARE(shrunk.size(), quint64(1003));
    QVERIFY(file.resize(3));
    QCOMPARE(shrunk.readAll(), QByteArray("um\n"));

    InputFile grown(path, 1024, QStringLiteral("a text file"));
    QVERIFY(file.write(QByteArray(2000, 'y')) == 2000);
    QVERIFY(file.flush());
    QCOMPARE(loadError([&] { grown.readAll(); }),
             QStringLiteral("Cannot read \"%1\": a text file of more than 1024 bytes is not read").arg(path));
}

QTEST_GUILESS_MAIN(TestSourceFiles)
#include "tst_source_files.moc"
