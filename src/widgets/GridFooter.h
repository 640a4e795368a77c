#pragma once

#include <QHeaderView>
#include <QPointer>
#include <QWidget>

// The footer row of a DataGrid: one cell under each column, following the columns' widths and the sideways
// scrolling through the grid's title header.
class GridFooter : public QWidget
{
    Q_OBJECT
public:
    struct Cell
    {
        QString text;
        Qt::Alignment alignment = Qt::AlignCenter;
    };

    GridFooter(QHeaderView* header, QWidget* parent);

    void setCells(const QVector<Cell>& cells);
    QString text(int column) const { return m_cells.value(column).text; }
    QSize sizeHint() const override;

protected:
    void paintEvent(QPaintEvent* event) override;
    bool event(QEvent* event) override;

private:
    QRect cellRect(int column) const;

    QPointer<QHeaderView> m_header;
    QVector<Cell> m_cells;
};
