#include "TableScript.h"

#include "DatabaseConnection.h"
#include "Errors.h"
#include "SelectQuery.h"
#include "StatementBytes.h"
#include "platform/AnsiCodePage.h"

#include <QCoreApplication>
#include <QDate>
#include <QIODevice>
#include <QList>

#include <cmath>
#include <cstdio>
#include <cstdlib>

namespace {

// The longest text a quoted literal may carry, and a hex literal (two digits a byte).
constexpr qsizetype MaxQuotedBytes = 32765;
constexpr qsizetype MaxHexBytes = 16382;
// The Modified Julian Day the engine counts dates from, as a Julian Day.
constexpr qint64 EngineDayZero = 2400001;

QByteArray quotedName(const QByteArray& name, int dialect)
{
    if (dialect < 3)
        return name;
    QByteArray q = name;
    q.replace('"', "\"\"");
    return '"' + q + '"';
}

QByteArray tableName(const QString& table)
{
    return platform::toAnsiExact(table.trimmed().toUpper());
}

void put(QIODevice& out, const QByteArray& bytes)
{
    if (out.write(bytes) != bytes.size())
        throw GeneralError(out.errorString());
}

QByteArray hexLiteral(const QByteArray& bytes)
{
    if (bytes.size() > MaxHexBytes)
        throw GeneralError(QCoreApplication::translate("Database", "A value of %1 bytes is longer than a script literal "
                                          "may carry (%2 bytes)").arg(bytes.size()).arg(MaxHexBytes));
    return "x'" + bytes.toHex().toUpper() + '\'';
}

QByteArray quoted(const QByteArray& bytes)
{
    QByteArray q = bytes;
    q.replace('\'', "''");
    return '\'' + q + '\'';
}

// Control characters other than line feed and tab go in as ascii_char(n): isql drops a
// carriage return from the lines it reads, and a zero byte ends its text.
QByteArray textLiteral(const QByteArray& bytes)
{
    if (bytes.size() > MaxQuotedBytes)
        throw GeneralError(QCoreApplication::translate("Database", "A text of %1 bytes is longer than a script literal "
                                          "may carry (%2 bytes)").arg(bytes.size()).arg(MaxQuotedBytes));
    QList<QByteArray> parts;
    QByteArray piece;
    for (const char c : bytes) {
        const auto u = static_cast<unsigned char>(c);
        if (u >= 0x20 || c == '\n' || c == '\t') {
            piece += c;
            continue;
        }
        if (!piece.isEmpty())
            parts << quoted(piece);
        piece.clear();
        parts << "ascii_char(" + QByteArray::number(u) + ')';
    }
    if (!piece.isEmpty() || parts.isEmpty())
        parts << quoted(piece);
    return parts.join(" || ");
}

// Digits with the point put where the scale says: 12345 at -2 is 123.45.
QByteArray scaledLiteral(qint64 value, int scale)
{
    const bool negative = value < 0;
    const quint64 magnitude = negative ? 0 - quint64(value) : quint64(value);
    QByteArray digits = QByteArray::number(magnitude);
    if (scale > 0)
        digits.append(QByteArray(scale, '0'));
    if (scale < 0) {
        const int places = -scale;
        if (digits.size() <= places)
            digits.prepend(QByteArray(places - digits.size() + 1, '0'));
        digits.insert(digits.size() - places, '.');
    }
    return negative ? '-' + digits : digits;
}

// The shortest of 9 or 17 digits (floats), 15 or 17 (doubles) that reads back as the same
// value, always with an exponent: the engine reads that as a double, not as a decimal.
QByteArray realLiteral(double value, bool single)
{
    if (!std::isfinite(value))
        throw GeneralError(QCoreApplication::translate("Database", "The value %1 has no literal").arg(value));
    QByteArray text = QByteArray::number(value, 'g', single ? 9 : 15);
    const double back = std::strtod(text.constData(), nullptr);
    if (single ? float(back) != float(value) : back != value)
        text = QByteArray::number(value, 'g', 17);
    if (!text.contains('e'))
        text += "e0";
    return text;
}

QByteArray dateText(qint32 days)
{
    return QDate::fromJulianDay(EngineDayZero + days).toString(QStringLiteral("yyyy-MM-dd")).toLatin1();
}

QByteArray timeText(quint32 units)
{
    const quint32 seconds = units / 10000;
    char text[32];
    std::snprintf(text, sizeof text, "%02u:%02u:%02u.%04u", seconds / 3600, seconds / 60 % 60,
                  seconds % 60, units % 10000);
    return text;
}

} // namespace

QByteArray SqlLiteral(const SqlColumn& column, const SqlValue& value)
{
    if (value.null)
        return "NULL";
    switch (column.type) {
    case SqlType::Char:
    case SqlType::VarChar:
        return column.charset == OctetsCharset ? hexLiteral(value.bytes) : textLiteral(value.bytes);
    case SqlType::Blob:
        return column.subType == 1 && column.charset != OctetsCharset ? textLiteral(value.bytes)
                                                                      : hexLiteral(value.bytes);
    case SqlType::SmallInt:
    case SqlType::Integer:
    case SqlType::BigInt:
        return scaledLiteral(value.integer, column.scale);
    case SqlType::Float: return realLiteral(value.real, true);
    case SqlType::Double: return realLiteral(value.real, false);
    case SqlType::Date: return '\'' + dateText(value.date) + '\'';
    case SqlType::Time: return '\'' + timeText(value.time) + '\'';
    case SqlType::Timestamp: return '\'' + dateText(value.date) + ' ' + timeText(value.time) + '\'';
    case SqlType::Boolean: return value.integer ? "TRUE" : "FALSE";
    }
    return "NULL";
}

std::vector<QByteArray> StoredColumns(DatabaseConnection& connection, const QString& table)
{
    QByteArray name = tableName(table);
    name.replace('\'', "''");
    SelectQuery q(connection,
                  "select rf.rdb$field_name from rdb$relation_fields rf "
                  "join rdb$fields f on f.rdb$field_name = rf.rdb$field_source "
                  "where rf.rdb$relation_name = '" + name + "' and f.rdb$computed_blr is null "
                  "order by rf.rdb$field_position");
    std::vector<QByteArray> columns;
    while (q.fetch())
        columns.push_back(q.row().front().bytes.trimmed());
    if (columns.empty())
        throw GeneralError(QCoreApplication::translate("Database", "The table %1 does not exist").arg(table));
    return columns;
}

qint64 WriteTableScript(DatabaseConnection& connection, const QString& table, QIODevice& out,
                        const QString& heading)
{
    const std::vector<QByteArray> columns = StoredColumns(connection, table);
    const int dialect = connection.dialect();
    const QByteArray target = quotedName(tableName(table), dialect);
    QByteArray names;
    for (const QByteArray& c : columns)
        names += (names.isEmpty() ? "" : ",") + quotedName(c, dialect);

    QByteArray comment = platform::toAnsi(heading);
    comment.replace("*/", "* /");
    put(out, "/* " + comment + " */\nSET BAIL ON;\ndelete from " + target + ";\n");
    SelectQuery rows(connection, "select " + names + " from " + target);
    const QByteArray insert = "insert into " + target + " (" + names + ") values (";
    qint64 count = 0;
    while (rows.fetch()) {
        QByteArray line = insert;
        for (std::size_t i = 0; i < columns.size(); ++i)
            line += (i ? "," : "") + SqlLiteral(rows.columns()[i], rows.row()[i]);
        line += ");\n";
        ++count;
        if (line.size() - 1 > 0xFFFF)
            throw GeneralError(QCoreApplication::translate("Database", "Row %1 of %2 would make a statement of %3 bytes, "
                                              "more than the 65535 a statement may have")
                                   .arg(count).arg(table).arg(line.size() - 1));
        put(out, line);
    }
    put(out, "commit;\n/* " + QByteArray::number(count) + " rows */\n");
    return count;
}
