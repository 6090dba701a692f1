#include "CliOptions.h"

#include "CommandLine.h"
#include "SourceTypes.h"

#include <QCoreApplication>

namespace {

QString typeNames() { return SourceTypeNames().join(QStringLiteral(", ")); }
QString lastTypeNumber() { return QString::number(SourceTypeCount() - 1); }

// "type N" of the type that asks the question, for the usage text.
QString typeAsking(TypeQuestion question)
{
    const SourceTypeDescriptor* type = SourceTypeAsking(question);
    return type ? QCoreApplication::translate("CliOptions", "type %1").arg(type->number)
                : QCoreApplication::translate("CliOptions", "no type");
}

int sourceTypeFrom(const QString& text)
{
    const int type = SourceTypeFromText(text);
    if (type < 0)
        throw UsageError(QCoreApplication::translate("CliOptions", "unknown source type \"%1\": give a "
                                                    "number from 0 to %2 or one of %3")
                             .arg(text, lastTypeNumber(), typeNames()));
    return type;
}

constexpr int LongestWaitSeconds = 24 * 60 * 60;

int secondsFrom(const QString& text)
{
    bool ok = false;
    const int seconds = text.toInt(&ok);
    if (!ok || seconds < 0 || seconds > LongestWaitSeconds)
        throw UsageError(QCoreApplication::translate("CliOptions", "--wait needs a whole number of seconds from 0 to %1, not \"%2\"")
                             .arg(LongestWaitSeconds)
                             .arg(text));
    return seconds;
}

// A type whose question is a second file cannot run without it: the command has nobody to ask.
void checkTypeNeeds(const CliOptions& o)
{
    const SourceTypeDescriptor* found = FindSourceType(o.sourceType);
    if (!found || o.tools.detect)
        return; // --restore needs no type; --detect judges without the barcode list
    const SourceTypeDescriptor& type = *found;
    if (type.question == TypeQuestion::BarcodeListFile && o.barcodeFile.isEmpty())
        throw UsageError(QCoreApplication::translate("CliOptions", "source type %1 (%2) needs "
                                                    "--barcode-file FILE with the barcode list; it "
                                                    "is not read from the source file")
                             .arg(type.number)
                             .arg(type.name));
}

// The checks that need the whole command line, in the order a user fixes them.
void checkCombination(const CliOptions& o, const QStringList& positional)
{
    if (!o.tools.needsSource() && !positional.isEmpty())
        throw UsageError(QCoreApplication::translate("CliOptions", "--restore plays its FILE; it takes no SOURCE"));
    if (o.tools.needsSource() && positional.size() != 1)
        throw UsageError(QCoreApplication::translate("CliOptions", "exactly one SOURCE file is needed"));
    checkTypeNeeds(o);
    if (!o.yes && !o.dryRun && o.tools.connects())
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
               "         [--log FILE] [--wait SECONDS] [--yes] [--dry-run] [--quiet] [--one-by-one]\n"
               "         SOURCE\n"
               "Empties the product table of DB and imports SOURCE (.xls, .XLS, .xlsx, .txt, .TXT)\n"
               "with the layout of source type TYPE: 0 to %1, or one of\n  %2.\n"
               "  --database DB            default %3\n"
               "  --user NAME              default %4\n"
               "  --client-library FILE    default %5\n"
               "  --keep-source-barcode    %6: keep the sheet's own barcodes\n"
               "  --barcode-file FILE      %7: the barcode list (required)\n"
               "  --log FILE               the error log (default ErrorLog.txt)\n"
               "  --wait SECONDS           while the database is in use by another connection, try\n"
               "                           again for that long (default 0: give up at once)\n"
               "  --yes                    confirm that the table is emptied\n"
               "  --dry-run                run everything, then roll back: the database is unchanged\n"
               "  --quiet                  no progress line\n"
               "  --one-by-one             send every insert alone, as the window does, instead of\n"
               "                           many in one prepared statement (same rows, log, counts)\n"
               "%8"
               "  -h, --help               this text\n"
               "  --version                the version and the client library it would load\n"
               "The password is read from ISC_PASSWORD when it is set.\n"
               "Exit status: 0 all rows imported, 1 some rows failed, 2 any other error (then nothing\n"
               "was changed, unless the log could not be written after the commit); SIGINT,\n"
               "SIGTERM and SIGHUP roll the import back and end with 130, 143 and 129.\n")
        .arg(lastTypeNumber(), typeNames(), builtIn.database, builtIn.user, builtIn.clientLibrary,
             typeAsking(TypeQuestion::KeepSourceBarcode), typeAsking(TypeQuestion::BarcodeListFile),
             toolUsage());
}

// The earlier names of the two type options still work.
const QList<OptionSpec>& commandOptionSpecs()
{
    static const QList<OptionSpec> specs = connectionOptionSpecs() + QList<OptionSpec>{
        {{QStringLiteral("type")}, true},
        {{QStringLiteral("keep-source-barcode"), QStringLiteral("keep-barcodes")}, false},
        {{QStringLiteral("barcode-file"), QStringLiteral("barcodes")}, true},
        {{QStringLiteral("log")}, true},
        {{QStringLiteral("wait")}, true},
        {{QStringLiteral("yes")}, false},
        {{QStringLiteral("dry-run")}, false},
        {{QStringLiteral("quiet")}, false},
        {{QStringLiteral("one-by-one")}, false},
        {{QStringLiteral("version")}, false},
    } + toolOptionSpecs();
    return specs;
}

CliOptions parseCliOptions(const QStringList& arguments, const std::optional<QString>& iscPassword)
{
    QString error;
    const std::optional<ParsedOptions> parsed =
        parseOptions(withPreviewCount(arguments).mid(1), commandOptionSpecs(), &error);
    if (!parsed)
        throw UsageError(error);
    CliOptions o;
    if (parsed->help) {
        o.help = true;
        return o;
    }
    if (parsed->isSet(QStringLiteral("version"))) {
        o.version = true;
        o.connection = connectionSettings(*parsed, iscPassword);
        return o;
    }
    o.dryRun = parsed->isSet(QStringLiteral("dry-run"));
    o.tools = readToolOptions(*parsed, o.dryRun);
    if (!parsed->isSet(QStringLiteral("type")) && o.tools.needsType())
        throw UsageError(QCoreApplication::translate("CliOptions", "--type is required"));
    if (parsed->isSet(QStringLiteral("type")))
        o.sourceType = sourceTypeFrom(parsed->value(QStringLiteral("type")));
    o.connection = connectionSettings(*parsed, iscPassword);
    o.keepSourceBarcode = parsed->isSet(QStringLiteral("keep-source-barcode"));
    o.barcodeFile = parsed->value(QStringLiteral("barcode-file"));
    if (parsed->isSet(QStringLiteral("log")))
        o.log = parsed->value(QStringLiteral("log"));
    if (parsed->isSet(QStringLiteral("wait")))
        o.waitSeconds = secondsFrom(parsed->value(QStringLiteral("wait")));
    o.yes = parsed->isSet(QStringLiteral("yes"));
    o.dryRun = parsed->isSet(QStringLiteral("dry-run"));
    o.quiet = parsed->isSet(QStringLiteral("quiet"));
    o.oneByOne = parsed->isSet(QStringLiteral("one-by-one"));
    checkCombination(o, parsed->positional);
    o.source = parsed->positional.value(0);
    return o;
}
