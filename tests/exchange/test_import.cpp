// The import windows over workbooks written by other programs: what they
// insert, what they leave alone, and bad files that change nothing.
#include "AppFixture.h"

#include "app/Checks.h"
#include "app/Session.h"
#include "exchange/ImportWindows.h"
#include "exchange/SheetImport.h"

#include <QCheckBox>
#include <QComboBox>
#include <QGroupBox>
#include <QPushButton>
#include <QTableView>

namespace {
QString s(const char* utf8) { return QString::fromUtf8(utf8); }
QString fixture(const char* name) {
    return QStringLiteral(KELVORA_SOURCE_DIR "/tests/exchange/fixtures/") + QString::fromUtf8(name);
}

class Import : public AppFixture {
protected:
    void SetUp() override {
        AppFixture::SetUp();
        loginAsAdmin();
        // Records that exist before the import and must stay as they are.
        const qlonglong a = addArticle(s("E001"), s("原有物品"));
        exec(s("update UArticle set theDate='2024-01-01', APrice=5 where ID=?"), {a});
        exec(s("insert into SPerson(theNum, DName, PName, thePY) values('P009', '财务部', '原有人员', 'YYRY')"));
        exec(s("insert into UMerchant(MName, MPhone, MProson, thePY) values('老供应商', '999', '老联系人', 'LGYS')"));
    }

    // Opens a window of the kind and reads the file through "打开".
    template <typename W>
    std::unique_ptr<W> openWith(const QString& file) {
        auto w = std::make_unique<W>();
        ui->files.enqueue(file);
        w->template findChild<QPushButton*>(QStringLiteral("Button1"))->click();
        return w;
    }
    static QPushButton* importButton(QWidget* w) { return w->findChild<QPushButton*>(QStringLiteral("BitBtn1")); }

    // Everything an import may touch.
    QString snapshot() {
        QStringList parts;
        for (const char* t : {"UArticle", "UAType", "SPlace", "SPerson", "SDepartment", "UMerchant", "UWare", "UWList"})
            parts << QString::number(scalar(QStringLiteral("select count(*) from %1").arg(QLatin1String(t))).toInt());
        parts << scalar(s("select group_concat(AName||thePY||APrice, ';') from UArticle")).toString();
        parts << scalar(s("select group_concat(PName||DName, ';') from SPerson")).toString();
        parts << scalar(s("select group_concat(MName||MPhone||MProson, ';') from UMerchant")).toString();
        return parts.join(QLatin1Char('|'));
    }
    double stock(const QString& code) {
        return scalar(s("select WCount from UWare join UArticle on UArticle.ID=UWare.AID where theNum=? and SID=1"), {code}).toDouble();
    }
};
} // namespace

TEST_F(Import, ArticlesWithOpeningStock) {
    auto w = openWith<TfrmIn_A>(fixture("articles.xlsx"));
    EXPECT_EQ(w->windowTitle(), s("物品导入"));
    EXPECT_EQ(w->findChild<QGroupBox*>(QStringLiteral("GroupBox1"))->title(), s("EXCEL数据  共有 7 条数据"));
    EXPECT_EQ(w->findChild<QTableView*>(QStringLiteral("DBGrid1"))->model()->rowCount(), 7);
    ASSERT_TRUE(importButton(w.get())->isEnabled());

    // Stock to be saved, but no storage chosen.
    auto* check = w->findChild<QCheckBox*>(QStringLiteral("CheckBox1"));
    auto* storage = w->findChild<QComboBox*>(QStringLiteral("DBLookupComboBox2"));
    check->setChecked(true);
    const QString before = snapshot();
    importButton(w.get())->click();
    EXPECT_EQ(ui->lastText(), s("请选择 仓库名称！"));
    EXPECT_EQ(snapshot(), before);

    // Choosing a storage ticks the box.
    check->setChecked(false);
    storage->setCurrentIndex(0);
    emit storage->activated(0);
    EXPECT_TRUE(check->isChecked());
    importButton(w.get())->click();
    EXPECT_EQ(ui->lastText(), s("成功导入物品数据 4 条！"));
    EXPECT_EQ(w->result(), QDialog::Accepted);

    // ")" and "?" leave the name; the pinyin comes from the name as read.
    EXPECT_EQ(scalar(s("select AName||'|'||thePY||'|'||AType||'|'||PName||'|'||AStandard||'|'||AUnit||'|'||APrice "
                       "from UArticle where theNum='0012'")).toString(),
              s("扳手(大|BSD|工具|A-01|10寸|把|12.5"));
    EXPECT_EQ(scalar(s("select AName||'|'||thePY from UArticle where theNum='12'")).toString(), s("螺丝刀|LSD"));
    EXPECT_EQ(scalar(s("select count(*) from UArticle where theNum='0007' and AName='订书机'")).toInt(), 1);
    // A row without a code gets the next article number of the login date.
    EXPECT_EQ(scalar(s("select theNum from UArticle where AName='签字笔'")).toString(), s("2403070003"));
    EXPECT_EQ(scalar(s("select count(*) from UArticle where theDate='2024-03-07' and FJCount=0 and YJMin=9 and YJMax=99 "
                       "and theYJ='否' and APrice>=0")).toInt(), 4);
    // The existing article is not changed; rows without a name are no articles.
    EXPECT_EQ(scalar(s("select AName||APrice from UArticle where theNum='E001'")).toString(), s("原有物品5.0"));
    EXPECT_EQ(count(s("select * from UArticle where theNum='X1'")), 0);
    // Types and places are created once.
    EXPECT_EQ(scalar(s("select group_concat(theName, ',') from (select theName from UAType order by ID)")).toString(), s("工具,耗材,办公"));
    EXPECT_EQ(scalar(s("select group_concat(PName, ',') from (select PName from SPlace order by ID)")).toString(), s("A-01,B-02"));
    // The stock: a repeated code adds both quantities; existing articles get their stock too.
    EXPECT_EQ(stock(s("0012")), 5);
    EXPECT_EQ(stock(s("12")), 0);
    EXPECT_EQ(stock(s("2403070003")), 10);
    EXPECT_EQ(stock(s("E001")), 4);
    EXPECT_EQ(count(s("select * from UWList where theType='物品导入' and theNum='' and theOut=0 and UName='系统管理员'")), 6);
    EXPECT_TRUE(Checks::run(dm->db()).isEmpty());
}

TEST_F(Import, ReimportingAddsTheStockAgainAndNoArticles) {
    const SheetTable t = SheetReader::readTable(fixture("articles.xlsx"));
    SheetImport::ArticleOptions o{true, s("1")};
    EXPECT_EQ(SheetImport::importArticles(*dm, t, o), 4);
    // Only the row without a code makes an article again: it draws a new number each time.
    EXPECT_EQ(SheetImport::importArticles(*dm, t, o), 1);
    EXPECT_EQ(stock(s("0012")), 10);
    EXPECT_EQ(stock(s("E001")), 8);
    // Without "保存库存" nothing is booked.
    EXPECT_EQ(SheetImport::importArticles(*dm, t, {}), 1);
    EXPECT_EQ(count(s("select * from UWList")), 12);
}

TEST_F(Import, PersonsFromAnXlsFile) {
    auto w = openWith<TfrmIn_P>(fixture("persons.xls"));
    EXPECT_EQ(w->findChild<QGroupBox*>(QStringLiteral("GroupBox1"))->title(), s("EXCEL数据  共有 6 条数据"));
    importButton(w.get())->click();
    EXPECT_EQ(ui->lastText(), s("成功导入人员数据 3 条！"));
    EXPECT_EQ(scalar(s("select theNum||'|'||DName||'|'||thePY||'|'||theJob||'|'||thePhone||'|'||theIDCard||'|'||theAddress "
                       "from SPerson where PName='张三'")).toString(),
              s("1001|办公室|ZS|主任|13800001111|110101199001011234|东大街1号"));
    EXPECT_EQ(scalar(s("select theNum from SPerson where PName='李四'")).toString(), s("0002"));
    // The first row without a staff number is inserted, without a department; the second is skipped.
    EXPECT_EQ(scalar(s("select theNum||'|'||DName from SPerson where PName='王五'")).toString(), s("|"));
    EXPECT_EQ(count(s("select * from SPerson where PName='赵六'")), 0);
    // An existing staff number keeps its person.
    EXPECT_EQ(scalar(s("select PName||DName from SPerson where theNum='P009'")).toString(), s("原有人员财务部"));
    // Departments only for inserted persons, once.
    EXPECT_EQ(scalar(s("select group_concat(DName||thePY, ',') from SDepartment")).toString(), s("办公室BGS"));
}

TEST_F(Import, SuppliersWithInlineStrings) {
    auto w = openWith<TfrmIn_G>(fixture("suppliers.xlsx"));
    importButton(w.get())->click();
    EXPECT_EQ(ui->lastText(), s("成功导入供应商数据 2 条！"));
    EXPECT_EQ(scalar(s("select MPhone||'|'||MProson||'|'||MAddress||'|'||thePY from UMerchant where MName='华通五金'")).toString(),
              s("88886666|赵六|东大街1号|HTWJ"));
    EXPECT_EQ(scalar(s("select MProson||'|'||thePY from UMerchant where MName=?"), {s("O'Brien Supply")}).toString(),
              s("O'Brien|OBRIENSUPPLY"));
    EXPECT_EQ(scalar(s("select MPhone||MProson from UMerchant where MName='老供应商'")).toString(), s("999老联系人"));
    EXPECT_EQ(count(s("select * from UMerchant")), 3);
}

TEST_F(Import, BadFilesChangeNothing) {
    enum Kind { A, P, G };
    struct Case { Kind kind; const char* file; bool readable; const char* says; } cases[] = {
        {G, "not_a_sheet.xlsx", false, "不是Excel文件"},
        {A, "damaged.xlsx", false, "已损坏"},
        {P, "damaged.xls", false, "已损坏"},
        {G, "checksum.xlsx", false, "已损坏"},
        {G, "no_sheet1.xlsx", false, "没有名为 Sheet1 的工作表"},
        {P, "missing_header.xlsx", false, "缺少表格头部：身份证号"},
        {A, "suppliers.xlsx", false, "缺少表格头部：物品编码、物品分类"},
        {G, "empty_sheet.xlsx", false, "是空的"},
        {A, "not_number.xlsx", true, "第 3 行的“单价”不是数字：十元"},
    };
    const QString before = snapshot();
    for (const auto& c : cases) {
        ui->clear();
        std::unique_ptr<TfrmImport> w;
        switch (c.kind) {
        case A: w = openWith<TfrmIn_A>(fixture(c.file)); break;
        case P: w = openWith<TfrmIn_P>(fixture(c.file)); break;
        case G: w = openWith<TfrmIn_G>(fixture(c.file)); break;
        }
        if (c.readable) {
            EXPECT_TRUE(ui->messages.isEmpty()) << c.file;
            ASSERT_TRUE(importButton(w.get())->isEnabled()) << c.file;
            importButton(w.get())->click();
            EXPECT_EQ(w->result(), QDialog::Rejected) << c.file;  // the window stays open
        } else {
            EXPECT_FALSE(importButton(w.get())->isEnabled()) << c.file;
            EXPECT_TRUE(w->fileName().isEmpty()) << c.file;
        }
        ASSERT_EQ(ui->messages.size(), 1) << c.file;
        EXPECT_TRUE(ui->lastText().contains(s(c.says))) << c.file << ": " << ui->lastText().toStdString();
        EXPECT_EQ(snapshot(), before) << c.file;
    }
}

TEST_F(Import, AValueLongerThanItsColumnIsRefused) {
    // The design's byte cuts keep every value within its column; a database
    // whose column is narrower than the cut still refuses the file whole.
    exec(s("DROP TABLE SPerson"));
    exec(s("CREATE TABLE SPerson (ID INTEGER PRIMARY KEY AUTOINCREMENT, theNum TEXT COLLATE NOCASE, DName TEXT COLLATE NOCASE, "
           "PName TEXT COLLATE NOCASE, theJob TEXT COLLATE NOCASE, "
           "thePhone TEXT COLLATE NOCASE CHECK (length(thePhone) <= 30), theIDCard TEXT COLLATE NOCASE, "
           "theAddress TEXT COLLATE NOCASE, Remark TEXT COLLATE NOCASE, thePY TEXT COLLATE NOCASE)"));
    const QString before = snapshot();
    auto w = openWith<TfrmIn_P>(fixture("too_long.xlsx"));
    ASSERT_TRUE(ui->messages.isEmpty());
    importButton(w.get())->click();
    EXPECT_EQ(w->result(), QDialog::Rejected);
    ASSERT_EQ(ui->messages.size(), 1);
    EXPECT_TRUE(ui->lastText().contains(s("第 3 行的“联系方式”太长（最多 30 个字符）"))) << ui->lastText().toStdString();
    EXPECT_EQ(snapshot(), before);
}

TEST_F(Import, AFailureDuringTheWritesLeavesNoRow) {
    exec(s("CREATE TRIGGER refuse BEFORE INSERT ON UMerchant WHEN NEW.MName LIKE 'O%' BEGIN SELECT RAISE(ABORT, 'refused'); END"));
    const QString before = snapshot();
    auto w = openWith<TfrmIn_G>(fixture("suppliers.xlsx"));
    importButton(w.get())->click();
    ASSERT_EQ(ui->messages.size(), 1);
    EXPECT_EQ(ui->messages[0].icon, MsgIcon::Error);
    EXPECT_TRUE(ui->lastText().contains(s("refused")));
    // 华通五金, before the refused row, is not there either.
    EXPECT_EQ(snapshot(), before);
    EXPECT_EQ(dm->db().transactionDepth(), 0);
}

TEST_F(Import, ASheetWithHeadersOnlyCannotBeImportedAndAFailedReadKeepsThePreview) {
    auto w = openWith<TfrmIn_G>(fixture("header_only.xlsx"));
    EXPECT_TRUE(ui->messages.isEmpty());
    EXPECT_EQ(w->findChild<QGroupBox*>(QStringLiteral("GroupBox1"))->title(), s("EXCEL数据  共有 0 条数据"));
    EXPECT_FALSE(importButton(w.get())->isEnabled());

    ui->files.enqueue(fixture("suppliers.xlsx"));
    w->Button1Click();
    EXPECT_TRUE(importButton(w.get())->isEnabled());
    ui->files.enqueue(fixture("damaged.xlsx"));
    w->Button1Click();
    EXPECT_EQ(w->fileName(), fixture("suppliers.xlsx"));
    EXPECT_EQ(w->table().rows.size(), 4);
    EXPECT_TRUE(importButton(w.get())->isEnabled());
    // Cancelling the file choice changes nothing.
    w->Button1Click();
    EXPECT_EQ(w->fileName(), fixture("suppliers.xlsx"));
}
