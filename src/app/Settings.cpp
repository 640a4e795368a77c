#include "app/Settings.h"

#include "platform/ProfileFile.h"

#include <QCoreApplication>

namespace Settings {

namespace {

QString& pathOverride()
{
    static QString path;
    return path;
}

} // namespace

QString filePath()
{
    if (!pathOverride().isEmpty())
        return pathOverride();
    return QCoreApplication::applicationDirPath() + QStringLiteral("/Koltra.ini");
}

void setFilePathForTesting(const QString& path)
{
    pathOverride() = path;
}

int read(const Key& key)
{
    return ProfileFile(filePath()).readInteger(QLatin1String(Section), QLatin1String(key.name), key.defaultValue);
}

void write(const Key& key, int value)
{
    ProfileFile(filePath()).writeInteger(QLatin1String(Section), QLatin1String(key.name), value);
}

} // namespace Settings
