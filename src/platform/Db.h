#pragma once
// The database seam: one SQLite connection through Qt SQL. Every value is bound
// as a parameter; a statement the engine rejects throws DbError with the
// engine's own text. Transactions nest through savepoints.

#include <QSqlDatabase>
#include <QSqlQuery>
#include <QString>
#include <QStringList>
#include <QHash>
#include <QVariant>

#include <stdexcept>

class DbError : public std::runtime_error {
public:
    explicit DbError(const QString& text);
    QString text() const { return text_; }

private:
    QString text_;
};

class Db {
public:
    // A closed connection with a name of its own.
    Db();
    ~Db();
    Db(const Db&) = delete;
    Db& operator=(const Db&) = delete;

    // Opens an existing database file for reading and writing. Never creates
    // the file: a missing file throws DbError. A file that is not a database
    // opens but fails on the first statement, as the engine reports it.
    void openExisting(const QString& file);
    // Creates a new, empty database file (refuses an existing one).
    void createNew(const QString& file);
    void close();
    bool isOpen() const;
    QString fileName() const { return file_; }

    QSqlDatabase& raw() { return db_; }
    // The raw sqlite3* handle, for registering functions or tuning.
    void* handle() const;

    // Executes one statement with positional parameters ('?').
    void exec(const QString& sql, const QVariantList& params = {});
    // Runs a select and returns the query positioned before its first row.
    QSqlQuery query(const QString& sql, const QVariantList& params = {});
    // The same, scrollable, for a QSqlQueryModel (grids and lookup lists).
    QSqlQuery modelQuery(const QString& sql, const QVariantList& params = {});
    // The first column of the first row, or an invalid QVariant when there is no row.
    QVariant scalar(const QString& sql, const QVariantList& params = {});
    // How many rows the select yields.
    int count(const QString& sql, const QVariantList& params = {});
    // Names of the user tables (read once per connection; the schema does not change while the program runs).
    QStringList tables();
    // Whether a table of that name exists (ignoring case).
    bool hasTable(const QString& name);
    qint64 lastInsertId();

    // Transactions: depth 0 starts a real transaction, deeper levels use savepoints.
    void begin();
    void commit();
    void rollback();
    int transactionDepth() const { return depth_; }

    // Rolls back whatever any open connection has left open (used by the
    // handler wrapper after an error).
    static void rollbackEverything();

private:
    QSqlQuery prepare(const QString& sql, const QVariantList& params, bool forwardOnly = true);
    [[noreturn]] void fail(const QSqlError& err, const QString& sql);

    // Prepared statements of exec/scalar/count, reused by their text.
    QSqlQuery& cached(const QString& sql, const QVariantList& params);

    QString name_;
    QString file_;
    QHash<QString, QSqlQuery> cache_;
    QStringList tables_;
    QSqlDatabase db_;
    int depth_ = 0;
};

// Scoped transaction: commits when commit() is called, rolls back otherwise.
class Transaction {
public:
    explicit Transaction(Db& db);
    ~Transaction();
    void commit();
    Transaction(const Transaction&) = delete;
    Transaction& operator=(const Transaction&) = delete;

private:
    Db& db_;
    bool done_ = false;
};
