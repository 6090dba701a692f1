#include "DetectCommand.h"

#include "LocalClock.h"
#include "PlainViews.h"
#include "ProductRow.h"
#include "SourceDetection.h"
#include "SourceTypes.h"
#include "TextFile.h"

#include <QCoreApplication>

#include <algorithm>

namespace {

constexpr int NameShown = 40;

QString oneLine(QString text)
{
    text.replace(u'\r', u' ');
    return text.simplified();
}

QString firstProduct(const RowOutcome& r)
{
    if (r.failed)
        return QCoreApplication::translate("DetectCommand", "fails: ") + oneLine(r.message);
    QString name = r.values.value(ValueProduto).simplified();
    if (name.size() > NameShown)
        name = name.left(NameShown - 3) + QStringLiteral("...");
    return QStringLiteral("%1 | %2 | %3 | %4")
        .arg(r.values.value(ValueCodigo), r.values.value(ValueCodbarra), name,
             r.values.value(ValuePrecovenda));
}

QString header(const char* title)
{
    return QCoreApplication::translate("DetectCommand", title);
}

// The columns are as wide as their titles, in whichever language.
QString rankingTable(const Detection& d)
{
    const QString type = header(QT_TRANSLATE_NOOP("DetectCommand", "Type"));
    const QString item = header(QT_TRANSLATE_NOOP("DetectCommand", "Item"));
    const QString score = header(QT_TRANSLATE_NOOP("DetectCommand", "Score"));
    const QString failing = header(QT_TRANSLATE_NOOP("DetectCommand", "Failing"));
    qsizetype itemWidth = item.size();
    for (const TypeScore& t : d.ranking)
        itemWidth = std::max(itemWidth, SourceTypeNames().value(t.sourceType).size());
    const int typeWidth = int(std::max<qsizetype>(4, type.size()));
    const int scoreWidth = int(std::max<qsizetype>(5, score.size()));
    const int failingWidth = int(std::max<qsizetype>(7, failing.size()));
    QString text = QStringLiteral("%1  %2  %3  %4  %5\n")
                       .arg(type.leftJustified(typeWidth), item.leftJustified(itemWidth),
                            score.leftJustified(scoreWidth), failing.leftJustified(failingWidth),
                            header(QT_TRANSLATE_NOOP("DetectCommand", "First product")));
    for (const TypeScore& t : d.ranking)
        text += QStringLiteral("%1  %2  %3  %4  %5\n")
                    .arg(QString::number(t.sourceType).rightJustified(typeWidth),
                         SourceTypeNames().value(t.sourceType).leftJustified(itemWidth),
                         QStringLiteral("%1 %").arg(int(t.score), 3).rightJustified(scoreWidth),
                         QString::number(t.failing).rightJustified(failingWidth), firstProduct(t.first));
    return text;
}

QString verdict(const Detection& d)
{
    if (d.ranking.empty() || d.rows == 0)
        return QCoreApplication::translate("DetectCommand", "There are no rows to judge.\n");
    const TypeScore& best = d.ranking.front();
    const QString name = SourceTypeNames().value(best.sourceType);
    if (d.clearLeader)
        return QCoreApplication::translate("DetectCommand", "Type %1 (%2) clearly leads: import with --type %1.\n").arg(best.sourceType).arg(name);
    if (best.score < LeaderMinimum)
        return QCoreApplication::translate("DetectCommand", "No type reads this file well (the best scores %1 %); check "
                                                           "the file and look at the products with --preview.\n").arg(int(best.score));
    return QCoreApplication::translate("DetectCommand", "Type %1 (%2) leads, but %3 (%4) is close; compare them with --preview.\n")
        .arg(best.sourceType)
        .arg(name)
        .arg(d.ranking[1].sourceType)
        .arg(SourceTypeNames().value(d.ranking[1].sourceType));
}

} // namespace

ExitCode runDetectCommand(const CliOptions& options)
{
    const RegionalSettings settings = RegionalSettings::system();
    PlainViews views;
    loadSource(views, options.source, settings);
    RowWalkSettings base;
    base.keepSourceBarcode = options.keepSourceBarcode;
    if (!options.barcodeFile.isEmpty())
        base.barcodeList = ReadTextFileLines(options.barcodeFile);
    base.settings = settings;
    LocalClock clock;
    base.registrationDate = RegistrationDate(clock.now(), settings);

    const Detection d = DetectSourceType(views, base);
    QString text = QCoreApplication::translate("DetectCommand", "%1 rows, %2 judged for each type.\n").arg(d.rows).arg(d.judged);
    if (!d.ranking.empty() && d.rows > 0)
        text += rankingTable(d);
    text += verdict(d);
    printText(stdout, text);
    return d.clearLeader ? AllImported : SomeRowsFailed;
}
