#include "master/ArticleEdit.h"

#include "app/Session.h"
#include "app/TfrmDM.h"
#include "master/IMCode.h"
#include "platform/Money.h"

#include <QSqlQuery>

namespace ArticleEdit {

namespace {

bool blank(const QString& s) { return s.trimmed().isEmpty(); }

qlonglong requireId(const QString& id) {
    bool ok = false;
    const qlonglong v = id.trimmed().toLongLong(&ok);
    if (!ok) throw DbError(QStringLiteral("物品 ID 无效：%1").arg(id));
    return v;
}

bool digitsOnly(const QString& s) {
    for (QChar c : s)
        if (c < QLatin1Char('0') || c > QLatin1Char('9')) return false;
    return true;
}

Outcome missing() { return {Field::Missing, QStringLiteral("该物品已不存在，可能已被删除！")}; }

bool exists(Db& db, qlonglong id) { return db.count(QStringLiteral("select ID from UArticle where ID=?"), {id}) > 0; }

} // namespace

std::optional<Article> load(const QString& id) {
    bool ok = false;
    const qlonglong key = id.trimmed().toLongLong(&ok);
    if (!ok) return std::nullopt;
    QSqlQuery q = DM().db().query(
        QStringLiteral("select theNum as 物品编码,AType as 物品分类,AName as 物品名称,AStandard as 规格型号,"
                       "AUnit as 单位,APrice as 单价,Remark as 备注,PName as 货位名称,thePY,theDate,ID,"
                       "YJMin,YJMax,theYJ from UArticle where id =?"),
        {key});
    std::optional<Article> found;
    int rows = 0;
    while (q.next()) {
        if (++rows > 1) return std::nullopt;
        Article a;
        a.fields.code = q.value(0).toString();
        a.fields.type = q.value(1).toString();
        a.fields.name = q.value(2).toString();
        a.fields.standard = q.value(3).toString();
        a.fields.unit = q.value(4).toString();
        a.fields.price = q.value(5).isNull() ? QString() : Money::text(q.value(5).toDouble());
        a.fields.remark = q.value(6).toString();
        a.fields.place = q.value(7).toString();
        a.pinyin = q.value(8).toString();
        a.date = q.value(9).toString();
        a.id = q.value(10).toLongLong();
        a.yjMin = q.value(11).toString();
        a.yjMax = q.value(12).toString();
        a.yj = q.value(13).toString();
        found = a;
    }
    return found;
}

Outcome check(const Fields& f, double* price) {
    if (blank(f.code)) return {Field::Code, QStringLiteral("物品编码 不能为空！")};
    if (blank(f.name)) return {Field::Name, QStringLiteral("物品名称 不能为空！")};
    if (blank(f.unit)) return {Field::Unit, QStringLiteral("单位 不能为空！")};
    if (blank(f.price)) return {Field::Price, QStringLiteral("单价 不能为空！")};
    double v = 0;
    if (!Money::parse(f.price, &v)) return {Field::Price, QStringLiteral("单价 不是有效的数字！请重新录入！")};
    if (price) *price = v;
    return {};
}

Outcome update(const QString& id, const Fields& f) {
    double price = 0;
    Outcome o = check(f, &price);
    if (!o.ok()) return o;
    const qlonglong key = requireId(id);
    Db& db = DM().db();
    Transaction tx(db);
    if (!exists(db, key)) return missing();
    // Two articles with one code could no longer be told apart by the finders.
    if (db.count(QStringLiteral("select ID from UArticle Where theNum=? AND ID<>?"), {f.code, key}) > 0)
        return {Field::Code, QStringLiteral("物品编码 重复！该编码已被其他物品使用！")};
    db.exec(QStringLiteral("UPDATE UArticle SET theNum = ?, AType = ?, AName = ?, AStandard = ?, AUnit = ?, "
                           "APrice = ?, Remark = ?, thePY = ?, PName = ? WHERE (ID = ?)"),
            {f.code, f.type, f.name, f.standard, f.unit, price, f.remark, PinyinCodeOf(f.name), f.place, key});
    tx.commit();
    return {};
}

Outcome updatePinyin(const QString& id, const QString& code) {
    if (blank(code)) return {Field::Pinyin, QStringLiteral("拼音码 不能为空！")};
    const qlonglong key = requireId(id);
    Db& db = DM().db();
    Transaction tx(db);
    if (!exists(db, key)) return missing();
    db.exec(QStringLiteral("UPDATE UArticle SET thePY = ? WHERE (ID = ?)"), {code, key});
    tx.commit();
    return {};
}

QString proposeCode() { return DM().NewNum(QStringLiteral("UArticle")); }

Outcome create(const Fields& f, qlonglong* newId) {
    double price = 0;
    Outcome o = check(f, &price);
    if (!o.ok()) return o;
    Db& db = DM().db();
    Transaction tx(db);
    if (DM().myRetCount(QStringLiteral("select ID from UArticle Where theNum=?"), {f.code}) > 0)
        return {Field::Code, QStringLiteral("物品编码 添加重复！")};
    db.exec(QStringLiteral("INSERT INTO UArticle (theNum, theDate, AType, AName, AStandard, AUnit, APrice, thePY, Remark, "
                           "YJMin, YJMax, theYJ, PName, FJCount) VALUES (?, ?, ?, ?, ?, ?, ?, ?, ?, 9, 99, '否', ?, 0)"),
            {f.code, session().LoginDate, f.type, f.name, f.standard, f.unit, price, PinyinCodeOf(f.name), f.remark,
             f.place});
    const qlonglong id = db.lastInsertId();
    tx.commit();
    if (newId) *newId = id;
    return {};
}

Outcome saveWarnings(const QString& id, const QString& minimum, const QString& maximum, bool enabled) {
    const QString lo = minimum.trimmed().isEmpty() ? QStringLiteral("0") : minimum.trimmed();
    const QString hi = maximum.trimmed().isEmpty() ? QStringLiteral("0") : maximum.trimmed();
    if (!digitsOnly(lo) || lo.size() > LimitDigits)
        return {Field::Minimum, QStringLiteral("最低库存 必须是不超过四位的整数！")};
    if (!digitsOnly(hi) || hi.size() > LimitDigits)
        return {Field::Maximum, QStringLiteral("最高库存 必须是不超过四位的整数！")};
    const qlonglong key = requireId(id);
    Db& db = DM().db();
    Transaction tx(db);
    if (!exists(db, key)) return missing();
    db.exec(QStringLiteral("UPDATE UArticle SET YJMin=?,YJMax=?,theYJ=? WHERE (ID = ?)"),
            {lo.toInt(), hi.toInt(), enabled ? QStringLiteral("是") : QStringLiteral("否"), key});
    tx.commit();
    return {};
}

} // namespace ArticleEdit
