#include "widgets/GridHeader.h"

#include <QHelpEvent>
#include <QMouseEvent>
#include <QPainter>
#include <QPainterPath>
#include <QStyleOptionHeader>
#include <QToolTip>

#include <cmath>

namespace {

constexpr int TextMargin = 4;

} // namespace

GridHeader::GridHeader(QWidget* parent) : QHeaderView(Qt::Horizontal, parent)
{
    // The header reports its own clicks; Qt's clickable sections would select whole columns of the table.
    setSectionsClickable(false);
    setSectionsMovable(false);
    setHighlightSections(false);
    setMinimumSectionSize(8); // narrow columns under vertical titles
    setMouseTracking(true);
}

void GridHeader::setColumns(const QVector<GridColumn>& columns)
{
    m_columns = columns;
    m_pressed = -1;
    updateGeometry();
    emit geometriesChanged(); // the table re-reads our height
    viewport()->update();
}

int GridHeader::bandHeight() const
{
    return fontMetrics().height() + 8;
}

bool GridHeader::anyTwoLevels() const
{
    for (const GridColumn& column : m_columns) {
        if (column.hasTwoLevels())
            return true;
    }
    return false;
}

bool GridHeader::isVertical(int column) const
{
    return column >= 0 && column < m_columns.size() && m_columns.at(column).verticalTitle;
}

QFont GridHeader::indexFont() const
{
    QFont small = font();
    if (small.pointSizeF() > 0)
        small.setPointSizeF(qMax(5.0, small.pointSizeF() * 0.75));
    else
        small.setPixelSize(qMax(7, small.pixelSize() * 3 / 4));
    return small;
}

// Width (horizontal titles) or height (vertical titles) that the marker and its index take.
int GridHeader::markerExtent(int column, bool vertical) const
{
    const int triangle = qMax(7, fontMetrics().height() / 2) | 1;
    const QFontMetrics indexMetrics(indexFont());
    if (vertical)
        return qMax(triangle / 2 + 1, indexMetrics.height());
    int width = triangle;
    if (m_markers && m_markers->markedCount() > 1)
        width += 2 + indexMetrics.horizontalAdvance(QString::number(m_markers->sortIndex(column)));
    return width;
}

int GridHeader::headerHeight() const
{
    const int band = bandHeight();
    int height = anyTwoLevels() ? 2 * band : band;
    for (int c = 0; c < m_columns.size(); ++c) {
        const GridColumn& column = m_columns.at(c);
        if (!column.verticalTitle)
            continue;
        // Rounded up, and a little room over: eliding measures in fractions of a pixel.
        int needed = int(std::ceil(QFontMetricsF(font()).horizontalAdvance(column.lowerTitle()))) + 2 * TextMargin + 2;
        if (column.sortable)
            needed += markerExtent(c, true) + 3; // room kept even while unmarked, so the height never jumps
        height = qMax(height, column.hasTwoLevels() ? band + needed : needed);
    }
    return height;
}

int GridHeader::titleWidthHint(int column) const
{
    if (column < 0 || column >= m_columns.size())
        return 0;
    const GridColumn& title = m_columns.at(column);
    if (title.verticalTitle)
        return fontMetrics().height() + 2 * TextMargin;
    int width = int(std::ceil(QFontMetricsF(font()).horizontalAdvance(title.lowerTitle()))) + 2 * TextMargin + 2;
    if (title.sortable) // a marker with a one-digit index, so the width does not depend on the markers set
        width += qMax(7, fontMetrics().height() / 2) + 2 + QFontMetrics(indexFont()).horizontalAdvance(u'9') + 3;
    return width;
}

QSize GridHeader::sizeHint() const
{
    ensurePolished();
    return QSize(length(), headerHeight());
}

QRect GridHeader::titleRect(int column) const
{
    if (column < 0 || column >= count() || isSectionHidden(column))
        return {};
    const int height = viewport()->height() > 0 ? viewport()->height() : headerHeight();
    const int top = column < m_columns.size() && m_columns.at(column).hasTwoLevels() ? bandHeight() : 0;
    return QRect(sectionViewportPosition(column), top, sectionSize(column), height - top);
}

QVector<GridHeader::TitleBand> GridHeader::titleBands() const
{
    QVector<TitleBand> bands;
    bool open = false; // the last band may still grow by the next visible column
    for (int c = 0; c < qMin(count(), int(m_columns.size())); ++c) {
        if (isSectionHidden(c))
            continue;
        const GridColumn& column = m_columns.at(c);
        if (!column.hasTwoLevels()) {
            open = false;
            continue;
        }
        if (open && bands.last().text == column.upperTitle()) {
            bands.last().lastColumn = c;
        } else {
            bands.append({c, c, column.upperTitle()});
            open = true;
        }
    }
    return bands;
}

QRect GridHeader::upperTitleRect(int column) const
{
    for (const TitleBand& band : titleBands()) {
        if (column < band.firstColumn || column > band.lastColumn)
            continue;
        const int left = sectionViewportPosition(band.firstColumn);
        const int right = sectionViewportPosition(band.lastColumn) + sectionSize(band.lastColumn);
        return QRect(left, 0, right - left, bandHeight());
    }
    return {};
}

int GridHeader::columnAtTitle(const QPoint& pos) const
{
    const int column = logicalIndexAt(pos.x());
    return titleRect(column).contains(pos) ? column : -1;
}

GridHeader::TitleLayout GridHeader::layoutTitle(int column) const
{
    TitleLayout layout;
    const QRect rect = titleRect(column);
    const bool marked = m_markers && m_markers->marker(column) != SortMarker::None;
    if (isVertical(column)) {
        QRect area = rect.adjusted(0, TextMargin, 0, -TextMargin);
        if (m_columns.at(column).sortable) {
            const int extent = markerExtent(column, true);
            if (marked)
                layout.marker = QRect(rect.left(), area.top(), rect.width(), extent);
            area.setTop(area.top() + extent + 3);
        }
        layout.text = area;
    } else {
        QRect area = rect.adjusted(TextMargin, 0, -TextMargin, 0);
        if (marked) {
            const int extent = markerExtent(column, false);
            layout.marker = QRect(area.right() - extent + 1, rect.top(), extent, rect.height());
            area.setRight(area.right() - extent - 3);
        }
        layout.text = area;
    }
    return layout;
}

void GridHeader::paintButton(QPainter& painter, const QRect& rect, bool sunken) const
{
    QStyleOptionHeader option;
    initStyleOption(&option);
    option.rect = rect;
    option.state |= sunken ? QStyle::State_Sunken : QStyle::State_Raised;
    option.position = QStyleOptionHeader::Middle;
    style()->drawControl(QStyle::CE_HeaderSection, &option, &painter, this);
    if (sunken) {
        // Not every style draws a header section pressed; shade it so the title reads as a button held down.
        QColor shade = palette().color(QPalette::Dark);
        shade.setAlpha(70);
        painter.fillRect(rect.adjusted(0, 0, -1, -1), shade);
    }
}

void GridHeader::paintMarker(QPainter& painter, const QRect& rect, int column) const
{
    const SortMarker marker = m_markers->marker(column);
    const int triangle = qMax(7, fontMetrics().height() / 2) | 1;
    const int triangleHeight = triangle / 2 + 1;
    const bool showIndex = m_markers->markedCount() > 1;
    const QString index = QString::number(m_markers->sortIndex(column));
    const QFontMetrics indexMetrics(indexFont());
    const int width = triangle + (showIndex ? 2 + indexMetrics.horizontalAdvance(index) : 0);
    const qreal x = rect.left() + (rect.width() - width) / 2;
    const qreal y = rect.top() + (rect.height() - triangleHeight) / 2;

    QPainterPath path;
    if (marker == SortMarker::Down) {
        path.moveTo(x, y);
        path.lineTo(x + triangle, y);
        path.lineTo(x + triangle / 2.0, y + triangleHeight);
    } else {
        path.moveTo(x, y + triangleHeight);
        path.lineTo(x + triangle, y + triangleHeight);
        path.lineTo(x + triangle / 2.0, y);
    }
    path.closeSubpath();
    painter.save();
    painter.setRenderHint(QPainter::Antialiasing);
    painter.fillPath(path, palette().color(QPalette::ButtonText));
    painter.restore();
    if (showIndex) {
        painter.save();
        painter.setFont(indexFont());
        painter.drawText(QRectF(x + triangle + 2, rect.top(), width - triangle - 2, rect.height()),
                         Qt::AlignLeft | Qt::AlignVCenter, index);
        painter.restore();
    }
}

void GridHeader::paintTitle(QPainter& painter, int column) const
{
    const TitleLayout layout = layoutTitle(column);
    const QString text = m_columns.at(column).lowerTitle();
    const bool sunken = column == m_pressed && m_pressedIn;
    painter.save();
    if (sunken)
        painter.translate(1, 1);
    if (isVertical(column)) {
        // Turned to read from bottom to top: x runs up the column, y across it.
        painter.save();
        painter.translate(layout.text.left(), layout.text.bottom() + 1);
        painter.rotate(-90);
        const QRect turned(0, 0, layout.text.height(), layout.text.width());
        painter.drawText(turned, Qt::AlignCenter, fontMetrics().elidedText(text, Qt::ElideRight, turned.width()));
        painter.restore();
    } else {
        painter.drawText(layout.text, Qt::AlignCenter,
                         fontMetrics().elidedText(text, Qt::ElideRight, layout.text.width()));
    }
    if (!layout.marker.isNull())
        paintMarker(painter, layout.marker, column);
    painter.restore();
}

void GridHeader::paintEvent(QPaintEvent* event)
{
    QPainter painter(viewport());
    painter.setFont(font());
    painter.setPen(palette().color(QPalette::ButtonText));
    const QRect dirty = event->rect();
    int end = 0;
    for (int c = 0; c < qMin(count(), int(m_columns.size())); ++c) {
        const QRect rect = titleRect(c);
        if (rect.isEmpty())
            continue;
        end = qMax(end, rect.right() + 1);
        if (!rect.intersects(dirty))
            continue;
        paintButton(painter, rect, c == m_pressed && m_pressedIn);
        paintTitle(painter, c);
    }
    for (const TitleBand& band : titleBands()) {
        const QRect rect = upperTitleRect(band.firstColumn);
        if (rect.isEmpty() || !rect.intersects(dirty))
            continue;
        paintButton(painter, rect, false);
        const QRect textRect = rect.adjusted(TextMargin, 0, -TextMargin, 0);
        painter.drawText(textRect, Qt::AlignCenter,
                         fontMetrics().elidedText(band.text, Qt::ElideRight, textRect.width()));
    }
    if (end < viewport()->width()) {
        QStyleOption option;
        option.initFrom(this);
        option.rect = QRect(end, 0, viewport()->width() - end, viewport()->height());
        style()->drawControl(QStyle::CE_HeaderEmptyArea, &option, &painter, this);
    }
}

bool GridHeader::onResizeHandle(const QPoint& pos) const
{
    const int column = logicalIndexAt(pos.x());
    if (column < 0)
        return false;
    const int grip = style()->pixelMetric(QStyle::PM_HeaderGripMargin, nullptr, this);
    const int left = sectionViewportPosition(column);
    if (pos.x() >= left + sectionSize(column) - grip)
        return sectionResizeMode(column) == Interactive;
    if (pos.x() < left + grip) {
        for (int previous = column - 1; previous >= 0; --previous) {
            if (!isSectionHidden(previous))
                return sectionResizeMode(previous) == Interactive;
        }
    }
    return false;
}

void GridHeader::mousePressEvent(QMouseEvent* event)
{
    QHeaderView::mousePressEvent(event); // a press on a column border starts resizing there
    const QPoint pos = event->position().toPoint();
    if (event->button() != Qt::LeftButton || onResizeHandle(pos))
        return;
    const int column = columnAtTitle(pos);
    if (column < 0 || !m_markers || !m_markers->isSortable(column))
        return;
    m_pressed = column;
    m_pressedIn = true;
    viewport()->update(titleRect(column));
}

void GridHeader::mouseMoveEvent(QMouseEvent* event)
{
    QHeaderView::mouseMoveEvent(event);
    if (m_pressed < 0)
        return;
    const bool in = columnAtTitle(event->position().toPoint()) == m_pressed;
    if (in != m_pressedIn) {
        m_pressedIn = in;
        viewport()->update(titleRect(m_pressed));
    }
}

void GridHeader::mouseReleaseEvent(QMouseEvent* event)
{
    QHeaderView::mouseReleaseEvent(event);
    if (event->button() != Qt::LeftButton || m_pressed < 0)
        return;
    const int column = m_pressed;
    const bool in = columnAtTitle(event->position().toPoint()) == column;
    m_pressed = -1;
    m_pressedIn = false;
    viewport()->update(titleRect(column));
    if (in) // like a button: releasing elsewhere cancels the click
        emit titleClicked(column, event->modifiers());
}

QString GridHeader::tipAt(const QPoint& pos) const
{
    const QFontMetrics metrics = fontMetrics();
    for (const TitleBand& band : titleBands()) {
        const QRect rect = upperTitleRect(band.firstColumn);
        if (rect.contains(pos))
            return metrics.horizontalAdvance(band.text) > rect.width() - 2 * TextMargin ? band.text : QString();
    }
    const int column = columnAtTitle(pos);
    if (column < 0 || column >= m_columns.size())
        return {};
    const TitleLayout layout = layoutTitle(column);
    const QString text = m_columns.at(column).lowerTitle();
    const int room = isVertical(column) ? layout.text.height() : layout.text.width();
    return metrics.horizontalAdvance(text) > room ? text : QString();
}

bool GridHeader::viewportEvent(QEvent* event)
{
    if (event->type() == QEvent::ToolTip) {
        // Only a title that does not fit is shown in full as a tip.
        auto* help = static_cast<QHelpEvent*>(event);
        const QString tip = tipAt(help->pos());
        if (tip.isEmpty())
            QToolTip::hideText();
        else
            QToolTip::showText(help->globalPos(), tip, viewport());
        return true;
    }
    return QHeaderView::viewportEvent(event);
}

void GridHeader::changeEvent(QEvent* event)
{
    QHeaderView::changeEvent(event);
    if (event->type() == QEvent::FontChange || event->type() == QEvent::StyleChange) {
        updateGeometry();
        emit geometriesChanged(); // the table lays out again for our new height
    }
}
