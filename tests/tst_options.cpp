// The settings dialog, its colour buttons and the About window, driven as a user drives them.

#include "app/About_Frm.h"
#include "app/Option_Frm.h"
#include "app/ProgramInfo.h"
#include "platform/ErrorDisplay.h"
#include "platform/ProfileFile.h"
#include "platform/Shell.h"
#include "platform/SystemColors.h"
#include "support/TestSupport.h"
#include "widgets/ColorButton.h"

#include <QCheckBox>
#include <QColorDialog>
#include <QGroupBox>
#include <QLabel>
#include <QMenu>
#include <QMovie>
#include <QPushButton>
#include <QRadioButton>
#include <QSignalSpy>
#include <QTabWidget>
#include <QtTest>

using namespace TestSupport;

namespace {

const qint32 TooltipBackground = -16777192; // 0xFF000018
const qint32 White = 16777215;
const qint32 Red = 255;
const int Missing = std::numeric_limits<int>::min();

// The five keys in the order OK writes them.
const QStringList WrittenKeys{"FirstColor", "SecondColor", "IsShowNumber", "TypeGraph", "IsShowExpert"};

// A settings file in a temporary folder, read back the way the program reads it.
struct IniFile
{
    QTemporaryDir dir;
    QString path = dir.filePath(QStringLiteral("Koltra.ini"));

    IniFile() { Settings::setFilePathForTesting(path); }
    ~IniFile()
    {
        QFile::setPermissions(path, QFile::permissions(path) | QFileDevice::WriteOwner);
        Settings::setFilePathForTesting(QString());
    }

    void write(const QByteArray& content) const
    {
        QFile file(path);
        QVERIFY(file.open(QIODevice::WriteOnly));
        file.write(content);
    }
    QByteArray bytes() const
    {
        QFile file(path);
        return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray("<missing>");
    }
    int value(const QString& key) const
    {
        return ProfileFile(path).readInteger(QStringLiteral("Interface"), key, Missing);
    }
    QList<int> writtenValues() const
    {
        QList<int> values;
        for (const QString& key : WrittenKeys)
            values.append(value(key));
        return values;
    }
};

// Runs `action` on the next dialog of class T once it is shown; a failed check inside closes the dialog, so the
// blocking call that opened it returns.
template <class T> void whenShownClosingOnFailure(std::function<void(T*)> action)
{
    whenShown<T>([action](T* dialog) {
        action(dialog);
        if (QTest::currentTestFailed() && dialog->isVisible())
            static_cast<QDialog*>(dialog)->done(QDialog::Rejected);
    });
}

// Opens the settings dialog, runs `action` on it while it is shown, and returns what ExecuteOptions_Form returned.
bool runOptions(std::function<void(TOptions_Form*)> action)
{
    whenShownClosingOnFailure<TOptions_Form>(std::move(action));
    return ExecuteOptions_Form();
}

int checkedResultItem(QWidget* form)
{
    if (child<QRadioButton>(form, "Result_RG_Item0")->isChecked())
        return 0;
    if (child<QRadioButton>(form, "Result_RG_Item1")->isChecked())
        return 1;
    return -1;
}

// Drops down the button's palette with a click and picks the cell with the given name.
void pickFromPalette(ColorButton* button, const QString& cellName)
{
    QTimer::singleShot(0, [button, cellName] {
        QMenu* menu = button->menu();
        QVERIFY(menu->isVisible());
        for (QToolButton* cell : menu->findChildren<QToolButton*>()) {
            if (cell->accessibleName() == cellName) {
                QTest::mouseClick(cell, Qt::LeftButton);
                return;
            }
        }
        menu->close();
        QFAIL(qPrintable("no palette cell " + cellName));
    });
    QTest::mouseClick(button, Qt::LeftButton);
}

// Drops down the palette, chooses "&Другой..." and lets `inDialog` answer the colour dialog.
void pickOther(ColorButton* button, std::function<void(QColorDialog*)> inDialog)
{
    whenShownClosingOnFailure<QColorDialog>(std::move(inDialog));
    QTimer::singleShot(0, [button] {
        const auto actions = button->menu()->actions();
        auto other = std::find_if(actions.begin(), actions.end(),
                                  [](QAction* a) { return a->text() == QStringLiteral("&Другой..."); });
        QVERIFY(other != actions.end());
        button->menu()->close();
        (*other)->trigger();
    });
    QTest::mouseClick(button, Qt::LeftButton);
}

} // namespace

class TestOptions : public QObject
{
    Q_OBJECT

private slots:
    void initTestCase() { initKoltraResources(); }

    void firstRunShowsDefaultsAndOkCreatesFile();
    void valuesFromFile_data();
    void valuesFromFile();
    void cancelWritesNothing_data();
    void cancelWritesNothing();
    void readOnlyFileKeepsDialogOpen();

    void paletteChoice_data();
    void paletteChoice();
    void otherColorDialog_data();
    void otherColorDialog();

    void aboutOpensFocusedAndAnimated();
    void aboutKeys();
    void aboutMailLink();
};

void TestOptions::firstRunShowsDefaultsAndOkCreatesFile()
{
    IniFile ini;
    const bool ok = runOptions([](TOptions_Form* form) {
        QCOMPARE(form->windowTitle(), QStringLiteral("Настройка"));
        auto* pages = child<QTabWidget>(form, "Options_PageControl");
        QCOMPARE(pages->currentWidget()->objectName(), QStringLiteral("Interface_Tab"));
        auto* first = child<ColorButton>(form, "FirstColor_Edit");
        QCOMPARE(first->colorValue(), TooltipBackground);
        QCOMPARE(first->color(), QGuiApplication::palette().color(QPalette::Active, QPalette::ToolTipBase));
        QCOMPARE(child<ColorButton>(form, "SecondColor_Edit")->color(), QColor(Qt::white));
        QCOMPARE(checkedResultItem(form), 1);
        QVERIFY(child<QCheckBox>(form, "Expert_CheckBox")->isChecked());
        QVERIFY(!child<QGroupBox>(form, "Graph_RG")->isVisibleTo(form));
        QTest::mouseClick(child<QPushButton>(form, "OK_But"), Qt::LeftButton);
    });
    QVERIFY(ok);
    QCOMPARE(ini.writtenValues(), (QList<int>{TooltipBackground, White, 1, 0, 1}));
    // Written one after another, so a new file lists them in the order OK writes them.
    QStringList keys;
    for (const QByteArray& line : ini.bytes().split('\n')) {
        if (line.contains('='))
            keys.append(QString::fromLatin1(line.left(line.indexOf('='))));
    }
    QCOMPARE(keys, WrittenKeys);
}

void TestOptions::valuesFromFile_data()
{
    QTest::addColumn<QByteArray>("ini");
    QTest::addColumn<QColor>("firstColor");
    QTest::addColumn<int>("resultItem"); // -1: none selected
    QTest::addColumn<bool>("expert");
    QTest::addColumn<QList<int>>("written"); // FirstColor, SecondColor, IsShowNumber, TypeGraph, IsShowExpert

    const QColor tooltip = QGuiApplication::palette().color(QPalette::Active, QPalette::ToolTipBase);
    QTest::newRow("IsShowExpert=2 opens cleared") << QByteArray("[Interface]\nIsShowExpert=2\n") << tooltip << 1
                                                  << false << QList<int>{TooltipBackground, White, 1, 0, 0};
    QTest::newRow("IsShowNumber=5 selects the last item") << QByteArray("[Interface]\nIsShowNumber=5\n") << tooltip << 1
                                                          << true << QList<int>{TooltipBackground, White, 1, 0, 1};
    QTest::newRow("IsShowNumber=-1 selects none") << QByteArray("[Interface]\nIsShowNumber=-1\n") << tooltip << -1
                                                  << true << QList<int>{TooltipBackground, White, -1, 0, 1};
    QTest::newRow("IsShowNumber=0") << QByteArray("[interface]\nisshownumber=0\n") << tooltip << 0 << true
                                    << QList<int>{TooltipBackground, White, 0, 0, 1};
    QTest::newRow("hexadecimal red") << QByteArray("[Interface]\nFirstColor=0xFF\n") << QColor(Qt::red) << 1 << true
                                     << QList<int>{Red, White, 1, 0, 1};
    QTest::newRow("other system colour kept")
        << QByteArray("[Interface]\nFirstColor=$FF00000F\nSecondColor=-16777211\n")
        << QGuiApplication::palette().color(QPalette::Active, QPalette::Button) << 1 << true
        << QList<int>{-16777201, -16777211, 1, 0, 1};
    QTest::newRow("TypeGraph written back") << QByteArray("[Interface]\nTypeGraph=1\nIsShowExpert=0\n") << tooltip << 1
                                            << false << QList<int>{TooltipBackground, White, 1, 1, 0};
    QTest::newRow("not a number gives the default")
        << QByteArray("[Interface]\nIsShowExpert=yes\nFirstColor=red\n") << tooltip << 1 << true
        << QList<int>{TooltipBackground, White, 1, 0, 1};
}

void TestOptions::valuesFromFile()
{
    QFETCH(QByteArray, ini);
    QFETCH(QColor, firstColor);
    QFETCH(int, resultItem);
    QFETCH(bool, expert);
    QFETCH(QList<int>, written);

    IniFile file;
    file.write(ini);
    const bool ok = runOptions([&](TOptions_Form* form) {
        QCOMPARE(child<ColorButton>(form, "FirstColor_Edit")->color(), firstColor);
        QCOMPARE(checkedResultItem(form), resultItem);
        QCOMPARE(child<QCheckBox>(form, "Expert_CheckBox")->isChecked(), expert);
        QTest::keyClick(form, Qt::Key_Return);
    });
    QVERIFY(ok);
    QCOMPARE(file.writtenValues(), written);
}

void TestOptions::cancelWritesNothing_data()
{
    QTest::addColumn<QString>("how");
    QTest::newRow("Отмена") << "button";
    QTest::newRow("Esc") << "escape";
    QTest::newRow("close box") << "close";
}

void TestOptions::cancelWritesNothing()
{
    QFETCH(QString, how);

    IniFile ini;
    const QByteArray content = "; set by hand\r\n[Interface]\r\nFirstColor=0xFF\r\nSecondColor=$00FF00\r\n"
                               "IsShowNumber=0\r\nSplitter=250\r\n\r\n[Other]\r\nIsShowExpert=1\r\n";
    ini.write(content);
    const bool ok = runOptions([how](TOptions_Form* form) {
        pickFromPalette(child<ColorButton>(form, "FirstColor_Edit"), QStringLiteral("Синий"));
        pickFromPalette(child<ColorButton>(form, "SecondColor_Edit"), QStringLiteral("Фон подсказки"));
        QCOMPARE(child<ColorButton>(form, "FirstColor_Edit")->color(), QColor(Qt::blue));
        child<QTabWidget>(form, "Options_PageControl")->setCurrentIndex(1);
        QTest::mouseClick(child<QRadioButton>(form, "Result_RG_Item1"), Qt::LeftButton);
        QTest::mouseClick(child<QCheckBox>(form, "Expert_CheckBox"), Qt::LeftButton);
        QCOMPARE(checkedResultItem(form), 1);
        QVERIFY(!child<QCheckBox>(form, "Expert_CheckBox")->isChecked());
        if (how == "button")
            QTest::mouseClick(child<QPushButton>(form, "Cancel_But"), Qt::LeftButton);
        else if (how == "escape")
            QTest::keyClick(form, Qt::Key_Escape);
        else
            form->close();
    });
    QVERIFY(!ok);
    QCOMPARE(ini.bytes(), content);
}

void TestOptions::readOnlyFileKeepsDialogOpen()
{
    IniFile ini;
    const QByteArray content = "[Interface]\nIsShowNumber=0\n";
    ini.write(content);
    QVERIFY(QFile::setPermissions(ini.path, QFileDevice::ReadOwner | QFileDevice::ReadGroup));
    MessageRecorder messages;

    const bool ok = runOptions([&](TOptions_Form* form) {
        QTest::mouseClick(child<QPushButton>(form, "OK_But"), Qt::LeftButton);
        QCOMPARE(messages.texts(), QStringList{"Unable to write to " + QDir::toNativeSeparators(ini.path)});
        QCOMPARE(messages.shown.first().icon, Messages::Icon::Error);
        QVERIFY(form->isVisible());
        QCOMPARE(ini.bytes(), content);

        // Once the file can be written, the same OK goes through.
        QVERIFY(QFile::setPermissions(ini.path, QFileDevice::ReadOwner | QFileDevice::WriteOwner));
        QTest::mouseClick(child<QPushButton>(form, "OK_But"), Qt::LeftButton);
    });
    QVERIFY(ok);
    QCOMPARE(messages.shown.size(), 1);
    QCOMPARE(ini.writtenValues(), (QList<int>{TooltipBackground, White, 0, 0, 1}));
}

void TestOptions::paletteChoice_data()
{
    QTest::addColumn<qint32>("start");
    QTest::addColumn<QString>("cell");
    QTest::addColumn<qint32>("expected");
    QTest::addColumn<QColor>("shown");

    const QColor tooltip = QGuiApplication::palette().color(QPalette::Active, QPalette::ToolTipBase);
    QTest::newRow("system colour to red") << TooltipBackground << "Красный" << Red << QColor(Qt::red);
    QTest::newRow("white to navy") << White << "Темно-синий" << qint32(0x800000) << QColor(0, 0, 128);
    QTest::newRow("red to a system colour") << Red << "Фон подсказки" << TooltipBackground << tooltip;
}

void TestOptions::paletteChoice()
{
    QFETCH(qint32, start);
    QFETCH(QString, cell);
    QFETCH(qint32, expected);
    QFETCH(QColor, shown);

    ColorButton button;
    button.setColorValue(start);
    button.show();
    QSignalSpy changed(&button, &ColorButton::colorChanged);
    pickFromPalette(&button, cell);
    QCOMPARE(button.colorValue(), expected);
    QCOMPARE(button.color(), shown);
    QCOMPARE(changed.size(), 1);
    QCOMPARE(changed.first().first().value<QColor>(), shown);
}

void TestOptions::otherColorDialog_data()
{
    QTest::addColumn<QColor>("chosen"); // invalid: left as the dialog opened
    QTest::addColumn<bool>("accept");
    QTest::addColumn<qint32>("expected");

    QTest::newRow("accepted unchanged keeps the system colour") << QColor() << true << TooltipBackground;
    QTest::newRow("cancelled keeps the system colour") << QColor(Qt::green) << false << TooltipBackground;
    QTest::newRow("new colour") << QColor(0, 128, 255) << true << qint32(0xFF8000);
}

void TestOptions::otherColorDialog()
{
    QFETCH(QColor, chosen);
    QFETCH(bool, accept);
    QFETCH(qint32, expected);

    ColorButton button;
    button.setColorValue(TooltipBackground);
    button.show();
    bool opened = false;
    pickOther(&button, [&](QColorDialog* dialog) {
        opened = true;
        QCOMPARE(dialog->currentColor().rgb(), button.color().rgb());
        if (chosen.isValid())
            dialog->setCurrentColor(chosen);
        if (accept)
            dialog->accept();
        else
            dialog->reject();
    });
    QVERIFY(opened);
    QCOMPARE(button.colorValue(), expected);
}

void TestOptions::aboutOpensFocusedAndAnimated()
{
    bool checked = false;
    whenShownClosingOnFailure<TAbout_Form>([&](TAbout_Form* form) {
        QCOMPARE(form->windowTitle(), QStringLiteral("О программе"));
        auto* ok = child<QPushButton>(form, "Ok_But");
        QCOMPARE(form->focusWidget(), ok);
        QVERIFY(ok->isDefault());
        QCOMPARE(ok->text(), QStringLiteral("&OK"));
        QVERIFY(!form->windowFlags().testFlag(Qt::WindowMinimizeButtonHint));
        QVERIFY(!form->windowFlags().testFlag(Qt::WindowMaximizeButtonHint));

        QCOMPARE(child<QLabel>(form, "Label2")->text(),
                 QStringLiteral("Методика оценки уровня \nразвития группы \n\"Ласпен\""));
        QVERIFY(child<QLabel>(form, "Label1")->text().startsWith(QStringLiteral("Методика: ")));
        QCOMPARE(child<QLabel>(form, "EMailLabel")->text(), QString(ProgramInfo::SupportMail).remove("mailto:"));

        QMovie* movie = child<QLabel>(form, "RxGIFAnimator1")->movie();
        QVERIFY(movie);
        QVERIFY(movie->isValid());
        QCOMPARE(movie->frameRect().size(), QSize(100, 80));
        QVERIFY(movie->frameCount() > 1);
        QCOMPARE(movie->state(), QMovie::Running);
        const int frame = movie->currentFrameNumber();
        QTRY_VERIFY(movie->currentFrameNumber() != frame);
        checked = true;
        ok->click();
    });
    ExecuteAbout_Form();
    QVERIFY(checked);
}

void TestOptions::aboutKeys()
{
    bool escapeIgnored = false;
    bool enterClosed = false;
    whenShownClosingOnFailure<TAbout_Form>([&](TAbout_Form* form) {
        QTest::keyClick(form->focusWidget(), Qt::Key_Escape);
        QCoreApplication::processEvents();
        escapeIgnored = form->isVisible();
        QTest::keyClick(form->focusWidget(), Qt::Key_Return);
        enterClosed = !form->isVisible();
        if (!enterClosed)
            form->done(QDialog::Rejected);
    });
    ExecuteAbout_Form();
    QVERIFY(escapeIgnored);
    QVERIFY(enterClosed);
}

void TestOptions::aboutMailLink()
{
    QStringList opened;
    Shell::setHandlerForTesting([&](const QString& target) { opened.append(target); });
    whenShownClosingOnFailure<TAbout_Form>([&](TAbout_Form* form) {
        auto* link = child<QLabel>(form, "EMailLabel");
        QCOMPARE(link->cursor().shape(), Qt::PointingHandCursor);
        QVERIFY(link->font().underline());
        const auto color = [link] { return link->palette().color(QPalette::WindowText); };

        // Through the window, so that the label gets the enter and leave events a real mouse causes.
        const auto moveTo = [form](QWidget* target) {
            QTest::mouseMove(form->windowHandle(), target->mapTo(form, target->rect().center()));
        };
        moveTo(link);
        QTRY_COMPARE(color(), QColor(Qt::blue));
        moveTo(child<QPushButton>(form, "Ok_But"));
        QTRY_COMPARE(color(), QColor(Qt::black));

        QTest::mouseClick(link, Qt::LeftButton);
        QCOMPARE(opened, QStringList{ProgramInfo::SupportMail});
        QVERIFY(form->isVisible());

        // From the keyboard: Tab to the link, Space writes the letter and the window stays open.
        link->setFocus();
        QTest::keyClick(link, Qt::Key_Space);
        QCOMPARE(opened.size(), 2);
        QVERIFY(form->isVisible());
        form->accept();
    });
    ExecuteAbout_Form();
    Shell::setHandlerForTesting({});
    QCOMPARE(opened.size(), 2);
}

QTEST_MAIN(TestOptions)
#include "tst_options.moc"
