#pragma once

#include "store/Database.h"

#include <QObject>
#include <QStringList>
#include <QVariant>
#include <QVector>

// A query or table with a cursor: SQL text with named parameters, whose rows are read into memory on open.
// Views bound to it follow one notice, `changed`, sent whenever its current row or its content changes; while
// controls are disabled the notices are held back and one summary notice is sent when they are enabled again.
class Dataset : public QObject
{
    Q_OBJECT
public:
    enum class Change
    {
        Row,
        Content
    };
    // A remembered position; valid for the rows read by the open it was taken in.
    struct Bookmark
    {
        int row = -1;
        quint64 generation = 0;
    };

    Dataset(Database& db, const QString& name, QObject* parent = nullptr);

    const QString& name() const { return m_name; }
    void setSql(const QString& sql);
    const QString& sql() const { return m_sql; }
    void setParam(const QString& name, const QVariant& value);
    QVariant param(const QString& name) const;

    void open();
    void close();
    bool isOpen() const { return m_open; }
    // Re-runs the statement and returns to the row whose `keyField` held the same value, or to the first row.
    void refresh(const QString& keyField);

    bool isEmpty() const { return m_rows.isEmpty(); }
    int recordCount() const { return int(m_rows.size()); }
    int recNo() const { return m_rows.isEmpty() ? 0 : m_current + 1; } // 1 for the first row
    void setRecNo(int recNo);
    void first();
    void next();
    bool eof() const { return m_rows.isEmpty() || m_eof; }

    const QStringList& fieldNames() const { return m_fields; }
    int fieldIndex(const QString& field) const; // -1 when there is no such field
    // Fields of the current row; an empty or closed dataset reads 0, false and the empty text.
    QVariant value(const QString& field) const;
    qint64 asInteger(const QString& field) const;
    QString asString(const QString& field) const;
    bool asBoolean(const QString& field) const;
    double asFloat(const QString& field) const;
    QByteArray asBytes(const QString& field) const;
    bool isNull(const QString& field) const;
    QVariant valueAt(int row, int column) const { return m_rows.at(row).at(column); }

    // Moves to the first row whose `field` equals `value`; the cursor stays put when there is none.
    bool locate(const QString& field, const QVariant& value);
    Bookmark bookmark() const;
    void gotoBookmark(const Bookmark& bookmark);

    void disableControls();
    void enableControls();
    bool controlsDisabled() const { return m_disabled > 0; }

signals:
    void changed(Dataset::Change change);

private:
    int requireField(const QString& field) const;
    void notify(Change change);

    Database& m_db;
    QString m_name;
    QString m_sql;
    Params m_params;
    bool m_open = false;
    QStringList m_fields;
    QVector<QVector<QVariant>> m_rows;
    int m_current = 0;
    bool m_eof = false;
    quint64 m_generation = 0;
    int m_disabled = 0;
    bool m_pendingRow = false;
    bool m_pendingContent = false;
};

// Holds the bound views of a dataset still for a scope; one summary notice follows when it ends.
class ControlsOff
{
public:
    explicit ControlsOff(Dataset& dataset) : m_dataset(dataset) { m_dataset.disableControls(); }
    ~ControlsOff() { m_dataset.enableControls(); }
    ControlsOff(const ControlsOff&) = delete;
    ControlsOff& operator=(const ControlsOff&) = delete;

private:
    Dataset& m_dataset;
};

// Closes a dataset when the scope ends, also on an error: for tables open only while one command runs.
class CloseOnExit
{
public:
    explicit CloseOnExit(Dataset& dataset) : m_dataset(dataset) {}
    ~CloseOnExit() { m_dataset.close(); }
    CloseOnExit(const CloseOnExit&) = delete;
    CloseOnExit& operator=(const CloseOnExit&) = delete;

private:
    Dataset& m_dataset;
};

// Walking a shared dataset: the position is remembered and the bound views are held still while it is walked;
// both are restored when the guard goes out of scope, also when the walk ends with an error.
class WalkGuard
{
public:
    explicit WalkGuard(Dataset& dataset) : m_dataset(dataset), m_bookmark(dataset.bookmark())
    {
        m_dataset.disableControls();
    }
    ~WalkGuard()
    {
        if (m_restorePosition)
            m_dataset.gotoBookmark(m_bookmark);
        m_dataset.enableControls();
    }
    WalkGuard(const WalkGuard&) = delete;
    WalkGuard& operator=(const WalkGuard&) = delete;

    // For a walk whose purpose is to move the selection: leave the cursor where the walk ends.
    void keepPosition() { m_restorePosition = false; }
    const Dataset::Bookmark& bookmark() const { return m_bookmark; }

private:
    Dataset& m_dataset;
    Dataset::Bookmark m_bookmark;
    bool m_restorePosition = true;
};
