#pragma once

#include <QDialog>

#include <memory>

class QButtonGroup;

namespace Ui {
class TOptions_Form;
}

// The settings dialog: row colours of the member list, how results are labelled, the expert column of the export.
// It reads Koltra.ini when it opens and writes it on OK only.
class TOptions_Form : public QDialog
{
    Q_OBJECT
public:
    explicit TOptions_Form(QWidget* parent = nullptr);
    ~TOptions_Form() override;

private:
    void ReadSettings();
    void OK_ButClick();
    void Cancel_ButClick();

    std::unique_ptr<Ui::TOptions_Form> ui;
    QButtonGroup* FResultGroup;
    QButtonGroup* FGraphGroup;

    friend bool ExecuteOptions_Form(QWidget* parent);
};

// True when the user confirmed with OK and every setting was written.
bool ExecuteOptions_Form(QWidget* parent = nullptr);
