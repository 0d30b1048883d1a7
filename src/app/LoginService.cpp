#include "app/LoginService.h"

#include "app/Session.h"
#include "app/TfrmDM.h"
#include "platform/Clock.h"

#include <QSqlQuery>

namespace LoginService {

Result attempt(const QString& name, const QString& password, QStringList* grants) {
    if (name.isEmpty()) return Result::NoUser;
    Db& db = DM().db();
    QSqlQuery q = db.query(QStringLiteral("select ID, theM, theD, theE from SUser where UName=? AND UPass=?"), {name, password});
    int rows = 0;
    QString id, m, d, e;
    while (q.next()) {
        if (++rows == 1) {
            id = q.value(0).toString();
            m = q.value(1).toString();
            d = q.value(2).toString();
            e = q.value(3).toString();
        }
    }
    if (rows != 1) return Result::WrongPassword;

    Session& s = session();
    s.UserName = name;
    s.UserPass = password;
    s.LoginDate = Clock::todayText();
    s.UserID = id;

    if (grants) {
        grants->clear();
        QSqlQuery g = db.query(QStringLiteral("select MNum from SLevel Where UID=? order by MNum"), {id.toLongLong()});
        while (g.next()) *grants << g.value(0).toString();
    }

    s.CanModify = m;
    s.CanDelete = d;
    s.CanExport = e;

    QSqlQuery w = db.query(QStringLiteral("SELECT SName FROM SLW WHERE (UID = ?)"), {id.toLongLong()});
    QStringList names;
    while (w.next()) names << w.value(0).toString();
    s.UserStorageNames = names;
    s.UserStorages = names.join(QStringLiteral("','"));
    return Result::Ok;
}

void loadDefaults() {
    Db& db = DM().db();
    Session& s = session();
    QSqlQuery q = db.query(QStringLiteral("select theCK,theJBR,theCGR,theFKC,theTX,theGH,YJMin,YJMax,thePZR,Z_LY,Z_JY,Z_GH,"
                                          "Z_DB,ImgPath from SMRX Where ID=1"));
    if (q.next()) {
        s.DefStorageID = q.value(0).toString();
        s.DefHandler = q.value(1).toString();
        s.DefBuyer = q.value(2).toString();
        s.AllowNegativeStock = q.value(3).toInt() != 0;
        s.RemindOverdue = q.value(4).toInt() != 0;
        s.DefReturnDays = q.value(5).toString();
        s.WarnBelowMin = q.value(6).toInt() != 0;
        s.WarnAboveMax = q.value(7).toInt() != 0;
        s.DefApprover = q.value(8).toString();
        s.ZeroPriceLY = q.value(9).toInt() != 0;
        s.ZeroPriceJY = q.value(10).toInt() != 0;
        s.ZeroPriceGH = q.value(11).toInt() != 0;
        s.ZeroPriceDB = q.value(12).toInt() != 0;
        s.PictureFolder = q.value(13).toString();
    }
    if (s.PictureFolder.isEmpty()) s.PictureFolder = s.AppPath + QStringLiteral("Image");
    QSqlQuery u = db.query(QStringLiteral("select UName from SUnit"));
    if (u.next()) s.UnitName = u.value(0).toString();
}

} // namespace LoginService
