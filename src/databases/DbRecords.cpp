#include "databases/DbRecords.h"

#include "store/Database.h"

namespace DbRecords {

qint32 create(Database& db, const QString& name, const QByteArray& storedPassword)
{
    Transaction transaction(db);
    const qint64 key = db.newKey(QStringLiteral("DB"), QStringLiteral("DB_ID"));
    db.exec(QStringLiteral("insert into DB (DB_ID, DB_Name, Password) values (:DB_ID, :DB_Name, :Password)"),
            {{QStringLiteral("DB_ID"), key},
             {QStringLiteral("DB_Name"), name},
             {QStringLiteral("Password"), storedPassword}});
    transaction.commit();
    return qint32(key);
}

void update(Database& db, qint32 dbId, const QString& name, const QByteArray& storedPassword)
{
    Transaction transaction(db);
    db.exec(QStringLiteral("update DB set DB_Name = :DB_Name, Password = :Password where DB_ID = :DB_ID"),
            {{QStringLiteral("DB_ID"), dbId},
             {QStringLiteral("DB_Name"), name},
             {QStringLiteral("Password"), storedPassword}});
    transaction.commit();
}

void remove(Database& db, qint32 dbId)
{
    const Params key{{QStringLiteral("DB_ID"), dbId}};
    Transaction transaction(db);
    db.exec(QStringLiteral("delete from TEST where ID_Group in (select Group_ID from \"GROUP\" where DB_ID = :DB_ID)"),
            key);
    db.exec(QStringLiteral("delete from USER where Group_ID in (select Group_ID from \"GROUP\" where DB_ID = :DB_ID)"),
            key);
    db.exec(QStringLiteral("delete from \"GROUP\" where DB_ID = :DB_ID"), key);
    db.exec(QStringLiteral("delete from DB where DB_ID = :DB_ID"), key);
    transaction.commit();
}

} // namespace DbRecords
