#include "databases/DB_Frm.h"

#include "app/DataMod.h"
#include "databases/DBEdit_Frm.h"
#include "databases/DbRecords.h"
#include "databases/Password_Frm.h"
#include "platform/DialogFrame.h"
#include "platform/ErrorDisplay.h"
#include "platform/Messages.h"
#include "ui_DB_Frm.h"

#include <QIcon>
#include <QMenu>

namespace {
const QColor GridBackground(255, 255, 213);
} // namespace

TDB_Form::TDB_Form(QWidget* parent) : QDialog(parent), ui(new Ui::TDB_Form)
{
    ui->setupUi(this);
    DialogFrame::apply(this);
    ui->OK_But->setIcon(QIcon(QStringLiteral(":/icons/ok.svg")));
    ui->Cancel_But->setIcon(QIcon(QStringLiteral(":/icons/cancel.svg")));
    ui->JvSpeedButton1->setIcon(QIcon(QStringLiteral(":/icons/dropdown.svg")));

    DB_PopupMenu = new QMenu(this);
    DB_PopupMenu->setToolTipsVisible(true);
    AddDB = DB_PopupMenu->addAction(QIcon(QStringLiteral(":/icons/db-new.svg")), QStringLiteral("&Создать..."));
    AddDB->setToolTip(QStringLiteral("Создать новую базу данных"));
    EditDB = DB_PopupMenu->addAction(QStringLiteral("Изменить данные..."));
    EditDB->setToolTip(QStringLiteral("Изменить данные базы данных"));
    DB_PopupMenu->addSeparator();
    DelDB = DB_PopupMenu->addAction(QIcon(QStringLiteral(":/icons/delete.svg")), QStringLiteral("Удалить..."));
    DelDB->setToolTip(QStringLiteral("Удалить существующую базу данных"));
    ui->JvSpeedButton1->setMenu(DB_PopupMenu);

    ui->DBGridEh1->bind(&Main_DataModule->DB_Table, {{QStringLiteral("DB_Name"), QStringLiteral("Название"), 360}},
                        DataGrid::ColumnSizing::Fill);
    ui->DBGridEh1->horizontalHeader()->hide();
    ui->DBGridEh1->setShowGrid(false);
    ui->DBGridEh1->setRowBackground(GridBackground);

    connect(ui->OK_But, &QPushButton::clicked, this, &TDB_Form::OK_ButClick);
    connect(ui->Cancel_But, &QPushButton::clicked, this, &TDB_Form::Cancel_ButClick);
    connect(ui->DBGridEh1, &DataGrid::gridDoubleClicked, this, &TDB_Form::DBGridEh1DblClick);
    connect(AddDB, &QAction::triggered, this, &TDB_Form::AddDBClick);
    connect(EditDB, &QAction::triggered, this, &TDB_Form::EditDBClick);
    connect(DelDB, &QAction::triggered, this, &TDB_Form::DelDBClick);
    connect(&Main_DataModule->DB_Table, &Dataset::changed, this, &TDB_Form::updateEnabling);
    updateEnabling();
}

TDB_Form::~TDB_Form() = default;

void TDB_Form::updateEnabling()
{
    const bool any = !Main_DataModule->DB_Table.isEmpty();
    EditDB->setEnabled(any);
    DelDB->setEnabled(any);
    ui->OK_But->setEnabled(any);
}

bool TDB_Form::CheckPassword()
{
    const QByteArray stored = Main_DataModule->DB_Table.asBytes(QStringLiteral("Password"));
    if (stored.isEmpty())
        return true;
    EncryptPassword.setN(quint8(stored.size() % 256));
    EncryptPassword.setEncoded(stored);
    QString password = Cp1251::decode(EncryptPassword.Decoded());
    return ExecuteInputPassword_Form(QStringLiteral("Ввод пароля"), password, false, this);
}

void TDB_Form::OK_ButClick()
{
    const Dataset& table = Main_DataModule->DB_Table;
    if (table.isEmpty() || !CheckPassword())
        return;
    FDB_ID = qint32(table.asInteger(QStringLiteral("DB_ID")));
    FDB_Name = table.asString(QStringLiteral("DB_Name"));
    accept();
}

void TDB_Form::Cancel_ButClick()
{
    reject();
}

void TDB_Form::DBGridEh1DblClick()
{
    if (!Main_DataModule->DB_Table.isEmpty())
        OK_ButClick();
}

void TDB_Form::AddDBClick()
{
    qint32 id = -1;
    QString name;
    if (ExecuteDBEdit_Form(id, name, this))
        Main_DataModule->DB_Table.locate(QStringLiteral("DB_ID"), id);
}

void TDB_Form::EditDBClick()
{
    Dataset& table = Main_DataModule->DB_Table;
    if (table.isEmpty() || !CheckPassword())
        return;
    qint32 id = qint32(table.asInteger(QStringLiteral("DB_ID")));
    QString name;
    ExecuteDBEdit_Form(id, name, this);
}

void TDB_Form::DelDBClick()
{
    TMain_DataModule& dm = *Main_DataModule;
    Dataset& table = dm.DB_Table;
    if (table.isEmpty())
        return;
    const qint32 id = qint32(table.asInteger(QStringLiteral("DB_ID")));
    const QString name = table.asString(QStringLiteral("DB_Name"));
    if (id == dm.CurrentDB_ID) {
        Messages::information(this, QStringLiteral("Информация"),
                              QStringLiteral("База данных \"%1\" открыта в главном окне и не может быть удалена.\n"
                                             "Откройте другую базу данных и повторите удаление.")
                                  .arg(name));
        return;
    }
    if (!Messages::question(this, QStringLiteral("Подтверждение"),
                            QStringLiteral("Удалить базу данных \"%1\"?\nВсе ее группы, члены групп и результаты "
                                           "тестирования будут удалены.")
                                .arg(name)))
        return;
    if (!CheckPassword())
        return;
    ErrorDisplay::run(this, [&] {
        const int recNo = table.recNo();
        DbRecords::remove(dm.Main_Database, id);
        const ControlsOff quiet(table);
        table.close();
        table.open();
        table.setRecNo(qMin(recNo, table.recordCount()));
    });
}

bool ExecuteDB_Form(qint32& DB_ID, QString& DB_Name, QWidget* parent)
{
    Dataset& table = Main_DataModule->DB_Table;
    if (!table.isOpen())
        table.open();
    const CloseOnExit closer(table); // closed on return, also when it found the table open
    TDB_Form form(parent);
    form.FDB_ID = DB_ID;
    form.FDB_Name = DB_Name;
    if (DB_ID != 0)
        table.locate(QStringLiteral("DB_ID"), DB_ID);
    form.ui->DBGridEh1->setFocus();
    DialogFrame::centerOnScreen(&form);
    if (form.exec() != QDialog::Accepted)
        return false;
    DB_ID = form.FDB_ID;
    DB_Name = form.FDB_Name;
    return true;
}
