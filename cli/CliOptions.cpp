#include "CliOptions.h"

#include "SourceTypes.h"

#include <QCommandLineParser>
#include <QCoreApplication>

namespace {

constexpr int GrellingType = 11;

QCommandLineOption valueOption(const QStringList& names, const char* value)
{
    return QCommandLineOption(names, QString(), QString::fromLatin1(value));
}

QCommandLineOption flag(const QStringList& names)
{
    return QCommandLineOption(names, QString());
}

int sourceTypeFrom(const QString& text)
{
    const int type = SourceTypeFromText(text);
    if (type < 0)
        throw UsageError(QCoreApplication::translate("CliOptions", "unknown source type \"%1\": give a "
                                                    "number from 0 to 13 or one of %2")
                             .arg(text, SourceTypeNames().join(QStringLiteral(", "))));
    return type;
}

// The checks that need the whole command line, in the order a user fixes them.
void checkCombination(const CliOptions& o, const QStringList& positional)
{
    if (positional.size() != 1)
        throw UsageError(QCoreApplication::translate("CliOptions", "exactly one SOURCE file is needed"));
    if (o.sourceType == GrellingType && o.barcodeFile.isEmpty())
        throw UsageError(QCoreApplication::translate("CliOptions", "source type 11 (Grelling) needs "
                                                    "--barcode-file FILE with the barcode list; it "
                                                    "is not read from the source file"));
    if (!o.yes && !o.dryRun)
        throw UsageError(QCoreApplication::translate("CliOptions", "the import would empty the product "
                                                    "table of %1 before importing; --yes confirms "
                                                    "that (or rehearse with --dry-run)")
                             .arg(o.connection.database));
}

} // namespace

QString cliUsage()
{
    const AppSettings builtIn;
    return QCoreApplication::translate("CliOptions",
               "usage: converter-banco-import --type TYPE [--database DB] [--user NAME]\n"
               "         [--client-library FILE] [--keep-source-barcode] [--barcode-file FILE]\n"
               "         [--log FILE] [--yes] [--dry-run] [--quiet] SOURCE\n"
               "Empties the product table of DB and imports SOURCE (.xls, .XLS, .xlsx, .txt, .TXT)\n"
               "with the layout of source type TYPE: 0 to 13, or one of\n  %1.\n"
               "  --database DB            default %2\n"
               "  --user NAME              default %3\n"
               "  --client-library FILE    default %4\n"
               "  --keep-source-barcode    type 1: keep the sheet's own barcodes\n"
               "  --barcode-file FILE      type 11: the barcode list (required)\n"
               "  --log FILE               the error log (default ErrorLog.txt)\n"
               "  --yes                    confirm that the table is emptied\n"
               "  --dry-run                run everything, then roll back: the database is unchanged\n"
               "  --quiet                  no progress line\n"
               "  -h, --help               this text\n"
               "  --version                the version and the client library it would load\n"
               "The password is read from ISC_PASSWORD when it is set.\n"
               "Exit status: 0 all rows imported, 1 some rows failed, 2 any other error.\n")
        .arg(SourceTypeNames().join(QStringLiteral(", ")), builtIn.database, builtIn.user,
             builtIn.clientLibrary);
}

CliOptions parseCliOptions(const QStringList& arguments, const std::optional<QString>& iscPassword)
{
    QCommandLineParser parser;
    parser.setSingleDashWordOptionMode(QCommandLineParser::ParseAsLongOptions);
    const QCommandLineOption type = valueOption({"type"}, "TYPE");
    const QCommandLineOption database = valueOption({"database"}, "DB");
    const QCommandLineOption user = valueOption({"user"}, "NAME");
    const QCommandLineOption library = valueOption({"client-library"}, "FILE");
    // The earlier names of the two type options still work.
    const QCommandLineOption keep = flag({"keep-source-barcode", "keep-barcodes"});
    const QCommandLineOption barcodes = valueOption({"barcode-file", "barcodes"}, "FILE");
    const QCommandLineOption log = valueOption({"log"}, "FILE");
    const QCommandLineOption yes = flag({"yes"});
    const QCommandLineOption dryRun = flag({"dry-run"});
    const QCommandLineOption quiet = flag({"quiet"});
    const QCommandLineOption help = flag({"help", "h"});
    const QCommandLineOption version = flag({"version"});
    parser.addOptions({type, database, user, library, keep, barcodes, log, yes, dryRun, quiet, help,
                       version});

    if (!parser.parse(arguments))
        throw UsageError(parser.errorText());
    if (parser.isSet(help))
        throw UsageError(QString());
    CliOptions o;
    if (parser.isSet(library))
        o.connection.clientLibrary = parser.value(library);
    if (parser.isSet(version)) {
        o.version = true;
        return o;
    }
    if (!parser.isSet(type))
        throw UsageError(QCoreApplication::translate("CliOptions", "--type is required"));

    o.sourceType = sourceTypeFrom(parser.value(type));
    if (parser.isSet(database))
        o.connection.database = parser.value(database);
    if (parser.isSet(user))
        o.connection.user = parser.value(user);
    if (iscPassword)
        o.connection.password = *iscPassword;
    o.keepSourceBarcode = parser.isSet(keep);
    o.barcodeFile = parser.value(barcodes);
    if (parser.isSet(log))
        o.log = parser.value(log);
    o.yes = parser.isSet(yes);
    o.dryRun = parser.isSet(dryRun);
    o.quiet = parser.isSet(quiet);
    checkCombination(o, parser.positionalArguments());
    o.source = parser.positionalArguments().first();
    return o;
}
