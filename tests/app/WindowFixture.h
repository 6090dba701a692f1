#pragma once
// The main window over a fresh embedded database, with scripted dialogs, for window tests.
// Typical use:
//     WindowFixture f;
//     f.dialogs.chooseOpenFile(path);
//     f.show();            // runs FormShow as the window's first show does
//     f.window->...
// Destroy the window (f.closeWindow()) before reading the database back with
// f.db.select()/count(): the engine lets one process hold the file.
#include "ScriptedDialogs.h"
#include "TestDatabase.h"
#include "TFrmConverterBancoQelExcel.h"

#include <QAbstractItemView>
#include <QComboBox>
#include <QCoreApplication>
#include <QFile>
#include <QTemporaryDir>
#include <QTest>

#include <memory>

struct WindowFixture {
    TestDatabase db;
    ScriptedDialogs dialogs;
    QTemporaryDir files;
    std::unique_ptr<TFrmConverterBancoQelExcel> window;
    int quitRequests = 0;

    explicit WindowFixture(RegionalSettings regional = RegionalSettings::brazil())
    {
        AppSettings settings;
        settings.database = db.path();
        settings.password = TestDatabase::password();
        settings.clientLibrary = TestDatabase::clientLibrary();
        make(settings, regional);
    }

    WindowFixture(const AppSettings& settings, RegionalSettings regional)
    {
        make(settings, regional);
    }

    void make(const AppSettings& settings, const RegionalSettings& regional)
    {
        window = std::make_unique<TFrmConverterBancoQelExcel>(settings, dialogs, regional);
        window->requestQuit = [this] { ++quitRequests; };
    }

    // Shows the window and lets its first show run FormShow.
    void show()
    {
        window->show();
        QCoreApplication::sendPostedEvents();
        QCoreApplication::processEvents();
    }

    // Shows the window, loading the file through the open dialog.
    void load(const QString& fileName)
    {
        dialogs.chooseOpenFile(fileName);
        show();
    }

    // Shows the window over the source, waits until it is loaded and chooses the type; the
    // error log goes to the fixture's folder (the save dialog keeps that name when cancelled).
    void open(const QString& source, int sourceType)
    {
        load(source);
        QTRY_VERIFY(!window->SourceMode.isEmpty());
        window->ComboBox1()->setCurrentIndex(sourceType);
        dialogs.setSaveFileName(logPath());
    }

    QString logPath() const { return files.filePath(QStringLiteral("ErrorLog.txt")); }

    // A file of the given bytes in the fixture's temporary folder; returns its path.
    QString writeFile(const QString& relativeName, const QByteArray& bytes)
    {
        const QString path = files.filePath(relativeName);
        QFile f(path);
        if (!f.open(QIODevice::WriteOnly))
            qFatal("cannot write %s", qPrintable(path));
        f.write(bytes);
        return path;
    }

    // A click on the item, as the user makes it: scrolled into view, in its middle.
    static void click(QAbstractItemView* view, const QModelIndex& index)
    {
        view->scrollTo(index);
        QTest::mouseClick(view->viewport(), Qt::LeftButton, {}, view->visualRect(index).center());
    }

    static QString fixture(const QString& relative)
    {
        return QStringLiteral(CB_SOURCE_DIR "/tests/fixtures/") + relative;
    }

    void closeWindow() { window.reset(); }
};
