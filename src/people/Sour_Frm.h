#pragma once

#include <QDialog>

#include <memory>

class QButtonGroup;

namespace Ui {
class TSearch_Form;
}

// The member search: moves the current row of Men_Query to the next member whose name begins with, or equals, the
// text typed, so that the main window's member list shows that member selected.
class TSearch_Form : public QDialog
{
    Q_OBJECT
public:
    // Items of the radio group "Искать от ".
    enum TypeSearch
    {
        FromBeginning = 0,
        FromCursor = 1
    };

    explicit TSearch_Form(QWidget* parent = nullptr);
    ~TSearch_Form() override;

    // The column of Men_Query that a text of the field box searches; empty for a text that names none.
    static QString searchColumn(const QString& fieldText);

private:
    void OK_ButtonClick();
    void Cancel_ButtonClick();

    std::unique_ptr<Ui::TSearch_Form> ui;
    QButtonGroup* TypeSearch_RG_Items = nullptr;

    friend void ExecuteSearch_Form(QWidget* parent);
};

// Shows the search window modally; Men_Query is left on the member found last, or where it was.
void ExecuteSearch_Form(QWidget* parent = nullptr);
