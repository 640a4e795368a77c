#include "widgets/ColorButton.h"

#include "platform/SystemColors.h"

#include <QColorDialog>
#include <QEvent>
#include <QGridLayout>
#include <QLabel>
#include <QMenu>
#include <QPainter>
#include <QPixmap>
#include <QWidgetAction>

#include <array>

namespace {

struct NamedColor
{
    qint32 value; // as stored: RGB with red in the lowest byte, or 0xFF0000nn for system colour nn
    const char* name;
};

constexpr qint32 rgb(int r, int g, int b)
{
    return r | g << 8 | b << 16;
}

constexpr qint32 systemColor(int index)
{
    return qint32(0xFF000000u | unsigned(index));
}

constexpr int PaletteColumns = 8;

// The sixteen classic colours, then pale tints that suit the background of a list's rows.
const std::array<NamedColor, 24> StandardColors{{
    {rgb(0, 0, 0), "Черный"},
    {rgb(128, 0, 0), "Темно-красный"},
    {rgb(0, 128, 0), "Темно-зеленый"},
    {rgb(128, 128, 0), "Оливковый"},
    {rgb(0, 0, 128), "Темно-синий"},
    {rgb(128, 0, 128), "Фиолетовый"},
    {rgb(0, 128, 128), "Сине-зеленый"},
    {rgb(128, 128, 128), "Серый"},
    {rgb(192, 192, 192), "Серебристый"},
    {rgb(255, 0, 0), "Красный"},
    {rgb(0, 255, 0), "Зеленый"},
    {rgb(255, 255, 0), "Желтый"},
    {rgb(0, 0, 255), "Синий"},
    {rgb(255, 0, 255), "Пурпурный"},
    {rgb(0, 255, 255), "Голубой"},
    {rgb(255, 255, 255), "Белый"},
    {rgb(255, 255, 225), "Светло-желтый"},
    {rgb(255, 251, 240), "Кремовый"},
    {rgb(192, 220, 192), "Светло-зеленый"},
    {rgb(166, 202, 240), "Небесно-голубой"},
    {rgb(224, 240, 255), "Бледно-голубой"},
    {rgb(255, 228, 225), "Бледно-розовый"},
    {rgb(230, 230, 250), "Лавандовый"},
    {rgb(240, 240, 240), "Светло-серый"},
}};

const std::array<NamedColor, 3> SystemPaletteColors{{
    {systemColor(24), "Фон подсказки"},
    {systemColor(5), "Фон окна"},
    {systemColor(15), "Фон кнопки"},
}};

QString colorName(qint32 value)
{
    for (const auto& entry : StandardColors) {
        if (entry.value == value)
            return QString::fromUtf8(entry.name);
    }
    for (const auto& entry : SystemPaletteColors) {
        if (entry.value == value)
            return QStringLiteral("Системный цвет: %1").arg(QString::fromUtf8(entry.name));
    }
    const QColor color = SystemColors::toColor(value);
    return QStringLiteral("Красный %1, зеленый %2, синий %3").arg(color.red()).arg(color.green()).arg(color.blue());
}

QPixmap swatch(const QColor& color, const QSize& size)
{
    QPixmap pixmap(size);
    pixmap.fill(color);
    QPainter painter(&pixmap);
    painter.setPen(QColor(96, 96, 96));
    painter.drawRect(0, 0, size.width() - 1, size.height() - 1);
    return pixmap;
}

} // namespace

ColorButton::ColorButton(QWidget* parent) : QToolButton(parent), m_value(rgb(255, 255, 255)), m_menu(new QMenu(this))
{
    setPopupMode(QToolButton::InstantPopup);
    setToolButtonStyle(Qt::ToolButtonIconOnly);
    setIconSize(QSize(44, 14));
    setMenu(m_menu);
    addPalette();
    m_menu->addSeparator();
    QAction* other = m_menu->addAction(QStringLiteral("&Другой..."));
    other->setObjectName(QStringLiteral("OtherColor_Action"));
    connect(other, &QAction::triggered, this, &ColorButton::chooseOther);
    updateSwatch();
}

void ColorButton::addPalette()
{
    auto* panel = new QWidget(m_menu);
    auto* grid = new QGridLayout(panel);
    grid->setContentsMargins(6, 6, 6, 2);
    grid->setSpacing(2);
    int row = 0;

    // One grid for both sets, so the system colours line up under the standard ones.
    auto addCells = [&](const auto& colors) {
        int index = 0;
        for (const NamedColor& entry : colors) {
            auto* cell = new QToolButton(panel);
            const QString name = QString::fromUtf8(entry.name);
            cell->setAutoRaise(true);
            cell->setIconSize(QSize(14, 14));
            cell->setIcon(swatch(SystemColors::toColor(entry.value), QSize(14, 14)));
            cell->setToolTip(name);
            cell->setAccessibleName(name);
            const qint32 value = entry.value;
            connect(cell, &QToolButton::clicked, this, [this, value] {
                m_menu->close();
                setColorValue(value);
            });
            grid->addWidget(cell, row + index / PaletteColumns, index % PaletteColumns);
            ++index;
        }
        row += (index + PaletteColumns - 1) / PaletteColumns;
    };

    addCells(StandardColors);
    grid->addWidget(new QLabel(QStringLiteral("Системные цвета:"), panel), row++, 0, 1, PaletteColumns);
    addCells(SystemPaletteColors);

    auto* action = new QWidgetAction(m_menu);
    action->setDefaultWidget(panel);
    m_menu->addAction(action);
}

QColor ColorButton::color() const
{
    return SystemColors::toColor(m_value);
}

void ColorButton::setColor(const QColor& newColor)
{
    if (newColor.rgb() == color().rgb())
        return;
    setColorValue(SystemColors::toValue(newColor));
}

void ColorButton::setColorValue(qint32 value)
{
    if (value == m_value)
        return;
    m_value = value;
    updateSwatch();
    emit colorChanged(color());
}

void ColorButton::chooseOther()
{
    const QColor chosen = QColorDialog::getColor(color(), this, QStringLiteral("Цвет"));
    if (chosen.isValid())
        setColor(chosen);
}

void ColorButton::updateSwatch()
{
    setIcon(swatch(color(), iconSize()));
    const QString name = colorName(m_value);
    setToolTip(name);
    setAccessibleDescription(name);
}

void ColorButton::changeEvent(QEvent* event)
{
    // A system colour follows the desktop's palette.
    if (event->type() == QEvent::PaletteChange || event->type() == QEvent::ApplicationPaletteChange)
        updateSwatch();
    QToolButton::changeEvent(event);
}
