#pragma once

#include <QDialog>

#include <memory>

namespace Ui {
class TInputPassword_Form;
}

// The password dialog: checks that the typed text equals a known password, as often as the user tries.
class TInputPassword_Form : public QDialog
{
    Q_OBJECT
public:
    explicit TInputPassword_Form(QWidget* parent = nullptr);
    ~TInputPassword_Form() override;

private:
    std::unique_ptr<Ui::TInputPassword_Form> ui;
    void Ok_ButClick();
    void Cancel_ButClick();

    QString FPassword;
    bool FConfirm = false;

    friend bool ExecuteInputPassword_Form(const QString& Caption, QString& Password, bool Confirm, QWidget* parent);
};

// Asks for `Password` under `Caption`: in checking mode the stored password, in confirmation mode (`Confirm`) a newly
// chosen one typed a second time. True when the user typed exactly that text and pressed OK.
bool ExecuteInputPassword_Form(const QString& Caption, QString& Password, bool Confirm, QWidget* parent = nullptr);
