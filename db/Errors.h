#pragma once
// Errors of the database layer. Callers read only message(); EngineError also carries
// what the client library's status vector said.
#include "platform/Error.h"

#include <QList>

// An error of the layer itself ("Cannot load client DLL: ...", "SQL statement cannot be empty").
class GeneralError : public Error {
public:
    using Error::Error;
};

// Open of a statement that returns no rows, raised after the statement ran: callers that
// open a delete on purpose (the wipe) catch this type, not the text.
class NoRowsError : public GeneralError {
public:
    NoRowsError() : GeneralError(QStringLiteral("SQL statement doesn't return rows")) {}
};

// A database error ("Database name missing"); EngineError is one too.
class DatabaseError : public Error {
public:
    using Error::Error;
};

// A failure reported by the client library through its status vector.
class EngineError : public DatabaseError {
public:
    EngineError(QString message, long errorCode, long errorNumber, QString sqlErrorMsg,
                QList<long> errorNumbers = {})
        : DatabaseError(std::move(message)), ErrorCode(errorCode), ErrorNumber(errorNumber),
          SQLErrorMsg(std::move(sqlErrorMsg)), ErrorNumbers(std::move(errorNumbers)) {}

    long ErrorCode;      // isc_sqlcode of the status vector
    long ErrorNumber;    // the status vector's second element
    QString SQLErrorMsg; // isc_sql_interprete's text for ErrorCode
    // Every engine error number of the vector, in order: the first says what failed, the
    // later ones often say why (an I/O error, then the write that failed).
    QList<long> ErrorNumbers;
};
