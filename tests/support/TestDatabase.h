#pragma once
// A fresh Firebird database per test case, made with isql-fb from the reference schema.
// Embedded databases live in a temporary folder; server databases in a folder the
// firebird user can write, reached as "localhost:/path".
#include <QMap>
#include <QString>
#include <QStringList>
#include <QTemporaryDir>

#include <memory>

class DatabaseConnection;

class TestDatabase {
public:
    enum class Access { Embedded, Server };
    struct Options {
        Access access = Access::Embedded;
        bool withProdutosView = true;
        bool withSchema = true;
        int dialect = 3;
        QString server = QStringLiteral("localhost"); // server access: host, or host/port
    };

    explicit TestDatabase(Options options);
    TestDatabase() : TestDatabase(Options{}) {}
    ~TestDatabase();

    bool isValid() const { return m_valid; }
    QString error() const { return m_error; }

    QString path() const { return m_path; }              // the .fdb file
    QString attachString() const;                        // path, or server + ":" + path
    static QString user() { return QStringLiteral("SYSDBA"); }
    // The SYSDBA password the test script gives the server (CB_TEST_PASSWORD, default below).
    static QString password();
    static QString clientLibrary() { return QStringLiteral("libfbclient.so.2"); }
    // Points the connection at this database with the test user, password and library.
    void configure(DatabaseConnection& connection) const;

    // Runs statements through isql-fb (a separate process). Only use it while no connection
    // of the test process holds the same file: the engine opens a file for one process.
    bool execute(const QString& sql, QString* output = nullptr) const;
    // Rows of a select, each a map of upper-case column name to its isql text.
    QList<QMap<QString, QString>> select(const QString& sql) const;
    int count(const QString& table = QStringLiteral("c000025")) const;

    static QString schemaFile(); // db/schema/target.sql in the source tree

private:
    bool runIsql(const QStringList& args, const QByteArray& input, QString* output) const;
    std::unique_ptr<QTemporaryDir> m_dir;
    Options m_options;
    QString m_path;
    QString m_error;
    bool m_valid = false;
};
