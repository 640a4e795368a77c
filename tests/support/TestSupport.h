#pragma once

// Helpers shared by the GUI tests: answering message boxes, driving nested modal dialogs, typing Cyrillic text,
// and a throw-away program folder with its data module.

#include "app/DataMod.h"
#include "app/Resources.h"
#include "app/Settings.h"
#include "platform/Messages.h"

#include <QAbstractButton>
#include <QApplication>
#include <QDeadlineTimer>
#include <QDir>
#include <QLineEdit>
#include <QPointer>
#include <QQueue>
#include <QTemporaryDir>
#include <QTest>
#include <QTimer>

#include <functional>
#include <memory>

namespace TestSupport {

// Records every message box instead of showing it, answering from a queue (OK, or Yes for questions, when empty).
class MessageRecorder
{
public:
    MessageRecorder()
    {
        Messages::setHandler([this](const Messages::Request& request) {
            shown.append(request);
            if (onShow)
                onShow(request);
            if (!answers.isEmpty())
                return answers.dequeue();
            return request.buttons.testFlag(QMessageBox::Yes) ? QMessageBox::Yes : QMessageBox::Ok;
        });
    }
    ~MessageRecorder() { Messages::setHandler({}); }
    MessageRecorder(const MessageRecorder&) = delete;
    MessageRecorder& operator=(const MessageRecorder&) = delete;

    QStringList texts() const
    {
        QStringList result;
        for (const auto& request : shown)
            result.append(request.text);
        return result;
    }

    QVector<Messages::Request> shown;
    QQueue<QMessageBox::StandardButton> answers;
    std::function<void(const Messages::Request&)> onShow;
};

// The window of class T that is on screen now: the active modal dialog, or else any visible top-level window.
template <class T> T* shownWindow()
{
    if (T* modal = qobject_cast<T*>(QApplication::activeModalWidget()))
        return modal;
    for (QWidget* widget : QApplication::topLevelWidgets()) {
        if (T* window = qobject_cast<T*>(widget); window && window->isVisible())
            return window;
    }
    return nullptr;
}

// Runs `action` on the next window of class T once it is shown (the caller then opens it with a blocking call).
// Warns and closes the active modal dialog when none appears within the time limit, so the test cannot hang.
template <class T> void whenShown(std::function<void(T*)> action, int timeoutMs = 5000)
{
    auto deadline = std::make_shared<QDeadlineTimer>(timeoutMs);
    auto poll = std::make_shared<std::function<void()>>();
    *poll = [action, deadline, poll]() {
        if (T* dialog = shownWindow<T>()) {
            action(dialog);
            return;
        }
        if (deadline->hasExpired()) {
            QTest::qFail("the expected window did not appear", __FILE__, __LINE__);
            if (QWidget* modal = QApplication::activeModalWidget())
                modal->close();
            return;
        }
        QTimer::singleShot(10, *poll);
    };
    QTimer::singleShot(0, *poll);
}

// One key event per character: QTest::keyClicks cannot type Cyrillic text.
inline void typeText(QWidget* widget, const QString& text)
{
    for (const QChar ch : text)
        QTest::sendKeyEvent(QTest::Click, widget, Qt::Key_unknown, QString(ch), Qt::NoModifier);
}

// The control of a window by its object name; a missing control ends the test program at once.
template <class T> T* child(QWidget* parent, const char* name)
{
    T* widget = parent->findChild<T*>(QString::fromLatin1(name));
    if (!widget)
        qFatal("no control %s", name);
    return widget;
}

inline void click(QWidget* parent, const char* button)
{
    QTest::mouseClick(child<QAbstractButton>(parent, button), Qt::LeftButton);
}

// Replaces the text of a line edit as a user does: select all, delete, type.
inline void typeInto(QWidget* parent, const char* edit, const QString& text)
{
    QLineEdit* box = child<QLineEdit>(parent, edit);
    box->setFocus();
    box->selectAll();
    QTest::keyClick(box, Qt::Key_Delete);
    typeText(box, text);
}

// A program folder in a temporary directory, with a DB folder, its settings file and its data module.
class ProgramFolder
{
public:
    explicit ProgramFolder(bool withDbFolder = true)
    {
        if (withDbFolder)
            QDir(dir.path()).mkpath(QStringLiteral("DB"));
        Settings::setFilePathForTesting(QDir(dir.path()).filePath(QStringLiteral("Koltra.ini")));
        module = std::make_unique<TMain_DataModule>(dir.path());
        Main_DataModule = module.get();
        if (withDbFolder)
            module->DataModuleCreate();
    }
    ~ProgramFolder()
    {
        Main_DataModule = nullptr;
        module.reset();
        Settings::setFilePathForTesting(QString());
    }
    TMain_DataModule& dm() { return *module; }
    Database& db() { return module->Main_Database; }
    QString path() const { return dir.path(); }

    QTemporaryDir dir;
    std::unique_ptr<TMain_DataModule> module;
};

} // namespace TestSupport
