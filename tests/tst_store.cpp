// The table store: the four table files of the database folder, Russian ordering, bound parameters, the dataset
// cursor, waiting on a lock held by another copy of the program, and the writes of logical databases.

#include "app/DataMod.h"
#include "databases/CaesarCipher.h"
#include "databases/DbRecords.h"
#include "store/Database.h"
#include "store/Dataset.h"

#include <QDir>
#include <QElapsedTimer>
#include <QFile>
#include <QSignalSpy>
#include <QTemporaryDir>
#include <QTest>

#include <sqlite3.h>

#include <memory>

Q_DECLARE_METATYPE(QVector<OrderItem>)

namespace {

// A connection of its own to one table file, as another copy of the program (or a curious user) would open it.
class PlainDb
{
public:
    explicit PlainDb(const QString& path)
    {
        if (sqlite3_open_v2(path.toUtf8().constData(), &m_db, SQLITE_OPEN_READWRITE, nullptr) != SQLITE_OK)
            qFatal("cannot open %s: %s", qPrintable(path), sqlite3_errmsg(m_db));
        // The text columns name the collation RU; a stand-in lets this connection use them at all.
        sqlite3_create_collation(m_db, "RU", SQLITE_UTF8, nullptr,
                                 [](void*, int la, const void* a, int lb, const void* b) {
                                     const int c = memcmp(a, b, size_t(qMin(la, lb)));
                                     return c != 0 ? c : la - lb;
                                 });
    }
    ~PlainDb() { sqlite3_close_v2(m_db); }
    PlainDb(const PlainDb&) = delete;
    PlainDb& operator=(const PlainDb&) = delete;

    // SQLite's result code; the message is kept for the failure report.
    int exec(const QString& sql)
    {
        char* error = nullptr;
        const int rc = sqlite3_exec(m_db, sql.toUtf8().constData(), nullptr, nullptr, &error);
        lastError = error ? QString::fromUtf8(error) : QString();
        sqlite3_free(error);
        return rc;
    }

    // Every row as its columns joined by '|'; NULL reads as "<null>".
    QStringList rows(const QString& sql)
    {
        QStringList result;
        sqlite3_stmt* stmt = nullptr;
        if (sqlite3_prepare_v2(m_db, sql.toUtf8().constData(), -1, &stmt, nullptr) != SQLITE_OK) {
            lastError = QString::fromUtf8(sqlite3_errmsg(m_db));
            return {QStringLiteral("<error: %1>").arg(lastError)};
        }
        while (sqlite3_step(stmt) == SQLITE_ROW) {
            QStringList columns;
            for (int c = 0; c < sqlite3_column_count(stmt); ++c) {
                columns.append(sqlite3_column_type(stmt, c) == SQLITE_NULL
                                   ? QStringLiteral("<null>")
                                   : QString::fromUtf8(reinterpret_cast<const char*>(sqlite3_column_text(stmt, c)),
                                                       sqlite3_column_bytes(stmt, c)));
            }
            result.append(columns.join(QLatin1Char('|')));
        }
        sqlite3_finalize(stmt);
        return result;
    }

    QByteArray blob(const QString& sql)
    {
        sqlite3_stmt* stmt = nullptr;
        QByteArray result("<no row>");
        if (sqlite3_prepare_v2(m_db, sql.toUtf8().constData(), -1, &stmt, nullptr) == SQLITE_OK &&
            sqlite3_step(stmt) == SQLITE_ROW) {
            result = QByteArray(static_cast<const char*>(sqlite3_column_blob(stmt, 0)), sqlite3_column_bytes(stmt, 0));
        }
        sqlite3_finalize(stmt);
        return result;
    }

    qint64 count(const QString& table)
    {
        const QStringList result = rows(QStringLiteral("select count(*) from %1").arg(table));
        return result.size() == 1 ? result.first().toLongLong() : -1;
    }

    QString lastError;

private:
    sqlite3* m_db = nullptr;
};

// A throw-away program folder with its DB subfolder and the data module connected to it.
struct Store
{
    Store()
    {
        if (!dir.isValid() || !QDir(dir.path()).mkdir(QStringLiteral("DB")))
            qFatal("cannot make the program folder");
        module = std::make_unique<TMain_DataModule>(dir.path());
        if (!module->DataModuleCreate())
            qFatal("the data module did not connect");
    }

    QString file(const QString& name) const { return QDir(dir.path()).filePath(QStringLiteral("DB/") + name); }
    Database& db() { return module->Main_Database; }

    QTemporaryDir dir;
    std::unique_ptr<TMain_DataModule> module;
};

void addGroup(Database& db, qint64 groupId, qint64 dbId, const QString& name = QStringLiteral("Группа"))
{
    db.exec(QStringLiteral("insert into \"GROUP\" (Group_ID, DB_ID, Group_Name) values (:g, :d, :n)"),
            {{QStringLiteral("g"), groupId}, {QStringLiteral("d"), dbId}, {QStringLiteral("n"), name}});
}

void addMan(Database& db, qint64 menId, qint64 groupId, const QString& fio)
{
    db.exec(QStringLiteral("insert into USER (Men_ID, Group_ID, FIO) values (:m, :g, :f)"),
            {{QStringLiteral("m"), menId}, {QStringLiteral("g"), groupId}, {QStringLiteral("f"), fio}});
}

void addScore(Database& db, qint64 groupId, qint64 testId, qint64 menId)
{
    db.exec(QStringLiteral("insert into TEST (ID_Group, ID_Test, ID_Men, Ball_C, Ball_M) values (:g, :t, :m, 1, 2)"),
            {{QStringLiteral("g"), groupId}, {QStringLiteral("t"), testId}, {QStringLiteral("m"), menId}});
}

// The whole content of the four files, read through connections of their own: a before/after picture.
QStringList snapshot(const Store& store)
{
    QStringList all;
    PlainDb db(store.file(QStringLiteral("DB.DAT")));
    PlainDb group(store.file(QStringLiteral("Group.DAT")));
    PlainDb user(store.file(QStringLiteral("User.DAT")));
    PlainDb test(store.file(QStringLiteral("Test.DAT")));
    all << db.rows(QStringLiteral("select DB_ID, DB_Name, hex(Password) from DB order by DB_ID"))
        << group.rows(QStringLiteral("select * from \"GROUP\" order by Group_ID"))
        << user.rows(QStringLiteral("select * from USER order by Men_ID"))
        << test.rows(QStringLiteral("select * from TEST order by ID_Group, ID_Test, ID_Men"));
    return all;
}

// Three rows with keys 10, 20, 30; the dataset is opened on them.
void fillThree(Store& store, Dataset& dataset)
{
    addGroup(store.db(), 1, 1);
    addMan(store.db(), 10, 1, QStringLiteral("Алексеев"));
    addMan(store.db(), 20, 1, QStringLiteral("Борисов"));
    addMan(store.db(), 30, 1, QStringLiteral("Васильев"));
    dataset.setSql(QStringLiteral("select Men_ID, FIO from USER where Group_ID = :g order by Men_ID"));
    dataset.setParam(QStringLiteral("g"), 1);
    dataset.open();
}

QStringList walk(Dataset& dataset, const QString& field)
{
    QStringList values;
    for (dataset.first(); !dataset.eof(); dataset.next())
        values.append(dataset.asString(field));
    return values;
}

} // namespace

class TestStore : public QObject
{
    Q_OBJECT

private slots:
    void tableFilesCreated_data();
    void tableFilesCreated();
    void missingTableFileRecreated_data();
    void missingTableFileRecreated();
    void missingDatabaseFolder();
    void indexes_data();
    void indexes();

    void russianOrder_data();
    void russianOrder();
    void russianOrderOfAList();
    void orderSuffix_data();
    void orderSuffix();
    void reopenedQueryTakesOnlyTheNewOrder();

    void boundTextStoredExactly_data();
    void boundTextStoredExactly();
    void passwordWithZeroByteKeepsItsLength();

    void emptyAndClosedDatasetsRead0AndEmptyText();
    void cursorWalk();
    void locate();
    void bookmarks();
    void unknownFieldRaises();
    void controlsNestAndSummarise();
    void walkGuardRestoresAfterThrow();

    void heldLockWaitsThenFails_data();
    void heldLockWaitsThenFails();

    void newKeys_data();
    void newKeys();
    void removeCascades();
    void removeAllOrNothing_data();
    void removeAllOrNothing();
};

void TestStore::tableFilesCreated_data()
{
    QTest::addColumn<QString>("file");
    QTest::addColumn<QString>("table");
    QTest::addColumn<QStringList>("columns");
    QTest::addColumn<QString>("key");

    QTest::newRow("DB.DAT") << "DB.DAT"
                            << "DB" << QStringList{"DB_ID", "DB_Name", "Password"} << "DB_ID";
    QTest::newRow("Group.DAT") << "Group.DAT"
                               << "GROUP" << QStringList{"Group_ID", "DB_ID", "Group_Name", "Date_Test", "Comments"}
                               << "Group_ID";
    QTest::newRow("User.DAT") << "User.DAT"
                              << "USER" << QStringList{"Men_ID",   "Group_ID", "NumberInList", "FIO",      "IsMember",
                                                       "IsExpert", "Comments", "IsMemberN",    "IsExpertN"}
                              << "Men_ID";
    QTest::newRow("Test.DAT") << "Test.DAT"
                              << "TEST" << QStringList{"ID_Group", "ID_Test", "ID_Men", "Ball_C", "Ball_M"} << "";
}

void TestStore::tableFilesCreated()
{
    QFETCH(QString, file);
    QFETCH(QString, table);
    QFETCH(QStringList, columns);
    QFETCH(QString, key);

    Store store;
    QVERIFY(QFileInfo::exists(store.file(file)));
    QFile raw(store.file(file));
    QVERIFY(raw.open(QIODevice::ReadOnly));
    QCOMPARE(raw.read(16), QByteArray("SQLite format 3\0", 16));

    PlainDb plain(store.file(file));
    QCOMPARE(plain.rows(QStringLiteral("select name from sqlite_master where type = 'table'")), QStringList{table});
    QStringList names;
    QString primary;
    for (const QString& row : plain.rows(QStringLiteral("select name, pk from pragma_table_info('%1')").arg(table))) {
        const QStringList parts = row.split(QLatin1Char('|'));
        names.append(parts.at(0));
        if (parts.at(1) == QLatin1String("1"))
            primary = parts.at(0);
    }
    QCOMPARE(names, columns);
    QCOMPARE(primary, key);
    QCOMPARE(plain.count(QStringLiteral("\"%1\"").arg(table)), 0);
}

void TestStore::missingTableFileRecreated_data()
{
    QTest::addColumn<QString>("file");
    QTest::addColumn<QString>("table");

    QTest::newRow("DB.DAT") << "DB.DAT"
                            << "DB";
    QTest::newRow("Group.DAT") << "Group.DAT"
                               << "\"GROUP\"";
    QTest::newRow("User.DAT") << "User.DAT"
                              << "USER";
    QTest::newRow("Test.DAT") << "Test.DAT"
                              << "TEST";
}

void TestStore::missingTableFileRecreated()
{
    QFETCH(QString, file);
    QFETCH(QString, table);

    Store store;
    DbRecords::create(store.db(), QStringLiteral("База"), {});
    addGroup(store.db(), 1, 1);
    addMan(store.db(), 1, 1, QStringLiteral("Иванов"));
    addScore(store.db(), 1, 1, 1);
    store.module->DataModuleDestroy();

    QVERIFY(QFile::remove(store.file(file)));
    QVERIFY(store.module->DataModuleCreate());
    QVERIFY(QFileInfo::exists(store.file(file)));

    const QList<std::pair<QString, QString>> all{
        {"DB.DAT", "DB"}, {"Group.DAT", "\"GROUP\""}, {"User.DAT", "USER"}, {"Test.DAT", "TEST"}};
    for (const auto& [name, each] : all) {
        PlainDb plain(store.file(name));
        QCOMPARE(plain.count(each), name == file ? 0 : 1);
    }
    // The new file is attached and usable at once.
    QCOMPARE(store.db().scalar(QStringLiteral("select count(*) from %1").arg(table)), QVariant(qint64(0)));
}

void TestStore::missingDatabaseFolder()
{
    QTemporaryDir dir;
    QVERIFY(dir.isValid());
    TMain_DataModule module(dir.path());
    QVERIFY(!module.DataModuleCreate());
    QVERIFY(!module.Main_Database.isConnected());
    QVERIFY(!module.Main_Session.active);
    QCOMPARE(QDir(dir.path()).entryList(QDir::AllEntries | QDir::NoDotAndDotDot | QDir::Hidden), QStringList());
}

void TestStore::indexes_data()
{
    QTest::addColumn<QString>("file");
    QTest::addColumn<QString>("table");
    QTest::addColumn<QString>("columns");

    QTest::newRow("GROUP(DB_ID)") << "Group.DAT"
                                  << "GROUP"
                                  << "DB_ID";
    QTest::newRow("USER(Group_ID)") << "User.DAT"
                                    << "USER"
                                    << "Group_ID";
    QTest::newRow("TEST(ID_Group, ID_Test)") << "Test.DAT"
                                             << "TEST"
                                             << "ID_Group,ID_Test";
    QTest::newRow("TEST(ID_Test)") << "Test.DAT"
                                   << "TEST"
                                   << "ID_Test";
}

void TestStore::indexes()
{
    QFETCH(QString, file);
    QFETCH(QString, table);
    QFETCH(QString, columns);

    Store store;
    PlainDb plain(store.file(file));
    QStringList found;
    for (const QString& index : plain.rows(QStringLiteral("select name from pragma_index_list('%1')").arg(table))) {
        found.append(plain.rows(QStringLiteral("select name from pragma_index_info('%1') order by seqno").arg(index))
                         .join(QLatin1Char(',')));
    }
    QVERIFY2(found.contains(columns), qPrintable(found.join(QLatin1String("; "))));
}

namespace {

// The members of one group as the data module lists them ordered by FIO, inserted in the given order.
QStringList menByFio(const QStringList& inserted, bool descending)
{
    Store store;
    TMain_DataModule& dm = *store.module;
    dm.CurrentDB_ID = DbRecords::create(store.db(), QStringLiteral("База"), {});
    addGroup(store.db(), 5, dm.CurrentDB_ID);
    addGroup(store.db(), 6, dm.CurrentDB_ID + 100); // another database's group, never listed
    addMan(store.db(), 99, 6, QStringLiteral("Аааа"));
    qint64 id = 1;
    for (const QString& fio : inserted)
        addMan(store.db(), id++, 5, fio);

    dm.openGroupQuery({});
    if (dm.Group_Query.asInteger(QStringLiteral("Group_ID")) != 5)
        return {QStringLiteral("<group not found>")};
    dm.openMenQuery({{QStringLiteral("FIO"), descending}});
    return walk(dm.Men_Query, QStringLiteral("FIO"));
}

} // namespace

void TestStore::russianOrder_data()
{
    QTest::addColumn<QString>("first");
    QTest::addColumn<QString>("second");

    // The Cyrillic pairs are out of code point order, so that a plain binary comparison fails them as well.
    QTest::newRow("Latin before Cyrillic") << "Adams"
                                           << "абрамов";
    QTest::newRow("case does not split the alphabet") << "абрамов"
                                                      << "Борисов";
    QTest::newRow("Е before Ё") << "Елизаров"
                                << "Ёжиков";
    QTest::newRow("ё before ж") << "ёлкин"
                                << "жуков";
}

void TestStore::russianOrder()
{
    QFETCH(QString, first);
    QFETCH(QString, second);
    // Inserted the wrong way round, so that the insertion order cannot pass for the sorted one.
    const QString got = menByFio({second, first}, false).join(QLatin1String(", "));
    const QString expected = first + QLatin1String(", ") + second;
    QVERIFY2(got == expected, qPrintable(QStringLiteral("got %1, expected %2").arg(got, expected)));
}

void TestStore::russianOrderOfAList()
{
    // Inserted out of order, and not in code point order either (ё and Ё lie outside А..я).
    const QStringList inserted{"Яковлев",   "Ёжиков", "абрамов", "Борисов",  "Ёлкин",
                               "Евдокимов", "Жуков",  "Adams",   "Елизаров", "ёлкина"};
    const QStringList ascending{"Adams",  "абрамов", "Борисов", "Евдокимов", "Елизаров",
                                "Ёжиков", "Ёлкин",   "ёлкина",  "Жуков",     "Яковлев"};
    const QStringList descending(ascending.crbegin(), ascending.crend());

    // Joined, and in a message of their own: Qt Test would print Cyrillic as \u escapes.
    for (const bool down : {false, true}) {
        const QString got = menByFio(inserted, down).join(QLatin1String(", "));
        const QString expected = (down ? descending : ascending).join(QLatin1String(", "));
        QVERIFY2(got == expected, qPrintable(QStringLiteral("got %1, expected %2").arg(got, expected)));
    }
}

void TestStore::orderSuffix_data()
{
    QTest::addColumn<QVector<OrderItem>>("order");
    QTest::addColumn<QString>("suffix");

    QTest::newRow("none") << QVector<OrderItem>{} << QString();
    QTest::newRow("one") << QVector<OrderItem>{{"a", false}} << " ORDER BY a";
    QTest::newRow("one descending") << QVector<OrderItem>{{"a", true}} << " ORDER BY a DESC";
    QTest::newRow("two, second descending") << QVector<OrderItem>{{"a", false}, {"b", true}} << " ORDER BY a , b DESC";
}

void TestStore::orderSuffix()
{
    QFETCH(QVector<OrderItem>, order);
    QFETCH(QString, suffix);
    QCOMPARE(TMain_DataModule::orderSuffix(order), suffix);
}

void TestStore::reopenedQueryTakesOnlyTheNewOrder()
{
    Store store;
    TMain_DataModule& dm = *store.module;
    dm.CurrentDB_ID = 1;
    addGroup(store.db(), 1, 1, QStringLiteral("Б"));
    addGroup(store.db(), 2, 1, QStringLiteral("А"));
    addGroup(store.db(), 3, 1, QStringLiteral("Б"));

    dm.openGroupQuery({{QStringLiteral("Group_Name"), false}, {QStringLiteral("Group_ID"), true}});
    QCOMPARE(dm.Group_Query.sql(), TMain_DataModule::GroupQueryBase + " ORDER BY Group_Name , Group_ID DESC");
    QCOMPARE(walk(dm.Group_Query, QStringLiteral("Group_ID")), (QStringList{"2", "3", "1"}));

    // The previous suffix must not stick to the statement.
    dm.openGroupQuery({});
    QCOMPARE(dm.Group_Query.sql(), TMain_DataModule::GroupQueryBase);
    dm.openMenQuery({});
    QCOMPARE(dm.Men_Query.sql(), TMain_DataModule::MenQueryBase);
}

void TestStore::boundTextStoredExactly_data()
{
    QTest::addColumn<QString>("name");

    QTest::newRow("quote and statement") << QStringLiteral("x'); drop table USER; --");
    QTest::newRow("double quotes") << QStringLiteral("\"GROUP\"; delete from DB where \"1\"=\"1\"");
    QTest::newRow("parameter-like text") << QStringLiteral(":DB_ID :DB_Name ?1 @x $y");
    QTest::newRow("Cyrillic with ё") << QStringLiteral("Группа «Ёлка» № 1");
    QTest::newRow("empty") << QString();
}

void TestStore::boundTextStoredExactly()
{
    QFETCH(QString, name);

    Store store;
    const qint32 other = DbRecords::create(store.db(), QStringLiteral("Другая"), {});
    const qint32 id = DbRecords::create(store.db(), name, {});
    addGroup(store.db(), 1, id, name);
    addMan(store.db(), 1, 1, name);
    DbRecords::update(store.db(), other, QStringLiteral("Другая 2"), {});
    store.module->DataModuleDestroy();

    PlainDb db(store.file(QStringLiteral("DB.DAT")));
    QCOMPARE(db.rows(QStringLiteral("select DB_Name from DB order by DB_ID")), (QStringList{"Другая 2", name}));
    PlainDb group(store.file(QStringLiteral("Group.DAT")));
    QCOMPARE(group.rows(QStringLiteral("select Group_Name from \"GROUP\"")), QStringList{name});
    PlainDb user(store.file(QStringLiteral("User.DAT")));
    QCOMPARE(user.rows(QStringLiteral("select FIO from USER")), QStringList{name});
    PlainDb test(store.file(QStringLiteral("Test.DAT")));
    QCOMPARE(test.count(QStringLiteral("TEST")), 0);

    // Reading it back through the store finds it by the bound value as well.
    QVERIFY(store.module->DataModuleCreate());
    QCOMPARE(store.db().scalar(QStringLiteral("select DB_ID from DB where DB_Name = :n"), {{"n", name}}),
             QVariant(qint64(id)));
}

void TestStore::passwordWithZeroByteKeepsItsLength()
{
    Store store;
    // Code 248 in an 8-character password is stored as the byte 0.
    const QByteArray stored = StoredPassword::scramble(*Cp1251::encode(QStringLiteral("abc\u0448defg")));
    QCOMPARE(stored.size(), 8);
    QVERIFY(stored.contains('\0'));
    const qint32 id = DbRecords::create(store.db(), QStringLiteral("База"), stored);

    PlainDb plain(store.file(QStringLiteral("DB.DAT")));
    QCOMPARE(plain.blob(QStringLiteral("select Password from DB where DB_ID = %1").arg(id)), stored);
    QCOMPARE(plain.rows(QStringLiteral("select typeof(Password) from DB")), QStringList{"blob"});

    Dataset& table = store.module->DB_Table;
    table.open();
    QCOMPARE(table.asBytes(QStringLiteral("Password")), stored);
    QCOMPARE(Cp1251::decode(StoredPassword::unscramble(table.asBytes(QStringLiteral("Password")))),
             QStringLiteral("abc\u0448defg"));
}

void TestStore::emptyAndClosedDatasetsRead0AndEmptyText()
{
    Store store;
    Dataset dataset(store.db(), QStringLiteral("Empty"));
    dataset.setSql(QStringLiteral("select Men_ID, FIO from USER where Group_ID = :g"));
    dataset.setParam(QStringLiteral("g"), 1);

    for (const bool open : {false, true}) {
        if (open)
            dataset.open();
        QCOMPARE(dataset.isOpen(), open);
        QVERIFY(dataset.isEmpty());
        QCOMPARE(dataset.recordCount(), 0);
        QCOMPARE(dataset.recNo(), 0);
        QVERIFY(dataset.eof());
        dataset.first();
        dataset.next();
        QVERIFY(dataset.eof());
        QCOMPARE(dataset.recNo(), 0);
        QCOMPARE(dataset.asInteger(QStringLiteral("Men_ID")), 0);
        QCOMPARE(dataset.asString(QStringLiteral("FIO")), QString());
        QVERIFY(!dataset.asBoolean(QStringLiteral("Men_ID")));
        QVERIFY(!dataset.locate(QStringLiteral("Men_ID"), 1));
        dataset.gotoBookmark(dataset.bookmark());
        QCOMPARE(dataset.recNo(), 0);
    }
}

void TestStore::cursorWalk()
{
    Store store;
    Dataset dataset(store.db(), QStringLiteral("Men"));
    fillThree(store, dataset);

    QCOMPARE(dataset.recordCount(), 3);
    QCOMPARE(dataset.recNo(), 1);
    QVERIFY(!dataset.eof());

    QList<int> recNos;
    QStringList names;
    for (dataset.first(); !dataset.eof(); dataset.next()) {
        recNos.append(dataset.recNo());
        names.append(dataset.asString(QStringLiteral("fio"))); // field names are not case-sensitive
    }
    QCOMPARE(recNos, (QList<int>{1, 2, 3}));
    QCOMPARE(names, (QStringList{"Алексеев", "Борисов", "Васильев"}));
    // Past the end the cursor stays on the last row.
    QCOMPARE(dataset.recNo(), 3);
    QCOMPARE(dataset.asInteger(QStringLiteral("Men_ID")), 30);
    dataset.next();
    QVERIFY(dataset.eof());

    dataset.first();
    QVERIFY(!dataset.eof());
    QCOMPARE(dataset.asInteger(QStringLiteral("Men_ID")), 10);

    // A reopen starts at the first row again and reads what is stored now.
    dataset.setRecNo(3);
    addMan(store.db(), 40, 1, QStringLiteral("Григорьев"));
    dataset.open();
    QCOMPARE(dataset.recordCount(), 4);
    QCOMPARE(dataset.recNo(), 1);
}

void TestStore::locate()
{
    Store store;
    Dataset dataset(store.db(), QStringLiteral("Men"));
    fillThree(store, dataset);

    QVERIFY(dataset.locate(QStringLiteral("Men_ID"), 20)); // an int finds the stored 64-bit integer
    QCOMPARE(dataset.recNo(), 2);
    QVERIFY(dataset.locate(QStringLiteral("FIO"), QStringLiteral("Васильев")));
    QCOMPARE(dataset.recNo(), 3);

    QSignalSpy spy(&dataset, &Dataset::changed);
    QVERIFY(!dataset.locate(QStringLiteral("Men_ID"), 25));
    QVERIFY(!dataset.locate(QStringLiteral("FIO"), QStringLiteral("васильев")));
    QCOMPARE(dataset.recNo(), 3);
    QCOMPARE(spy.count(), 0);
}

void TestStore::bookmarks()
{
    Store store;
    Dataset dataset(store.db(), QStringLiteral("Men"));
    fillThree(store, dataset);

    dataset.setRecNo(2);
    const Dataset::Bookmark mark = dataset.bookmark();
    dataset.next();
    dataset.next();
    QVERIFY(dataset.eof());
    dataset.gotoBookmark(mark);
    QCOMPARE(dataset.recNo(), 2);
    QVERIFY(!dataset.eof());
    QCOMPARE(dataset.asInteger(QStringLiteral("Men_ID")), 20);

    // A bookmark belongs to the rows it was taken on: after a reopen it leads nowhere.
    dataset.open();
    dataset.setRecNo(3);
    dataset.gotoBookmark(mark);
    QCOMPARE(dataset.recNo(), 3);
}

void TestStore::unknownFieldRaises()
{
    Store store;
    Dataset dataset(store.db(), QStringLiteral("Men"));
    fillThree(store, dataset);

    try {
        dataset.asInteger(QStringLiteral("AGE"));
        QFAIL("no error for an unknown field");
    } catch (const StoreError& error) {
        QCOMPARE(error.message(), QStringLiteral("Field 'AGE' not found"));
    }
    QVERIFY_THROWS_EXCEPTION(StoreError, dataset.locate(QStringLiteral("AGE"), 1));
    QVERIFY_THROWS_EXCEPTION(StoreError, dataset.asString(QStringLiteral("AGE")));
    QCOMPARE(dataset.recNo(), 1);
}

void TestStore::controlsNestAndSummarise()
{
    Store store;
    Dataset dataset(store.db(), QStringLiteral("Men"));
    fillThree(store, dataset);
    QSignalSpy spy(&dataset, &Dataset::changed);

    dataset.disableControls();
    dataset.next();
    {
        const ControlsOff inner(dataset);
        dataset.next();
        dataset.first();
    }
    QCOMPARE(spy.count(), 0); // the outer level still holds them
    QVERIFY(dataset.controlsDisabled());
    dataset.next();
    dataset.enableControls();
    QVERIFY(!dataset.controlsDisabled());
    QCOMPARE(spy.count(), 1);
    QCOMPARE(spy.takeFirst().at(0).value<Dataset::Change>(), Dataset::Change::Row);

    // Content changes while held outweigh row moves in the one summary.
    {
        const ControlsOff quiet(dataset);
        dataset.next();
        dataset.close();
        dataset.open();
        dataset.next();
    }
    QCOMPARE(spy.count(), 1);
    QCOMPARE(spy.takeFirst().at(0).value<Dataset::Change>(), Dataset::Change::Content);

    // Enabling once too often neither sends a notice nor leaves the count below zero.
    dataset.enableControls();
    QCOMPARE(spy.count(), 0);
    dataset.disableControls();
    QVERIFY(dataset.controlsDisabled());
    dataset.next();
    QCOMPARE(spy.count(), 0);
    dataset.enableControls();
    QCOMPARE(spy.count(), 1);

    // Not held: every move is told at once.
    spy.clear();
    dataset.first();
    dataset.next();
    QCOMPARE(spy.count(), 2);
}

void TestStore::walkGuardRestoresAfterThrow()
{
    Store store;
    Dataset dataset(store.db(), QStringLiteral("Men"));
    fillThree(store, dataset);
    dataset.setRecNo(2);
    QSignalSpy spy(&dataset, &Dataset::changed);

    bool thrown = false;
    try {
        const WalkGuard guard(dataset);
        for (dataset.first(); !dataset.eof(); dataset.next()) {
        }
        QCOMPARE(spy.count(), 0);
        dataset.asString(QStringLiteral("AGE"));
    } catch (const StoreError&) {
        thrown = true;
    }
    QVERIFY(thrown);
    QCOMPARE(dataset.recNo(), 2);
    QVERIFY(!dataset.eof());
    QVERIFY(!dataset.controlsDisabled());
    QVERIFY(spy.count() <= 1);

    // keepPosition leaves the cursor where the walk ended.
    {
        WalkGuard guard(dataset);
        dataset.first();
        guard.keepPosition();
    }
    QCOMPARE(dataset.recNo(), 1);
    QVERIFY(!dataset.controlsDisabled());
}

void TestStore::heldLockWaitsThenFails_data()
{
    QTest::addColumn<QString>("file");
    QTest::addColumn<QString>("insert");
    QTest::addColumn<QString>("table");

    QTest::newRow("Test.DAT") << "Test.DAT"
                              << "insert into TEST (ID_Group, ID_Test, ID_Men) values (1, 1, 1)"
                              << "TEST";
    QTest::newRow("DB.DAT") << "DB.DAT"
                            << "insert into DB (DB_ID, DB_Name) values (1, 'База')"
                            << "DB";
}

void TestStore::heldLockWaitsThenFails()
{
    QFETCH(QString, file);
    QFETCH(QString, insert);
    QFETCH(QString, table);

    Store store;
    PlainDb other(store.file(file));
    QCOMPARE(other.exec(QStringLiteral("BEGIN EXCLUSIVE")), SQLITE_OK);

    QElapsedTimer timer;
    timer.start();
    try {
        store.db().exec(insert);
        QFAIL("the write went through a held lock");
    } catch (const StoreError& error) {
        QCOMPARE(error.message(), QStringLiteral("database is locked"));
    }
    const qint64 waited = timer.elapsed();
    // 15 waits of 100 ms; the upper bound catches waiting on and on.
    QVERIFY2(waited >= 1400, qPrintable(QString::number(waited)));
    QVERIFY2(waited < 5000, qPrintable(QString::number(waited)));

    QCOMPARE(other.exec(QStringLiteral("ROLLBACK")), SQLITE_OK);
    QCOMPARE(store.db().exec(insert), 1);
    QCOMPARE(other.count(table), 1);
}

void TestStore::newKeys_data()
{
    QTest::addColumn<QList<qint64>>("existing");
    QTest::addColumn<QList<qint64>>("expected"); // keys of three creates in a row

    QTest::newRow("empty table") << QList<qint64>{} << QList<qint64>{1, 2, 3};
    QTest::newRow("after a gap") << QList<qint64>{2, 7} << QList<qint64>{8, 9, 10};
    QTest::newRow("only keys below 1") << QList<qint64>{-5, 0} << QList<qint64>{1, 2, 3};
}

void TestStore::newKeys()
{
    QFETCH(QList<qint64>, existing);
    QFETCH(QList<qint64>, expected);

    Store store;
    for (const qint64 key : existing) {
        store.db().exec(QStringLiteral("insert into DB (DB_ID, DB_Name) values (:k, 'old')"),
                        {{QStringLiteral("k"), key}});
    }
    QList<qint64> keys;
    for (int i = 0; i < 3; ++i)
        keys.append(DbRecords::create(store.db(), QStringLiteral("База %1").arg(i), {}));
    QCOMPARE(keys, expected);

    PlainDb plain(store.file(QStringLiteral("DB.DAT")));
    QStringList rows;
    for (const qint64 key : expected)
        rows.append(QStringLiteral("%1|База %2").arg(key).arg(rows.size()));
    QCOMPARE(plain.rows(QStringLiteral("select DB_ID, DB_Name from DB where DB_Name <> 'old' order by DB_ID")), rows);
}

void TestStore::removeCascades()
{
    Store store;
    Database& db = store.db();
    const qint32 gone = DbRecords::create(db, QStringLiteral("Удаляемая"), {});
    const qint32 kept = DbRecords::create(db, QStringLiteral("Остающаяся"), {});
    QCOMPARE(gone, 1);
    // The kept database's first group has the key 1, the removed database's key: a cascade that mixes up
    // DB_ID and Group_ID would take it too.
    addGroup(db, 10, gone);
    addGroup(db, 11, gone);
    addGroup(db, 1, kept);
    addGroup(db, 2, kept);
    qint64 man = 1;
    for (const qint64 group : {10, 11, 1, 2}) {
        for (int i = 0; i < 2; ++i) {
            addMan(db, man, group, QStringLiteral("Член %1").arg(man));
            addScore(db, group, 1, man);
            addScore(db, group, 2, man);
            ++man;
        }
    }

    DbRecords::remove(db, gone);

    PlainDb dbFile(store.file(QStringLiteral("DB.DAT")));
    QCOMPARE(dbFile.rows(QStringLiteral("select DB_ID from DB")), QStringList{QString::number(kept)});
    PlainDb groupFile(store.file(QStringLiteral("Group.DAT")));
    QCOMPARE(groupFile.rows(QStringLiteral("select Group_ID, DB_ID from \"GROUP\" order by Group_ID")),
             (QStringList{"1|2", "2|2"}));
    PlainDb userFile(store.file(QStringLiteral("User.DAT")));
    QCOMPARE(userFile.rows(QStringLiteral("select Men_ID, Group_ID from USER order by Men_ID")),
             (QStringList{"5|1", "6|1", "7|2", "8|2"}));
    PlainDb testFile(store.file(QStringLiteral("Test.DAT")));
    QCOMPARE(testFile.rows(QStringLiteral("select distinct ID_Group from TEST order by ID_Group")),
             (QStringList{"1", "2"}));
    QCOMPARE(testFile.count(QStringLiteral("TEST")), 8);

    // Removing a database that is not there changes nothing.
    DbRecords::remove(db, 99);
    QCOMPARE(testFile.count(QStringLiteral("TEST")), 8);
    QCOMPARE(userFile.count(QStringLiteral("USER")), 4);
}

void TestStore::removeAllOrNothing_data()
{
    QTest::addColumn<QString>("file");
    QTest::addColumn<QString>("hold");
    QTest::addColumn<QString>("message");

    // Another copy of the program reading the score rows: the deletes are done, the commit cannot write them.
    QTest::newRow("score file being read") << "Test.DAT"
                                           << "BEGIN; select count(*) from TEST;"
                                           << "database is locked";
    // The third of four deletes fails after the score rows and members are already deleted.
    QTest::newRow("group delete refused")
        << "Group.DAT"
        << "CREATE TRIGGER keep_groups BEFORE DELETE ON \"GROUP\" BEGIN SELECT RAISE(ABORT, 'groups are kept'); END;"
        << "groups are kept";
}

void TestStore::removeAllOrNothing()
{
    QFETCH(QString, file);
    QFETCH(QString, hold);
    QFETCH(QString, message);

    Store store;
    Database& db = store.db();
    const qint32 id = DbRecords::create(db, QStringLiteral("База"), "pw");
    addGroup(db, 1, id);
    addMan(db, 1, 1, QStringLiteral("Иванов"));
    addScore(db, 1, 1, 1);
    const QStringList before = snapshot(store);
    QCOMPARE(before.size(), 4);

    {
        PlainDb other(store.file(file));
        QCOMPARE(other.exec(hold), SQLITE_OK);
        try {
            DbRecords::remove(db, id);
            QFAIL("the removal went through");
        } catch (const StoreError& error) {
            QCOMPARE(error.message(), message);
        }
        other.exec(QStringLiteral("ROLLBACK"));
        other.exec(QStringLiteral("DROP TRIGGER IF EXISTS keep_groups"));
    }
    QCOMPARE(snapshot(store), before);

    // No transaction is left open: the next removal goes through and is stored.
    DbRecords::remove(db, id);
    QCOMPARE(snapshot(store), QStringList());
}

QTEST_GUILESS_MAIN(TestStore)
#include "tst_store.moc"
