// Speed of the spreadsheet export: 10,000 records of 15 columns (the purchase
// item list's layout) from a query model into a saved .xlsx file, and the
// same rows written through the workbook alone.
#include <benchmark/benchmark.h>

#include "app/Schema.h"
#include "app/Session.h"
#include "app/TfrmDM.h"
#include "exchange/ExcelExport.h"
#include "platform/AppPaths.h"
#include "platform/Clock.h"
#include "platform/ScriptedUi.h"
#include "platform/Workbook.h"

#include <QApplication>
#include <QDir>
#include <QFile>
#include <QSqlQueryModel>
#include <QTemporaryDir>

#include <memory>

namespace {

constexpr int kRows = 10000;

// A program folder with a database and a result set shaped like the purchase item list.
struct Setup {
    QTemporaryDir dir;
    ScriptedUi ui;
    TfrmDM dm;
    QSqlQueryModel rows;
    Setup() {
        AppPaths::setAppPath(dir.path());
        Schema::createFile(AppPaths::databaseFile());
        dm.open(AppPaths::databaseFile());
        Clock::setFixed(QDateTime(QDate(2024, 3, 7), QTime(10, 0)));
        session().UnitName = QStringLiteral("测试单位");
        dm.db().exec(QStringLiteral(
            "CREATE TABLE B AS WITH RECURSIVE n(i) AS (SELECT 1 UNION ALL SELECT i + 1 FROM n WHERE i < %1) "
            "SELECT printf('2403%06d', i) AS 编号, printf('2024-03-%02d', 1 + i % 28) AS 采购日期, '张三' AS 采购人, "
            "'华通五金有限公司' AS 供应商, '物品仓库' AS 入库仓库, printf('%04d', i) AS 物品编码, '工具' AS 物品分类, "
            "'扳手 ' || i AS 物品名称, '10寸' AS 规格型号, '把' AS 单位, 12.5 + i % 7 AS 单价, 1 + i % 13 AS 数量, "
            "(12.5 + i % 7) * (1 + i % 13) AS 金额, '' AS 备注 FROM n").arg(kRows));
    }
    void load() {
        rows.setQuery(dm.db().modelQuery(QStringLiteral("SELECT * FROM B")));
    }
};

std::unique_ptr<Setup> theSetup;
Setup& setup() {
    if (!theSetup) theSetup = std::make_unique<Setup>();
    return *theSetup;
}

void BM_ExportPurchaseList(benchmark::State& state) {
    Setup& s = setup();
    for (auto _ : state) {
        s.load();
        const QString file = ExcelExport::run(QStringLiteral("TfrmYLB_CG"), s.rows);
        if (file.isEmpty()) state.SkipWithError("nothing written");
        state.PauseTiming();
        QFile::remove(file);
        state.ResumeTiming();
    }
    state.SetItemsProcessed(state.iterations() * kRows);
}
BENCHMARK(BM_ExportPurchaseList)->Unit(benchmark::kMillisecond)->UseRealTime();

void BM_WorkbookOnly(benchmark::State& state) {
    const QString file = setup().dir.filePath(QStringLiteral("plain.xlsx"));
    for (auto _ : state) {
        Workbook wb;
        for (int r = 0; r < kRows; ++r) {
            wb.setNumber(r, 0, r + 1);
            for (int c = 1; c < 15; ++c) {
                if (c % 3 == 0) wb.setNumber(r, c, r * 0.5 + c);
                else wb.setText(r, c, QStringLiteral("文本%1").arg(r % 500));
            }
        }
        wb.setBorders({0, 0, kRows - 1, 14});
        wb.save(file);
    }
    state.SetItemsProcessed(state.iterations() * kRows);
}
BENCHMARK(BM_WorkbookOnly)->Unit(benchmark::kMillisecond)->UseRealTime();

} // namespace

int main(int argc, char** argv) {
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM")) qputenv("QT_QPA_PLATFORM", "offscreen");
    QApplication app(argc, argv);
    benchmark::Initialize(&argc, argv);
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();
    theSetup.reset();
    return 0;
}
