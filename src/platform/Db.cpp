#include "platform/Db.h"

#include <QAtomicInt>
#include <QFileInfo>
#include <QSqlDriver>
#include <QSqlError>
#include <QSqlRecord>
#include <QUrl>

#include <sqlite3.h>

#include <set>

namespace {
std::set<Db*>& liveConnections() {
    static std::set<Db*> s;
    return s;
}
QAtomicInt counter;

QString engineText(const QSqlError& err) {
    QString t = err.databaseText().trimmed();
    if (t.isEmpty()) t = err.driverText().trimmed();
    if (t.isEmpty()) t = err.text().trimmed();
    return t;
}
} // namespace

DbError::DbError(const QString& text) : std::runtime_error(text.toStdString()), text_(text) {}

Db::Db() : name_(QStringLiteral("kelvora-%1").arg(counter.fetchAndAddRelaxed(1))) {
    liveConnections().insert(this);
}

Db::~Db() {
    liveConnections().erase(this);
    close();
    db_ = QSqlDatabase();
    if (QSqlDatabase::contains(name_)) QSqlDatabase::removeDatabase(name_);
}

void Db::openExisting(const QString& file) {
    close();
    file_ = QFileInfo(file).absoluteFilePath();
    db_ = QSqlDatabase::contains(name_) ? QSqlDatabase::database(name_, false)
                                        : QSqlDatabase::addDatabase(QStringLiteral("QSQLITE"), name_);
    // A file: URI with mode=rw opens an existing file only; SQLite never creates it.
    db_.setDatabaseName(QUrl::fromLocalFile(file_).toString(QUrl::FullyEncoded) + QStringLiteral("?mode=rw"));
    db_.setConnectOptions(QStringLiteral("QSQLITE_OPEN_URI;QSQLITE_BUSY_TIMEOUT=5000"));
    if (!db_.open()) {
        QString text = engineText(db_.lastError());
        throw DbError(QStringLiteral("%1: %2").arg(text, file_));
    }
    // Reading the schema proves the file is a database before anything else
    // runs; a foreign or damaged file fails here with the engine's text and
    // nothing has been written to it.
    {
        QSqlQuery q(db_);
        if (!q.exec(QStringLiteral("SELECT count(*) FROM sqlite_master"))) {
            QString text = engineText(q.lastError());
            q = QSqlQuery();
            db_.close();
            throw DbError(QStringLiteral("%1: %2").arg(text, file_));
        }
    }
    QSqlQuery pragmas(db_);
    pragmas.exec(QStringLiteral("PRAGMA journal_mode=WAL"));
    pragmas.exec(QStringLiteral("PRAGMA synchronous=NORMAL"));
    pragmas.exec(QStringLiteral("PRAGMA foreign_keys=OFF"));
}

void Db::createNew(const QString& file) {
    close();
    QFileInfo fi(file);
    if (fi.exists()) throw DbError(QStringLiteral("文件已存在，不会覆盖：%1").arg(fi.absoluteFilePath()));
    file_ = fi.absoluteFilePath();
    db_ = QSqlDatabase::contains(name_) ? QSqlDatabase::database(name_, false)
                                        : QSqlDatabase::addDatabase(QStringLiteral("QSQLITE"), name_);
    db_.setDatabaseName(QUrl::fromLocalFile(file_).toString(QUrl::FullyEncoded) + QStringLiteral("?mode=rwc"));
    db_.setConnectOptions(QStringLiteral("QSQLITE_OPEN_URI"));
    if (!db_.open()) throw DbError(QStringLiteral("%1: %2").arg(engineText(db_.lastError()), file_));
    QSqlQuery pragmas(db_);
    pragmas.exec(QStringLiteral("PRAGMA journal_mode=WAL"));
    pragmas.exec(QStringLiteral("PRAGMA synchronous=NORMAL"));
}

void Db::close() {
    cache_.clear();
    tables_.clear();
    if (db_.isValid() && db_.isOpen()) {
        while (depth_ > 0) rollback();
        db_.close();
    }
    depth_ = 0;
}

bool Db::isOpen() const { return db_.isValid() && db_.isOpen(); }

void* Db::handle() const {
    QVariant v = db_.driver() ? db_.driver()->handle() : QVariant();
    if (v.isValid() && qstrcmp(v.typeName(), "sqlite3*") == 0) return *static_cast<sqlite3* const*>(v.data());
    return nullptr;
}

void Db::fail(const QSqlError& err, const QString& sql) {
    Q_UNUSED(sql);
    throw DbError(engineText(err));
}

QSqlQuery Db::prepare(const QString& sql, const QVariantList& params, bool forwardOnly) {
    if (!isOpen()) {
        if (file_.isEmpty()) throw DbError(QStringLiteral("数据库未打开"));
        openExisting(file_);
    }
    QSqlQuery q(db_);
    q.setForwardOnly(forwardOnly);
    if (!q.prepare(sql)) fail(q.lastError(), sql);
    for (const QVariant& p : params) {
        // Text is never stored as NULL: an empty box is the empty text.
        if (p.typeId() == QMetaType::QString && p.toString().isNull()) q.addBindValue(QStringLiteral(""));
        else q.addBindValue(p);
    }
    if (!q.exec()) fail(q.lastError(), sql);
    return q;
}

QSqlQuery& Db::cached(const QString& sql, const QVariantList& params) {
    if (!isOpen()) {
        // The connection opens on demand; a file that cannot be opened fails here with the engine's text.
        if (file_.isEmpty()) throw DbError(QStringLiteral("数据库未打开"));
        openExisting(file_);
    }
    auto it = cache_.find(sql);
    if (it == cache_.end()) {
        if (cache_.size() > 256) cache_.clear();
        QSqlQuery q(db_);
        q.setForwardOnly(true);
        if (!q.prepare(sql)) fail(q.lastError(), sql);
        it = cache_.insert(sql, q);
    }
    QSqlQuery& q = it.value();
    for (int i = 0; i < params.size(); ++i) {
        const QVariant& p = params[i];
        if (p.typeId() == QMetaType::QString && p.toString().isNull()) q.bindValue(i, QStringLiteral(""));
        else q.bindValue(i, p);
    }
    if (!q.exec()) {
        QSqlError err = q.lastError();
        q.finish();
        fail(err, sql);
    }
    return q;
}

void Db::exec(const QString& sql, const QVariantList& params) {
    const QString head = sql.trimmed().left(6).toUpper();
    if (head == QLatin1String("CREATE") || head.startsWith(QLatin1String("DROP")) || head.startsWith(QLatin1String("ALTER"))) {
        // The schema changes: forget what was read of it.
        cache_.clear();
        tables_.clear();
        QSqlQuery q = prepare(sql, params);
        q.finish();
        return;
    }
    cached(sql, params).finish();
}

QSqlQuery Db::query(const QString& sql, const QVariantList& params) { return prepare(sql, params); }
QSqlQuery Db::modelQuery(const QString& sql, const QVariantList& params) { return prepare(sql, params, false); }

QVariant Db::scalar(const QString& sql, const QVariantList& params) {
    QSqlQuery& q = cached(sql, params);
    QVariant v = q.next() ? q.value(0) : QVariant();
    q.finish();
    return v;
}

int Db::count(const QString& sql, const QVariantList& params) {
    QSqlQuery& q = cached(sql, params);
    int n = 0;
    while (q.next()) ++n;
    q.finish();
    return n;
}

QStringList Db::tables() {
    if (tables_.isEmpty()) {
        QSqlQuery q = prepare(QStringLiteral("SELECT name FROM sqlite_master WHERE type='table' AND name NOT LIKE 'sqlite\\_%' ESCAPE '\\'"), {});
        while (q.next()) tables_ << q.value(0).toString();
    }
    return tables_;
}

bool Db::hasTable(const QString& name) { return tables().contains(name, Qt::CaseInsensitive); }

qint64 Db::lastInsertId() {
    return scalar(QStringLiteral("SELECT last_insert_rowid()")).toLongLong();
}

void Db::begin() {
    if (depth_ == 0) exec(QStringLiteral("BEGIN IMMEDIATE"));
    else exec(QStringLiteral("SAVEPOINT sp%1").arg(depth_));
    ++depth_;
}

void Db::commit() {
    if (depth_ <= 0) return;
    --depth_;
    if (depth_ == 0) exec(QStringLiteral("COMMIT"));
    else exec(QStringLiteral("RELEASE SAVEPOINT sp%1").arg(depth_));
}

void Db::rollback() {
    if (depth_ <= 0) return;
    --depth_;
    QSqlQuery q(db_);
    if (depth_ == 0) {
        q.exec(QStringLiteral("ROLLBACK"));
    } else {
        q.exec(QStringLiteral("ROLLBACK TO SAVEPOINT sp%1").arg(depth_));
        q.exec(QStringLiteral("RELEASE SAVEPOINT sp%1").arg(depth_));
    }
}

void Db::rollbackEverything() {
    for (Db* db : liveConnections())
        while (db->depth_ > 0) db->rollback();
}

Transaction::Transaction(Db& db) : db_(db) { db_.begin(); }

Transaction::~Transaction() {
    if (!done_) db_.rollback();
}

void Transaction::commit() {
    if (done_) return;
    done_ = true;
    db_.commit();
}
