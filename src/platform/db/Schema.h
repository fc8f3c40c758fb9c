#pragma once
// Table definitions and their creation.
//
// A Schema holds tables (columns with Jet-like types) and views. create()
// makes them in a new database file; upgrade() adds what an older station
// file lacks (missing tables, columns and views) and never drops anything.
//
// Column types:
//   Text      TEXT, Turkish collation (size is informative, as Jet's)
//   Memo      TEXT, Turkish collation
//   Integer   INTEGER (Jet Long)
//   Double    REAL
//   Date      DATETIME holding "yyyy-MM-dd" or "yyyy-MM-dd HH:mm:ss"
//   Time      TEXT holding "HH:mm:ss"
//   Bool      INTEGER holding -1 (True) or 0 (False)

#include <QList>
#include <QString>
#include <QStringList>
#include <QVariant>

class Database;

struct ColumnDef {
    enum Type { Text, Memo, Integer, Double, Date, Time, Bool };
    QString name;
    Type type = Text;
    int size = 50;
    QVariant defaultValue = {};
};

struct TableDef {
    QString name;
    QList<ColumnDef> columns;
    QString primaryKey;         // a column name, or "" for none
    QStringList indexes;        // columns (or "a,b" lists) to index
    const ColumnDef* column(const QString& name) const;
};

struct ViewDef {
    QString name;
    QString select;             // in the Jet dialect
};

class Schema {
public:
    void addTable(const TableDef& table);
    void addView(const ViewDef& view);

    const QList<TableDef>& tables() const { return m_tables; }
    const QList<ViewDef>& views() const { return m_views; }
    const TableDef* table(const QString& name) const;

    // Creates every table and view (in a transaction).
    void create(Database& db) const;
    // Adds missing tables, columns and views; returns what it added.
    QStringList upgrade(Database& db) const;

    static QString columnSql(const ColumnDef& c);
    static QString createSql(const TableDef& t);

private:
    QList<TableDef> m_tables;
    QList<ViewDef> m_views;
};

// Short forms for table definitions.
namespace Col {
inline ColumnDef text(const QString& n, int size = 50) { return {n, ColumnDef::Text, size, {}}; }
inline ColumnDef memo(const QString& n) { return {n, ColumnDef::Memo, 0, {}}; }
inline ColumnDef integer(const QString& n) { return {n, ColumnDef::Integer, 0, {}}; }
inline ColumnDef real(const QString& n) { return {n, ColumnDef::Double, 0, {}}; }
inline ColumnDef date(const QString& n) { return {n, ColumnDef::Date, 0, {}}; }
inline ColumnDef time(const QString& n) { return {n, ColumnDef::Time, 0, {}}; }
inline ColumnDef boolean(const QString& n) { return {n, ColumnDef::Bool, 0, {}}; }
}
