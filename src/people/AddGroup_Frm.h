#pragma once

#include <QDate>
#include <QDialog>

#include <memory>

class QDateEdit;

namespace Ui {
class TAddGroup_Form;
}

// The group dialog: enters a new group of the current logical database or corrects the selected one.
class TAddGroup_Form : public QDialog
{
    Q_OBJECT
public:
    explicit TAddGroup_Form(QWidget* parent = nullptr);
    ~TAddGroup_Form() override;

protected:
    void showEvent(QShowEvent* event) override;
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    void OK_ButClick();
    void Cancel_ButClick();
    void FormShow();
    void setDate(const QDate& date);
    QDate date() const;

    std::unique_ptr<Ui::TAddGroup_Form> ui;
    qint32 FGroup_ID = -1;

    friend bool ExecuteAddGroup_Form(qint32& Group_ID, QWidget* parent);
};

// Group_ID = -1 adds a group to the current logical database; any other value corrects the current row of
// Group_Query. True on OK, with the stored group's key handed back; false leaves Group_ID unchanged.
bool ExecuteAddGroup_Form(qint32& Group_ID, QWidget* parent = nullptr);
