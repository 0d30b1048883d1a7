// The person and supplier queries and the two viewers.
#include "AppFixture.h"

#include "app/DataGrid.h"
#include "app/Session.h"
#include "app/WindowRegistry.h"
#include "exchange/ExcelExport.h"
#include "master/PartyQueries.h"
#include "platform/SheetReader.h"

#include <QComboBox>
#include <QHeaderView>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QTest>

namespace {
QString s(const char* utf8) { return QString::fromUtf8(utf8); }

class PartyQuery : public AppFixture {
protected:
    void SetUp() override {
        AppFixture::SetUp();
        loginAsAdmin();
        struct P { const char* num; const char* dept; const char* name; const char* py; const char* phone; } persons[] = {
            {"0003", "后勤部", "李四", "LS", "13900002222"},
            {"0001", "办公室", "张三", "ZS", "13800001111"},
            {"0002", "办公室", "王五", "WW", ""},
            {"0004", "财务部", "张小三", "ZXS", ""},
        };
        for (const P& p : persons)
            exec(s("insert into SPerson(theNum, DName, PName, thePY, thePhone) values(?, ?, ?, ?, ?)"),
                 {s(p.num), s(p.dept), s(p.name), s(p.py), s(p.phone)});
        for (const char* d : {"办公室", "后勤部", "财务部"}) exec(s("insert into SDepartment(DName) values(?)"), {s(d)});
        struct M { const char* name; const char* py; const char* contact; } merchants[] = {
            {"华通五金", "HTWJ", "赵六"}, {"东方文具", "DFWJ", "赵小六"}, {"北方机电", "BFJD", "钱七"},
        };
        for (const M& m : merchants)
            exec(s("insert into UMerchant(MName, thePY, MProson) values(?, ?, ?)"), {s(m.name), s(m.py), s(m.contact)});
    }
    static QStringList column(DataGrid* g, const QString& field) {
        QStringList out;
        for (int r = 0; r < g->rowCount(); ++r) out << g->text(r, field);
        return out;
    }
};
} // namespace

TEST_F(PartyQuery, PersonsByPinyinInitialsWithEnter) {
    TfrmP_Q w;
    auto* excel = w.findChild<QPushButton*>(QStringLiteral("BitBtn2"));
    EXPECT_FALSE(excel->isEnabled());
    auto* name = w.findChild<QLineEdit*>(QStringLiteral("Edit1"));
    QTest::keyClicks(name, QStringLiteral("zs"));
    QTest::keyClick(name, Qt::Key_Return);
    // ZS is in the initials of 张三 only; ZXS does not contain it.
    EXPECT_EQ(column(w.grid(), s("人员姓名")), QStringList{s("张三")});
    EXPECT_EQ(w.findChild<QLabel*>(QStringLiteral("Label2"))->text(), s("人员数量：1"));
    EXPECT_TRUE(excel->isEnabled());
    EXPECT_EQ(w.grid()->columnWidth(w.grid()->fieldIndex(s("联系方式"))), 160);
    EXPECT_TRUE(w.grid()->isSortable());
}

TEST_F(PartyQuery, PersonConditionsAreRebuiltOnEveryQuery) {
    TfrmP_Q w;
    auto* dept = w.findChild<QComboBox*>(QStringLiteral("DBLookupComboBox1"));
    auto* query = w.findChild<QPushButton*>(QStringLiteral("BitBtn1"));
    query->click();
    EXPECT_EQ(column(w.grid(), s("部门名称")), (QStringList{s("办公室"), s("办公室"), s("后勤部"), s("财务部")}));
    ASSERT_TRUE(setLookupKey(dept, s("办公室")));
    query->click();
    EXPECT_EQ(w.grid()->rowCount(), 2);
    ASSERT_TRUE(setLookupKey(dept, s("后勤部")));
    query->click();
    EXPECT_EQ(column(w.grid(), s("人员姓名")), QStringList{s("李四")});
    // Delete in the box chooses no department again.
    QTest::keyClick(dept, Qt::Key_Delete);
    EXPECT_EQ(dept->currentIndex(), -1);
    query->click();
    EXPECT_EQ(w.grid()->rowCount(), 4);
    // A quote is a character like any other.
    w.findChild<QLineEdit*>(QStringLiteral("Edit1"))->setText(s("O'"));
    query->click();
    EXPECT_EQ(w.grid()->rowCount(), 0);
    EXPECT_EQ(w.findChild<QLabel*>(QStringLiteral("Label2"))->text(), s("人员数量：0"));
}

TEST_F(PartyQuery, PersonExcelUsesItsLayoutInTheShownOrder) {
    session().UnitName = s("测试单位");
    TfrmP_Q w;
    w.BitBtn1Click();
    w.grid()->sortBy(s("工号"), Qt::DescendingOrder);
    w.BitBtn2Click();
    ASSERT_EQ(ui->opened.size(), 1);
    const Worksheet ws = SheetReader::readWorksheet(ui->opened[0].toLocalFile());
    EXPECT_EQ(ws.text(0, 0), s("测试单位人员信息"));
    EXPECT_EQ(ws.text(2, 1), s("0004"));
    EXPECT_FALSE(ws.at(2, 1)->number);
    EXPECT_EQ(ws.text(5, 1), s("0001"));
    EXPECT_EQ(ws.text(5, 5), s("13800001111"));
    EXPECT_FALSE(ws.at(5, 5)->number);
}

TEST_F(PartyQuery, SuppliersByContactOrderedByName) {
    TfrmM_Q w;
    EXPECT_EQ(w.windowTitle(), s("供应商查询"));
    EXPECT_FALSE(w.grid()->isSortable());
    w.findChild<QLineEdit*>(QStringLiteral("Edit2"))->setText(s("赵"));
    w.BitBtn1Click();
    EXPECT_EQ(column(w.grid(), s("商家名称")), (QStringList{s("东方文具"), s("华通五金")}));
    EXPECT_EQ(w.findChild<QLabel*>(QStringLiteral("Label2"))->text(), s("供应商数量：2"));
    EXPECT_EQ(w.grid()->columnWidth(w.grid()->fieldIndex(s("备注"))), 260);
    // Name text matches initials too, and both fields combine.
    w.findChild<QLineEdit*>(QStringLiteral("Edit1"))->setText(s("htwj"));
    w.BitBtn1Click();
    EXPECT_EQ(column(w.grid(), s("商家名称")), QStringList{s("华通五金")});
}

TEST_F(PartyQuery, ViewersShowWhatTheConditionKeeps) {
    TfrmW_P none(nullptr, s("未领用人员"), s(" AND (PName=?)"), {s("没有这个人")});
    none.FormShow();
    EXPECT_EQ(none.windowTitle(), s("未领用人员"));
    EXPECT_EQ(none.grid()->rowCount(), 0);
    EXPECT_EQ(none.findChild<QLabel*>(QStringLiteral("Label1"))->text(), s("数量：0"));

    addArticle(s("0012"), s("扳手"));
    addArticle(s("0013"), s("螺丝刀"));
    session().CanExport = s("否");  // the viewers do not check the right
    TfrmW_A w(nullptr, s("未领用物品"), s(" AND (theNum<>?)"), {s("0013")});
    w.FormShow();
    EXPECT_EQ(w.findChild<QLabel*>(QStringLiteral("Label1"))->text(), s("数量：1"));
    EXPECT_EQ(w.grid()->columnWidth(w.grid()->fieldIndex(s("单价"))), 80);
    EXPECT_EQ(latestWindow<TfrmW_A>(QStringLiteral("TfrmW_A")), &w);
    w.BitBtn2Click();
    ASSERT_EQ(ui->opened.size(), 1);
    const Worksheet ws = SheetReader::readWorksheet(ui->opened[0].toLocalFile());
    EXPECT_EQ(ws.text(0, 1), s("物品编码"));
    EXPECT_EQ(ws.text(1, 1), s("0012"));
}
