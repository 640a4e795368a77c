#include "platform/Shell.h"

#include <QDesktopServices>
#include <QFileInfo>
#include <QUrl>

namespace Shell {

void open(const QString& fileOrAddress)
{
    QUrl url;
    if (QFileInfo(fileOrAddress).isAbsolute())
        url = QUrl::fromLocalFile(fileOrAddress);
    else if (fileOrAddress.contains(QLatin1Char(':')))
        url = QUrl(fileOrAddress);
    else
        url = QUrl(QStringLiteral("http://") + fileOrAddress); // a bare host name
    QDesktopServices::openUrl(url);
}

} // namespace Shell
