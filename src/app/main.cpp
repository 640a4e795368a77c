#include "app/DataMod.h"
#include "app/MainFrm.h"
#include "app/ProgramInfo.h"
#include "app/Resources.h"
#include "app/Splash_Frm.h"
#include "databases/DB_Frm.h"
#include "platform/ErrorDisplay.h"
#include "platform/Messages.h"

#include <QDir>
#include <QLibraryInfo>
#include <QLocale>
#include <QTranslator>

#include <memory>

int main(int argc, char* argv[])
{
    KoltraApplication app(argc, argv);
    initKoltraResources();
    QApplication::setApplicationName(QStringLiteral("Koltra"));
    QApplication::setApplicationDisplayName(ProgramInfo::Title);
    QApplication::setOrganizationName(QStringLiteral("Brevant"));
    QApplication::setWindowIcon(QIcon(QStringLiteral(":/koltra.svg")));
    QLocale::setDefault(QLocale(QLocale::Russian, QLocale::Russia));

    // Standard buttons of message boxes read "Да", "Нет", "Отмена".
    QTranslator qtTranslator;
    if (qtTranslator.load(QStringLiteral("qtbase_ru"), QLibraryInfo::path(QLibraryInfo::TranslationsPath)))
        QApplication::installTranslator(&qtTranslator);

    auto splash = std::make_unique<TSplash_Form>();
    splash->showNow();
    splash->stepIt();

    auto dataModule = std::make_unique<TMain_DataModule>(QApplication::applicationDirPath());
    Main_DataModule = dataModule.get();
    try {
        if (!dataModule->DataModuleCreate()) {
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
    if (!ErrorDisplay::run(nullptr, [&] { chosen = ExecuteDB_Form(dbId, dbName); }) || !chosen) {
        Main_DataModule = nullptr;
        return 0;
    }

    dataModule->CurrentDB_ID = dbId;
    int result = 0;
    {
        TMain_Form mainForm;
        mainForm.setDatabaseTitle(dbName);
        mainForm.showPlaced();
        result = QApplication::exec();
    }
    Main_DataModule = nullptr;
    return result;
}
