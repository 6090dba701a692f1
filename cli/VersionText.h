#pragma once
// What --version prints: the program, its version and the Firebird client library that a
// run would load, as the dynamic loader finds it now.
#include <QString>

QString versionText(const QString& program, const QString& clientLibrary);
