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
#include <QSqlResult>
#include <QSet>
#include <QThread>

#include <sqlite3.h>

#include <cstdlib>

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
    forgetStatements();
    finalizeEngineStatements();
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
    // A letter or "_" first, then letters, digits, "_" and "/" (ASCII only).
    const auto plain = [&name] {
        if (name.isEmpty())
            return false;
        for (qsizetype i = 0; i < name.size(); ++i) {
            const char16_t c = name[i].unicode();
            const bool letter = (c >= u'A' && c <= u'Z') || (c >= u'a' && c <= u'z') || c == u'_';
            const bool more = (c >= u'0' && c <= u'9') || c == u'/';
            if (!letter && (i == 0 || !more))
                return false;
        }
        return true;
    };
    if (!plain())
        throw DbError(QString("Geçersiz alan adı: %1").arg(name));
    // Bracketed (Jet's quoting of names), so that names that are SQL words
    // ("check") or hold "/" ("R/F") stand as names.
    return "[" + name + "]";
}

DbError Database::failure(const QSqlError& e, const QString& sql) const
{
    int code = engineCode(e);
    // Qt reports some failures of a step without the code; the engine still has it.
    if (code == 0 && m_handle)
        code = sqlite3_errcode(m_handle);
    return DbError::fromEngine(code, errorText(e) + "\n" + sql);
}

// ---------------------------------------------------------------------------
// Kept statements

struct Database::Prepared {
    QSqlQuery query;
    QString translated;
    QStringList names;          // named placeholders, in the order they occur
    int parameters = -1;        // the engine's count of them (-1: unknown)
    int distinctNames = 0;
    bool changesSchema = false; // create, alter or drop
    int schemaVersion = 0;      // the file's schema version when prepared
    quint64 lastUse = 0;
    bool inUse = false;         // running now
};

QString Database::translated(const QString& sql)
{
    QString out = JetSql::translate(sql);
    // One text is one statement, as Jet takes it.
    if (JetSql::secondStatement(out) >= 0)
        throw DbError(kSecondStatement, DbError::Kind::Other, sql);
    return out;
}

namespace {

// Statements after which the kept ones may no longer fit the schema.
bool dbStatementChangesSchema(const QString& translated)
{
    static const QRegularExpression re("^\\s*(create|alter|drop)\\b", QRegularExpression::CaseInsensitiveOption);
    return re.match(translated).hasMatch();
}

int dbStatementParameterCount(const QSqlQuery& q)
{
    const QVariant handle = q.result() ? q.result()->handle() : QVariant();
    if (!handle.isValid() || qstrcmp(handle.typeName(), "sqlite3_stmt*") != 0)
        return -1;
    sqlite3_stmt* stmt = *static_cast<sqlite3_stmt* const*>(handle.constData());
    return stmt ? sqlite3_bind_parameter_count(stmt) : -1;
}

// The schema version of the file (PRAGMA schema_version), -1 when unknown.
int dbSchemaVersion(sqlite3* handle)
{
    int version = -1;
    if (!handle)
        return version;
    // A statement on a table checks the version the engine read last and,
    // when another connection changed the schema, makes it read it again.
    sqlite3_exec(handle, "select count(*) from sqlite_master", nullptr, nullptr, nullptr);
    sqlite3_exec(
        handle, "PRAGMA schema_version",
        [](void* out, int columns, char** values, char**) {
            if (columns > 0 && values[0])
                *static_cast<int*>(out) = std::atoi(values[0]);
            return 0;
        },
        &version, nullptr);
    return version;
}

} // namespace

std::shared_ptr<Database::Prepared> Database::prepared(const QString& sql, const QVariantMap* named,
                                                      const QVariantList* positional) const
{
    // Statements are kept inside write transactions only: there the schema
    // cannot change under them but by this connection (another station
    // waits for the lock), and begin() drops them when it changed between
    // two transactions. Outside, a statement is prepared for its one use.
    const bool keep = m_txDepth > 0;
    if (const auto found = m_statements.constFind(sql);
        keep && found != m_statements.constEnd() && !(*found)->inUse) {
        if (fits(**found, named, positional)) {
            (*found)->lastUse = ++m_statementUses;
            return *found;
        }
    }
    auto p = std::make_shared<Prepared>();
    p->translated = translated(sql);
    p->names = placeholders(p->translated);
    // The engine prepares on the schema it read last; reading the version
    // first makes it read the schema again when another station changed it.
    p->schemaVersion = dbSchemaVersion(m_handle);
    p->query = QSqlQuery(m_db);
    p->query.setForwardOnly(true);
    if (!p->query.prepare(p->translated))
        throw failure(p->query.lastError(), sql);
    p->parameters = dbStatementParameterCount(p->query);
    p->distinctNames = int(QSet<QString>(p->names.begin(), p->names.end()).size());
    p->changesSchema = dbStatementChangesSchema(p->translated);
    p->lastUse = ++m_statementUses;
    // Kept: a statement whose every parameter gets a value at this use, and
    // not while the kept one of its text runs (a nested use).
    if (!keep || !fits(*p, named, positional) || m_statements.contains(sql))
        return p;
    if (p->schemaVersion < 0)
        return p;
    if (m_statements.size() >= kStatementCacheSize) {
        auto oldest = m_statements.end();
        for (auto it = m_statements.begin(); it != m_statements.end(); ++it)
            if (!(*it)->inUse && (oldest == m_statements.end() || (*it)->lastUse < (*oldest)->lastUse))
                oldest = it;
        if (oldest == m_statements.end())
            return p;
        m_statements.erase(oldest);
    }
    m_statements.insert(sql, p);
    return p;
}

// Every parameter of a kept statement gets a value at every use, so that no
// value of an earlier use stays bound: all its named parameters are looked up
// (a missing one is an error), or exactly as many positional values are given.
bool Database::fits(const Prepared& p, const QVariantMap* named, const QVariantList* positional)
{
    if (p.parameters < 0)
        return false;
    if (named)
        return p.distinctNames == p.parameters;
    return positional && int(positional->size()) == p.parameters;
}

void Database::forget(const QString& sql, const Prepared* statement) const
{
    const auto found = m_statements.constFind(sql);
    if (found != m_statements.constEnd() && found->get() == statement)
        m_statements.erase(found);
}

void Database::forgetStatements() const
{
    m_statements.clear();
}

void Database::execute(const QString& sql, const QVariantMap* named, const QVariantList* positional,
                       const std::function<void(QSqlQuery&)>& use) const
{
    if (!isOpen())
        throw DbError("Veritabanı bağlantısı açık değil");
    const std::shared_ptr<Prepared> p = prepared(sql, named, positional);
    struct Release {
        const Database* db;
        const QString& sql;
        Prepared* p;
        bool failed = true;
        ~Release()
        {
            p->query.finish();
            p->inUse = false;
            // A statement that failed is not used again: the engine may have
            // dropped it.
            if (failed)
                db->forget(sql, p);
        }
    } release{this, sql, p.get()};
    p->inUse = true;
    QSqlQuery& q = p->query;
    if (named) {
        for (const QString& name : std::as_const(p->names)) {
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
    use(q);
    release.failed = false;
    if (p->changesSchema)
        forgetStatements();
}

namespace {

// The statement under an executed query, or null.
sqlite3_stmt* dbStatementOf(const QSqlQuery& q)
{
    const QVariant handle = q.result() ? q.result()->handle() : QVariant();
    if (!handle.isValid() || qstrcmp(handle.typeName(), "sqlite3_stmt*") != 0)
        return nullptr;
    return *static_cast<sqlite3_stmt* const*>(handle.constData());
}

// A column of the statement's current row as Qt's SQLite driver gives it:
// text as QString, whole numbers as qlonglong, real numbers as double,
// blobs as QByteArray, NULL as a null QString.
QVariant dbColumnValue(sqlite3_stmt* st, int i)
{
    switch (sqlite3_column_type(st, i)) {
    case SQLITE_INTEGER:
        return QVariant(qlonglong(sqlite3_column_int64(st, i)));
    case SQLITE_FLOAT:
        return QVariant(sqlite3_column_double(st, i));
    case SQLITE_NULL:
        return QVariant(QMetaType::fromType<QString>());
    case SQLITE_BLOB: {
        const char* blob = static_cast<const char*>(sqlite3_column_blob(st, i));
        return QVariant(QByteArray(blob, sqlite3_column_bytes(st, i)));
    }
    default: {
        const char* text = reinterpret_cast<const char*>(sqlite3_column_text(st, i));
        return QVariant(QString::fromUtf8(text, sqlite3_column_bytes(st, i)));
    }
    }
}

} // namespace

QStringList Database::columnNames(const QSqlQuery& q)
{
    const QSqlRecord rec = q.record();
    QStringList names;
    names.reserve(rec.count());
    for (int i = 0; i < rec.count(); ++i)
        names << rec.fieldName(i);
    return names;
}

sqlite3_stmt* Database::engineRows(const QSqlQuery& q) const
{
    // The rows are read from the engine's statement itself: the driver's
    // own way copies every value twice and turns text into UTF-16 inside the
    // engine first, which on a list of the whole register took longer than
    // the engine's work.
    sqlite3_stmt* st = dbStatementOf(q);
    return st && m_handle && q.isForwardOnly() ? st : nullptr;
}

void Database::stepRows(sqlite3_stmt* st, const QString& sql, const std::function<void()>& each) const
{
    // The driver has stepped to the first row already (data_count is 0 when
    // there was none).
    int step = sqlite3_data_count(st) > 0 ? SQLITE_ROW : SQLITE_DONE;
    while (step == SQLITE_ROW) {
        each();
        step = sqlite3_step(st);
    }
    if (step != SQLITE_DONE)
        throw DbError::fromEngine(sqlite3_extended_errcode(m_handle),
                                  QString::fromUtf8(sqlite3_errmsg(m_handle)) + "\n" + sql);
}

void Database::readRows(QSqlQuery& q, const QString& sql, const RowVisitor& row) const
{
    const QStringList names = columnNames(q);
    const int columns = int(names.size());
    QVariantList values;
    values.reserve(columns);
    if (sqlite3_stmt* st = engineRows(q)) {
        stepRows(st, sql, [&] {
            values.clear();
            for (int i = 0; i < columns; ++i)
                values << dbColumnValue(st, i);
            row(names, values);
        });
        return;
    }
    while (q.next()) {
        values.clear();
        for (int i = 0; i < columns; ++i)
            values << q.value(i);
        row(names, values);
    }
}

Records Database::collect(QSqlQuery& q, const QString& sql) const
{
    Records rows;
    readRows(q, sql, [&rows](const QStringList& names, QVariantList& values) {
        rows.append(Record(names, values));
    });
    return rows;
}

void Database::forEachRow(const QString& sql, const QVariantMap& params, const RowVisitor& row) const
{
    execute(sql, &params, nullptr, [&](QSqlQuery& q) { readRows(q, sql, row); });
}

int Database::RawRow::count() const
{
    return m_columns;
}

Database::RawRow::Type Database::RawRow::type(int c) const
{
    if (m_values) {
        const QVariant& v = m_values->at(c);
        if (v.isNull())
            return Null;
        switch (v.typeId()) {
        case QMetaType::LongLong:
        case QMetaType::Int:
            return Integer;
        case QMetaType::Double:
            return Real;
        case QMetaType::QByteArray:
            return Blob;
        default:
            return Text;
        }
    }
    switch (sqlite3_column_type(m_statement, c)) {
    case SQLITE_INTEGER:
        return Integer;
    case SQLITE_FLOAT:
        return Real;
    case SQLITE_NULL:
        return Null;
    case SQLITE_BLOB:
        return Blob;
    default:
        return Text;
    }
}

qint64 Database::RawRow::integer(int c) const
{
    return m_values ? m_values->at(c).toLongLong() : sqlite3_column_int64(m_statement, c);
}

double Database::RawRow::real(int c) const
{
    return m_values ? m_values->at(c).toDouble() : sqlite3_column_double(m_statement, c);
}

QByteArrayView Database::RawRow::bytes(int c) const
{
    if (m_values) {
        const QVariant& v = m_values->at(c);
        m_text = v.typeId() == QMetaType::QByteArray ? v.toByteArray() : v.toString().toUtf8();
        return m_text;
    }
    if (sqlite3_column_type(m_statement, c) == SQLITE_BLOB) {
        const char* blob = static_cast<const char*>(sqlite3_column_blob(m_statement, c));
        return QByteArrayView(blob, sqlite3_column_bytes(m_statement, c));
    }
    const char* text = reinterpret_cast<const char*>(sqlite3_column_text(m_statement, c));
    return QByteArrayView(text, sqlite3_column_bytes(m_statement, c));
}

QVariant Database::RawRow::value(int c) const
{
    return m_values ? m_values->at(c) : dbColumnValue(m_statement, c);
}

void Database::forEachRawRow(const QString& sql, const QVariantMap& params, const RawRowVisitor& row) const
{
    execute(sql, &params, nullptr, [&](QSqlQuery& q) {
        sqlite3_stmt* st = engineRows(q);
        if (!st) {
            readRows(q, sql, [&row](const QStringList& names, QVariantList& values) { row(names, RawRow(&values)); });
            return;
        }
        const QStringList names = columnNames(q);
        const RawRow raw(st, int(names.size()));
        stepRows(st, sql, [&] { row(names, raw); });
    });
}

Records Database::select(const QString& sql, const QVariantMap& params) const
{
    Records rows;
    execute(sql, &params, nullptr, [&](QSqlQuery& q) { rows = collect(q, sql); });
    return rows;
}

std::optional<Record> Database::first(const QString& sql, const QVariantMap& params) const
{
    std::optional<Record> row;
    execute(sql, &params, nullptr, [&](QSqlQuery& q) {
        if (!q.next())
            return;
        const QSqlRecord rec = q.record();
        QStringList names;
        QVariantList values;
        names.reserve(rec.count());
        values.reserve(rec.count());
        for (int i = 0; i < rec.count(); ++i) {
            names << rec.fieldName(i);
            values << q.value(i);
        }
        row = Record(names, values);
    });
    return row;
}

QVariant Database::scalar(const QString& sql, const QVariantMap& params) const
{
    QVariant value;
    execute(sql, &params, nullptr, [&](QSqlQuery& q) {
        if (q.next())
            value = q.value(0);
    });
    return value;
}

int Database::exec(const QString& sql, const QVariantMap& params)
{
    int changed = 0;
    execute(sql, &params, nullptr, [&](QSqlQuery& q) { changed = q.numRowsAffected(); });
    return changed;
}

int Database::execPositional(const QString& sql, const QVariantList& params)
{
    int changed = 0;
    execute(sql, nullptr, &params, [&](QSqlQuery& q) { changed = q.numRowsAffected(); });
    return changed;
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
    if (!isOpen())
        throw DbError("Veritabanı bağlantısı açık değil");
    const QString sqlite = translated(sql);
    // A schema another station changed is read again before the statement
    // is prepared on it (see prepared()).
    dbSchemaVersion(m_handle);
    QSqlQuery q(m_db);
    if (!q.prepare(sqlite))
        throw failure(q.lastError(), sql);
    for (const QString& name : placeholders(sqlite)) {
        if (!params.contains(name))
            throw DbError(QString("Parametre değeri verilmedi: %1").arg(name));
        q.bindValue(":" + name, storable(params.value(name)));
    }
    if (!q.exec())
        throw failure(q.lastError(), sql);
    if (dbStatementChangesSchema(sqlite))
        forgetStatements();
    return q;
}

// --- Transactions -----------------------------------------------------------
// Straight on the engine, so the outer transaction starts as a write and the
// result codes (busy, read-only, full disk) reach the caller unchanged.

namespace {

const char* const kEngineStatements[] = {"BEGIN IMMEDIATE", "COMMIT", "ROLLBACK", "PRAGMA schema_version"};

} // namespace

sqlite3_stmt* Database::engineStatement(Engine which)
{
    sqlite3_stmt*& stmt = m_engine[int(which)];
    if (!stmt)
        sqlite3_prepare_v3(m_handle, kEngineStatements[int(which)], -1, SQLITE_PREPARE_PERSISTENT, &stmt, nullptr);
    return stmt;
}

int Database::engineExec(Engine which, QString* message)
{
    sqlite3_stmt* stmt = engineStatement(which);
    int rc = stmt ? sqlite3_step(stmt) : sqlite3_errcode(m_handle);
    if (rc == SQLITE_DONE || rc == SQLITE_ROW)
        rc = SQLITE_OK;
    // The message is read before the reset, which may clear it.
    if (rc != SQLITE_OK && message)
        *message = QString::fromUtf8(sqlite3_errmsg(m_handle)) + "\n" +
                   QString::fromUtf8(kEngineStatements[int(which)]);
    if (stmt)
        sqlite3_reset(stmt);
    return rc;
}

int Database::engineSchemaVersion()
{
    sqlite3_stmt* stmt = engineStatement(Engine::SchemaVersion);
    if (!stmt)
        return -1;
    const int version = sqlite3_step(stmt) == SQLITE_ROW ? sqlite3_column_int(stmt, 0) : -1;
    sqlite3_reset(stmt);
    return version;
}

void Database::finalizeEngineStatements()
{
    for (sqlite3_stmt*& stmt : m_engine) {
        sqlite3_finalize(stmt);
        stmt = nullptr;
    }
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
        const int rc = engineExec(Engine::Begin, &message);
        if (rc != SQLITE_OK)
            throw DbError::fromEngine(rc, message);
        m_txFailed = false;
        // The kept statements were prepared for the schema of an earlier
        // transaction; another station may have changed it since (the
        // engine would prepare them again with other columns than the
        // driver expects).
        if (!m_statements.isEmpty() && engineSchemaVersion() != (*m_statements.cbegin())->schemaVersion)
            forgetStatements();
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
        engineExec(Engine::Rollback);
        m_txFailed = false;
        throw DbError("İşlem geri alındı");
    }
    QString message;
    const int rc = engineExec(Engine::Commit, &message);
    if (rc != SQLITE_OK) {
        // A commit that could not get the file (readers past the busy
        // timeout, a full disk) leaves the transaction open: nothing of it
        // may reach the file later.
        if (!sqlite3_get_autocommit(m_handle))
            engineExec(Engine::Rollback);
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
        engineExec(Engine::Rollback);
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
