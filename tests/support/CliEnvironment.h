#pragma once
// The environment the command runs in for tests that read its output: the test password,
// Brazilian regional settings (as the window's tests have) and the command's own words in
// English (tst_cli_messages checks both languages).
#include "TestDatabase.h"

#include <QProcessEnvironment>

inline QProcessEnvironment cliEnvironment()
{
    QProcessEnvironment env = QProcessEnvironment::systemEnvironment();
    env.insert(QStringLiteral("ISC_PASSWORD"), TestDatabase::password());
    env.insert(QStringLiteral("LANG"), QStringLiteral("pt_BR.UTF-8"));
    env.remove(QStringLiteral("LC_ALL"));
    env.remove(QStringLiteral("LANGUAGE"));
    env.insert(QStringLiteral("LC_MESSAGES"), QStringLiteral("C.UTF-8"));
    return env;
}
