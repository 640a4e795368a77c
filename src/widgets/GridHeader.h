#pragma once

#include "widgets/DatasetModel.h"
#include "widgets/SortMarkers.h"

#include <QHeaderView>

// The column titles of a DataGrid, painted here: titles act as buttons and carry the sort markers; a title
// "Upper|Lower" is drawn in two bands with one merged upper cell over neighbouring columns of the same upper title;
// a vertical title is written turned by 90 degrees and the header grows tall enough for the longest one.
class GridHeader : public QHeaderView
{
    Q_OBJECT
public:
    // A merged upper title over the neighbouring columns first..last.
    struct TitleBand
    {
        int firstColumn = -1;
        int lastColumn = -1;
        QString text;
    };

    explicit GridHeader(QWidget* parent = nullptr);

    void setColumns(const QVector<GridColumn>& columns);
    void setSortMarkers(const SortMarkers* markers) { m_markers = markers; }

    QVector<TitleBand> titleBands() const;
    // In the header's viewport: the column's own title (the lower band, or both bands for a one-level title) and
    // the merged upper cell above it (null for a one-level title).
    QRect titleRect(int column) const;
    QRect upperTitleRect(int column) const;
    // The column whose own title is at `pos`, or -1 (an upper band is no button).
    int columnAtTitle(const QPoint& pos) const;
    int bandHeight() const;
    // The width a column needs to show its own title whole, with room for a marker when it can be sorted.
    int titleWidthHint(int column) const;

    QSize sizeHint() const override;

signals:
    void titleClicked(int column, Qt::KeyboardModifiers modifiers);

protected:
    void paintEvent(QPaintEvent* event) override;
    void mousePressEvent(QMouseEvent* event) override;
    void mouseMoveEvent(QMouseEvent* event) override;
    void mouseReleaseEvent(QMouseEvent* event) override;
    bool viewportEvent(QEvent* event) override;
    void changeEvent(QEvent* event) override;

private:
    struct TitleLayout
    {
        QRect text;   // where the title text goes (before turning, for a vertical title)
        QRect marker; // where the marker and its index go; null when the column is not marked
    };

    bool anyTwoLevels() const;
    bool isVertical(int column) const;
    int headerHeight() const;
    int markerExtent(int column, bool vertical) const;
    QFont indexFont() const;
    TitleLayout layoutTitle(int column) const;
    bool onResizeHandle(const QPoint& pos) const;
    void paintButton(QPainter& painter, const QRect& rect, bool sunken) const;
    void paintTitle(QPainter& painter, int column) const;
    void paintMarker(QPainter& painter, const QRect& rect, int column) const;
    QString tipAt(const QPoint& pos) const;

    QVector<GridColumn> m_columns;
    const SortMarkers* m_markers = nullptr;
    int m_pressed = -1;       // the title held down by the left button
    bool m_pressedIn = false; // ...and the pointer is still over it
};
