#include "people/Sour_Frm.h"

#include "app/DataMod.h"
#include "platform/DialogFrame.h"
#include "platform/ErrorDisplay.h"
#include "platform/Messages.h"
#include "ui_Sour_Frm.h"

#include <QButtonGroup>
#include <QIcon>

namespace {

QString fieldText(const Dataset& men, const QString& column)
{
    if (column == QLatin1String("AGE"))
        return QString::number(men.asInteger(column));
    return men.asString(column);
}

// Both texts are upper-cased already. An empty text begins every name, so it finds nothing unless the whole
// value is asked for.
bool matches(const QString& value, const QString& wanted, bool wholeWord)
{
    if (wholeWord)
        return value == wanted;
    return !wanted.isEmpty() && value.startsWith(wanted);
}

} // namespace

TSearch_Form::TSearch_Form(QWidget* parent) : QDialog(parent), ui(new Ui::TSearch_Form)
{
    ui->setupUi(this);
    DialogFrame::apply(this);
    ui->OK_Button->setIcon(QIcon(QStringLiteral(":/icons/search.svg")));
    ui->Cancel_Button->setIcon(QIcon(QStringLiteral(":/icons/cancel.svg")));
    TypeSearch_RG_Items = new QButtonGroup(this);
    TypeSearch_RG_Items->addButton(ui->TypeSearchBegin_RadioButton, FromBeginning);
    TypeSearch_RG_Items->addButton(ui->TypeSearchCursor_RadioButton, FromCursor);
    connect(ui->OK_Button, &QPushButton::clicked, this, &TSearch_Form::OK_ButtonClick);
    connect(ui->Cancel_Button, &QPushButton::clicked, this, &TSearch_Form::Cancel_ButtonClick);
}

TSearch_Form::~TSearch_Form() = default;

QString TSearch_Form::searchColumn(const QString& fieldText)
{
    if (fieldText == QStringLiteral("Фамилия, имя, отчество"))
        return QStringLiteral("FIO");
    if (fieldText == QStringLiteral("Возраст"))
        return QStringLiteral("AGE");
    if (fieldText == QStringLiteral("Группа"))
        return QStringLiteral("GROUP_NAME");
    return {};
}

void TSearch_Form::OK_ButtonClick()
{
    const QString column = searchColumn(ui->SourceField_ComboBox->currentText());
    const QString wanted = ui->Source_Edit->text().toUpper();
    const bool wholeWord = ui->WordFull_CheckBox->isChecked();
    const bool fromCursor = TypeSearch_RG_Items->checkedId() == FromCursor;
    Dataset& men = Main_DataModule->Men_Query;
    bool found = false;
    // The member grid stays still during the scan; on an error or without a match the cursor goes back.
    const bool scanned = ErrorDisplay::run(this, [&] {
        WalkGuard walk(men);
        if (fromCursor)
            men.next();
        else
            men.first();
        for (; !men.eof(); men.next()) {
            if (matches(fieldText(men, column).toUpper(), wanted, wholeWord)) {
                found = true;
                walk.keepPosition();
                return;
            }
        }
    });
    if (!scanned)
        return;
    if (found) {
        // The next press goes on after the member found.
        ui->TypeSearchCursor_RadioButton->setChecked(true);
        return;
    }
    Messages::information(this, QStringLiteral("Информация"),
                          QStringLiteral("Тестируемый по заданному критерию не найден!"));
}

void TSearch_Form::Cancel_ButtonClick()
{
    reject();
}

void ExecuteSearch_Form(QWidget* parent)
{
    TSearch_Form form(parent);
    form.ui->SourceField_ComboBox->setCurrentIndex(0);
    DialogFrame::centerOnScreen(&form);
    form.exec();
}
