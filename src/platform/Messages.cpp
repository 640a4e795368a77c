#include "platform/Messages.h"

namespace Messages {
namespace {

Handler& handler()
{
    static Handler instance;
    return instance;
}

QMessageBox::StandardButton show(const Request& request, QMessageBox::StandardButton defaultButton)
{
    if (handler())
        return handler()(request);
    static const QMessageBox::Icon icons[] = {QMessageBox::Information, QMessageBox::Warning, QMessageBox::Critical,
                                              QMessageBox::Question};
    QMessageBox box(icons[int(request.icon)], request.caption, request.text, request.buttons, request.parent);
    box.setDefaultButton(defaultButton);
    return QMessageBox::StandardButton(box.exec());
}

} // namespace

void setHandler(Handler newHandler)
{
    handler() = std::move(newHandler);
}

void information(QWidget* parent, const QString& caption, const QString& text)
{
    show({parent, Icon::Information, caption, text, QMessageBox::Ok}, QMessageBox::Ok);
}

void error(QWidget* parent, const QString& caption, const QString& text)
{
    show({parent, Icon::Error, caption, text, QMessageBox::Ok}, QMessageBox::Ok);
}

bool question(QWidget* parent, const QString& caption, const QString& text)
{
    return show({parent, Icon::Question, caption, text, QMessageBox::Yes | QMessageBox::No}, QMessageBox::Yes) ==
           QMessageBox::Yes;
}

} // namespace Messages
