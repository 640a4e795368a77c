#include "app/About_Frm.h"

#include "app/ProgramInfo.h"
#include "platform/DialogFrame.h"
#include "platform/Shell.h"
#include "ui_About_Frm.h"

#include <QIcon>
#include <QKeyEvent>
#include <QMouseEvent>
#include <QMovie>

namespace {
const QColor Navy(0, 0, 128);
const QString MailScheme = QStringLiteral("mailto:");
} // namespace

TAbout_Form::TAbout_Form(QWidget* parent)
    : QDialog(parent), ui(new Ui::TAbout_Form), FMovie(new QMovie(QStringLiteral(":/about.gif"), QByteArray(), this))
{
    ui->setupUi(this);
    DialogFrame::apply(this);
    ui->Ok_But->setIcon(QIcon(QStringLiteral(":/icons/ok.svg")));

    ui->Label2->setText(QStringLiteral("Методика оценки уровня \nразвития группы \n\"Ласпен\""));
    QFont titleFont = ui->Label2->font();
    titleFont.setPixelSize(19);
    titleFont.setBold(true);
    titleFont.setUnderline(true);
    ui->Label2->setFont(titleFont);
    QPalette titlePalette = ui->Label2->palette();
    titlePalette.setColor(QPalette::WindowText, Navy);
    ui->Label2->setPalette(titlePalette);

    ui->Label1->setText(QStringLiteral("Методика: коллектив авторов «%1»").arg(ProgramInfo::Maker));

    QString address = ProgramInfo::SupportMail;
    if (address.startsWith(MailScheme))
        address.remove(0, MailScheme.size());
    ui->EMailLabel->setText(address);
    ui->EMailLabel->setAccessibleName(QStringLiteral("Написать письмо по адресу %1").arg(address));
    QFont linkFont = ui->EMailLabel->font();
    linkFont.setUnderline(true);
    ui->EMailLabel->setFont(linkFont);
    setEMailColor(Qt::black);
    ui->EMailLabel->installEventFilter(this);

    ui->RxGIFAnimator1->setMovie(FMovie);
    FMovie->start();

    connect(ui->Ok_But, &QPushButton::clicked, this, &TAbout_Form::OkButtonClick);
    ui->Ok_But->setFocus();
}

TAbout_Form::~TAbout_Form() = default;

bool TAbout_Form::eventFilter(QObject* watched, QEvent* event)
{
    if (watched != ui->EMailLabel)
        return QDialog::eventFilter(watched, event);
    switch (event->type()) {
    case QEvent::Enter:
    case QEvent::MouseMove:
        EMailLabelMouseMove();
        break;
    case QEvent::Leave:
        EMailLabelMouseLeave();
        break;
    case QEvent::MouseButtonRelease: {
        auto* mouse = static_cast<QMouseEvent*>(event);
        if (mouse->button() == Qt::LeftButton && ui->EMailLabel->rect().contains(mouse->position().toPoint())) {
            EmailLabelClick();
            return true;
        }
        break;
    }
    case QEvent::KeyPress: {
        // The link is reachable with Tab; Space or Enter on it writes the letter instead of closing the window.
        const int key = static_cast<QKeyEvent*>(event)->key();
        if (key == Qt::Key_Space || key == Qt::Key_Return || key == Qt::Key_Enter) {
            EmailLabelClick();
            return true;
        }
        break;
    }
    default:
        break;
    }
    return QDialog::eventFilter(watched, event);
}

void TAbout_Form::keyPressEvent(QKeyEvent* event)
{
    // Esc does not close this window: only OK, Enter and the close box do.
    if (event->key() == Qt::Key_Escape && event->modifiers() == Qt::NoModifier) {
        event->accept();
        return;
    }
    QDialog::keyPressEvent(event);
}

void TAbout_Form::EmailLabelClick()
{
    Shell::open(ProgramInfo::SupportMail);
}

void TAbout_Form::EMailLabelMouseMove()
{
    setEMailColor(Qt::blue);
}

void TAbout_Form::EMailLabelMouseLeave()
{
    setEMailColor(Qt::black);
}

void TAbout_Form::setEMailColor(const QColor& color)
{
    QPalette palette = ui->EMailLabel->palette();
    if (palette.color(QPalette::WindowText) == color)
        return;
    palette.setColor(QPalette::WindowText, color);
    ui->EMailLabel->setPalette(palette);
}

void TAbout_Form::OkButtonClick()
{
    accept();
}

void ExecuteAbout_Form(QWidget* parent)
{
    TAbout_Form form(parent);
    DialogFrame::centerOnScreen(&form);
    form.exec();
}
