// The database chooser, the password dialog and the database dialog, driven as a user drives them.

#include "databases/CaesarCipher.h"
#include "databases/DBEdit_Frm.h"
#include "databases/DB_Frm.h"
#include "databases/Password_Frm.h"
#include "support/TestSupport.h"
#include "widgets/DataGrid.h"

#include <QAction>
#include <QLineEdit>
#include <QPushButton>
#include <QtTest>

using namespace TestSupport;

namespace {

const QString WrongPassword = QStringLiteral("Неверный пароль! Повторите ввод.");
const QString Mismatch = QStringLiteral("Пароли не совпадают! Повторите ввод.");

struct DbRow
{
    qint64 id;
    QString name;
    QByteArray password; // as stored
};

// What DB.DAT holds, read through a connection of its own.
QVector<DbRow> storedDatabases(const QString& programDir)
{
    Database db;
    db.connect(QDir(programDir).filePath(QStringLiteral("DB")));
    Statement st(db, QStringLiteral("select DB_ID, DB_Name, Password from DB order by DB_ID"));
    QVector<DbRow> rows;
    while (st.step())
        rows.append({st.value(0).toLongLong(), st.value(1).toString(), st.value(2).toByteArray()});
    return rows;
}

qint64 count(Database& db, const QString& table)
{
    return db.scalar(QStringLiteral("select count(*) from %1").arg(table)).toLongLong();
}

void addDatabase(Database& db, qint64 id, const QString& name, const QString& password = {})
{
    db.exec(QStringLiteral("insert into DB (DB_ID, DB_Name, Password) values (:id, :name, :pw)"),
            {{QStringLiteral("id"), id},
             {QStringLiteral("name"), name},
             {QStringLiteral("pw"), StoredPassword::scramble(*Cp1251::encode(password))}});
}

// Types into the password dialog that is about to open and presses OK; `then` runs while it may still be open.
void answerPassword(const QString& typed, std::function<void(TInputPassword_Form*)> then = {})
{
    whenShown<TInputPassword_Form>([typed, then](TInputPassword_Form* dialog) {
        typeInto(dialog, "Password_Edit", typed);
        click(dialog, "Ok_But");
        if (then)
            then(dialog);
    });
}

} // namespace

class TestDatabases : public QObject
{
    Q_OBJECT

private slots:
    void initTestCase() { initKoltraResources(); }

    void emptyListLeavesOnlyCreateAndCancel();
    void selectionOnEntry_data();
    void selectionOnEntry();
    void okAndDoubleClickHandBackWithoutPrompt();
    void passwordEntries_data();
    void passwordEntries();
    void cancelledPasswordKeepsChooserOpen();
    void createDatabaseStoresScrambledPassword();
    void createRefusals_data();
    void createRefusals();
    void confirmationMismatchAndCancelStoreNothing();
    void editAsksPasswordFirst();
    void editKeepsOrChangesPassword();
    void passwordWithByteZeroSurvives();
    void deleteRemovesDatabaseWithItsData();
    void deleteRefusedForOpenDatabase();
    void deletingTheLastDisablesTheCommands();
};

void TestDatabases::emptyListLeavesOnlyCreateAndCancel()
{
    ProgramFolder folder;
    MessageRecorder messages;
    bool checked = false;
    whenShown<TDB_Form>([&](TDB_Form* form) {
        QVERIFY(!child<QPushButton>(form, "OK_But")->isEnabled());
        QVERIFY(child<QPushButton>(form, "Cancel_But")->isEnabled());
        QVERIFY(form->AddDB->isEnabled());
        QVERIFY(!form->EditDB->isEnabled());
        QVERIFY(!form->DelDB->isEnabled());
        QTest::mouseDClick(child<DataGrid>(form, "DBGridEh1")->viewport(), Qt::LeftButton);
        QVERIFY(form->isVisible()); // a double-click on the empty list does nothing
        checked = true;
        QTest::keyClick(form, Qt::Key_Escape);
    });
    qint32 id = 7;
    QString name = QStringLiteral("прежнее");
    QVERIFY(!ExecuteDB_Form(id, name));
    QVERIFY(checked);
    QCOMPARE(id, 7);
    QCOMPARE(name, QStringLiteral("прежнее"));
    QVERIFY(!folder.dm().DB_Table.isOpen());
    QVERIFY(messages.shown.isEmpty());
}

void TestDatabases::selectionOnEntry_data()
{
    QTest::addColumn<int>("entry");
    QTest::addColumn<QString>("selected");
    QTest::newRow("none pre-selected: smallest key") << 0 << "Первая";
    QTest::newRow("the current database") << 5 << "Вторая";
    QTest::newRow("a key no row has") << 99 << "Первая";
}

void TestDatabases::selectionOnEntry()
{
    QFETCH(int, entry);
    QFETCH(QString, selected);
    ProgramFolder folder;
    addDatabase(folder.db(), 9, QStringLiteral("Третья"));
    addDatabase(folder.db(), 2, QStringLiteral("Первая"));
    addDatabase(folder.db(), 5, QStringLiteral("Вторая"));
    whenShown<TDB_Form>([](TDB_Form* form) { click(form, "OK_But"); });
    qint32 id = entry;
    QString name;
    QVERIFY(ExecuteDB_Form(id, name));
    QCOMPARE(name, selected);
}

void TestDatabases::okAndDoubleClickHandBackWithoutPrompt()
{
    ProgramFolder folder;
    addDatabase(folder.db(), 1, QStringLiteral("Открытая"));
    addDatabase(folder.db(), 2, QStringLiteral("Вторая"));
    MessageRecorder messages;
    whenShown<TDB_Form>([](TDB_Form* form) {
        DataGrid* grid = child<DataGrid>(form, "DBGridEh1");
        QTest::mouseDClick(grid->viewport(), Qt::LeftButton, {}, grid->visualRect(grid->model()->index(1, 0)).center());
    });
    qint32 id = 0;
    QString name;
    QVERIFY(ExecuteDB_Form(id, name));
    QCOMPARE(id, 2);
    QCOMPARE(name, QStringLiteral("Вторая"));
    QVERIFY(!folder.dm().DB_Table.isOpen()); // closed again on return
    QVERIFY(messages.shown.isEmpty());
    QVERIFY(!shownWindow<TInputPassword_Form>());
}

void TestDatabases::passwordEntries_data()
{
    QTest::addColumn<QStringList>("attempts");
    QTest::addColumn<int>("wrongMessages");
    QTest::newRow("right at once") << QStringList{QStringLiteral("Секрет")} << 0;
    QTest::newRow("other letter case, then right")
        << QStringList{QStringLiteral("секрет"), QStringLiteral("Секрет")} << 1;
    QTest::newRow("trailing space twice, then right")
        << QStringList{QStringLiteral("Секрет "), QStringLiteral("Секрет "), QStringLiteral("Секрет")} << 2;
}

void TestDatabases::passwordEntries()
{
    QFETCH(QStringList, attempts);
    QFETCH(int, wrongMessages);
    ProgramFolder folder;
    addDatabase(folder.db(), 1, QStringLiteral("Защищенная"), QStringLiteral("Секрет"));
    MessageRecorder messages;
    QStringList keptTexts;
    QString caption;
    whenShown<TDB_Form>([&](TDB_Form* form) {
        whenShown<TInputPassword_Form>([&](TInputPassword_Form* dialog) {
            caption = dialog->windowTitle();
            QLineEdit* box = child<QLineEdit>(dialog, "Password_Edit");
            for (const QString& attempt : attempts) {
                typeInto(dialog, "Password_Edit", attempt);
                click(dialog, "Ok_But");
                if (dialog->isVisible())
                    keptTexts.append(box->text()); // the wrong text stays in the box
            }
        });
        click(form, "OK_But");
    });
    qint32 id = 0;
    QString name;
    QVERIFY(ExecuteDB_Form(id, name));
    QCOMPARE(id, 1);
    QCOMPARE(caption, QStringLiteral("Ввод пароля"));
    QCOMPARE(messages.shown.size(), wrongMessages);
    for (const auto& shown : messages.shown) {
        QCOMPARE(shown.caption, QStringLiteral("Ошибка ввода пароля"));
        QCOMPARE(shown.text, WrongPassword);
        QCOMPARE(shown.icon, Messages::Icon::Information);
    }
    QCOMPARE(keptTexts, attempts.mid(0, wrongMessages));
}

void TestDatabases::cancelledPasswordKeepsChooserOpen()
{
    ProgramFolder folder;
    addDatabase(folder.db(), 1, QStringLiteral("Первая"));
    addDatabase(folder.db(), 2, QStringLiteral("Защищенная"), QStringLiteral("pw"));
    bool stillOpen = false;
    qint64 selected = 0;
    whenShown<TDB_Form>([&](TDB_Form* form) {
        whenShown<TInputPassword_Form>([&, form](TInputPassword_Form* dialog) {
            typeText(child<QLineEdit>(dialog, "Password_Edit"), QStringLiteral("не тот"));
            QTest::keyClick(dialog, Qt::Key_Escape);
            QTimer::singleShot(0, form, [&, form] {
                stillOpen = form->isVisible();
                selected = Main_DataModule->DB_Table.asInteger(QStringLiteral("DB_ID"));
                click(form, "Cancel_But");
            });
        });
        click(form, "OK_But");
    });
    qint32 id = 2;
    QString name;
    QVERIFY(!ExecuteDB_Form(id, name));
    QVERIFY(stillOpen);
    QCOMPARE(selected, 2);
    QCOMPARE(id, 2);
}

void TestDatabases::createDatabaseStoresScrambledPassword()
{
    ProgramFolder folder;
    MessageRecorder messages;
    bool enabledAfterCreate = false;
    whenShown<TDB_Form>([&](TDB_Form* form) {
        whenShown<TDBEdit_Form>([&](TDBEdit_Form* edit) {
            QCOMPARE(edit->windowTitle(), QStringLiteral("Создание базы данных"));
            typeInto(edit, "DB_Edit", QStringLiteral("Школа №5"));
            typeInto(edit, "Password_Edit", QStringLiteral("abc"));
            whenShown<TInputPassword_Form>([](TInputPassword_Form* confirm) {
                QCOMPARE(confirm->windowTitle(), QStringLiteral("Подтверждение пароля"));
                typeInto(confirm, "Password_Edit", QStringLiteral("abc"));
                click(confirm, "Ok_But");
            });
            click(edit, "Ok_But");
        });
        form->AddDB->trigger();
        // The chooser is still open, with the new database selected and the commands enabled.
        enabledAfterCreate =
            child<QPushButton>(form, "OK_But")->isEnabled() && form->EditDB->isEnabled() && form->DelDB->isEnabled();
        answerPassword(QStringLiteral("abc"));
        click(form, "OK_But");
    });
    qint32 id = 0;
    QString name;
    QVERIFY(ExecuteDB_Form(id, name));
    QVERIFY(enabledAfterCreate);
    QCOMPARE(name, QStringLiteral("Школа №5"));
    QVERIFY(messages.shown.isEmpty());
    const QVector<DbRow> rows = storedDatabases(folder.path());
    QCOMPARE(rows.size(), 1);
    QCOMPARE(rows[0].id, qint64(id));
    QVERIFY(rows[0].id > 0);
    QCOMPARE(rows[0].name, QStringLiteral("Школа №5"));
    QCOMPARE(rows[0].password, QByteArray("def")); // each byte shifted by the length, 3
}

void TestDatabases::createRefusals_data()
{
    QTest::addColumn<QString>("name");
    QTest::addColumn<QString>("password");
    QTest::newRow("empty name") << ""
                                << "";
    QTest::newRow("blank name") << "   "
                                << "";
    QTest::newRow("password outside code page 1251") << "База" << QString::fromUtf8("密码");
}

void TestDatabases::createRefusals()
{
    QFETCH(QString, name);
    QFETCH(QString, password);
    ProgramFolder folder;
    folder.dm().DB_Table.open();
    MessageRecorder messages;
    bool stayedOpen = false;
    whenShown<TDBEdit_Form>([&](TDBEdit_Form* edit) {
        typeInto(edit, "DB_Edit", name);
        typeInto(edit, "Password_Edit", password);
        click(edit, "Ok_But");
        stayedOpen = edit->isVisible();
        click(edit, "Cancel_But");
    });
    qint32 id = -1;
    QString handedBack;
    QVERIFY(!ExecuteDBEdit_Form(id, handedBack));
    QVERIFY(stayedOpen);
    QCOMPARE(id, -1);
    QCOMPARE(messages.shown.size(), 1);
    QCOMPARE(messages.shown[0].caption, QStringLiteral("Ошибка ввода"));
    QVERIFY(storedDatabases(folder.path()).isEmpty());
}

void TestDatabases::confirmationMismatchAndCancelStoreNothing()
{
    ProgramFolder folder;
    folder.dm().DB_Table.open();
    MessageRecorder messages;
    bool editStillOpen = false;
    whenShown<TDBEdit_Form>([&](TDBEdit_Form* edit) {
        typeInto(edit, "DB_Edit", QStringLiteral("База"));
        typeInto(edit, "Password_Edit", QStringLiteral("пароль"));
        answerPassword(QStringLiteral("Пароль"), [](TInputPassword_Form* confirm) {
            QVERIFY(confirm->isVisible()); // wrong repeat: still asking
            QTest::keyClick(confirm, Qt::Key_Escape);
        });
        click(edit, "Ok_But");
        editStillOpen = edit->isVisible();
        click(edit, "Cancel_But");
    });
    qint32 id = -1;
    QString name;
    QVERIFY(!ExecuteDBEdit_Form(id, name));
    QVERIFY(editStillOpen);
    QCOMPARE(messages.texts(), QStringList{Mismatch});
    QVERIFY(storedDatabases(folder.path()).isEmpty());
}

void TestDatabases::editAsksPasswordFirst()
{
    ProgramFolder folder;
    addDatabase(folder.db(), 1, QStringLiteral("Защищенная"), QStringLiteral("pw"));
    bool editOpened = false;
    whenShown<TDB_Form>([&](TDB_Form* form) {
        whenShown<TInputPassword_Form>([](TInputPassword_Form* dialog) { click(dialog, "Cancel_But"); });
        form->EditDB->trigger();
        editOpened = shownWindow<TDBEdit_Form>() != nullptr;
        click(form, "Cancel_But");
    });
    qint32 id = 0;
    QString name;
    QVERIFY(!ExecuteDB_Form(id, name));
    QVERIFY(!editOpened);
}

void TestDatabases::editKeepsOrChangesPassword()
{
    ProgramFolder folder;
    addDatabase(folder.db(), 1, QStringLiteral("Старое имя"), QStringLiteral("ab"));
    addDatabase(folder.db(), 2, QStringLiteral("Другая"), QStringLiteral("xy"));
    MessageRecorder messages;
    QString shownPassword;
    int confirmations = 0;
    whenShown<TDB_Form>([&](TDB_Form* form) {
        // First edit: only the name changes; the password box is left alone, so no confirmation is asked.
        answerPassword(QStringLiteral("ab"));
        whenShown<TDBEdit_Form>([&](TDBEdit_Form* edit) {
            QCOMPARE(edit->windowTitle(), QStringLiteral("Изменение данных базы данных"));
            shownPassword = child<QLineEdit>(edit, "Password_Edit")->text();
            QVERIFY(!edit->passwordChanged());
            typeInto(edit, "DB_Edit", QStringLiteral("Новое имя"));
            click(edit, "Ok_But");
        });
        form->EditDB->trigger();
        QCOMPARE(Main_DataModule->DB_Table.asString(QStringLiteral("DB_Name")), QStringLiteral("Новое имя"));

        // Second edit: typing a character and deleting it again counts as a change: the password is confirmed.
        answerPassword(QStringLiteral("ab"));
        whenShown<TDBEdit_Form>([&](TDBEdit_Form* edit) {
            QLineEdit* box = child<QLineEdit>(edit, "Password_Edit");
            box->setFocus();
            box->end(false);
            typeText(box, QStringLiteral("z"));
            QTest::keyClick(box, Qt::Key_Backspace);
            QVERIFY(edit->passwordChanged());
            whenShown<TInputPassword_Form>([&](TInputPassword_Form* confirm) {
                ++confirmations;
                typeInto(confirm, "Password_Edit", QStringLiteral("ab"));
                click(confirm, "Ok_But");
            });
            click(edit, "Ok_But");
        });
        form->EditDB->trigger();

        // Third edit: a new Cyrillic password.
        answerPassword(QStringLiteral("ab"));
        whenShown<TDBEdit_Form>([&](TDBEdit_Form* edit) {
            typeInto(edit, "Password_Edit", QStringLiteral("Пароль1"));
            answerPassword(QStringLiteral("Пароль1"));
            click(edit, "Ok_But");
        });
        form->EditDB->trigger();
        click(form, "Cancel_But");
    });
    qint32 id = 1;
    QString name;
    QVERIFY(!ExecuteDB_Form(id, name));
    QCOMPARE(shownPassword, QStringLiteral("ab"));
    QCOMPARE(confirmations, 1);
    QVERIFY(messages.shown.isEmpty());
    const QVector<DbRow> rows = storedDatabases(folder.path());
    QCOMPARE(rows.size(), 2);
    QCOMPARE(rows[0].name, QStringLiteral("Новое имя"));
    QCOMPARE(rows[0].password, TJvCaesarCipher::shift(*Cp1251::encode(QStringLiteral("Пароль1")), 7));
    QCOMPARE(rows[1].name, QStringLiteral("Другая")); // the other row untouched
    QCOMPARE(rows[1].password, QByteArray("z{"));
}

void TestDatabases::passwordWithByteZeroSurvives()
{
    // In code page 1251 "ш" is 248; with an 8-byte password it is stored as the byte 0.
    const QString password = QStringLiteral("ш1234567");
    ProgramFolder folder;
    folder.dm().DB_Table.open();
    whenShown<TDBEdit_Form>([&](TDBEdit_Form* edit) {
        typeInto(edit, "DB_Edit", QStringLiteral("Нулевой байт"));
        typeInto(edit, "Password_Edit", password);
        answerPassword(password);
        click(edit, "Ok_But");
    });
    qint32 id = -1;
    QString name;
    QVERIFY(ExecuteDBEdit_Form(id, name));
    folder.dm().DB_Table.close();
    const QVector<DbRow> rows = storedDatabases(folder.path());
    QCOMPARE(rows.size(), 1);
    QCOMPARE(rows[0].password.size(), 8);
    QCOMPARE(rows[0].password.at(0), '\0');

    whenShown<TDB_Form>([&](TDB_Form* form) {
        answerPassword(password);
        click(form, "OK_But");
    });
    qint32 chosen = 0;
    QString chosenName;
    QVERIFY(ExecuteDB_Form(chosen, chosenName));
    QCOMPARE(chosen, id);
}

void TestDatabases::deleteRemovesDatabaseWithItsData()
{
    ProgramFolder folder;
    Database& db = folder.db();
    addDatabase(db, 1, QStringLiteral("Удаляемая"), QStringLiteral("pw"));
    addDatabase(db, 2, QStringLiteral("Остающаяся"));
    db.exec(QStringLiteral("insert into \"GROUP\" (Group_ID, DB_ID, Group_Name) values (10, 1, 'А'), (20, 2, 'Б')"));
    db.exec(QStringLiteral("insert into USER (Men_ID, Group_ID, FIO) values (100, 10, 'x'), (200, 20, 'y')"));
    db.exec(QStringLiteral("insert into TEST (ID_Group, ID_Test, ID_Men, Ball_C, Ball_M) values "
                           "(10, 100, 100, 1, 1), (20, 200, 200, 2, 2)"));
    MessageRecorder messages;
    messages.answers.enqueue(QMessageBox::No); // the first time the user thinks better of it
    QStringList listed;
    whenShown<TDB_Form>([&](TDB_Form* form) {
        form->DelDB->trigger();
        QCOMPARE(Main_DataModule->DB_Table.recordCount(), 2);
        answerPassword(QStringLiteral("pw"));
        form->DelDB->trigger();
        for (int row = 0; row < Main_DataModule->DB_Table.recordCount(); ++row)
            listed.append(child<DataGrid>(form, "DBGridEh1")->model()->index(row, 0).data().toString());
        click(form, "Cancel_But");
    });
    qint32 id = 0;
    QString name;
    QVERIFY(!ExecuteDB_Form(id, name));
    QCOMPARE(messages.shown.size(), 2);
    QCOMPARE(messages.shown[0].icon, Messages::Icon::Question);
    QVERIFY(messages.shown[0].text.contains(QStringLiteral("Удаляемая")));
    QCOMPARE(listed, QStringList{QStringLiteral("Остающаяся")});

    const QVector<DbRow> rows = storedDatabases(folder.path());
    QCOMPARE(rows.size(), 1);
    QCOMPARE(rows[0].id, 2);
    QCOMPARE(count(db, QStringLiteral("\"GROUP\"")), 1);
    QCOMPARE(db.scalar(QStringLiteral("select Group_ID from \"GROUP\"")).toLongLong(), 20);
    QCOMPARE(db.scalar(QStringLiteral("select Men_ID from USER")).toLongLong(), 200);
    QCOMPARE(db.scalar(QStringLiteral("select ID_Group from TEST")).toLongLong(), 20);
    QCOMPARE(count(db, QStringLiteral("TEST")), 1);
}

void TestDatabases::deleteRefusedForOpenDatabase()
{
    ProgramFolder folder;
    addDatabase(folder.db(), 1, QStringLiteral("Открытая"));
    folder.dm().CurrentDB_ID = 1;
    MessageRecorder messages;
    whenShown<TDB_Form>([&](TDB_Form* form) {
        form->DelDB->trigger();
        click(form, "Cancel_But");
    });
    qint32 id = 1;
    QString name;
    QVERIFY(!ExecuteDB_Form(id, name));
    QCOMPARE(messages.shown.size(), 1);
    QCOMPARE(messages.shown[0].icon, Messages::Icon::Information);
    QCOMPARE(storedDatabases(folder.path()).size(), 1);
}

void TestDatabases::deletingTheLastDisablesTheCommands()
{
    ProgramFolder folder;
    addDatabase(folder.db(), 4, QStringLiteral("Единственная"));
    MessageRecorder messages; // answers Yes
    bool okEnabled = true;
    bool editEnabled = true;
    bool deleteEnabled = true;
    whenShown<TDB_Form>([&](TDB_Form* form) {
        form->DelDB->trigger();
        okEnabled = child<QPushButton>(form, "OK_But")->isEnabled();
        editEnabled = form->EditDB->isEnabled();
        deleteEnabled = form->DelDB->isEnabled();
        click(form, "Cancel_But");
    });
    qint32 id = 0;
    QString name;
    QVERIFY(!ExecuteDB_Form(id, name));
    QVERIFY(!okEnabled);
    QVERIFY(!editEnabled);
    QVERIFY(!deleteEnabled);
    QVERIFY(storedDatabases(folder.path()).isEmpty());
}

QTEST_MAIN(TestDatabases)
#include "tst_databases.moc"
