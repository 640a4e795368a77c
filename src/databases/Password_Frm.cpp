#include "databases/Password_Frm.h"

#include "platform/DialogFrame.h"
#include "platform/Messages.h"
#include "ui_Password_Frm.h"

TInputPassword_Form::TInputPassword_Form(QWidget* parent) : QDialog(parent), ui(new Ui::TInputPassword_Form)
{
    ui->setupUi(this);
    DialogFrame::apply(this);
    connect(ui->Ok_But, &QPushButton::clicked, this, &TInputPassword_Form::Ok_ButClick);
    connect(ui->Cancel_But, &QPushButton::clicked, this, &TInputPassword_Form::Cancel_ButClick);
}

TInputPassword_Form::~TInputPassword_Form() = default;

void TInputPassword_Form::Ok_ButClick()
{
    // Letter case and spaces count: the text must equal the password exactly.
    if (ui->Password_Edit->text() != FPassword) {
        Messages::information(this, QStringLiteral("Ошибка ввода пароля"),
                              FConfirm ? QStringLiteral("Пароли не совпадают! Повторите ввод.")
                                       : QStringLiteral("Неверный пароль! Повторите ввод."));
        ui->Password_Edit->setFocus();
        return;
    }
    accept();
}

void TInputPassword_Form::Cancel_ButClick()
{
    reject();
}

bool ExecuteInputPassword_Form(const QString& Caption, QString& Password, bool Confirm, QWidget* parent)
{
    TInputPassword_Form form(parent);
    form.setWindowTitle(Caption);
    form.FPassword = Password;
    form.FConfirm = Confirm;
    form.ui->Password_Edit->setFocus();
    DialogFrame::centerOnScreen(&form);
    if (form.exec() != QDialog::Accepted)
        return false;
    Password = form.ui->Password_Edit->text();
    return true;
}
