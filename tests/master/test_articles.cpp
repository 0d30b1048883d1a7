// The article register (TfrmArticle_M) and the article query (TfrmArticle_Q):
// code proposal and duplicates, required fields, stock-guarded deletion,
// filters, deleting what the query shows, the export and the rights, through
// the real windows offscreen.
#include "AppFixture.h"

#include "app/DataGrid.h"
#include "app/Session.h"
#include "app/WindowRegistry.h"
#include "exchange/ExcelExport.h"
#include "master/Accessories.h"
#include "master/ArticleDialogs.h"
#include "master/ArticleQuery.h"
#include "master/ArticleRegister.h"
#include "master/ArticleTools.h"
#include "master/GbkLineEdit.h"
#include "master/IMCode.h"
#include "master/MasterWindows.h"
#include "master/RegisterLogic.h"
#include "platform/SheetReader.h"

#include <QAction>
#include <QComboBox>
#include <QDir>
#include <QLabel>
#include <QLineEdit>
#include <QMenu>
#include <QPushButton>
#include <QTest>

namespace {

QString s(const char* utf8) { return QString::fromUtf8(utf8); }

class Articles : public AppFixture {
protected:
    void SetUp() override {
        AppFixture::SetUp();
        loginAsAdmin();
        for (const char* t : {"办公用品", "工具"}) exec(s("insert into UAType(theName) values(?)"), {s(t)});
        for (const char* p : {"A-01", "B-02"}) exec(s("insert into SPlace(PName) values(?)"), {s(p)});
        exec(s("insert into SStorage(SName) values('备件仓库')"));
    }
    void TearDown() override {
        ArticleTools::setModalRunner(nullptr);
        AppFixture::TearDown();
    }

    qlonglong article(const char* code, const char* name, const char* type = "", const char* place = "",
                      const char* standard = "", const char* remark = "") {
        exec(s("insert into UArticle(theNum, theDate, AType, AName, AStandard, AUnit, APrice, thePY, Remark, PName, "
               "FJCount, YJMin, YJMax, theYJ) values(?, '2024-01-02', ?, ?, ?, '个', 2.5, ?, ?, ?, 0, 9, 99, '否')"),
             {s(code), s(type), s(name), s(standard), PinyinCodeOf(s(name)), s(remark), s(place)});
        return scalar(s("select max(ID) from UArticle")).toLongLong();
    }
    void stock(qlonglong aid, int sid, double count) {
        exec(s("insert into UWare(AID, SID, WCount) values(?, ?, ?)"), {aid, sid, count});
    }
    static QStringList column(DataGrid* g, const char* field) {
        QStringList out;
        for (int r = 0; r < g->rowCount(); ++r) out << g->text(r, s(field));
        return out;
    }
    template <typename T>
    static T* child(QWidget& w, const char* name) {
        T* c = w.findChild<T*>(QString::fromLatin1(name));
        EXPECT_NE(c, nullptr) << name;
        return c;
    }
    static void fill(TfrmArticle_M& w, const char* code, const char* name, const char* unit, const char* price) {
        w.lineEdit(s("DBEdit6"))->setText(s(code));
        w.lineEdit(s("DBEdit1"))->setText(s(name));
        w.lineEdit(s("DBEdit3"))->setText(s(unit));
        w.lineEdit(s("DBEdit4"))->setText(s(price));
    }
};

} // namespace

TEST_F(Articles, CodeProposedAfterNewAndDuplicateAfterSameDayDelete) {
    TfrmArticle_M w;
    EXPECT_EQ(w.windowTitle(), s("物品管理"));
    auto* save = child<QPushButton>(w, "ButSave");

    // The first article of the day: yymmdd0001, with the fixed values of a new article.
    w.ButNewClick();
    EXPECT_EQ(w.lineEdit(s("DBEdit6"))->text(), s("2403070001"));
    fill(w, "2403070001", "仓库钥匙", "把", "12.5");
    ASSERT_TRUE(setLookupKey(w.comboBox(s("DBLookupComboBox1")), s("工具")));
    ASSERT_TRUE(setLookupKey(w.comboBox(s("DBLookupComboBox2")), s("B-02")));
    save->click();
    ASSERT_EQ(w.state(), TfrmRegister::State::Browse);
    EXPECT_TRUE(ui->messages.isEmpty()) << ui->lastText().toStdString();
    const qlonglong first = scalar(s("select ID from UArticle where theNum='2403070001'")).toLongLong();
    EXPECT_EQ(scalar(s("select theDate||'/'||YJMin||'/'||YJMax||'/'||theYJ||'/'||FJCount||'/'||thePY||'/'||AType||'/'||"
                       "PName||'/'||APrice from UArticle where ID=?"),
                     {first})
                  .toString(),
              s("2024-03-07/9/99/否/0/CKYS/工具/B-02/12.5"));

    // Deleting the day's only article: the same code is proposed and is free again.
    w.setCurrentRowIndex(0);
    ui->answers.enqueue(true);
    w.ButDelClick();
    ASSERT_EQ(count(s("select * from UArticle")), 0);
    w.ButNewClick();
    EXPECT_EQ(w.lineEdit(s("DBEdit6"))->text(), s("2403070001"));
    fill(w, "2403070001", "签字笔", "支", "1");
    save->click();
    EXPECT_EQ(w.state(), TfrmRegister::State::Browse);
    w.ButNewClick();
    EXPECT_EQ(w.lineEdit(s("DBEdit6"))->text(), s("2403070002"));
    fill(w, "2403070002", "订书机", "台", "20");
    save->click();

    // Two of the day, the first deleted: the proposal is the second's code.
    w.setCurrentRowIndex(0);
    ui->clear();
    ui->answers.enqueue(true);
    w.ButDelClick();
    w.ButNewClick();
    EXPECT_EQ(w.lineEdit(s("DBEdit6"))->text(), s("2403070002"));
    fill(w, "2403070002", "胶水", "瓶", "3");
    ui->clear();
    save->click();
    EXPECT_EQ(ui->texts(), QStringList{s("物品编码 添加重复！")});
    EXPECT_EQ(w.state(), TfrmRegister::State::Inserting);
    EXPECT_EQ(w.lineEdit(s("DBEdit1"))->text(), s("胶水")) << "the entry is kept";
    EXPECT_EQ(count(s("select * from UArticle")), 1);
    // Typed over, the code saves.
    w.lineEdit(s("DBEdit6"))->setText(s("2403070003"));
    save->click();
    EXPECT_EQ(w.state(), TfrmRegister::State::Browse);
    EXPECT_EQ(count(s("select * from UArticle where AName='胶水' and theNum='2403070003'")), 1);
}

TEST_F(Articles, SavesCheckFieldsInOrderAndCodesStayUnique) {
    const qlonglong other = article("A-100", "扳手");
    const qlonglong own = article("A-200", "螺丝刀");
    RegisterLogic logic(ArticleRegister::spec(), *dm);
    auto values = [](const char* code, const char* name, const char* unit, const char* price) {
        return RegisterValues{{s("theNum"), s(code)}, {s("AName"), s(name)}, {s("AUnit"), s(unit)},
                              {s("APrice"), s(price)}, {s("AType"), QString()}, {s("PName"), QString()},
                              {s("AStandard"), QString()}, {s("Remark"), QString()}};
    };
    struct Case {
        RegisterValues v;
        const char* message;
        const char* focus;
    } cases[] = {
        {values(" ", "", "", ""), "物品编码 不能为空！请重新录入！", "DBEdit6"},
        {values("X1", "", "", ""), "物品名称 不能为空！请重新录入！", "DBEdit1"},
        {values("X1", "锤子", "", ""), "单位 不能为空！请重新录入！", "DBEdit3"},
        {values("X1", "锤子", "把", ""), "单价 不能为空！请重新录入！", "DBEdit4"},
        {values("X1", "锤子", "把", "1.2.3"), "单价 不是有效的数字！请重新录入！", "DBEdit4"},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.message);
        for (bool edit : {false, true}) {
            const RegisterResult r = edit ? logic.saveEdit(own, c.v) : logic.saveNew(c.v);
            EXPECT_FALSE(r.ok);
            EXPECT_EQ(r.message, s(c.message));
            EXPECT_EQ(r.focus, s(c.focus));
        }
    }
    EXPECT_EQ(count(s("select * from UArticle")), 2);

    // An edit may keep its own code, not take another article's.
    RegisterResult r = logic.saveEdit(own, values("A-100", "螺丝刀", "把", "3"));
    EXPECT_EQ(r.message, s("物品编码 重复！该编码已被其他物品使用！"));
    EXPECT_EQ(r.focus, s("DBEdit6"));
    EXPECT_EQ(scalar(s("select theNum from UArticle where ID=?"), {own}).toString(), s("A-200"));
    r = logic.saveEdit(own, values("A-200", "十字螺丝刀", "把", "3"));
    EXPECT_TRUE(r.ok);
    EXPECT_EQ(scalar(s("select thePY from UArticle where ID=?"), {own}).toString(), s("SZLSD"));
    // Codes compare as the column does (ASCII case ignored), quotes plainly.
    EXPECT_EQ(logic.saveNew(values("a-100", "锤子", "把", "1")).message, s("物品编码 添加重复！"));
    EXPECT_TRUE(logic.saveNew(values("A'1%", "锤子", "把", "1")).ok);
    EXPECT_EQ(scalar(s("select AName from UArticle where ID=?"), {other}).toString(), s("扳手"));
}

TEST_F(Articles, RegisterLayoutEditorsAndPopup) {
    article("A-100", "扳手", "工具", "A-01");
    registerMasterWindows();
    for (const char* cls : {"TfrmArticle_M", "TfrmArticle_Q"}) {
        SCOPED_TRACE(cls);
        ASSERT_TRUE(WindowRegistry::has(s(cls)));
        std::unique_ptr<QWidget> w(WindowRegistry::create(s(cls), nullptr));
        EXPECT_EQ(w->objectName(), s(cls).mid(1));
    }

    TfrmArticle_M w;
    DataGrid* g = w.grid();
    QStringList shown;
    for (int c = 0; c < g->columnCount(); ++c)
        if (!g->isColumnHidden(c)) shown << g->fieldName(c);
    EXPECT_EQ(shown, (QStringList{s("物品编码"), s("物品分类"), s("物品名称"), s("规格型号"), s("单位"), s("单价"),
                                  s("附件数量"), s("备注"), s("货位名称")}));
    EXPECT_EQ(g->columnCount(), 15);
    EXPECT_EQ(g->columnWidth(g->fieldIndex(s("物品名称"))), 200);
    EXPECT_EQ(g->columnWidth(g->fieldIndex(s("备注"))), 200);
    EXPECT_EQ(g->columnWidth(g->fieldIndex(s("规格型号"))), 100);
    EXPECT_EQ(g->columnWidth(g->fieldIndex(s("单价"))), 60);
    EXPECT_TRUE(g->isSortable());
    EXPECT_EQ(g->toolTip(), s("亲，鼠标右键 有惊喜哟！"));

    // Editor limits in GBK bytes; the price takes digits and the point.
    struct Limit { const char* editor; int bytes; } limits[] = {
        {"DBEdit6", 16}, {"DBEdit1", 50}, {"DBEdit2", 20}, {"DBEdit3", 10}, {"DBEdit4", 10}, {"DBEdit5", 50}};
    for (const Limit& l : limits) {
        auto* v = qobject_cast<const GbkLimitValidator*>(w.lineEdit(s(l.editor))->validator());
        ASSERT_NE(v, nullptr) << l.editor;
        EXPECT_EQ(v->byteLimit(), l.bytes) << l.editor;
    }
    EXPECT_EQ(qobject_cast<const GbkLimitValidator*>(w.lineEdit(s("DBEdit4"))->validator())->allowed(),
              GbkLineEdit::Decimal);
    EXPECT_EQ(w.comboBox(s("DBLookupComboBox1"))->currentText(), s("工具"));

    QStringList items;
    for (QAction* a : w.findChild<QMenu*>(s("PopupMenu1"))->actions())
        items << (a->isSeparator() ? s("-") : a->objectName() + QLatin1Char(' ') + a->text());
    EXPECT_EQ(items, (QStringList{s("A1 附件管理 &A"), s("-"), s("Y1 预警设置 &Y"), s("-"), s("P1 图片管理 &P"),
                                  s("K1 查看图片 &K"), s("L1 图片列表 &L"), s("-"), s("F1 文件上传 &F"),
                                  s("D1 文件下载 &D")}));
}

TEST_F(Articles, AStoredTypeNoLongerListedIsKeptByAnEdit) {
    const qlonglong a = article("A-100", "扳手", "旧分类", "A-01");
    article("A-200", "钳子");
    TfrmArticle_M w;
    QComboBox* type = w.comboBox(s("DBLookupComboBox1"));
    EXPECT_EQ(type->currentIndex(), -1);
    EXPECT_EQ(type->placeholderText(), s("旧分类"));
    // The next row has no type: it shows none, not the first of the list.
    w.setCurrentRowIndex(1);
    EXPECT_EQ(type->currentIndex(), -1);
    EXPECT_EQ(type->placeholderText(), QString());
    w.setCurrentRowIndex(0);
    w.ButMedClick();
    ASSERT_EQ(w.state(), TfrmRegister::State::Editing);
    w.lineEdit(s("DBEdit1"))->setText(s("活动扳手"));
    w.ButSaveEditClick();
    EXPECT_EQ(scalar(s("select AType||'/'||AName||'/'||PName from UArticle where ID=?"), {a}).toString(),
              s("旧分类/活动扳手/A-01"));
    // Delete in the box lets the type go; a place chosen from the list replaces the old one.
    w.ButMedClick();
    QTest::keyClick(type, Qt::Key_Delete);
    QComboBox* place = w.comboBox(s("DBLookupComboBox2"));
    QTest::keyClick(place, Qt::Key_Delete);
    w.ButSaveEditClick();
    EXPECT_EQ(scalar(s("select AType||'/'||PName from UArticle where ID=?"), {a}).toString(), s("/"));
}

TEST_F(Articles, RegisterDeletesOnlyWithoutStock) {
    const qlonglong keys = article("A-100", "钥匙");
    const qlonglong other = article("A-200", "扳手");
    stock(keys, 1, 0);
    stock(keys, 2, 3);
    stock(other, 1, 0);
    TfrmArticle_M w;
    ASSERT_EQ(w.currentRow().value(s("ID")).toLongLong(), keys);

    // Stock in one storage keeps the article, without a question.
    w.ButDelClick();
    EXPECT_EQ(ui->texts(), QStringList{s("钥匙 有库存，不能删除！")});
    EXPECT_EQ(count(s("select * from UWare where AID=?"), {keys}), 2);

    // At 0 everywhere it goes, its stock rows with it; other articles' rows stay.
    exec(s("update UWare set WCount=0 where AID=?"), {keys});
    ui->clear();
    ui->answers.enqueue(true);
    w.ButDelClick();
    EXPECT_EQ(ui->texts(), QStringList{s("确认要删除吗？该删除将不可恢复！")});
    EXPECT_EQ(count(s("select * from UArticle where ID=?"), {keys}), 0);
    EXPECT_EQ(count(s("select * from UWare where AID=?"), {keys}), 0);
    EXPECT_EQ(count(s("select * from UWare where AID=?"), {other}), 1);
    EXPECT_EQ(w.rowCount(), 1);
}

TEST_F(Articles, WithheldRightsDoNothing) {
    const qlonglong a = article("A-100", "扳手");
    article("A-200", "钳子");
    session().CanModify = s("否");
    session().CanDelete = s("否");
    session().CanExport = s("否");
    int dialogs = 0;
    ArticleTools::setModalRunner([&dialogs](QDialog*) { ++dialogs; return 0; });

    TfrmArticle_M reg;
    reg.ButMedClick();
    EXPECT_EQ(reg.state(), TfrmRegister::State::Browse);
    reg.ButDelClick();

    TfrmArticle_Q q;
    q.BitBtn1Click();
    ASSERT_EQ(q.grid()->rowCount(), 2);
    q.M1Click();
    q.P2Click();
    q.D1Click();
    q.A1Click();
    emit q.grid()->chosen(0);
    q.BitBtn2Click();

    EXPECT_EQ(dialogs, 0);
    EXPECT_TRUE(ui->messages.isEmpty()) << ui->lastText().toStdString();
    EXPECT_TRUE(ui->opened.isEmpty());
    EXPECT_TRUE(QDir(ExcelExport::folder()).isEmpty());
    EXPECT_EQ(count(s("select * from UArticle")), 2);
    EXPECT_EQ(scalar(s("select theNum from UArticle where ID=?"), {a}).toString(), s("A-100"));
}

TEST_F(Articles, QueryFiltersByPinyinPlaceTypeAndText) {
    article("A-100", "仓库钥匙", "工具", "A-01", "大号", "铜");
    article("A-200", "扳手", "工具", "B-02", "12mm", "");
    article("B-300", "库存卡", "办公用品", "A-01", "", "100%纸");
    article("B-400", "订书机", "办公用品", "B-02", "", "");
    TfrmArticle_Q w;
    EXPECT_EQ(w.windowTitle(), s("物品查询"));
    auto* excel = child<QPushButton>(w, "BitBtn2");
    EXPECT_FALSE(excel->isEnabled());
    auto* name = child<QLineEdit>(w, "Edit1");
    auto* type = child<QComboBox>(w, "DBLookupComboBox1");
    auto* place = child<QComboBox>(w, "DBLookupComboBox2");
    EXPECT_EQ(type->currentIndex(), -1);
    EXPECT_EQ(place->currentIndex(), -1);

    // Enter in the name field runs the query; initials are found anywhere, any case.
    QTest::keyClicks(name, s("ck"));
    QTest::keyClick(name, Qt::Key_Return);
    EXPECT_EQ(column(w.grid(), "物品名称"), (QStringList{s("库存卡"), s("仓库钥匙")}));
    EXPECT_EQ(child<QLabel>(w, "Label2")->text(), s("物品数量：2"));
    EXPECT_TRUE(excel->isEnabled());
    EXPECT_EQ(w.condition(), s(" AND ((AName like ?) OR (thePY like ?))"));
    EXPECT_EQ(w.conditionParams(), (QVariantList{s("%ck%"), s("%ck%")}));
    name->setText(s("K"));
    w.BitBtn1Click();
    EXPECT_EQ(column(w.grid(), "物品名称"), (QStringList{s("库存卡"), s("仓库钥匙")}));
    name->clear();

    struct Case {
        const char* field;   // an edit, or a box and the key chosen in it
        const char* value;
        QStringList codes;   // in the query's order (type, name)
    } cases[] = {
        {"DBLookupComboBox2", "A-01", {s("B-300"), s("A-100")}},
        {"DBLookupComboBox1", "工具", {s("A-100"), s("A-200")}},
        {"Edit4", "b-", {s("B-300"), s("B-400")}},
        {"Edit2", "mm", {s("A-200")}},
        {"Edit3", "铜", {s("A-100")}},
        // Typed wildcards act as wildcards; a quote is a plain character.
        {"Edit4", "_-_0", {s("B-300"), s("B-400"), s("A-100"), s("A-200")}},
        {"Edit1", "O'", {}},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.value);
        if (auto* box = w.findChild<QComboBox*>(s(c.field))) ASSERT_TRUE(setLookupKey(box, s(c.value)));
        else w.findChild<QLineEdit*>(s(c.field))->setText(s(c.value));
        w.BitBtn1Click();
        EXPECT_EQ(column(w.grid(), "物品编码"), c.codes);
        if (auto* box = w.findChild<QComboBox*>(s(c.field))) {
            // Delete in the box: nothing chosen, no filter.
            QTest::keyClick(box, Qt::Key_Delete);
            EXPECT_EQ(box->currentIndex(), -1);
        } else {
            w.findChild<QLineEdit*>(s(c.field))->clear();
        }
    }
    w.BitBtn1Click();
    EXPECT_EQ(w.condition(), QString());
    EXPECT_EQ(w.grid()->rowCount(), 4);
    // Filters combine.
    ASSERT_TRUE(setLookupKey(place, s("B-02")));
    ASSERT_TRUE(setLookupKey(type, s("办公用品")));
    w.BitBtn1Click();
    EXPECT_EQ(column(w.grid(), "物品编码"), QStringList{s("B-400")});
    EXPECT_EQ(w.condition(), s(" AND (AType=?) AND (PName=?)"));
}

TEST_F(Articles, QueryDeletesExactlyWhatItShows) {
    const qlonglong a = article("A-100", "扳手", "工具");
    const qlonglong b = article("A-200", "钳子", "工具");
    const qlonglong c = article("B-300", "订书机", "办公用品");
    stock(a, 1, 5);  // no stock check here
    stock(b, 1, 0);
    stock(c, 1, 2);
    TfrmArticle_Q w;
    ASSERT_TRUE(setLookupKey(child<QComboBox>(w, "DBLookupComboBox1"), s("工具")));
    w.BitBtn1Click();
    ASSERT_EQ(w.grid()->rowCount(), 2);
    // Added after the query: not shown, so not deleted.
    const qlonglong later = article("A-400", "锤子", "工具");

    // No at the question: nothing.
    w.A1Click();
    EXPECT_EQ(count(s("select * from UArticle")), 4);
    ui->answers.enqueue(true);
    w.A1Click();
    EXPECT_EQ(count(s("select * from UArticle where ID in (?, ?)"), {a, b}), 0);
    EXPECT_EQ(count(s("select * from UWare where AID in (?, ?)"), {a, b}), 0);
    EXPECT_EQ(count(s("select * from UArticle where ID in (?, ?)"), {c, later}), 2);
    EXPECT_EQ(count(s("select * from UWare where AID=?"), {c}), 1);
    // The query ran again.
    EXPECT_EQ(column(w.grid(), "物品编码"), QStringList{s("A-400")});
    EXPECT_EQ(child<QLabel>(w, "Label2")->text(), s("物品数量：1"));

    // "删除" takes the current article only.
    child<QComboBox>(w, "DBLookupComboBox1")->setCurrentIndex(-1);
    w.BitBtn1Click();
    w.grid()->setCurrentRow(1);
    const qlonglong current = w.grid()->currentValue(s("ID")).toLongLong();
    ui->answers.enqueue(true);
    w.D1Click();
    EXPECT_EQ(count(s("select * from UArticle where ID=?"), {current}), 0);
    EXPECT_EQ(count(s("select * from UArticle")), 1);
    EXPECT_EQ(w.grid()->rowCount(), 1);
}

TEST_F(Articles, QueryExportsTheShownRows) {
    session().UnitName = s("测试单位");
    article("0012", "扳手", "工具", "A-01", "12mm");
    article("0013", "钳子", "工具", "B-02");
    article("0099", "订书机", "办公用品");
    TfrmArticle_Q w;
    w.findChild<QLineEdit*>(s("Edit4"))->setText(s("001"));
    w.BitBtn1Click();
    w.grid()->sortBy(s("物品编码"), Qt::DescendingOrder);
    w.BitBtn2Click();
    ASSERT_EQ(ui->opened.size(), 1);
    const Worksheet ws = SheetReader::readWorksheet(ui->opened[0].toLocalFile());
    EXPECT_EQ(ws.text(0, 0), s("测试单位物品信息"));
    QStringList headers;
    for (int c = 0; c < 9; ++c) headers << ws.text(1, c);
    EXPECT_EQ(headers, (QStringList{s("序号"), s("物品编码"), s("物品分类"), s("物品名称"), s("规格型号"), s("单位"),
                                    s("单价"), s("备注"), s("货位名称")}));
    EXPECT_EQ(ws.text(2, 1), s("0013"));
    EXPECT_FALSE(ws.at(2, 1)->number) << "codes are written as text";
    EXPECT_EQ(ws.text(3, 1), s("0012"));
    EXPECT_EQ(ws.text(3, 4), s("12mm"));
    EXPECT_EQ(ws.text(3, 8), s("A-01"));
    EXPECT_EQ(ws.text(4, 1), QString()) << "only the two shown rows";
}

TEST_F(Articles, ToolsRefreshAndLeaveTheChosenFiltersAlone) {
    const qlonglong a = article("A-100", "扳手", "工具", "B-02");
    article("A-200", "钳子", "工具");
    article("B-300", "订书机", "办公用品");

    // The register: the accessory dialog's close shows the new 附件数量, on the same row.
    TfrmArticle_M reg;
    reg.setCurrentRowIndex(0);
    ArticleTools::setModalRunner([](QDialog* d) {
        auto* fj = qobject_cast<TfrmA_FJ*>(d);
        if (fj) {
            fj->Edit1->setText(s("钥匙扣"));
            fj->Edit2->setText(s("3"));
            fj->BitBtn1Click();
        }
        d->done(QDialog::Accepted);
        return int(QDialog::Accepted);
    });
    reg.findChild<QAction*>(s("A1"))->trigger();
    EXPECT_EQ(reg.currentRow().value(s("ID")).toLongLong(), a);
    EXPECT_EQ(reg.currentRow().value(s("附件数量")).toInt(), 3);
    // Another dialog filling the shared type and place lists leaves the register's boxes as they were.
    reg.Y1Click();
    EXPECT_EQ(reg.comboBox(s("DBLookupComboBox1"))->currentText(), s("工具"));
    EXPECT_EQ(reg.comboBox(s("DBLookupComboBox2"))->currentText(), s("B-02"));

    // The query: a change through "修改" runs the query again with its filter as chosen.
    TfrmArticle_Q q;
    auto* type = child<QComboBox>(q, "DBLookupComboBox1");
    ASSERT_TRUE(setLookupKey(type, s("工具")));
    q.BitBtn1Click();
    ASSERT_EQ(q.grid()->rowCount(), 2);
    ArticleTools::setModalRunner([](QDialog* d) {
        if (auto* m = qobject_cast<TfrmA_M*>(d)) {
            m->loadArticle();
            m->GroupBox1->Edit2->setText(s("活动扳手"));
            m->BitBtn1Click();
        }
        return int(QDialog::Accepted);
    });
    emit q.grid()->chosen(0);
    EXPECT_EQ(type->currentText(), s("工具"));
    EXPECT_EQ(column(q.grid(), "物品名称"), (QStringList{s("活动扳手"), s("钳子")}));
    EXPECT_EQ(scalar(s("select thePY from UArticle where ID=?"), {a}).toString(), s("HDBS"));
}

TEST_F(Articles, LabelButtonsWaitForLabelPrinting) {
    article("A-100", "扳手", "工具");
    TfrmArticle_Q w;
    w.BitBtn1Click();
    for (const char* b : {"BitBtn4", "Button1", "BitBtn5"}) EXPECT_FALSE(child<QPushButton>(w, b)->isEnabled()) << b;

    QStringList printed;
    ArticleQuery::installLabelPrinting(
        {[&](const QString& c, const QVariantList& p) { printed << s("条码") + c + p.value(0).toString(); },
         [&](const QString& c, const QVariantList&) { printed << s("A4") + c; },
         [&](const QString& code, const QString& text) { printed << code + s("|") + text; }});
    ASSERT_TRUE(setLookupKey(child<QComboBox>(w, "DBLookupComboBox1"), s("工具")));
    w.BitBtn1Click();
    for (const char* b : {"BitBtn4", "Button1", "BitBtn5"}) EXPECT_TRUE(child<QPushButton>(w, b)->isEnabled()) << b;
    child<QPushButton>(w, "BitBtn4")->click();
    child<QPushButton>(w, "Button1")->click();
    child<QPushButton>(w, "BitBtn5")->click();
    ArticleQuery::installLabelPrinting({});
    EXPECT_EQ(printed, (QStringList{s("条码 AND (AType=?)工具"), s("A4 AND (AType=?)"),
                                    s("A-100|编码：A-100\r\n分类：工具\r\n名称：扳手\r\n规格：\r\n单位：个\r\n单价：2.5")}));
}
