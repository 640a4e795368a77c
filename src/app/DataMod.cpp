#include "app/DataMod.h"

#include <QDir>

TMain_DataModule* Main_DataModule = nullptr;

const QString TMain_DataModule::GroupQueryBase =
    QStringLiteral("select Group_ID, DB_ID, Group_Name, Date_Test, Comments\n"
                   "from \"GROUP\"\n"
                   "where DB_ID = :DB_ID\n");

const QString TMain_DataModule::MenQueryBase =
    QStringLiteral("select Men_ID, NumberInList , FIO, IsMember, IsExpert, Comments, IsMemberN, IsExpertN\n"
                   "from USER\n"
                   "where Group_ID = :Group_ID\n");

TMain_DataModule::TMain_DataModule(const QString& programDir, QObject* parent)
    : QObject(parent), DB_Table(Main_Database, QStringLiteral("DB_Table")),
      Men_Query(Main_Database, QStringLiteral("Men_Query")), Temp_Table(Main_Database, QStringLiteral("Temp_Table")),
      Update_Query(Main_Database, QStringLiteral("Update_Query")),
      ListTest_Query(Main_Database, QStringLiteral("ListTest_Query")),
      Group_Query(Main_Database, QStringLiteral("Group_Query")),
      TempGroup_Table(Main_Database, QStringLiteral("TempGroup_Table")),
      ListTest_Table(Main_Database, QStringLiteral("ListTest_Table")),
      Result_Query(Main_Database, QStringLiteral("Result_Query")),
      Check_Query(Main_Database, QStringLiteral("Check_Query")), m_programDir(programDir)
{
    DB_Table.setSql(QStringLiteral("select DB_ID, DB_Name, Password from DB order by DB_ID"));
    Men_Query.setSql(MenQueryBase);
    Men_Query.setParam(QStringLiteral("Group_ID"), 0);
    Temp_Table.setSql(QStringLiteral("select * from USER order by Men_ID"));
    ListTest_Query.setSql(QStringLiteral("select ID_Test , ID_Men , Ball_C , Ball_M\n"
                                         "from test\n"
                                         "where ID_Test = :ID_Test\n"));
    ListTest_Query.setParam(QStringLiteral("ID_Test"), 0);
    Group_Query.setSql(GroupQueryBase);
    Group_Query.setParam(QStringLiteral("DB_ID"), 0);
    TempGroup_Table.setSql(QStringLiteral("select * from \"GROUP\" order by Group_ID"));
    ListTest_Table.setSql(QStringLiteral("select * from TEST"));
    Check_Query.setSql(QStringLiteral("select *\n"
                                      "from TEST\n"
                                      "where ID_Group = :ID_Group and ID_Test = :ID_Test\n"));
    Check_Query.setParam(QStringLiteral("ID_Group"), 0);
    Check_Query.setParam(QStringLiteral("ID_Test"), 0);
}

TMain_DataModule::~TMain_DataModule()
{
    DataModuleDestroy();
}

QString TMain_DataModule::databaseFolder() const
{
    return QDir(m_programDir).filePath(QStringLiteral("DB")) + QLatin1Char('/');
}

bool TMain_DataModule::DataModuleCreate()
{
    const QString folder = databaseFolder();
    if (!QDir(folder).exists())
        return false;
    if (Main_Session.active)
        Main_Session.active = false;
    if (Main_Database.isConnected())
        Main_Database.disconnect();
    Main_Session.privateDir = folder;
    Main_Session.active = true;
    Main_Database.connect(folder);
    return true;
}

void TMain_DataModule::DataModuleDestroy()
{
    for (Dataset* dataset : {&DB_Table, &Men_Query, &Temp_Table, &Update_Query, &ListTest_Query, &Group_Query,
                             &TempGroup_Table, &ListTest_Table, &Result_Query, &Check_Query}) {
        const QSignalBlocker quiet(dataset); // views may already be gone at shutdown
        dataset->close();
    }
    Main_Database.disconnect();
    Main_Session.active = false;
}

QString TMain_DataModule::orderSuffix(const QVector<OrderItem>& order)
{
    if (order.isEmpty())
        return {};
    QStringList items;
    for (const OrderItem& item : order)
        items.append(item.descending ? item.field + QStringLiteral(" DESC") : item.field);
    return QStringLiteral(" ORDER BY ") + items.join(QStringLiteral(" , "));
}

void TMain_DataModule::reopen(Dataset& query, const QString& base, const QVector<OrderItem>& order,
                              const QString& param, qint64 value)
{
    const ControlsOff quiet(query); // one notice for the whole re-run, also when it fails
    query.close();
    query.setSql(base + orderSuffix(order));
    query.setParam(param, value);
    query.open();
}

void TMain_DataModule::openGroupQuery(const QVector<OrderItem>& order)
{
    reopen(Group_Query, GroupQueryBase, order, QStringLiteral("DB_ID"), CurrentDB_ID);
}

void TMain_DataModule::openMenQuery(const QVector<OrderItem>& order)
{
    reopen(Men_Query, MenQueryBase, order, QStringLiteral("Group_ID"),
           Group_Query.asInteger(QStringLiteral("Group_ID")));
}
