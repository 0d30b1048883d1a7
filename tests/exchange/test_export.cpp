// The spreadsheet export: the sheets it writes, read back by our reader and by
// openpyxl, and the right that withholds it.
#include "AppFixture.h"

#include "app/Session.h"
#include "exchange/ExcelExport.h"
#include "platform/SheetReader.h"

#include <QDir>
#include <QFileInfo>
#include <QJsonDocument>
#include <QJsonArray>
#include <QJsonObject>
#include <QProcess>
#include <QSqlQueryModel>
#include <QStandardItemModel>

namespace {
QString s(const char* utf8) { return QString::fromUtf8(utf8); }

class Export : public AppFixture {
protected:
    void SetUp() override {
        AppFixture::SetUp();
        loginAsAdmin();
        session().UnitName = s("测试单位");
        const qlonglong a = addArticle(s("0012"), s("扳手"));
        exec(s("update UArticle set APrice=12.5, AType='工具', PName='A-01', Remark='0007' where ID=?"), {a});
        const qlonglong b = addArticle(s("2"), s("螺丝刀"));
        dm->SaveWare(QString::number(a), s("3"), s("1"));
        dm->SaveWare(QString::number(b), s("0.3"), s("1"));
    }

    // The stock list's result set and its totals query.
    void stockList(QSqlQueryModel& rows, QSqlQueryModel& totals) {
        const QString from = s(" from (UWare INNER JOIN SStorage ON UWare.SID = SStorage.ID) "
                               "INNER JOIN UArticle ON UWare.AID = UArticle.ID ");
        rows.setQuery(dm->db().modelQuery(
            s("select SName as 仓库名称, theNum as 物品编码, AType as 物品分类, AName as 物品名称, "
              "AStandard as 规格型号, AUnit as 单位, APrice as 单价, WCount as 库存数量, "
              "APrice*WCount as 库存金额, UArticle.Remark as 备注, PName as 货位名称") + from + s(" order by theNum desc")));
        totals.setQuery(dm->db().modelQuery(s("select sum(WCount) as 库存数量, sum(APrice*WCount) as 库存金额") + from));
    }

    QStringList exportedFiles() { return QDir(ExcelExport::folder()).entryList(QDir::Files); }
};
} // namespace

TEST_F(Export, StandardLayoutReadsBack) {
    QSqlQueryModel rows, totals;
    stockList(rows, totals);
    const QString file = ExcelExport::run(s("TfrmWare_Q"), rows, ExcelExport::totalsOf(totals));
    ASSERT_FALSE(file.isEmpty());
    EXPECT_TRUE(QFileInfo(file).fileName().startsWith(s("测试单位库存物品一览表_20240307_100000")));
    EXPECT_EQ(QFileInfo(file).absolutePath() + QLatin1Char('/'), ExcelExport::folder());
    ASSERT_EQ(ui->opened.size(), 1);
    EXPECT_EQ(ui->opened[0].toLocalFile(), file);
    EXPECT_TRUE(ui->messages.isEmpty());

    const Worksheet ws = SheetReader::readWorksheet(file);
    EXPECT_EQ(ws.text(0, 0), s("测试单位库存物品一览表"));
    EXPECT_EQ(ws.merges, QStringList{s("A1:L1")});
    EXPECT_TRUE(ws.landscape);
    const QStringList headers = {s("序号"), s("仓库名称"), s("物品编码"), s("物品分类"), s("物品名称"), s("规格型号"),
                                 s("单位"), s("单价"), s("库存数量"), s("库存金额"), s("备注"), s("货位名称")};
    for (int c = 0; c < headers.size(); ++c) EXPECT_EQ(ws.text(1, c), headers[c]);

    struct Cell { int row; int col; const char* text; bool number; } cells[] = {
        {2, 0, "1", true},    {2, 2, "2", false},     // a code is text even when it looks like a number
        {3, 0, "2", true},    {3, 2, "0012", false},  // the leading zeros stay
        {3, 7, "12.5", true}, {3, 8, "3", true},      {3, 9, "37.5", true},
        {3, 10, "0007", false},                       // a remark with zeros is not a number
        {4, 0, "合计", false}, {4, 8, "3.3", true},    {4, 9, "37.8", true},
    };
    for (const auto& c : cells) {
        ASSERT_NE(ws.at(c.row, c.col), nullptr) << c.row << "," << c.col;
        EXPECT_EQ(ws.text(c.row, c.col), s(c.text)) << c.row << "," << c.col;
        EXPECT_EQ(ws.at(c.row, c.col)->number, c.number) << c.row << "," << c.col;
    }
    // Only the total columns carry totals, and nothing follows the totals row.
    EXPECT_EQ(ws.text(4, 7), QString());
    EXPECT_EQ(ws.text(5, 0), QString());
}

TEST_F(Export, WithoutTheRightNothingHappensWhereTheLayoutChecksIt) {
    session().CanExport = s("否");
    QSqlQueryModel rows, totals;
    stockList(rows, totals);
    EXPECT_TRUE(ExcelExport::run(s("TfrmWare_Q"), rows, ExcelExport::totalsOf(totals)).isEmpty());
    EXPECT_TRUE(ExcelExport::run(s("TfrmWList"), rows, {}, s("物品仓库 0012 扳手 库存流动记录")).isEmpty());
    EXPECT_TRUE(exportedFiles().isEmpty());
    EXPECT_TRUE(ui->messages.isEmpty());
    EXPECT_TRUE(ui->opened.isEmpty());

    // The list of articles not issued does not check the right.
    QSqlQueryModel articles;
    articles.setQuery(dm->db().modelQuery(s("select theNum as 物品编码, AType as 物品分类, AName as 物品名称, "
                                            "AStandard as 规格型号, AUnit as 单位, APrice as 单价, Remark as 备注 from UArticle")));
    const QString file = ExcelExport::run(s("TfrmW_A"), articles);
    ASSERT_FALSE(file.isEmpty());
    const Worksheet ws = SheetReader::readWorksheet(file);
    EXPECT_EQ(ws.text(0, 0), s("序号"));  // no title row
    EXPECT_EQ(ws.text(1, 1), s("0012"));
    EXPECT_TRUE(ws.merges.isEmpty());
}

TEST_F(Export, WhenNothingOpensTheFileTheUserIsToldWhereItIs) {
    ui->openSucceeds = false;
    QSqlQueryModel rows, totals;
    stockList(rows, totals);
    rows.setQuery(dm->db().modelQuery(rows.query().lastQuery() + s(" limit 0")));
    const QString file = ExcelExport::run(s("TfrmWare_Q"), rows, ExcelExport::totalsOf(totals));
    ASSERT_EQ(ui->messages.size(), 1);
    EXPECT_TRUE(ui->lastText().contains(QDir::toNativeSeparators(file)));
    // An empty result: title, headers and the totals row.
    const Worksheet ws = SheetReader::readWorksheet(file);
    EXPECT_EQ(ws.text(2, 0), s("合计"));
    EXPECT_EQ(ws.text(2, 8), s("3.3"));
}

TEST_F(Export, LedgerAndFlowRecordVariants) {
    // The ledger: headers in row 1, the document number as text, no title.
    QStandardItemModel ledger(1, 7);
    ledger.setHorizontalHeaderLabels({s("日期"), s("用户"), s("操作事件"), s("编号"), s("入库数量"), s("出库数量"), s("库存数量")});
    const QVariantList values = {s("2024-03-07"), s("系统管理员"), s("采购入库"), s("2403070001"), 5.0, 0.0, 5.0};
    for (int c = 0; c < values.size(); ++c) ledger.setData(ledger.index(0, c), values[c]);
    const QString caption = s("物品仓库 0012 扳手 库存流动记录");
    const QString ledgerFile = ExcelExport::run(s("TfrmWList"), ledger, {}, caption);
    EXPECT_TRUE(QFileInfo(ledgerFile).fileName().startsWith(caption));
    Worksheet ws = SheetReader::readWorksheet(ledgerFile);
    EXPECT_EQ(ws.text(0, 0), s("序号"));
    EXPECT_EQ(ws.text(0, 7), s("库存数量"));
    EXPECT_EQ(ws.text(1, 4), s("2403070001"));
    EXPECT_FALSE(ws.at(1, 4)->number);
    EXPECT_TRUE(ws.at(1, 5)->number);

    // The flow record: each section's values under their own headings.
    auto section = [](const QStringList& headers, const QVariantList& row) {
        auto* m = new QStandardItemModel(1, headers.size());
        m->setHorizontalHeaderLabels(headers);
        for (int c = 0; c < row.size(); ++c) m->setData(m->index(0, c), row[c]);
        return m;
    };
    std::unique_ptr<QStandardItemModel> models[] = {
        std::unique_ptr<QStandardItemModel>(section({s("采购日期"), s("供应商"), s("采购人"), s("数量"), s("单价"), s("金额"), s("备注")},
                                                    {s("2024-03-01"), s("华通五金"), s("张三"), 10.0, 12.5, 125.0, QString()})),
        std::unique_ptr<QStandardItemModel>(section({s("领用日期"), s("领用人"), s("数量"), s("备注")}, {})),
        std::unique_ptr<QStandardItemModel>(section({s("借用日期"), s("借用人"), s("批准人"), s("数量"), s("备注")}, {})),
        std::unique_ptr<QStandardItemModel>(section({s("归还日期"), s("归还人"), s("数量"), s("备注")}, {s("2024-03-05"), s("李四"), 2.0, QString()})),
        std::unique_ptr<QStandardItemModel>(section({s("报损日期"), s("批准人"), s("数量"), s("备注")}, {})),
        std::unique_ptr<QStandardItemModel>(section({s("报溢日期"), s("批准人"), s("数量"), s("备注")}, {})),
    };
    for (int i : {1, 2, 4, 5}) models[i]->removeRows(0, 1);
    ExcelExport::Request r;
    r.headValues = {s("扳手"), s("10寸"), s("把"), s("12.5"), s("物品仓库"), s("3")};
    for (auto& m : models) r.sections << m.get();
    session().CanExport = s("否");  // the flow record does not check the right
    ws = SheetReader::readWorksheet(ExcelExport::run(s("TfrmLDJL"), r));
    EXPECT_EQ(ws.text(0, 0), s("测试单位物品流动记录表"));
    EXPECT_EQ(ws.text(1, 1), s("物品名称"));
    EXPECT_EQ(ws.text(2, 1), s("扳手"));
    EXPECT_EQ(ws.text(3, 0), s("采购记录"));
    const QStringList purchase = {s("序号"), s("采购日期"), s("采购人"), s("数量"), s("单价"), s("金额"), s("供应商")};
    for (int c = 0; c < purchase.size(); ++c) EXPECT_EQ(ws.text(4, c), purchase[c]);
    EXPECT_EQ(ws.text(5, 1), s("2024-03-01"));
    EXPECT_FALSE(ws.at(5, 1)->number);
    EXPECT_EQ(ws.text(5, 6), s("华通五金"));
    // Sheet rows 4-6 purchases, 7-8 requisitions (none), 9-10 loans (none), 11-13 returns.
    EXPECT_EQ(ws.text(10, 0), s("归还记录"));
    EXPECT_EQ(ws.text(12, 3), s("2"));  // the returned quantity under 数量, column 4
    EXPECT_EQ(ws.text(12, 2), s("李四"));
    EXPECT_EQ(ws.merges.size(), 7);
}

// The file as another program sees it.
TEST_F(Export, OpenpyxlSeesMergesWidthsFontsAndCellTypes) {
    if (!QFileInfo::exists(QStringLiteral("/usr/bin/python3")) ||
        QProcess::execute(QStringLiteral("/usr/bin/python3"), {QStringLiteral("-c"), QStringLiteral("import openpyxl")}) != 0)
        GTEST_SKIP() << "python3-openpyxl is not installed";
    QSqlQueryModel rows, totals;
    stockList(rows, totals);
    const QString file = ExcelExport::run(s("TfrmWare_Q"), rows, ExcelExport::totalsOf(totals));
    const char* script = R"(
import json, sys, openpyxl
ws = openpyxl.load_workbook(sys.argv[1]).active
c = lambda ref: ws[ref]
print(json.dumps({
  "title": ws.title, "merges": [str(m) for m in ws.merged_cells.ranges],
  "widthA": ws.column_dimensions["A"].width, "widthE": ws.column_dimensions["E"].width,
  "a1font": c("A1").font.name, "a1size": c("A1").font.sz, "a1bold": c("A1").font.b,
  "a1centre": c("A1").alignment.horizontal, "b2bold": c("B2").font.b, "c4size": c("C4").font.sz,
  "c4border": c("C4").border.left.style, "l5border": c("L5").border.bottom.style,
  "c4": [c("C4").value, c("C4").data_type], "h4": [c("H4").value, c("H4").data_type],
  "a3": [c("A3").value, c("A3").data_type], "a5": c("A5").value, "i5": c("I5").value,
  "orientation": ws.page_setup.orientation, "footer": ws.oddFooter.center.text,
}, ensure_ascii=False))
)";
    QProcess p;
    p.start(QStringLiteral("/usr/bin/python3"), {QStringLiteral("-c"), QString::fromUtf8(script), file});
    ASSERT_TRUE(p.waitForFinished(60000));
    ASSERT_EQ(p.exitCode(), 0) << p.readAllStandardError().toStdString();
    const QJsonObject o = QJsonDocument::fromJson(p.readAllStandardOutput()).object();
    EXPECT_EQ(o[s("title")].toString(), s("Sheet1"));
    EXPECT_EQ(o[s("merges")].toArray().size(), 1);
    EXPECT_EQ(o[s("merges")].toArray()[0].toString(), s("A1:L1"));
    EXPECT_NEAR(o[s("widthA")].toDouble(), 4, 1);
    EXPECT_NEAR(o[s("widthE")].toDouble(), 20, 1);
    EXPECT_EQ(o[s("a1font")].toString(), s("宋体"));
    EXPECT_EQ(o[s("a1size")].toDouble(), 16);
    EXPECT_TRUE(o[s("a1bold")].toBool());
    EXPECT_EQ(o[s("a1centre")].toString(), s("center"));
    EXPECT_TRUE(o[s("b2bold")].toBool());
    EXPECT_EQ(o[s("c4size")].toDouble(), 9);
    EXPECT_EQ(o[s("c4border")].toString(), s("thin"));
    EXPECT_EQ(o[s("l5border")].toString(), s("thin"));  // the totals row is inside the borders
    EXPECT_EQ(o[s("c4")].toArray()[0].toString(), s("0012"));
    EXPECT_EQ(o[s("c4")].toArray()[1].toString(), s("s"));
    EXPECT_EQ(o[s("h4")].toArray()[0].toDouble(), 12.5);
    EXPECT_EQ(o[s("h4")].toArray()[1].toString(), s("n"));
    EXPECT_EQ(o[s("a3")].toArray()[1].toString(), s("n"));
    EXPECT_EQ(o[s("a5")].toString(), s("合计"));
    EXPECT_DOUBLE_EQ(o[s("i5")].toDouble(), 3.3);
    EXPECT_EQ(o[s("orientation")].toString(), s("landscape"));
    EXPECT_EQ(o[s("footer")].toString(), s("Kelvora物品管理软件 https://www.kelvora.example/ 共&N页，第&P页"));
}
