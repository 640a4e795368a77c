#include "platform/ErrorDisplay.h"

#include "platform/Messages.h"

#include <exception>

namespace ErrorDisplay {

void show(QWidget* parent, const QString& message)
{
    Messages::error(parent, QString::fromUtf8(Caption), message);
}

bool run(QWidget* parent, const std::function<void()>& command)
{
    try {
        command();
        return true;
    } catch (const std::exception& e) {
        show(parent, QString::fromStdString(e.what()));
    }
    return false;
}

} // namespace ErrorDisplay

bool KoltraApplication::notify(QObject* receiver, QEvent* event)
{
    try {
        return QApplication::notify(receiver, event);
    } catch (const std::exception& e) {
        ErrorDisplay::show(activeWindow(), QString::fromStdString(e.what()));
    }
    return false;
}
