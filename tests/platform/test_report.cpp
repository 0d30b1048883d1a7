#include <gtest/gtest.h>

#include "TempFolder.h"
#include "platform/Report.h"
#include "platform/ScriptedUi.h"

#include <QFileInfo>
#include <QProcess>
#include <QRegularExpression>
#include <QStandardPaths>

namespace {
Reports::Report listOf(int rows) {
    Reports::Report r;
    r.title = QStringLiteral("测试报表");
    const QFont f = Reports::Report::font(9);
    r.pageHeader.height = 10;
    r.pageHeader.text(QRectF(0, 0, r.bodyWidth(), 10), QStringLiteral("示范单位物品采购入库单"), Reports::Report::font(15.75, true),
                      Qt::AlignCenter);
    r.columnHeader.height = 6;
    r.columnHeader.text(QRectF(0, 0, 10, 6), QStringLiteral("序号"), f, Qt::AlignCenter, true);
    r.columnHeader.text(QRectF(10, 0, 50, 6), QStringLiteral("物品名称"), f, Qt::AlignCenter, true);
    for (int i = 1; i <= rows; ++i) {
        Reports::Band b;
        b.height = 6;
        b.text(QRectF(0, 0, 10, 6), QString::number(i), f, Qt::AlignCenter, true);
        b.text(QRectF(10, 0, 50, 6), QStringLiteral("签字笔%1").arg(i), f, Qt::AlignLeft | Qt::AlignVCenter, true);
        r.details.push_back(b);
    }
    r.summary.height = 20;
    r.summary.text(QRectF(0, 0, 60, 6), QStringLiteral("合计"), f);
    r.pageFooter.height = 6;
    r.pageFooter.text(QRectF(0, 0, r.bodyWidth(), 6), QStringLiteral("第[Page#]页 共[TotalPages#]页"), f, Qt::AlignCenter);
    return r;
}
} // namespace

TEST(Report, PaginatesRowsAndKeepsTheSummaryOnAPage) {
    // A4 portrait: 297 - 20 margins - 6 footer = 271 mm for the bands; header and heads take 16 mm,
    // so 42 rows of 6 mm fit a page, and the 20 mm summary after 39 rows at the most.
    struct Case { int rows; int pages; } cases[] = {{0, 1}, {1, 1}, {39, 1}, {40, 2}, {42, 2}, {43, 2}, {100, 3}};
    for (const auto& c : cases) EXPECT_EQ(listOf(c.rows).pageCount(), c.pages) << c.rows;
}

TEST(Report, RendersTextIntoAPdf) {
    const QString pdftotext = QStandardPaths::findExecutable(QStringLiteral("pdftotext"));
    if (pdftotext.isEmpty()) GTEST_SKIP() << "pdftotext (poppler-utils) is not installed";
    TempFolder dir;
    const QString file = dir.file(QStringLiteral("r.pdf"));
    ASSERT_TRUE(listOf(40).writePdf(file));
    QProcess p;
    p.start(pdftotext, {QStringLiteral("-layout"), file, QStringLiteral("-")});
    ASSERT_TRUE(p.waitForFinished(30000));
    // Some CJK glyphs come back as their compatibility forms (Kangxi radicals); fold them.
    const QString text = QString::fromUtf8(p.readAllStandardOutput()).normalized(QString::NormalizationForm_KC);
    EXPECT_TRUE(text.contains(QStringLiteral("示范单位物品采购入库单")));
    // Digits of the CJK font do not always come back from the PDF's text layer; count the Chinese text.
    EXPECT_EQ(text.count(QStringLiteral("签字笔")), 40);
    EXPECT_EQ(text.count(QRegularExpression(QStringLiteral("第\\s*\\d*\\s*\\S\\s*共"))), 2);  // a footer on each page
    EXPECT_EQ(text.count(QStringLiteral("物品名称")), 2);  // the column heads repeat on every page
    EXPECT_EQ(text.count(QLatin1Char('\f')), 2);  // two pages
}

TEST(Report, PreviewGoesThroughTheUi) {
    ScriptedUi ui;
    TempFolder dir;
    ui.previewPdf = dir.file(QStringLiteral("p.pdf"));
    listOf(3).preview();
    ASSERT_EQ(ui.previews.size(), 1);
    EXPECT_EQ(ui.previews[0], QStringLiteral("测试报表"));
    EXPECT_GT(QFileInfo(ui.previewPdf).size(), 0);
}
