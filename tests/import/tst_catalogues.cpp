// The message catalogues: every text of the command and the readers has its Brazilian
// Portuguese translation, with the same placeholders; the run's Portuguese messages have an
// English one; the catalogues are embedded and chosen by the locale.
#include "Translations.h"

#include <QCoreApplication>
#include <QFile>
#include <QRegularExpression>
#include <QSet>
#include <QTranslator>
#include <QXmlStreamReader>
#include <QtTest>

namespace {

struct Message {
    QString context;
    QString source;
    QString translation;
    bool finished = false;
};

QList<Message> readCatalogue(const QString& language)
{
    QFile f(QStringLiteral(CB_SOURCE_DIR "/translations/converter-banco_%1.ts").arg(language));
    if (!f.open(QIODevice::ReadOnly))
        qFatal("cannot read %s", qPrintable(f.fileName()));
    QList<Message> messages;
    QXmlStreamReader xml(&f);
    QString context;
    while (!xml.atEnd()) {
        if (xml.readNext() != QXmlStreamReader::StartElement)
            continue;
        if (xml.name() == QLatin1String("name")) {
            context = xml.readElementText();
        } else if (xml.name() == QLatin1String("message")) {
            messages.append({context, {}, {}, false});
        } else if (xml.name() == QLatin1String("source")) {
            messages.last().source = xml.readElementText();
        } else if (xml.name() == QLatin1String("translation")) {
            const bool unfinished = xml.attributes().value(QLatin1String("type")) == QLatin1String("unfinished");
            messages.last().translation = xml.readElementText();
            messages.last().finished = !unfinished && !messages.last().translation.isEmpty();
        }
    }
    if (xml.hasError())
        qFatal("%s: %s", qPrintable(f.fileName()), qPrintable(xml.errorString()));
    return messages;
}

QStringList placeholders(const QString& text)
{
    static const QRegularExpression marker(QStringLiteral("%\\d+"));
    QStringList found;
    for (const QRegularExpressionMatch& m : marker.globalMatch(text))
        found.append(m.captured());
    found.sort();
    return found;
}

} // namespace

class TestCatalogues : public QObject {
    Q_OBJECT
private slots:
    void brazilianIsComplete();
    void englishCoversTheRunMessages();
    void bothHoldTheSameTexts();
    void languageOfLocale_data();
    void languageOfLocale();
    void embeddedCatalogueIsUsed();
};

void TestCatalogues::brazilianIsComplete()
{
    const QList<Message> messages = readCatalogue(QStringLiteral("pt_BR"));
    QVERIFY(messages.size() > 50);
    for (const Message& m : messages) {
        const QString where = m.context + QStringLiteral(": ") + m.source;
        QVERIFY2(m.finished, qPrintable(where));
        QVERIFY2(placeholders(m.translation) == placeholders(m.source), qPrintable(where));
        QVERIFY2(m.translation.endsWith(u'\n') == m.source.endsWith(u'\n'), qPrintable(where));
    }
}

void TestCatalogues::englishCoversTheRunMessages()
{
    int run = 0;
    for (const Message& m : readCatalogue(QStringLiteral("en"))) {
        if (m.context != QLatin1String("RunMessages"))
            continue;
        ++run;
        QVERIFY2(m.finished, qPrintable(m.source));
        QVERIFY2(placeholders(m.translation) == placeholders(m.source), qPrintable(m.source));
    }
    QCOMPARE(run, 29);
}

void TestCatalogues::bothHoldTheSameTexts()
{
    auto keys = [](const QList<Message>& messages) {
        QSet<QString> set;
        for (const Message& m : messages)
            set.insert(m.context + u'\x1f' + m.source);
        return set;
    };
    QCOMPARE(keys(readCatalogue(QStringLiteral("en"))), keys(readCatalogue(QStringLiteral("pt_BR"))));
}

void TestCatalogues::languageOfLocale_data()
{
    QTest::addColumn<QString>("locale");
    QTest::addColumn<QString>("language");
    QTest::newRow("Brazil") << "pt_BR" << "pt_BR";
    QTest::newRow("Portugal") << "pt_PT" << "en";
    QTest::newRow("United States") << "en_US" << "en";
    QTest::newRow("Spanish") << "es_AR" << "en";
    QTest::newRow("C") << "C" << "en";
}

void TestCatalogues::languageOfLocale()
{
    QFETCH(QString, locale);
    QFETCH(QString, language);
    QCOMPARE(messageLanguage(QLocale(locale)), language);
}

void TestCatalogues::embeddedCatalogueIsUsed()
{
    const char* text = "the workbook is password-protected";
    QVERIFY(installTranslations(*QCoreApplication::instance(), QStringLiteral("pt_BR")));
    QCOMPARE(QCoreApplication::translate("Readers", text),
             QStringLiteral("a pasta de trabalho está protegida por senha"));
    // The engine's and the window's texts have no entry: they stay as they are.
    QCOMPARE(QCoreApplication::translate("Readers", "Cannot open file \"%1\". %2"),
             QStringLiteral("Cannot open file \"%1\". %2"));
    for (QTranslator* t : QCoreApplication::instance()->findChildren<QTranslator*>())
        QCoreApplication::removeTranslator(t);
    QCOMPARE(QCoreApplication::translate("Readers", text), QString::fromLatin1(text));
}

QTEST_GUILESS_MAIN(TestCatalogues)
#include "tst_catalogues.moc"
