#include "app/Resources.h"
#include "app/Startup.h"
#include "app/Translations.h"
#include "platform/ErrorDisplay.h"

#include <QIcon>
#include <QLocale>

int main(int argc, char* argv[])
{
    KoltraApplication app(argc, argv);
    initKoltraResources();
    QApplication::setApplicationName(QStringLiteral("Koltra"));
    QApplication::setOrganizationName(QStringLiteral("Brevant"));
    QApplication::setWindowIcon(QIcon(QStringLiteral(":/koltra.svg")));
    QLocale::setDefault(QLocale(QLocale::Russian, QLocale::Russia));
    installQtRussianTranslation(app);
    return runProgram(QApplication::applicationDirPath());
}
