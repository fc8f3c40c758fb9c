#pragma once
// The database layer: one object per open database file (SQLite through Qt SQL).
//
// Statements are written in the Jet dialect the program was designed with and
// translated here (see JetSql.h): "delete * from", #mm/dd/yyyy# literals,
// [bracketed names], True/False, "&" joins, IIf, Year, Mid, Len, Val, Nz and
// friends. Values typed by a user are never pasted into the statement text:
// they are bound, by name (":name") or by position ("?"):
//
//   db.select("select * from C_LISTE where Brans = :brans and Onay = 1",
//             {{"brans", category}});
//
// Bound values: QDate is stored as "yyyy-MM-dd", QDateTime as
// "yyyy-MM-dd HH:mm:ss", QTime as "HH:mm:ss", bool as -1/0 (Jet's True/False).
// Text columns sort and compare in Turkish alphabetical order without regard
// to case, as Jet compares text. Every failure throws DbError; the
// application shows it and the current operation ends. The common failures
// (another station holds the file, a read-only file or folder, a full disk,
// a damaged file, a file that is no database) carry a Turkish text for the
// user and the engine's message as the detail for support.
//
// Statements run in a transaction are kept prepared and run again with new
// bound values (the last 64, by their text), so a statement written as a
// constant with bound values costs its translation and preparation once.
// Values pasted into the text make a new statement each time (and are
// unsafe besides): bind them. Kept statements are dropped when one fails,
// after a statement that changes the schema (create, alter, drop), when
// another station changed it, and when the connection closes.
//
// Sharing one file: every writing transaction starts as a write (BEGIN
// IMMEDIATE), so a station waits its turn (the busy timeout) instead of
// failing when another station writes; a lock that outlasts the wait rolls
// the transaction back and throws DbError of kind Busy.

#include <QElapsedTimer>
#include <QHash>
#include <QList>
#include <QSqlDatabase>
#include <QSqlQuery>
#include <QString>
#include <QStringList>
#include <QVariant>
#include <QVariantMap>

#include <functional>
#include <memory>
#include <optional>
#include <stdexcept>

struct sqlite3;
struct sqlite3_stmt;

class DbError : public std::runtime_error {
public:
    enum class Kind {
        Other,          // message() is the engine's text (or the layer's own)
        Busy,           // another station held the file past the busy timeout
        ReadOnly,       // the file or its folder cannot be written
        DiskFull,
        Damaged,        // the file is a database with broken pages
        NotADatabase,   // the file is empty or of another kind
    };
    explicit DbError(const QString& message, Kind kind = Kind::Other, const QString& detail = QString())
        : std::runtime_error(message.toStdString()), m_message(message), m_kind(kind), m_detail(detail) {}
    // What the user is shown: the Turkish text, and for the common failures
    // the engine's text below it as the detail for support.
    QString message() const
    {
        return m_detail.isEmpty() ? m_message : m_message + "\n\nAyrıntı: " + m_detail;
    }
    // The Turkish text alone, and the engine's text (with the statement).
    QString text() const { return m_message; }
    QString detail() const { return m_detail; }
    Kind kind() const { return m_kind; }
    // The engine's result code when the engine failed (0 otherwise).
    int engineCode() const { return m_engineCode; }

    // The error for an engine result code (SQLITE_BUSY, SQLITE_FULL, ...)
    // and the engine's text: a Turkish text for the common failures.
    static DbError fromEngine(int code, const QString& engineText);
    // The Turkish text of a kind ("" for Other).
    static QString textFor(Kind kind);

private:
    QString m_message;
    Kind m_kind = Kind::Other;
    QString m_detail;
    int m_engineCode = 0;
};

// One row of a result. Fields are found by name without regard to case.
class Record {
public:
    Record() = default;
    Record(QStringList names, QVariantList values);

    bool isEmpty() const { return m_names.isEmpty(); }
    bool has(const QString& field) const { return indexOf(field) >= 0; }
    int indexOf(const QString& field) const;
    const QStringList& fieldNames() const { return m_names; }
    const QVariantList& values() const { return m_values; }

    QVariant value(const QString& field) const;
    QVariant value(int index) const { return m_values.value(index); }
    bool isNull(const QString& field) const;
    QString str(const QString& field) const;        // "" for NULL
    int toInt(const QString& field) const;          // 0 for NULL or not a number
    qint64 toInt64(const QString& field) const;
    double toDouble(const QString& field) const;
    bool toBool(const QString& field) const;        // -1/1 true, 0/NULL false
    QDate date(const QString& field) const;         // ISO or "dd.mm.yyyy" text
    QDateTime dateTime(const QString& field) const;

    // A copy of this row as a map (original field names as keys).
    QVariantMap toMap() const;

private:
    QStringList m_names;
    QVariantList m_values;
};

using Records = QList<Record>;

class Database {
public:
    Database();
    ~Database();
    Database(const Database&) = delete;
    Database& operator=(const Database&) = delete;

    // Opens a database file given in Windows form or as a host path. With
    // mustExist a missing file is an error instead of a new empty database.
    void open(const QString& path, bool mustExist = true);
    void close();
    bool isOpen() const;
    // The path as given to open() and the host file behind it.
    QString path() const { return m_path; }
    QString hostPath() const { return m_hostPath; }

    // A result set. Throws DbError on failure.
    Records select(const QString& sql, const QVariantMap& params = {}) const;
    // The rows of a result set one at a time, for a list too long to hold
    // as Records: `row` gets each row's values in the order of `names` (the
    // same list for every row; `values` is reused for the next row).
    // Throws DbError on failure, also on a row after the first.
    using RowVisitor = std::function<void(const QStringList& names, QVariantList& values)>;
    void forEachRow(const QString& sql, const QVariantMap& params, const RowVisitor& row) const;
    // The same for one who packs the values himself: the engine's columns
    // of each row as they stand (valid until `row` returns). Each column
    // reads as value() would give it: text as QString, whole numbers as
    // qlonglong, real numbers as double, blobs as QByteArray, NULL as a null
    // QString.
    class RawRow {
    public:
        enum Type { Integer = 1, Real = 2, Text = 3, Blob = 4, Null = 5 };
        int count() const;
        Type type(int column) const;
        qint64 integer(int column) const;
        double real(int column) const;
        // Text as UTF-8, blobs as their bytes.
        QByteArrayView bytes(int column) const;
        QVariant value(int column) const;
        // False for a driver that hands values only (read them with value()).
        bool fromEngine() const { return m_statement != nullptr; }

    private:
        friend class Database;
        RawRow(sqlite3_stmt* statement, int columns) : m_statement(statement), m_columns(columns) {}
        explicit RawRow(const QVariantList* values) : m_values(values), m_columns(int(values->size())) {}
        sqlite3_stmt* m_statement = nullptr;
        const QVariantList* m_values = nullptr;   // a driver without the engine's statement
        mutable QByteArray m_text;
        int m_columns;
    };
    using RawRowVisitor = std::function<void(const QStringList& names, const RawRow& row)>;
    void forEachRawRow(const QString& sql, const QVariantMap& params, const RawRowVisitor& row) const;
    // The first row, or nothing.
    std::optional<Record> first(const QString& sql, const QVariantMap& params = {}) const;
    // The first column of the first row (invalid QVariant when there is none).
    QVariant scalar(const QString& sql, const QVariantMap& params = {}) const;
    // A statement; returns the number of rows it changed.
    int exec(const QString& sql, const QVariantMap& params = {});
    // The same with values bound by position ("?").
    int execPositional(const QString& sql, const QVariantList& params);

    // Insert a row from field values (names are column names).
    void insert(const QString& table, const QVariantMap& fields);
    // Update the rows matching `where` (a condition with its own bound
    // parameters, named ":w_..." to keep them apart from the fields).
    int update(const QString& table, const QVariantMap& fields,
               const QString& where, const QVariantMap& whereParams = {});

    // An executed query for models and grids (scrollable).
    QSqlQuery run(const QString& sql, const QVariantMap& params = {}) const;

    // Transactions: nested begin() calls join the outer transaction. The
    // outer one starts as a write (BEGIN IMMEDIATE); when the lock is not
    // had within the busy timeout, begin() and commit() throw a DbError of
    // kind Busy and nothing of the transaction is written.
    void begin();
    void commit();
    void rollback();
    bool inTransaction() const { return m_txDepth > 0; }

    // Names of the tables and the columns of one table (as stored).
    QStringList tables() const;
    QStringList columns(const QString& table) const;
    bool hasTable(const QString& table) const;

    // How long a statement waits for another station's lock (ms). Screens
    // that must not freeze (the bout clock) wait briefly and retry later.
    int busyTimeout() const { return m_busyTimeout; }
    void setBusyTimeout(int ms);
    static constexpr int kDefaultBusyTimeout = 15000;

    // Whether the file and its folder take a write: a write transaction is
    // started and rolled back. Throws DbError (ReadOnly, DiskFull, Busy...)
    // when not. The login calls it so a station that cannot write says so
    // before the first bout.
    void checkWritable();

    QSqlDatabase& connection() { return m_db; }
    QString connectionName() const { return m_name; }

    // Statements kept prepared for reuse (at most kStatementCacheSize).
    int cachedStatements() const { return int(m_statements.size()); }
    static constexpr int kStatementCacheSize = 64;

    // The text a value gets when stored (dates as ISO text, bool as -1/0).
    static QVariant storable(const QVariant& value);
    // Checks that a name is a plain identifier (table or column), so that it
    // can stand in a statement; throws DbError otherwise.
    static QString identifier(const QString& name);

    // A text holds one statement; a second one after a ";" is refused with
    // this text (the statement below it as the detail).
    static constexpr const char* kSecondStatement =
        "Komut metninde ikinci bir SQL ifadesi var (';' işaretinden sonra). Bir seferde yalnız bir ifade "
        "çalıştırılır.";
    // The statement in the engine's dialect (JetSql::translate); throws
    // DbError for a second statement in the text.
    static QString translated(const QString& sql);

private:
    struct Prepared;
    // Runs a statement (a kept one when there is one) with its bound values
    // and hands the executed query to `use`; the statement is reset after.
    void execute(const QString& sql, const QVariantMap* named, const QVariantList* positional,
                 const std::function<void(QSqlQuery&)>& use) const;
    std::shared_ptr<Prepared> prepared(const QString& sql, const QVariantMap* named,
                                       const QVariantList* positional) const;
    static bool fits(const Prepared& p, const QVariantMap* named, const QVariantList* positional);
    void forget(const QString& sql, const Prepared* statement) const;
    void forgetStatements() const;
    Records collect(QSqlQuery& q, const QString& sql) const;
    void readRows(QSqlQuery& q, const QString& sql, const RowVisitor& row) const;
    static QStringList columnNames(const QSqlQuery& q);
    // The engine's statement under an executed query when its rows can be
    // read from it directly (a forward-only query of this connection), else
    // null: such a query is read through the driver.
    sqlite3_stmt* engineRows(const QSqlQuery& q) const;
    // Runs `each` on every row of the statement, from the one the driver
    // stands on; throws DbError when a step fails.
    void stepRows(sqlite3_stmt* st, const QString& sql, const std::function<void()>& each) const;
    DbError failure(const QSqlError& e, const QString& sql) const;
    static int busyHandler(void* self, int tries);
    // BEGIN IMMEDIATE / COMMIT / ROLLBACK and the schema version straight on
    // the engine, each through a statement prepared once per connection
    // (every scoring event runs them; parsing them each time cost more than
    // the event's own update).
    enum class Engine { Begin, Commit, Rollback, SchemaVersion, Count };
    int engineExec(Engine which, QString* message = nullptr);
    // The statement, prepared at its first use; null when it cannot be.
    sqlite3_stmt* engineStatement(Engine which);
    // The file's schema version as this transaction sees it, -1 when unknown.
    int engineSchemaVersion();
    void finalizeEngineStatements();

    QSqlDatabase m_db;
    QString m_name;
    QString m_path;
    QString m_hostPath;
    int m_txDepth = 0;
    bool m_txFailed = false;
    int m_busyTimeout = kDefaultBusyTimeout;
    QElapsedTimer m_busySince;
    sqlite3* m_handle = nullptr;
    sqlite3_stmt* m_engine[int(Engine::Count)] = {};
    mutable QHash<QString, std::shared_ptr<Prepared>> m_statements;
    mutable quint64 m_statementUses = 0;
};

// Runs a change and keeps the scoreboard going when another station holds the
// file: waits at most `ms` for the lock, then gives the busy timeout back.
class BusyWait {
public:
    BusyWait(Database& db, int ms) : m_db(db), m_saved(db.busyTimeout()) { m_db.setBusyTimeout(ms); }
    ~BusyWait() { m_db.setBusyTimeout(m_saved); }
    BusyWait(const BusyWait&) = delete;
    BusyWait& operator=(const BusyWait&) = delete;

private:
    Database& m_db;
    int m_saved;
};

// Rolls back unless commit() was called; for operations whose half-done
// result would corrupt data.
class Transaction {
public:
    explicit Transaction(Database& db) : m_db(db) { m_db.begin(); }
    ~Transaction()
    {
        if (!m_done) {
            try { m_db.rollback(); } catch (...) {}
        }
    }
    void commit() { m_db.commit(); m_done = true; }

private:
    Database& m_db;
    bool m_done = false;
};
