#pragma once

#include <QVector>

enum class SortMarker
{
    None,
    Down,
    Up
};

// The sort markers of a grid's column titles and the order in which the marked columns sort. Plain logic: the grid
// paints what it holds, the grid's owner builds its order clause from it.
class SortMarkers
{
public:
    void reset(int columnCount); // all None, none sortable
    void setSortable(int column, bool sortable);
    bool isSortable(int column) const;
    SortMarker marker(int column) const;
    int sortIndex(int column) const;             // 0 unmarked, else 1-based position among marked columns
    void setOnly(int column, SortMarker marker); // clears the others; column becomes index 1 (None clears all)
    // A title click. Without Ctrl the others are cleared and the column cycles None->Down->Up->Down->Up...; with
    // Ctrl the others keep marker and index and the column cycles None->Down->Up->None; a newly marked column is
    // appended, an unmarked one leaves and those behind it move up by one. Ignored for columns that are not sortable.
    void click(int column, bool withCtrl);
    QVector<int> orderedColumns() const { return m_order; } // marked columns in sort-index order
    int markedCount() const { return int(m_order.size()); }
    int columnCount() const { return int(m_markers.size()); }

private:
    bool valid(int column) const { return column >= 0 && column < m_markers.size(); }

    QVector<SortMarker> m_markers;
    QVector<bool> m_sortable;
    QVector<int> m_order;
};
