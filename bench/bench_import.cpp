// Speed of the article import: a workbook of 10,000 articles with an opening
// stock each, read and imported into a fresh database (new types, places,
// articles, stock rows and ledger rows in one transaction).
#include <benchmark/benchmark.h>

#include "app/Schema.h"
#include "app/Session.h"
#include "app/TfrmDM.h"
#include "exchange/SheetImport.h"
#include "platform/AppPaths.h"
#include "platform/Clock.h"
#include "platform/SheetReader.h"
#include "platform/Workbook.h"

#include <QCoreApplication>
#include <QDir>
#include <QFile>
#include <QTemporaryDir>

#include <memory>

namespace {

constexpr int kArticles = 10000;

QString makeWorkbook(const QString& file) {
    static const char* names[] = {"扳手", "螺丝刀", "签字笔", "订书机", "打印纸", "安全帽", "手套", "电缆", "插座", "灯管"};
    Workbook wb;
    const QStringList headers = SheetImport::articleHeaders();
    for (int c = 0; c < headers.size(); ++c) wb.setText(0, c, headers[c]);
    for (int i = 1; i <= kArticles; ++i) {
        wb.setText(i, 0, QStringLiteral("A%1").arg(i, 5, 10, QLatin1Char('0')));
        wb.setText(i, 1, QStringLiteral("分类%1").arg(i % 20));
        wb.setText(i, 2, QString::fromUtf8(names[i % 10]) + QString::number(i));
        wb.setText(i, 3, QStringLiteral("%1型").arg(i % 50));
        wb.setText(i, 4, QStringLiteral("个"));
        wb.setNumber(i, 5, 1.5 + i % 100);
        wb.setNumber(i, 6, 1 + i % 30);
        if (i % 3 == 0) wb.setText(i, 7, QStringLiteral("备注%1").arg(i));
        wb.setText(i, 8, QStringLiteral("货位%1").arg(i % 30));
    }
    wb.save(file);
    return file;
}

void BM_ImportArticlesWithStock(benchmark::State& state) {
    QTemporaryDir dir;
    const QString sheet = makeWorkbook(dir.filePath(QStringLiteral("articles.xlsx")));
    Clock::setFixed(QDateTime(QDate(2024, 3, 7), QTime(10, 0)));
    session().LoginDate = QStringLiteral("2024-03-07");
    session().UserName = QStringLiteral("系统管理员");
    int run = 0;
    for (auto _ : state) {
        state.PauseTiming();
        const QString folder = dir.filePath(QStringLiteral("run%1/").arg(++run));
        QDir().mkpath(folder);
        AppPaths::setAppPath(folder);
        Schema::createFile(AppPaths::databaseFile());
        auto dm = std::make_unique<TfrmDM>();
        dm->open(AppPaths::databaseFile());
        state.ResumeTiming();

        const SheetTable t = SheetReader::readTable(sheet);
        const int n = SheetImport::importArticles(*dm, t, {true, QStringLiteral("1")});
        if (n != kArticles) state.SkipWithError("not every article was imported");

        state.PauseTiming();
        dm.reset();
        state.ResumeTiming();
    }
    state.SetItemsProcessed(state.iterations() * kArticles);
}
BENCHMARK(BM_ImportArticlesWithStock)->Unit(benchmark::kMillisecond)->UseRealTime()->Iterations(3);

void BM_ReadSheetOnly(benchmark::State& state) {
    QTemporaryDir dir;
    const QString sheet = makeWorkbook(dir.filePath(QStringLiteral("articles.xlsx")));
    for (auto _ : state) benchmark::DoNotOptimize(SheetReader::readTable(sheet).rows.size());
    state.SetItemsProcessed(state.iterations() * kArticles);
}
BENCHMARK(BM_ReadSheetOnly)->Unit(benchmark::kMillisecond)->UseRealTime();

} // namespace

int main(int argc, char** argv) {
    QCoreApplication app(argc, argv);
    benchmark::Initialize(&argc, argv);
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();
    return 0;
}
