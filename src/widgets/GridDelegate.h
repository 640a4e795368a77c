#pragma once

#include <QStyledItemDelegate>

class DataGrid;

// Paints the data cells of a DataGrid: the background the grid's cell callback gives, the highlight over it on the
// selected row, one line of text, and boolean fields as a centred, read-only check box.
class GridDelegate : public QStyledItemDelegate
{
    Q_OBJECT
public:
    explicit GridDelegate(DataGrid* grid);

    void paint(QPainter* painter, const QStyleOptionViewItem& option, const QModelIndex& index) const override;
    QSize sizeHint(const QStyleOptionViewItem& option, const QModelIndex& index) const override;

protected:
    bool editorEvent(QEvent* event, QAbstractItemModel* model, const QStyleOptionViewItem& option,
                     const QModelIndex& index) override;

private:
    DataGrid* m_grid;
};
