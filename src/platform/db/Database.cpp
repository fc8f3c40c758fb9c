#include "platform/db/Database.h"

#include "platform/db/JetSql.h"
#include "platform/db/JournalMode.h"
#include "platform/db/SqlFunctions.h"
#include "platform/paths/DriveMap.h"

#include <QAtomicInt>
#include <QDir>
#include <QFileInfo>
#include <QRandomGenerator>
#include <QRegularExpression>
#include <QSqlDriver>
#include <QSqlError>
#include <QSqlRecord>
#include <QThread>

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

// The engine's result code of a failed call (0 when Qt gave none).
int engineCode(const QSqlError& e)
{
    bool ok = false;
    const int code = e.nativeErrorCode().toInt(&ok);
    return ok ? code : 0;
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
// DbError

QString DbError::textFor(Kind kind)
{
    switch (kind) {
    case Kind::Busy:
        return QStringLiteral("Veritabanı şu anda başka bir istasyonun kullanımında. İşlem yapılamadı, hiçbir "
                              "değişiklik kaydedilmedi. Lütfen biraz sonra tekrar deneyiniz ...!");
    case Kind::ReadOnly:
        return QStringLiteral("Veritabanı dosyasına yazılamıyor (dosya ya da klasörü salt okunur). "
                              "Değişiklik kaydedilmedi ...!");
    case Kind::DiskFull:
        return QStringLiteral("Diskte yer kalmadı. Değişiklik kaydedilmedi; lütfen diskte yer açıp tekrar "
                              "deneyiniz ...!");
    case Kind::Damaged:
        return QStringLiteral("Veritabanı dosyası bozuk. Lütfen dosyayı yedeğinden geri yükleyiniz ...!");
    case Kind::NotADatabase:
        return QStringLiteral("Dosya bir veritabanı değil (boş ya da başka türde bir dosya) ...!");
    case Kind::Other:
        break;
    }
    return QString();
}

DbError DbError::fromEngine(int code, const QString& engineText)
{
    Kind kind = Kind::Other;
    switch (code & 0xff) {
    case SQLITE_BUSY:
    case SQLITE_LOCKED:
        kind = Kind::Busy;
        break;
    case SQLITE_READONLY:
    case SQLITE_PERM:
        kind = Kind::ReadOnly;
        break;
    case SQLITE_FULL:
        kind = Kind::DiskFull;
        break;
    case SQLITE_CORRUPT:
        kind = Kind::Damaged;
        break;
    case SQLITE_NOTADB:
        kind = Kind::NotADatabase;
        break;
    default:
        break;
    }
    if (kind == Kind::Other) {
        // Qt does not always hand the code over; the engine's texts are fixed.
        const QString t = engineText.toLower();
        if (t.contains("database is locked") || t.contains("database table is locked"))
            kind = Kind::Busy;
        else if (t.contains("readonly database") || t.contains("read-only"))
            kind = Kind::ReadOnly;
        else if (t.contains("database or disk is full"))
            kind = Kind::DiskFull;
        else if (t.contains("disk image is malformed"))
            kind = Kind::Damaged;
        else if (t.contains("file is not a database"))
            kind = Kind::NotADatabase;
    }
    DbError e = kind == Kind::Other ? DbError(engineText) : DbError(textFor(kind), kind, engineText);
    e.m_engineCode = code;
    return e;
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
    const QFileInfo file(host);
    if (mustExist && !file.isFile())
        throw DbError(QString("Veritabanı dosyası bulunamadı: %1").arg(path));
    // An empty file would open as a new, empty database: it is no station's
    // database, and nothing is written into it.
    if (mustExist && file.size() == 0)
        throw DbError(DbError::textFor(DbError::Kind::NotADatabase), DbError::Kind::NotADatabase,
                      QString("0 bayt: %1").arg(path));
    // A private station's file (WAL) is never opened over the network.
    JournalMode::refuseSharedWal(path, host);
    const bool wal = JournalMode::isWalFile(host);
    QDir().mkpath(QFileInfo(host).path());
    m_db = QSqlDatabase::addDatabase("QSQLITE", m_name);
    m_db.setDatabaseName(host);
    // Other stations may hold the file for a moment; wait rather than fail.
    m_db.setConnectOptions(QString("QSQLITE_BUSY_TIMEOUT=%1").arg(kDefaultBusyTimeout));
    if (!m_db.open()) {
        const QSqlError e = m_db.lastError();
        m_db = QSqlDatabase();
        QSqlDatabase::removeDatabase(m_name);
        throw DbError::fromEngine(engineCode(e), errorText(e));
    }
    m_path = path;
    m_hostPath = host;
    const QVariant handle = m_db.driver()->handle();
    sqlite3* h = nullptr;
    if (handle.isValid() && qstrcmp(handle.typeName(), "sqlite3*") == 0)
        h = *static_cast<sqlite3* const*>(handle.constData());
    m_handle = h;
    m_busyTimeout = kDefaultBusyTimeout;
    if (h)
        sqlite3_busy_handler(h, &Database::busyHandler, this);
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
    m_handle = nullptr;
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
        throw failure(q.lastError(), sql);
    return q;
}

DbError Database::failure(const QSqlError& e, const QString& sql) const
{
    int code = engineCode(e);
    // Qt reports some failures of a step without the code; the engine still has it.
    if (code == 0 && m_handle)
        code = sqlite3_errcode(m_handle);
    return DbError::fromEngine(code, errorText(e) + "\n" + sql);
}

QSqlQuery Database::execute(const QString& sql, const QVariantMap* named, const QVariantList* positional) const
{
    if (!isOpen())
        throw DbError("Veritabanı bağlantısı açık değil");
    const QString translated = JetSql::translate(sql);
    QSqlQuery q(m_db);
    q.setForwardOnly(true);
    if (!q.prepare(translated))
        throw failure(q.lastError(), sql);
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
        throw failure(q.lastError(), sql);
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
        throw failure(q.lastError(), sql);
    for (const QString& name : placeholders(translated)) {
        if (!params.contains(name))
            throw DbError(QString("Parametre değeri verilmedi: %1").arg(name));
        q.bindValue(":" + name, storable(params.value(name)));
    }
    if (!q.exec())
        throw failure(q.lastError(), sql);
    return q;
}

// --- Transactions -----------------------------------------------------------
// Straight on the engine, so the outer transaction starts as a write and the
// result codes (busy, read-only, full disk) reach the caller unchanged.

int Database::engineExec(const char* sql, QString* message)
{
    const int rc = sqlite3_exec(m_handle, sql, nullptr, nullptr, nullptr);
    if (rc != SQLITE_OK && message)
        *message = QString::fromUtf8(sqlite3_errmsg(m_handle)) + "\n" + QString::fromUtf8(sql);
    return rc;
}

// The wait for another station's lock: short sleeps with a random part
// until the busy timeout has passed. Stations that poll often and at
// different moments each get their turn; the engine's own wait, whose sleeps
// grow to 100 ms, lets a station miss its turn again and again while others
// write.
int Database::busyHandler(void* self, int tries)
{
    auto* db = static_cast<Database*>(self);
    if (tries == 0)
        db->m_busySince.start();
    if (db->m_busySince.elapsed() >= db->m_busyTimeout)
        return 0;
    QThread::usleep(500 + QRandomGenerator::global()->bounded(4000));
    return 1;
}

void Database::setBusyTimeout(int ms)
{
    m_busyTimeout = ms;
}

void Database::begin()
{
    if (m_txDepth == 0) {
        if (!isOpen() || !m_handle)
            throw DbError("Veritabanı bağlantısı açık değil");
        QString message;
        const int rc = engineExec("BEGIN IMMEDIATE", &message);
        if (rc != SQLITE_OK)
            throw DbError::fromEngine(rc, message);
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
        engineExec("ROLLBACK");
        m_txFailed = false;
        throw DbError("İşlem geri alındı");
    }
    QString message;
    const int rc = engineExec("COMMIT", &message);
    if (rc != SQLITE_OK) {
        // A commit that could not get the file (readers past the busy
        // timeout, a full disk) leaves the transaction open: nothing of it
        // may reach the file later.
        if (!sqlite3_get_autocommit(m_handle))
            engineExec("ROLLBACK");
        throw DbError::fromEngine(rc, message);
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
    if (m_handle && !sqlite3_get_autocommit(m_handle))
        engineExec("ROLLBACK");
}

void Database::checkWritable()
{
    // A page change in a transaction that is rolled back: the engine takes
    // its write lock and makes its journal beside the file, as for a real
    // change, and nothing changes.
    const int version = scalar("PRAGMA user_version").toInt();
    begin();
    try {
        exec(QString("PRAGMA user_version = %1").arg(version));
    } catch (const DbError& e) {
        rollback();
        // The journal that cannot be made in a read-only folder.
        if (e.kind() == DbError::Kind::Other && (e.engineCode() & 0xff) == SQLITE_CANTOPEN)
            throw DbError(DbError::textFor(DbError::Kind::ReadOnly), DbError::Kind::ReadOnly, e.text());
        throw;
    }
    rollback();
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
