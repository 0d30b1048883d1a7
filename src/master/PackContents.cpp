#include "master/PackContents.h"

#include "app/TfrmDM.h"
#include "platform/Db.h"
#include "platform/Money.h"

#include <QSqlQuery>

namespace PackContents {

QList<PackLine> load(TfrmDM& dm, const QString& pack) {
    QList<PackLine> out;
    QSqlQuery q = dm.db().query(QStringLiteral("SELECT theNum as 物品编码, AType as 物品分类, "
                                               "AName as 物品名称, AStandard as 规格型号, "
                                               "AUnit as 单位, UAPList.APrice as 单价, "
                                               "UAPList.theCount as 数量, "
                                               "UAPList.APrice * UAPList.theCount as 金额, "
                                               "UAPList.Remark as 备注, AID "
                                               "FROM UAPList INNER JOIN "
                                               "UArticle ON UAPList.AID = UArticle.ID "
                                               "WHERE (UAPList.theName = ?) "
                                               "ORDER BY UAPList.myID, UAPList.ID"),
                                {pack});
    while (q.next()) {
        PackLine l;
        l.code = q.value(0).toString();
        l.name = q.value(2).toString();
        l.standard = q.value(3).toString();
        l.unit = q.value(4).toString();
        l.price = Money::text(q.value(5).toDouble());
        l.count = Money::text(q.value(6).toDouble());
        l.amount = Money::text(Money::round4(q.value(7).toDouble()));
        l.remark = q.value(8).toString();
        l.aid = q.value(9).toString();
        out << l;
    }
    return out;
}

SaveResult save(TfrmDM& dm, const QString& pack, const QList<PackLine>& lines) {
    struct Row {
        qlonglong aid;
        double price;
        double count;
        QString remark;
    };
    QList<Row> rows;
    for (const PackLine& l : lines) {
        if (l.code.isEmpty()) continue;
        bool idOk = false;
        const qlonglong aid = l.aid.trimmed().toLongLong(&idOk);
        // A code typed but never looked up names no article.
        if (!idOk) return {false, l.code + QStringLiteral(" 物品信息不存在，请按回车重新选择！")};
        double price = 0, count = 0;
        if (l.price.trimmed().isEmpty()) return {false, l.code + QStringLiteral(" 单价 不能为空！")};
        if (!Money::parse(l.price, &price)) return {false, l.code + QStringLiteral(" 单价 不是有效的数字！")};
        if (l.count.trimmed().isEmpty()) return {false, l.code + QStringLiteral(" 数量 不能为空！")};
        if (!Money::parse(l.count, &count)) return {false, l.code + QStringLiteral(" 数量 不是有效的数字！")};
        if (count <= 0) return {false, l.code + QStringLiteral(" ") + l.name + QStringLiteral(" 数量不能小于或等于0！")};
        rows << Row{aid, price, count, l.remark};
    }
    if (rows.isEmpty()) return {false, QStringLiteral("物品明细 不能为空！")};

    Db& db = dm.db();
    Transaction tx(db);
    db.exec(QStringLiteral("DELETE FROM UAPList WHERE (theName = ?) "), {pack});
    int n = 0;
    for (const Row& r : rows)
        db.exec(QStringLiteral("insert into UAPList(theName, AID, APrice, theCount, Remark, myID) Values(?,?,?,?,?,?)"),
                {pack, r.aid, Money::round4(r.price), Money::round4(r.count), r.remark, ++n});
    tx.commit();
    return {true, QStringLiteral("物品包 物品明细 保存成功！")};
}

} // namespace PackContents
