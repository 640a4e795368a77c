#pragma once

#include "store/Database.h"
#include "store/Dataset.h"

#include <QObject>
#include <QString>
#include <QVector>

// The store session: its private working folder. Lock retries (Database::LockRetries × LockWaitMs) and the Russian
// collation are set on the connection itself.
struct StoreSession
{
    QString name = QStringLiteral("Main_SessIn");
    QString privateDir;
    bool active = false;
};

// One column of an order clause.
struct OrderItem
{
    QString field;
    bool descending = false;
};

// The one data module: the connection to the database folder and the tables and queries every window shares.
class TMain_DataModule : public QObject
{
    Q_OBJECT
public:
    // `programDir` is the folder of the program file; the database folder is its subfolder DB.
    explicit TMain_DataModule(const QString& programDir, QObject* parent = nullptr);
    ~TMain_DataModule() override;

    // Connects to the database folder. Returns false, with nothing opened, when the folder does not exist.
    bool DataModuleCreate();
    void DataModuleDestroy();
    QString databaseFolder() const;
    const QString& programDir() const { return m_programDir; }

    // Re-runs a list query: its base statement followed by the order suffix, with its one integer parameter.
    static QString orderSuffix(const QVector<OrderItem>& order);
    void openGroupQuery(const QVector<OrderItem>& order);
    void openMenQuery(const QVector<OrderItem>& order);

    static const QString GroupQueryBase;
    static const QString MenQueryBase;

    Database Main_Database;
    StoreSession Main_Session;
    Dataset DB_Table;
    Dataset Men_Query;
    Dataset Temp_Table;
    Dataset Update_Query;
    Dataset ListTest_Query;
    Dataset Group_Query;
    Dataset TempGroup_Table;
    Dataset ListTest_Table;
    Dataset Result_Query;
    Dataset Check_Query;
    qint32 CurrentDB_ID = 0;

private:
    static void reopen(Dataset& query, const QString& base, const QVector<OrderItem>& order, const QString& param,
                       qint64 value);

    QString m_programDir;
};

// The program's one data module, created at start-up and reachable from every window.
extern TMain_DataModule* Main_DataModule;
