#pragma once
// One product as text values, one field per column of c000025 it feeds.
#include <QDateTime>
#include <QString>
#include <QStringList>

#include <functional>

struct RegionalSettings;
class SqlQuery;

struct ProductRow {
    QString codigo, codbarra, produto, unidade, precocusto, precovenda, estoque, ncm, cst,
        aliquota, iat, ippt, situacao_tributaria, csosn, ind_cfop_venda_dentro;
};

// "978100" + the code padded to 6 + its EAN-13 check digit.
QString MakeBarcode(const QString& code);

// Empty prices and stock become "0", an empty unit "UN".
// The defaults every row of a run starts from, before its layout fills it: csosn is "102"
// for sheets and "400" for text files. The barcode is made from the code the row still
// holds (the previous row's); an empty one when that code cannot make one.
void SetRowDefaults(ProductRow& row, const QString& csosn);
void CompleteProductRow(ProductRow& row);

// The registration date "dd.mm.yy hh:mm" with the regional time separator.
QString RegistrationDate(const QDateTime& now, const RegionalSettings& settings);

// The four lines of the insert into c000025. Quoted values have each "'" doubled; a bare
// value that is not a plain number raises "'%s' is not a valid floating point value".
QStringList ProductInsertStatement(const ProductRow& row, const QString& registrationDate);

// ProductInsertStatement, refused with the reason when the text is not one insert of the
// 22 values: what ExecuteProductInsert sends, for callers that send it later.
QStringList CheckedProductInsert(const ProductRow& row, const QString& registrationDate);
// Close, clear, add the lines, execute: on query2, in the open transaction.
void ExecuteInsertLines(SqlQuery& query, const QStringList& lines);
// CheckedProductInsert, then ExecuteInsertLines.
void ExecuteProductInsert(SqlQuery& query, const ProductRow& row, const QString& registrationDate);
