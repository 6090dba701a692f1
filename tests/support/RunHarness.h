#pragma once
// Support for tests of the full import run: a session (the connection, qrproduto, query2 and
// the current line) over a test database, and views loaded as the window loads them.
#include "CurrentLine.h"
#include "DatabaseConnection.h"
#include "FullImportRun.h"
#include "PlainViews.h"
#include "ScriptedDialogs.h"
#include "SqlQuery.h"
#include "TestDatabase.h"

#include <QTemporaryDir>

#include <memory>
#include <utility>

// A connection to the database (a file: embedded) with qrproduto and query2 as the window
// configures them (auto-commit off). Destroy it before reading back through isql-fb.
struct RunSession {
    explicit RunSession(const QString& database, const QString& user = TestDatabase::user(),
                        const QString& password = TestDatabase::password());
    ImportContext context(ImportViews& views, Dialogs& dialogs,
                          const RegionalSettings& settings = RegionalSettings::brazil());

    DatabaseConnection eConexao;
    SqlQuery qrproduto{eConexao};
    SqlQuery query2{eConexao};
    CurrentLine line;
};

// Runs the import as the window's button does: an error that escapes the run is shown in
// the standard error box of the dialogs.
void runShowingErrors(const ImportContext& context);

// The time every statement of a test run is stamped with: 08.12.26 13:45.
QDateTime fixedRunTime();

// Fills the views as the window does after loading a sheet (grid rows as given, row 0 the
// header) or a text file.
void loadSheet(PlainViews& views, int sourceType, const QList<QStringList>& rows);
void loadText(PlainViews& views, int sourceType, const QStringList& lines);
void loadText(PlainViews& views, int sourceType, TextLines lines); // lines read from a file

// A text line with each (position, text) written over blanks; for fixed-width layouts.
QString fixedWidthLine(const QList<std::pair<int, QString>>& fields);

// The run's closing count, as the user reads it: "N produtos não foram importados."
QString countMessage(int failed);

// One full-run test: its own database (the test ends at once when it cannot be made), a
// folder the scripted dialogs save the error log to, views to load and, once connected, a
// session as the window holds it.
struct RunFixture {
    explicit RunFixture(TestDatabase::Options options = {});

    TestDatabase db;
    QTemporaryDir dir;
    PlainViews views;
    ScriptedDialogs dialogs;
    std::unique_ptr<RunSession> session;

    QString logPath() const;
    QByteArray logBytes() const; // "<no log>" when none was written
    void connect(const QString& user = TestDatabase::user(), const QString& password = TestDatabase::password());
    void run();              // RunFullImport, connecting first; errors reach the caller
    void runShowingErrors(); // as the window's button runs it: errors go to the error box
    // Two products that stand for the catalogue imported before, codes 900001 and 900002.
    bool addOldRows() const;
    // The session is closed first, so that what the run committed or left is what is read.
    QList<QMap<QString, QString>> readBack(const QString& columns = QStringLiteral("*"));
    QStringList codes(); // every codigo, in order
};
