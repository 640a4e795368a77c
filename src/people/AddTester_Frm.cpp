#include "people/AddTester_Frm.h"

#include "app/DataMod.h"
#include "people/PeopleRecords.h"
#include "platform/DialogFrame.h"
#include "platform/ErrorDisplay.h"
#include "platform/Messages.h"
#include "ui_AddTester_Frm.h"

#include <QIcon>

#include <optional>

namespace {
const QString InputErrorCaption = QStringLiteral("Ошибка ввода");

// The number after the members already listed; when another member has it or it lies beyond the list's range, the
// smallest free number. None when every number is taken.
std::optional<qint32> proposedNumber(Database& db, qint32 groupId, int listed)
{
    const qint32 next = qint32(listed) + 1;
    if (next <= PeopleRecords::LastNumber && !PeopleRecords::numberTaken(db, groupId, next, -1))
        return next;
    return PeopleRecords::smallestFreeNumber(db, groupId);
}
} // namespace

QValidator::State BoundedSpinBox::validate(QString& input, int& pos) const
{
    const QValidator::State state = QSpinBox::validate(input, pos);
    if (state != QValidator::Invalid)
        return state;
    // A whole number beyond the range is let through while typing; fixup() brings it to the bound.
    bool ok = false;
    locale().toLongLong(input.trimmed(), &ok);
    return ok ? QValidator::Intermediate : QValidator::Invalid;
}

void BoundedSpinBox::fixup(QString& input) const
{
    bool ok = false;
    const qint64 number = locale().toLongLong(input.trimmed(), &ok);
    if (ok)
        input = textFromValue(int(qBound(qint64(minimum()), number, qint64(maximum()))));
}

TAddTester_Form::TAddTester_Form(QWidget* parent) : QDialog(parent), ui(new Ui::TAddTester_Form)
{
    ui->setupUi(this);
    DialogFrame::apply(this);
    ui->Number_Edit->setRange(PeopleRecords::FirstNumber, PeopleRecords::LastNumber);
    ui->Number_Edit->setCorrectionMode(QAbstractSpinBox::CorrectToNearestValue);
    ui->OK_But->setIcon(QIcon(QStringLiteral(":/icons/ok.svg")));
    ui->Cancel_But->setIcon(QIcon(QStringLiteral(":/icons/cancel.svg")));
    connect(ui->OK_But, &QPushButton::clicked, this, &TAddTester_Form::OK_ButClick);
    connect(ui->Cancel_But, &QPushButton::clicked, this, &TAddTester_Form::Cancel_ButClick);
}

TAddTester_Form::~TAddTester_Form() = default;

void TAddTester_Form::showEvent(QShowEvent* event)
{
    QDialog::showEvent(event);
    FormShow();
}

void TAddTester_Form::FormShow()
{
    ui->FIO_Edit->setFocus();
}

void TAddTester_Form::OK_ButClick()
{
    // A number still being typed counts as entered, as it does when the box loses the focus.
    ui->Number_Edit->interpretText();
    PeopleRecords::Member member;
    member.numberInList = ui->Number_Edit->value();
    member.fio = ui->FIO_Edit->text();
    member.isMember = ui->IsMember_CheckBox->isChecked();
    member.isExpert = ui->IsExpert_CheckBox->isChecked();
    member.comments = ui->Comments_Edit->text();
    if (member.fio.trimmed().isEmpty()) {
        Messages::information(this, InputErrorCaption, QStringLiteral("Введите фамилию, имя и отчество!"));
        ui->FIO_Edit->setFocus();
        return;
    }
    ErrorDisplay::run(this, [&] {
        Database& db = Main_DataModule->Main_Database;
        if (PeopleRecords::numberTaken(db, FGroup_ID, member.numberInList, FMen_ID)) {
            Messages::information(this, InputErrorCaption,
                                  QStringLiteral("Номер %1 уже есть у другого члена группы!").arg(member.numberInList));
            ui->Number_Edit->setFocus();
            ui->Number_Edit->selectAll();
            return;
        }
        if (FMen_ID == -1)
            FMen_ID = PeopleRecords::addMember(db, FGroup_ID, member);
        else
            PeopleRecords::updateMember(db, FMen_ID, member);
        accept();
    });
}

void TAddTester_Form::Cancel_ButClick()
{
    reject();
}

bool ExecuteAddTester_Form(qint32 Group_ID, qint32& Men_ID, QWidget* parent)
{
    TAddTester_Form form(parent);
    form.FMen_ID = Men_ID;
    form.FGroup_ID = Group_ID;
    const Dataset& men = Main_DataModule->Men_Query;
    if (Men_ID == -1) {
        std::optional<qint32> number;
        if (!ErrorDisplay::run(
                parent, [&] { number = proposedNumber(Main_DataModule->Main_Database, Group_ID, men.recordCount()); }))
            return false;
        if (!number) {
            Messages::information(parent, QStringLiteral("Информация"),
                                  QStringLiteral("В группе нет свободных номеров: номера с %1 по %2 уже заняты.")
                                      .arg(PeopleRecords::FirstNumber)
                                      .arg(PeopleRecords::LastNumber));
            return false;
        }
        form.setWindowTitle(QStringLiteral("Добавление нового члена группы"));
        form.ui->Number_Edit->setValue(*number);
    } else {
        form.setWindowTitle(QStringLiteral("Корректировка данных члена группы"));
        form.ui->FIO_Edit->setText(men.asString(QStringLiteral("FIO")));
        form.ui->IsMember_CheckBox->setChecked(men.asBoolean(QStringLiteral("IsMember")));
        form.ui->IsExpert_CheckBox->setChecked(men.asBoolean(QStringLiteral("IsExpert")));
        form.ui->Comments_Edit->setText(men.asString(QStringLiteral("Comments")));
        form.ui->Number_Edit->setValue(int(men.asInteger(QStringLiteral("NumberInList"))));
    }
    DialogFrame::centerOnScreen(&form);
    if (form.exec() != QDialog::Accepted)
        return false;
    Men_ID = form.FMen_ID;
    return true;
}
