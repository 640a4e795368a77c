#pragma once

#include "databases/CaesarCipher.h"

#include <QDialog>

#include <memory>

namespace Ui {
class TDBEdit_Form;
}

// The database dialog: creates a logical database or changes the name and password of the current one.
class TDBEdit_Form : public QDialog
{
    Q_OBJECT
public:
    explicit TDBEdit_Form(QWidget* parent = nullptr);
    ~TDBEdit_Form() override;

    bool passwordChanged() const { return FPasswordChanged; }

private:
    void Ok_ButClick();
    void Cancel_ButClick();
    void Password_EditChange();

    std::unique_ptr<Ui::TDBEdit_Form> ui;
    TJvCaesarCipher EncString;
    qint32 FDB_ID = -1;
    QString FDB_Name;
    bool FPasswordChanged = false;

    friend bool ExecuteDBEdit_Form(qint32& DB_ID, QString& DB_Name, QWidget* parent);
};

// DB_ID = -1 creates a logical database; any other value edits the current row of DB_Table. True on OK, with the
// stored database's key and name handed back.
bool ExecuteDBEdit_Form(qint32& DB_ID, QString& DB_Name, QWidget* parent = nullptr);
