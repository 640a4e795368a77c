#include "app/ProgramInfo.h"
#include "app/Resources.h"
#include "app/Startup.h"
#include "platform/ErrorDisplay.h"

#include <QIcon>
#include <QLibraryInfo>
#include <QLocale>
#include <QTranslator>

int main(int argc, char* argv[])
{
    KoltraApplication app(argc, argv);
    initKoltraResources();
    QApplication::setApplicationName(QStringLiteral("Koltra"));
    QApplication::setOrganizationName(QStringLiteral("Brevant"));
    QApplication::setWindowIcon(QIcon(QStringLiteral(":/koltra.svg")));
    QLocale::setDefault(QLocale(QLocale::Russian, QLocale::Russia));

    // Standard buttons of message boxes read "Да", "Нет", "Отмена".
    QTranslator qtTranslator;
    if (qtTranslator.load(QStringLiteral("qtbase_ru"), QLibraryInfo::path(QLibraryInfo::TranslationsPath)))
        QApplication::installTranslator(&qtTranslator);

    return runProgram(QApplication::applicationDirPath());
}
