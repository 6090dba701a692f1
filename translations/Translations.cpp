#include "Translations.h"

#include <QCoreApplication>
#include <QLibraryInfo>
#include <QTranslator>

QString messageLanguage(const QLocale& locale)
{
    // The first of the user's languages decides (LANGUAGE, LC_ALL, LC_MESSAGES, LANG).
    const QStringList languages = locale.uiLanguages();
    const QLocale first = languages.isEmpty() ? locale : QLocale(languages.first());
    const bool brazilian = first.language() == QLocale::Portuguese
                           && first.territory() == QLocale::Brazil;
    return brazilian ? QStringLiteral("pt_BR") : QStringLiteral("en");
}

bool installTranslations(QCoreApplication& app, const QString& language)
{
    // The catalogues are resources of this library; a static library keeps them only when
    // something names their initialiser.
    Q_INIT_RESOURCE(catalogues);
    auto* ours = new QTranslator(&app);
    const bool found = ours->load(QStringLiteral(":/i18n/converter-banco_") + language);
    if (found)
        QCoreApplication::installTranslator(ours);
    auto* qt = new QTranslator(&app);
    if (qt->load(QStringLiteral("qtbase_") + language,
                 QLibraryInfo::path(QLibraryInfo::TranslationsPath)))
        QCoreApplication::installTranslator(qt);
    return found;
}
