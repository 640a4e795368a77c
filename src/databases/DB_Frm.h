#pragma once

#include "databases/CaesarCipher.h"

#include <QDialog>

#include <memory>

class QAction;
class QMenu;

namespace Ui {
class TDB_Form;
}

// The database chooser: the user picks the logical database to work in, typing its password when it has one.
// Its menu "Работа с БД" creates, edits and deletes logical databases.
class TDB_Form : public QDialog
{
    Q_OBJECT
public:
    explicit TDB_Form(QWidget* parent = nullptr);
    ~TDB_Form() override;

    // Asks for the password of the current row of DB_Table, when it has one; true when it was typed correctly.
    bool CheckPassword();

    QAction* AddDB = nullptr;
    QAction* EditDB = nullptr;
    QAction* DelDB = nullptr;

private:
    void OK_ButClick();
    void Cancel_ButClick();
    void DBGridEh1DblClick();
    void AddDBClick();
    void EditDBClick();
    void DelDBClick();
    void updateEnabling();

    std::unique_ptr<Ui::TDB_Form> ui;
    QMenu* DB_PopupMenu = nullptr;
    TJvCaesarCipher EncryptPassword;
    qint32 FDB_ID = 0;
    QString FDB_Name;

    friend bool ExecuteDB_Form(qint32& DB_ID, QString& DB_Name, QWidget* parent);
};

// Shows the chooser with the database `DB_ID` selected (0: none). True when the user confirmed a database, whose key
// and name are then handed back; false leaves both arguments unchanged.
bool ExecuteDB_Form(qint32& DB_ID, QString& DB_Name, QWidget* parent = nullptr);
