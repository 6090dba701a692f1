#include "ProductRow.h"

#include "FieldHelpers.h"
#include "RegionalSettings.h"
#include "SqlQuery.h"
#include "SqlText.h"
#include "StatementShape.h"

#include <QRegularExpression>

QString MakeBarcode(const QString& code)
{
    const QString text = QStringLiteral("978100") + PadText(QStringLiteral("e"), QStringLiteral("0"), code, 6);
    return text + Ean13CheckDigit(DigitsOnly(text));
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
    // The separator is inserted as text: put into a format pattern, a letter or a quote
    // would be read as a pattern character.
    return now.toString(QStringLiteral("dd.MM.yy HH")) + settings.timeSeparator
           + now.toString(QStringLiteral("mm"));
}

namespace {

QString quoted(const QString& value)
{
    QString escaped = value;
    escaped.replace(u'\'', QStringLiteral("''"));
    return u'\'' + escaped + u'\'';
}

// Values written without quotes go into the statement as they stand, so only a plain
// number literal may pass: anything else could end the list and add columns or clauses.
QString bare(const QString& value)
{
    static const QRegularExpression plainNumber(
        QStringLiteral(R"(\A *[+-]?(?:[0-9]+(?:\.[0-9]+)?|\.[0-9]+)(?:[eE][+-]?[0-9]+)? *\z)"));
    if (!plainNumber.match(value).hasMatch())
        throw ConversionError::floatingPoint(value);
    return value;
}

QString price(const QString& value)
{
    QString written = value;
    written.replace(u',', u'.');
    return bare(written);
}

} // namespace

QStringList ProductInsertStatement(const ProductRow& row, const QString& registrationDate)
{
    const QStringList values{
        quoted(PadText(QStringLiteral("e"), QStringLiteral("0"), row.codigo, 6)),
        quoted(row.codbarra),
        quoted(row.produto),
        quoted(row.unidade),
        quoted(registrationDate),
        price(row.precocusto),
        price(row.precovenda),
        bare(row.estoque),
        quoted(row.ncm),
        quoted(row.cst),
        quoted(row.ncm),
        bare(row.aliquota),
        quoted(QStringLiteral("00 - Mercadoria para Revenda")),
        QStringLiteral("0"),
        quoted(QStringLiteral("N")),
        quoted(QStringLiteral("NENHUMA")),
        quoted(row.iat),
        quoted(row.ippt),
        quoted(row.situacao_tributaria),
        quoted(QStringLiteral("S")),
        quoted(row.csosn),
        quoted(row.ind_cfop_venda_dentro),
    };
    return {
        QStringLiteral("insert into c000025"),
        QStringLiteral("(codigo,codbarra,produto,unidade,data_cadastro,"),
        QStringLiteral("precocusto,precovenda,estoque,ncm,cst,classificacao_fiscal,aliquota,tipo,"
                       "situacao,piscofins,incidencia_piscofins, iat, ippt, situacao_tributaria, "
                       "flag_sis,csosn,ind_cfop_venda_dentro)"),
        QStringLiteral("values(") + values.join(u',') + u')',
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
        throw Error(QStringLiteral("The insert for this row is not one insert of 22 values (%1); "
                                   "it was not sent").arg(problem));
    query.Close();
    query.SQL().Clear();
    for (const QString& line : lines)
        query.SQL().Add(line);
    query.ExecSQL();
}
