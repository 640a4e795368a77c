#pragma once

#include "store/Dataset.h"

#include <QAbstractTableModel>
#include <QPointer>
#include <QVector>

// One column of a grid bound to a dataset.
struct GridColumn
{
    enum class Kind
    {
        Text,
        Date,
        CheckBox
    };
    QString field;
    QString title;
    int width = 64; // at 96 dots per inch
    Qt::Alignment alignment = Qt::AlignLeft | Qt::AlignVCenter;
    Kind kind = Kind::Text;
};

// Shows the rows of a dataset; reset whenever the dataset's content changes.
class DatasetModel : public QAbstractTableModel
{
    Q_OBJECT
public:
    // The raw stored value of a cell, for sorting and tests.
    static constexpr int RawValueRole = Qt::UserRole + 1;

    DatasetModel(Dataset* dataset, QVector<GridColumn> columns, QObject* parent = nullptr);

    Dataset* dataset() const { return m_dataset; }
    const QVector<GridColumn>& columns() const { return m_columns; }

    int rowCount(const QModelIndex& parent = QModelIndex()) const override;
    int columnCount(const QModelIndex& parent = QModelIndex()) const override;
    QVariant data(const QModelIndex& index, int role = Qt::DisplayRole) const override;
    QVariant headerData(int section, Qt::Orientation orientation, int role = Qt::DisplayRole) const override;
    Qt::ItemFlags flags(const QModelIndex& index) const override;

    QString displayText(int row, int column) const;

private:
    void onDatasetChanged(Dataset::Change change);
    QVariant rawValue(int row, int column) const;

    Dataset* m_dataset;
    QVector<GridColumn> m_columns;
    QVector<int> m_fieldIndexes; // column -> field index in the dataset's current result
    int m_rows = 0;
};
