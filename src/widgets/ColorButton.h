#pragma once

#include <QColor>
#include <QToolButton>

class QMenu;

// A button that shows a colour as a swatch and drops down a palette of standard colours, a few system colours and
// "&Другой..." for the colour dialog. It holds the colour as the settings file stores it: a system colour keeps its
// system value (and follows the desktop's palette) until the user picks another colour.
class ColorButton : public QToolButton
{
    Q_OBJECT
public:
    explicit ColorButton(QWidget* parent = nullptr);

    QColor color() const;
    // A colour equal to the one shown changes nothing, so a system colour is kept.
    void setColor(const QColor& color);

    qint32 colorValue() const { return m_value; }
    void setColorValue(qint32 value);

signals:
    void colorChanged(const QColor& color);

protected:
    void changeEvent(QEvent* event) override;

private:
    void addPalette();
    void chooseOther();
    void updateSwatch();

    qint32 m_value;
    QMenu* m_menu;
};
