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
//
// The rows are kept packed (a few hundred bytes a row of the register rather
// than a QVariant for every column), and a row's values are unpacked when a
// field of it is asked for, so a list of the whole register fits in memory.

#include "platform/db/Database.h"

#include <QString>
#include <QVariant>
#include <QVariantMap>

#include <QHash>
#include <QStringList>

#include <functional>
#include <map>
#include <utility>
#include <vector>

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
    bool eof() const { return !m_open || m_pos >= recordCount(); }
    bool isEmpty() const { return m_rowAt.empty(); }
    int recordCount() const { return int(m_rowAt.size()); }
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
    // The current row whole (valid until the query stands on another row).
    const Record& record() const;
    // The value the current row holds in a column of the statement,
    // calculated fields aside (one may take a column's name); an invalid
    // QVariant when there is no such column or the data has ended.
    QVariant stored(const QString& field) const;

    void addCalculated(const QString& field, Calculated compute);

    // The engine shows a group footer with the values of the group's last row
    // while the query already stands on the next group's first row.
    void viewRow(int index) { m_view = index; }
    void clearView() { m_view = -1; }
    int position() const { return m_pos; }

private:
    int current() const { return m_view >= 0 ? m_view : m_pos; }
    QString calculatedKey(const QString& field) const;
    // Column number of a field (names without regard to case), -1 if none.
    int column(const QString& field) const;
    // Packs one row after the others.
    void addRow(const QVariantList& values);
    void addPacked(const QByteArray& row);
    // Unpacks column `c` of row `row`.
    QVariant cell(int row, int c) const;
    // Where the columns of `row` start, worked out once per row.
    void locate(int row) const;
    void clearRows();

    QStringList m_names;
    mutable QHash<QString, int> m_columns;   // by the spelling asked for
    // Rows packed one after the other in blocks; a row starts at m_rowAt.
    std::vector<QByteArray> m_blocks;
    std::vector<std::pair<quint32, quint32>> m_rowAt;   // block, offset
    mutable int m_located = -1;                          // the row of m_cellAt
    mutable std::vector<quint32> m_cellAt;
    mutable Record m_record;                             // record() of m_recordRow
    mutable int m_recordRow = -1;
    int m_pos = 0;
    int m_view = -1;
    bool m_open = false;
    std::map<QString, Calculated> m_calculated;   // keyed by upper-case name
};
