#include "ProductRow.h"

#include "ErrorScope.h"
#include "FieldHelpers.h"
#include "NumberLiteral.h"
#include "RegionalSettings.h"
#include "SqlQuery.h"
#include "SqlText.h"
#include "StatementShape.h"

#include <algorithm>


QString MakeBarcode(const QString& code)
{
    const QString text = QStringLiteral("978100") + PadText(QStringLiteral("e"), QStringLiteral("0"), code, 6);
    return text + Ean13CheckDigit(DigitsOnly(text));
}

// The defaults every row starts from. The barcode is made from the code the previous row
// left; a code that cannot make one must not fail this row and every row after it, so the
// default barcode is then left empty.
void SetRowDefaults(ProductRow& row, const QString& csosn)
{
    row.cst = QStringLiteral("040");
    try {
        row.codbarra = MakeBarcode(row.codigo);
    } catch (const Error&) {
        row.codbarra.clear();
    }
    row.ncm = QStringLiteral("9999.71.04");
    row.aliquota = QStringLiteral("0");
    row.csosn = csosn;
    row.situacao_tributaria = QStringLiteral("I");
    row.iat = QStringLiteral("T");
    row.ippt = QStringLiteral("T");
    row.ind_cfop_venda_dentro = QStringLiteral("5102");
}

void CompleteProductRow(ProductRow& row)
{
    if (row.precocusto.isEmpty())
        row.precocusto = QStringLiteral("0");
    if (row.precovenda.isEmpty())
        row.precovenda = QStringLiteral("0");
    if (row.estoque.isEmpty())
        row.estoque = QStringLiteral("0");
    if (row.unidade.isEmpty())
        row.unidade = QStringLiteral("UN");
}

QString RegistrationDate(const QDateTime& now, const RegionalSettings& settings)
{
    // Every row of a run asks, and the text only changes with the minute: formatting it
    // for each row would cost more than the rest of the row's statement.
    struct Cached {
        QDate date;
        int hour = -1;
        int minute = -1;
        QChar separator;
        QString text;
    };
    // thread_local rather than static: today every run is on the main thread, but the
    // engine does not know that; should a run ever move to a worker thread (to keep the
    // window painting) or two runs go side by side, each keeps its own minute with no lock
    // on the per-row path, where a shared static would be a data race.
    thread_local Cached cached;
    const QDate date = now.date();
    const QTime time = now.time();
    if (date == cached.date && time.hour() == cached.hour && time.minute() == cached.minute
        && settings.timeSeparator == cached.separator && !cached.text.isNull())
        return cached.text;
    // The separator is inserted as text: put into a format pattern, a letter or a quote
    // would be read as a pattern character.
    const QString text = now.toString(QStringLiteral("dd.MM.yy HH")) + settings.timeSeparator
                         + now.toString(QStringLiteral("mm"));
    cached = Cached{date, time.hour(), time.minute(), settings.timeSeparator, text};
    return text;
}

namespace {

// Blanks (U+0020 only) around one sign and a number literal: "12", "-3.5", ".00",
// "2.5e+10". Not "12.", "1e", "1 2".
bool isPlainNumber(QStringView text)
{
    const char16_t* begin = text.utf16();
    const char16_t* end = begin + text.size();
    while (begin < end && *begin == u' ')
        ++begin;
    while (end > begin && end[-1] == u' ')
        --end;
    return numberliteral::isSignedLiteral(begin, end);
}

// The values list, written value by value straight into one buffer: a row is built for
// every line of a source, and appending piece by piece cost more than the rest of the
// row's own work.
class ValuesLine {
public:
    ValuesLine() : m_text(512, Qt::Uninitialized), m_end(m_text.data()) { put(u"values("); }

    // Quotes inside are doubled, so the value cannot end its literal; zeros on the left up
    // to zeroPadTo characters, as PadText("e", "0", ...) pads.
    void quoted(const QString& value, qsizetype zeroPadTo = 0)
    {
        separate();
        const qsizetype zeros = std::max<qsizetype>(0, zeroPadTo - value.size());
        room(zeros + 2 * value.size() + 2);
        *m_end++ = u'\'';
        for (qsizetype i = 0; i < zeros; ++i)
            *m_end++ = u'0';
        for (const QChar c : value) {
            *m_end++ = c;
            if (c == u'\'')
                *m_end++ = c;
        }
        *m_end++ = u'\'';
    }

    // Written without quotes, so only a plain number literal may pass: anything else
    // could end the list and add columns or clauses.
    void bare(const QString& value)
    {
        if (!isPlainNumber(value))
            throw ConversionError::floatingPoint(value);
        separate();
        put(value);
    }

    // A decimal comma is written as a point; the check is of the text as written.
    void price(const QString& value)
    {
        separate();
        room(value.size());
        QChar* const start = m_end;
        for (const QChar c : value)
            *m_end++ = c == u',' ? QChar(u'.') : c;
        const QStringView written(start, m_end - start);
        if (!isPlainNumber(written))
            throw ConversionError::floatingPoint(written.toString());
    }

    void literal(QLatin1String text)
    {
        separate();
        room(text.size());
        for (const char c : text)
            *m_end++ = QLatin1Char(c);
    }

    QString finish()
    {
        room(1);
        *m_end++ = u')';
        m_text.truncate(m_end - m_text.constData());
        return std::move(m_text);
    }

private:
    void separate()
    {
        room(1);
        if (m_count++ > 0)
            *m_end++ = u',';
    }

    void put(QStringView text)
    {
        room(text.size());
        std::copy(text.begin(), text.end(), m_end);
        m_end += text.size();
    }

    // At least n more characters after m_end.
    void room(qsizetype n)
    {
        const qsizetype used = m_end - m_text.constData();
        if (used + n <= m_text.size())
            return;
        m_text.resize(std::max(2 * m_text.size(), used + n));
        m_end = m_text.data() + used;
    }

    QString m_text;
    QChar* m_end;
    int m_count = 0;
};

} // namespace

QStringList ProductInsertStatement(const ProductRow& row, const QString& registrationDate)
{
    ValuesLine v;
    v.quoted(row.codigo, 6);
    v.quoted(row.codbarra);
    v.quoted(row.produto);
    v.quoted(row.unidade);
    v.quoted(registrationDate);
    v.price(row.precocusto);
    v.price(row.precovenda);
    v.bare(row.estoque);
    v.quoted(row.ncm);
    v.quoted(row.cst);
    v.quoted(row.ncm);
    v.bare(row.aliquota);
    v.literal(QLatin1String("'00 - Mercadoria para Revenda'"));
    v.literal(QLatin1String("0"));
    v.literal(QLatin1String("'N'"));
    v.literal(QLatin1String("'NENHUMA'"));
    v.quoted(row.iat);
    v.quoted(row.ippt);
    v.quoted(row.situacao_tributaria);
    v.literal(QLatin1String("'S'"));
    v.quoted(row.csosn);
    v.quoted(row.ind_cfop_venda_dentro);
    return {
        QStringLiteral("insert into c000025"),
        QStringLiteral("(codigo,codbarra,produto,unidade,data_cadastro,"),
        QStringLiteral("precocusto,precovenda,estoque,ncm,cst,classificacao_fiscal,aliquota,tipo,"
                       "situacao,piscofins,incidencia_piscofins, iat, ippt, situacao_tributaria, "
                       "flag_sis,csosn,ind_cfop_venda_dentro)"),
        v.finish(),
    };
}

void ExecuteProductInsert(SqlQuery& query, const ProductRow& row, const QString& registrationDate)
{
    // Built first: a value that cannot be written fails the row before query2 is touched.
    const QStringList lines = ProductInsertStatement(row, registrationDate);
    // The quoting above keeps every value inside its literal. Should that ever fail, the row
    // fails here with the reason instead of sending a statement of another shape.
    const QString problem = shape::productInsertProblem(sqltext::joinLines(lines));
    if (!problem.isEmpty())
        throw RowDataError(QStringLiteral("The insert for this row is not one insert of 22 values (%1); "
                                   "it was not sent").arg(problem));
    query.Close();
    query.SQL().Clear();
    for (const QString& line : lines)
        query.SQL().Add(line);
    query.ExecSQL();
}
