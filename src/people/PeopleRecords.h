#pragma once

#include <QDate>
#include <QString>

#include <optional>

class Database;

// Writing the rows of tables GROUP and USER, and removing groups and members with their score rows. Each call is
// one transaction: it is stored completely or not at all.
namespace PeopleRecords {

// The member numbers the member dialog allows.
constexpr qint32 FirstNumber = 1;
constexpr qint32 LastNumber = 150;

// A group without a date (an invalid `date`) stores NULL in Date_Test. Returns the new Group_ID.
qint32 addGroup(Database& db, qint32 dbId, const QString& name, const QDate& date, const QString& comments);
// Group_ID and DB_ID of the row stay as they are.
void updateGroup(Database& db, qint32 groupId, const QString& name, const QDate& date, const QString& comments);

struct Member
{
    qint32 numberInList = 0;
    QString fio;
    bool isMember = true;
    bool isExpert = false;
    QString comments;
};

// IsMemberN and IsExpertN are written from the flags, so that the footer sums of the member lists stay right.
qint32 addMember(Database& db, qint32 groupId, const Member& member);
// Men_ID and Group_ID of the row stay as they are.
void updateMember(Database& db, qint32 menId, const Member& member);

// The group, its members and every score row of the group.
void removeGroup(Database& db, qint32 groupId);
// The member and every score row of the group in which the member is the rater or the rated one.
void removeMember(Database& db, qint32 groupId, qint32 menId);

// Whether a member of the group other than `exceptMenId` has `number` (pass -1 for a member not stored yet).
bool numberTaken(Database& db, qint32 groupId, qint32 number, qint32 exceptMenId);
// The smallest number from FirstNumber to LastNumber that no member of the group has; none when all are taken.
std::optional<qint32> smallestFreeNumber(Database& db, qint32 groupId);

} // namespace PeopleRecords
