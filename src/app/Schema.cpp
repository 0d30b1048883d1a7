#include "app/Schema.h"

#include "app/MenuCatalogue.h"
#include "platform/Db.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>

namespace {

// Column helpers. Text columns ignore ASCII case in comparisons; a text column
// with a width refuses longer values, as the original engine did.
QString text(const char* name, int width = 0) {
    QString n = QString::fromLatin1(name);
    QString s = n + QStringLiteral(" TEXT COLLATE NOCASE");
    if (width > 0) s += QStringLiteral(" CHECK (length(%1) <= %2)").arg(n).arg(width);
    return s;
}
QString integer(const char* name, int def = 0, bool withDefault = true) {
    QString s = QString::fromLatin1(name) + QStringLiteral(" INTEGER");
    if (withDefault) s += QStringLiteral(" DEFAULT %1").arg(def);
    return s;
}
QString money(const char* name) { return QString::fromLatin1(name) + QStringLiteral(" REAL DEFAULT 0"); }
QString bit(const char* name) { return QString::fromLatin1(name) + QStringLiteral(" INTEGER DEFAULT 0"); }

QString table(const QString& name, const QStringList& columns) {
    return QStringLiteral("CREATE TABLE %1 (ID INTEGER PRIMARY KEY AUTOINCREMENT, %2)").arg(name, columns.join(QStringLiteral(", ")));
}

struct DocKind {
    const char* header;
    const char* title;
    QStringList headerExtra;
    QStringList lineExtra;
};

std::vector<DocKind> docKinds() {
    return {
        {"USQ", "物品申请单", {text("theSQPro", 20), text("DName")},
         {money("APrice"), money("theCG"), money("theLY"), money("theJY")}},
        {"UIn_CG", "物品采购入库单", {text("theCGPro", 20), integer("MID", 0, false), integer("SID", 0, false), text("SName", 20)},
         {money("APrice"), integer("SID", 0, false)}},
        {"UOut_TH", "物品退货出库单", {text("theTHPro", 20), integer("MID", 0, false), integer("SID", 0, false), text("SName", 10)},
         {money("APrice"), integer("SID", 0, false)}},
        {"UOut_LY", "物品领用出库单", {text("theLYPro", 20), text("DName"), text("SName", 20)},
         {money("thePrice"), integer("SID", 0, false), money("GHCount")}},
        {"UOut_JC", "物品借用出库单", {text("theLYPro", 20), text("thePZPro", 20), text("DName"), text("SName", 20)},
         {money("thePrice"), integer("SID", 0, false), money("GHCount"), integer("theGH")}},
        {"UIn_GH", "物品归还入库单", {text("theGHPro", 20)},
         {integer("SID", 0, false), integer("JYID", 0, false), text("JYT", 20)}},
        {"UDB", "物品调拨单", {text("DBName", 20), text("RKName", 20)},
         {money("thePrice"), integer("DBID", 0, false), integer("RKID", 0, false)}},
        {"UOut_BS", "物品报损出库单", {text("thePZPro", 20), text("SName", 20)},
         {money("thePrice"), integer("SID", 0, false)}},
        {"UIn_BY", "物品报溢入库单", {text("thePZPro", 20), text("SName", 20)},
         {money("thePrice"), integer("SID", 0, false)}},
    };
}

QStringList statements() {
    QStringList s;
    // Settings and users.
    s << table("SUser", {text("UName", 12), text("UPass", 12), text("Remark", 50), text("thePY", 255),
                         text("theM", 2), text("theD", 2), text("theE", 2)});
    s << table("SMenu", {text("MNum", 3), text("MName", 50)});
    s << table("SLevel", {integer("UID", 0, false), text("MNum", 3)});
    s << table("SLW", {integer("UID", 0, false), text("SName", 20)});
    s << table("SMRX", {integer("theCK", 1), text("theJBR", 20), text("theCGR", 20), text("thePZR", 20), bit("theFKC"),
                        bit("theTX"), integer("theGH", 7), bit("YJMin"), bit("YJMax"), bit("Z_LY"), bit("Z_JY"),
                        bit("Z_GH"), bit("Z_DB"), text("ImgPath", 50)});
    s << table("SUnit", {text("UName", 40)});
    s << table("SDJ", {text("theT", 20), text("theName", 20)});
    s << table("RUser", {text("UName", 20)});
    // Master data.
    s << table("SStorage", {text("SName", 20), text("Remark", 50), text("thePY", 255)});
    s << table("SPlace", {text("PName", 20), text("Remark", 50)});
    s << table("SDepartment", {text("DName", 20), text("thePY", 255), text("Remark", 50)});
    s << table("SPerson", {text("theNum", 16), text("DName", 20), text("PName", 20), text("theJob", 20), text("thePhone", 50),
                           text("theIDCard", 20), text("theAddress", 100), text("Remark", 50), text("thePY", 255)});
    s << table("UMerchant", {text("MName", 50), text("MPhone", 30), text("MProson", 20), text("MAddress", 100),
                             text("Remark", 50), text("thePY", 255)});
    s << table("UAType", {text("theName", 20), text("Remark", 50)});
    s << table("UArticle", {text("theNum", 16), text("theDate", 10), text("AType", 20), text("AName", 50),
                            text("AStandard", 20), text("AUnit", 10), money("APrice"), text("thePY", 255),
                            text("Remark", 50), text("PName", 20), integer("FJCount"), integer("YJMin", 0, false),
                            integer("YJMax", 0, false), text("theYJ", 2)});
    s << table("UAccessory", {integer("AID", 0, false), text("theName", 30), integer("theCount"), text("Remark", 50)});
    s << table("UAFiles", {integer("AID", 0, false), text("FType", 10), money("FSize")});
    s << table("UAPack", {text("theName", 20), text("Remark", 50)});
    s << table("UAPList", {text("theName", 20), integer("AID", 0, false), money("APrice"), money("theCount"),
                           text("Remark", 50), integer("myID")});
    // Stock and ledger.
    s << table("UWare", {integer("AID", 0, false), integer("SID", 0, false), money("WCount")});
    s << table("UWList", {text("theType", 10), text("theNum", 12), integer("SID", 0, false), integer("AID", 0, false),
                          money("theIn"), money("theOut"), text("theDate", 10), text("UName", 20), money("KCCount")});
    // Documents.
    for (const DocKind& k : docKinds()) {
        QString h = QString::fromLatin1(k.header);
        QStringList hc = {text("theNum", 12), text("myDate", 10), text("theDate", 10), text("theUser", 12),
                          text("theBGPro", 20), text("Remark", 100), integer("theDel")};
        hc << k.headerExtra;
        s << table(h, hc);
        QStringList lc = {text("theNum", 12), integer("AID", 0, false), money("theCount"), text("Remark", 50),
                          integer("myID"), integer("theDel")};
        lc << k.lineExtra;
        s << table(h + QStringLiteral("_Bill"), lc);
        s << QStringLiteral("CREATE INDEX %1_theNum ON %1(theNum)").arg(h);
        s << QStringLiteral("CREATE INDEX %1_theDate ON %1(theDate)").arg(h);
        s << QStringLiteral("CREATE INDEX %1_myDate ON %1(myDate)").arg(h);
        s << QStringLiteral("CREATE INDEX %1_Bill_theNum ON %1_Bill(theNum)").arg(h);
        s << QStringLiteral("CREATE INDEX %1_Bill_AID ON %1_Bill(AID)").arg(h);
    }
    // Report work table.
    QStringList ubb = {text("myDate", 30)};
    for (const char* k : {"SQ", "CG", "LY", "JY", "GH", "BS"}) {
        ubb << QStringLiteral("%1 INTEGER DEFAULT 0").arg(QString::fromLatin1(k) + "1");
        ubb << QStringLiteral("%1 REAL DEFAULT 0").arg(QString::fromLatin1(k) + "2");
        ubb << QStringLiteral("%1 REAL DEFAULT 0").arg(QString::fromLatin1(k) + "3");
    }
    s << table("UBB", ubb);

    // Indexes the services need on large data.
    s << QStringLiteral("CREATE UNIQUE INDEX UWare_AID_SID ON UWare(AID, SID)");
    s << QStringLiteral("CREATE INDEX UWare_SID ON UWare(SID)");
    s << QStringLiteral("CREATE INDEX UWList_AID_SID ON UWList(AID, SID)");
    s << QStringLiteral("CREATE INDEX UWList_theDate ON UWList(theDate)");
    s << QStringLiteral("CREATE INDEX UWList_theNum ON UWList(theNum)");
    s << QStringLiteral("CREATE INDEX UArticle_theNum ON UArticle(theNum)");
    s << QStringLiteral("CREATE INDEX UArticle_theDate ON UArticle(theDate)");
    s << QStringLiteral("CREATE INDEX UArticle_thePY ON UArticle(thePY)");
    s << QStringLiteral("CREATE INDEX UAccessory_AID ON UAccessory(AID)");
    s << QStringLiteral("CREATE INDEX UAFiles_AID ON UAFiles(AID)");
    s << QStringLiteral("CREATE INDEX UAPList_theName ON UAPList(theName)");
    s << QStringLiteral("CREATE INDEX SLevel_UID ON SLevel(UID)");
    s << QStringLiteral("CREATE INDEX SLW_UID ON SLW(UID)");
    s << QStringLiteral("CREATE INDEX SPerson_DName ON SPerson(DName)");
    return s;
}

} // namespace

namespace Schema {

const QStringList& documentTables() {
    static const QStringList t = [] {
        QStringList l;
        for (const DocKind& k : docKinds()) l << QString::fromLatin1(k.header);
        return l;
    }();
    return t;
}

const QStringList& requiredTables() {
    static const QStringList t = {QStringLiteral("RUser"), QStringLiteral("SUnit")};
    return t;
}

void create(Db& db, const QString& unitName) {
    Transaction tx(db);
    for (const QString& st : statements()) db.exec(st);

    db.exec(QStringLiteral("INSERT INTO SMRX(ID, theCK, theJBR, theCGR, thePZR, theFKC, theTX, theGH, YJMin, YJMax, "
                           "Z_LY, Z_JY, Z_GH, Z_DB, ImgPath) VALUES(1, 1, '', '', '', 0, 1, 7, 0, 0, 0, 0, 0, 0, '')"));
    db.exec(QStringLiteral("INSERT INTO SUnit(UName) VALUES(?)"), {unitName});
    for (const DocKind& k : docKinds())
        db.exec(QStringLiteral("INSERT INTO SDJ(theT, theName) VALUES(?, ?)"),
                {QString::fromLatin1(k.header), QString::fromUtf8(k.title)});
    db.exec(QStringLiteral("INSERT INTO SUser(UName, UPass, Remark, thePY, theM, theD, theE) "
                           "VALUES('系统管理员', '', '', 'XTGLY', '是', '是', '是')"));
    for (const MenuEntry* e : codedEntries()) {
        db.exec(QStringLiteral("INSERT INTO SMenu(MNum, MName) VALUES(?, ?)"), {e->code, menuName(*e)});
        db.exec(QStringLiteral("INSERT INTO SLevel(UID, MNum) VALUES(1, ?)"), {e->code});
    }
    db.exec(QStringLiteral("INSERT INTO SStorage(SName, Remark, thePY) VALUES('物品仓库', '', 'WPCK')"));
    db.exec(QStringLiteral("INSERT INTO SLW(UID, SName) VALUES(1, '物品仓库')"));
    tx.commit();
}

void createFile(const QString& file, const QString& unitName) {
    QFileInfo fi(file);
    if (fi.exists()) throw DbError(QStringLiteral("数据库文件已存在，不会覆盖：%1").arg(fi.absoluteFilePath()));
    if (!QDir().mkpath(fi.absolutePath()))
        throw DbError(QStringLiteral("无法创建文件夹：%1").arg(fi.absolutePath()));
    {
        Db db;
        db.createNew(fi.absoluteFilePath());
        try {
            create(db, unitName);
        } catch (...) {
            db.close();
            QFile::remove(fi.absoluteFilePath());
            QFile::remove(fi.absoluteFilePath() + QStringLiteral("-wal"));
            QFile::remove(fi.absoluteFilePath() + QStringLiteral("-shm"));
            throw;
        }
    }
}

} // namespace Schema
