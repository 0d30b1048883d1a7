// The sortable read-only grid over a select.
#include "AppFixture.h"

#include "app/DataGrid.h"

#include <QFont>
#include <QHeaderView>
#include <QSignalSpy>
#include <QTest>

class DataGridTest : public AppFixture {
protected:
    void SetUp() override {
        AppFixture::SetUp();
        const struct { const char* num; const char* name; double price; } rows[] = {
            {"0003", "订书机", 12.5}, {"0001", "签字笔", 2}, {"0002", "a4纸", 0.3}, {"0004", "A3纸", 100},
        };
        for (const auto& r : rows) {
            exec(QStringLiteral("insert into UArticle(theNum, AName, APrice) values(?, ?, ?)"),
                 {QString::fromUtf8(r.num), QString::fromUtf8(r.name), r.price});
        }
        grid.resize(600, 300);
        grid.setQuery(QStringLiteral("select theNum as 物品编码, AName as 物品名称, APrice as 单价, ID from UArticle order by ID"));
    }
    QStringList column(const QString& field) {
        QStringList out;
        for (int r = 0; r < grid.rowCount(); ++r) out << grid.text(r, field);
        return out;
    }
    void clickTitle(const QString& field) {
        QHeaderView* h = grid.horizontalHeader();
        const int c = grid.fieldIndex(field);
        QTest::mouseClick(h->viewport(), Qt::LeftButton, {}, QPoint(h->sectionViewportPosition(c) + 5, h->height() / 2));
    }
    QVariant title(const QString& field, int role) {
        return grid.model()->headerData(grid.fieldIndex(field), Qt::Horizontal, role);
    }

    DataGrid grid;
};

TEST_F(DataGridTest, ShowsTheResultWithNumbersAsText) {
    ASSERT_EQ(grid.rowCount(), 4);
    EXPECT_EQ(grid.fieldName(0), QStringLiteral("物品编码"));
    EXPECT_EQ(grid.fieldIndex(QStringLiteral("id")), 3);
    EXPECT_EQ(grid.fieldIndex(QStringLiteral("nothing")), -1);
    EXPECT_EQ(column(QStringLiteral("单价")), (QStringList{"12.5", "2", "0.3", "100"}));
    EXPECT_EQ(grid.model()->index(2, 2).data().toString(), QStringLiteral("0.3"));
    EXPECT_EQ(grid.currentRow(), 0);
    EXPECT_FALSE(grid.value(9, 0).isValid());
    EXPECT_EQ(grid.text(0, QStringLiteral("nothing")), QString());
}

TEST_F(DataGridTest, TitleClicksSortAscendingThenToggle) {
    clickTitle(QStringLiteral("单价"));
    EXPECT_EQ(grid.sortText(), QStringLiteral("单价 ASC"));
    EXPECT_EQ(column(QStringLiteral("单价")), (QStringList{"0.3", "2", "12.5", "100"}));  // as numbers
    EXPECT_TRUE(title(QStringLiteral("单价"), Qt::FontRole).value<QFont>().bold());
    EXPECT_EQ(title(QStringLiteral("单价"), Qt::ForegroundRole).value<QBrush>().color(), QColor(Qt::red));

    clickTitle(QStringLiteral("单价"));
    EXPECT_EQ(grid.sortText(), QStringLiteral("单价 DESC"));
    EXPECT_EQ(column(QStringLiteral("单价")), (QStringList{"100", "12.5", "2", "0.3"}));
    EXPECT_EQ(title(QStringLiteral("单价"), Qt::ForegroundRole).value<QBrush>().color(), QColor(Qt::blue));

    // Another title sorts ascending and resets the first one.
    clickTitle(QStringLiteral("物品名称"));
    EXPECT_EQ(grid.sortText(), QStringLiteral("物品名称 ASC"));
    EXPECT_FALSE(title(QStringLiteral("单价"), Qt::FontRole).isValid());
    EXPECT_FALSE(title(QStringLiteral("单价"), Qt::ForegroundRole).isValid());
    // Text ignores ASCII case: "a4纸" and "A3纸" sort as a3 < a4.
    EXPECT_EQ(column(QStringLiteral("物品名称")).mid(0, 2), (QStringList{"A3纸", "a4纸"}));

    clickTitle(QStringLiteral("物品名称"));
    clickTitle(QStringLiteral("物品名称"));
    EXPECT_EQ(grid.sortText(), QStringLiteral("物品名称 ASC"));
}

TEST_F(DataGridTest, SortingTwiceReversesAndValuesFollowTheShownOrder) {
    grid.toggleSort(QStringLiteral("物品编码"));
    const QStringList up = column(QStringLiteral("物品编码"));
    EXPECT_EQ(up, (QStringList{"0001", "0002", "0003", "0004"}));
    grid.toggleSort(QStringLiteral("物品编码"));
    QStringList down = column(QStringLiteral("物品编码"));
    std::reverse(down.begin(), down.end());
    EXPECT_EQ(down, up);
    EXPECT_EQ(grid.text(0, QStringLiteral("物品名称")), QStringLiteral("A3纸"));
    grid.clearSort();
    EXPECT_EQ(grid.sortText(), QString());
    EXPECT_EQ(grid.text(0, QStringLiteral("物品编码")), QStringLiteral("0003"));
}

TEST_F(DataGridTest, SortableOffIgnoresTitleClicks) {
    grid.setSortable(false);
    clickTitle(QStringLiteral("单价"));
    EXPECT_EQ(grid.sortText(), QString());
}

TEST_F(DataGridTest, AlternatingRowColours) {
    const QAbstractItemModel* m = grid.model();
    EXPECT_EQ(m->index(0, 0).data(Qt::BackgroundRole).value<QBrush>().color(), QColor(191, 255, 223));
    EXPECT_EQ(m->index(1, 0).data(Qt::BackgroundRole).value<QBrush>().color(), DataGrid::evenRowColor());
    EXPECT_EQ(m->index(2, 1).data(Qt::BackgroundRole).value<QBrush>().color(), QColor(191, 255, 223));
    grid.setRowColors(false);
    EXPECT_FALSE(m->index(0, 0).data(Qt::BackgroundRole).isValid());
}

TEST_F(DataGridTest, EnterAndDoubleClickChooseTheRowOtherKeysDoNot) {
    QSignalSpy spy(&grid, &DataGrid::chosen);
    grid.setCurrentRow(2);
    QTest::keyClick(&grid, Qt::Key_Return);
    QTest::keyClick(&grid, Qt::Key_Enter);
    ASSERT_EQ(spy.count(), 2);
    EXPECT_EQ(spy.at(0).at(0).toInt(), 2);

    // A typed letter neither searches nor edits nor chooses.
    QTest::keyClick(&grid, Qt::Key_A);
    QTest::keyClick(&grid, Qt::Key_0);
    EXPECT_EQ(grid.currentRow(), 2);
    EXPECT_EQ(spy.count(), 2);
    QTest::keyClick(&grid, Qt::Key_Down);
    EXPECT_EQ(grid.currentRow(), 3);

    grid.show();
    const QRect cell = grid.visualRect(grid.model()->index(1, 1));
    QTest::mouseClick(grid.viewport(), Qt::LeftButton, {}, cell.center());
    QTest::mouseDClick(grid.viewport(), Qt::LeftButton, {}, cell.center());
    ASSERT_EQ(spy.count(), 3);
    EXPECT_EQ(spy.at(2).at(0).toInt(), 1);
}

TEST_F(DataGridTest, EnterOnAnEmptyResultChoosesNothing) {
    grid.setQuery(QStringLiteral("select theNum as 物品编码 from UArticle where 0"));
    QSignalSpy spy(&grid, &DataGrid::chosen);
    QTest::keyClick(&grid, Qt::Key_Return);
    EXPECT_EQ(spy.count(), 0);
    EXPECT_EQ(grid.currentRow(), -1);
}

TEST_F(DataGridTest, LayoutByFieldNameSurvivesANewQuery) {
    grid.setFieldHidden(QStringLiteral("ID"));
    grid.setFieldWidth(QStringLiteral("物品名称"), 177);
    grid.setQuery(QStringLiteral("select ID, AName as 物品名称 from UArticle where AName like ?"), {QStringLiteral("%纸%")});
    EXPECT_EQ(grid.rowCount(), 2);
    EXPECT_TRUE(grid.isColumnHidden(0));
    EXPECT_EQ(grid.columnWidth(1), 177);
    grid.setFieldWidths({50, 60});
    EXPECT_EQ(grid.columnWidth(1), 60);
}

TEST_F(DataGridTest, NewQueryClearsTheSortReloadKeepsItAndTheRow) {
    grid.toggleSort(QStringLiteral("单价"));
    grid.toggleSort(QStringLiteral("单价"));
    grid.setCurrentRow(1);
    exec(QStringLiteral("insert into UArticle(theNum, AName, APrice) values('0005', '胶水', 50)"));
    grid.reload();
    EXPECT_EQ(grid.sortText(), QStringLiteral("单价 DESC"));
    EXPECT_EQ(column(QStringLiteral("单价")), (QStringList{"100", "50", "12.5", "2", "0.3"}));
    EXPECT_EQ(grid.currentRow(), 1);

    grid.setQuery(grid.statement(), grid.parameters());
    EXPECT_EQ(grid.sortText(), QString());
    EXPECT_FALSE(title(QStringLiteral("单价"), Qt::FontRole).isValid());
    EXPECT_EQ(grid.currentRow(), 0);
}

TEST_F(DataGridTest, LocateMakesTheRowCurrent) {
    EXPECT_TRUE(grid.locate(QStringLiteral("物品编码"), QStringLiteral("0004")));
    EXPECT_EQ(grid.currentText(QStringLiteral("物品名称")), QStringLiteral("A3纸"));
    EXPECT_FALSE(grid.locate(QStringLiteral("物品编码"), QStringLiteral("9999")));
    EXPECT_EQ(grid.currentRow(), 3);
}

TEST_F(DataGridTest, ARejectedStatementThrowsAndEmptiesTheGrid) {
    EXPECT_THROW(grid.setQuery(QStringLiteral("select nothing from nowhere")), DbError);
    EXPECT_EQ(grid.rowCount(), 0);
    EXPECT_EQ(grid.statement(), QString());
    grid.reload();  // nothing to run again
    EXPECT_EQ(grid.rowCount(), 0);
}

TEST_F(DataGridTest, AQuoteInABoundValueIsJustText) {
    exec(QStringLiteral("insert into UArticle(theNum, AName) values('0009', ?)"), {QStringLiteral("O'Brien笔")});
    grid.setQuery(QStringLiteral("select AName from UArticle where AName like ?"), {QStringLiteral("%'%")});
    ASSERT_EQ(grid.rowCount(), 1);
    EXPECT_EQ(grid.text(0, 0), QStringLiteral("O'Brien笔"));
}
