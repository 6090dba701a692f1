#include "ToolOptions.h"

#include "CliOptions.h"

#include <QCoreApplication>

namespace {

const QString PreviewOption = QStringLiteral("--preview");

bool isCount(const QString& text)
{
    bool ok = false;
    text.toInt(&ok, 10);
    return ok && !text.startsWith(u'-') && !text.startsWith(u'+');
}

int previewCount(const QString& text)
{
    bool ok = false;
    const int rows = text.toInt(&ok, 10);
    if (!ok || rows < 1)
        throw UsageError(QCoreApplication::translate("ToolOptions", "--preview wants a number of rows of 1 or more, not \"%1\"")
                             .arg(text));
    return rows;
}

// The tools that do one thing instead of an import cannot be combined with each other, and
// the files of an import (--backup, --report) mean nothing to them.
void checkTogether(const ToolOptions& t, bool dryRun)
{
    const int modes = int(t.detect) + int(t.preview > 0) + int(!t.restore.isEmpty());
    if (modes > 1)
        throw UsageError(QCoreApplication::translate("ToolOptions", "--detect, --preview and --restore each do one thing; "
                                                             "give only one of them"));
    if (modes == 1 && !t.backup.isEmpty())
        throw UsageError(QCoreApplication::translate("ToolOptions", "--backup goes with an import (or a --dry-run), not with "
                                                             "--detect, --preview or --restore"));
    if (modes == 1 && !t.report.isEmpty())
        throw UsageError(QCoreApplication::translate("ToolOptions", "--report goes with an import (or a --dry-run), not with "
                                                             "--detect, --preview or --restore"));
    if (dryRun && (t.detect || t.preview > 0))
        throw UsageError(QCoreApplication::translate("ToolOptions", "--detect and --preview change nothing; --dry-run is for "
                                                             "an import or a --restore"));
}

} // namespace

QList<OptionSpec> toolOptionSpecs()
{
    return {{{QStringLiteral("detect")}, false},
            {{QStringLiteral("preview")}, true},
            {{QStringLiteral("backup")}, true},
            {{QStringLiteral("restore")}, true},
            {{QStringLiteral("report")}, true}};
}

ToolOptions readToolOptions(const ParsedOptions& parsed, bool dryRun)
{
    ToolOptions t;
    t.detect = parsed.isSet(QStringLiteral("detect"));
    if (parsed.isSet(QStringLiteral("preview")))
        t.preview = previewCount(parsed.value(QStringLiteral("preview")));
    t.backup = parsed.value(QStringLiteral("backup"));
    t.restore = parsed.value(QStringLiteral("restore"));
    t.report = parsed.value(QStringLiteral("report"));
    checkTogether(t, dryRun);
    return t;
}

QStringList withPreviewCount(const QStringList& arguments)
{
    QStringList out;
    for (qsizetype i = 0; i < arguments.size(); ++i) {
        const QString& a = arguments[i];
        if (i == 0 || (a != PreviewOption && a != u"-preview")) {
            out << a;
            if (a == u"--")
                return out + arguments.mid(i + 1);
            continue;
        }
        const bool countFollows = i + 1 < arguments.size() && isCount(arguments[i + 1]);
        out << PreviewOption + u'='
                   + (countFollows ? arguments[++i] : QString::number(DefaultPreviewRows));
    }
    return out;
}

QString toolUsage()
{
    return QCoreApplication::translate(
        "ToolOptions",
        "Before and after an import:\n"
        "  --detect                 rank the source types for SOURCE (no database, no --type)\n"
        "  --preview [N]            show the first N rows (default 10) as --type would import\n"
        "                           them, and the rows that would fail; nothing connects\n"
        "  --backup FILE            before the wipe, write every row of c000025 to FILE as a\n"
        "                           script that puts the table back (also with --dry-run)\n"
        "  --restore FILE           play such a script instead of an import (needs --yes,\n"
        "                           or --dry-run to rehearse it); no SOURCE, no --type\n"
        "  --report FILE            the failed rows and their causes as CSV (UTF-8)\n");
}
