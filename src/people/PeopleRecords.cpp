#include "people/PeopleRecords.h"

#include "store/Database.h"

#include <QSet>

namespace PeopleRecords {
namespace {

// Dates are kept as ISO text, which sorts by date; no date is NULL.
QVariant storedDate(const QDate& date)
{
    return date.isValid() ? QVariant(date.toString(Qt::ISODate)) : QVariant();
}

Params groupFields(const QString& name, const QDate& date, const QString& comments)
{
    return {{QStringLiteral("Group_Name"), name},
            {QStringLiteral("Date_Test"), storedDate(date)},
            {QStringLiteral("Comments"), comments}};
}

Params memberFields(const Member& member)
{
    return {
        {QStringLiteral("NumberInList"), member.numberInList}, {QStringLiteral("FIO"), member.fio},
        {QStringLiteral("IsMember"), member.isMember},         {QStringLiteral("IsExpert"), member.isExpert},
        {QStringLiteral("Comments"), member.comments},         {QStringLiteral("IsMemberN"), member.isMember ? 1 : 0},
        {QStringLiteral("IsExpertN"), member.isExpert ? 1 : 0}};
}

} // namespace

qint32 addGroup(Database& db, qint32 dbId, const QString& name, const QDate& date, const QString& comments)
{
    Transaction transaction(db);
    const qint64 key = db.newKey(QStringLiteral("\"GROUP\""), QStringLiteral("Group_ID"));
    Params params = groupFields(name, date, comments);
    params.append({QStringLiteral("Group_ID"), key});
    params.append({QStringLiteral("DB_ID"), dbId});
    db.exec(QStringLiteral("insert into \"GROUP\" (Group_ID, DB_ID, Group_Name, Date_Test, Comments)"
                           " values (:Group_ID, :DB_ID, :Group_Name, :Date_Test, :Comments)"),
            params);
    transaction.commit();
    return qint32(key);
}

void updateGroup(Database& db, qint32 groupId, const QString& name, const QDate& date, const QString& comments)
{
    Params params = groupFields(name, date, comments);
    params.append({QStringLiteral("Group_ID"), groupId});
    Transaction transaction(db);
    db.exec(QStringLiteral("update \"GROUP\" set Group_Name = :Group_Name, Date_Test = :Date_Test,"
                           " Comments = :Comments where Group_ID = :Group_ID"),
            params);
    transaction.commit();
}

qint32 addMember(Database& db, qint32 groupId, const Member& member)
{
    Transaction transaction(db);
    const qint64 key = db.newKey(QStringLiteral("USER"), QStringLiteral("Men_ID"));
    Params params = memberFields(member);
    params.append({QStringLiteral("Men_ID"), key});
    params.append({QStringLiteral("Group_ID"), groupId});
    db.exec(QStringLiteral("insert into USER (Men_ID, Group_ID, NumberInList, FIO, IsMember, IsExpert, Comments,"
                           " IsMemberN, IsExpertN) values (:Men_ID, :Group_ID, :NumberInList, :FIO, :IsMember,"
                           " :IsExpert, :Comments, :IsMemberN, :IsExpertN)"),
            params);
    transaction.commit();
    return qint32(key);
}

void updateMember(Database& db, qint32 menId, const Member& member)
{
    Params params = memberFields(member);
    params.append({QStringLiteral("Men_ID"), menId});
    Transaction transaction(db);
    db.exec(QStringLiteral("update USER set NumberInList = :NumberInList, FIO = :FIO, IsMember = :IsMember,"
                           " IsExpert = :IsExpert, Comments = :Comments, IsMemberN = :IsMemberN,"
                           " IsExpertN = :IsExpertN where Men_ID = :Men_ID"),
            params);
    transaction.commit();
}

void removeGroup(Database& db, qint32 groupId)
{
    const Params key{{QStringLiteral("Group_ID"), groupId}};
    Transaction transaction(db);
    db.exec(QStringLiteral("delete from TEST where ID_Group = :Group_ID"), key);
    db.exec(QStringLiteral("delete from USER where Group_ID = :Group_ID"), key);
    db.exec(QStringLiteral("delete from \"GROUP\" where Group_ID = :Group_ID"), key);
    transaction.commit();
}

void removeMember(Database& db, qint32 groupId, qint32 menId)
{
    const Params keys{{QStringLiteral("Group_ID"), groupId}, {QStringLiteral("Men_ID"), menId}};
    Transaction transaction(db);
    db.exec(QStringLiteral("delete from TEST where ID_Group = :Group_ID and (ID_Test = :Men_ID or ID_Men = :Men_ID)"),
            keys);
    db.exec(QStringLiteral("delete from USER where Men_ID = :Men_ID"), keys);
    transaction.commit();
}

bool numberTaken(Database& db, qint32 groupId, qint32 number, qint32 exceptMenId)
{
    return db.scalar(QStringLiteral("select count(*) from USER where Group_ID = :Group_ID"
                                    " and NumberInList = :Number and Men_ID <> :Except"),
                     {{QStringLiteral("Group_ID"), groupId},
                      {QStringLiteral("Number"), number},
                      {QStringLiteral("Except"), exceptMenId}})
               .toLongLong() > 0;
}

std::optional<qint32> smallestFreeNumber(Database& db, qint32 groupId)
{
    QSet<qint64> taken;
    Statement statement(db, QStringLiteral("select NumberInList from USER where Group_ID = :Group_ID"));
    statement.bind(QStringLiteral("Group_ID"), groupId);
    while (statement.step())
        taken.insert(statement.value(0).toLongLong());
    for (qint32 number = FirstNumber; number <= LastNumber; ++number) {
        if (!taken.contains(number))
            return number;
    }
    return std::nullopt;
}

} // namespace PeopleRecords
