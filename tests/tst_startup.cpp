// Start-up from launch to the main window, the main window's remembered placement, and its close.

#include "app/MainFrm.h"
#include "app/Splash_Frm.h"
#include "app/Startup.h"
#include "app/Translations.h"
#include "databases/DBEdit_Frm.h"
#include "databases/DB_Frm.h"
#include "platform/Placement.h"
#include "platform/ProfileFile.h"
#include "support/TestSupport.h"

#include <QAction>
#include <QLineEdit>
#include <QPushButton>
#include <QScreen>
#include <QSettings>
#include <QStandardPaths>
#include <QtTest>

using namespace TestSupport;

namespace {

bool anyVisible(const char* className)
{
    for (QWidget* widget : QApplication::topLevelWidgets()) {
        if (widget->isVisible() && widget->inherits(className))
            return true;
    }
    return false;
}

void clearPlacement()
{
    auto settings = Placement::userSettings();
    settings->clear();
    settings->sync();
}

// A program folder without a data module of the test's own: start-up makes its own.
struct InstalledFolder
{
    QTemporaryDir dir;
    explicit InstalledFolder(bool withDb = true)
    {
        if (withDb) {
            QDir(dir.path()).mkpath(QStringLiteral("DB"));
            TMain_DataModule module(dir.path());
            module.DataModuleCreate();
            module.Main_Database.exec(QStringLiteral("insert into DB (DB_ID, DB_Name) values (1, 'Первая'), "
                                                     "(2, 'Вторая')"));
        }
        Settings::setFilePathForTesting(QDir(dir.path()).filePath(QStringLiteral("Koltra.ini")));
    }
    ~InstalledFolder() { Settings::setFilePathForTesting(QString()); }
};

// Chooses the database in the chooser's row `row` at start-up, then runs `inMain` on the main window.
void chooseThen(int row, std::function<void(TMain_Form*)> inMain)
{
    whenShown<TDB_Form>([row, inMain](TDB_Form*) {
        Main_DataModule->DB_Table.setRecNo(row + 1);
        whenShown<TMain_Form>(inMain);
        QTest::mouseClick(shownWindow<TDB_Form>()->findChild<QPushButton*>(QStringLiteral("OK_But")), Qt::LeftButton);
    });
}

} // namespace

class TestStartup : public QObject
{
    Q_OBJECT

private slots:
    void initTestCase()
    {
        initKoltraResources();
        QStandardPaths::setTestModeEnabled(true);
    }
    void init() { clearPlacement(); }

    void missingDbFolderShowsOneMessageAndEnds();
    void missingTableFileIsCreatedEmpty();
    void cancelledChooserEndsSilently();
    void chosenDatabaseTitlesMainWindow();
    void closedMaximisedOpensMaximised();
    void placementRules_data();
    void placementRules();
    void databaseCommandsSwitchAndRetitle();
    void failedSplitterWriteIsReportedAndWindowCloses();
    void storeErrorIsShownAndProgramGoesOn();
    void standardButtonsAreRussian();
};

void TestStartup::missingDbFolderShowsOneMessageAndEnds()
{
    InstalledFolder folder(false);
    MessageRecorder messages;
    bool splashOnScreen = false;
    bool chooserOnScreen = false;
    int progress = -1;
    messages.onShow = [&](const Messages::Request&) {
        splashOnScreen = anyVisible("TSplash_Form");
        chooserOnScreen = anyVisible("TDB_Form");
        if (auto* splash = shownWindow<TSplash_Form>())
            progress = splash->progress();
    };
    QCOMPARE(runProgram(folder.dir.path()), 1);
    QCOMPARE(messages.shown.size(), 1);
    QCOMPARE(messages.shown[0].text, QStringLiteral("Не могу открыть базу данных! Не существует папки DB!"));
    QCOMPARE(messages.shown[0].icon, Messages::Icon::Error);
    QVERIFY(splashOnScreen);
    QCOMPARE(progress, 1); // painted and advanced before the store was touched
    QVERIFY(!chooserOnScreen);
    QVERIFY(!QDir(folder.dir.path()).exists(QStringLiteral("DB"))); // nothing created
    QVERIFY(!anyVisible("TSplash_Form"));
}

void TestStartup::missingTableFileIsCreatedEmpty()
{
    InstalledFolder folder;
    const QString db = QDir(folder.dir.path()).filePath(QStringLiteral("DB"));
    QVERIFY(QFile::remove(QDir(db).filePath(QStringLiteral("User.DAT"))));
    TMain_DataModule module(folder.dir.path());
    QVERIFY(module.DataModuleCreate());
    QVERIFY(QFile::exists(QDir(db).filePath(QStringLiteral("User.DAT"))));
    QCOMPARE(module.Main_Database.scalar(QStringLiteral("select count(*) from USER")).toInt(), 0);
    QCOMPARE(module.Main_Database.scalar(QStringLiteral("select count(*) from DB")).toInt(), 2);
}

void TestStartup::cancelledChooserEndsSilently()
{
    InstalledFolder folder;
    MessageRecorder messages;
    bool splashGone = false;
    whenShown<TDB_Form>([&](TDB_Form* form) {
        splashGone = !anyVisible("TSplash_Form");
        QTest::keyClick(form, Qt::Key_Escape);
    });
    QCOMPARE(runProgram(folder.dir.path()), 0);
    QVERIFY(splashGone);
    QVERIFY(messages.shown.isEmpty());
    QVERIFY(!anyVisible("TMain_Form"));
    QVERIFY(!Main_DataModule);
}

void TestStartup::chosenDatabaseTitlesMainWindow()
{
    InstalledFolder folder;
    QString title;
    bool closedDbTable = false;
    chooseThen(1, [&](TMain_Form* main) {
        title = main->windowTitle();
        closedDbTable = !Main_DataModule->DB_Table.isOpen();
        QCOMPARE(Main_DataModule->CurrentDB_ID, 2);
        main->Exit->trigger();
    });
    QCOMPARE(runProgram(folder.dir.path()), 0);
    QCOMPARE(title, QStringLiteral("Методика оценки уровня развития группы \"Ласпен\" - Вторая"));
    QVERIFY(closedDbTable);
}

void TestStartup::closedMaximisedOpensMaximised()
{
    InstalledFolder folder;
    QRect normalBefore;
    chooseThen(0, [&](TMain_Form* main) {
        main->setGeometry(100, 80, 700, 500);
        normalBefore = main->geometry();
        main->showMaximized();
        QTRY_VERIFY(main->isMaximized());
        main->close();
    });
    QCOMPARE(runProgram(folder.dir.path()), 0);

    Qt::WindowStates state;
    QRect normalAfter;
    chooseThen(0, [&](TMain_Form* main) {
        state = main->windowState();
        normalAfter = main->normalGeometry();
        main->close();
    });
    QCOMPARE(runProgram(folder.dir.path()), 0);
    QVERIFY(state.testFlag(Qt::WindowMaximized));
    QCOMPARE(normalAfter, normalBefore);
}

void TestStartup::placementRules_data()
{
    QTest::addColumn<bool>("saved");
    QTest::addColumn<int>("dpiOffset"); // saved dots per inch minus the screen's
    QTest::addColumn<int>("showCmd");
    QTest::addColumn<bool>("expectSavedRect");
    QTest::addColumn<bool>("expectMaximised");
    QTest::newRow("first run: centred at design size") << false << 0 << 1 << false << false;
    QTest::newRow("same dots per inch: saved rectangle") << true << 0 << 1 << true << false;
    QTest::newRow("other dots per inch: centred, state kept") << true << 24 << 3 << false << true;
}

void TestStartup::placementRules()
{
    QFETCH(bool, saved);
    QFETCH(int, dpiOffset);
    QFETCH(int, showCmd);
    QFETCH(bool, expectSavedRect);
    QFETCH(bool, expectMaximised);
    QTemporaryDir dir;
    QSettings settings(QDir(dir.path()).filePath(QStringLiteral("placement.ini")), QSettings::IniFormat);
    QWidget window;
    const int dpi = qRound(window.screen()->logicalDotsPerInch());
    const QRect savedRect(33, 44, 500, 300);
    if (saved) {
        settings.setValue(QStringLiteral("Form/ShowCmd"), QString::number(showCmd));
        settings.setValue(QStringLiteral("Form/PixelsPerInch"), QString::number(dpi + dpiOffset));
        settings.setValue(QStringLiteral("Form/NormPos"), QStringLiteral("33,44,533,344"));
    }
    const Qt::WindowStates state = Placement::restore(&window, settings, TMain_Form::DesignSize);
    QCOMPARE(state.testFlag(Qt::WindowMaximized), expectMaximised);
    if (expectSavedRect) {
        QCOMPARE(window.geometry(), savedRect);
    } else {
        QCOMPARE(window.size(), TMain_Form::DesignSize);
        QCOMPARE(window.geometry().center(), window.screen()->availableGeometry().center());
    }
}

void TestStartup::databaseCommandsSwitchAndRetitle()
{
    ProgramFolder folder;
    folder.db().exec(QStringLiteral("insert into DB (DB_ID, DB_Name) values (1, 'Первая'), (2, 'Вторая')"));
    folder.db().exec(QStringLiteral("insert into \"GROUP\" (Group_ID, DB_ID, Group_Name) values (10, 1, 'Группа')"));
    folder.dm().CurrentDB_ID = 1;
    TMain_Form main;
    main.setDatabaseTitle(QStringLiteral("Первая"));
    main.show();
    // Shortcuts reach the active window only; a closed dialog leaves no window active here.
    const auto pressOn = [&main](Qt::Key key) {
        main.activateWindow();
        QVERIFY(QTest::qWaitForWindowActive(&main));
        QTest::keyClick(&main, key, Qt::ControlModifier);
    };
    QCOMPARE(folder.dm().Group_Query.recordCount(), 1);

    // "Открыть..." cancelled: nothing changes.
    whenShown<TDB_Form>([](TDB_Form* form) { QTest::keyClick(form, Qt::Key_Escape); });
    pressOn(Qt::Key_O);
    QCOMPARE(folder.dm().CurrentDB_ID, 1);
    QVERIFY(main.windowTitle().endsWith(QStringLiteral(" - Первая")));

    // Cancelled after the open database was renamed in the chooser: the title shows the new name.
    whenShown<TDB_Form>([&](TDB_Form* form) {
        folder.db().exec(QStringLiteral("update DB set DB_Name = 'Первая (весна)' where DB_ID = 1"));
        QTest::keyClick(form, Qt::Key_Escape);
    });
    pressOn(Qt::Key_O);
    QCOMPARE(folder.dm().CurrentDB_ID, 1);
    QVERIFY(main.windowTitle().endsWith(QStringLiteral(" - Первая (весна)")));

    // "Открыть..." with the current database pre-selected; the user picks the second one.
    qint64 preselected = 0;
    whenShown<TDB_Form>([&](TDB_Form* form) {
        preselected = Main_DataModule->DB_Table.asInteger(QStringLiteral("DB_ID"));
        Main_DataModule->DB_Table.setRecNo(2);
        QTest::mouseClick(form->findChild<QPushButton*>(QStringLiteral("OK_But")), Qt::LeftButton);
    });
    pressOn(Qt::Key_O);
    QCOMPARE(preselected, 1);
    QCOMPARE(folder.dm().CurrentDB_ID, 2);
    QVERIFY(main.windowTitle().endsWith(QStringLiteral(" - Вторая")));
    QVERIFY(folder.dm().Group_Query.isEmpty());
    QVERIFY(!main.GroupEdit_Action->isEnabled());
    QVERIFY(!main.AddTest->isEnabled());
    QVERIFY(main.GroupAdd_Action->isEnabled());

    // "Создать..." switches to the new database.
    whenShown<TDBEdit_Form>([](TDBEdit_Form* edit) {
        typeText(edit->findChild<QLineEdit*>(QStringLiteral("DB_Edit")), QStringLiteral("Новая"));
        QTest::mouseClick(edit->findChild<QPushButton*>(QStringLiteral("Ok_But")), Qt::LeftButton);
    });
    pressOn(Qt::Key_N);
    QVERIFY(main.windowTitle().endsWith(QStringLiteral(" - Новая")));
    QCOMPARE(folder.dm().CurrentDB_ID, 3);
    QVERIFY(!folder.dm().DB_Table.isOpen());
    QCOMPARE(folder.db().scalar(QStringLiteral("select DB_Name from DB where DB_ID = 3")).toString(),
             QStringLiteral("Новая"));
    main.close();
}

void TestStartup::failedSplitterWriteIsReportedAndWindowCloses()
{
    ProgramFolder folder;
    const QString ini = Settings::filePath();
    {
        TMain_Form main;
        main.show();
        main.close();
    }
    QCOMPARE(ProfileFile(ini).readInteger(QStringLiteral("Interface"), QStringLiteral("Splitter"), -1),
             TMain_Form::DesignSize.width() - 583 - 4);

    QVERIFY(QFile::setPermissions(ini, QFileDevice::ReadOwner | QFileDevice::ReadGroup));
    MessageRecorder messages;
    TMain_Form main;
    main.show();
    QVERIFY(main.close());
    QVERIFY(!main.isVisible());
    QCOMPARE(messages.texts(), QStringList{QStringLiteral("Unable to write to ") + QDir::toNativeSeparators(ini)});
}

void TestStartup::storeErrorIsShownAndProgramGoesOn()
{
    ProgramFolder folder;
    folder.db().exec(QStringLiteral("insert into DB (DB_ID, DB_Name) values (1, 'Первая')"));
    folder.dm().CurrentDB_ID = 1;
    TMain_Form main;
    main.setDatabaseTitle(QStringLiteral("Первая"));
    main.show();
    folder.db().exec(QStringLiteral("drop table DB")); // a damaged DB.DAT
    MessageRecorder messages;
    main.OpenDB->trigger();
    QCOMPARE(messages.shown.size(), 1);
    QCOMPARE(messages.shown[0].icon, Messages::Icon::Error);
    QCOMPARE(messages.shown[0].text, QStringLiteral("no such table: DB"));
    QVERIFY(!shownWindow<TDB_Form>());
    QVERIFY(main.isVisible());
    QCOMPARE(folder.dm().CurrentDB_ID, 1);
    QVERIFY(main.windowTitle().endsWith(QStringLiteral(" - Первая")));
    QVERIFY(main.NewDB->isEnabled());
    main.close();
}

void TestStartup::standardButtonsAreRussian()
{
    QVERIFY(installQtRussianTranslation(*qApp));
    QMessageBox box(QMessageBox::Question, QStringLiteral("Вопрос"), QStringLiteral("?"),
                    QMessageBox::Yes | QMessageBox::No | QMessageBox::Cancel);
    QCOMPARE(box.button(QMessageBox::Yes)->text().remove(QLatin1Char('&')), QStringLiteral("Да"));
    QCOMPARE(box.button(QMessageBox::No)->text().remove(QLatin1Char('&')), QStringLiteral("Нет"));
    QCOMPARE(box.button(QMessageBox::Cancel)->text().remove(QLatin1Char('&')), QStringLiteral("Отмена"));
}

QTEST_MAIN(TestStartup)
#include "tst_startup.moc"
