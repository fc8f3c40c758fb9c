#include "platform/db/Schema.h"

#include "platform/db/Database.h"
#include "platform/db/JetSql.h"

const ColumnDef* TableDef::column(const QString& name) const
{
    for (const ColumnDef& c : columns)
        if (c.name.compare(name, Qt::CaseInsensitive) == 0)
            return &c;
    return nullptr;
}

void Schema::addTable(const TableDef& table)
{
    for (TableDef& t : m_tables) {
        if (t.name.compare(table.name, Qt::CaseInsensitive) == 0) {
            // A later definition of the same table adds its columns.
            for (const ColumnDef& c : table.columns)
                if (!t.column(c.name))
                    t.columns.append(c);
            if (t.primaryKey.isEmpty())
                t.primaryKey = table.primaryKey;
            for (const QString& i : table.indexes)
                if (!t.indexes.contains(i))
                    t.indexes.append(i);
            return;
        }
    }
    m_tables.append(table);
}

void Schema::addView(const ViewDef& view)
{
    for (ViewDef& v : m_views) {
        if (v.name.compare(view.name, Qt::CaseInsensitive) == 0) {
            v = view;
            return;
        }
    }
    m_views.append(view);
}

const TableDef* Schema::table(const QString& name) const
{
    for (const TableDef& t : m_tables)
        if (t.name.compare(name, Qt::CaseInsensitive) == 0)
            return &t;
    return nullptr;
}

static QString literal(const QVariant& v)
{
    if (!v.isValid() || v.isNull())
        return "NULL";
    switch (v.typeId()) {
    case QMetaType::Int:
    case QMetaType::LongLong:
    case QMetaType::Double:
        return v.toString();
    case QMetaType::Bool:
        return v.toBool() ? "-1" : "0";
    default: {
        QString s = v.toString();
        s.replace("'", "''");
        return "'" + s + "'";
    }
    }
}

QString Schema::columnSql(const ColumnDef& c)
{
    QString sql = Database::identifier(c.name) + " ";
    switch (c.type) {
    case ColumnDef::Text:
    case ColumnDef::Memo:
        sql += "TEXT COLLATE TURKISH";
        break;
    case ColumnDef::Integer:
    case ColumnDef::Bool:
        sql += "INTEGER";
        break;
    case ColumnDef::Double:
        sql += "REAL";
        break;
    case ColumnDef::Date:
        sql += "DATETIME";
        break;
    case ColumnDef::Time:
        sql += "TEXT";
        break;
    }
    if (c.defaultValue.isValid())
        sql += " DEFAULT " + literal(c.defaultValue);
    return sql;
}

QString Schema::createSql(const TableDef& t)
{
    QStringList parts;
    for (const ColumnDef& c : t.columns) {
        QString col = columnSql(c);
        if (!t.primaryKey.isEmpty() && c.name.compare(t.primaryKey, Qt::CaseInsensitive) == 0)
            col += " PRIMARY KEY";
        parts << col;
    }
    return QString("create table %1 (%2)").arg(Database::identifier(t.name), parts.join(", "));
}

static void createIndexes(Database& db, const TableDef& t)
{
    for (const QString& index : t.indexes) {
        QStringList cols;
        for (const QString& c : index.split(','))
            cols << Database::identifier(c.trimmed());
        const QString name = "ix_" + t.name + "_" + cols.join("_").remove('[').remove(']').remove('/');
        db.exec(QString("create index if not exists %1 on %2 (%3)").arg(name, Database::identifier(t.name), cols.join(", ")));
    }
}

void Schema::create(Database& db) const
{
    Transaction tx(db);
    for (const TableDef& t : m_tables) {
        db.exec(createSql(t));
        createIndexes(db, t);
    }
    for (const ViewDef& v : m_views)
        db.exec(QString("CREATE VIEW %1 as %2").arg(Database::identifier(v.name), v.select));
    tx.commit();
}

QStringList Schema::upgrade(Database& db) const
{
    QStringList added;
    Transaction tx(db);
    for (const TableDef& t : m_tables) {
        if (!db.hasTable(t.name)) {
            db.exec(createSql(t));
            createIndexes(db, t);
            added << t.name;
            continue;
        }
        const QStringList existing = db.columns(t.name);
        for (const ColumnDef& c : t.columns) {
            bool found = false;
            for (const QString& e : existing)
                if (e.compare(c.name, Qt::CaseInsensitive) == 0)
                    found = true;
            if (!found) {
                db.exec(QString("alter table %1 add column %2").arg(Database::identifier(t.name), columnSql(c)));
                added << t.name + "." + c.name;
            }
        }
        createIndexes(db, t);
    }
    // Views hold no data: one whose definition changed is made anew, so that
    // the change reaches older station files. An unchanged one is left alone,
    // so that a login writes nothing to a database other stations share.
    for (const ViewDef& v : m_views) {
        // In the Jet dialect; the database layer translates it once. The
        // stored text keeps it as given, its first words in capitals.
        const QString create = QString("CREATE VIEW %1 as %2").arg(Database::identifier(v.name), v.select);
        const auto stored = db.first("select sql from sqlite_master where type = 'view' and name = :n collate nocase",
                                     {{"n", v.name}});
        if (stored && stored->str("sql") == JetSql::translate(create))
            continue;
        if (!db.hasTable(v.name))
            added << v.name;
        db.exec(QString("drop view if exists %1").arg(Database::identifier(v.name)));
        db.exec(create);
    }
    tx.commit();
    return added;
}
