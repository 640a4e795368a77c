#pragma once

#include "store/Dataset.h"

#include <QAbstractTableModel>
#include <QPointer>
#include <QVector>

// One column of a grid bound to a dataset. A title "Upper|Lower" has two levels: neighbouring columns with the same
// upper part share one upper title.
struct GridColumn
{
    enum class Kind
    {
        Text,
        Date,
        CheckBox
    };
    enum class Footer
    {
        None,
        Text,
        Sum
    };
    QString field;
    QString title;
    int width = 64; // at 96 dots per inch
    Qt::Alignment alignment = Qt::AlignLeft | Qt::AlignVCenter;
    Kind kind = Kind::Text;
    bool sortable = false;      // the title acts as a button that moves the column's sort marker
    bool verticalTitle = false; // the (lower) title is written turned by 90 degrees, reading upwards
    Footer footer = Footer::None;
    QString footerText{};  // Footer::Text
    QString footerField{}; // Footer::Sum: the dataset field summed over all rows
    Qt::Alignment footerAlignment = Qt::AlignCenter;

    bool hasTwoLevels() const { return title.contains(QLatin1Char('|')); }
    QString upperTitle() const { return hasTwoLevels() ? title.section(QLatin1Char('|'), 0, 0) : QString(); }
    QString lowerTitle() const { return hasTwoLevels() ? title.section(QLatin1Char('|'), 1) : title; }
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
    // The integer sum of a field over all rows; 0 when the dataset is empty, closed or has no such field.
    qint64 sumOf(const QString& field) const;

private:
    void onDatasetChanged(Dataset::Change change);
    QVariant rawValue(int row, int column) const;

    Dataset* m_dataset;
    QVector<GridColumn> m_columns;
    QVector<int> m_fieldIndexes; // column -> field index in the dataset's current result
    int m_rows = 0;
};
