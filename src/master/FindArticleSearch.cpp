#include "master/FindArticleSearch.h"

#include "platform/Db.h"

namespace {
QString pattern(const QString& text) { return QStringLiteral("%") + text + QStringLiteral("%"); }
} // namespace

QString excludedIdsClause(const QString& column, const QStringList& ids, QVariantList* params) {
    QStringList marks;
    for (const QString& raw : ids) {
        const QString t = raw.trimmed();
        if (t.isEmpty()) continue;
        bool ok = false;
        const qlonglong id = t.toLongLong(&ok);
        if (!ok) throw DbError(QStringLiteral("编号格式不正确：%1").arg(raw));
        marks << QStringLiteral("?");
        *params << id;
    }
    if (marks.isEmpty()) return QString();
    return QStringLiteral(" AND (%1 NOT IN (%2)) ").arg(column, marks.join(QLatin1Char(',')));
}

QString articleSearchStatement(const ArticleSearch& s, QVariantList* params) {
    const QString p = pattern(s.text);
    const QString match = QStringLiteral(" Where ((AName Like ?) OR (thePY LIke ?) OR (theNum LIke ?) OR (AStandard Like ?))");
    if (s.storageId.isEmpty()) {
        QString sql = QStringLiteral(
            "select theNum as 物品编码, AType as 物品分类, "
            "AName as 物品名称, AStandard as 规格型号, "
            "AUnit as 单位, APrice as 单价, "
            "Remark as 备注, ID "
            "from UArticle");
        sql += match;
        *params << p << p << p << p;
        sql += excludedIdsClause(QStringLiteral("ID"), s.excludedIds, params);
        sql += QStringLiteral(" order by AType,AName,AStandard,AUnit");
        return sql;
    }
    bool ok = false;
    const qlonglong sid = s.storageId.trimmed().toLongLong(&ok);
    if (!ok) throw DbError(QStringLiteral("编号格式不正确：%1").arg(s.storageId));
    QString sql = QStringLiteral(
        "select theNum as 物品编码, AType as 物品分类, "
        "AName as 物品名称, AStandard as 规格型号, "
        "AUnit as 单位, APrice as 单价, WCount as 库存数量, "
        "Remark as 备注, AID "
        "from UWare INNER JOIN UArticle ON UWare.AID = UArticle.ID");
    sql += match;
    *params << p << p << p << p;
    sql += QStringLiteral(" AND (SID = ?)");
    *params << sid;
    if (s.positiveStockOnly) sql += QStringLiteral(" AND (WCount > 0)");
    sql += excludedIdsClause(QStringLiteral("AID"), s.excludedIds, params);
    sql += QStringLiteral(" order by AType,AName,AStandard,AUnit");
    return sql;
}

QString outstandingLinesStatement(bool borrowed, const QString& text, const QString& person,
                                  const QStringList& excludedIds, QVariantList* params) {
    QString sql;
    if (borrowed) {
        sql = QStringLiteral(
            "select UOut_JC.theNum as 单号, UOut_JC.myDate as 借用日期, "
            "UArticle.theNum as 物品编码, AType as 物品分类, "
            "AName as 物品名称, AStandard as 规格型号, "
            "AUnit as 单位, APrice as 单价, "
            "theCount as 借用数量,GHCount as 已归还数,"
            "SStorage.SName as 仓库名称, AID,"
            "(theCount-GHCount)*APrice as SYMoney,"
            "SID,theCount-GHCount as SYCount,UOut_JC_Bill.ID as ID "
            "from UOut_JC INNER JOIN (UArticle INNER JOIN "
            "(SStorage INNER JOIN UOut_JC_Bill ON SStorage.ID = UOut_JC_Bill.SID) "
            "ON UArticle.ID = UOut_JC_Bill.AID) ON UOut_JC.theNum = UOut_JC_Bill.theNum ");
    } else {
        sql = QStringLiteral(
            "select UOut_LY.theNum as 单号, UOut_LY.myDate as 领用日期, "
            "UArticle.theNum as 物品编码, AType as 物品分类, "
            "AName as 物品名称, AStandard as 规格型号, "
            "AUnit as 单位, APrice as 单价, "
            "theCount as 领用数量,GHCount as 已归还数,"
            "SStorage.SName as 仓库名称, AID,"
            "(theCount-GHCount)*APrice as SYMoney,"
            "SID,theCount-GHCount as SYCount,UOut_LY_Bill.ID as ID "
            "from (SStorage INNER JOIN (UArticle INNER JOIN UOut_LY_Bill ON "
            "UArticle.ID = UOut_LY_Bill.AID) ON SStorage.ID = UOut_LY_Bill.SID) "
            "INNER JOIN UOut_LY ON UOut_LY_Bill.theNum = UOut_LY.theNum ");
    }
    const QString p = pattern(text);
    sql += QStringLiteral(
        " Where ((AName Like ? AND theLYPro=? AND theCount>GHCount) "
        "OR (UArticle.thePY LIke ? AND theLYPro=? AND theCount>GHCount) "
        "OR (UArticle.theNum LIke ? AND theLYPro=? AND theCount>GHCount)) ");
    *params << p << person << p << person << p << person;
    sql += borrowed ? QStringLiteral(" AND (UOut_JC.theDel=0) AND (UOut_JC_Bill.theDel=0) ")
                    : QStringLiteral(" AND (UOut_LY.theDel=0) AND (UOut_LY_Bill.theDel=0) ");
    sql += excludedIdsClause(QStringLiteral("AID"), excludedIds, params);
    sql += borrowed ? QStringLiteral(" order by SStorage.SName,AName,AStandard,AUnit")
                    : QStringLiteral(" order by SStorage.SName,AType,AName,AStandard,AUnit");
    return sql;
}
