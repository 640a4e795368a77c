#include "app/Splash_Frm.h"

#include "app/ProgramInfo.h"
#include "platform/DialogFrame.h"
#include "ui_Splash_Frm.h"

#include <QCoreApplication>
#include <QIcon>

TSplash_Form::TSplash_Form(QWidget* parent) : QWidget(parent), ui(new Ui::TSplash_Form)
{
    ui->setupUi(this);
    setWindowFlags(Qt::SplashScreen | Qt::FramelessWindowHint | Qt::WindowStaysOnTopHint);
    setWindowTitle(ProgramInfo::Title);
    ui->Image1->setPixmap(QIcon(QStringLiteral(":/emblem.svg")).pixmap(QSize(81, 73)));

    QFont title = ui->StaticText1->font();
    title.setPixelSize(16);
    title.setBold(true);
    title.setUnderline(true);
    ui->StaticText1->setFont(title);
    ui->StaticText1->setStyleSheet(QStringLiteral("color: navy;"));
    ui->StaticText1->setText(ProgramInfo::Title);

    QFont small(QStringLiteral("Arial"));
    small.setPixelSize(9);
    ui->StaticText2->setFont(small);
    ui->StaticText2->setStyleSheet(QStringLiteral("color: black;"));
    ui->StaticText2->setText(ProgramInfo::MakerLine);
    setFixedSize(264, 255);
}

TSplash_Form::~TSplash_Form() = default;

void TSplash_Form::showNow()
{
    DialogFrame::centerOnScreen(this, size());
    show();
    raise();
    repaint();
    // Let the window system map and paint the window before start-up goes on.
    QCoreApplication::processEvents(QEventLoop::ExcludeUserInputEvents);
}

void TSplash_Form::stepIt()
{
    ui->Splash_ProgressBar->setValue(ui->Splash_ProgressBar->value() + 1);
    ui->Splash_ProgressBar->repaint();
}

int TSplash_Form::progress() const
{
    return ui->Splash_ProgressBar->value();
}
