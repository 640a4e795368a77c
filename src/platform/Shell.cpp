#include "platform/Shell.h"

#include <QDesktopServices>
#include <QFileInfo>
#include <QUrl>

namespace Shell {

namespace {

std::function<void(const QString&)>& handler()
{
    static std::function<void(const QString&)> instance;
    return instance;
}

} // namespace

void setHandlerForTesting(std::function<void(const QString&)> newHandler)
{
    handler() = std::move(newHandler);
}

void open(const QString& fileOrAddress)
{
    if (handler()) {
        handler()(fileOrAddress);
        return;
    }
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
