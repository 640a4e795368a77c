// The main window's commands: what each menu item, toolbar button and shortcut does.

#include "app/MainFrm.h"

#include "app/About_Frm.h"
#include "app/DataMod.h"
#include "app/Option_Frm.h"
#include "app/ProgramInfo.h"
#include "app/Settings.h"
#include "databases/DBEdit_Frm.h"
#include "databases/DB_Frm.h"
#include "people/AddGroup_Frm.h"
#include "people/AddTester_Frm.h"
#include "people/PeopleRecords.h"
#include "people/Sour_Frm.h"
#include "platform/ErrorDisplay.h"
#include "platform/Messages.h"
#include "platform/Shell.h"
#include "widgets/DataGrid.h"

#include <QAction>
#include <QDir>

namespace {

// After a removal the row that took the removed one's place is selected, or the new last row.
void selectNearest(Dataset& list, int removedRecNo)
{
    if (!list.isEmpty())
        list.setRecNo(qMin(removedRecNo, list.recordCount()));
}

} // namespace

void TMain_Form::connectCommands()
{
    connect(NewDB, &QAction::triggered, this, &TMain_Form::NewDBExecute);
    connect(OpenDB, &QAction::triggered, this, &TMain_Form::OpenDBExecute);
    connect(Exit, &QAction::triggered, this, &TMain_Form::ExitExecute);
    connect(GroupAdd_Action, &QAction::triggered, this, &TMain_Form::GroupAdd_ActionExecute);
    connect(GroupEdit_Action, &QAction::triggered, this, &TMain_Form::GroupEdit_ActionExecute);
    connect(GroupDel_Action, &QAction::triggered, this, &TMain_Form::GroupDel_ActionExecute);
    connect(AddTest, &QAction::triggered, this, &TMain_Form::AddTestExecute);
    connect(EditTest, &QAction::triggered, this, &TMain_Form::EditTestExecute);
    connect(DelTest, &QAction::triggered, this, &TMain_Form::DelTestExecute);
    connect(SeekTest, &QAction::triggered, this, &TMain_Form::SeekTestExecute);
    connect(BeginTest, &QAction::triggered, this, &TMain_Form::BeginTestExecute);
    connect(InputDataTest_Action, &QAction::triggered, this, &TMain_Form::InputDataTest_ActionExecute);
    connect(ResultTest, &QAction::triggered, this, &TMain_Form::ResultTestExecute);
    connect(Option, &QAction::triggered, this, &TMain_Form::OptionExecute);
    connect(Help, &QAction::triggered, this, &TMain_Form::HelpExecute);
    connect(InternetHelp, &QAction::triggered, this, &TMain_Form::InternetHelpExecute);
    connect(About, &QAction::triggered, this, &TMain_Form::AboutExecute);
}

void TMain_Form::NewDBExecute()
{
    ErrorDisplay::run(this, [this] {
        TMain_DataModule& dm = *Main_DataModule;
        Dataset& table = dm.DB_Table;
        if (!table.isOpen())
            table.open();
        const CloseOnExit closer(table);
        qint32 id = -1;
        QString name;
        if (ExecuteDBEdit_Form(id, name, this)) {
            dm.CurrentDB_ID = id;
            setDatabaseTitle(name);
            OpenGroupList();
        }
    });
}

void TMain_Form::OpenDBExecute()
{
    ErrorDisplay::run(this, [this] {
        TMain_DataModule& dm = *Main_DataModule;
        qint32 id = dm.CurrentDB_ID;
        QString name;
        if (ExecuteDB_Form(id, name, this)) {
            dm.CurrentDB_ID = id;
            setDatabaseTitle(name);
            OpenGroupList();
            return;
        }
        // Cancelled: the same database stays open, but the chooser may have renamed it.
        const QVariant current = dm.Main_Database.scalar(QStringLiteral("select DB_Name from DB where DB_ID = :DB_ID"),
                                                         {{QStringLiteral("DB_ID"), dm.CurrentDB_ID}});
        if (current.isValid())
            setDatabaseTitle(current.toString());
    });
}

void TMain_Form::ExitExecute()
{
    close();
}

void TMain_Form::showStoredGroup(qint32 groupId)
{
    Dataset& groups = Main_DataModule->Group_Query;
    OpenGroupList();
    // Moving to the group re-runs its member list through the data-change handling.
    groups.locate(QStringLiteral("Group_ID"), groupId);
}

void TMain_Form::showStoredMember(qint32 menId)
{
    OpenMenList();
    Main_DataModule->Men_Query.locate(QStringLiteral("Men_ID"), menId);
}

void TMain_Form::GroupAdd_ActionExecute()
{
    ErrorDisplay::run(this, [this] {
        qint32 id = -1;
        if (ExecuteAddGroup_Form(id, this))
            showStoredGroup(id);
    });
}

void TMain_Form::GroupEdit_ActionExecute()
{
    ErrorDisplay::run(this, [this] {
        Dataset& groups = Main_DataModule->Group_Query;
        if (groups.isEmpty())
            return;
        qint32 id = qint32(groups.asInteger(QStringLiteral("Group_ID")));
        if (ExecuteAddGroup_Form(id, this))
            showStoredGroup(id);
    });
}

void TMain_Form::GroupDel_ActionExecute()
{
    ErrorDisplay::run(this, [this] {
        TMain_DataModule& dm = *Main_DataModule;
        Dataset& groups = dm.Group_Query;
        if (groups.isEmpty())
            return;
        const QString text = QStringLiteral("Удалить группу \"%1\"?\n\nВместе с группой будут удалены все ее члены и "
                                            "результаты их тестирования.")
                                 .arg(groups.asString(QStringLiteral("Group_Name")));
        if (!Messages::question(this, QStringLiteral("Удаление группы"), text))
            return;
        const int recNo = groups.recNo();
        PeopleRecords::removeGroup(dm.Main_Database, qint32(groups.asInteger(QStringLiteral("Group_ID"))));
        OpenGroupList();
        selectNearest(groups, recNo);
    });
}

void TMain_Form::AddTestExecute()
{
    ErrorDisplay::run(this, [this] {
        Dataset& groups = Main_DataModule->Group_Query;
        if (groups.isEmpty())
            return;
        qint32 id = -1;
        if (ExecuteAddTester_Form(qint32(groups.asInteger(QStringLiteral("Group_ID"))), id, this))
            showStoredMember(id);
    });
}

void TMain_Form::EditTestExecute()
{
    ErrorDisplay::run(this, [this] {
        TMain_DataModule& dm = *Main_DataModule;
        if (dm.Men_Query.isEmpty())
            return;
        qint32 id = qint32(dm.Men_Query.asInteger(QStringLiteral("Men_ID")));
        if (ExecuteAddTester_Form(qint32(dm.Group_Query.asInteger(QStringLiteral("Group_ID"))), id, this))
            showStoredMember(id);
    });
}

void TMain_Form::DelTestExecute()
{
    ErrorDisplay::run(this, [this] {
        TMain_DataModule& dm = *Main_DataModule;
        Dataset& men = dm.Men_Query;
        if (men.isEmpty())
            return;
        const QString text = QStringLiteral("Удалить члена группы \"%1\"?\n\nВместе с ним будут удалены его оценки и "
                                            "оценки, которые ему дали другие члены группы.")
                                 .arg(men.asString(QStringLiteral("FIO")));
        if (!Messages::question(this, QStringLiteral("Удаление члена группы"), text))
            return;
        const int recNo = men.recNo();
        PeopleRecords::removeMember(dm.Main_Database, qint32(dm.Group_Query.asInteger(QStringLiteral("Group_ID"))),
                                    qint32(men.asInteger(QStringLiteral("Men_ID"))));
        OpenMenList();
        selectNearest(men, recNo);
    });
}

void TMain_Form::SeekTestExecute()
{
    if (Main_DataModule->Men_Query.isEmpty())
        return;
    ErrorDisplay::run(this, [this] { ExecuteSearch_Form(this); });
}

void TMain_Form::BeginTestExecute()
{
    // The assessment pass comes with its own windows; until then the command leaves everything as it is.
}

void TMain_Form::InputDataTest_ActionExecute()
{
    Dataset& men = Main_DataModule->Men_Query;
    if (men.isEmpty())
        return;
    if (!men.asBoolean(QStringLiteral("IsMember"))) {
        Messages::information(this, QStringLiteral("Информация"),
                              QStringLiteral("Этот человек в тестировании не участвовал!"));
        return;
    }
    // The score entry window comes with the assessment; until then a participant's scores are left as they are.
}

void TMain_Form::ResultTestExecute()
{
    // The results window comes with the result views; until then the command leaves everything as it is.
}

void TMain_Form::OptionExecute()
{
    ErrorDisplay::run(this, [this] {
        if (!ExecuteOptions_Form(this))
            return;
        FFirstColor = Settings::read(Settings::FirstColor);
        FSecondColor = Settings::read(Settings::SecondColor);
        Data_Grid->viewport()->update();
    });
}

void TMain_Form::HelpExecute()
{
    Shell::open(QDir(Main_DataModule->programDir()).filePath(QStringLiteral("Koltra.html")));
}

void TMain_Form::InternetHelpExecute()
{
    Shell::open(ProgramInfo::WebSite);
}

void TMain_Form::AboutExecute()
{
    ExecuteAbout_Form(this);
}
