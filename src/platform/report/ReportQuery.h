#pragma once
// A report's dataset: a query on the database layer (Jet dialect, values
// bound by name) whose rows the report walks, with the scroll events and
// calculated fields report forms use.
//
//   ReportQuery Query1("Query1");
//   Query1.database = &db;
//   Query1.sql = "select * from C_KURA where Tar_Saat = :t order by Skor, Kura_Key";
//   Query1.params = {{"t", ring}};
//   Query1.afterScroll = [&](ReportQuery& q) { if (!q.eof()) ++FLineNo; };
//   Query1.addCalculated("Tur_Mac", [](const ReportQuery& q) { return q.str("Tur"); });
//
// open() runs the statement and stands on the first row (afterScroll fires);
// first() and next() fire beforeScroll and afterScroll, also for the move
// past the last row that ends the data (eof() is then true), so a handler
// sees the end. A query with a master takes every named parameter that
// `params` does not give from the master's current row (the field of the
// same name); the report reopens it for every master row.

#include "platform/db/Database.h"

#include <QString>
#include <QVariant>
#include <QVariantMap>

#include <functional>
#include <map>

class ReportQuery {
public:
    using Event = std::function<void(ReportQuery&)>;
    using Calculated = std::function<QVariant(const ReportQuery&)>;

    explicit ReportQuery(QString name = QString());

    QString name;
    Database* database = nullptr;
    QString sql;
    QVariantMap params;
    ReportQuery* master = nullptr;

    Event beforeScroll;
    Event afterScroll;

    // Runs the statement (throws DbError) and stands on the first row.
    void open();
    // Uses rows given by the program instead of a statement.
    void openRows(const Records& rows);
    void close();
    bool isOpen() const { return m_open; }

    void first();
    void next();
    bool eof() const { return !m_open || m_pos >= int(m_rows.size()); }
    bool isEmpty() const { return m_rows.isEmpty(); }
    int recordCount() const { return int(m_rows.size()); }
    // 1-based number of the current row; 0 at the end.
    int recNo() const { return eof() ? 0 : m_pos + 1; }

    // Values of the current row (a calculated field by its name too); an
    // invalid QVariant at the end of the data. An unknown field throws
    // DbError, as Record does.
    QVariant value(const QString& field) const;
    QString str(const QString& field) const;
    double toDouble(const QString& field) const;
    int toInt(const QString& field) const;
    bool has(const QString& field) const;
    const Record& record() const;

    void addCalculated(const QString& field, Calculated compute);

    // The engine shows a group footer with the values of the group's last row
    // while the query already stands on the next group's first row.
    void viewRow(int index) { m_view = index; }
    void clearView() { m_view = -1; }
    int position() const { return m_pos; }

private:
    int current() const { return m_view >= 0 ? m_view : m_pos; }
    QString calculatedKey(const QString& field) const;

    Records m_rows;
    int m_pos = 0;
    int m_view = -1;
    bool m_open = false;
    std::map<QString, Calculated> m_calculated;   // keyed by upper-case name
};
