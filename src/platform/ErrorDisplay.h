#pragma once

#include <QApplication>

#include <functional>

class QWidget;

// The application's general error display: an error of the store, the settings file or a spreadsheet abandons the
// command that raised it, its message is shown in one message box, and the program goes on.
namespace ErrorDisplay {
inline const char* const Caption = "Ошибка";
void show(QWidget* parent, const QString& message);
// Runs a command; returns false when it was abandoned on an error (which has then been shown).
bool run(QWidget* parent, const std::function<void()>& command);
} // namespace ErrorDisplay

// The safety net for errors that escape an event handler.
class KoltraApplication : public QApplication
{
public:
    using QApplication::QApplication;
    bool notify(QObject* receiver, QEvent* event) override;
};
