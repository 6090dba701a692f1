#pragma once
// The language of the program's own messages. The command's messages, usage and summary and
// the readers' error texts go through Qt's translation system; the window's designed texts,
// the error log's lines and the database engine's texts never do, so they read the same under
// every locale.
#include <QLocale>
#include <QString>

class QCoreApplication;

// "pt_BR" when the user's first language is Brazilian Portuguese, else "en".
QString messageLanguage(const QLocale& locale = QLocale::system());

// Installs our catalogue of that language, and Qt's own (qtbase, for the file dialogs and the
// option parser) when the system has it. Returns whether our catalogue was found.
bool installTranslations(QCoreApplication& app, const QString& language);
