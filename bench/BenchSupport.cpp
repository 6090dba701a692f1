#include "BenchSupport.h"

#include "FieldHelpers.h"
#include "platform/AnsiCodePage.h"

#include <QCoreApplication>
#include <QFile>
#include <QTemporaryFile>

#include <algorithm>
#include <cerrno>
#include <cstdio>
#include <ctime>
#include <fcntl.h>
#include <sys/resource.h>
#include <sys/wait.h>
#include <unistd.h>

#include <vector>

void Goals::check(bool met, const QString& goal, const QString& figure)
{
    if (!met)
        ++m_failed;
    std::printf("  %s  %s: %s\n", met ? "PASS" : "FAIL", qPrintable(goal), qPrintable(figure));
    std::fflush(stdout);
}

namespace {

double clockSeconds(clockid_t clock)
{
    timespec t{};
    ::clock_gettime(clock, &t);
    return double(t.tv_sec) + t.tv_nsec / 1e9;
}

double seconds(const timeval& t)
{
    return double(t.tv_sec) + t.tv_usec / 1e6;
}

double systemSeconds()
{
    struct rusage usage {};
    ::getrusage(RUSAGE_SELF, &usage);
    return seconds(usage.ru_stime);
}

// In the child, between fork and exec: only async-signal-safe calls.
[[noreturn]] void execChild(const std::vector<QByteArray>& argv, int outputFd)
{
    std::vector<char*> args;
    for (const QByteArray& a : argv)
        args.push_back(const_cast<char*>(a.constData()));
    args.push_back(nullptr);
    const int devNull = ::open("/dev/null", O_RDONLY);
    if (devNull >= 0)
        ::dup2(devNull, 0);
    ::dup2(outputFd, 1);
    ::dup2(outputFd, 2);
    ::execvp(args[0], args.data());
    ::_exit(127);
}

} // namespace

void Stopwatch::restart()
{
    m_wall0 = clockSeconds(CLOCK_MONOTONIC);
    m_cpu0 = clockSeconds(CLOCK_PROCESS_CPUTIME_ID);
    m_sys0 = systemSeconds();
}

Elapsed Stopwatch::elapsed() const
{
    return {clockSeconds(CLOCK_MONOTONIC) - m_wall0, clockSeconds(CLOCK_PROCESS_CPUTIME_ID) - m_cpu0,
            systemSeconds() - m_sys0};
}

double median(std::vector<double> values)
{
    if (values.empty())
        return 0;
    std::sort(values.begin(), values.end());
    const size_t n = values.size();
    return n % 2 ? values[n / 2] : (values[n / 2 - 1] + values[n / 2]) / 2;
}

ChildRun runChild(const QString& program, const QStringList& arguments)
{
    ChildRun run;
    QTemporaryFile output;
    if (!output.open())
        return run;
    std::vector<QByteArray> argv{QFile::encodeName(program)};
    for (const QString& a : arguments)
        argv.push_back(QFile::encodeName(a));
    std::fflush(nullptr);

    const Stopwatch clock;
    const pid_t pid = ::fork();
    if (pid < 0)
        return run;
    if (pid == 0)
        execChild(argv, int(output.handle()));
    int status = 0;
    struct rusage usage {};
    while (::wait4(pid, &status, 0, &usage) < 0) {
        if (errno != EINTR)
            return run;
    }
    run.time = {clock.elapsed().wall, seconds(usage.ru_utime) + seconds(usage.ru_stime),
                seconds(usage.ru_stime)};
    run.peakKiB = usage.ru_maxrss;
    run.ok = WIFEXITED(status) && WEXITSTATUS(status) == 0;
    output.seek(0);
    run.output = QString::fromLocal8Bit(output.readAll());
    return run;
}

QString selfPath()
{
    return QCoreApplication::applicationFilePath();
}

bool writeAnsiLines(const QString& fileName, const QStringList& lines)
{
    QFile file(fileName);
    if (!file.open(QIODevice::WriteOnly | QIODevice::Truncate))
        return false;
    QByteArray bytes;
    for (const QString& line : lines) {
        bytes += platform::toAnsi(line);
        bytes += "\r\n";
    }
    return file.write(bytes) == bytes.size();
}

// At most five characters, the width of the cost field.
static QString priceOf(int i)
{
    return QString::number(1 + i % 99) + QStringLiteral(",") + QString::number(10 + i % 90);
}

// A type-3 line: barcode 0..12, name 13..92, cost 93..97.
QString catalogueLine(int i)
{
    const QString name = QStringLiteral("PRODUTO  DE   TESTE %1").arg(i + 1, 6, 10, QChar(u'0'));
    return MakeBarcode(QString::number(i + 1)) + name.leftJustified(80, u' ')
           + priceOf(i).rightJustified(5, u' ');
}

// The row the type-3 layout makes of catalogueLine(i) over the text defaults.
ProductRow catalogueRow(int i, const QString& line)
{
    ProductRow row;
    row.codigo = QString::number(i + 1);
    row.codbarra = line.left(13);
    row.produto = CollapseSpaces(line.mid(13, 80));
    row.precocusto = row.precovenda = priceOf(i);
    row.estoque = QStringLiteral("0");
    row.unidade = QStringLiteral("UN");
    row.cst = QStringLiteral("040");
    row.ncm = QStringLiteral("9999.71.04");
    row.aliquota = QStringLiteral("0");
    row.csosn = QStringLiteral("400");
    row.situacao_tributaria = QStringLiteral("I");
    row.iat = row.ippt = QStringLiteral("T");
    row.ind_cfop_venda_dentro = QStringLiteral("5102");
    return row;
}

