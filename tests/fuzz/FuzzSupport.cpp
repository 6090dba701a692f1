#include "FuzzSupport.h"

#include "ProductRow.h"
#include "SqlText.h"
#include "StatementShape.h"
#include "platform/AnsiCodePage.h"
#include "platform/Error.h"

#include <QStringList>

#include <cstdio>
#include <cstdlib>
#include <sys/mman.h>
#include <unistd.h>

namespace fuzz {

MemoryFile::MemoryFile(const uint8_t* data, size_t size)
{
    m_fd = ::memfd_create("fuzz-input", MFD_CLOEXEC);
    if (m_fd < 0)
        finding(QStringLiteral("memfd_create failed"));
    size_t written = 0;
    while (written < size) {
        const ssize_t n = ::write(m_fd, data + written, size - written);
        if (n <= 0)
            finding(QStringLiteral("cannot fill the in-memory file"));
        written += size_t(n);
    }
    m_path = QStringLiteral("/proc/self/fd/%1").arg(m_fd);
}

MemoryFile::~MemoryFile()
{
    if (m_fd >= 0)
        ::close(m_fd);
}

bool verbose()
{
    static const bool on = qEnvironmentVariableIsSet("CB_FUZZ_VERBOSE");
    return on;
}

void note(const QString& text)
{
    if (verbose())
        std::fprintf(stderr, "%s\n", text.toUtf8().constData());
}

void finding(const QString& message)
{
    std::fprintf(stderr, "FUZZ FINDING: %s\n", message.toUtf8().constData());
    std::abort();
}

namespace {

QString unquoted(QStringView literal)
{
    return literal.mid(1, literal.size() - 2).toString().replace(QStringLiteral("''"), QStringLiteral("'"));
}

// The string literals, in order, must give back the row's texts exactly: a value that lost
// or gained a character on its way into the statement is as wrong as one that escaped.
void checkLiterals(const QString& text, const ProductRow& row)
{
    QStringList strings;
    for (const shape::Token& t : shape::lex(text).tokens)
        if (t.kind == shape::TokenKind::String)
            strings << unquoted(t.text);
    const std::pair<int, const QString*> expected[] = {
        {1, &row.codbarra}, {2, &row.produto}, {3, &row.unidade}, {5, &row.ncm}, {6, &row.cst},
        {7, &row.ncm}, {11, &row.iat}, {12, &row.ippt}, {13, &row.situacao_tributaria},
        {15, &row.csosn}, {16, &row.ind_cfop_venda_dentro}};
    if (strings.size() != 17)
        finding(QStringLiteral("%1 string values instead of 17: %2").arg(strings.size()).arg(text));
    for (const auto& [index, value] : expected)
        if (strings.at(index) != *value)
            finding(QStringLiteral("string value %1 changed on its way in: %2").arg(index).arg(text));
}

} // namespace

void checkProductInsert(ProductRow row)
{
    CompleteProductRow(row);
    const QStringList lines = ProductInsertStatement(row, QStringLiteral("08.12.26 13:45"));
    const QString text = sqltext::joinLines(lines);
    const QString problem = shape::productInsertProblem(text);
    if (!problem.isEmpty())
        finding(QStringLiteral("insert of another shape (%1): %2").arg(problem, text));
    checkLiterals(text, row);
    note(QStringLiteral("insert: ") + lines.last());
    // What SqlQuery would send: either the exact bytes or a clear refusal.
    try {
        const QByteArray sent = platform::toAnsiExact(text);
        if (platform::fromAnsi(sent) != text)
            finding(QStringLiteral("statement text changed on its way to the code page"));
    } catch (const Error&) {
    }
}

} // namespace fuzz
