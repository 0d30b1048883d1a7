// The data module's services and the schema's initial rows.
#include "AppFixture.h"

#include "app/MenuCatalogue.h"
#include "app/Session.h"
#include "app/Checks.h"

#include <QComboBox>
#include <QSqlQuery>

class Services : public AppFixture {
protected:
    void SetUp() override {
        AppFixture::SetUp();
        loginAsAdmin();
    }
    double stock(qlonglong aid, int sid) {
        return scalar(QStringLiteral("select WCount from UWare where AID=? and SID=?"), {aid, sid}).toDouble();
    }
    // Books one movement the way every document line does.
    void book(const QString& type, qlonglong aid, int sid, const QString& qty, bool in) {
        dm->SaveWare(QString::number(aid), in ? qty : QStringLiteral("-") + qty, QString::number(sid));
        dm->mySaveUWList(type, QStringLiteral("2403070001"), QString::number(sid), QString::number(aid),
                         in ? qty : QStringLiteral("0"), in ? QStringLiteral("0") : qty);
    }
};

TEST_F(Services, InitialRows) {
    EXPECT_EQ(scalar(QStringLiteral("select count(*) from SMRX where ID=1 and theCK=1 and theTX=1 and theGH=7 and theFKC=0")).toInt(), 1);
    EXPECT_EQ(scalar(QStringLiteral("select count(*) from SDJ")).toInt(), 9);
    EXPECT_EQ(scalar(QStringLiteral("select theName from SDJ where theT='UIn_CG'")).toString(), QStringLiteral("物品采购入库单"));
    EXPECT_EQ(scalar(QStringLiteral("select UName||'|'||UPass||'|'||thePY||'|'||theM||theD||theE from SUser")).toString(),
              QStringLiteral("系统管理员||XTGLY|是是是"));
    const int menus = static_cast<int>(codedEntries().size());
    EXPECT_EQ(scalar(QStringLiteral("select count(*) from SMenu")).toInt(), menus);
    EXPECT_EQ(scalar(QStringLiteral("select count(*) from SLevel where UID=1")).toInt(), menus);
    EXPECT_EQ(scalar(QStringLiteral("select MName from SMenu where MNum='102'")).toString(), QStringLiteral("采购入库单"));
    EXPECT_EQ(scalar(QStringLiteral("select MName from SMenu where MNum='002'")).toString(), QStringLiteral("-"));
    EXPECT_EQ(scalar(QStringLiteral("select SName||thePY from SStorage")).toString(), QStringLiteral("物品仓库WPCK"));
    EXPECT_EQ(scalar(QStringLiteral("select SName from SLW where UID=1")).toString(), QStringLiteral("物品仓库"));
    EXPECT_EQ(scalar(QStringLiteral("select count(*) from SUnit")).toInt(), 1);
}

TEST_F(Services, FirstMovementOutCreatesANegativeRow) {
    dm->SaveWare(QStringLiteral("12"), QStringLiteral("-3"), QStringLiteral("1"));
    EXPECT_EQ(stock(12, 1), -3);
    EXPECT_EQ(dm->myRetKCCount(QStringLiteral("1"), QStringLiteral("12")), QStringLiteral("-3"));
}

TEST_F(Services, EmptyArgumentChangesNothing) {
    dm->SaveWare(QString(), QStringLiteral("5"), QStringLiteral("1"));
    dm->SaveWare(QStringLiteral("1"), QString(), QStringLiteral("1"));
    dm->SaveWare(QStringLiteral("1"), QStringLiteral("5"), QString());
    EXPECT_EQ(count(QStringLiteral("select * from UWare")), 0);
}

TEST_F(Services, MalformedQuantityIsRefused) {
    EXPECT_THROW(dm->SaveWare(QStringLiteral("1"), QStringLiteral("5;drop table UWare"), QStringLiteral("1")), DbError);
    EXPECT_THROW(dm->SaveWare(QStringLiteral("1"), QStringLiteral("1e300"), QStringLiteral("1")), DbError);
    EXPECT_EQ(count(QStringLiteral("select * from UWare")), 0);
}

TEST_F(Services, LedgerStockFollowsEveryMovement) {
    const qlonglong a = addArticle(QStringLiteral("0001"));
    struct Step { const char* type; const char* qty; bool in; double after; } steps[] = {
        {"采购入库", "5", true, 5}, {"领用出库", "2.5", false, 2.5}, {"借用出库", "0.3", false, 2.2},
        {"归还入库", "0.1", true, 2.3}, {"归还入库", "0.2", true, 2.5}, {"报损出库", "4", false, -1.5},
    };
    for (const auto& s : steps) {
        book(QString::fromUtf8(s.type), a, 1, QString::fromLatin1(s.qty), s.in);
        EXPECT_DOUBLE_EQ(stock(a, 1), s.after) << s.type;
        QSqlQuery q = dm->db().query(QStringLiteral("select theIn, theOut, KCCount, theDate, UName from UWList order by ID desc limit 1"));
        ASSERT_TRUE(q.next());
        EXPECT_DOUBLE_EQ(q.value(0).toDouble(), s.in ? QString::fromLatin1(s.qty).toDouble() : 0);
        EXPECT_DOUBLE_EQ(q.value(1).toDouble(), s.in ? 0 : QString::fromLatin1(s.qty).toDouble());
        EXPECT_DOUBLE_EQ(q.value(2).toDouble(), s.after);
        EXPECT_EQ(q.value(3).toString(), QStringLiteral("2024-03-07"));
        EXPECT_EQ(q.value(4).toString(), QStringLiteral("系统管理员"));
    }
    EXPECT_EQ(count(QStringLiteral("select * from UWare")), 1);
    EXPECT_TRUE(Checks::run(dm->db()).isEmpty());
}

TEST_F(Services, CheckReportsAStockRowThatDiffersFromItsLedger) {
    const qlonglong a = addArticle(QStringLiteral("0001"));
    book(QStringLiteral("采购入库"), a, 1, QStringLiteral("5"), true);
    exec(QStringLiteral("update UWare set WCount=4"));
    const QStringList problems = Checks::run(dm->db());
    ASSERT_EQ(problems.size(), 1);
    EXPECT_TRUE(problems[0].contains(QStringLiteral("4"))) << problems[0].toStdString();
}

TEST_F(Services, NewNumCountsCancelledRowsAndPadsToFourDigits) {
    for (int del : {0, 1, 0})
        exec(QStringLiteral("insert into UIn_CG(theNum, theDate, theDel) values('x', '2024-03-07', ?)"), {del});
    exec(QStringLiteral("insert into UIn_CG(theNum, theDate, theDel) values('x', '2024-03-06', 0)"));
    EXPECT_EQ(dm->NewNum(QStringLiteral("UIn_CG")), QStringLiteral("2403070004"));
    EXPECT_EQ(dm->NewNum(QStringLiteral("UOut_LY")), QStringLiteral("2403070001"));
    EXPECT_THROW(dm->NewNum(QStringLiteral("UIn_CG; drop table SUser")), DbError);
}

TEST_F(Services, NewNumUsesFiveDigitSequencesUnpadded) {
    exec(QStringLiteral("with recursive n(i) as (select 1 union all select i+1 from n where i < 10000) "
                        "insert into UArticle(theNum, theDate) select 'x', '2024-03-07' from n"));
    EXPECT_EQ(dm->NewNum(QStringLiteral("UArticle")), QStringLiteral("24030710001"));
}

TEST_F(Services, MyRetKCCountWithoutARowIsZero) {
    EXPECT_EQ(dm->myRetKCCount(QStringLiteral("1"), QStringLiteral("99")), QStringLiteral("0"));
}

TEST_F(Services, MyRetAFNamesTheAttachedFile) {
    exec(QStringLiteral("insert into UAFiles(AID, FType, FSize) values(17, 'pdf', 1.5)"));
    EXPECT_EQ(dm->myRetAF(QStringLiteral("17")), QStringLiteral("17.pdf"));
    EXPECT_EQ(dm->myRetAF(QStringLiteral("18")), QString());
}

TEST_F(Services, StorageListFollowsUserStorages) {
    exec(QStringLiteral("insert into SStorage(SName) values('备件仓库')"));
    exec(QStringLiteral("insert into SStorage(SName) values('O''Brien库')"));
    QComboBox a, b;
    session().UserStorageNames.clear();
    dm->DBComStorage(&a);
    EXPECT_EQ(a.count(), 3);
    session().UserStorageNames = {QStringLiteral("物品仓库"), QStringLiteral("O'Brien库")};
    dm->DBComStorage(&b);
    // One shared list: refilling it changes every box bound to it.
    EXPECT_EQ(a.count(), 2);
    EXPECT_EQ(b.count(), 2);
    ASSERT_TRUE(setLookupKey(&b, QStringLiteral("1")));
    EXPECT_EQ(b.currentText(), QStringLiteral("物品仓库"));
    b.setCurrentIndex(1);
    EXPECT_EQ(b.currentText(), QStringLiteral("O'Brien库"));
    EXPECT_EQ(lookupKey(&b), QStringLiteral("3"));
}

TEST_F(Services, RefillingASharedListKeepsEachBoxsChoice) {
    for (const char* t : {"办公用品", "工具", "劳保用品"}) exec(QStringLiteral("insert into UAType(theName) values(?)"), {QString::fromUtf8(t)});
    QComboBox chosen, none, gone;
    dm->DBComAType(&chosen);
    dm->DBComAType(&none);
    dm->DBComAType(&gone);
    ASSERT_TRUE(setLookupKey(&chosen, QStringLiteral("工具")));
    none.setCurrentIndex(-1);
    ASSERT_TRUE(setLookupKey(&gone, QStringLiteral("劳保用品")));
    exec(QStringLiteral("delete from UAType where theName='劳保用品'"));
    // A dialog filling its own box refills the list of all three.
    QComboBox dialogBox;
    dm->DBComAType(&dialogBox);
    EXPECT_EQ(chosen.count(), 2);
    EXPECT_EQ(lookupKey(&chosen), QStringLiteral("工具"));
    EXPECT_EQ(none.currentIndex(), -1);
    EXPECT_EQ(gone.currentIndex(), -1) << "a key no longer listed is not replaced by another";
    // Refilling a box itself keeps its choice too.
    dm->DBComAType(&chosen);
    EXPECT_EQ(lookupKey(&chosen), QStringLiteral("工具"));
}

TEST_F(Services, PersonListByDepartmentKeepsQuotes) {
    exec(QStringLiteral("insert into SPerson(PName, DName) values('张三', '办公室')"));
    exec(QStringLiteral("insert into SPerson(PName, DName) values('O''Neil', 'R&D''s')"));
    QComboBox box;
    dm->DBComPerson(&box, QStringLiteral("R&D's"));
    ASSERT_EQ(box.count(), 1);
    EXPECT_EQ(box.itemText(0), QStringLiteral("O'Neil"));
    EXPECT_EQ(dm->myRetCount(QStringLiteral("select * from SPerson where PName=?"), {QStringLiteral("O'Neil")}), 1);
}

TEST_F(Services, SchemaRefusesTooLongValues) {
    EXPECT_THROW(exec(QStringLiteral("insert into SStorage(SName) values(?)"), {QString(21, QLatin1Char('x'))}), DbError);
    EXPECT_NO_THROW(exec(QStringLiteral("insert into SStorage(SName) values(?)"), {QString(20, QChar(0x4ED3))}));
}
