// Connecting: the attach string, the parameter block, the dialect, the client library
// loaded by name, and what a failed connect leaves behind.
#include "DbTestSupport.h"

#include "ClientLibrary.h"
#include "ConnectParameters.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>

using Access = TestDatabase::Access;

class TestConnect : public QObject {
    Q_OBJECT

private:
    // Runs one statement through a fresh component and returns the error message, if any.
    static QString messageOf(DatabaseConnection& connection, const QString& sql)
    {
        SqlQuery query(connection);
        query.AutoCommit = false;
        dbtest::setText(query, sql);
        try {
            query.ExecSQL();
        } catch (const std::exception& e) {
            return errorMessage(e);
        }
        return QString();
    }

private slots:
    void attachString_data()
    {
        QTest::addColumn<QString>("database");
        QTest::addColumn<QString>("server");
        QTest::addColumn<QString>("expected");
        QTest::addRow("drive letter, no server") << "C:\\Tallyworks\\Server\\bd\\base.fdb" << ""
                                                 << "C:\\Tallyworks\\Server\\bd\\base.fdb";
        QTest::addRow("drive letter is no server") << "C:\\bd\\base.fdb" << "host"
                                                   << "host:C:\\bd\\base.fdb";
        QTest::addRow("TCP server named") << "localhost:/data/x.fdb" << "other"
                                          << "localhost:/data/x.fdb";
        QTest::addRow("SPX server named") << "srv@/data/x.fdb" << "other" << "srv@/data/x.fdb";
        QTest::addRow("one character after colon") << "a:b" << "host" << "host:a:b";
        QTest::addRow("plain path with server") << "/data/x.fdb" << "host" << "host:/data/x.fdb";
    }

    void attachString()
    {
        QFETCH(QString, database);
        QFETCH(QString, server);
        QFETCH(QString, expected);
        QCOMPARE(connectparams::attachString(database, server), expected);
    }

    void parameterBlock_data()
    {
        QTest::addColumn<QString>("user");
        QTest::addColumn<QString>("password");
        QTest::addColumn<QString>("characterSet");
        QTest::addColumn<QString>("role");
        QTest::addColumn<QByteArray>("expected");
        QTest::addRow("main window") << "SYSDBA" << "quillmark" << "" << ""
                                     << QByteArray("\x01\x1c\x06SYSDBA\x1d\x09quillmark");
        QTest::addRow("nothing set") << "" << "" << "" << "" << QByteArray("\x01");
        QTest::addRow("all items") << "u" << "p" << "WIN1252" << "R"
                                   << QByteArray("\x01\x1c\x01u\x1d\x01p\x30\x07WIN1252\x3c\x01R");
        QTest::addRow("ANSI bytes") << "José" << "" << "" << ""
                                    << QByteArray("\x01\x1c\x04Jos\xe9");
    }

    void parameterBlock()
    {
        QFETCH(QString, user);
        QFETCH(QString, password);
        QFETCH(QString, characterSet);
        QFETCH(QString, role);
        QFETCH(QByteArray, expected);
        QCOMPARE(connectparams::databaseParameterBlock(user, password, characterSet, role), expected);
    }

    void dialectReply_data()
    {
        QTest::addColumn<QByteArray>("reply");
        QTest::addColumn<int>("dialect");
        QTest::addRow("dialect 3") << QByteArray("\x3e\x01\x00\x03\x01", 5) << 3;
        QTest::addRow("dialect 1") << QByteArray("\x3e\x01\x00\x01\x01", 5) << 1;
        QTest::addRow("item missing") << QByteArray("\x01", 1) << 1;
        QTest::addRow("truncated") << QByteArray("\x02", 1) << 1;
        QTest::addRow("after another item") << QByteArray("\x04\x02\x00\x00\x10\x3e\x01\x00\x03\x01", 10)
                                            << 3;
        QTest::addRow("length beyond reply") << QByteArray("\x3e\x09\x00\x03", 4) << 1;
    }

    void dialectReply()
    {
        QFETCH(QByteArray, reply);
        QFETCH(int, dialect);
        QCOMPARE(connectparams::dialectFromInfo(reply), dialect);
    }

    void dialect_data()
    {
        QTest::addColumn<Access>("access");
        QTest::addColumn<int>("databaseDialect");
        QTest::addColumn<int>("requested");
        QTest::addColumn<int>("expected");
        QTest::addRow("embedded dialect-1 database") << Access::Embedded << 1 << 3 << 1;
        QTest::addRow("server dialect-1 database") << Access::Server << 1 << 3 << 1;
        QTest::addRow("embedded dialect 3") << Access::Embedded << 3 << 3 << 3;
        QTest::addRow("dialect 1 requested") << Access::Embedded << 3 << 1 << 1;
    }

    void dialect()
    {
        QFETCH(Access, access);
        QFETCH(int, databaseDialect);
        QFETCH(int, requested);
        QFETCH(int, expected);
        CB_SKIP_UNLESS_AVAILABLE(access);
        TestDatabase::Options options{access};
        options.dialect = databaseDialect;
        TestDatabase db(options);
        CB_VERIFY_DB(db);
        {
            auto connection = dbtest::connectionTo(db);
            connection->SQLDialect = requested;
            connection->setConnected(true);
            QCOMPARE(connection->dialect(), expected);
            // In dialect 1 a double-quoted text is a string; in dialect 3 it names a column.
            const QString message =
                messageOf(*connection, "insert into c000025 (codigo, produto) values ('D1', \"quoted\")");
            QCOMPARE(message.isEmpty(), expected == 1);
            connection->Commit();
        }
        QCOMPARE(db.count(), expected == 1 ? 1 : 0);
    }

    void databaseNameMissing()
    {
        DatabaseConnection connection;
        CB_EXPECT_MESSAGE(connection.setConnected(true), DatabaseError,
                          QStringLiteral("Database name missing"));
        QVERIFY(!connection.Connected());
        QCOMPARE(messageOf(connection, "delete from PRODUTOS;"), QStringLiteral("Database name missing"));
    }

    // The path reaches the client library in the file system's encoding, not in the code page
    // of the statements: a folder with accents (or a character no code page has) opens the
    // database there, embedded and over TCP.
    void databasePathWithAccents_data()
    {
        QTest::addColumn<TestDatabase::Access>("access");
        QTest::addColumn<QString>("folder");
        QTest::addRow("embedded, accents") << Access::Embedded << QStringLiteral("s\u00e3o jo\u00e3o");
        QTest::addRow("server, accents") << Access::Server << QStringLiteral("s\u00e3o jo\u00e3o");
        QTest::addRow("embedded, outside windows-1252") << Access::Embedded << QStringLiteral("loja-\u8336");
    }

    void databasePathWithAccents()
    {
        QFETCH(TestDatabase::Access, access);
        QFETCH(QString, folder);
        CB_SKIP_UNLESS_AVAILABLE(access);
        TestDatabase db({access});
        CB_VERIFY_DB(db);
        const QString moved = QFileInfo(db.path()).dir().filePath(folder);
        QVERIFY(QDir().mkpath(moved));
        QFile::setPermissions(moved, QFileDevice::Permissions(0x7777));
        const QString path = moved + QStringLiteral("/base.fdb");
        QVERIFY(QFile::rename(db.path(), path));
        DatabaseConnection connection;
        db.configure(connection);
        connection.Database = access == Access::Server ? QStringLiteral("localhost:") + path : path;
        const QString message = messageOf(connection, dbtest::insertProduct(QStringLiteral("1")));
        QCOMPARE(message, QString());
        connection.Commit();
        connection.setConnected(false);
        QVERIFY(QFile::rename(path, db.path()));
        QCOMPARE(db.count(), 1);
    }

    // A lone surrogate is no character: no encoding has bytes for it.
    void databaseNameWithoutBytes()
    {
        DatabaseConnection connection;
        connection.Database = QStringLiteral("/tmp/loja-") + QChar(0xD800) + QStringLiteral(".fdb");
        CB_EXPECT_MESSAGE(connection.setConnected(true), DatabaseError,
                          QStringLiteral("The database name \"%1\" holds the character U+D800, which the "
                                         "UTF-8 file names of the client library cannot carry")
                              .arg(connection.Database));
        QVERIFY(!connection.Connected());
    }

    // A failed attach leaves the connection closed; every statement tries again.
    void missingDatabaseFileIsRetried()
    {
        QTemporaryDir dir;
        DatabaseConnection connection;
        connection.Database = dir.filePath("absent.fdb");
        connection.Username = TestDatabase::user();
        const QString first = messageOf(connection, "delete from PRODUTOS;");
        QVERIFY2(first.startsWith(u'\r'), qPrintable(first));
        QVERIFY(!connection.Connected());
        QCOMPARE(messageOf(connection, "delete from PRODUTOS;"), first);
        CB_EXPECT_MESSAGE(connection.Commit(), GeneralError,
                          QStringLiteral("Can't perform operation on inactive transaction"));
    }

    // The library's message names the missing file as the file system spells it; read as
    // windows-1252 the folder "são joão" came out as "sÃ£o joÃ£o".
    void missingFileIsNamedAsSpelt()
    {
        QTemporaryDir dir;
        DatabaseConnection connection;
        connection.Database = dir.filePath(QStringLiteral("são joão/loja.fdb"));
        connection.Username = TestDatabase::user();
        const QString message = messageOf(connection, "delete from PRODUTOS;");
        QVERIFY2(message.contains(connection.Database), qPrintable(message));
    }

    void userAndPasswordReachTheServer_data()
    {
        QTest::addColumn<QString>("password");
        QTest::addColumn<bool>("accepted");
        QTest::addRow("right password") << TestDatabase::password() << true;
        QTest::addRow("wrong password") << QStringLiteral("not-the-password") << false;
    }

    void userAndPasswordReachTheServer()
    {
        QFETCH(QString, password);
        QFETCH(bool, accepted);
        CB_SKIP_UNLESS_AVAILABLE(Access::Server);
        TestDatabase db({Access::Server});
        CB_VERIFY_DB(db);
        {
            auto connection = dbtest::connectionTo(db);
            connection->Password = password;
            const QString message = messageOf(
                *connection, "insert into c000025 (codigo, produto) values ('U1', current_user)");
            if (accepted) {
                QCOMPARE(message, QString());
                connection->Commit();
            } else {
                QVERIFY2(message.startsWith("\rYour user name and password are not defined"),
                         qPrintable(message));
                QVERIFY(!connection->Connected());
            }
        }
        const auto rows = db.select("select produto from c000025");
        QCOMPARE(rows.size(), accepted ? 1 : 0);
        if (accepted)
            QCOMPARE(rows[0].value("PRODUTO"), TestDatabase::user());
    }

    void unloadableLibraryIsRetried()
    {
        DatabaseConnection connection;
        connection.Database = QStringLiteral("/nowhere/x.fdb");
        connection.ClientLibrary = QStringLiteral("  libcb-no-such-client.so.7 ");
        // The loader's own reason follows on a second line.
        const QString expected = QStringLiteral("Cannot load client DLL: libcb-no-such-client.so.7\n"
                                                "libcb-no-such-client.so.7: cannot open shared object file: "
                                                "No such file or directory");
        CB_EXPECT_MESSAGE(connection.setConnected(true), GeneralError, expected);
        QVERIFY(!ClientLibrary::loaded(connection.ClientLibrary));
        QCOMPARE(messageOf(connection, "delete from PRODUTOS;"), expected);
        QCOMPARE(messageOf(connection, "delete from PRODUTOS;"), expected);
        QVERIFY(!connection.Connected());
    }

    // A library that loads but lacks the entry points fails when one is called, and
    // stays loaded for the next attempt.
    void missingEntryPoint()
    {
        DatabaseConnection connection;
        connection.Database = QStringLiteral("/nowhere/x.fdb");
        connection.ClientLibrary = QStringLiteral("libm.so.6");
        CB_EXPECT_MESSAGE(connection.setConnected(true), GeneralError,
                          QStringLiteral("GDS function is not linked"));
        QVERIFY(!connection.Connected());
        QVERIFY(ClientLibrary::loaded(QStringLiteral("libm.so.6")));
    }

    void libraryNamesShareOneLoad()
    {
        TestDatabase db;
        CB_VERIFY_DB(db);
        for (const QString& name : {QStringLiteral(""), QStringLiteral(" libfbclient.so.2 ")}) {
            auto connection = dbtest::connectionTo(db);
            connection->ClientLibrary = name;
            connection->setConnected(true);
            QVERIFY(connection->Connected());
        }
        // An empty name falls back to the platform's library when the legacy one is absent.
        QCOMPARE(ClientLibrary::loaded(QString())->fileName(), ClientLibrary::defaultName());
        QCOMPARE(ClientLibrary::loaded(" libfbclient.so.2 "), ClientLibrary::loaded("libfbclient.so.2"));
        QCOMPARE(DatabaseConnection().ClientLibrary, QStringLiteral("libfbclient.so.2"));
    }
};

QTEST_GUILESS_MAIN(TestConnect)
#include "tst_Connect.moc"
