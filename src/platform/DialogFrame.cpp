#include "platform/DialogFrame.h"

#include <QGuiApplication>
#include <QScreen>
#include <QStyle>
#include <QWidget>

namespace DialogFrame {

void apply(QWidget* dialog)
{
    dialog->setWindowFlags(Qt::Dialog | Qt::CustomizeWindowHint | Qt::WindowTitleHint | Qt::WindowCloseButtonHint);
}

void centerOnScreen(QWidget* window)
{
    window->ensurePolished();
    centerOnScreen(window, window->size().expandedTo(window->sizeHint()));
}

void centerOnScreen(QWidget* window, const QSize& size)
{
    QScreen* screen = window->screen() ? window->screen() : QGuiApplication::primaryScreen();
    if (!screen)
        return;
    window->setGeometry(QStyle::alignedRect(Qt::LeftToRight, Qt::AlignCenter, size, screen->availableGeometry()));
}

} // namespace DialogFrame
