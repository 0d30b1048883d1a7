#include "master/RegisterLogic.h"

#include "app/Session.h"
#include "app/TfrmDM.h"
#include "master/IMCode.h"
#include "platform/Db.h"
#include "platform/Money.h"

#include <QSqlQuery>

const RegisterEditor* RegisterSpec::editor(const QString& name) const {
    for (const RegisterEditor& e : editors)
        if (e.name == name) return &e;
    return nullptr;
}

const RegisterEditor* RegisterSpec::editorForColumn(const QString& column) const {
    for (const RegisterEditor& e : editors)
        if (e.column == column) return &e;
    return nullptr;
}

RegisterLogic::RegisterLogic(const RegisterSpec& spec, TfrmDM& dm) : spec_(spec), dm_(dm) {}

QString RegisterLogic::loadSql() const { return spec_.loadQuery.join(QString()); }

RegisterResult RegisterLogic::validate(const RegisterValues& values) const {
    for (const RequiredCheck& c : spec_.required) {
        if (values.value(c.column).trimmed().isEmpty()) {
            const RegisterEditor* e = spec_.editorForColumn(c.column);
            return {false, c.message, e ? e->name : QString(), 0};
        }
    }
    return checkNumbers(values);
}

RegisterResult RegisterLogic::checkNumbers(const RegisterValues& values) const {
    for (const RegisterEditor& e : spec_.editors) {
        if (e.kind != EditorKind::Number) continue;
        const QString text = values.value(e.column).trimmed();
        double v = 0;
        if (!text.isEmpty() && !Money::parse(text, &v)) {
            const QString m = e.invalidMessage.contains(QStringLiteral("%1")) ? e.invalidMessage.arg(text) : e.invalidMessage;
            return {false, m, e.name, 0};
        }
    }
    RegisterResult ok;
    ok.ok = true;
    return ok;
}

bool RegisterLogic::isDuplicate(const QString& uniqueValue) const {
    if (spec_.uniqueColumn.isEmpty()) return false;
    return dm_.myRetCount(QStringLiteral("select * from %1 Where %2=?").arg(spec_.table, spec_.uniqueColumn),
                          {uniqueValue}) > 0;
}

QList<QPair<QString, QVariant>> RegisterLogic::columnValues(const RegisterValues& values,
                                                            const std::vector<FixedValue>& fixed) const {
    QList<QPair<QString, QVariant>> out;
    for (const RegisterEditor& e : spec_.editors) {
        const QString text = values.value(e.column);
        if (e.kind == EditorKind::Number) {
            double v = 0;
            Money::parse(text.trimmed(), &v);  // checked before; empty is 0
            out.append({e.column, Money::round4(v)});
        } else {
            out.append({e.column, text});
        }
    }
    if (!spec_.pinyinColumn.isEmpty())
        out.append({spec_.pinyinColumn, PinyinCodeOf(values.value(spec_.pinyinFrom))});
    for (const FixedValue& f : fixed) {
        bool replaced = false;
        for (auto& cv : out) {
            if (cv.first == f.column) {
                cv.second = f.value();
                replaced = true;
            }
        }
        if (!replaced) out.append({f.column, f.value()});
    }
    return out;
}

RegisterResult RegisterLogic::saveNew(const RegisterValues& values) {
    RegisterResult r = validate(values);
    if (!r.ok) return r;
    if (!spec_.uniqueColumn.isEmpty()) {
        const QString key = values.value(spec_.uniqueColumn);
        if (isDuplicate(key)) {
            const RegisterEditor* e = spec_.editorForColumn(spec_.uniqueColumn);
            return {false, spec_.duplicateMessage, e ? e->name : QString(), 0};
        }
    }
    const auto cv = columnValues(values, spec_.insertValues);
    QStringList cols, marks;
    QVariantList params;
    for (const auto& p : cv) {
        cols << p.first;
        marks << QStringLiteral("?");
        params << p.second;
    }
    Db& db = dm_.db();
    Transaction tx(db);
    db.exec(QStringLiteral("INSERT INTO %1(%2) VALUES(%3)").arg(spec_.table, cols.join(QLatin1Char(',')),
                                                              marks.join(QLatin1Char(','))),
            params);
    const qlonglong id = db.lastInsertId();
    if (spec_.afterInsert) spec_.afterInsert(db, values, id);
    tx.commit();
    return {true, QString(), QString(), id};
}

RegisterResult RegisterLogic::saveEdit(qlonglong id, const RegisterValues& values) {
    RegisterResult r = validate(values);
    if (!r.ok) return r;
    const auto cv = columnValues(values, spec_.editValues);
    QStringList sets;
    QVariantList params;
    for (const auto& p : cv) {
        sets << p.first + QStringLiteral("=?");
        params << p.second;
    }
    params << id;
    Db& db = dm_.db();
    Transaction tx(db);
    if (!spec_.uniqueColumn.isEmpty() && !spec_.editDuplicateMessage.isEmpty() &&
        db.count(QStringLiteral("select ID from %1 Where %2=? AND ID<>?").arg(spec_.table, spec_.uniqueColumn),
                 {values.value(spec_.uniqueColumn), id}) > 0) {
        const RegisterEditor* e = spec_.editorForColumn(spec_.uniqueColumn);
        return {false, spec_.editDuplicateMessage, e ? e->name : QString(), 0};
    }
    db.exec(QStringLiteral("UPDATE %1 SET %2 WHERE ID=?").arg(spec_.table, sets.join(QLatin1Char(','))), params);
    tx.commit();
    return {true, QString(), QString(), id};
}

bool RegisterLogic::mayStartEdit(bool hasRow, const QString& keyText) const {
    return hasRow && !keyText.isEmpty() && session().mayModify();
}

QString RegisterLogic::deleteRefusal(const RegisterRow& row) const {
    for (const DeleteGuard& g : spec_.guards) {
        QVariantList params;
        for (const QString& f : g.params) params << row.value(f);
        const int n = dm_.myRetCount(g.sql, params);
        const bool refused = g.refuse == DeleteGuard::Refuse::AnyRow ? n > 0 : n == 1;
        if (refused) return g.message.contains(QStringLiteral("%1")) ? g.message.arg(row.value(g.messageField).toString())
                                                                     : g.message;
    }
    return QString();
}

RegisterResult RegisterLogic::remove(const RegisterRow& row, const std::function<bool()>& confirm) {
    RegisterResult r;
    if (row.isEmpty() || !session().mayDelete()) return r;
    const QString refusal = deleteRefusal(row);
    if (!refusal.isEmpty()) {
        r.message = refusal;
        return r;
    }
    if (!confirm()) return r;
    const QVariant id = row.value(spec_.idField);
    Db& db = dm_.db();
    Transaction tx(db);
    // Nothing may have changed during the question, but the guard and the
    // delete belong together.
    const QString late = deleteRefusal(row);
    if (!late.isEmpty()) {
        r.message = late;
        return r;
    }
    for (const QString& sql : spec_.alsoDelete) db.exec(sql, {id});
    db.exec(QStringLiteral("DELETE FROM %1 WHERE ID=?").arg(spec_.table), {id});
    tx.commit();
    r.ok = true;
    r.id = id.toLongLong();
    return r;
}
