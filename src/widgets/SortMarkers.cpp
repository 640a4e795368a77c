#include "widgets/SortMarkers.h"

void SortMarkers::reset(int columnCount)
{
    m_markers = QVector<SortMarker>(qMax(0, columnCount), SortMarker::None);
    m_sortable = QVector<bool>(qMax(0, columnCount), false);
    m_order.clear();
}

void SortMarkers::setSortable(int column, bool sortable)
{
    if (valid(column))
        m_sortable[column] = sortable;
}

bool SortMarkers::isSortable(int column) const
{
    return valid(column) && m_sortable.at(column);
}

SortMarker SortMarkers::marker(int column) const
{
    return valid(column) ? m_markers.at(column) : SortMarker::None;
}

int SortMarkers::sortIndex(int column) const
{
    return int(m_order.indexOf(column)) + 1;
}

void SortMarkers::setOnly(int column, SortMarker marker)
{
    m_markers.fill(SortMarker::None);
    m_order.clear();
    if (!valid(column) || marker == SortMarker::None)
        return;
    m_markers[column] = marker;
    m_order.append(column);
}

void SortMarkers::click(int column, bool withCtrl)
{
    if (!isSortable(column))
        return;
    const SortMarker current = m_markers.at(column);
    if (!withCtrl) {
        setOnly(column, current == SortMarker::Down ? SortMarker::Up : SortMarker::Down);
        return;
    }
    switch (current) {
    case SortMarker::None:
        m_markers[column] = SortMarker::Down;
        m_order.append(column);
        break;
    case SortMarker::Down:
        m_markers[column] = SortMarker::Up;
        break;
    case SortMarker::Up:
        m_markers[column] = SortMarker::None;
        m_order.removeAll(column);
        break;
    }
}
