#include "store/Dataset.h"

Dataset::Dataset(Database& db, const QString& name, QObject* parent) : QObject(parent), m_db(db), m_name(name) {}

void Dataset::setSql(const QString& sql)
{
    m_sql = sql;
}

void Dataset::setParam(const QString& name, const QVariant& value)
{
    for (auto& param : m_params) {
        if (param.first.compare(name, Qt::CaseInsensitive) == 0) {
            param.second = value;
            return;
        }
    }
    m_params.append({name, value});
}

QVariant Dataset::param(const QString& name) const
{
    for (const auto& param : m_params) {
        if (param.first.compare(name, Qt::CaseInsensitive) == 0)
            return param.second;
    }
    return {};
}

void Dataset::open()
{
    // Read everything first, so that a failed open leaves the dataset closed and unchanged for its views.
    QStringList fields;
    QVector<QVector<QVariant>> rows;
    {
        Statement statement(m_db, m_sql);
        statement.bindAll(m_params);
        const int columns = statement.columnCount();
        for (int c = 0; c < columns; ++c)
            fields.append(statement.columnName(c));
        while (statement.step()) {
            QVector<QVariant> row;
            row.reserve(columns);
            for (int c = 0; c < columns; ++c)
                row.append(statement.value(c));
            rows.append(std::move(row));
        }
    }
    m_fields = std::move(fields);
    m_rows = std::move(rows);
    m_open = true;
    m_current = 0;
    m_eof = false;
    ++m_generation;
    notify(Change::Content);
}

void Dataset::close()
{
    if (!m_open)
        return;
    m_open = false;
    m_rows.clear();
    m_fields.clear();
    m_current = 0;
    m_eof = false;
    ++m_generation;
    notify(Change::Content);
}

void Dataset::refresh(const QString& keyField)
{
    const QVariant key = value(keyField);
    const ControlsOff quiet(*this);
    close();
    open();
    if (key.isValid())
        locate(keyField, key);
}

void Dataset::setRecNo(int recNo)
{
    if (m_rows.isEmpty())
        return;
    const int row = qBound(0, recNo - 1, int(m_rows.size()) - 1);
    m_eof = false;
    if (row != m_current) {
        m_current = row;
        notify(Change::Row);
    }
}

void Dataset::first()
{
    setRecNo(1);
}

void Dataset::next()
{
    if (m_rows.isEmpty())
        return;
    if (m_current + 1 >= m_rows.size()) {
        m_eof = true;
        return;
    }
    ++m_current;
    notify(Change::Row);
}

int Dataset::fieldIndex(const QString& field) const
{
    for (int i = 0; i < m_fields.size(); ++i) {
        if (m_fields.at(i).compare(field, Qt::CaseInsensitive) == 0)
            return i;
    }
    return -1;
}

int Dataset::requireField(const QString& field) const
{
    const int index = fieldIndex(field);
    if (index < 0 && m_open)
        throw StoreError(QStringLiteral("Field '%1' not found").arg(field));
    return index;
}

QVariant Dataset::value(const QString& field) const
{
    const int index = requireField(field);
    if (index < 0 || m_rows.isEmpty())
        return {};
    return m_rows.at(m_current).at(index);
}

qint64 Dataset::asInteger(const QString& field) const
{
    return value(field).toLongLong();
}

QString Dataset::asString(const QString& field) const
{
    const QVariant v = value(field);
    return v.isNull() ? QString() : v.toString();
}

bool Dataset::asBoolean(const QString& field) const
{
    return value(field).toLongLong() != 0;
}

double Dataset::asFloat(const QString& field) const
{
    return value(field).toDouble();
}

QByteArray Dataset::asBytes(const QString& field) const
{
    return value(field).toByteArray();
}

bool Dataset::isNull(const QString& field) const
{
    return value(field).isNull();
}

bool Dataset::locate(const QString& field, const QVariant& value)
{
    const int index = requireField(field);
    if (index < 0)
        return false;
    for (int row = 0; row < m_rows.size(); ++row) {
        const QVariant& cell = m_rows.at(row).at(index);
        if (!cell.isNull() && cell == value) {
            setRecNo(row + 1);
            return true;
        }
    }
    return false;
}

Dataset::Bookmark Dataset::bookmark() const
{
    return {m_rows.isEmpty() ? -1 : m_current, m_generation};
}

void Dataset::gotoBookmark(const Bookmark& bookmark)
{
    if (bookmark.generation != m_generation || bookmark.row < 0)
        return;
    setRecNo(bookmark.row + 1);
}

void Dataset::disableControls()
{
    ++m_disabled;
}

void Dataset::enableControls()
{
    if (m_disabled == 0 || --m_disabled > 0)
        return;
    const bool content = m_pendingContent;
    const bool row = m_pendingRow;
    m_pendingContent = m_pendingRow = false;
    if (content)
        emit changed(Change::Content);
    else if (row)
        emit changed(Change::Row);
}

void Dataset::notify(Change change)
{
    if (m_disabled > 0) {
        (change == Change::Content ? m_pendingContent : m_pendingRow) = true;
        return;
    }
    emit changed(change);
}
