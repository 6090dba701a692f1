#pragma once
// The saved error log: the lines of the error list, each followed by CR LF, in the ANSI
// code page and without a byte-order mark, so the target system's tools read it as they
// read every other text file of the shop.
#include <QString>
#include <QList>
#include <QStringList>

// Replaces the file with the lines. Raises Error when the file cannot be written; the file
// is then left as it was. An existing device or pipe is written in place, never replaced.
void SaveErrorLog(const QString& fileName, const QStringList& lines);

// A row's line longer than this many characters is cut, with a mark saying so: a source of
// huge cells must not make a log of gigabytes (nor a list of them in the window).
constexpr int MaxLogLineLength = 4096;
QString BoundedLogLine(const QString& line);

// A file the run reads or writes, which its log must never replace.
struct RunFile {
    QString path;
    QString what; // "o banco de dados", "o arquivo de origem", ...
};
// The files of a run: the database (its path, also in "server:path"), the source and the
// barcode list; empty names are left out.
QList<RunFile> RunFilesOf(const QString& database, const QString& source, const QString& barcodeList);
// Raises Error when logName names one of the files (the same file, also through a link or
// another spelling of its path); a file that does not exist is no danger.
void RefuseLogOver(const QString& logName, const QList<RunFile>& files);
