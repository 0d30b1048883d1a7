// The workbook writer and the worksheet reader: files written by other
// programs, files written by us and read back, and files that cannot be read.
#include <gtest/gtest.h>

#include "TempFolder.h"
#include "platform/SheetReader.h"
#include "platform/Workbook.h"

#include <QFile>

namespace {
QString fixture(const char* name) {
    return QStringLiteral(KELVORA_SOURCE_DIR "/tests/exchange/fixtures/") + QString::fromUtf8(name);
}
QString s(const char* utf8) { return QString::fromUtf8(utf8); }
} // namespace

TEST(SheetReader, ArticlesFromOpenpyxlKeepWhatTheFileShows) {
    EXPECT_EQ(SheetReader::sheetNames(fixture("articles.xlsx")), (QStringList{s("说明"), s("Sheet1")}));
    const SheetTable t = SheetReader::readTable(fixture("articles.xlsx"));
    ASSERT_EQ(t.headers.size(), 9);
    EXPECT_EQ(t.headers[0], s("物品名称"));
    EXPECT_EQ(t.column(s("物品编码")), 1);
    EXPECT_EQ(t.column(s("不存在")), -1);
    // The empty row between the records is no record.
    ASSERT_EQ(t.rows.size(), 7);
    for (const QStringList& r : t.rows) EXPECT_EQ(r.size(), 9);
    struct Case { int row; int col; const char* text; } cases[] = {
        {0, 0, "扳手(大)?"}, {0, 1, "0012"},  // a code typed as text keeps its zeros
        {0, 5, "12.5"}, {0, 6, "3"}, {0, 7, ""},
        {1, 1, "12"},                          // a code stored as a number: 12, not 12.0
        {2, 1, ""}, {2, 5, ""},                // empty cells
        {4, 0, ""}, {4, 1, "X1"},
        {5, 1, "0007"},                        // 7 shown through the format 0000
        {6, 1, "E001"},
    };
    for (const auto& c : cases) EXPECT_EQ(t.rows[c.row][c.col], s(c.text)) << c.row << "," << c.col;
}

TEST(SheetReader, PersonsFromXlwt) {
    EXPECT_EQ(SheetReader::sheetNames(fixture("persons.xls")), (QStringList{s("Other"), s("Sheet1")}));
    const SheetTable t = SheetReader::readTable(fixture("persons.xls"));
    EXPECT_EQ(t.headers, (QStringList{s("工号"), s("部门名称"), s("人员姓名"), s("职务"), s("联系方式"), s("身份证号"),
                                      s("住址"), s("备注")}));
    ASSERT_EQ(t.rows.size(), 6);
    EXPECT_EQ(t.rows[0][0], s("1001"));
    EXPECT_EQ(t.rows[0][5], s("110101199001011234"));
    EXPECT_EQ(t.rows[1][0], s("0002"));
    EXPECT_EQ(t.rows[2][0], QString());
    EXPECT_EQ(t.rows[2][2], s("王五"));
}

TEST(SheetReader, InlineStringsAndCellsWithoutReferences) {
    const SheetTable t = SheetReader::readTable(fixture("suppliers.xlsx"));
    ASSERT_EQ(t.rows.size(), 4);
    EXPECT_EQ(t.rows[0], (QStringList{s("华通五金"), s("88886666"), s("赵六"), s("东大街1号"), QString()}));
    EXPECT_EQ(t.rows[1][0], s("O'Brien Supply"));
    EXPECT_EQ(t.rows[1][1], s("010-5555 6666"));
    // The row whose cells carry no reference is read cell after cell.
    EXPECT_EQ(t.rows[2], (QStringList{QString(), s("12345"), s("无名"), QString(), QString()}));
}

TEST(SheetReader, HeaderOnlySheetHasNoRows) {
    const SheetTable t = SheetReader::readTable(fixture("header_only.xlsx"));
    EXPECT_EQ(t.headers.size(), 5);
    EXPECT_TRUE(t.rows.isEmpty());
}

TEST(SheetReader, FilesThatCannotBeReadSayWhy) {
    TempFolder tmp;
    struct Case { QString file; const char* says; } cases[] = {
        {fixture("not_a_sheet.xlsx"), "不是Excel文件"},
        {fixture("damaged.xlsx"), "已损坏"},
        {fixture("checksum.xlsx"), "已损坏"},
        {fixture("damaged.xls"), "已损坏"},
        {fixture("no_sheet1.xlsx"), "没有名为 Sheet1 的工作表"},
        {fixture("empty_sheet.xlsx"), "是空的"},
        {tmp.file(QStringLiteral("missing.xlsx")), "文件不存在"},
    };
    QFile empty(tmp.file(QStringLiteral("empty.xls")));
    ASSERT_TRUE(empty.open(QIODevice::WriteOnly));
    empty.close();
    for (const auto& c : cases) {
        try {
            SheetReader::readTable(c.file);
            ADD_FAILURE() << c.file.toStdString() << " was read";
        } catch (const SheetError& e) {
            EXPECT_TRUE(e.text().contains(s(c.says))) << c.file.toStdString() << ": " << e.text().toStdString();
        }
    }
    EXPECT_THROW(SheetReader::readTable(empty.fileName()), SheetError);
}

TEST(SheetReader, NumbersReadAsTheGeneralFormatShowsThem) {
    struct Case { double v; const char* text; } cases[] = {
        {12, "12"}, {12.5, "12.5"}, {0.1 + 0.2, "0.3"}, {-0.0, "0"}, {-3, "-3"},
        {13800001111.0, "13800001111"}, {1.0 / 3, "0.333333333333333"}, {1e20, "1e+20"},
    };
    for (const auto& c : cases) EXPECT_EQ(SheetReader::numberText(c.v), s(c.text)) << c.v;
}

TEST(Workbook, WrittenCellsReadBack) {
    TempFolder tmp;
    Workbook wb;
    wb.setTitle(s("标题"));
    wb.setText(0, 0, s("单位物品信息"));
    wb.mergeAcross({0, 0, 0, 3});
    wb.setFont({0, 0, 0, 3}, s("宋体"), 16);
    wb.setBold({0, 0, 1, 3});
    wb.setText(1, 0, s("序号"));
    wb.setText(1, 1, s("物品编码"));
    wb.setNumber(2, 0, 1);
    wb.setText(2, 1, s("0012"));
    wb.setNumber(2, 2, 12.5);
    wb.setText(2, 3, s("a & <b> \"c\""));
    wb.setBorders({1, 0, 2, 4});  // the empty cell E3 gets a border too
    wb.setColumnWidth(1, 12);
    wb.setLandscape(true);
    wb.setCentreFooter(s("Kelvora 共&N页，第&P页 R&D"));
    const QString file = tmp.file(QStringLiteral("out/book.xlsx"));
    wb.save(file);

    const Worksheet ws = SheetReader::readWorksheet(file);
    EXPECT_EQ(ws.name, s("Sheet1"));
    EXPECT_EQ(ws.text(0, 0), s("单位物品信息"));
    EXPECT_EQ(ws.merges, QStringList{s("A1:D1")});
    EXPECT_TRUE(ws.landscape);
    ASSERT_NE(ws.at(2, 1), nullptr);
    EXPECT_FALSE(ws.at(2, 1)->number);
    EXPECT_EQ(ws.text(2, 1), s("0012"));
    EXPECT_TRUE(ws.at(2, 0)->number);
    EXPECT_EQ(ws.text(2, 2), s("12.5"));
    EXPECT_TRUE(ws.at(2, 2)->number);
    EXPECT_EQ(ws.text(2, 3), s("a & <b> \"c\""));
}

TEST(Workbook, UnwritableFileIsReported) {
    TempFolder tmp;
    QFile blocker(tmp.file(QStringLiteral("file")));
    ASSERT_TRUE(blocker.open(QIODevice::WriteOnly));
    blocker.close();
    Workbook wb;
    wb.setText(0, 0, s("x"));
    // A folder cannot be made under a plain file.
    EXPECT_THROW(wb.save(tmp.file(QStringLiteral("file/book.xlsx"))), WorkbookError);
    EXPECT_THROW(wb.setText(-1, 0, s("x")), WorkbookError);
}
