#include "app/Startup.h"

#include "app/DataMod.h"
#include "app/MainFrm.h"
#include "app/ProgramInfo.h"
#include "app/Splash_Frm.h"
#include "databases/DB_Frm.h"
#include "platform/ErrorDisplay.h"
#include "platform/Messages.h"

#include <QApplication>

#include <memory>

namespace {
// The data module is reachable from every window while it exists, and from none after.
struct DataModuleScope
{
    std::unique_ptr<TMain_DataModule> module;
    explicit DataModuleScope(const QString& programDir) : module(std::make_unique<TMain_DataModule>(programDir))
    {
        Main_DataModule = module.get();
    }
    ~DataModuleScope() { Main_DataModule = nullptr; }
};
} // namespace

int runProgram(const QString& programDir)
{
    auto splash = std::make_unique<TSplash_Form>();
    splash->showNow();
    splash->stepIt();

    DataModuleScope data(programDir);
    try {
        if (!data.module->DataModuleCreate()) {
            Messages::error(splash.get(), ProgramInfo::Title,
                            QStringLiteral("Не могу открыть базу данных! Не существует папки DB!"));
            return 1;
        }
    } catch (const std::exception& e) {
        ErrorDisplay::show(splash.get(), QString::fromStdString(e.what()));
        return 1;
    }
    splash->stepIt();
    splash.reset();

    qint32 dbId = 0;
    QString dbName;
    bool chosen = false;
    if (!ErrorDisplay::run(nullptr, [&] { chosen = ExecuteDB_Form(dbId, dbName); }))
        return 1; // the store could not show the databases
    if (!chosen)
        return 0;

    data.module->CurrentDB_ID = dbId;
    TMain_Form mainForm;
    mainForm.setDatabaseTitle(dbName);
    mainForm.showPlaced();
    return QApplication::exec();
}
