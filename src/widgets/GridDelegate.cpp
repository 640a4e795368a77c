#include "widgets/GridDelegate.h"

#include "widgets/DataGrid.h"

#include <QApplication>
#include <QPainter>

namespace {

constexpr int TextMargin = 3;

} // namespace

GridDelegate::GridDelegate(DataGrid* grid) : QStyledItemDelegate(grid), m_grid(grid) {}

void GridDelegate::paint(QPainter* painter, const QStyleOptionViewItem& option, const QModelIndex& index) const
{
    QStyleOptionViewItem opt(option);
    initStyleOption(&opt, index);
    const bool selected = opt.state.testFlag(QStyle::State_Selected);
    const QPalette::ColorGroup group = opt.state.testFlag(QStyle::State_Active) ? QPalette::Active : QPalette::Inactive;

    painter->save();
    painter->fillRect(opt.rect, m_grid->cellBackground(index.row(), index.column()));
    if (selected)
        painter->fillRect(opt.rect, opt.palette.brush(group, QPalette::Highlight));

    const auto* model = m_grid->datasetModel();
    const bool checkBox = model && index.column() < model->columns().size() &&
                          model->columns().at(index.column()).kind == GridColumn::Kind::CheckBox;
    QStyle* style = opt.widget ? opt.widget->style() : QApplication::style();
    if (checkBox) {
        QStyleOptionButton box;
        box.initFrom(opt.widget);
        const int w = style->pixelMetric(QStyle::PM_IndicatorWidth, &box, opt.widget);
        const int h = style->pixelMetric(QStyle::PM_IndicatorHeight, &box, opt.widget);
        box.rect =
            QRect(opt.rect.left() + (opt.rect.width() - w) / 2, opt.rect.top() + (opt.rect.height() - h) / 2, w, h);
        box.state = QStyle::State_Enabled | QStyle::State_ReadOnly;
        box.state |= index.data(Qt::CheckStateRole).toInt() == Qt::Checked ? QStyle::State_On : QStyle::State_Off;
        style->drawPrimitive(QStyle::PE_IndicatorCheckBox, &box, painter, opt.widget);
    } else if (!opt.text.isEmpty()) {
        const QRect textRect = opt.rect.adjusted(TextMargin, 0, -TextMargin, 0);
        painter->setFont(opt.font);
        painter->setPen(opt.palette.color(group, selected ? QPalette::HighlightedText : QPalette::Text));
        const Qt::Alignment alignment = (opt.displayAlignment & Qt::AlignHorizontal_Mask) | Qt::AlignVCenter;
        // A text cut down to the ellipsis alone says less than its clipped beginning.
        QString shown = opt.fontMetrics.elidedText(opt.text, Qt::ElideRight, textRect.width());
        if (shown == QStringLiteral("…"))
            shown = opt.text;
        painter->drawText(textRect, int(alignment), shown);
    }
    painter->restore();
}

QSize GridDelegate::sizeHint(const QStyleOptionViewItem& option, const QModelIndex& index) const
{
    QStyleOptionViewItem opt(option);
    initStyleOption(&opt, index);
    return QSize(opt.fontMetrics.horizontalAdvance(opt.text) + 2 * TextMargin, opt.fontMetrics.height() + 6);
}

bool GridDelegate::editorEvent(QEvent*, QAbstractItemModel*, const QStyleOptionViewItem&, const QModelIndex&)
{
    return false; // read-only: a click on a check box changes nothing
}
