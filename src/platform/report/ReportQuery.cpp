#include "platform/report/ReportQuery.h"

ReportQuery::ReportQuery(QString n) : name(std::move(n)) {}

void ReportQuery::open()
{
    if (!database)
        throw DbError(QString("Rapor veri kümesi %1 bir veritabanına bağlı değil").arg(name));
    QVariantMap bound;
    if (master && !master->eof()) {
        // The master's current row supplies the parameters the query does not
        // set itself, field by field.
        const Record& r = master->record();
        for (int i = 0; i < r.fieldNames().size(); ++i)
            bound.insert(r.fieldNames().at(i), r.value(i));
    }
    for (auto it = params.constBegin(); it != params.constEnd(); ++it)
        bound.insert(it.key(), it.value());
    Records rows = database->select(sql, bound);
    openRows(rows);
}

void ReportQuery::openRows(const Records& rows)
{
    m_rows = rows;
    m_pos = 0;
    m_view = -1;
    m_open = true;
    if (afterScroll)
        afterScroll(*this);
}

void ReportQuery::close()
{
    m_rows.clear();
    m_pos = 0;
    m_view = -1;
    m_open = false;
}

void ReportQuery::first()
{
    if (!m_open)
        return;
    if (beforeScroll)
        beforeScroll(*this);
    m_pos = 0;
    if (afterScroll)
        afterScroll(*this);
}

void ReportQuery::next()
{
    if (!m_open || eof())
        return;
    if (beforeScroll)
        beforeScroll(*this);
    ++m_pos;
    if (afterScroll)
        afterScroll(*this);
}

const Record& ReportQuery::record() const
{
    static const Record empty;
    const int i = current();
    if (!m_open || i < 0 || i >= int(m_rows.size()))
        return empty;
    return m_rows[i];
}

QString ReportQuery::calculatedKey(const QString& field) const
{
    return field.toUpper();
}

bool ReportQuery::has(const QString& field) const
{
    if (m_calculated.count(calculatedKey(field)))
        return true;
    if (!m_rows.isEmpty())
        return m_rows.first().has(field);
    return false;
}

QVariant ReportQuery::value(const QString& field) const
{
    auto it = m_calculated.find(calculatedKey(field));
    const Record& r = record();
    if (r.isEmpty())
        return QVariant();   // the end of the data
    if (it != m_calculated.end())
        return it->second(*this);
    return r.value(field);
}

QString ReportQuery::str(const QString& field) const
{
    const QVariant v = value(field);
    return v.isNull() ? QString() : v.toString();
}

double ReportQuery::toDouble(const QString& field) const
{
    return value(field).toDouble();
}

int ReportQuery::toInt(const QString& field) const
{
    return value(field).toInt();
}

void ReportQuery::addCalculated(const QString& field, Calculated compute)
{
    m_calculated[calculatedKey(field)] = std::move(compute);
}
