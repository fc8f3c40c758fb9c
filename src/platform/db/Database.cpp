#include "platform/db/Database.h"

#include "platform/db/JetSql.h"
#include "platform/db/JournalMode.h"
#include "platform/db/SqlFunctions.h"
#include "platform/paths/DriveMap.h"

#include <QAtomicInt>
#include <QDir>
#include <QFileInfo>
#include <QRegularExpression>
#include <QSqlDriver>
#include <QSqlError>
#include <QSqlRecord>

#include <sqlite3.h>

namespace {

QAtomicInt g_connectionCounter;

QDate parseDate(const QString& text)
{
    const QString s = text.trimmed();
    QDate d = QDate::fromString(s.left(10), "yyyy-MM-dd");
    if (d.isValid())
        return d;
    d = QDate::fromString(s.left(10), "dd.MM.yyyy");
    if (d.isValid())
        return d;
    return QDate::fromString(s, "d.M.yyyy");
}

QString errorText(const QSqlError& e)
{
    QString t = e.databaseText();
    if (t.isEmpty())
        t = e.text();
    return t;
}

// Named placeholders that occur in a statement outside quoted strings.
QStringList placeholders(const QString& sql)
{
    QStringList names;
    bool inString = false;
    for (int i = 0; i < sql.size(); ++i) {
        const QChar c = sql[i];
        if (c == '\'') {
            inString = !inString;
            continue;
        }
        if (inString || c != ':' || i + 1 >= sql.size())
            continue;
        if (i > 0 && sql[i - 1] == ':')
            continue;
        int j = i + 1;
        while (j < sql.size() && (sql[j].isLetterOrNumber() || sql[j] == '_'))
            ++j;
        if (j > i + 1)
            names << sql.mid(i + 1, j - i - 1);
        i = j - 1;
    }
    return names;
}

} // namespace

// ---------------------------------------------------------------------------
// Record

Record::Record(QStringList names, QVariantList values)
    : m_names(std::move(names)), m_values(std::move(values))
{
}

int Record::indexOf(const QString& field) const
{
    for (int i = 0; i < m_names.size(); ++i)
        if (m_names[i].compare(field, Qt::CaseInsensitive) == 0)
            return i;
    return -1;
}

QVariant Record::value(const QString& field) const
{
    const int i = indexOf(field);
    if (i < 0)
        throw DbError(QString("Alan bulunamadı: %1").arg(field));
    return m_values[i];
}

bool Record::isNull(const QString& field) const
{
    const int i = indexOf(field);
    return i < 0 || m_values[i].isNull();
}

QString Record::str(const QString& field) const
{
    const QVariant v = value(field);
    if (v.isNull())
        return QString();
    if (v.typeId() == QMetaType::Double) {
        // 72.5 rather than 72.500000; integers stored as REAL print bare.
        return QString::number(v.toDouble(), 'g', 15);
    }
    return v.toString();
}

int Record::toInt(const QString& field) const
{
    return int(toInt64(field));
}

qint64 Record::toInt64(const QString& field) const
{
    const QVariant v = value(field);
    if (v.isNull())
        return 0;
    bool ok = false;
    qint64 n = v.toLongLong(&ok);
    if (ok)
        return n;
    const double d = v.toString().trimmed().toDouble(&ok);
    return ok ? qint64(d) : 0;
}

double Record::toDouble(const QString& field) const
{
    const QVariant v = value(field);
    if (v.isNull())
        return 0.0;
    bool ok = false;
    const double d = v.toDouble(&ok);
    if (ok)
        return d;
    QString t = v.toString().trimmed();
    t.replace(',', '.');
    return t.toDouble();
}

bool Record::toBool(const QString& field) const
{
    const QVariant v = value(field);
    if (v.isNull())
        return false;
    const QString t = v.toString().trimmed().toLower();
    if (t == "true")
        return true;
    if (t == "false" || t.isEmpty())
        return false;
    return v.toLongLong() != 0;
}

QDate Record::date(const QString& field) const
{
    const QVariant v = value(field);
    if (v.isNull())
        return QDate();
    if (v.typeId() == QMetaType::QDate)
        return v.toDate();
    if (v.typeId() == QMetaType::QDateTime)
        return v.toDateTime().date();
    return parseDate(v.toString());
}

QDateTime Record::dateTime(const QString& field) const
{
    const QVariant v = value(field);
    if (v.isNull())
        return QDateTime();
    if (v.typeId() == QMetaType::QDateTime)
        return v.toDateTime();
    const QString s = v.toString().trimmed();
    QDateTime dt = QDateTime::fromString(s.left(19), "yyyy-MM-dd HH:mm:ss");
    if (dt.isValid())
        return dt;
    const QDate d = parseDate(s);
    return d.isValid() ? QDateTime(d, QTime(0, 0)) : QDateTime();
}

QVariantMap Record::toMap() const
{
    QVariantMap m;
    for (int i = 0; i < m_names.size(); ++i)
        m.insert(m_names[i], m_values[i]);
    return m;
}

// ---------------------------------------------------------------------------
// Database

Database::Database()
{
    m_name = QString("brivex-%1").arg(g_connectionCounter.fetchAndAddRelaxed(1));
}

Database::~Database()
{
    close();
}

void Database::open(const QString& path, bool mustExist)
{
    close();
    const QString host = DriveMap::toHost(path);
    if (mustExist && !QFileInfo(host).isFile())
        throw DbError(QString("Veritabanı dosyası bulunamadı: %1").arg(path));
    // A private station's file (WAL) is never opened over the network.
    JournalMode::refuseSharedWal(path, host);
    const bool wal = JournalMode::isWalFile(host);
    QDir().mkpath(QFileInfo(host).path());
    m_db = QSqlDatabase::addDatabase("QSQLITE", m_name);
    m_db.setDatabaseName(host);
    // Other stations may hold the file for a moment; wait rather than fail.
    m_db.setConnectOptions("QSQLITE_BUSY_TIMEOUT=15000");
    if (!m_db.open()) {
        const QString message = errorText(m_db.lastError());
        m_db = QSqlDatabase();
        QSqlDatabase::removeDatabase(m_name);
        throw DbError(message);
    }
    m_path = path;
    m_hostPath = host;
    const QVariant handle = m_db.driver()->handle();
    sqlite3* h = nullptr;
    if (handle.isValid() && qstrcmp(handle.typeName(), "sqlite3*") == 0)
        h = *static_cast<sqlite3* const*>(handle.constData());
    if (!SqlFunctions::install(h)) {
        close();
        throw DbError("SQL fonksiyonları kurulamadı");
    }
    // DELETE for a file other stations may open over the network, WAL for a
    // private station's; every commit reaches the disk (JournalMode.h).
    JournalMode::apply(*this, wal);
    // A file that is not a database fails here rather than at the first query.
    select("select count(*) from sqlite_master");
}

void Database::close()
{
    if (!m_db.isValid())
        return;
    m_db.close();
    m_db = QSqlDatabase();
    QSqlDatabase::removeDatabase(m_name);
    m_txDepth = 0;
    m_txFailed = false;
    m_path.clear();
    m_hostPath.clear();
}

bool Database::isOpen() const
{
    return m_db.isValid() && m_db.isOpen();
}

QVariant Database::storable(const QVariant& value)
{
    if (!value.isValid() || value.isNull())
        return QVariant();
    switch (value.typeId()) {
    case QMetaType::QDate:
        return value.toDate().toString("yyyy-MM-dd");
    case QMetaType::QDateTime:
        return value.toDateTime().toString("yyyy-MM-dd HH:mm:ss");
    case QMetaType::QTime:
        return value.toTime().toString("HH:mm:ss");
    case QMetaType::Bool:
        return value.toBool() ? -1 : 0;
    default:
        return value;
    }
}

QString Database::identifier(const QString& name)
{
    static const QRegularExpression re("^[A-Za-z_][A-Za-z0-9_/]*$");
    if (!re.match(name).hasMatch())
        throw DbError(QString("Geçersiz alan adı: %1").arg(name));
    // Bracketed (Jet's quoting of names), so that names that are SQL words
    // ("check") or hold "/" ("R/F") stand as names.
    return "[" + name + "]";
}

QSqlQuery Database::prepare(const QString& sql) const
{
    if (!isOpen())
        throw DbError("Veritabanı bağlantısı açık değil");
    QSqlQuery q(m_db);
    q.setForwardOnly(true);
    if (!q.prepare(JetSql::translate(sql)))
        throw DbError(errorText(q.lastError()) + "\n" + sql);
    return q;
}

QSqlQuery Database::execute(const QString& sql, const QVariantMap* named, const QVariantList* positional) const
{
    if (!isOpen())
        throw DbError("Veritabanı bağlantısı açık değil");
    const QString translated = JetSql::translate(sql);
    QSqlQuery q(m_db);
    q.setForwardOnly(true);
    if (!q.prepare(translated))
        throw DbError(errorText(q.lastError()) + "\n" + sql);
    if (named) {
        for (const QString& name : placeholders(translated)) {
            auto it = named->constFind(name);
            if (it == named->constEnd()) {
                // Parameter names are matched without regard to case too.
                for (auto j = named->constBegin(); j != named->constEnd(); ++j)
                    if (j.key().compare(name, Qt::CaseInsensitive) == 0)
                        it = j;
            }
            if (it == named->constEnd())
                throw DbError(QString("Parametre değeri verilmedi: %1").arg(name));
            q.bindValue(":" + name, storable(*it));
        }
    }
    if (positional) {
        for (int i = 0; i < positional->size(); ++i)
            q.bindValue(i, storable(positional->at(i)));
    }
    if (!q.exec())
        throw DbError(errorText(q.lastError()) + "\n" + sql);
    return q;
}

Records Database::collect(QSqlQuery& q) const
{
    Records rows;
    const QSqlRecord rec = q.record();
    QStringList names;
    for (int i = 0; i < rec.count(); ++i)
        names << rec.fieldName(i);
    while (q.next()) {
        QVariantList values;
        values.reserve(rec.count());
        for (int i = 0; i < rec.count(); ++i)
            values << q.value(i);
        rows.append(Record(names, values));
    }
    return rows;
}

Records Database::select(const QString& sql, const QVariantMap& params) const
{
    QSqlQuery q = execute(sql, &params, nullptr);
    return collect(q);
}

std::optional<Record> Database::first(const QString& sql, const QVariantMap& params) const
{
    QSqlQuery q = execute(sql, &params, nullptr);
    Records rows = collect(q);
    if (rows.isEmpty())
        return std::nullopt;
    return rows.first();
}

QVariant Database::scalar(const QString& sql, const QVariantMap& params) const
{
    QSqlQuery q = execute(sql, &params, nullptr);
    return q.next() ? q.value(0) : QVariant();
}

int Database::exec(const QString& sql, const QVariantMap& params)
{
    QSqlQuery q = execute(sql, &params, nullptr);
    return q.numRowsAffected();
}

int Database::execPositional(const QString& sql, const QVariantList& params)
{
    QSqlQuery q = execute(sql, nullptr, &params);
    return q.numRowsAffected();
}

void Database::insert(const QString& table, const QVariantMap& fields)
{
    QStringList cols, marks;
    QVariantList values;
    for (auto it = fields.constBegin(); it != fields.constEnd(); ++it) {
        cols << identifier(it.key());
        marks << "?";
        values << it.value();
    }
    execPositional(QString("insert into %1 (%2) values (%3)").arg(identifier(table), cols.join(", "), marks.join(", ")), values);
}

int Database::update(const QString& table, const QVariantMap& fields, const QString& where, const QVariantMap& whereParams)
{
    if (fields.isEmpty())
        return 0;
    QStringList sets;
    QVariantMap params = whereParams;
    int n = 0;
    for (auto it = fields.constBegin(); it != fields.constEnd(); ++it) {
        const QString p = QString("f__%1").arg(n++);
        sets << identifier(it.key()) + " = :" + p;
        params.insert(p, it.value());
    }
    QString sql = QString("update %1 set %2").arg(identifier(table), sets.join(", "));
    if (!where.trimmed().isEmpty())
        sql += " where " + where;
    return exec(sql, params);
}

QSqlQuery Database::run(const QString& sql, const QVariantMap& params) const
{
    const QString translated = JetSql::translate(sql);
    if (!isOpen())
        throw DbError("Veritabanı bağlantısı açık değil");
    QSqlQuery q(m_db);
    if (!q.prepare(translated))
        throw DbError(errorText(q.lastError()) + "\n" + sql);
    for (const QString& name : placeholders(translated)) {
        if (!params.contains(name))
            throw DbError(QString("Parametre değeri verilmedi: %1").arg(name));
        q.bindValue(":" + name, storable(params.value(name)));
    }
    if (!q.exec())
        throw DbError(errorText(q.lastError()) + "\n" + sql);
    return q;
}

void Database::begin()
{
    if (m_txDepth == 0) {
        if (!isOpen())
            throw DbError("Veritabanı bağlantısı açık değil");
        if (!m_db.transaction())
            throw DbError(errorText(m_db.lastError()));
        m_txFailed = false;
    }
    ++m_txDepth;
}

void Database::commit()
{
    if (m_txDepth <= 0)
        return;
    if (--m_txDepth > 0)
        return;
    if (m_txFailed) {
        m_db.rollback();
        m_txFailed = false;
        throw DbError("İşlem geri alındı");
    }
    if (!m_db.commit()) {
        const QString message = errorText(m_db.lastError());
        m_db.rollback();
        throw DbError(message);
    }
}

void Database::rollback()
{
    if (m_txDepth <= 0)
        return;
    if (--m_txDepth > 0) {
        m_txFailed = true;
        return;
    }
    m_txFailed = false;
    m_db.rollback();
}

QStringList Database::tables() const
{
    QStringList names;
    for (const Record& r : select("select name from sqlite_master where type in ('table','view') and name not like 'sqlite_%' order by name"))
        names << r.str("name");
    return names;
}

bool Database::hasTable(const QString& table) const
{
    return first("select name from sqlite_master where type in ('table','view') and name = :n collate nocase",
                 {{"n", table}}).has_value();
}

QStringList Database::columns(const QString& table) const
{
    QStringList names;
    for (const Record& r : select(QString("pragma table_info(%1)").arg(identifier(table))))
        names << r.str("name");
    return names;
}
