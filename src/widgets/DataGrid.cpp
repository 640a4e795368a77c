#include "widgets/DataGrid.h"

#include <QHeaderView>
#include <QHelpEvent>
#include <QMouseEvent>
#include <QScrollBar>
#include <QToolTip>

DataGrid::DataGrid(QWidget* parent) : QTableView(parent)
{
    setSelectionBehavior(QAbstractItemView::SelectRows);
    setSelectionMode(QAbstractItemView::SingleSelection);
    setEditTriggers(QAbstractItemView::NoEditTriggers);
    setWordWrap(false);
    setTabKeyNavigation(false);
    verticalHeader()->hide();
    verticalHeader()->setSectionResizeMode(QHeaderView::Fixed);
    verticalHeader()->setDefaultSectionSize(fontMetrics().height() + 6);
    horizontalHeader()->setHighlightSections(false);
    horizontalHeader()->setSectionsMovable(false);
    // The selection stays visible when another control has the focus.
    QPalette pal = palette();
    pal.setColor(QPalette::Inactive, QPalette::Highlight, pal.color(QPalette::Active, QPalette::Highlight));
    pal.setColor(QPalette::Inactive, QPalette::HighlightedText, pal.color(QPalette::Active, QPalette::HighlightedText));
    setPalette(pal);
}

void DataGrid::bind(Dataset* dataset, const QVector<GridColumn>& columns, ColumnSizing sizing)
{
    m_dataset = dataset;
    m_sizing = sizing;
    auto* old = m_model;
    m_model = new DatasetModel(dataset, columns, this);
    setModel(m_model);
    delete old;
    for (int c = 0; c < columns.size(); ++c)
        setColumnWidth(c, columns.at(c).width);
    horizontalHeader()->setStretchLastSection(false);
    if (sizing == ColumnSizing::Fill)
        setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
    fitColumns();
    connect(selectionModel(), &QItemSelectionModel::currentRowChanged, this, &DataGrid::onCurrentRowChanged);
    // Connected after the model's own handler, so the rows are there when the selection follows.
    connect(dataset, &Dataset::changed, this, &DataGrid::followDataset);
    followDataset();
}

void DataGrid::setRowBackground(const QColor& color)
{
    QPalette pal = palette();
    pal.setColor(QPalette::Base, color);
    setPalette(pal);
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

void DataGrid::fitColumns()
{
    if (m_sizing != ColumnSizing::Fill || !m_model)
        return;
    const QVector<GridColumn>& columns = m_model->columns();
    int designTotal = 0;
    for (const GridColumn& column : columns)
        designTotal += column.width;
    const int available = viewport()->width();
    if (designTotal <= 0 || available <= 0)
        return;
    // Scale the design widths; the last column takes what rounding leaves.
    int used = 0;
    for (int c = 0; c < columns.size(); ++c) {
        const int width = c + 1 < columns.size() ? columns.at(c).width * available / designTotal : available - used;
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
