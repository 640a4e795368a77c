// The group dialog, the member dialog and the member search, driven as a user drives them, and the removal of
// groups and members with their score rows.

#include "people/AddGroup_Frm.h"
#include "people/AddTester_Frm.h"
#include "people/PeopleRecords.h"
#include "people/Sour_Frm.h"
#include "support/TestSupport.h"

#include <QCheckBox>
#include <QComboBox>
#include <QDateEdit>
#include <QLineEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QSignalSpy>
#include <QSpinBox>
#include <QtTest>

using namespace TestSupport;

namespace {

const QString InputError = QStringLiteral("Ошибка ввода");
const QString NotFound = QStringLiteral("Тестируемый по заданному критерию не найден!");
constexpr qint32 DbId = 1;
constexpr qint32 GroupId = 7;
constexpr qint32 OtherGroupId = 99;

// Check boxes span the panel's width, so a click in their middle may miss the text: the keyboard toggles them.
void toggle(QWidget* parent, const char* checkBox)
{
    QCheckBox* box = child<QCheckBox>(parent, checkBox);
    box->setFocus();
    QTest::keyClick(box, Qt::Key_Space);
}

void insertGroup(Database& db, qint32 id, const QString& name, const QVariant& date = {}, const QString& comments = {},
                 qint32 dbId = DbId)
{
    db.exec(QStringLiteral("insert into \"GROUP\" (Group_ID, DB_ID, Group_Name, Date_Test, Comments)"
                           " values (:id, :db, :name, :date, :comments)"),
            {{QStringLiteral("id"), id},
             {QStringLiteral("db"), dbId},
             {QStringLiteral("name"), name},
             {QStringLiteral("date"), date},
             {QStringLiteral("comments"), comments}});
}

struct MemberRow
{
    qint64 menId = 0;
    qint64 groupId = 0;
    qint64 number = 0;
    QString fio;
    qint64 isMember = 0;
    qint64 isExpert = 0;
    QString comments;
    qint64 isMemberN = 0;
    qint64 isExpertN = 0;
};

void insertMember(Database& db, const MemberRow& row)
{
    db.exec(QStringLiteral("insert into USER (Men_ID, Group_ID, NumberInList, FIO, IsMember, IsExpert, Comments,"
                           " IsMemberN, IsExpertN) values (:id, :group, :number, :fio, :m, :e, :comments, :mn, :en)"),
            {{QStringLiteral("id"), row.menId},
             {QStringLiteral("group"), row.groupId},
             {QStringLiteral("number"), row.number},
             {QStringLiteral("fio"), row.fio},
             {QStringLiteral("m"), row.isMember},
             {QStringLiteral("e"), row.isExpert},
             {QStringLiteral("comments"), row.comments},
             {QStringLiteral("mn"), row.isMemberN},
             {QStringLiteral("en"), row.isExpertN}});
}

// Plain members of a group, numbered as given; keys from `firstId` on.
void insertNumbered(Database& db, qint32 groupId, const QList<int>& numbers, qint64 firstId)
{
    for (int i = 0; i < numbers.size(); ++i)
        insertMember(db, {firstId + i, groupId, numbers[i], QStringLiteral("Член %1").arg(numbers[i]), 1, 0, {}, 1, 0});
}

// USER rows as they are stored, by key.
QVector<MemberRow> storedMembers(Database& db)
{
    Statement st(db, QStringLiteral("select Men_ID, Group_ID, NumberInList, FIO, IsMember, IsExpert, Comments,"
                                    " IsMemberN, IsExpertN from USER order by Men_ID"));
    QVector<MemberRow> rows;
    while (st.step()) {
        rows.append({st.value(0).toLongLong(), st.value(1).toLongLong(), st.value(2).toLongLong(),
                     st.value(3).toString(), st.value(4).toLongLong(), st.value(5).toLongLong(), st.value(6).toString(),
                     st.value(7).toLongLong(), st.value(8).toLongLong()});
    }
    return rows;
}

MemberRow storedMember(Database& db, qint64 menId)
{
    for (const MemberRow& row : storedMembers(db)) {
        if (row.menId == menId)
            return row;
    }
    return {};
}

struct GroupRow
{
    qint64 id = 0;
    qint64 dbId = 0;
    QString name;
    QVariant date;
    QString comments;
};

QVector<GroupRow> storedGroups(Database& db)
{
    Statement st(db, QStringLiteral("select Group_ID, DB_ID, Group_Name, Date_Test, Comments from \"GROUP\""
                                    " order by Group_ID"));
    QVector<GroupRow> rows;
    while (st.step())
        rows.append({st.value(0).toLongLong(), st.value(1).toLongLong(), st.value(2).toString(), st.value(3),
                     st.value(4).toString()});
    return rows;
}

// Score rows as "group:rater:rated", sorted.
QStringList storedScores(Database& db)
{
    Statement st(db, QStringLiteral("select ID_Group, ID_Test, ID_Men from TEST"));
    QStringList rows;
    while (st.step())
        rows.append(QStringLiteral("%1:%2:%3")
                        .arg(st.value(0).toLongLong())
                        .arg(st.value(1).toLongLong())
                        .arg(st.value(2).toLongLong()));
    rows.sort();
    return rows;
}

// The lists as the main window leaves them: the group `groupId` selected, its members by number.
void openLists(TMain_DataModule& dm, qint32 groupId = GroupId, const QVector<OrderItem>& menOrder = {})
{
    dm.CurrentDB_ID = DbId;
    dm.openGroupQuery({});
    QVERIFY(dm.Group_Query.locate(QStringLiteral("Group_ID"), groupId));
    dm.openMenQuery(menOrder.isEmpty() ? QVector<OrderItem>{{QStringLiteral("NumberInList"), false}} : menOrder);
}

} // namespace

class TestPeople : public QObject
{
    Q_OBJECT

private slots:
    void initTestCase() { initKoltraResources(); }

    void addGroup();
    void correctGroup_data();
    void correctGroup();
    void stepFromBlankDateStartsToday();
    void groupRefusals_data();
    void groupRefusals();
    void cancelStoresNothing_data();
    void cancelStoresNothing();

    void addMemberProposesNumber_data();
    void addMemberProposesNumber();
    void allNumbersTaken();
    void correctMember_data();
    void correctMember();
    void memberRefusals_data();
    void memberRefusals();
    void numberClamp_data();
    void numberClamp();

    void removeGroupCascade();
    void removeMemberCascade();

    void search_data();
    void search();
    void searchStepsThroughMatches();
};

void TestPeople::addGroup()
{
    ProgramFolder folder;
    Database& db = folder.db();
    insertGroup(db, 5, QStringLiteral("Старая"), QStringLiteral("2020-01-02"));
    folder.dm().CurrentDB_ID = 3;
    MessageRecorder messages;
    QString caption;
    QDate shownDate;
    bool emptyBoxes = false;
    bool nameHasFocus = false;
    QString typedName;
    whenShown<TAddGroup_Form>([&](TAddGroup_Form* form) {
        caption = form->windowTitle();
        shownDate = child<QDateEdit>(form, "DateTest_DateEdit")->date();
        emptyBoxes = child<QLineEdit>(form, "GroupName_Edit")->text().isEmpty() &&
                     child<QLineEdit>(form, "Comments_Edit")->text().isEmpty();
        nameHasFocus = form->focusWidget() == child<QLineEdit>(form, "GroupName_Edit");
        // Both boxes refuse what goes beyond their limits.
        typeInto(form, "GroupName_Edit", QStringLiteral("Группа ") + QStringLiteral("Я").repeated(60));
        typeInto(form, "Comments_Edit", QStringLiteral("ю").repeated(160));
        typedName = child<QLineEdit>(form, "GroupName_Edit")->text();
        QTest::keyClick(child<QLineEdit>(form, "Comments_Edit"), Qt::Key_Return); // Enter is OK
    });
    qint32 id = -1;
    QVERIFY(ExecuteAddGroup_Form(id));
    QCOMPARE(caption, QStringLiteral("Добавление новой группы"));
    QCOMPARE(shownDate, QDate::currentDate());
    QVERIFY(emptyBoxes);
    QVERIFY(nameHasFocus);
    QVERIFY(messages.shown.isEmpty());

    const QVector<GroupRow> rows = storedGroups(db);
    QCOMPARE(rows.size(), 2);
    const GroupRow& added = rows[1];
    QCOMPARE(added.id, qint64(id));
    QVERIFY(id != 5 && id > 0);
    QCOMPARE(added.dbId, 3);
    QCOMPARE(added.name.size(), 50);
    QCOMPARE(added.name, typedName);
    QVERIFY(added.name.startsWith(QStringLiteral("Группа ЯЯ")));
    QCOMPARE(added.date.toString(), QDate::currentDate().toString(Qt::ISODate));
    QCOMPARE(added.comments, QStringLiteral("ю").repeated(150));
    QCOMPARE(rows[0].name, QStringLiteral("Старая")); // the other group untouched
}

void TestPeople::correctGroup_data()
{
    QTest::addColumn<QVariant>("storedDate");
    QTest::addColumn<QString>("newName");
    QTest::newRow("unchanged, with a date") << QVariant(QStringLiteral("2023-04-05")) << QString();
    QTest::newRow("unchanged, without a date") << QVariant() << QString();
    QTest::newRow("renamed") << QVariant(QStringLiteral("2023-04-05")) << QStringLiteral("Новое имя");
}

void TestPeople::correctGroup()
{
    QFETCH(QVariant, storedDate);
    QFETCH(QString, newName);
    ProgramFolder folder;
    Database& db = folder.db();
    insertGroup(db, 5, QStringLiteral("Первая"), QStringLiteral("2021-01-01"), QStringLiteral("не та"));
    insertGroup(db, 9, QStringLiteral("Вторая"), storedDate, QStringLiteral("Комментарий"));
    openLists(folder.dm(), 9);
    MessageRecorder messages;
    QString caption, name, comments, dateText;
    QDate date;
    whenShown<TAddGroup_Form>([&](TAddGroup_Form* form) {
        caption = form->windowTitle();
        name = child<QLineEdit>(form, "GroupName_Edit")->text();
        comments = child<QLineEdit>(form, "Comments_Edit")->text();
        date = child<QDateEdit>(form, "DateTest_DateEdit")->date();
        dateText = child<QDateEdit>(form, "DateTest_DateEdit")->text();
        if (!newName.isEmpty())
            typeInto(form, "GroupName_Edit", newName);
        click(form, "OK_But");
    });
    qint32 id = 9;
    QVERIFY(ExecuteAddGroup_Form(id));
    QCOMPARE(id, 9);
    QCOMPARE(caption, QStringLiteral("Корректировка данных группы"));
    QCOMPARE(name, QStringLiteral("Вторая"));
    QCOMPARE(comments, QStringLiteral("Комментарий"));
    if (storedDate.isNull())
        QVERIFY2(dateText.trimmed().isEmpty(), qPrintable(dateText));
    else
        QCOMPARE(date, QDate(2023, 4, 5));
    QVERIFY(messages.shown.isEmpty());

    const QVector<GroupRow> rows = storedGroups(db);
    QCOMPARE(rows.size(), 2);
    QCOMPARE(rows[1].id, 9);
    QCOMPARE(rows[1].dbId, DbId);
    QCOMPARE(rows[1].name, newName.isEmpty() ? QStringLiteral("Вторая") : newName);
    QCOMPARE(rows[1].date.isNull(), storedDate.isNull());
    QCOMPARE(rows[1].date.toString(), storedDate.toString());
    QCOMPARE(rows[1].comments, QStringLiteral("Комментарий"));
    QCOMPARE(rows[0].name, QStringLiteral("Первая"));
    QCOMPARE(rows[0].date.toString(), QStringLiteral("2021-01-01"));
}

void TestPeople::stepFromBlankDateStartsToday()
{
    ProgramFolder folder;
    insertGroup(folder.db(), GroupId, QStringLiteral("Без даты"));
    openLists(folder.dm());
    QDate stepped;
    whenShown<TAddGroup_Form>([&](TAddGroup_Form* form) {
        QDateEdit* editor = child<QDateEdit>(form, "DateTest_DateEdit");
        editor->setFocus();
        QTest::keyClick(editor, Qt::Key_Up);
        stepped = editor->date();
        click(form, "OK_But");
    });
    qint32 id = GroupId;
    QVERIFY(ExecuteAddGroup_Form(id));
    QCOMPARE(stepped, QDate::currentDate());
    QCOMPARE(storedGroups(folder.db()).at(0).date.toString(), QDate::currentDate().toString(Qt::ISODate));
}

void TestPeople::groupRefusals_data()
{
    QTest::addColumn<QString>("name");
    QTest::newRow("empty name") << QString();
    QTest::newRow("blank name") << QStringLiteral("   ");
}

void TestPeople::groupRefusals()
{
    QFETCH(QString, name);
    ProgramFolder folder;
    folder.dm().CurrentDB_ID = DbId;
    MessageRecorder messages;
    bool stayedOpen = false;
    bool focusInName = false;
    whenShown<TAddGroup_Form>([&](TAddGroup_Form* form) {
        typeInto(form, "GroupName_Edit", name);
        typeInto(form, "Comments_Edit", QStringLiteral("комментарий"));
        click(form, "OK_But");
        stayedOpen = form->isVisible();
        focusInName = form->focusWidget() == child<QLineEdit>(form, "GroupName_Edit");
        click(form, "Cancel_But");
    });
    qint32 id = -1;
    QVERIFY(!ExecuteAddGroup_Form(id));
    QVERIFY(stayedOpen);
    QVERIFY(focusInName);
    QCOMPARE(id, -1);
    QCOMPARE(messages.shown.size(), 1);
    QCOMPARE(messages.shown[0].caption, InputError);
    QCOMPARE(messages.shown[0].text, QStringLiteral("Введите название группы!"));
    QVERIFY(storedGroups(folder.db()).isEmpty());
}

void TestPeople::cancelStoresNothing_data()
{
    QTest::addColumn<bool>("memberDialog");
    QTest::addColumn<QString>("way");
    for (const bool member : {false, true}) {
        for (const char* way : {"button", "Esc", "close box"}) {
            QTest::addRow("%s, %s", member ? "member" : "group", way) << member << QString::fromLatin1(way);
        }
    }
}

void TestPeople::cancelStoresNothing()
{
    QFETCH(bool, memberDialog);
    QFETCH(QString, way);
    ProgramFolder folder;
    Database& db = folder.db();
    insertGroup(db, GroupId, QStringLiteral("Группа"));
    openLists(folder.dm());
    MessageRecorder messages;
    auto cancel = [way](QDialog* form, const char* nameEdit) {
        typeInto(form, nameEdit, QStringLiteral("Не сохранять"));
        if (way == QLatin1String("button"))
            click(form, "Cancel_But");
        else if (way == QLatin1String("Esc"))
            QTest::keyClick(form, Qt::Key_Escape);
        else
            form->close();
    };
    qint32 id = -1;
    if (memberDialog) {
        whenShown<TAddTester_Form>([&](TAddTester_Form* form) { cancel(form, "FIO_Edit"); });
        QVERIFY(!ExecuteAddTester_Form(GroupId, id));
    } else {
        whenShown<TAddGroup_Form>([&](TAddGroup_Form* form) { cancel(form, "GroupName_Edit"); });
        QVERIFY(!ExecuteAddGroup_Form(id));
    }
    QCOMPARE(id, -1);
    QVERIFY(messages.shown.isEmpty());
    QCOMPARE(storedGroups(db).size(), 1);
    QVERIFY(storedMembers(db).isEmpty());
}

void TestPeople::addMemberProposesNumber_data()
{
    QTest::addColumn<QList<int>>("numbers");
    QTest::addColumn<int>("proposed");
    QTest::newRow("no members") << QList<int>{} << 1;
    QTest::newRow("seven members numbered 1 to 7") << QList<int>{1, 2, 3, 4, 5, 6, 7} << 8;
    QTest::newRow("seven members with other numbers") << QList<int>{3, 9, 20, 40, 41, 100, 150} << 8;
    QTest::newRow("next number taken: smallest free") << QList<int>{2, 3, 4} << 1;
    QTest::newRow("next number taken, a gap further on") << QList<int>{1, 2, 4} << 3;
    QTest::newRow("150 listed, one outside the range") << [] {
        QList<int> numbers;
        for (int n = 1; n <= 150; ++n)
            numbers.append(n == 77 ? 200 : n);
        return numbers;
    }() << 77;
}

void TestPeople::addMemberProposesNumber()
{
    QFETCH(QList<int>, numbers);
    QFETCH(int, proposed);
    ProgramFolder folder;
    Database& db = folder.db();
    insertGroup(db, GroupId, QStringLiteral("Группа"));
    insertGroup(db, OtherGroupId, QStringLiteral("Другая"));
    insertNumbered(db, OtherGroupId, {1, 2, 3, 4, 5, 6, 7, 8}, 1000); // another group's numbers do not count
    insertNumbered(db, GroupId, numbers, 1);
    openLists(folder.dm());
    MessageRecorder messages;
    QString caption;
    int shownNumber = 0;
    bool flags = false;
    bool nameHasFocus = false;
    whenShown<TAddTester_Form>([&](TAddTester_Form* form) {
        caption = form->windowTitle();
        shownNumber = child<QSpinBox>(form, "Number_Edit")->value();
        flags = child<QCheckBox>(form, "IsMember_CheckBox")->isChecked() &&
                !child<QCheckBox>(form, "IsExpert_CheckBox")->isChecked();
        nameHasFocus = form->focusWidget() == child<QLineEdit>(form, "FIO_Edit");
        typeText(child<QLineEdit>(form, "FIO_Edit"), QStringLiteral("Новиков Новик Новикович"));
        QTest::keyClick(child<QLineEdit>(form, "FIO_Edit"), Qt::Key_Return);
    });
    qint32 id = -1;
    QVERIFY(ExecuteAddTester_Form(GroupId, id));
    QCOMPARE(caption, QStringLiteral("Добавление нового члена группы"));
    QCOMPARE(shownNumber, proposed);
    QVERIFY(flags);
    QVERIFY(nameHasFocus);
    QVERIFY(messages.shown.isEmpty());

    const MemberRow added = storedMember(db, id);
    QCOMPARE(added.menId, qint64(id));
    QVERIFY(id > 1000); // unique in the whole table
    QCOMPARE(added.groupId, GroupId);
    QCOMPARE(added.number, proposed);
    QCOMPARE(added.fio, QStringLiteral("Новиков Новик Новикович"));
    QCOMPARE(added.isMember, 1);
    QCOMPARE(added.isMemberN, 1);
    QCOMPARE(added.isExpert, 0);
    QCOMPARE(added.isExpertN, 0);
    QCOMPARE(storedMembers(db).size(), numbers.size() + 9);
}

void TestPeople::allNumbersTaken()
{
    ProgramFolder folder;
    Database& db = folder.db();
    insertGroup(db, GroupId, QStringLiteral("Полная"));
    QList<int> numbers;
    for (int n = 150; n >= 1; --n)
        numbers.append(n);
    insertNumbered(db, GroupId, numbers, 1);
    openLists(folder.dm());
    MessageRecorder messages;
    bool dialogShown = false;
    QObject scope; // the check below dies with the test, whether or not an event loop ran
    QTimer::singleShot(0, &scope, [&] {
        if (auto* form = shownWindow<TAddTester_Form>()) {
            dialogShown = true;
            form->reject();
        }
    });
    qint32 id = -1;
    QVERIFY(!ExecuteAddTester_Form(GroupId, id));
    QVERIFY(!dialogShown);
    QCOMPARE(id, -1);
    QCOMPARE(messages.shown.size(), 1);
    QCOMPARE(messages.shown[0].caption, QStringLiteral("Информация"));
    QCOMPARE(messages.shown[0].icon, Messages::Icon::Information);
    QCOMPARE(messages.shown[0].text, QStringLiteral("В группе нет свободных номеров: номера с 1 по 150 уже заняты."));
    QCOMPARE(storedMembers(db).size(), 150);
}

void TestPeople::correctMember_data()
{
    QTest::addColumn<bool>("wasMember");
    QTest::addColumn<bool>("wasExpert");
    QTest::addColumn<bool>("flip");
    // The stored copies are deliberately out of step: confirming writes them anew from the check boxes.
    QTest::newRow("flags kept, copies rewritten") << true << false << false;
    QTest::newRow("both flags turned") << false << true << true;
}

void TestPeople::correctMember()
{
    QFETCH(bool, wasMember);
    QFETCH(bool, wasExpert);
    QFETCH(bool, flip);
    ProgramFolder folder;
    Database& db = folder.db();
    insertGroup(db, GroupId, QStringLiteral("Группа"));
    insertMember(db, {3, GroupId, 1, QStringLiteral("Первый"), 1, 1, {}, 1, 1});
    insertMember(db, {8, GroupId, 12, QStringLiteral("Сидоров Сидор"), wasMember, wasExpert,
                      QStringLiteral("примечание"), !wasMember, !wasExpert});
    openLists(folder.dm());
    QVERIFY(folder.dm().Men_Query.locate(QStringLiteral("Men_ID"), 8));
    MessageRecorder messages;
    QString caption, fio, comments;
    int number = 0;
    bool member = false, expert = false, nameHasFocus = false;
    whenShown<TAddTester_Form>([&](TAddTester_Form* form) {
        caption = form->windowTitle();
        number = child<QSpinBox>(form, "Number_Edit")->value();
        fio = child<QLineEdit>(form, "FIO_Edit")->text();
        comments = child<QLineEdit>(form, "Comments_Edit")->text();
        member = child<QCheckBox>(form, "IsMember_CheckBox")->isChecked();
        expert = child<QCheckBox>(form, "IsExpert_CheckBox")->isChecked();
        nameHasFocus = form->focusWidget() == child<QLineEdit>(form, "FIO_Edit");
        if (flip) {
            toggle(form, "IsMember_CheckBox");
            toggle(form, "IsExpert_CheckBox");
        }
        click(form, "OK_But");
    });
    qint32 id = 8;
    QVERIFY(ExecuteAddTester_Form(GroupId, id));
    QCOMPARE(id, 8);
    QCOMPARE(caption, QStringLiteral("Корректировка данных члена группы"));
    QCOMPARE(number, 12);
    QCOMPARE(fio, QStringLiteral("Сидоров Сидор"));
    QCOMPARE(comments, QStringLiteral("примечание"));
    QCOMPARE(member, wasMember);
    QCOMPARE(expert, wasExpert);
    QVERIFY(nameHasFocus);
    QVERIFY(messages.shown.isEmpty());

    const bool wantMember = wasMember != flip;
    const bool wantExpert = wasExpert != flip;
    const MemberRow row = storedMember(db, 8);
    QCOMPARE(row.groupId, GroupId);
    QCOMPARE(row.number, 12);
    QCOMPARE(row.fio, QStringLiteral("Сидоров Сидор"));
    QCOMPARE(row.comments, QStringLiteral("примечание"));
    QCOMPARE(row.isMember, qint64(wantMember));
    QCOMPARE(row.isMemberN, qint64(wantMember));
    QCOMPARE(row.isExpert, qint64(wantExpert));
    QCOMPARE(row.isExpertN, qint64(wantExpert));
    QCOMPARE(storedMember(db, 3).fio, QStringLiteral("Первый"));
    QCOMPARE(storedMembers(db).size(), 2);
}

void TestPeople::memberRefusals_data()
{
    QTest::addColumn<QString>("fio");
    QTest::addColumn<int>("number");
    QTest::addColumn<QString>("refusal"); // empty: stored
    QTest::addColumn<QString>("focus");
    QTest::newRow("empty name") << QString() << 5 << QStringLiteral("Введите фамилию, имя и отчество!") << "FIO_Edit";
    QTest::newRow("blank name") << QStringLiteral("  ") << 5 << QStringLiteral("Введите фамилию, имя и отчество!")
                                << "FIO_Edit";
    QTest::newRow("number of another member")
        << QStringLiteral("Новый") << 2 << QStringLiteral("Номер 2 уже есть у другого члена группы!") << "Number_Edit";
    QTest::newRow("number only another group has") << QStringLiteral("Новый") << 4 << QString() << QString();
}

void TestPeople::memberRefusals()
{
    QFETCH(QString, fio);
    QFETCH(int, number);
    QFETCH(QString, refusal);
    QFETCH(QString, focus);
    ProgramFolder folder;
    Database& db = folder.db();
    insertGroup(db, GroupId, QStringLiteral("Группа"));
    insertNumbered(db, GroupId, {2}, 1);
    insertNumbered(db, OtherGroupId, {4}, 50);
    openLists(folder.dm());
    MessageRecorder messages;
    bool stayedOpen = false;
    QString focused;
    whenShown<TAddTester_Form>([&](TAddTester_Form* form) {
        QSpinBox* box = child<QSpinBox>(form, "Number_Edit");
        box->setFocus();
        box->selectAll();
        QTest::keyClicks(box, QString::number(number));
        typeInto(form, "FIO_Edit", fio);
        click(form, "OK_But");
        stayedOpen = form->isVisible();
        if (form->focusWidget())
            focused = form->focusWidget()->objectName();
        if (stayedOpen)
            click(form, "Cancel_But");
    });
    qint32 id = -1;
    QCOMPARE(ExecuteAddTester_Form(GroupId, id), refusal.isEmpty());
    if (refusal.isEmpty()) {
        QVERIFY(messages.shown.isEmpty());
        QCOMPARE(storedMember(db, id).number, number);
        return;
    }
    QVERIFY(stayedOpen);
    QCOMPARE(focused, focus);
    QCOMPARE(id, -1);
    QCOMPARE(messages.shown.size(), 1);
    QCOMPARE(messages.shown[0].caption, InputError);
    QCOMPARE(messages.shown[0].text, refusal);
    QCOMPARE(storedMembers(db).size(), 2);
}

void TestPeople::numberClamp_data()
{
    QTest::addColumn<QString>("typed");
    QTest::addColumn<QString>("commit");
    QTest::addColumn<int>("stored");
    QTest::newRow("200, Enter") << "200"
                                << "Enter" << 150;
    QTest::newRow("200, OK") << "200"
                             << "OK" << 150;
    QTest::newRow("200, leaving the box") << "200"
                                          << "Tab" << 150;
    QTest::newRow("0, OK") << "0"
                           << "OK" << 1;
    QTest::newRow("0, leaving the box") << "0"
                                        << "Tab" << 1;
    QTest::newRow("151, Enter") << "151"
                                << "Enter" << 150;
    QTest::newRow("in range") << "75"
                              << "OK" << 75;
}

void TestPeople::numberClamp()
{
    QFETCH(QString, typed);
    QFETCH(QString, commit);
    QFETCH(int, stored);
    ProgramFolder folder;
    insertGroup(folder.db(), GroupId, QStringLiteral("Группа"));
    openLists(folder.dm());
    MessageRecorder messages;
    int afterTab = 0;
    whenShown<TAddTester_Form>([&](TAddTester_Form* form) {
        typeInto(form, "FIO_Edit", QStringLiteral("Числов"));
        QSpinBox* box = child<QSpinBox>(form, "Number_Edit");
        box->setFocus();
        box->selectAll();
        QTest::keyClicks(box, typed);
        if (commit == QLatin1String("Enter")) {
            QTest::keyClick(box, Qt::Key_Return);
        } else if (commit == QLatin1String("Tab")) {
            form->activateWindow(); // focus changes reach a box only in the active window
            QVERIFY(QTest::qWaitForWindowActive(form));
            QTest::keyClick(box, Qt::Key_Tab);
            afterTab = box->value();
            click(form, "OK_But");
        } else {
            click(form, "OK_But");
        }
    });
    qint32 id = -1;
    QVERIFY(ExecuteAddTester_Form(GroupId, id));
    QVERIFY(messages.shown.isEmpty());
    QCOMPARE(storedMember(folder.db(), id).number, stored);
    if (commit == QLatin1String("Tab"))
        QCOMPARE(afterTab, stored);
}

void TestPeople::removeGroupCascade()
{
    ProgramFolder folder;
    Database& db = folder.db();
    insertGroup(db, 1, QStringLiteral("Удаляемая"));
    insertGroup(db, 2, QStringLiteral("Остающаяся"));
    insertNumbered(db, 1, {1, 2}, 10);
    insertNumbered(db, 2, {1}, 20);
    db.exec(QStringLiteral("insert into TEST (ID_Group, ID_Test, ID_Men, Ball_C, Ball_M) values"
                           " (1, 10, 11, 1, 1), (1, 11, 10, 1, 1), (1, 10, 10, 0, 0), (2, 20, 20, 0, 0)"));
    PeopleRecords::removeGroup(db, 1);
    const QVector<GroupRow> groups = storedGroups(db);
    QCOMPARE(groups.size(), 1);
    QCOMPARE(groups[0].id, 2);
    const QVector<MemberRow> members = storedMembers(db);
    QCOMPARE(members.size(), 1);
    QCOMPARE(members[0].menId, 20);
    QCOMPARE(storedScores(db), QStringList{QStringLiteral("2:20:20")});
}

void TestPeople::removeMemberCascade()
{
    ProgramFolder folder;
    Database& db = folder.db();
    insertGroup(db, 1, QStringLiteral("Группа"));
    insertGroup(db, 2, QStringLiteral("Другая"));
    insertNumbered(db, 1, {1, 2, 3}, 10);
    insertNumbered(db, 2, {1}, 20);
    // The last row names member 10 under another group: only the member's own group is cleared.
    db.exec(QStringLiteral("insert into TEST (ID_Group, ID_Test, ID_Men, Ball_C, Ball_M) values"
                           " (1, 10, 11, 1, 1), (1, 11, 10, 1, 1), (1, 10, 10, 0, 0), (1, 12, 11, 2, 2),"
                           " (1, 12, 12, 0, 0), (1, 11, 12, 3, 3), (2, 20, 20, 0, 0), (2, 10, 10, 0, 0)"));
    PeopleRecords::removeMember(db, 1, 10);
    QStringList keys;
    for (const MemberRow& row : storedMembers(db))
        keys.append(QString::number(row.menId));
    QCOMPARE(keys, (QStringList{"11", "12", "20"}));
    QCOMPARE(storedScores(db), (QStringList{"1:11:12", "1:12:11", "1:12:12", "2:10:10", "2:20:20"}));
    QCOMPARE(storedGroups(db).size(), 2);
}

void TestPeople::search_data()
{
    QTest::addColumn<QString>("field");
    QTest::addColumn<QString>("text");
    QTest::addColumn<bool>("wholeWord");
    QTest::addColumn<bool>("fromCursor");
    QTest::addColumn<bool>("byNameDescending");
    QTest::addColumn<int>("start");   // number of the member current before the search
    QTest::addColumn<int>("current"); // and after it
    QTest::addColumn<QString>("caption");
    QTest::addColumn<QString>("message");

    const QString fio = QStringLiteral("Фамилия, имя, отчество");
    const QString info = QStringLiteral("Информация");
    const QString error = QStringLiteral("Ошибка");
    // Members: 1 Иванов Иван Иванович, 2 Петров Пётр Петрович, 3 Ивашкин Олег, 4 Богданов Иван, 5 Smith John.
    QTest::newRow("two letters, other case") << fio << "иВ" << false << false << false << 4 << 1 << ""
                                             << "";
    QTest::newRow("in the list's order") << fio << "Ив" << false << false << true << 1 << 3 << ""
                                         << "";
    QTest::newRow("letters further on only") << fio << "ван" << false << false << false << 2 << 2 << info << NotFound;
    QTest::newRow("whole name, other case") << fio << "иванов иван иванович" << true << false << false << 5 << 1 << ""
                                            << "";
    QTest::newRow("whole name with ё") << fio << "петров пётр петрович" << true << false << false << 1 << 2 << ""
                                       << "";
    QTest::newRow("whole name, Latin") << fio << "smith john" << true << false << false << 1 << 5 << ""
                                       << "";
    QTest::newRow("surname alone as whole name")
        << fio << "Иванов" << true << false << false << 3 << 3 << info << NotFound;
    QTest::newRow("no trailing space in the name")
        << fio << "Петр " << false << false << false << 4 << 4 << info << NotFound;
    QTest::newRow("without the trailing space") << fio << "Петр" << false << false << false << 4 << 2 << ""
                                                << "";
    QTest::newRow("trailing space in the name too") << fio << "ИВАШКИН " << false << false << false << 1 << 3 << ""
                                                    << "";
    QTest::newRow("empty text") << fio << "" << false << false << false << 3 << 3 << info << NotFound;
    QTest::newRow("empty text, whole name") << fio << "" << true << false << false << 3 << 3 << info << NotFound;
    QTest::newRow("from the cursor") << fio << "ив" << false << true << false << 1 << 3 << ""
                                     << "";
    QTest::newRow("from the cursor on the last member")
        << fio << "S" << false << true << false << 5 << 5 << info << NotFound;
    QTest::newRow("age") << QStringLiteral("Возраст") << "30" << false << false << false << 3 << 3 << error
                         << "Field 'AGE' not found";
    QTest::newRow("group") << QStringLiteral("Группа") << "Ив" << false << true << false << 2 << 2 << error
                           << "Field 'GROUP_NAME' not found";
    QTest::newRow("typed field name") << QStringLiteral("Отдел") << "Ив" << false << false << false << 4 << 4 << error
                                      << "Field '' not found";
    QTest::newRow("age from the cursor on the last member")
        << QStringLiteral("Возраст") << "30" << false << true << false << 5 << 5 << info << NotFound;
}

namespace {

void searchMembers(ProgramFolder& folder, bool byNameDescending)
{
    Database& db = folder.db();
    insertGroup(db, GroupId, QStringLiteral("Группа"));
    const QStringList names{QStringLiteral("Иванов Иван Иванович"), QStringLiteral("Петров Пётр Петрович"),
                            QStringLiteral("Ивашкин Олег"), QStringLiteral("Богданов Иван"),
                            QStringLiteral("Smith John")};
    for (int i = 0; i < names.size(); ++i)
        insertMember(db, {100 + i, GroupId, i + 1, names[i], 1, 0, {}, 1, 0});
    insertMember(db, {200, OtherGroupId, 1, QStringLiteral("Иванцов из другой группы"), 1, 0, {}, 1, 0});
    openLists(folder.dm(), GroupId,
              byNameDescending ? QVector<OrderItem>{{QStringLiteral("FIO"), true}} : QVector<OrderItem>{});
}

int currentNumber()
{
    return int(Main_DataModule->Men_Query.asInteger(QStringLiteral("NumberInList")));
}

} // namespace

void TestPeople::search()
{
    QFETCH(QString, field);
    QFETCH(QString, text);
    QFETCH(bool, wholeWord);
    QFETCH(bool, fromCursor);
    QFETCH(bool, byNameDescending);
    QFETCH(int, start);
    QFETCH(int, current);
    QFETCH(QString, caption);
    QFETCH(QString, message);
    ProgramFolder folder;
    searchMembers(folder, byNameDescending);
    Dataset& men = folder.dm().Men_Query;
    QVERIFY(men.locate(QStringLiteral("NumberInList"), start));
    MessageRecorder messages;
    QSignalSpy notices(&men, &Dataset::changed);
    int duringSearch = -1;
    int noticesOfSearch = -1;
    bool stayedOpen = false;
    bool cursorSelected = false;
    whenShown<TSearch_Form>([&](TSearch_Form* form) {
        typeInto(form, "Source_Edit", text);
        QLineEdit* fieldBox = child<QComboBox>(form, "SourceField_ComboBox")->lineEdit();
        fieldBox->selectAll();
        QTest::keyClick(fieldBox, Qt::Key_Delete);
        typeText(fieldBox, field);
        if (wholeWord)
            toggle(form, "WordFull_CheckBox");
        if (fromCursor)
            click(form, "TypeSearchCursor_RadioButton");
        notices.clear();
        click(form, "OK_Button");
        noticesOfSearch = int(notices.count());
        duringSearch = currentNumber();
        stayedOpen = form->isVisible();
        cursorSelected = child<QRadioButton>(form, "TypeSearchCursor_RadioButton")->isChecked();
        QTest::keyClick(form, Qt::Key_Escape);
    });
    ExecuteSearch_Form();
    QVERIFY(stayedOpen);
    QCOMPARE(duringSearch, current);
    QCOMPARE(currentNumber(), current); // where the main window finds the list
    QVERIFY2(noticesOfSearch <= 1, "the member grid followed the scan");
    if (message.isEmpty()) {
        QVERIFY(messages.shown.isEmpty());
        QVERIFY(cursorSelected);
        return;
    }
    QCOMPARE(cursorSelected, fromCursor); // the radio group keeps its choice
    QCOMPARE(messages.shown.size(), 1);
    QCOMPARE(messages.shown[0].caption, caption);
    QCOMPARE(messages.shown[0].text, message);
}

void TestPeople::searchStepsThroughMatches()
{
    ProgramFolder folder;
    searchMembers(folder, false);
    QVERIFY(folder.dm().Men_Query.locate(QStringLiteral("NumberInList"), 2));
    MessageRecorder messages;
    QList<int> found;
    QStringList shownAfter;
    whenShown<TSearch_Form>([&](TSearch_Form* form) {
        typeInto(form, "Source_Edit", QStringLiteral("ив"));
        for (int press = 0; press < 3; ++press) {
            QTest::keyClick(child<QLineEdit>(form, "Source_Edit"), Qt::Key_Return); // Enter is "Искать"
            found.append(currentNumber());
            shownAfter.append(messages.texts().join(QLatin1Char('|')));
        }
        QVERIFY(child<QRadioButton>(form, "TypeSearchCursor_RadioButton")->isChecked());
        click(form, "Cancel_Button");
    });
    ExecuteSearch_Form();
    QCOMPARE(found, (QList<int>{1, 3, 3}));
    QCOMPARE(shownAfter, (QStringList{QString(), QString(), NotFound}));
    QCOMPARE(currentNumber(), 3);
}

QTEST_MAIN(TestPeople)
#include "tst_people.moc"
