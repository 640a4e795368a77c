#pragma once

#include "store/Dataset.h"
#include "widgets/DatasetModel.h"
#include "widgets/SortMarkers.h"

#include <QTableView>

#include <functional>

class GridFooter;
class GridHeader;

// A read-only list bound to a dataset: whole-row selection that follows the dataset's current row both ways and
// stays visible when the grid has no focus; titles that act as buttons and carry sort markers, in one or two
// levels, written across or turned; an optional footer row with texts and sums; boolean fields as check boxes;
// a callback that colours each painted cell; tips for texts that do not fit.
class DataGrid : public QTableView
{
    Q_OBJECT
public:
    enum class ColumnSizing
    {
        Fixed,
        Fill
    };
    // Asked for every painted data cell: recNo is 1 for the first row in the current order.
    using CellParams = std::function<void(int recNo, int column, QColor& background)>;

    explicit DataGrid(QWidget* parent = nullptr);

    void bind(Dataset* dataset, const QVector<GridColumn>& columns, ColumnSizing sizing = ColumnSizing::Fixed);
    Dataset* dataset() const { return m_dataset; }
    DatasetModel* datasetModel() const { return m_model; }
    GridHeader* titleHeader() const { return m_header; }
    void setRowBackground(const QColor& color);

    SortMarkers& sortMarkers() { return m_markers; }
    const SortMarkers& sortMarkers() const { return m_markers; }
    void setTitleStyle(const QColor& color, bool bold);
    // Fixed columns: the design widths were made for a smaller desktop font, so a column may be widened to show
    // its title whole. Off by default: some grids cut their titles on purpose and show them as tips.
    void setWidenToTitles(bool widen);

    void setFooterVisible(bool visible);
    bool isFooterVisible() const { return m_footerVisible; }
    QString footerText(int column) const;

    void setCellParams(CellParams params);
    QColor cellBackground(int row, int column) const; // row 0-based

signals:
    // A double-click anywhere in the grid's data area, on a row or not.
    void gridDoubleClicked();
    // A left click on a sortable title, sent after its sort marker has moved.
    void titleButtonClicked(int column);

protected:
    void mouseDoubleClickEvent(QMouseEvent* event) override;
    void resizeEvent(QResizeEvent* event) override;
    bool viewportEvent(QEvent* event) override;
    void updateGeometries() override;

private:
    void followDataset();
    void onDatasetChanged(Dataset::Change change);
    void onCurrentRowChanged(const QModelIndex& current);
    void onTitleClicked(int column, Qt::KeyboardModifiers modifiers);
    void setDesignWidths();
    void fitColumns();
    void updateFooter();
    void placeFooter();

    Dataset* m_dataset = nullptr;
    DatasetModel* m_model = nullptr;
    GridHeader* m_header = nullptr;
    GridFooter* m_footer = nullptr;
    SortMarkers m_markers;
    CellParams m_cellParams;
    ColumnSizing m_sizing = ColumnSizing::Fixed;
    bool m_footerVisible = false;
    bool m_widenToTitles = false;
    bool m_syncing = false;
};
