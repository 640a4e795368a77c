#pragma once

#include <QWidget>

#include <memory>

namespace Ui {
class TSplash_Form;
}

// Shown while the program loads; start-up creates, advances and destroys it.
class TSplash_Form : public QWidget
{
    Q_OBJECT
public:
    explicit TSplash_Form(QWidget* parent = nullptr);
    ~TSplash_Form() override;

    // Shows the window and paints it at once, before any further work of start-up.
    void showNow();
    void stepIt();
    int progress() const;

private:
    std::unique_ptr<Ui::TSplash_Form> ui;
};
