#pragma once

#include <QMessageBox>
#include <QString>

#include <functional>

class QWidget;

// Every message box of the program goes through here, so that a test can answer it in advance.
namespace Messages {

enum class Icon
{
    Information,
    Warning,
    Error,
    Question
};

struct Request
{
    QWidget* parent;
    Icon icon;
    QString caption;
    QString text;
    QMessageBox::StandardButtons buttons;
};

// Answers a message box instead of showing it; an empty handler restores real message boxes.
using Handler = std::function<QMessageBox::StandardButton(const Request&)>;
void setHandler(Handler handler);

// Information icon, one OK button.
void information(QWidget* parent, const QString& caption, const QString& text);
// Error icon, one OK button.
void error(QWidget* parent, const QString& caption, const QString& text);
// Question icon, Yes and No; true for Yes.
bool question(QWidget* parent, const QString& caption, const QString& text);

} // namespace Messages
