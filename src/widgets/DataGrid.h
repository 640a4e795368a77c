#pragma once

#include "store/Dataset.h"
#include "widgets/DatasetModel.h"

#include <QTableView>

// A read-only list bound to a dataset: whole-row selection that follows the dataset's current row both ways and
// stays visible when the grid has no focus.
class DataGrid : public QTableView
{
    Q_OBJECT
public:
    enum class ColumnSizing
    {
        Fixed,
        Fill
    };

    explicit DataGrid(QWidget* parent = nullptr);

    void bind(Dataset* dataset, const QVector<GridColumn>& columns, ColumnSizing sizing = ColumnSizing::Fixed);
    Dataset* dataset() const { return m_dataset; }
    DatasetModel* datasetModel() const { return m_model; }
    void setRowBackground(const QColor& color);

signals:
    // A double-click anywhere in the grid's data area, on a row or not.
    void gridDoubleClicked();

protected:
    void mouseDoubleClickEvent(QMouseEvent* event) override;
    void resizeEvent(QResizeEvent* event) override;
    bool viewportEvent(QEvent* event) override;

private:
    void followDataset();
    void onCurrentRowChanged(const QModelIndex& current);
    void fitColumns();

    Dataset* m_dataset = nullptr;
    DatasetModel* m_model = nullptr;
    ColumnSizing m_sizing = ColumnSizing::Fixed;
    bool m_syncing = false;
};
