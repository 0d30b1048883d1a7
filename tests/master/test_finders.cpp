// The finder dialogs: what they list, and what they write into the window
// that opened them (a test caller with the entry windows' grid and fields).
#include "AppFixture.h"

#include "app/DataGrid.h"
#include "app/Session.h"
#include "master/Find.h"
#include "master/FindArticle4.h"
#include "master/FindArticle6.h"
#include "master/FindArticle7.h"
#include "master/FindArticleSearch.h"
#include "master/FindProson.h"
#include "master/FinderHost.h"

#include <QAction>
#include <QApplication>
#include <QHeaderView>
#include <QLabel>
#include <QLineEdit>
#include <QRadioButton>
#include <QTableWidget>
#include <QTest>
#include <QTimer>

#include <stdexcept>

namespace {

// A window with the entry windows' pieces: StringGrid1 (a title row and 99
// lines, hidden cells up to column 13), person and supplier edits, the
// department labels and the supplier ID label.
class TestCaller : public QWidget, public FinderHost {
public:
    explicit TestCaller(const QString& name = QStringLiteral("frmIN_CG")) {
        setObjectName(name);
        grid = new QTableWidget(100, 9, this);
        grid->setObjectName(QStringLiteral("StringGrid1"));
        for (int i = 1; i <= 8; ++i) {
            auto* e = new QLineEdit(this);
            e->setObjectName(QStringLiteral("Edit%1").arg(i));
        }
        for (const char* l : {"Label3", "Label4", "LabJSSID"}) {
            auto* label = new QLabel(this);
            label->setObjectName(QString::fromLatin1(l));
        }
        grid->setCurrentCell(1, 1);
    }
    QWidget* finderWindow() override { return this; }

    // Columns 1 to last of a line.
    QStringList line(int row, int last = 13) {
        QStringList out;
        for (int c = 1; c <= last; ++c) out << lineCell(row, c);
        return out;
    }
    // Every line that holds something, as "row:code".
    QStringList filledLines() {
        QStringList out;
        for (int r = 1; r < lineCount(); ++r)
            if (!lineIsFree(r)) out << QStringLiteral("%1:%2").arg(r).arg(lineCell(r, 1));
        return out;
    }
    QString text(const QString& name) { return controlText(name); }

    QTableWidget* grid;
};

void clickTitle(DataGrid* g, const QString& field) {
    QHeaderView* h = g->horizontalHeader();
    const int c = g->fieldIndex(field);
    QTest::mouseClick(h->viewport(), Qt::LeftButton, {}, QPoint(h->sectionViewportPosition(c) + 4, h->height() / 2));
}

QStringList column(DataGrid* g, const QString& field) {
    QStringList out;
    for (int r = 0; r < g->rowCount(); ++r) out << g->text(r, field);
    return out;
}

} // namespace

class Finders : public AppFixture {
protected:
    void SetUp() override {
        AppFixture::SetUp();
        loginAsAdmin();
        exec(QStringLiteral("insert into SStorage(SName, Remark, thePY) values('二号库', '', 'EHK')"));
        // The register, in the finders' order (type, name): 0004, 0001, 0002, 0003.
        art[1] = article("0001", "文具", "中性笔", "0.5mm", "支", 2.5, "ZXB", "黑色");
        art[2] = article("0002", "文具", "签字笔", "0.7mm", "支", 3, "QZB", "");
        art[3] = article("0003", "纸品", "A4打印纸", "70g", "包", 25.8, "A4DYZ", "整箱");
        art[4] = article("0004", "工具", "螺丝刀", "十字", "把", 12, "LSD", "");
        stock(art[1], 1, 10);
        stock(art[2], 1, 0);
        stock(art[3], 1, -2);
        stock(art[4], 1, 5.5);
        stock(art[1], 2, 7);
    }
    qlonglong article(const char* num, const char* type, const char* name, const char* standard, const char* unit,
                      double price, const char* py, const char* remark) {
        exec(QStringLiteral("insert into UArticle(theNum, theDate, AType, AName, AStandard, AUnit, APrice, thePY, Remark, "
                            "FJCount, YJMin, YJMax, theYJ) values(?, '2024-03-07', ?, ?, ?, ?, ?, ?, ?, 0, 9, 99, '否')"),
             {QString::fromUtf8(num), QString::fromUtf8(type), QString::fromUtf8(name), QString::fromUtf8(standard),
              QString::fromUtf8(unit), price, QString::fromUtf8(py), QString::fromUtf8(remark)});
        return scalar(QStringLiteral("select max(ID) from UArticle")).toLongLong();
    }
    void stock(qlonglong aid, int sid, double count) {
        exec(QStringLiteral("insert into UWare(AID, SID, WCount) values(?, ?, ?)"), {aid, sid, count});
    }
    QString id(int n) { return QString::number(art[n]); }
    QStringList codes(const QString& sql, const QVariantList& params) {
        QStringList out;
        QSqlQuery q = dm->db().query(sql, params);
        while (q.next()) out << q.value(0).toString();
        return out;
    }

    qlonglong art[5] = {};
};

// ---------------------------------------------------------------------------
// The article search

TEST_F(Finders, ArticleSearchMatchesNameInitialsCodeAndModel) {
    const struct Case {
        const char* what;
        ArticleSearch search;
        QStringList codes;
    } cases[] = {
        {"empty text: every article", {"", {}, "", false}, {"0004", "0001", "0002", "0003"}},
        {"part of the name", {"笔", {}, "", false}, {"0001", "0002"}},
        {"initials, any case", {"zxb", {}, "", false}, {"0001"}},
        {"part of the code", {"03", {}, "", false}, {"0003"}},
        {"part of the model", {"0.7", {}, "", false}, {"0002"}},
        {"a quote finds nothing", {"O'Neil", {}, "", false}, {}},
        {"a typed wildcard acts as one", {"%", {}, "", false}, {"0004", "0001", "0002", "0003"}},
        {"articles on other lines are left out", {"", {QString::number(1), QString::number(4)}, "", false}, {"0002", "0003"}},
        {"stock above 0 of storage 1", {"", {}, "1", true}, {"0004", "0001"}},
        {"every stock row of storage 1", {"", {}, "1", false}, {"0004", "0001", "0002", "0003"}},
        {"storage 2", {"", {}, "2", true}, {"0001"}},
        {"stock rows, text and exclusion", {"笔", {QString::number(1)}, "1", false}, {"0002"}},
    };
    for (const Case& c : cases) {
        QVariantList params;
        const QString sql = articleSearchStatement(c.search, &params);
        EXPECT_EQ(codes(sql, params), c.codes) << c.what;
    }
}

TEST_F(Finders, ArticleSearchRefusesAnIdThatIsNoNumber) {
    QVariantList params;
    EXPECT_THROW(articleSearchStatement({"", {"1) OR (1=1"}, "", false}, &params), DbError);
    EXPECT_THROW(articleSearchStatement({"", {}, "x", false}, &params), DbError);
}

// ---------------------------------------------------------------------------
// TfrmFindArticle6: the register finder

TEST_F(Finders, Article6EnterWritesTheChosenRowAndCloses) {
    TestCaller caller;
    caller.setCurrentLine(2);
    TfrmFindArticle6 f(caller, QStringLiteral("cg"));
    EXPECT_EQ(f.windowTitle(), QStringLiteral("物品 查找"));
    ASSERT_EQ(f.search(QStringLiteral("笔"), {}), 2);
    EXPECT_TRUE(f.DBGrid1->isColumnHidden(f.DBGrid1->fieldIndex(QStringLiteral("ID"))));
    EXPECT_EQ(f.DBGrid1->columnWidth(2), 200);
    f.show();
    EXPECT_EQ(f.focusWidget(), f.DBGrid1);
    EXPECT_EQ(f.DBGrid1->currentRow(), 0);
    QTest::keyClick(f.DBGrid1, Qt::Key_Down);
    QTest::keyClick(f.DBGrid1, Qt::Key_Return);
    EXPECT_EQ(f.result(), QDialog::Accepted);
    EXPECT_FALSE(f.isVisible());
    EXPECT_EQ(caller.line(2, 9), (QStringList{"0002", "签字笔", "0.7mm", "支", "3", "1", "3", "", id(2)}));
    EXPECT_EQ(caller.currentLine(), 2);  // a single choice leaves the current line
    EXPECT_EQ(caller.filledLines(), QStringList{"2:0002"});
}

TEST_F(Finders, Article6DoubleClickChoosesWhatEnterChooses) {
    TestCaller byKey, byMouse;
    TfrmFindArticle6 k(byKey, QStringLiteral("wp")), m(byMouse, QStringLiteral("wp"));
    k.search(QString(), {});
    m.search(QString(), {});
    k.show();
    m.show();
    k.DBGrid1->setCurrentRow(2);
    QTest::keyClick(k.DBGrid1, Qt::Key_Enter);
    const QRect cell = m.DBGrid1->visualRect(m.DBGrid1->model()->index(2, 2));
    QTest::mouseClick(m.DBGrid1->viewport(), Qt::LeftButton, {}, cell.center());
    QTest::mouseDClick(m.DBGrid1->viewport(), Qt::LeftButton, {}, cell.center());
    EXPECT_EQ(m.result(), QDialog::Accepted);
    EXPECT_EQ(byMouse.line(1), byKey.line(1));
    EXPECT_EQ(byKey.lineCell(1, 1), QStringLiteral("0002"));
}

TEST_F(Finders, Article6EscapeAndOtherKeysWriteNothing) {
    TestCaller caller;
    TfrmFindArticle6 f(caller, QStringLiteral("sq"));
    f.search(QString(), {});
    f.show();
    QTest::keyClick(f.DBGrid1, Qt::Key_A);
    QTest::keyClick(f.DBGrid1, Qt::Key_1);
    QTest::keyClick(f.DBGrid1, Qt::Key_Space);
    EXPECT_TRUE(f.isVisible());
    EXPECT_EQ(f.DBGrid1->currentRow(), 0);
    QTest::keyClick(f.DBGrid1, Qt::Key_Escape);
    EXPECT_FALSE(f.isVisible());
    EXPECT_EQ(f.result(), QDialog::Rejected);
    EXPECT_EQ(caller.filledLines(), QStringList{});
}

TEST_F(Finders, Article6RunsModallyAndChoosesWithEnter) {
    TestCaller caller;
    TfrmFindArticle6 f(caller, QStringLiteral("cg"));
    ASSERT_EQ(f.search(QStringLiteral("LSD"), {}), 1);
    QTimer::singleShot(0, &f, [&] { QTest::keyClick(f.DBGrid1, Qt::Key_Return); });
    EXPECT_EQ(f.exec(), QDialog::Accepted);
    EXPECT_EQ(caller.lineCell(1, 2), QStringLiteral("螺丝刀"));
}

TEST_F(Finders, Article6SelectAllWritesEveryRowInTheShownOrder) {
    TestCaller caller;
    caller.setCurrentLine(3);
    TfrmFindArticle6 f(caller, QStringLiteral("cg"));
    ASSERT_EQ(f.search(QString(), {id(2)}), 3);
    f.show();
    // Sorting twice by code reverses the order; "全选" follows what is shown.
    clickTitle(f.DBGrid1, QStringLiteral("物品编码"));
    const QStringList up = column(f.DBGrid1, QStringLiteral("物品编码"));
    EXPECT_EQ(up, (QStringList{"0001", "0003", "0004"}));
    clickTitle(f.DBGrid1, QStringLiteral("物品编码"));
    EXPECT_EQ(column(f.DBGrid1, QStringLiteral("物品编码")), (QStringList{"0004", "0003", "0001"}));
    EXPECT_EQ(f.DBGrid1->sortText(), QStringLiteral("物品编码 DESC"));

    EXPECT_EQ(f.A1->text(), QStringLiteral("全选 &A"));
    f.A1->trigger();
    EXPECT_EQ(f.result(), QDialog::Accepted);
    EXPECT_EQ(caller.filledLines(), (QStringList{"3:0004", "4:0003", "5:0001"}));
    EXPECT_EQ(caller.line(4, 9), (QStringList{"0003", "A4打印纸", "70g", "包", "25.8", "1", "25.8", "整箱", id(3)}));
    EXPECT_EQ(caller.currentLine(), 6);
}

TEST_F(Finders, SelectAllNeverOverwritesALineAlreadyEntered) {
    TestCaller caller;
    caller.setLineCell(4, 1, QStringLiteral("9999"));
    caller.setLineCell(4, 9, QStringLiteral("77"));
    caller.setLineCell(2, 1, QStringLiteral("笔"));  // the search text of the current line
    caller.setCurrentLine(2);
    TfrmFindArticle6 f(caller, QStringLiteral("cg"));
    f.search(QStringLiteral("笔"), {});
    f.search(QString(), {});
    f.A1->trigger();
    EXPECT_EQ(caller.filledLines(), (QStringList{"2:0004", "3:0001", "4:9999", "5:0002", "6:0003"}));
    EXPECT_EQ(caller.lineCell(4, 9), QStringLiteral("77"));
    EXPECT_EQ(caller.currentLine(), 7);
}

TEST_F(Finders, SelectAllRefusesWhenTheLinesRunOut) {
    TestCaller caller;
    caller.setCurrentLine(97);
    TfrmFindArticle6 f(caller, QStringLiteral("cg"));
    ASSERT_EQ(f.search(QString(), {}), 4);
    f.show();
    f.A1->trigger();
    EXPECT_EQ(ui->texts(), QStringList{tooFewLinesMessage(4, 3)});
    EXPECT_EQ(ui->messages.last().caption, appTitle());
    EXPECT_TRUE(f.isVisible());
    EXPECT_EQ(caller.filledLines(), QStringList{});
    EXPECT_EQ(caller.currentLine(), 97);
}

TEST_F(Finders, AnEmptyResultWritesNothing) {
    TestCaller caller;
    caller.setLineCell(1, 1, QStringLiteral("nothing"));
    TfrmFindArticle6 f(caller, QStringLiteral("cg"));
    ASSERT_EQ(f.search(QStringLiteral("nothing"), {}), 0);
    f.show();
    QTest::keyClick(f.DBGrid1, Qt::Key_Return);
    f.myLoad();
    f.A1->trigger();
    EXPECT_TRUE(f.isVisible());
    EXPECT_EQ(caller.line(1, 13), (QStringList{"nothing", "", "", "", "", "", "", "", "", "", "", "", ""}));
    EXPECT_EQ(caller.currentLine(), 1);
    EXPECT_TRUE(ui->messages.isEmpty());
}

TEST_F(Finders, UnknownModesAreRefused) {
    TestCaller caller;
    EXPECT_THROW(TfrmFindArticle6(caller, QStringLiteral("ly")), std::invalid_argument);
    EXPECT_THROW(TfrmFindArticle7(caller, QStringLiteral("cg")), std::invalid_argument);
    EXPECT_THROW(TfrmFind(caller, QStringLiteral("LY")), std::invalid_argument);
}

// ---------------------------------------------------------------------------
// TfrmFindArticle7: the stock finder

TEST_F(Finders, Article7WritesTheCellsOfEachMode) {
    session().ZeroPriceLY = session().ZeroPriceJY = session().ZeroPriceDB = true;
    session().ZeroPriceGH = true;  // not a switch of these windows
    session().DefReturnDays = QStringLiteral("15");
    const QString a = id(4);
    const struct Case {
        const char* mode;
        QStringList cells;  // columns 1 to 11
    } cases[] = {
        {"bs", {"0004", "螺丝刀", "十字", "把", "12", "1", "12", "", a, "5.5", ""}},
        {"by", {"0004", "螺丝刀", "十字", "把", "12", "1", "12", "", a, "5.5", ""}},
        {"th", {"0004", "螺丝刀", "十字", "把", "12", "1", "12", "", a, "5.5", ""}},
        {"ly", {"0004", "螺丝刀", "十字", "把", "0", "1", "0", "", a, "5.5", ""}},
        {"db", {"0004", "螺丝刀", "十字", "把", "0", "1", "0", "", a, "5.5", ""}},
        {"jy", {"0004", "螺丝刀", "十字", "把", "0", "1", "0", "", "15", a, "5.5"}},
    };
    for (const Case& c : cases) {
        TestCaller caller;
        TfrmFindArticle7 f(caller, QString::fromLatin1(c.mode));
        ASSERT_EQ(f.search(QStringLiteral("LSD"), {}, QStringLiteral("1")), 1) << c.mode;
        f.show();
        QTest::keyClick(f.DBGrid1, Qt::Key_Return);
        EXPECT_EQ(caller.line(1, 11), c.cells) << c.mode;
    }
    // With the switches off the loan line keeps the price.
    session().ZeroPriceJY = false;
    TestCaller caller;
    TfrmFindArticle7 f(caller, QStringLiteral("jy"));
    f.search(QStringLiteral("LSD"), {}, QStringLiteral("1"));
    f.myLoad();
    EXPECT_EQ(caller.lineCell(1, 5), QStringLiteral("12"));
    EXPECT_EQ(caller.lineCell(1, 7), QStringLiteral("12"));
}

TEST_F(Finders, Article7ListsTheStockOfTheStorage) {
    TestCaller caller;
    TfrmFindArticle7 f(caller, QStringLiteral("ly"));
    EXPECT_EQ(f.search(QString(), {}, QStringLiteral("1"), QStringLiteral("物品仓库")), 2);
    EXPECT_EQ(f.windowTitle(), QStringLiteral("物品仓库 物品 查找"));
    EXPECT_EQ(column(f.DBGrid1, QStringLiteral("库存数量")), (QStringList{"5.5", "10"}));
    EXPECT_TRUE(f.DBGrid1->isColumnHidden(f.DBGrid1->fieldIndex(QStringLiteral("AID"))));
    EXPECT_EQ(f.DBGrid1->columnWidth(6), 80);

    // Surplus may be booked on a stock row of zero or below.
    TfrmFindArticle7 by(caller, QStringLiteral("by"));
    EXPECT_EQ(by.search(QString(), {}, QStringLiteral("1")), 4);
    // With negative stock allowed every stock row is offered.
    session().AllowNegativeStock = true;
    TfrmFindArticle7 bs(caller, QStringLiteral("bs"));
    EXPECT_EQ(bs.search(QString(), {}, QStringLiteral("1")), 4);
    EXPECT_EQ(bs.search(QString(), {id(1), id(3)}, QStringLiteral("1")), 2);
}

TEST_F(Finders, Article7SelectAllWritesLoanLinesWithTheirDaysAndStock) {
    session().ZeroPriceJY = true;
    TestCaller caller(QStringLiteral("frmOut_JC"));
    caller.grid->setColumnCount(10);
    caller.setCurrentLine(1);
    TfrmFindArticle7 f(caller, QStringLiteral("jy"));
    ASSERT_EQ(f.search(QString(), {}, QStringLiteral("1")), 2);
    f.A1->trigger();
    EXPECT_EQ(f.result(), QDialog::Accepted);
    // The zero-price switch holds for "全选" as for a single choice.
    EXPECT_EQ(caller.line(1, 11), (QStringList{"0004", "螺丝刀", "十字", "把", "0", "1", "0", "", "7", id(4), "5.5"}));
    EXPECT_EQ(caller.line(2, 11), (QStringList{"0001", "中性笔", "0.5mm", "支", "0", "1", "0", "黑色", "7", id(1), "10"}));
    EXPECT_EQ(caller.currentLine(), 3);
    // Hidden cells past the grid's columns got hidden columns.
    EXPECT_FALSE(caller.grid->isColumnHidden(9));
    EXPECT_TRUE(caller.grid->isColumnHidden(11));
}

// ---------------------------------------------------------------------------
// TfrmFindArticle4: outstanding lines for a return

class ReturnFinder : public Finders {
protected:
    void SetUp() override {
        Finders::SetUp();
        exec(QStringLiteral("update UArticle set APrice=2 where ID=?"), {art[1]});
        // 张三's loan: 5 of 0001 out, 2 back; 0002 settled; a cancelled line of 0004.
        loan("UOut_JC", "2403010001", "张三", 0);
        line("UOut_JC_Bill", "2403010001", art[1], 1, 5, 2, 0);
        line("UOut_JC_Bill", "2403010001", art[2], 1, 1, 1, 0);
        line("UOut_JC_Bill", "2403010001", art[4], 1, 3, 0, 1);
        // A cancelled loan of 张三 and a loan of 李四.
        loan("UOut_JC", "2403010002", "张三", 1);
        line("UOut_JC_Bill", "2403010002", art[3], 1, 1, 0, 1);
        loan("UOut_JC", "2403010003", "李四", 0);
        line("UOut_JC_Bill", "2403010003", art[3], 1, 2, 0, 0);
        // 张三's requisition of 0.3 of 0003 from storage 2, 0.1 back.
        loan("UOut_LY", "2403020001", "张三", 0);
        line("UOut_LY_Bill", "2403020001", art[3], 2, 0.3, 0.1, 0);
        jcLine = scalar(QStringLiteral("select ID from UOut_JC_Bill where AID=? and theNum='2403010001'"), {art[1]}).toString();
        lyLine = scalar(QStringLiteral("select ID from UOut_LY_Bill")).toString();
    }
    void loan(const char* table, const char* num, const char* person, int del) {
        exec(QStringLiteral("insert into %1(theNum, myDate, theDate, theUser, theBGPro, Remark, theDel, theLYPro) "
                            "values(?, '2024-03-01', '2024-03-01', '系统管理员', '', '', ?, ?)").arg(QString::fromLatin1(table)),
             {QString::fromLatin1(num), del, QString::fromUtf8(person)});
    }
    void line(const char* table, const char* num, qlonglong aid, int sid, double count, double back, int del) {
        exec(QStringLiteral("insert into %1(theNum, AID, SID, theCount, GHCount, thePrice, Remark, myID, theDel) "
                            "values(?, ?, ?, ?, ?, 9, '', 1, ?)").arg(QString::fromLatin1(table)),
             {QString::fromLatin1(num), aid, sid, count, back, del});
    }
    // The return window: returner in Edit2, search text in column 1 of the current line.
    void returner(TestCaller& caller, const QString& person, const QString& text = QString()) {
        caller.setControlText(QStringLiteral("Edit2"), person);
        caller.setLineCell(caller.currentLine(), 1, text);
    }

    QString jcLine, lyLine;
};

TEST_F(ReturnFinder, OffersTheOutstandingLinesOfThePersonOfEachKind) {
    TestCaller caller(QStringLiteral("frmIn_GH"));
    returner(caller, QStringLiteral("张三"));
    TfrmFindArticle4 f(caller);
    EXPECT_EQ(f.windowTitle(), QStringLiteral("张三 借用 物品 查找"));
    EXPECT_TRUE(f.RadioButton2->isChecked());
    EXPECT_EQ(f.RadioButton1->text(), QStringLiteral("领用物品"));
    EXPECT_EQ(f.RadioButton2->text(), QStringLiteral("借用物品"));
    ASSERT_EQ(f.myRef(), 1);
    EXPECT_EQ(f.DBGrid1->text(0, QStringLiteral("单号")), QStringLiteral("2403010001"));
    EXPECT_EQ(f.DBGrid1->text(0, QStringLiteral("借用数量")), QStringLiteral("5"));
    EXPECT_EQ(f.DBGrid1->text(0, QStringLiteral("已归还数")), QStringLiteral("2"));
    EXPECT_EQ(f.DBGrid1->text(0, QStringLiteral("仓库名称")), QStringLiteral("物品仓库"));
    for (const char* hidden : {"AID", "SYMoney", "SID", "SYCount", "ID"})
        EXPECT_TRUE(f.DBGrid1->isColumnHidden(f.DBGrid1->fieldIndex(QString::fromLatin1(hidden)))) << hidden;
    EXPECT_EQ(f.DBGrid1->columnWidth(f.DBGrid1->fieldIndex(QStringLiteral("物品名称"))), 170);

    f.show();
    QTest::mouseClick(f.RadioButton1, Qt::LeftButton);
    ASSERT_EQ(f.resultCount(), 1);
    EXPECT_EQ(f.DBGrid1->text(0, QStringLiteral("领用日期")), QStringLiteral("2024-03-01"));
    EXPECT_EQ(f.DBGrid1->text(0, QStringLiteral("SYCount")), QStringLiteral("0.2"));
    EXPECT_EQ(f.sourceTable(), QStringLiteral("UOut_LY_Bill"));
    QTest::mouseClick(f.RadioButton2, Qt::LeftButton);
    EXPECT_EQ(f.sourceTable(), QStringLiteral("UOut_JC_Bill"));
    EXPECT_EQ(f.DBGrid1->text(0, QStringLiteral("物品编码")), QStringLiteral("0001"));

    // 李四 has one loan line; nobody has lines under a quote.
    returner(caller, QStringLiteral("李四"));
    EXPECT_EQ(f.myRef(), 1);
    returner(caller, QStringLiteral("张'三"));
    EXPECT_EQ(f.myRef(), 0);
}

TEST_F(ReturnFinder, SearchTextAndLinesAlreadyEnteredNarrowTheList) {
    TestCaller caller(QStringLiteral("frmIn_GH"));
    caller.setLineCell(1, 1, QStringLiteral("0001"));
    caller.setLineCell(1, 9, id(1));
    caller.setCurrentLine(2);
    returner(caller, QStringLiteral("张三"));
    TfrmFindArticle4 f(caller);
    EXPECT_EQ(f.myRef(), 0);  // 0001 is on line 1 already
    caller.setLineCell(1, 9, QString());
    EXPECT_EQ(f.myRef(), 1);
    returner(caller, QStringLiteral("张三"), QStringLiteral("zxb"));
    EXPECT_EQ(f.myRef(), 1);
    returner(caller, QStringLiteral("张三"), QStringLiteral("签字"));
    EXPECT_EQ(f.myRef(), 0);  // settled
}

TEST_F(ReturnFinder, AChoiceFillsTheReturnLineWithItsSource) {
    TestCaller caller(QStringLiteral("frmIn_GH"));
    returner(caller, QStringLiteral("张三"));
    TfrmFindArticle4 f(caller);
    f.myRef();
    f.show();
    QTest::keyClick(f.DBGrid1, Qt::Key_Return);
    EXPECT_EQ(caller.line(1), (QStringList{"0001", "中性笔", "0.5mm", "支", "2", "3", "6", "", id(1), "3", "1",
                                           "UOut_JC_Bill", jcLine}));
    EXPECT_EQ(caller.currentLine(), 1);

    // The requisition kind, with the return zero-price switch on.
    session().ZeroPriceGH = true;
    TestCaller other(QStringLiteral("frmIn_GH"));
    returner(other, QStringLiteral("张三"));
    TfrmFindArticle4 g(other);
    g.RadioButton1->setChecked(true);
    g.myRef();
    g.myLoad();
    EXPECT_EQ(other.line(1), (QStringList{"0003", "A4打印纸", "70g", "包", "0", "0.2", "0", "", id(3), "0.2", "2",
                                          "UOut_LY_Bill", lyLine}));
}

TEST_F(ReturnFinder, SelectAllFillsEveryLineWithTheZeroPriceSwitch) {
    session().ZeroPriceGH = true;
    line("UOut_JC_Bill", "2403010001", art[4], 1, 4, 1, 0);
    TestCaller caller(QStringLiteral("frmIn_GH"));
    returner(caller, QStringLiteral("张三"));
    TfrmFindArticle4 f(caller);
    ASSERT_EQ(f.myRef(), 2);
    f.A1->trigger();
    EXPECT_EQ(caller.filledLines(), (QStringList{"1:0001", "2:0004"}));
    EXPECT_EQ(caller.line(2, 12), (QStringList{"0004", "螺丝刀", "十字", "把", "0", "3", "0", "", id(4), "3", "1",
                                               "UOut_JC_Bill"}));
    EXPECT_EQ(caller.lineCell(1, 5), QStringLiteral("0"));
    EXPECT_EQ(caller.currentLine(), 3);
}

// ---------------------------------------------------------------------------
// TfrmFindProson: persons

class PersonFinder : public Finders {
protected:
    void SetUp() override {
        Finders::SetUp();
        person("003", "办公室", "王五", "", "WW");
        person("001", "办公室", "张三", "主任", "ZS");
        person("002", "仓储部", "李四", "保管员", "LS");
    }
    void person(const char* num, const char* dept, const char* name, const char* job, const char* py) {
        exec(QStringLiteral("insert into SPerson(theNum, DName, PName, theJob, thePY) values(?, ?, ?, ?, ?)"),
             {QString::fromUtf8(num), QString::fromUtf8(dept), QString::fromUtf8(name), QString::fromUtf8(job),
              QString::fromUtf8(py)});
    }
};

TEST_F(PersonFinder, AnEmptyTextListsEveryoneByDepartmentAndName) {
    TestCaller caller(QStringLiteral("frmOut_LY"));
    TfrmFindProson f(caller);
    f.setTarget(QStringLiteral("frmOut_LY.Edit2.Text"));
    f.setSearchText(QString());
    f.show();  // FormShow runs the query
    EXPECT_EQ(f.windowTitle(), QStringLiteral("查找 人员"));
    EXPECT_EQ(f.focusWidget(), f.DBGrid1);
    ASSERT_EQ(f.resultCount(), 3);
    EXPECT_EQ(f.DBGrid1->fieldName(0), QStringLiteral("工号"));
    // Departments ordered as the engine orders text: 仓储部 (U+4ED3) before 办公室 (U+529E).
    EXPECT_EQ(column(f.DBGrid1, QStringLiteral("人员姓名")), (QStringList{"李四", "张三", "王五"}));
    EXPECT_EQ(f.DBGrid1->columnWidth(2), 150);
    QTest::keyClick(f.DBGrid1, Qt::Key_Down);
    QTest::keyClick(f.DBGrid1, Qt::Key_Return);
    EXPECT_EQ(caller.text(QStringLiteral("Edit2")), QStringLiteral("张三"));
    EXPECT_EQ(caller.text(QStringLiteral("Label3")), QStringLiteral("办公室"));
}

TEST_F(PersonFinder, EachTargetGetsTheNameAndTheMainPersonsTheirDepartment) {
    const struct Case {
        const char* target;
        const char* edit;
        const char* label;  // department label, or ""
    } cases[] = {
        {"frmOut_LY.Edit2.Text", "Edit2", "Label3"}, {"frmOut_JC.Edit2.Text", "Edit2", "Label4"},
        {"frmSQ_In.Edit2.Text", "Edit2", "Label3"},  {"frmIN_CG.Edit7.Text", "Edit7", ""},
        {"frmIN_CG.Edit8.Text", "Edit8", ""},        {"frmOut_JC.Edit4.Text", "Edit4", ""},
        {"frmIN_GH.Edit2.Text", "Edit2", ""},        {"frmDB_In.Edit1.Text", "Edit1", ""},
    };
    for (const Case& c : cases) {
        TestCaller caller;
        TfrmFindProson f(caller);
        f.Label1->setText(QString::fromLatin1(c.target));
        f.Label2->setText(QStringLiteral("ls"));
        f.show();
        ASSERT_EQ(f.resultCount(), 1) << c.target;
        QTest::keyClick(f.DBGrid1, Qt::Key_Return);
        EXPECT_EQ(caller.text(QString::fromLatin1(c.edit)), QStringLiteral("李四")) << c.target;
        for (const char* label : {"Label3", "Label4"}) {
            const QString expected = QString::fromLatin1(label) == QString::fromLatin1(c.label) ? QStringLiteral("仓储部") : QString();
            EXPECT_EQ(caller.text(QString::fromLatin1(label)), expected) << c.target << " " << label;
        }
    }
    EXPECT_EQ(TfrmFindProson::knownTargets().size(), 18);
    EXPECT_EQ(TfrmFindProson::editOf(QStringLiteral("frmIn_BY.Edit3.Text")), QStringLiteral("Edit3"));
    EXPECT_EQ(TfrmFindProson::editOf(QStringLiteral("Edit3")), QString());
}

TEST_F(PersonFinder, SearchByNumberOrNameEscapeWritesNothing) {
    TestCaller caller(QStringLiteral("frmOut_JC"));
    caller.setControlText(QStringLiteral("Edit2"), QStringLiteral("z"));
    TfrmFindProson f(caller);
    f.setTarget(QStringLiteral("frmOut_JC.Edit2.Text"));
    f.setSearchText(QStringLiteral("003"));
    f.show();
    ASSERT_EQ(f.resultCount(), 1);
    EXPECT_EQ(f.DBGrid1->text(0, QStringLiteral("人员姓名")), QStringLiteral("王五"));
    QTest::keyClick(f.DBGrid1, Qt::Key_Escape);
    EXPECT_EQ(f.result(), QDialog::Rejected);
    EXPECT_EQ(caller.text(QStringLiteral("Edit2")), QStringLiteral("z"));
    EXPECT_EQ(caller.text(QStringLiteral("Label4")), QString());

    f.setSearchText(QStringLiteral("'"));
    EXPECT_EQ(f.myRef(), 0);
}

// ---------------------------------------------------------------------------
// TfrmFind: suppliers

TEST_F(Finders, SupplierChoiceFillsTheSupplierFieldsAndFocusesTheLines) {
    exec(QStringLiteral("insert into UMerchant(MName, MPhone, MProson, MAddress, Remark, thePY) values"
                        "('文具批发', '010-1234', '赵六', '北京路1号', '老客户', 'WJPF'),"
                        "('纸业公司', '020-5678', '钱七', '广州路2号', '', 'ZYGS')"));
    const QString wj = scalar(QStringLiteral("select ID from UMerchant where MName='文具批发'")).toString();
    TestCaller caller;
    caller.show();
    caller.setControlText(QStringLiteral("Edit1"), QStringLiteral("wj"));
    TfrmFind f(caller, QStringLiteral("CG"));
    EXPECT_EQ(f.windowTitle(), QStringLiteral("供应商 查找"));
    EXPECT_EQ(f.search(QString()), 2);
    ASSERT_EQ(f.search(caller.text(QStringLiteral("Edit1"))), 1);
    EXPECT_TRUE(f.DBGrid1->isColumnHidden(0));
    EXPECT_EQ(f.DBGrid1->columnWidth(1), 200);
    EXPECT_EQ(f.DBGrid1->columnWidth(4), 150);
    f.show();
    QTest::keyClick(f.DBGrid1, Qt::Key_Return);
    EXPECT_EQ(f.result(), QDialog::Accepted);
    EXPECT_EQ(caller.text(QStringLiteral("LabJSSID")), wj);
    const QStringList fields = {caller.text(QStringLiteral("Edit1")), caller.text(QStringLiteral("Edit2")),
                                caller.text(QStringLiteral("Edit3")), caller.text(QStringLiteral("Edit4")),
                                caller.text(QStringLiteral("Edit5"))};
    EXPECT_EQ(fields, (QStringList{"文具批发", "010-1234", "赵六", "北京路1号", "老客户"}));
    EXPECT_EQ(caller.focusWidget(), caller.grid);
    EXPECT_EQ(caller.filledLines(), QStringList{});
}

// ---------------------------------------------------------------------------
// The one-call openers of the person and supplier fields

namespace {
// Presses key in the grid of the modal finder once it runs.
void pressInFinder(Qt::Key key) {
    QTimer::singleShot(0, [key] {
        QWidget* modal = QApplication::activeModalWidget();
        ASSERT_NE(modal, nullptr);
        QTest::keyClick(modal->findChild<DataGrid*>(QStringLiteral("DBGrid1")), key);
    });
}
} // namespace

TEST_F(PersonFinder, AskRunsTheFinderForAField) {
    TestCaller caller(QStringLiteral("frmSQ_In"));
    pressInFinder(Qt::Key_Return);
    EXPECT_EQ(TfrmFindProson::ask(caller, QStringLiteral("frmSQ_In.Edit2.Text"), QStringLiteral("张")), QDialog::Accepted);
    EXPECT_EQ(caller.text(QStringLiteral("Edit2")), QStringLiteral("张三"));
    EXPECT_EQ(caller.text(QStringLiteral("Label3")), QStringLiteral("办公室"));

    pressInFinder(Qt::Key_Escape);
    EXPECT_EQ(TfrmFindProson::ask(caller, QStringLiteral("frmSQ_In.Edit3.Text"), QString()), QDialog::Rejected);
    EXPECT_EQ(caller.text(QStringLiteral("Edit3")), QString());
}

TEST_F(Finders, SupplierAskSearchesTheCallersNameField) {
    exec(QStringLiteral("insert into UMerchant(MName, MPhone, MProson, MAddress, Remark, thePY) values"
                        "('文具批发', '', '', '', '', 'WJPF'), ('纸业公司', '', '', '', '', 'ZYGS')"));
    TestCaller caller(QStringLiteral("frmOut_TH"));
    caller.setControlText(QStringLiteral("Edit1"), QStringLiteral("纸"));
    pressInFinder(Qt::Key_Return);
    EXPECT_EQ(TfrmFind::ask(caller, QStringLiteral("TH")), QDialog::Accepted);
    EXPECT_EQ(caller.text(QStringLiteral("Edit1")), QStringLiteral("纸业公司"));
    EXPECT_EQ(caller.text(QStringLiteral("LabJSSID")),
              scalar(QStringLiteral("select ID from UMerchant where MName='纸业公司'")).toString());
}
