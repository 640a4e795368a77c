#include "widgets/DatasetModel.h"

#include <QDate>
#include <QLocale>

DatasetModel::DatasetModel(Dataset* dataset, QVector<GridColumn> columns, QObject* parent)
    : QAbstractTableModel(parent), m_dataset(dataset), m_columns(std::move(columns))
{
    connect(m_dataset, &Dataset::changed, this, &DatasetModel::onDatasetChanged);
    onDatasetChanged(Dataset::Change::Content);
}

void DatasetModel::onDatasetChanged(Dataset::Change change)
{
    if (change != Dataset::Change::Content)
        return; // a move of the current row is the view's business
    beginResetModel();
    m_rows = m_dataset->recordCount();
    m_fieldIndexes.clear();
    for (const GridColumn& column : m_columns)
        m_fieldIndexes.append(m_dataset->fieldIndex(column.field));
    endResetModel();
}

int DatasetModel::rowCount(const QModelIndex& parent) const
{
    return parent.isValid() ? 0 : m_rows;
}

int DatasetModel::columnCount(const QModelIndex& parent) const
{
    return parent.isValid() ? 0 : int(m_columns.size());
}

QVariant DatasetModel::rawValue(int row, int column) const
{
    const int field = m_fieldIndexes.value(column, -1);
    if (field < 0 || row < 0 || row >= m_dataset->recordCount())
        return {};
    return m_dataset->valueAt(row, field);
}

QString DatasetModel::displayText(int row, int column) const
{
    const QVariant value = rawValue(row, column);
    if (value.isNull())
        return {};
    switch (m_columns.at(column).kind) {
    case GridColumn::Kind::Date: {
        const QDate date = QDate::fromString(value.toString(), Qt::ISODate);
        return date.isValid() ? QLocale().toString(date, QLocale::ShortFormat) : value.toString();
    }
    case GridColumn::Kind::CheckBox:
        return {};
    case GridColumn::Kind::Text:
        break;
    }
    return value.toString();
}

qint64 DatasetModel::sumOf(const QString& field) const
{
    const int index = m_dataset->fieldIndex(field);
    if (index < 0)
        return 0;
    qint64 sum = 0;
    for (int row = 0; row < m_dataset->recordCount(); ++row)
        sum += m_dataset->valueAt(row, index).toLongLong();
    return sum;
}

QVariant DatasetModel::data(const QModelIndex& index, int role) const
{
    if (!index.isValid())
        return {};
    const GridColumn& column = m_columns.at(index.column());
    switch (role) {
    case Qt::DisplayRole:
        return displayText(index.row(), index.column());
    case Qt::ToolTipRole:
        return QVariant(); // the grid shows tips only for texts that do not fit
    case Qt::AccessibleTextRole:
        // A screen reader gets words for the painted check boxes.
        if (column.kind == GridColumn::Kind::CheckBox)
            return rawValue(index.row(), index.column()).toLongLong() != 0 ? QStringLiteral("Да")
                                                                           : QStringLiteral("Нет");
        return {};
    case Qt::CheckStateRole:
        if (column.kind == GridColumn::Kind::CheckBox)
            return rawValue(index.row(), index.column()).toLongLong() != 0 ? Qt::Checked : Qt::Unchecked;
        return {};
    case Qt::TextAlignmentRole:
        return QVariant::fromValue(column.alignment);
    case RawValueRole:
        return rawValue(index.row(), index.column());
    default:
        return {};
    }
}

QVariant DatasetModel::headerData(int section, Qt::Orientation orientation, int role) const
{
    if (orientation != Qt::Horizontal || section < 0 || section >= m_columns.size())
        return {};
    const GridColumn& column = m_columns.at(section);
    if (role == Qt::DisplayRole)
        return column.title;
    if (role == Qt::AccessibleTextRole)
        return column.hasTwoLevels() ? column.upperTitle() + QStringLiteral(", ") + column.lowerTitle() : column.title;
    return {};
}

Qt::ItemFlags DatasetModel::flags(const QModelIndex& index) const
{
    if (!index.isValid())
        return Qt::NoItemFlags;
    return Qt::ItemIsEnabled | Qt::ItemIsSelectable; // read-only lists
}
