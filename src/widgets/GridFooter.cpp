#include "widgets/GridFooter.h"

#include <QHelpEvent>
#include <QPainter>
#include <QToolTip>

namespace {

constexpr int TextMargin = 3;

} // namespace

GridFooter::GridFooter(QHeaderView* header, QWidget* parent) : QWidget(parent), m_header(header)
{
    QFont bold;
    bold.setBold(true); // only the weight is ours; the rest follows the grid's font
    setFont(bold);
    setAutoFillBackground(false);
    setAccessibleName(QStringLiteral("Итоги"));
    connect(header, &QHeaderView::sectionResized, this, qOverload<>(&QWidget::update));
    connect(header, &QHeaderView::geometriesChanged, this, qOverload<>(&QWidget::update));
}

void GridFooter::setCells(const QVector<Cell>& cells)
{
    m_cells = cells;
    // What a screen reader reads in place of the painted cells.
    QStringList texts;
    for (const Cell& cell : cells) {
        if (!cell.text.isEmpty())
            texts.append(cell.text);
    }
    setAccessibleDescription(texts.join(QStringLiteral("; ")));
    update();
}

QSize GridFooter::sizeHint() const
{
    return QSize(m_header ? m_header->length() : 0, fontMetrics().height() + 6);
}

QRect GridFooter::cellRect(int column) const
{
    if (!m_header || column >= m_header->count() || m_header->isSectionHidden(column))
        return {};
    return QRect(m_header->sectionViewportPosition(column), 0, m_header->sectionSize(column), height());
}

void GridFooter::paintEvent(QPaintEvent*)
{
    QPainter painter(this);
    painter.fillRect(rect(), palette().button());
    const QColor line = palette().color(QPalette::Mid);
    painter.setPen(line);
    painter.drawLine(0, 0, width() - 1, 0);
    for (int c = 0; c < m_cells.size(); ++c) {
        const QRect cell = cellRect(c);
        if (cell.isEmpty())
            continue;
        painter.setPen(line);
        painter.drawLine(cell.right(), 0, cell.right(), height() - 1);
        const QString& text = m_cells.at(c).text;
        if (text.isEmpty())
            continue;
        const QRect textRect = cell.adjusted(TextMargin, 1, -TextMargin - 1, 0);
        painter.setPen(palette().color(QPalette::ButtonText));
        painter.drawText(textRect, int(m_cells.at(c).alignment | Qt::AlignVCenter),
                         fontMetrics().elidedText(text, Qt::ElideRight, textRect.width()));
    }
}

bool GridFooter::event(QEvent* event)
{
    if (event->type() == QEvent::ToolTip) {
        auto* help = static_cast<QHelpEvent*>(event);
        for (int c = 0; c < m_cells.size(); ++c) {
            const QRect cell = cellRect(c);
            const QString& text = m_cells.at(c).text;
            if (cell.contains(help->pos()) &&
                fontMetrics().horizontalAdvance(text) > cell.width() - 2 * TextMargin - 1) {
                QToolTip::showText(help->globalPos(), text, this, cell);
                return true;
            }
        }
        QToolTip::hideText();
        return true;
    }
    return QWidget::event(event);
}
