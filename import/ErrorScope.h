#pragma once
// Row errors and run errors. A row of an import fails alone only because of its own data;
// every other error means the run cannot go on, and then it stops, rolls back and changes
// nothing. A false "run error" costs the technician a retry; a false "row error" costs the
// shop its catalogue (a commit over a half-written table), so whatever is not known to be
// a row's own counts as a run error. The one table that decides is in ErrorScope.cpp.
#include "platform/Error.h"

#include <QString>
#include <exception>

enum class ErrorScope { Row, Run };

enum class ErrorKind {
    // A row's own.
    SourceValue,     // a field of the source is not what its layout needs (helpers, layouts)
    StatementShape,  // the row's values would change the shape of its insert
    Unencodable,     // a character the code page or the column's character set lacks
    ValueConversion, // the database cannot convert a value to its column's type
    ValueOverflow,   // a value too long or too large for its column
    MissingValue,    // NOT NULL and other column validations
    DuplicateKey,    // a unique or primary key already holds the value
    ForeignKey,      // the value names a row that does not exist
    CheckConstraint, // a check constraint refused the value
    RowLocked,       // another transaction holds the row the insert collides with
    // The run's.
    InputOutput,     // the server could not read or write a file: disk full, a failing disk
    ConnectionLost,  // the connection to the server is gone
    Shutdown,        // the database or the server was shut down
    OutOfMemory,     // the client or the server ran out of memory
    DamagedDatabase, // the engine found the database damaged, or failed itself
    Refused,         // the database refuses every change: read-only, no right to insert
    TableInUse,      // another connection holds the whole table
    Stopped,         // the run was asked to stop
    Unknown,         // anything not known to be a row's own
};

struct ErrorClass {
    ErrorKind kind;
    ErrorScope scope;
};

ErrorClass classifyError(const std::exception& e);
// True when the error fails the row alone and the run may go on with the next row.
bool isRowError(const std::exception& e);
// What a run error means, in the user's words, e.g. "a conexão com o servidor foi perdida".
QString runErrorDescription(ErrorKind kind);

// An error caused by the data of one row that the import code itself detects (a missing
// line of the barcode list, a statement guard): the row fails alone.
class RowDataError : public Error {
public:
    using Error::Error;
};

// The run has stopped before its end: the transaction was rolled back, nothing was changed.
// Raised by the run on a run error, when it finds nothing to import, and when its
// stopRequested hook says so; other code may raise it from inside a row to stop the run.
class RunStopped : public Error {
public:
    enum class Cause { RunError, Interrupted, NothingToImport };
    RunStopped(Cause cause, QString message) : Error(std::move(message)), m_cause(cause) {}

    // The run error e ended the run: what happened, that nothing changed, and e's own text.
    static RunStopped byError(const std::exception& e);
    // The user or the system asked the run to stop.
    static RunStopped interrupted();

    Cause cause() const { return m_cause; }

private:
    Cause m_cause;
};
