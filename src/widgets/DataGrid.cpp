#include "widgets/DataGrid.h"

#include "widgets/GridDelegate.h"
#include "widgets/GridFooter.h"
#include "widgets/GridHeader.h"

#include <QHelpEvent>
#include <QMouseEvent>
#include <QScrollBar>
#include <QToolTip>

DataGrid::DataGrid(QWidget* parent) : QTableView(parent)
{
    m_header = new GridHeader(this);
    m_header->setSortMarkers(&m_markers);
    setHorizontalHeader(m_header);
    connect(m_header, &GridHeader::titleClicked, this, &DataGrid::onTitleClicked);
    m_footer = new GridFooter(m_header, this);
    m_footer->hide();
    connect(horizontalScrollBar(), &QScrollBar::valueChanged, m_footer, qOverload<>(&QWidget::update));
    setItemDelegate(new GridDelegate(this));

    setSelectionBehavior(QAbstractItemView::SelectRows);
    setSelectionMode(QAbstractItemView::SingleSelection);
    setEditTriggers(QAbstractItemView::NoEditTriggers);
    setWordWrap(false);
    setTabKeyNavigation(false);
    verticalHeader()->hide();
    verticalHeader()->setSectionResizeMode(QHeaderView::Fixed);
    verticalHeader()->setDefaultSectionSize(fontMetrics().height() + 6);
    // The selection stays visible when another control has the focus.
    QPalette pal = palette();
    pal.setColor(QPalette::Inactive, QPalette::Highlight, pal.color(QPalette::Active, QPalette::Highlight));
    pal.setColor(QPalette::Inactive, QPalette::HighlightedText, pal.color(QPalette::Active, QPalette::HighlightedText));
    setPalette(pal);
}

void DataGrid::bind(Dataset* dataset, const QVector<GridColumn>& columns, ColumnSizing sizing)
{
    if (m_dataset)
        disconnect(m_dataset, nullptr, this, nullptr);
    m_dataset = dataset;
    m_sizing = sizing;
    auto* old = m_model;
    QItemSelectionModel* oldSelection = selectionModel();
    m_model = new DatasetModel(dataset, columns, this);
    setModel(m_model);
    delete oldSelection;
    delete old;
    m_markers.reset(int(columns.size()));
    for (int c = 0; c < columns.size(); ++c)
        m_markers.setSortable(c, columns.at(c).sortable);
    m_header->setColumns(columns);
    horizontalHeader()->setStretchLastSection(false);
    if (sizing == ColumnSizing::Fill)
        setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
    setDesignWidths();
    fitColumns();
    connect(selectionModel(), &QItemSelectionModel::currentRowChanged, this, &DataGrid::onCurrentRowChanged);
    // Connected after the model's own handler, so the rows are there when the selection follows.
    connect(dataset, &Dataset::changed, this, &DataGrid::onDatasetChanged);
    updateFooter();
    followDataset();
}

void DataGrid::setRowBackground(const QColor& color)
{
    QPalette pal = palette();
    pal.setColor(QPalette::Base, color);
    setPalette(pal);
}

void DataGrid::setTitleStyle(const QColor& color, bool bold)
{
    QFont font = m_header->font();
    font.setBold(bold);
    m_header->setFont(font);
    QPalette pal = m_header->palette();
    pal.setColor(QPalette::ButtonText, color);
    m_header->setPalette(pal);
    // The titles' widths have changed.
    setDesignWidths();
    fitColumns();
}

void DataGrid::setFooterVisible(bool visible)
{
    m_footerVisible = visible;
    m_footer->setVisible(visible);
    updateGeometries();
}

QString DataGrid::footerText(int column) const
{
    return m_footer->text(column);
}

void DataGrid::setCellParams(CellParams params)
{
    m_cellParams = std::move(params);
    viewport()->update();
}

QColor DataGrid::cellBackground(int row, int column) const
{
    QColor background = palette().color(QPalette::Base);
    if (m_cellParams)
        m_cellParams(row + 1, column, background);
    return background;
}

void DataGrid::onDatasetChanged(Dataset::Change change)
{
    if (change == Dataset::Change::Content)
        updateFooter();
    followDataset();
}

void DataGrid::updateFooter()
{
    QVector<GridFooter::Cell> cells;
    if (m_model) {
        for (const GridColumn& column : m_model->columns()) {
            switch (column.footer) {
            case GridColumn::Footer::None:
                cells.append(GridFooter::Cell());
                break;
            case GridColumn::Footer::Text:
                cells.append(GridFooter::Cell{column.footerText, column.footerAlignment});
                break;
            case GridColumn::Footer::Sum:
                cells.append(
                    GridFooter::Cell{QString::number(m_model->sumOf(column.footerField)), column.footerAlignment});
                break;
            }
        }
    }
    m_footer->setCells(cells);
}

void DataGrid::onTitleClicked(int column, Qt::KeyboardModifiers modifiers)
{
    if (!m_markers.isSortable(column))
        return;
    m_markers.click(column, modifiers.testFlag(Qt::ControlModifier));
    m_header->viewport()->update();
    emit titleButtonClicked(column);
}

void DataGrid::followDataset()
{
    if (!m_dataset || m_syncing)
        return;
    m_syncing = true;
    const int row = m_dataset->recNo() - 1;
    if (row >= 0 && row < m_model->rowCount()) {
        const QModelIndex index = m_model->index(row, qMax(0, currentIndex().column()));
        selectionModel()->setCurrentIndex(index, QItemSelectionModel::ClearAndSelect | QItemSelectionModel::Rows);
        scrollTo(index);
    } else {
        selectionModel()->clear();
    }
    m_syncing = false;
}

void DataGrid::onCurrentRowChanged(const QModelIndex& current)
{
    if (m_syncing || !m_dataset || !current.isValid())
        return;
    m_syncing = true;
    m_dataset->setRecNo(current.row() + 1);
    m_syncing = false;
}

void DataGrid::mouseDoubleClickEvent(QMouseEvent* event)
{
    QTableView::mouseDoubleClickEvent(event);
    if (event->button() == Qt::LeftButton)
        emit gridDoubleClicked();
}

void DataGrid::resizeEvent(QResizeEvent* event)
{
    QTableView::resizeEvent(event);
    fitColumns();
}

void DataGrid::updateGeometries()
{
    // The table lays out its viewport under the titles; the footer then takes a strip off the viewport's bottom,
    // above the horizontal scroll bar.
    QTableView::updateGeometries();
    const int footerHeight = m_footerVisible ? m_footer->sizeHint().height() : 0;
    const QMargins margins = viewportMargins();
    if (margins.bottom() != footerHeight)
        setViewportMargins(margins.left(), margins.top(), margins.right(), footerHeight);
    if (footerHeight == 0)
        return;
    // The table sized its vertical scroll range for the viewport without the footer.
    const int viewportHeight = viewport()->height();
    const int rows = verticalHeader()->count();
    if (verticalScrollMode() == QAbstractItemView::ScrollPerItem) {
        int fitting = 0;
        for (int height = 0, row = rows - 1; row >= 0; --row) {
            height += verticalHeader()->sectionSize(row);
            if (height > viewportHeight)
                break;
            ++fitting;
        }
        fitting = qMax(fitting, 1);
        verticalScrollBar()->setRange(0, qMax(0, rows - fitting));
        verticalScrollBar()->setPageStep(fitting);
    } else {
        verticalScrollBar()->setRange(0, qMax(0, verticalHeader()->length() - viewportHeight));
        verticalScrollBar()->setPageStep(viewportHeight);
    }
    placeFooter();
}

void DataGrid::placeFooter()
{
    const QRect area = viewport()->geometry();
    m_footer->setGeometry(area.left(), area.bottom() + 1, area.width(), m_footer->sizeHint().height());
    // Also when hidden: in per-item scrolling the vertical header's height places the last row at the bottom.
    verticalHeader()->setGeometry(verticalHeader()->x(), area.top(), verticalHeader()->width(), area.height());
}

void DataGrid::setWidenToTitles(bool widen)
{
    m_widenToTitles = widen;
    setDesignWidths();
}

void DataGrid::setDesignWidths()
{
    if (!m_model)
        return;
    const QVector<GridColumn>& columns = m_model->columns();
    for (int c = 0; c < columns.size(); ++c) {
        const int width = columns.at(c).width;
        const bool widen = m_widenToTitles && m_sizing == ColumnSizing::Fixed;
        setColumnWidth(c, widen ? qMax(width, m_header->titleWidthHint(c)) : width);
    }
}

void DataGrid::fitColumns()
{
    if (m_sizing != ColumnSizing::Fill || !m_model)
        return;
    const QVector<GridColumn>& columns = m_model->columns();
    int designTotal = 0;
    int lastShown = -1;
    for (int c = 0; c < columns.size(); ++c) {
        if (!isColumnHidden(c)) {
            designTotal += columns.at(c).width;
            lastShown = c;
        }
    }
    const int available = viewport()->width();
    if (designTotal <= 0 || available <= 0)
        return;
    // Scale the design widths of the shown columns, but let every title show whole where the width allows: what
    // a narrow column needs is taken from the others in proportion to what they can spare.
    QVector<int> widths(columns.size(), 0);
    QVector<int> least(columns.size(), 0);
    int shortfall = 0;
    int spare = 0;
    for (int c = 0; c <= lastShown; ++c) {
        if (isColumnHidden(c))
            continue;
        widths[c] = columns.at(c).width * available / designTotal;
        least[c] = qMin(m_header->titleWidthHint(c), widths[c] * 2);
        if (widths[c] < least[c]) {
            shortfall += least[c] - widths[c];
            widths[c] = least[c];
        } else {
            spare += widths[c] - least[c];
        }
    }
    const int taken = qMin(shortfall, spare);
    int used = 0;
    for (int c = 0; c <= lastShown; ++c) {
        if (isColumnHidden(c))
            continue;
        if (spare > 0 && widths[c] > least[c])
            widths[c] -= int(qint64(widths[c] - least[c]) * taken / spare);
        // The last column takes what rounding leaves.
        const int width = c < lastShown ? widths[c] : available - used;
        setColumnWidth(c, qMax(8, width));
        used += width;
    }
}

bool DataGrid::viewportEvent(QEvent* event)
{
    if (event->type() == QEvent::ToolTip && m_model) {
        // Only a text that does not fit its cell is shown in full as a tip.
        auto* help = static_cast<QHelpEvent*>(event);
        const QModelIndex index = indexAt(help->pos());
        if (index.isValid()) {
            const QString text = m_model->displayText(index.row(), index.column());
            const int room = visualRect(index).width() - 6;
            if (!text.isEmpty() && fontMetrics().horizontalAdvance(text) > room) {
                QToolTip::showText(help->globalPos(), text, viewport(), visualRect(index));
                return true;
            }
        }
        QToolTip::hideText();
        event->ignore();
        return true;
    }
    return QTableView::viewportEvent(event);
}
