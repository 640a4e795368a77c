#include "platform/Placement.h"

#include "platform/DialogFrame.h"

#include <QGuiApplication>
#include <QRect>
#include <QScreen>
#include <QSettings>
#include <QWidget>

namespace Placement {
namespace {

constexpr int SW_SHOWNORMAL = 1;
constexpr int SW_SHOWMINIMIZED = 2;
constexpr int SW_SHOWMAXIMIZED = 3;

int screenDpi(const QWidget* window)
{
    const QScreen* screen = window->screen() ? window->screen() : QGuiApplication::primaryScreen();
    return screen ? qRound(screen->logicalDotsPerInch()) : 96;
}

QString screenSuffix(const QWidget* window)
{
    const QScreen* screen = window->screen() ? window->screen() : QGuiApplication::primaryScreen();
    const QSize size = screen ? screen->size() : QSize();
    return QStringLiteral("(%1x%2)").arg(size.width()).arg(size.height());
}

QString rectText(const QRect& r)
{
    return QStringLiteral("%1,%2,%3,%4").arg(r.left()).arg(r.top()).arg(r.right() + 1).arg(r.bottom() + 1);
}

bool parseRect(const QString& text, QRect* rect)
{
    const QStringList parts = text.split(QLatin1Char(','));
    if (parts.size() != 4)
        return false;
    int v[4];
    for (int i = 0; i < 4; ++i) {
        bool ok = false;
        v[i] = parts.at(i).trimmed().toInt(&ok);
        if (!ok)
            return false;
    }
    *rect = QRect(QPoint(v[0], v[1]), QPoint(v[2] - 1, v[3] - 1));
    return rect->isValid();
}

} // namespace

std::unique_ptr<QSettings> userSettings()
{
    return std::make_unique<QSettings>(QStringLiteral("Brevant"), QStringLiteral("Koltra"));
}

void save(QWidget* window, QSettings& settings)
{
    const Qt::WindowStates state = window->windowState();
    const int showCmd = state & Qt::WindowMinimized   ? SW_SHOWMINIMIZED
                        : state & Qt::WindowMaximized ? SW_SHOWMAXIMIZED
                                                      : SW_SHOWNORMAL;
    const QString normPos = rectText(window->normalGeometry());
    const QString minMaxPos = QStringLiteral("-1,-1,-1,-1");
    settings.beginGroup(QStringLiteral("Form"));
    settings.setValue(QStringLiteral("FormVersion"), QStringLiteral("0"));
    settings.setValue(QStringLiteral("Flags"), QStringLiteral("0"));
    settings.setValue(QStringLiteral("ShowCmd"), QString::number(showCmd));
    settings.setValue(QStringLiteral("PixelsPerInch"), QString::number(screenDpi(window)));
    settings.setValue(QStringLiteral("MinMaxPos"), minMaxPos);
    settings.setValue(QStringLiteral("MinMaxPos") + screenSuffix(window), minMaxPos);
    settings.setValue(QStringLiteral("NormPos"), normPos);
    settings.setValue(QStringLiteral("NormPos") + screenSuffix(window), normPos);
    settings.setValue(QStringLiteral("Visible"), QStringLiteral("1"));
    settings.endGroup();
    settings.sync();
}

Qt::WindowStates restore(QWidget* window, QSettings& settings, const QSize& designSize)
{
    settings.beginGroup(QStringLiteral("Form"));
    bool haveShowCmd = false;
    const int showCmd = settings.value(QStringLiteral("ShowCmd")).toString().toInt(&haveShowCmd);
    bool haveDpi = false;
    const int dpi = settings.value(QStringLiteral("PixelsPerInch")).toString().toInt(&haveDpi);
    QRect normal;
    const bool haveRect = parseRect(settings.value(QStringLiteral("NormPos")).toString(), &normal);
    settings.endGroup();

    if (haveRect && haveDpi && dpi == screenDpi(window))
        window->setGeometry(normal);
    else
        DialogFrame::centerOnScreen(window, designSize);

    if (!haveShowCmd)
        return Qt::WindowNoState;
    if (showCmd == SW_SHOWMAXIMIZED)
        return Qt::WindowMaximized;
    if (showCmd == SW_SHOWMINIMIZED)
        return Qt::WindowMinimized;
    return Qt::WindowNoState;
}

} // namespace Placement
