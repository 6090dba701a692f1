#include "TestDatabase.h"

#include "DatabaseConnection.h"

#include <QDir>
#include <QFile>
#include <QProcess>
#include <QRegularExpression>

#include "platform/AnsiCodePage.h"

#ifndef CB_SOURCE_DIR
#error "CB_SOURCE_DIR must name the source tree"
#endif

QString TestDatabase::password()
{
    const QByteArray p = qgetenv("CB_TEST_PASSWORD");
    return p.isEmpty() ? QStringLiteral("cbtest2026") : QString::fromLocal8Bit(p);
}

QString TestDatabase::schemaFile()
{
    return QStringLiteral(CB_SOURCE_DIR "/db/schema/target.sql");
}

TestDatabase::TestDatabase(Options options) : m_options(options)
{
    // The server runs as the firebird user: its files need a folder that user can reach.
    const QString base = options.access == Access::Server ? QStringLiteral("/tmp/cb-server-db")
                                                          : QDir::tempPath();
    QDir().mkpath(base);
    if (options.access == Access::Server)
        QFile::setPermissions(base, QFileDevice::Permissions(0x7777));
    m_dir = std::make_unique<QTemporaryDir>(base + QStringLiteral("/cbtest-XXXXXX"));
    if (!m_dir->isValid()) {
        m_error = QStringLiteral("cannot make a temporary folder");
        return;
    }
    if (options.access == Access::Server)
        QFile::setPermissions(m_dir->path(), QFileDevice::Permissions(0x7777));
    m_path = m_dir->filePath(QStringLiteral("test.fdb"));

    QString script;
    if (options.dialect == 1)
        script += QStringLiteral("set sql dialect 1;\n");
    script += QStringLiteral("create database '%1' user '%2' password '%3';\n")
                  .arg(m_path, user(), password());
    if (options.withSchema) {
        QFile f(schemaFile());
        if (!f.open(QIODevice::ReadOnly)) {
            m_error = QStringLiteral("cannot read ") + schemaFile();
            return;
        }
        QString schema = QString::fromUtf8(f.readAll());
        if (!options.withProdutosView)
            schema.remove(QRegularExpression(QStringLiteral("create view PRODUTOS[^;]*;")));
        script += schema;
    }
    script += QStringLiteral("\ncommit;\n");
    QString out;
    if (!runIsql({QStringLiteral("-q")}, platform::toAnsi(script), &out)) {
        m_error = out;
        return;
    }
    if (options.access == Access::Server)
        QFile::setPermissions(m_path, QFileDevice::Permissions(0x6666));
    m_valid = true;
}

TestDatabase::~TestDatabase() = default;

QString TestDatabase::attachString() const
{
    return m_options.access == Access::Server ? m_options.server + u':' + m_path : m_path;
}

void TestDatabase::configure(DatabaseConnection& connection) const
{
    connection.Database = attachString();
    connection.ClientLibrary = clientLibrary();
    connection.Username = user();
    connection.Password = password();
}

bool TestDatabase::runIsql(const QStringList& args, const QByteArray& input, QString* output) const
{
    QProcess p;
    p.setProcessChannelMode(QProcess::MergedChannels);
    p.start(QStringLiteral("isql-fb"), args);
    if (!p.waitForStarted(10000)) {
        if (output)
            *output = QStringLiteral("isql-fb did not start");
        return false;
    }
    p.write(input);
    p.closeWriteChannel();
    p.waitForFinished(120000);
    // No connection character set: isql passes the bytes as stored, which are in the ANSI
    // code page, just as the tool's own connection writes them.
    const QString out = platform::fromAnsi(p.readAll());
    if (output)
        *output = out;
    // isql keeps going after a failed statement; its messages start with "Statement failed"
    // or an SQLSTATE line.
    return p.exitStatus() == QProcess::NormalExit && p.exitCode() == 0
        && !out.contains(QLatin1String("Statement failed"))
        && !out.contains(QLatin1String("SQLSTATE"));
}

bool TestDatabase::execute(const QString& sql, QString* output) const
{
    QStringList args{QStringLiteral("-q"), QStringLiteral("-user"), user(),
                     QStringLiteral("-password"), password(), attachString()};
    return runIsql(args, platform::toAnsi(sql + QStringLiteral("\ncommit;\n")), output);
}

QList<QMap<QString, QString>> TestDatabase::select(const QString& sql) const
{
    QString out;
    QList<QMap<QString, QString>> rows;
    if (!execute(QStringLiteral("set list on;\n") + sql + (sql.endsWith(u';') ? "" : ";"), &out))
        return rows;
    // List mode writes each column as its name padded to 32 characters, then the value.
    QMap<QString, QString> row;
    for (const QString& l : out.split(u'\n')) {
        if (l.isEmpty()) {
            if (!row.isEmpty())
                rows.append(row);
            row.clear();
            continue;
        }
        const QString name = l.left(32).trimmed().toUpper();
        const QString value = l.mid(32);
        row.insert(name, value == QLatin1String("<null>") ? QString() : value);
    }
    if (!row.isEmpty())
        rows.append(row);
    return rows;
}

int TestDatabase::count(const QString& table) const
{
    const auto rows = select(QStringLiteral("select count(*) as N from ") + table);
    return rows.isEmpty() ? -1 : rows.first().value(QStringLiteral("N")).toInt();
}
