#include "people/AddGroup_Frm.h"

#include "app/DataMod.h"
#include "people/PeopleRecords.h"
#include "platform/DialogFrame.h"
#include "platform/ErrorDisplay.h"
#include "platform/Messages.h"
#include "ui_AddGroup_Frm.h"

#include <QCalendarWidget>
#include <QIcon>
#include <QKeyEvent>

namespace {
const QString InputErrorCaption = QStringLiteral("Ошибка ввода");

// A date editor always holds a date; its minimum stands for "no date" and is shown as a blank.
const QDate NoDate(1900, 1, 1);
const QString NoDateText = QStringLiteral(" ");
} // namespace

TAddGroup_Form::TAddGroup_Form(QWidget* parent) : QDialog(parent), ui(new Ui::TAddGroup_Form)
{
    ui->setupUi(this);
    DialogFrame::apply(this);
    ui->OK_But->setIcon(QIcon(QStringLiteral(":/icons/ok.svg")));
    ui->Cancel_But->setIcon(QIcon(QStringLiteral(":/icons/cancel.svg")));
    ui->DateTest_DateEdit->setMinimumDate(NoDate);
    ui->DateTest_DateEdit->setSpecialValueText(NoDateText);
    ui->DateTest_DateEdit->installEventFilter(this);
    ui->DateTest_DateEdit->calendarWidget()->installEventFilter(this);
    connect(ui->OK_But, &QPushButton::clicked, this, &TAddGroup_Form::OK_ButClick);
    connect(ui->Cancel_But, &QPushButton::clicked, this, &TAddGroup_Form::Cancel_ButClick);
}

TAddGroup_Form::~TAddGroup_Form() = default;

void TAddGroup_Form::showEvent(QShowEvent* event)
{
    QDialog::showEvent(event);
    FormShow();
}

void TAddGroup_Form::FormShow()
{
    ui->GroupName_Edit->setFocus();
}

// From a blank date the user starts at today, not at the placeholder year: stepping, the wheel and typing a digit
// put today's date in first, and the calendar opens on the current month.
bool TAddGroup_Form::eventFilter(QObject* watched, QEvent* event)
{
    QDateEdit* editor = ui->DateTest_DateEdit;
    if (editor->date() != NoDate)
        return QDialog::eventFilter(watched, event);
    if (watched == editor->calendarWidget() && event->type() == QEvent::Show) {
        const QDate today = QDate::currentDate();
        editor->calendarWidget()->setCurrentPage(today.year(), today.month());
    } else if (watched == editor && event->type() == QEvent::Wheel) {
        editor->setDate(QDate::currentDate());
        return true;
    } else if (watched == editor && event->type() == QEvent::KeyPress) {
        const auto* key = static_cast<QKeyEvent*>(event);
        switch (key->key()) {
        case Qt::Key_Up:
        case Qt::Key_Down:
        case Qt::Key_PageUp:
        case Qt::Key_PageDown:
            editor->setDate(QDate::currentDate());
            return true;
        default:
            if (!key->text().isEmpty() && key->text().at(0).isDigit()) {
                editor->setDate(QDate::currentDate());
                editor->setSelectedSection(QDateTimeEdit::DaySection);
            }
        }
    }
    return QDialog::eventFilter(watched, event);
}

void TAddGroup_Form::setDate(const QDate& date)
{
    ui->DateTest_DateEdit->setDate(date.isValid() ? date : NoDate);
}

QDate TAddGroup_Form::date() const
{
    const QDate shown = ui->DateTest_DateEdit->date();
    return shown == NoDate ? QDate() : shown;
}

void TAddGroup_Form::OK_ButClick()
{
    const QString name = ui->GroupName_Edit->text();
    if (name.trimmed().isEmpty()) {
        Messages::information(this, InputErrorCaption, QStringLiteral("Введите название группы!"));
        ui->GroupName_Edit->setFocus();
        return;
    }
    const QDate testDate = date();
    const QString comments = ui->Comments_Edit->text();
    ErrorDisplay::run(this, [&] {
        Database& db = Main_DataModule->Main_Database;
        if (FGroup_ID == -1)
            FGroup_ID = PeopleRecords::addGroup(db, Main_DataModule->CurrentDB_ID, name, testDate, comments);
        else
            PeopleRecords::updateGroup(db, FGroup_ID, name, testDate, comments);
        accept();
    });
}

void TAddGroup_Form::Cancel_ButClick()
{
    reject();
}

bool ExecuteAddGroup_Form(qint32& Group_ID, QWidget* parent)
{
    TAddGroup_Form form(parent);
    form.FGroup_ID = Group_ID;
    if (Group_ID == -1) {
        form.setWindowTitle(QStringLiteral("Добавление новой группы"));
        form.setDate(QDate::currentDate());
    } else {
        form.setWindowTitle(QStringLiteral("Корректировка данных группы"));
        const Dataset& groups = Main_DataModule->Group_Query;
        form.ui->GroupName_Edit->setText(groups.asString(QStringLiteral("Group_Name")));
        form.setDate(QDate::fromString(groups.asString(QStringLiteral("Date_Test")), Qt::ISODate));
        form.ui->Comments_Edit->setText(groups.asString(QStringLiteral("Comments")));
    }
    DialogFrame::centerOnScreen(&form);
    if (form.exec() != QDialog::Accepted)
        return false;
    Group_ID = form.FGroup_ID;
    return true;
}
