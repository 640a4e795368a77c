#include "databases/DBEdit_Frm.h"

#include "app/DataMod.h"
#include "databases/DbRecords.h"
#include "databases/Password_Frm.h"
#include "platform/DialogFrame.h"
#include "platform/ErrorDisplay.h"
#include "platform/Messages.h"
#include "ui_DBEdit_Frm.h"

namespace {
const QString InputErrorCaption = QStringLiteral("Ошибка ввода");
}

TDBEdit_Form::TDBEdit_Form(QWidget* parent) : QDialog(parent), ui(new Ui::TDBEdit_Form)
{
    ui->setupUi(this);
    DialogFrame::apply(this);
    connect(ui->Ok_But, &QPushButton::clicked, this, &TDBEdit_Form::Ok_ButClick);
    connect(ui->Cancel_But, &QPushButton::clicked, this, &TDBEdit_Form::Cancel_ButClick);
    connect(ui->Password_Edit, &QLineEdit::textChanged, this, &TDBEdit_Form::Password_EditChange);
}

TDBEdit_Form::~TDBEdit_Form() = default;

void TDBEdit_Form::Password_EditChange()
{
    FPasswordChanged = true;
}

void TDBEdit_Form::Ok_ButClick()
{
    const QString name = ui->DB_Edit->text();
    if (name.trimmed().isEmpty()) {
        Messages::information(this, InputErrorCaption, QStringLiteral("Введите название базы данных!"));
        ui->DB_Edit->setFocus();
        return;
    }
    QString password = ui->Password_Edit->text();
    const std::optional<QByteArray> plain = Cp1251::encode(password);
    if (!plain) {
        Messages::information(this, InputErrorCaption,
                              QStringLiteral("Пароль содержит недопустимые символы! Используйте русские и латинские "
                                             "буквы, цифры и знаки препинания."));
        ui->Password_Edit->setFocus();
        return;
    }
    // A new password is typed a second time before anything is stored; removing the password needs no repeat.
    if (FPasswordChanged && !password.isEmpty() &&
        !ExecuteInputPassword_Form(QStringLiteral("Подтверждение пароля"), password, true, this)) {
        ui->Password_Edit->setFocus();
        return;
    }

    EncString.setN(quint8(plain->size() % 256));
    EncString.setDecoded(*plain);
    const QByteArray stored = EncString.Encoded();

    ErrorDisplay::run(this, [&] {
        TMain_DataModule& dm = *Main_DataModule;
        qint32 id = FDB_ID;
        if (FDB_ID == -1) {
            id = DbRecords::create(dm.Main_Database, name, stored);
        } else {
            id = qint32(dm.DB_Table.asInteger(QStringLiteral("DB_ID")));
            DbRecords::update(dm.Main_Database, id, name, stored);
        }
        // The caller finds the written row in DB_Table as soon as the dialog returns.
        if (dm.DB_Table.isOpen())
            dm.DB_Table.refresh(QStringLiteral("DB_ID"));
        FDB_ID = id;
        FDB_Name = name;
        accept();
    });
}

void TDBEdit_Form::Cancel_ButClick()
{
    reject();
}

bool ExecuteDBEdit_Form(qint32& DB_ID, QString& DB_Name, QWidget* parent)
{
    TDBEdit_Form form(parent);
    form.FDB_ID = DB_ID;
    form.FDB_Name = DB_Name;
    if (DB_ID == -1) {
        form.setWindowTitle(QStringLiteral("Создание базы данных"));
    } else {
        form.setWindowTitle(QStringLiteral("Изменение данных базы данных"));
        const Dataset& table = Main_DataModule->DB_Table;
        form.ui->DB_Edit->setText(table.asString(QStringLiteral("DB_Name")));
        const QByteArray stored = table.asBytes(QStringLiteral("Password"));
        form.EncString.setN(quint8(stored.size() % 256));
        form.EncString.setEncoded(stored);
        form.ui->Password_Edit->setText(Cp1251::decode(form.EncString.Decoded()));
    }
    form.FPasswordChanged = false; // filling the boxes is not a change
    form.ui->DB_Edit->setFocus();
    DialogFrame::centerOnScreen(&form);
    if (form.exec() != QDialog::Accepted)
        return false;
    DB_ID = form.FDB_ID;
    DB_Name = form.FDB_Name;
    return true;
}
