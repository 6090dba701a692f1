// The same catalogue sheet loaded from .xls and from .xlsx, and the ratio of the two times.
// 65,536 rows (the most a BIFF8 sheet holds) of 16 columns by default. The two workbooks are
// written once by tests/fixtures/make_agree.py --big (xlwt and openpyxl) into a folder
// under the system's temporary folder, and reused by later runs.
//   bench_sheets [ROWS]
#include "LoadSpreadsheet.h"
#include "RegionalSettings.h"
#include "TextGrid.h"
#include "platform/Error.h"

#include <QCoreApplication>
#include <QDir>
#include <QElapsedTimer>
#include <QFile>
#include <QProcess>

#include <algorithm>
#include <cstdio>
#include <cstdlib>

namespace {

constexpr int kRuns = 3;

QString workbooks(int rows)
{
    const QString folder = QDir::temp().filePath(QStringLiteral("cb_bench_sheets_%1").arg(rows));
    if (QFile::exists(folder + "/big.xls") && QFile::exists(folder + "/big.xlsx"))
        return folder;
    std::printf("writing the %d-row workbooks into %s (once)...\n", rows, qPrintable(folder));
    std::fflush(stdout);
    const QString script = QStringLiteral(CB_SOURCE_DIR "/tests/fixtures/make_agree.py");
    QProcess python;
    python.setProcessChannelMode(QProcess::ForwardedChannels);
    python.start(QStringLiteral("/usr/bin/python3"),
                 {script, QStringLiteral("--big"), QString::number(rows), folder});
    if (!python.waitForFinished(-1) || python.exitCode() != 0) {
        std::fprintf(stderr, "make_agree.py --big failed\n");
        QDir(folder).removeRecursively();
        std::exit(1);
    }
    return folder;
}

// The best of a few loads, in seconds.
double bestLoad(const QString& fileName, int rows)
{
    double best = 1e9;
    for (int run = 0; run < kRuns; ++run) {
        TextGrid grid;
        QElapsedTimer clock;
        clock.start();
        try {
            LoadSpreadsheet(grid, fileName, RegionalSettings::brazil());
        } catch (const std::exception& e) {
            std::fprintf(stderr, "%s: %s\n", qPrintable(fileName), qPrintable(errorMessage(e)));
            std::exit(1);
        }
        best = std::min(best, clock.nsecsElapsed() / 1e9);
        if (grid.RowCount() != rows || grid.ColCount() != 16) {
            std::fprintf(stderr, "%s: %d x %d grid\n", qPrintable(fileName), grid.RowCount(),
                         grid.ColCount());
            std::exit(1);
        }
    }
    return best;
}

} // namespace

int main(int argc, char** argv)
{
    QCoreApplication app(argc, argv);
    const int rows = argc > 1 ? std::atoi(argv[1]) : 65536;
    if (rows < 2 || rows > 65536) {
        std::fprintf(stderr, "usage: bench_sheets [ROWS], 2 to 65536\n");
        return 2;
    }
    const QString folder = workbooks(rows);
    const double xls = bestLoad(folder + "/big.xls", rows);
    const double xlsx = bestLoad(folder + "/big.xlsx", rows);
    std::printf("sheet of %d rows x 16 columns, best of %d loads\n", rows, kRuns);
    std::printf("  .xls  (BIFF8, xlwt)    %.3f s\n", xls);
    std::printf("  .xlsx (openpyxl)       %.3f s\n", xlsx);
    std::printf("  ratio .xls / .xlsx     %.2f\n", xls / xlsx);
    return 0;
}
