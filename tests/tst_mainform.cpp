// The main window's lists and commands: sorting by title clicks, enabling, row colours, footer, keys, removals and
// the dialogs it opens.

#include "app/MainFrm.h"
#include "app/Option_Frm.h"
#include "people/AddGroup_Frm.h"
#include "people/AddTester_Frm.h"
#include "platform/ProfileFile.h"
#include "platform/Shell.h"
#include "support/TestSupport.h"
#include "widgets/DataGrid.h"
#include "widgets/GridHeader.h"
#include "widgets/SortMarkers.h"

#include <QAction>
#include <QHeaderView>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QSplitter>
#include <QStatusBar>
#include <QtTest>

using namespace TestSupport;

namespace {

// A database with three groups: "Бета" with four members and their scores, "Альфа" with one member, "Пустая" empty.
void fillDemo(Database& db)
{
    db.exec(QStringLiteral("insert into DB (DB_ID, DB_Name) values (1, 'База')"));
    db.exec(QStringLiteral("insert into \"GROUP\" (Group_ID, DB_ID, Group_Name, Date_Test, Comments) values "
                           "(10, 1, 'Бета', '2026-03-01', 'вторая'), (11, 1, 'Альфа', '2026-01-15', 'первая'), "
                           "(12, 1, 'Пустая', null, '')"));
    db.exec(QStringLiteral(
        "insert into USER (Men_ID, Group_ID, NumberInList, FIO, IsMember, IsExpert, Comments, IsMemberN, IsExpertN) "
        "values (100, 10, 1, 'Иванов Иван', 1, 0, '', 1, 0), (101, 10, 2, 'Петров Пётр', 0, 1, '', 0, 1), "
        "(102, 10, 3, 'Сидоров Сидор', 1, 1, '', 1, 1), (103, 10, 4, 'Агеев Антон', 1, 0, '', 1, 0), "
        "(110, 11, 1, 'Орлов Олег', 1, 0, '', 1, 0)"));
    // Every participant of "Бета" rated every member; the member of "Альфа" rated himself.
    for (int rater : {100, 102, 103})
        for (int rated : {100, 101, 102, 103})
            db.exec(QStringLiteral("insert into TEST (ID_Group, ID_Test, ID_Men, Ball_C, Ball_M) "
                                   "values (10, %1, %2, 3, 3)")
                        .arg(rater)
                        .arg(rated));
    db.exec(QStringLiteral("insert into TEST (ID_Group, ID_Test, ID_Men, Ball_C, Ball_M) values (11, 110, 110, 0, 0)"));
}

struct MainFixture
{
    ProgramFolder folder;
    std::unique_ptr<TMain_Form> main;

    explicit MainFixture(const std::function<void(Database&)>& fill = fillDemo)
    {
        fill(folder.db());
        folder.dm().CurrentDB_ID = 1;
        main = std::make_unique<TMain_Form>();
        main->setDatabaseTitle(QStringLiteral("База"));
        main->show();
    }
    ~MainFixture()
    {
        if (main)
            main->close();
    }
    Dataset& groups() { return folder.dm().Group_Query; }
    Dataset& men() { return folder.dm().Men_Query; }
    qint64 count(const QString& sql) { return folder.db().scalar(sql).toLongLong(); }
    // Shortcuts reach the active window only.
    void press(QWidget* focus, Qt::Key key, Qt::KeyboardModifiers modifiers = Qt::NoModifier)
    {
        main->activateWindow();
        QVERIFY(QTest::qWaitForWindowActive(main.get()));
        focus->setFocus();
        QTest::keyClick(focus, key, modifiers);
    }
};

void clickTitle(DataGrid* grid, int column, bool withCtrl)
{
    QHeaderView* header = grid->horizontalHeader();
    const QPoint centre(header->sectionViewportPosition(column) + header->sectionSize(column) / 2,
                        header->height() / 2);
    QTest::mouseClick(header->viewport(), Qt::LeftButton, withCtrl ? Qt::ControlModifier : Qt::NoModifier, centre);
}

// "2 ^1" clicks column 2, then Ctrl-clicks column 1.
void clickTitles(DataGrid* grid, const QString& steps)
{
    for (const QString& step : steps.split(QLatin1Char(' '), Qt::SkipEmptyParts)) {
        const bool withCtrl = step.startsWith(QLatin1Char('^'));
        clickTitle(grid, step.mid(withCtrl ? 1 : 0).toInt(), withCtrl);
    }
}

QString orderOf(const Dataset& query)
{
    const int at = query.sql().indexOf(QStringLiteral(" ORDER BY "));
    return at < 0 ? QString() : query.sql().mid(at + 10);
}

QStringList column(Dataset& query, const QString& field)
{
    QStringList values;
    for (int row = 0; row < query.recordCount(); ++row)
        values.append(query.valueAt(row, query.fieldIndex(field)).toString());
    return values;
}

} // namespace

class TestMainForm : public QObject
{
    Q_OBJECT
private slots:
    void initTestCase() { initKoltraResources(); }

    void commandEnabling_data();
    void commandEnabling();
    void memberSortCycles_data();
    void memberSortCycles();
    void groupSortCycles_data();
    void groupSortCycles();
    void memberStaysSelectedAndColoursFollowTheOrder();
    void footerCountsParticipantsAndExperts();
    void titlesShowWholeAndMembersFillTheirList();
    void statusBarShowsTheGroupComment();
    void deleteKeyRemovesTheMemberWithItsScores();
    void removingAGroupTakesItsMembersAndScores();
    void insertKeyAddsAMemberWhicheverListHasTheFocus();
    void manualEntryRefusesNonParticipants();
    void addedGroupIsSelected();
    void optionsOkRereadsTheRowColours();
    void helpWithoutItsFileShowsNoMessage();
};

void TestMainForm::commandEnabling_data()
{
    QTest::addColumn<int>("groupRow"); // 0: a database without groups
    QTest::addColumn<QStringList>("disabled");
    const QStringList memberCommands{"EditTest",  "DelTest",    "SeekTest",
                                     "BeginTest", "ResultTest", "InputDataTest_Action"};
    QTest::newRow("no groups") << 0 << (QStringList{"GroupEdit_Action", "GroupDel_Action", "AddTest"} + memberCommands);
    QTest::newRow("group without members") << 3 << memberCommands;
    QTest::newRow("group with members") << 1 << QStringList();
}

void TestMainForm::commandEnabling()
{
    QFETCH(int, groupRow);
    QFETCH(QStringList, disabled);
    MainFixture f(groupRow == 0 ? std::function<void(Database&)>(
                                      [](Database& db) { db.exec("insert into DB (DB_ID, DB_Name) values (1, 'Б')"); })
                                : std::function<void(Database&)>(fillDemo));
    if (groupRow > 0)
        f.groups().setRecNo(groupRow);
    QStringList actual;
    const QList<QAction*> actions = f.main->findChildren<QAction*>();
    QVERIFY(actions.size() >= 17);
    for (QAction* action : actions) {
        if (!action->objectName().isEmpty() && !action->isEnabled())
            actual.append(action->objectName());
    }
    actual.sort();
    disabled.sort();
    QCOMPARE(actual, disabled);
}

void TestMainForm::memberSortCycles_data()
{
    QTest::addColumn<QString>("clicks"); // column numbers; ^ holds Ctrl
    QTest::addColumn<QString>("order");
    QTest::addColumn<QString>("firstFio");
    QTest::newRow("at opening") << ""
                                << "NumberInList"
                                << "Иванов Иван";
    QTest::newRow("name once: descending") << "1"
                                           << "FIO DESC"
                                           << "Сидоров Сидор";
    QTest::newRow("name twice: ascending") << "1 1"
                                           << "FIO"
                                           << "Агеев Антон";
    QTest::newRow("name thrice: descending again") << "1 1 1"
                                                   << "FIO DESC"
                                                   << "Сидоров Сидор";
    QTest::newRow("number once: descending") << "0"
                                             << "NumberInList DESC"
                                             << "Агеев Антон";
    QTest::newRow("ctrl keeps the opening marker") << "^1"
                                                   << "NumberInList , FIO DESC"
                                                   << "Иванов Иван";
    QTest::newRow("participant, ctrl name") << "2 ^1"
                                            << "IsMember DESC , FIO DESC"
                                            << "Сидоров Сидор";
    QTest::newRow("ctrl participant again: ascending") << "2 ^1 ^2"
                                                       << "IsMember , FIO DESC"
                                                       << "Петров Пётр";
    QTest::newRow("ctrl participant thrice: removed") << "2 ^1 ^2 ^2"
                                                      << "FIO DESC"
                                                      << "Сидоров Сидор";
    QTest::newRow("plain click clears the others") << "2 ^1 3 ^1"
                                                   << "IsExpert DESC , FIO DESC"
                                                   << "Сидоров Сидор";
    QTest::newRow("comments are not sortable") << "4"
                                               << "NumberInList"
                                               << "Иванов Иван";
}

void TestMainForm::memberSortCycles()
{
    QFETCH(QString, clicks);
    QFETCH(QString, order);
    QFETCH(QString, firstFio);
    MainFixture f;
    clickTitles(f.main->Data_Grid, clicks);
    QCOMPARE(orderOf(f.men()), order);
    QCOMPARE(column(f.men(), QStringLiteral("FIO")).value(0), firstFio);
    if (clicks == QStringLiteral("2 ^1")) {
        const SortMarkers& markers = f.main->Data_Grid->sortMarkers();
        QCOMPARE(markers.marker(2), SortMarker::Down);
        QCOMPARE(markers.sortIndex(2), 1);
        QCOMPARE(markers.marker(1), SortMarker::Down);
        QCOMPARE(markers.sortIndex(1), 2);
        QCOMPARE(markers.marker(0), SortMarker::None);
    }
}

void TestMainForm::groupSortCycles_data()
{
    QTest::addColumn<QString>("clicks");
    QTest::addColumn<QString>("order");
    QTest::addColumn<QStringList>("names");
    QTest::newRow("at opening: the store's order") << ""
                                                   << "" << QStringList{"Бета", "Альфа", "Пустая"};
    QTest::newRow("name once: ascending") << "0"
                                          << "Group_Name" << QStringList{"Альфа", "Бета", "Пустая"};
    QTest::newRow("name twice: descending") << "0 0"
                                            << "Group_Name DESC" << QStringList{"Пустая", "Бета", "Альфа"};
    QTest::newRow("date, ctrl name") << "1 ^0"
                                     << "Date_Test , Group_Name" << QStringList{"Пустая", "Альфа", "Бета"};
    QTest::newRow("comments are not sortable") << "2"
                                               << "" << QStringList{"Бета", "Альфа", "Пустая"};
}

void TestMainForm::groupSortCycles()
{
    QFETCH(QString, clicks);
    QFETCH(QString, order);
    QFETCH(QStringList, names);
    MainFixture f;
    f.groups().setRecNo(2);
    clickTitles(f.main->Group_Grid, clicks);
    QCOMPARE(orderOf(f.groups()), order);
    QCOMPARE(column(f.groups(), QStringLiteral("Group_Name")), names);
    if (!clicks.isEmpty() && order.isEmpty())
        return; // a click on a column that does not sort changes nothing
    if (!clicks.isEmpty()) {
        // The first group of the new order is selected and its members listed.
        QCOMPARE(f.groups().recNo(), 1);
        QCOMPARE(f.men().param(QStringLiteral("Group_ID")), f.groups().value(QStringLiteral("Group_ID")));
    }
}

void TestMainForm::memberStaysSelectedAndColoursFollowTheOrder()
{
    MainFixture f([&](Database& db) {
        fillDemo(db);
        Settings::write(Settings::FirstColor, 0x0000FF);  // red
        Settings::write(Settings::SecondColor, 0x00FF00); // green
    });
    DataGrid* grid = f.main->Data_Grid;
    QVERIFY(f.men().locate(QStringLiteral("Men_ID"), 102));
    for (const QString& clicks : {QStringLiteral("1"), QStringLiteral("1"), QStringLiteral("2 ^3")}) {
        clickTitles(grid, clicks);
        QCOMPARE(f.men().asInteger(QStringLiteral("Men_ID")), 102);
        QCOMPARE(grid->currentIndex().row() + 1, f.men().recNo());
        for (int row = 0; row < f.men().recordCount(); ++row)
            QCOMPARE(grid->cellBackground(row, 1), row % 2 == 0 ? QColor(Qt::green) : QColor(Qt::red));
    }
}

void TestMainForm::footerCountsParticipantsAndExperts()
{
    MainFixture f;
    DataGrid* grid = f.main->Data_Grid;
    QCOMPARE(grid->footerText(1), QStringLiteral("Всего:"));
    QCOMPARE(grid->footerText(2), QStringLiteral("3"));
    QCOMPARE(grid->footerText(3), QStringLiteral("2"));
    f.groups().setRecNo(3);
    QVERIFY(f.men().isEmpty());
    QCOMPARE(grid->footerText(1), QStringLiteral("Всего:"));
    QCOMPARE(grid->footerText(2), QStringLiteral("0"));
    QCOMPARE(grid->footerText(3), QStringLiteral("0"));
}

void TestMainForm::titlesShowWholeAndMembersFillTheirList()
{
    MainFixture f;
    QVERIFY(QTest::qWaitForWindowExposed(f.main.get()));
    for (DataGrid* grid : {f.main->Group_Grid, f.main->Data_Grid}) {
        int total = 0;
        for (int c = 0; c < grid->model()->columnCount(); ++c) {
            QVERIFY2(grid->columnWidth(c) >= grid->titleHeader()->titleWidthHint(c),
                     qPrintable(grid->objectName() + QString::number(c)));
            total += grid->columnWidth(c);
        }
        if (grid == f.main->Data_Grid)
            QCOMPARE(total, grid->viewport()->width());
        else
            QVERIFY(total > grid->viewport()->width()); // the group list keeps its widths and scrolls
    }
    // A wider member list gives the room to the columns in proportion to their design widths.
    const int nameWidth = f.main->Data_Grid->columnWidth(1);
    f.main->Splitter1->setSizes({150, f.main->Splitter1->width() - 150});
    QVERIFY(f.main->Data_Grid->columnWidth(1) > nameWidth);
}

void TestMainForm::statusBarShowsTheGroupComment()
{
    MainFixture f;
    const auto statusText = [&] { return f.main->Koltra_StatusBar->findChild<QLabel*>()->text(); };
    QCOMPARE(statusText(), QStringLiteral("вторая"));
    f.groups().setRecNo(2);
    QCOMPARE(statusText(), QStringLiteral("первая"));
}

void TestMainForm::deleteKeyRemovesTheMemberWithItsScores()
{
    MainFixture f;
    MessageRecorder messages;
    QVERIFY(f.men().locate(QStringLiteral("Men_ID"), 102));

    // "Нет" keeps everything.
    messages.answers.enqueue(QMessageBox::No);
    f.press(f.main->Group_Grid, Qt::Key_Delete);
    QCOMPARE(messages.shown.size(), 1);
    QVERIFY(messages.shown[0].text.contains(QStringLiteral("Сидоров Сидор")));
    QCOMPARE(f.count("select count(*) from USER where Men_ID = 102"), 1);

    // The key acts on members even while the group list has the focus.
    f.press(f.main->Group_Grid, Qt::Key_Delete);
    QCOMPARE(messages.shown.size(), 2);
    QCOMPARE(f.count("select count(*) from USER where Men_ID = 102"), 0);
    QCOMPARE(f.count("select count(*) from \"GROUP\""), 3);
    QCOMPARE(f.count("select count(*) from TEST where ID_Test = 102 or ID_Men = 102"), 0);
    QCOMPARE(f.count("select count(*) from TEST where ID_Group = 10"), 6); // two raters x three rated left
    QCOMPARE(f.count("select count(*) from TEST where ID_Group = 11"), 1);
    // The member after the removed one took its place and is selected.
    QCOMPARE(column(f.men(), QStringLiteral("FIO")), (QStringList{"Иванов Иван", "Петров Пётр", "Агеев Антон"}));
    QCOMPARE(f.men().asString(QStringLiteral("FIO")), QStringLiteral("Агеев Антон"));

    // Removing the last row selects the new last row.
    f.press(f.main->Data_Grid, Qt::Key_Delete);
    QCOMPARE(f.men().recordCount(), 2);
    QCOMPARE(f.men().asString(QStringLiteral("FIO")), QStringLiteral("Петров Пётр"));
}

void TestMainForm::removingAGroupTakesItsMembersAndScores()
{
    MainFixture f;
    MessageRecorder messages;
    messages.answers.enqueue(QMessageBox::No);
    f.main->GroupDel_Action->trigger();
    QCOMPARE(f.count("select count(*) from \"GROUP\""), 3);

    f.main->GroupDel_Action->trigger();
    QCOMPARE(messages.shown.size(), 2);
    QVERIFY(messages.shown[1].text.contains(QStringLiteral("\"Бета\"")));
    QCOMPARE(f.count("select count(*) from \"GROUP\" where Group_ID = 10"), 0);
    QCOMPARE(f.count("select count(*) from USER where Group_ID = 10"), 0);
    QCOMPARE(f.count("select count(*) from TEST where ID_Group = 10"), 0);
    QCOMPARE(f.count("select count(*) from USER"), 1);
    QCOMPARE(f.count("select count(*) from TEST"), 1);
    QCOMPARE(column(f.groups(), QStringLiteral("Group_Name")), (QStringList{"Альфа", "Пустая"}));
    QCOMPARE(f.groups().asString(QStringLiteral("Group_Name")), QStringLiteral("Альфа"));
    QCOMPARE(column(f.men(), QStringLiteral("FIO")), QStringList{"Орлов Олег"});
}

void TestMainForm::insertKeyAddsAMemberWhicheverListHasTheFocus()
{
    MainFixture f;
    bool shown = false;
    whenShown<TAddTester_Form>([&](TAddTester_Form* dialog) {
        shown = true;
        typeText(dialog->findChild<QLineEdit*>(QStringLiteral("FIO_Edit")), QStringLiteral("Новиков Никита"));
        QTest::mouseClick(dialog->findChild<QPushButton*>(QStringLiteral("OK_But")), Qt::LeftButton);
    });
    f.press(f.main->Group_Grid, Qt::Key_Insert);
    QVERIFY(shown);
    QCOMPARE(f.count("select count(*) from USER where Group_ID = 10"), 5);
    QCOMPARE(f.men().asString(QStringLiteral("FIO")), QStringLiteral("Новиков Никита"));
    QCOMPARE(f.men().asInteger(QStringLiteral("NumberInList")), 5);
    QCOMPARE(f.groups().asInteger(QStringLiteral("Group_ID")), 10);

    // Ctrl+Ins corrects the selected member, also from inside the member list.
    QString caption;
    whenShown<TAddTester_Form>([&](TAddTester_Form* dialog) {
        caption = dialog->windowTitle();
        QTest::keyClick(dialog, Qt::Key_Escape);
    });
    f.press(f.main->Data_Grid, Qt::Key_Insert, Qt::ControlModifier);
    QCOMPARE(caption, QStringLiteral("Корректировка данных члена группы"));
    QCOMPARE(f.count("select count(*) from USER where Group_ID = 10"), 5);
}

void TestMainForm::manualEntryRefusesNonParticipants()
{
    MainFixture f;
    MessageRecorder messages;
    QVERIFY(f.men().locate(QStringLiteral("Men_ID"), 101)); // an expert who did not take part
    for (Qt::KeyboardModifiers modifiers :
         {Qt::KeyboardModifiers(Qt::NoModifier), Qt::KeyboardModifiers(Qt::ShiftModifier | Qt::ControlModifier),
          Qt::KeyboardModifiers(Qt::AltModifier)})
        f.press(f.main->Data_Grid, Qt::Key_Return, modifiers);
    f.main->InputDataTest_Action->trigger();
    QCOMPARE(messages.shown.size(), 4);
    for (const Messages::Request& request : messages.shown) {
        QCOMPARE(request.caption, QStringLiteral("Информация"));
        QCOMPARE(request.text, QStringLiteral("Этот человек в тестировании не участвовал!"));
        QCOMPARE(request.icon, Messages::Icon::Information);
    }
    QCOMPARE(f.men().asInteger(QStringLiteral("Men_ID")), 101);
}

void TestMainForm::addedGroupIsSelected()
{
    MainFixture f;
    clickTitle(f.main->Group_Grid, 0, false); // by name
    whenShown<TAddGroup_Form>([](TAddGroup_Form* dialog) {
        typeText(dialog->findChild<QLineEdit*>(QStringLiteral("GroupName_Edit")), QStringLiteral("Гамма"));
        QTest::mouseClick(dialog->findChild<QPushButton*>(QStringLiteral("OK_But")), Qt::LeftButton);
    });
    f.main->GroupAdd_Action->trigger();
    QCOMPARE(column(f.groups(), QStringLiteral("Group_Name")), (QStringList{"Альфа", "Бета", "Гамма", "Пустая"}));
    QCOMPARE(f.groups().asString(QStringLiteral("Group_Name")), QStringLiteral("Гамма"));
    QVERIFY(f.men().isEmpty());
    QVERIFY(f.main->AddTest->isEnabled());
    QVERIFY(!f.main->ResultTest->isEnabled());
}

void TestMainForm::optionsOkRereadsTheRowColours()
{
    MainFixture f;
    const QColor before = f.main->Data_Grid->cellBackground(0, 0);
    whenShown<TOptions_Form>([](TOptions_Form* dialog) {
        Settings::write(Settings::SecondColor, 0x0000FF); // as if the user had picked red
        QTest::mouseClick(dialog->findChild<QPushButton*>(QStringLiteral("Cancel_But")), Qt::LeftButton);
    });
    f.main->Option->trigger();
    QCOMPARE(f.main->Data_Grid->cellBackground(0, 0), before); // cancelled: the colours are not read again
    whenShown<TOptions_Form>([](TOptions_Form* dialog) {
        QTest::mouseClick(dialog->findChild<QPushButton*>(QStringLiteral("OK_But")), Qt::LeftButton);
    });
    f.main->Option->trigger();
    QCOMPARE(f.main->FSecondColor, 0x0000FF);
    QCOMPARE(f.main->Data_Grid->cellBackground(0, 0), QColor(Qt::red));
}

void TestMainForm::helpWithoutItsFileShowsNoMessage()
{
    MainFixture f;
    MessageRecorder messages;
    QStringList opened;
    Shell::setHandlerForTesting([&](const QString& target) { opened.append(target); });
    f.press(f.main->Data_Grid, Qt::Key_F1);
    f.main->InternetHelp->trigger();
    Shell::setHandlerForTesting({});
    QCOMPARE(opened, (QStringList{QDir(f.folder.path()).filePath(QStringLiteral("Koltra.html")),
                                  QStringLiteral("www.example.com")}));
    QVERIFY(messages.shown.isEmpty());
}

QTEST_MAIN(TestMainForm)
#include "tst_mainform.moc"
