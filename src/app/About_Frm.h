#pragma once

#include <QDialog>

#include <memory>

class QMovie;

namespace Ui {
class TAbout_Form;
}

// The About window: the method's title, the credit lines, the support e-mail link and a small animation.
class TAbout_Form : public QDialog
{
    Q_OBJECT
public:
    explicit TAbout_Form(QWidget* parent = nullptr);
    ~TAbout_Form() override;

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;
    void keyPressEvent(QKeyEvent* event) override;

private:
    void EmailLabelClick();
    void EMailLabelMouseMove();
    void EMailLabelMouseLeave();
    void OkButtonClick();
    void setEMailColor(const QColor& color);

    std::unique_ptr<Ui::TAbout_Form> ui;
    QMovie* FMovie;
};

void ExecuteAbout_Form(QWidget* parent = nullptr);
