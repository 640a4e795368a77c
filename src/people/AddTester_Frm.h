#pragma once

#include <QDialog>
#include <QSpinBox>

#include <memory>

namespace Ui {
class TAddTester_Form;
}

// A number box that takes a typed number outside its range as the nearer bound, where a plain QSpinBox refuses the
// keystroke that leaves the range ("200" would stay "20") or falls back to the previous value.
class BoundedSpinBox : public QSpinBox
{
    Q_OBJECT
public:
    using QSpinBox::QSpinBox;

protected:
    QValidator::State validate(QString& input, int& pos) const override;
    void fixup(QString& input) const override;
};

// The member dialog: enters a new member of the current group or corrects the selected member.
class TAddTester_Form : public QDialog
{
    Q_OBJECT
public:
    explicit TAddTester_Form(QWidget* parent = nullptr);
    ~TAddTester_Form() override;

protected:
    void showEvent(QShowEvent* event) override;

private:
    void OK_ButClick();
    void Cancel_ButClick();
    void FormShow();

    std::unique_ptr<Ui::TAddTester_Form> ui;
    qint32 FGroup_ID = 0;
    qint32 FMen_ID = -1;

    friend bool ExecuteAddTester_Form(qint32 Group_ID, qint32& Men_ID, QWidget* parent);
};

// Men_ID = -1 adds a member to the group Group_ID; any other value corrects the current row of Men_Query. True on
// OK, with the stored member's key handed back; false leaves Men_ID unchanged. When every number of the list is
// taken, the user is told so and no dialog is shown.
bool ExecuteAddTester_Form(qint32 Group_ID, qint32& Men_ID, QWidget* parent = nullptr);
