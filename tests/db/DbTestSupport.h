#pragma once
// Shared by the database tests: the access rows (embedded, server) and a connection to a
// test database with the settings the main window gives its own.
#include "DatabaseConnection.h"
#include "Errors.h"
#include "SqlQuery.h"
#include "TestDatabase.h"

#include <QTest>

#include <functional>
#include <memory>

Q_DECLARE_METATYPE(TestDatabase::Access)

namespace dbtest {

inline bool serverAvailable()
{
    return qgetenv("CB_TEST_SERVER") == "1";
}

inline const char* accessName(TestDatabase::Access access)
{
    return access == TestDatabase::Access::Server ? "server" : "embedded";
}

// One data row per access, embedded then server, tagged "<access> <tag>" (the access is the
// first column); rest adds the row's other columns.
inline void addAccessRows(const char* tag, const std::function<void(QTestData&)>& rest = {})
{
    for (TestDatabase::Access access : {TestDatabase::Access::Embedded, TestDatabase::Access::Server}) {
        QTestData& row = QTest::addRow("%s %s", accessName(access), tag) << access;
        if (rest)
            rest(row);
    }
}

inline std::unique_ptr<DatabaseConnection> connectionTo(const TestDatabase& db)
{
    auto connection = std::make_unique<DatabaseConnection>();
    db.configure(*connection);
    return connection;
}

inline void setText(SqlQuery& query, const QString& text)
{
    query.SQL().Clear();
    query.SQL().Add(text);
}

inline QString insertProduct(const QString& codigo, const QString& produto = QStringLiteral("X"))
{
    return QStringLiteral("insert into c000025 (codigo, produto, data_cadastro) values ('%1', '%2', "
                          "'16.04.19 15:52')")
        .arg(codigo, produto);
}

} // namespace dbtest

// Skips a server row when no server is there to answer, and makes the test database.
#define CB_SKIP_UNLESS_AVAILABLE(access)                                                       \
    do {                                                                                       \
        if ((access) == TestDatabase::Access::Server && !dbtest::serverAvailable())            \
            QSKIP("no Firebird server for this run (CB_TEST_SERVER is not 1)");                \
    } while (false)

#define CB_VERIFY_DB(db) QVERIFY2((db).isValid(), qPrintable((db).error()))

// Runs a statement expected to fail and checks the error's message.
#define CB_EXPECT_MESSAGE(statement, ErrorType, expected)                                      \
    do {                                                                                       \
        bool raised_ = false;                                                                  \
        try {                                                                                  \
            statement;                                                                         \
        } catch (const ErrorType& e_) {                                                        \
            raised_ = true;                                                                    \
            QCOMPARE(e_.message(), QString(expected));                                         \
        }                                                                                      \
        QVERIFY2(raised_, "no " #ErrorType " raised");                                         \
    } while (false)
