#include "CliOptions.h"

#include <QCommandLineParser>

namespace {

const int LastSourceType = 13;

QCommandLineOption valueOption(const char* name, const char* description, const char* value)
{
    return QCommandLineOption(QString::fromLatin1(name), QString::fromLatin1(description),
                              QString::fromLatin1(value));
}

int sourceTypeFrom(const QString& text)
{
    bool ok = false;
    const int type = text.toInt(&ok);
    if (!ok || type < 0 || type > LastSourceType)
        throw UsageError(QStringLiteral("--type must be a source type from 0 to 13, not \"%1\"").arg(text));
    return type;
}

} // namespace

QString cliUsage()
{
    return QStringLiteral(
        "usage: converter-banco-import --database DB --type N [--user U] [--client-library F]\n"
        "                              [--barcodes FILE] [--keep-barcodes] [--log FILE] --yes SOURCE\n"
        "Empties the product table of DB and imports SOURCE (.xls, .XLS, .xlsx, .txt, .TXT)\n"
        "with the layout of source type N. The password is read from ISC_PASSWORD.\n");
}

CliOptions parseCliOptions(const QStringList& arguments)
{
    QCommandLineParser parser;
    parser.setSingleDashWordOptionMode(QCommandLineParser::ParseAsLongOptions);
    const QCommandLineOption database = valueOption("database", "target database", "DB");
    const QCommandLineOption type = valueOption("type", "source type 0..13", "N");
    const QCommandLineOption user = valueOption("user", "user name", "U");
    const QCommandLineOption library = valueOption("client-library", "client library", "F");
    const QCommandLineOption barcodes = valueOption("barcodes", "type 11 barcode list", "FILE");
    const QCommandLineOption keep(QStringLiteral("keep-barcodes"), QStringLiteral("type 1"));
    const QCommandLineOption log = valueOption("log", "error log file", "FILE");
    const QCommandLineOption yes(QStringLiteral("yes"), QStringLiteral("confirm the wipe"));
    const QCommandLineOption help(QStringLiteral("help"), QStringLiteral("this text"));
    parser.addOptions({database, type, user, library, barcodes, keep, log, yes, help});
    parser.addPositionalArgument(QStringLiteral("SOURCE"), QStringLiteral("file to import"));

    if (!parser.parse(arguments))
        throw UsageError(parser.errorText());
    if (parser.isSet(help))
        throw UsageError(QString());
    if (!parser.isSet(database) || !parser.isSet(type))
        throw UsageError(QStringLiteral("--database and --type are required"));
    if (!parser.isSet(yes))
        throw UsageError(QStringLiteral("the import empties the product table first: confirm it with --yes"));
    if (parser.positionalArguments().size() != 1)
        throw UsageError(QStringLiteral("exactly one SOURCE file is needed"));

    CliOptions o;
    o.database = parser.value(database);
    o.sourceType = sourceTypeFrom(parser.value(type));
    if (parser.isSet(user))
        o.user = parser.value(user);
    if (parser.isSet(library))
        o.clientLibrary = parser.value(library);
    o.barcodes = parser.value(barcodes);
    o.keepBarcodes = parser.isSet(keep);
    if (parser.isSet(log))
        o.log = parser.value(log);
    o.source = parser.positionalArguments().first();
    return o;
}
