#include "app/Reminders.h"

#include "app/TfrmDM.h"
#include "platform/Clock.h"

namespace Reminders {

int overdueLoans() {
    QVariantList p;
    QString sql = QStringLiteral(
        "select UOut_JC_Bill.theNum from (UArticle INNER JOIN UOut_JC_Bill ON UArticle.ID=UOut_JC_Bill.AID) "
        "INNER JOIN UOut_JC ON UOut_JC_Bill.theNum=UOut_JC.theNum Where (UOut_JC.theDel=0) AND (UOut_JC_Bill.theDel=0) ");
    sql += TfrmDM::storageClause(QStringLiteral("UOut_JC.SName"), p);
    sql += QStringLiteral(" AND ((julianday(?) - julianday(myDate)) > theGH) AND (theCount<>GHCount) ");
    p << Clock::todayText();
    return DM().myRetCount(sql, p);
}

static int stockOutside(const QString& condition) {
    QVariantList p;
    QString sql = QStringLiteral(
        "select AID,SID from (UWare INNER JOIN SStorage ON UWare.SID = SStorage.ID) INNER JOIN UArticle ON "
        "UWare.AID = UArticle.ID WHERE (UWare.ID > 0) ");
    sql += TfrmDM::storageClause(QStringLiteral("SStorage.SName"), p);
    sql += condition;
    return DM().myRetCount(sql, p);
}

int belowMinimum() { return stockOutside(QStringLiteral("AND (WCount < YJMin) AND (theYJ = '是') ")); }
int aboveMaximum() { return stockOutside(QStringLiteral("AND (WCount > YJMax) AND (theYJ = '是') ")); }

} // namespace Reminders
