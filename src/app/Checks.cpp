#include "app/Checks.h"

#include "platform/Db.h"
#include "platform/Money.h"

#include <QSqlQuery>

namespace Checks {

QStringList run(Db& db) {
    QStringList problems;
    // Every stock row equals the stock after its latest ledger row.
    QSqlQuery q = db.query(QStringLiteral(
        "SELECT w.AID, w.SID, w.WCount, l.KCCount, l.ID FROM UWare w "
        "LEFT JOIN UWList l ON l.ID = (SELECT MAX(ID) FROM UWList x WHERE x.AID = w.AID AND x.SID = w.SID) "
        "WHERE l.ID IS NULL OR abs(w.WCount - l.KCCount) > 0.00005 ORDER BY w.AID, w.SID"));
    while (q.next()) {
        if (q.value(4).isNull())
            problems << QStringLiteral("库存 物品ID=%1 仓库ID=%2：库存数量 %3，没有流水记录")
                            .arg(q.value(0).toString(), q.value(1).toString(), Money::text(q.value(2).toDouble()));
        else
            problems << QStringLiteral("库存 物品ID=%1 仓库ID=%2：库存数量 %3 与最后一条流水的库存数量 %4 不一致")
                            .arg(q.value(0).toString(), q.value(1).toString(), Money::text(q.value(2).toDouble()),
                                 Money::text(q.value(3).toDouble()));
    }
    return problems;
}

} // namespace Checks
