#pragma once
// A column of a result set and one value of it, as the database holds them: text and blobs
// as their bytes (in the column's own character set; no character set is negotiated),
// exact numbers unscaled with their scale, dates and times in the engine's own units.
#include <QByteArray>
#include <QtGlobal>

enum class SqlType {
    Char, VarChar, SmallInt, Integer, BigInt, Float, Double, Date, Time, Timestamp, Blob, Boolean
};

struct SqlColumn {
    QByteArray name;  // the name the engine gives the column (its alias when it has one)
    SqlType type = SqlType::VarChar;
    int scale = 0;    // NUMERIC/DECIMAL kept as SMALLINT, INTEGER or BIGINT: the power of ten
    int subType = 0;  // BLOB: 1 text, 0 binary, others as the engine numbers them
    int charset = 0;  // CHAR, VARCHAR, BLOB: the character set id (0 NONE, 1 OCTETS, ...)
    int length = 0;   // CHAR, VARCHAR: the size in bytes
};

constexpr int OctetsCharset = 1;

struct SqlValue {
    bool null = true;
    QByteArray bytes;    // CHAR (with its blanks), VARCHAR, BLOB
    qint64 integer = 0;  // SMALLINT, INTEGER, BIGINT: unscaled; BOOLEAN: 0 or 1
    double real = 0;     // FLOAT, DOUBLE PRECISION
    qint32 date = 0;     // DATE, TIMESTAMP: days since 17 November 1858
    quint32 time = 0;    // TIME, TIMESTAMP: ten-thousandths of a second since midnight
};
