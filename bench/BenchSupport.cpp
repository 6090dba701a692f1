#include "BenchSupport.h"

#include "FieldHelpers.h"
#include "platform/AnsiCodePage.h"
#include "platform/ChildProcess.h"
#include "platform/ProcessClock.h"

#include <QCoreApplication>
#include <QFile>
#include <QTemporaryDir>

#include <algorithm>
#include <cstdio>
#include <vector>

void Goals::check(bool met, const QString& goal, const QString& figure)
{
    if (!met)
        ++m_failed;
    std::printf("  %s  %s: %s\n", met ? "PASS" : "FAIL", qPrintable(goal), qPrintable(figure));
    std::fflush(stdout);
}

void Stopwatch::restart()
{
    m_wall.start();
    m_cpu0 = platform::processCpuSeconds();
    m_sys0 = platform::processSystemSeconds();
}

Elapsed Stopwatch::elapsed() const
{
    return {double(m_wall.nsecsElapsed()) / 1e9, platform::processCpuSeconds() - m_cpu0,
            platform::processSystemSeconds() - m_sys0};
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
    QTemporaryDir dir;
    if (!dir.isValid())
        return run;
    const QString outputFile = dir.filePath(QStringLiteral("output"));
    QElapsedTimer wall;
    wall.start();
    const platform::ChildUsage usage = platform::runAndMeasure(program, arguments, outputFile);
    run.time = {double(wall.nsecsElapsed()) / 1e9, usage.cpuSeconds, usage.systemSeconds};
    run.peakKiB = usage.peakKiB;
    run.ok = usage.started && usage.exited && usage.exitCode == 0;
    QFile output(outputFile);
    if (output.open(QIODevice::ReadOnly))
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

