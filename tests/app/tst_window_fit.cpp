// The window drawn at its size: with the Tahoma of fonts-wine registered as the program does
// at start-up and the dark style applied, every caption of the layout shows whole inside its
// control. A picture of the window is saved beside the test for a person to look at.
#include "StyleRegistry.h"
#include "TahomaFont.h"
#include "WindowFixture.h"

#include <QApplication>
#include <QComboBox>
#include <QFontDatabase>
#include <QFontInfo>
#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QStyleOption>
#include <QtTest>

namespace {

// The rectangle a control gives its caption, in the control's own coordinates.
QRect captionRoom(QWidget* w)
{
    if (auto* label = qobject_cast<QLabel*>(w))
        return label->contentsRect();
    if (auto* button = qobject_cast<QPushButton*>(w)) {
        QStyleOptionButton option;
        option.initFrom(button);
        option.text = button->text();
        return button->style()->subElementRect(QStyle::SE_PushButtonContents, &option, button);
    }
    if (auto* combo = qobject_cast<QComboBox*>(w)) {
        QLineEdit* edit = combo->lineEdit();
        QStyleOptionFrame option;
        option.initFrom(edit);
        option.lineWidth = 0;
        QRect r = edit->style()->subElementRect(QStyle::SE_LineEditContents, &option, edit);
        r = r.marginsRemoved(edit->textMargins());
        r.adjust(2, 0, -2, 0); // the line edit's own inner margin
        return r.translated(edit->mapTo(combo, QPoint(0, 0)));
    }
    if (auto* group = qobject_cast<QGroupBox*>(w)) {
        QStyleOptionGroupBox option;
        option.initFrom(group);
        option.text = group->title();
        option.subControls = QStyle::SC_GroupBoxLabel | QStyle::SC_GroupBoxFrame;
        const QRect label = group->style()->subControlRect(QStyle::CC_GroupBox, &option,
                                                            QStyle::SC_GroupBoxLabel, group);
        return label.intersected(group->rect());
    }
    return {};
}

QString captionOf(QWidget* w)
{
    if (auto* label = qobject_cast<QLabel*>(w))
        return label->text();
    if (auto* button = qobject_cast<QPushButton*>(w))
        return button->text().remove(u'&');
    if (auto* combo = qobject_cast<QComboBox*>(w))
        return combo->currentText();
    if (auto* group = qobject_cast<QGroupBox*>(w))
        return group->title();
    return {};
}

} // namespace

class TestWindowFit : public QObject {
    Q_OBJECT
private slots:
    void initTestCase();
    void cleanupTestCase();
    void captionShowsWhole_data();
    void captionShowsWhole();
    void missingFontFolderFallsBack();

private:
    std::unique_ptr<WindowFixture> m_fixture;
};

void TestWindowFit::initTestCase()
{
    if (!QFile::exists(wineFontFolder() + QStringLiteral("/tahoma.ttf")))
        QSKIP("fonts-wine is not installed (scripts/setup installs it)");
    QVERIFY(registerTahoma());
    ScriptedDialogs styleDialogs;
    QVERIFY(ApplyStyle(*qApp, StyleRegistry::builtIn(), QStringLiteral("Metro Black"), styleDialogs));
    m_fixture = std::make_unique<WindowFixture>();
    m_fixture->dialogs.cancelOpen();
    m_fixture->show();
    // What a person sees after start-up; the path is printed for whoever wants to look.
    const QString picture = QCoreApplication::applicationDirPath() + QStringLiteral("/window-startup.png");
    QVERIFY(m_fixture->window->grab().save(picture));
    qInfo("window picture: %s", qPrintable(picture));
}

void TestWindowFit::cleanupTestCase() { m_fixture.reset(); }

void TestWindowFit::captionShowsWhole_data()
{
    QTest::addColumn<QString>("name");
    for (const char* name : {"ComboBox1", "GroupBox1", "Label1", "Label2", "Label3", "Label4",
                             "Label5", "Label6", "Label7", "Label8", "Button1", "Button2",
                             "Label9", "Button3"})
        QTest::newRow(name) << QString::fromLatin1(name);
}

void TestWindowFit::captionShowsWhole()
{
    QFETCH(QString, name);
    auto* w = m_fixture->window->findChild<QWidget*>(name);
    QVERIFY(w);
    // The type box's prompt is drawn by its edit line, with the edit line's font.
    auto* combo = qobject_cast<QComboBox*>(w);
    const QFont font = combo ? combo->lineEdit()->font() : w->font();
    QVERIFY2(QFontInfo(font).family() == QLatin1String("Tahoma"), qPrintable(font.toString()));
    QCOMPARE(QFontInfo(font).pixelSize(), 11);
    const QString caption = captionOf(w);
    QVERIFY(!caption.isEmpty());
    const QFontMetrics metrics(font);
    const QRect room = captionRoom(w);
    const int width = metrics.horizontalAdvance(caption);
    QVERIFY2(width <= room.width(),
             qPrintable(QStringLiteral("\"%1\" needs %2 px, has %3").arg(caption).arg(width).arg(room.width())));
    QVERIFY2(metrics.ascent() <= room.height(),
             qPrintable(QStringLiteral("\"%1\" is %2 px high, has %3")
                            .arg(caption).arg(metrics.ascent()).arg(room.height())));
    // Inside the control, and the control inside its parent.
    QVERIFY(w->rect().contains(room));
    QVERIFY(w->parentWidget()->rect().contains(w->geometry()));
}

void TestWindowFit::missingFontFolderFallsBack()
{
    // Runs last: it takes the registered Tahoma away again.
    QFontDatabase::removeAllApplicationFonts();
    if (QFontDatabase::hasFamily(QStringLiteral("Tahoma")))
        QSKIP("this system has a Tahoma of its own");
    QVERIFY(!registerTahoma(QStringLiteral("/no/such/folder")));
    QVERIFY(!QFontDatabase::hasFamily(QStringLiteral("Tahoma")));
    QVERIFY(registerTahoma());
}

QTEST_MAIN(TestWindowFit)
#include "tst_window_fit.moc"
