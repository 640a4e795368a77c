#include "app/Option_Frm.h"

#include "app/Settings.h"
#include "platform/DialogFrame.h"
#include "platform/ErrorDisplay.h"
#include "ui_Option_Frm.h"

#include <QButtonGroup>
#include <QIcon>
#include <QTabBar>

namespace {

QButtonGroup* makeRadioGroup(QObject* owner, std::initializer_list<QAbstractButton*> items)
{
    auto* group = new QButtonGroup(owner);
    int id = 0;
    for (QAbstractButton* item : items)
        group->addButton(item, id++);
    return group;
}

// An index below 0 leaves every item clear; one beyond the last selects the last.
void selectIndex(QButtonGroup* group, int index)
{
    const int last = int(group->buttons().size()) - 1;
    if (index < 0) {
        // An exclusive group refuses to clear its checked item.
        group->setExclusive(false);
        for (QAbstractButton* item : group->buttons())
            item->setChecked(false);
        group->setExclusive(true);
        return;
    }
    group->button(qMin(index, last))->setChecked(true);
}

} // namespace

TOptions_Form::TOptions_Form(QWidget* parent) : QDialog(parent), ui(new Ui::TOptions_Form)
{
    ui->setupUi(this);
    DialogFrame::apply(this);
    ui->OK_But->setIcon(QIcon(QStringLiteral(":/icons/ok.svg")));
    ui->Cancel_But->setIcon(QIcon(QStringLiteral(":/icons/cancel.svg")));

    QTabBar* tabs = ui->Options_PageControl->tabBar();
    QFont tabFont = tabs->font();
    tabFont.setBold(true);
    tabs->setFont(tabFont);
    tabs->setAttribute(Qt::WA_Hover); // tabs light up under the mouse

    FResultGroup = makeRadioGroup(this, {ui->Result_RG_Item0, ui->Result_RG_Item1});
    FGraphGroup = makeRadioGroup(this, {ui->Graph_RG_Item0, ui->Graph_RG_Item1});

    connect(ui->OK_But, &QPushButton::clicked, this, &TOptions_Form::OK_ButClick);
    connect(ui->Cancel_But, &QPushButton::clicked, this, &TOptions_Form::Cancel_ButClick);
}

TOptions_Form::~TOptions_Form() = default;

void TOptions_Form::ReadSettings()
{
    ui->FirstColor_Edit->setColorValue(Settings::read(Settings::FirstColor));
    ui->SecondColor_Edit->setColorValue(Settings::read(Settings::SecondColor));
    selectIndex(FResultGroup, Settings::read(Settings::IsShowNumber));
    selectIndex(FGraphGroup, Settings::read(Settings::TypeGraph));
    ui->Expert_CheckBox->setChecked(Settings::read(Settings::IsShowExpert) == 1);
}

void TOptions_Form::OK_ButClick()
{
    // A failed write leaves the keys before it written and the dialog open.
    ErrorDisplay::run(this, [this] {
        Settings::write(Settings::FirstColor, ui->FirstColor_Edit->colorValue());
        Settings::write(Settings::SecondColor, ui->SecondColor_Edit->colorValue());
        Settings::write(Settings::IsShowNumber, FResultGroup->checkedId());
        Settings::write(Settings::TypeGraph, FGraphGroup->checkedId());
        Settings::write(Settings::IsShowExpert, ui->Expert_CheckBox->isChecked() ? 1 : 0);
        accept();
    });
}

void TOptions_Form::Cancel_ButClick()
{
    reject();
}

bool ExecuteOptions_Form(QWidget* parent)
{
    TOptions_Form form(parent);
    form.ReadSettings();
    form.ui->Options_PageControl->setCurrentIndex(0);
    DialogFrame::centerOnScreen(&form);
    return form.exec() == QDialog::Accepted;
}
