// The command over a database near and far: converter-banco-import imports a type-3
// catalogue into an embedded database and, through delayproxy (every packet held back for
// half the round trip), into the local server at 1 ms and 30 ms round trip. Three ways each:
// the command's default (blocks of inserts prepared once, values bound), one by one
// (--one-by-one, the window's calls) and a prepared loop (one insert with 22 parameters,
// prepared once, a round trip a row: the limit of any import that sends rows alone). The
// slow ways at a latency are run on a sample of the rows and projected to all of them.
// Then the memory goal of a text import: the command over a 1M-line catalogue, embedded,
// peak resident memory of the whole process (ru_maxrss).
//   bench_remote [ROWS [MEMORY_LINES]]   (100000, 1000000; 0 lines skips the memory run,
//                                         0 rows the near and far runs)
//   bench_remote --peak-of PROGRAM ARGS...  runs PROGRAM and prints its peak (the memory run's
//                                         go-between)
#include "BenchSupport.h"
#include "IscBaseline.h"

#include "LocalPort.h"
#include "ProductRow.h"
#include "RunHarness.h"
#include "TestDatabase.h"
#include "platform/AnsiCodePage.h"

#include <QCoreApplication>
#include <QDir>
#include <QFile>
#include <QProcess>
#include <QRegularExpression>
#include <QTemporaryDir>
#include <QThread>

#include <algorithm>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <map>
#include <memory>
#include <stdexcept>

namespace {

enum class Way { Batched, OneByOne, Prepared };
const char* wayName(Way w)
{
    return w == Way::Batched ? "default" : w == Way::OneByOne ? "one by one" : "prepared loop";
}

struct Latency {
    const char* name;
    int oneWayUs; // -1: embedded, no server at all
    quint16 port;
};
const Latency Embedded{"embedded", -1, 0};
// The proxies' ports: CB_BENCH_PORT (default 13051) and the next one, for two benches at once.
Latency Lan{"TCP, 1 ms", 500, 13051};
Latency Vpn{"TCP, 30 ms", 15000, 13052};

QString buildDir()
{
    return QCoreApplication::applicationDirPath() + QStringLiteral("/..");
}

// One measured import: the rows it covered and its time; projected to all rows when the
// rows were a sample.
struct Figure {
    int rows = 0;
    Elapsed time;
    double wall(int all) const { return time.wall * all / rows; }
    double cpu(int all) const { return time.cpu * all / rows; }
};

class Proxies {
public:
    ~Proxies()
    {
        for (auto& p : m_running) {
            p->kill();
            p->waitForFinished(5000);
        }
    }
    bool start(const Latency& l)
    {
        // Another bench's proxy on the port would take this bench's traffic, at its own delay.
        if (localPortAnswers(l.port))
            qFatal("port %d is taken: set CB_BENCH_PORT to another", l.port);
        auto p = std::make_unique<QProcess>();
        p->start(buildDir() + QStringLiteral("/bench/delayproxy"),
                 {QString::number(l.port), QStringLiteral("3050"), QString::number(l.oneWayUs)});
        if (!p->waitForStarted(5000))
            return false;
        m_running.push_back(std::move(p));
        for (int i = 0; i < 100; ++i) {
            if (localPortAnswers(l.port))
                return true;
            QThread::msleep(50);
        }
        return false;
    }

private:
    std::vector<std::unique_ptr<QProcess>> m_running;
};

std::unique_ptr<TestDatabase> freshDatabase(const Latency& l)
{
    TestDatabase::Options o;
    o.access = l.oneWayUs < 0 ? TestDatabase::Access::Embedded : TestDatabase::Access::Server;
    auto db = std::make_unique<TestDatabase>(o);
    if (!db->isValid())
        qFatal("test database: %s", qPrintable(db->error()));
    return db;
}

QString attachString(const TestDatabase& db, const Latency& l)
{
    return l.oneWayUs < 0 ? db.path() : QStringLiteral("127.0.0.1/%1:%2").arg(l.port).arg(db.path());
}

// The 22 values of the insert as the prepared loop binds them: the literal's texts.
std::vector<QByteArray> boundValues(const ProductRow& r, const QString& date)
{
    QString price = r.precocusto;
    price.replace(u',', u'.');
    const QStringList texts{r.codigo.rightJustified(6, u'0'), r.codbarra, r.produto, r.unidade, date,
                            price, price, r.estoque, r.ncm, r.cst, r.ncm, r.aliquota,
                            QStringLiteral("00 - Mercadoria para Revenda"), QStringLiteral("0"),
                            QStringLiteral("N"), QStringLiteral("NENHUMA"), r.iat, r.ippt,
                            r.situacao_tributaria, QStringLiteral("S"), r.csosn, r.ind_cfop_venda_dentro};
    std::vector<QByteArray> values;
    for (const QString& t : texts)
        values.push_back(platform::toAnsi(t));
    return values;
}

class Bench {
public:
    Bench(int rows, const QString& dir) : m_rows(rows), m_dir(dir)
    {
        QStringList lines;
        const QString date = RegistrationDate(fixedRunTime(), RegionalSettings::brazil());
        for (int i = 0; i < rows; ++i) {
            lines.append(catalogueLine(i));
            m_values.push_back(boundValues(catalogueRow(i, lines.last()), date));
        }
        for (int n : {rows, 200, 2000})
            if (!writeAnsiLines(sampleFile(n), lines.mid(0, std::min(n, rows))))
                qFatal("cannot write the catalogue");
    }

    Figure run(Way way, const Latency& l, int rows)
    {
        rows = std::min(rows, m_rows);
        auto db = freshDatabase(l);
        Figure f{rows, {}};
        if (way == Way::Prepared) {
            std::vector<std::vector<QByteArray>> part(m_values.begin(), m_values.begin() + rows);
            f.time = RunPreparedLoop(QFile::encodeName(attachString(*db, l)), TestDatabase::user().toLatin1(),
                                     TestDatabase::password().toLatin1(), part);
        } else {
            QStringList args{"--type", "3", "--database", attachString(*db, l), "--yes", "--quiet",
                             "--log", m_dir + QStringLiteral("/log.txt"), sampleFile(rows)};
            if (way == Way::OneByOne)
                args.prepend(QStringLiteral("--one-by-one"));
            const ChildRun child = runChild(buildDir() + QStringLiteral("/cli/converter-banco-import"), args);
            // The summary speaks the language of the bench's pt_BR locale.
            if (!child.ok || !child.output.contains(QStringLiteral("Linhas importadas: %1\n").arg(rows)))
                qFatal("the command failed: %s", qPrintable(child.output.right(2000)));
            f.time = child.time;
        }
        if (db->count() != rows)
            qFatal("%s wrote %d rows of %d", wayName(way), db->count(), rows);
        return f;
    }

    int rows() const { return m_rows; }

private:
    QString sampleFile(int n) const { return m_dir + QStringLiteral("/catalogue-%1.txt").arg(std::min(n, m_rows)); }
    int m_rows;
    QString m_dir;
    std::vector<std::vector<QByteArray>> m_values;
};

struct Runs {
    std::vector<Figure> figures;
    double bestWall(int all) const
    {
        double best = 1e300;
        for (const Figure& f : figures)
            best = std::min(best, f.wall(all));
        return best;
    }
    double bestCpu(int all) const
    {
        double best = 1e300;
        for (const Figure& f : figures)
            best = std::min(best, f.cpu(all));
        return best;
    }
    double medianWall(int all) const
    {
        std::vector<double> v;
        for (const Figure& f : figures)
            v.push_back(f.wall(all));
        return median(v);
    }
};

using Table = std::map<std::pair<int, int>, Runs>; // (latency index, way) -> runs

// The command's peak memory over a catalogue of `lines` lines, in MB.
double importPeakMB(const QString& dir, int lines)
{
    QStringList text;
    text.reserve(lines);
    for (int i = 0; i < lines; ++i)
        text.append(catalogueLine(i % 100000)); // codes stay within the column's six digits
    const QString file = dir + QStringLiteral("/million.txt");
    if (!writeAnsiLines(file, text))
        qFatal("cannot write %s", qPrintable(file));
    text = QStringList();
    auto db = freshDatabase(Embedded);
    const ChildRun child = runChild(selfPath(), {"--peak-of", buildDir() + QStringLiteral("/cli/converter-banco-import"),
                                                 "--type", "3", "--database", db->path(), "--yes", "--quiet",
                                                 "--log", dir + QStringLiteral("/log.txt"), file});
    const auto peak = QRegularExpression(QStringLiteral("peak KiB (\\d+)\n$")).match(child.output);
    // The code is the line number and the table's code holds six digits, so line 1,000,000
    // and later ones fail as row errors (exit 1); every other line must be in the table.
    const int imported = std::min(lines, 999999);
    if (db->count() != imported)
        qFatal("the command wrote %d rows of %d: %s", db->count(), imported, qPrintable(child.output.right(2000)));
    if (!peak.hasMatch())
        qFatal("no peak: %s", qPrintable(child.output.right(2000)));
    const double peakMB = peak.captured(1).toDouble() / 1024.0;
    std::printf("  %d-line import: wall %.1f s, CPU %.1f s, peak %.1f MB\n", lines, child.time.wall,
                child.time.cpu, peakMB);
    return peakMB;
}

// A child's ru_maxrss counts the pages it was forked with, and this bench holds hundreds of
// MB by the time it measures: a fresh copy of it, small, starts the command instead, so the
// peak is the command's own.
int peakOf(int argc, char** argv)
{
    QStringList arguments;
    for (int i = 1; i < argc; ++i)
        arguments.append(QString::fromLocal8Bit(argv[i]));
    const ChildRun child = runChild(QString::fromLocal8Bit(argv[0]), arguments);
    std::printf("%s\npeak KiB %ld\n", qPrintable(child.output), child.peakKiB);
    return child.ok ? 0 : 1;
}

void checkMemory(Goals& goals, const QString& dir, int lines)
{
    const double peak = importPeakMB(dir, lines);
    goals.check(peak < 250, QStringLiteral("%1-line text import: peak memory < 250 MB").arg(lines),
                QStringLiteral("%1 MB, the whole process").arg(peak, 0, 'f', 1));
}

} // namespace

int main(int argc, char** argv)
{
    if (argc > 2 && std::strcmp(argv[1], "--peak-of") == 0)
        return peakOf(argc - 2, argv + 2);
    QCoreApplication app(argc, argv);
    const int rows = argc > 1 ? std::atoi(argv[1]) : 100000;
    const int memoryLines = argc > 2 ? std::atoi(argv[2]) : 1000000;
    if (rows < 0 || memoryLines < 0) {
        std::fprintf(stderr, "usage: bench_remote [ROWS [MEMORY_LINES]]\n");
        return 2;
    }
    qputenv("ISC_PASSWORD", TestDatabase::password().toLatin1());
    qputenv("LC_ALL", "pt_BR.UTF-8");
    if (const int port = qEnvironmentVariableIntValue("CB_BENCH_PORT"); port > 0 && port < 65535) {
        Lan.port = quint16(port);
        Vpn.port = quint16(port + 1);
    }
    QTemporaryDir dir;
    if (rows == 0) {
        Goals goals;
        if (memoryLines > 0)
            checkMemory(goals, dir.path(), memoryLines);
        return goals.exitCode();
    }
    Bench bench(rows, dir.path());
    Proxies proxies;
    if (!proxies.start(Lan) || !proxies.start(Vpn))
        qFatal("delayproxy did not start (is the server up on 127.0.0.1:3050?)");

    const Latency latencies[] = {Embedded, Lan, Vpn};
    // How many rows each way runs at each latency, and how often: what would take minutes
    // runs on a sample and is projected.
    const int sample[3][3] = {{rows, rows, rows}, {rows, 2000, 2000}, {rows, 200, 200}};
    const int rounds[3] = {3, 3, 1};
    std::printf("bench_remote: %d lines of type 3 text, the command converter-banco-import\n", rows);
    Table t;
    for (int li = 0; li < 3; ++li)
        for (int r = 0; r < rounds[li]; ++r)
            for (Way w : {Way::Batched, Way::OneByOne, Way::Prepared}) {
                const Figure f = bench.run(w, latencies[li], sample[li][int(w)]);
                t[{li, int(w)}].figures.push_back(f);
                std::printf("  %-10s %-13s %6d rows: wall %7.2f s, CPU %6.2f s%s\n", latencies[li].name,
                            wayName(w), f.rows, f.time.wall, f.time.cpu,
                            f.rows < rows ? " (a sample)" : "");
                std::fflush(stdout);
            }

    std::printf("\n  %-11s %-14s %11s %11s %10s %10s\n", "latency", "way", "best wall", "median wall",
                "best CPU", "rows");
    for (int li = 0; li < 3; ++li)
        for (Way w : {Way::Batched, Way::OneByOne, Way::Prepared}) {
            const Runs& r = t[{li, int(w)}];
            std::printf("  %-11s %-14s %10.2fs %10.2fs %9.2fs %10s\n", latencies[li].name, wayName(w),
                        r.bestWall(rows), r.medianWall(rows), r.bestCpu(rows),
                        r.figures.front().rows < rows ? "projected" : "all");
        }

    const auto batched = [&](int li) { return t[{li, int(Way::Batched)}]; };
    const auto ratios = [&](int li, bool cpu) {
        const Runs b = batched(li), o = t[{li, int(Way::OneByOne)}], p = t[{li, int(Way::Prepared)}];
        const auto pick = [&](const Runs& x) { return cpu ? x.bestCpu(rows) : x.bestWall(rows); };
        return QStringLiteral("%1 s; %2x faster than one by one, %3x the prepared loop's time")
            .arg(pick(b), 0, 'f', 2)
            .arg(pick(o) / pick(b), 0, 'f', 2)
            .arg(pick(b) / pick(p), 0, 'f', 2);
    };
    Goals goals;
    goals.check(batched(2).bestWall(rows) < 120, QStringLiteral("30 ms round trip: under 2 minutes"),
                ratios(2, false));
    goals.check(batched(1).bestWall(rows) <= 2 * batched(0).bestWall(rows),
                QStringLiteral("1 ms round trip: within 2 x the embedded time (%1 s)")
                    .arg(batched(0).bestWall(rows), 0, 'f', 2),
                ratios(1, false));
    goals.check(4 * batched(0).bestCpu(rows) <= t[{0, int(Way::OneByOne)}].bestCpu(rows),
                QStringLiteral("embedded: CPU at least 4 x less than one by one"), ratios(0, true));
    if (memoryLines > 0)
        checkMemory(goals, dir.path(), memoryLines);
    return goals.exitCode();
}
