// The data module's booking services on an organisation's decade of data:
// 100,000 stock rows and 1,000,000 ledger rows, generated directly.

#include "app/Schema.h"
#include "app/Session.h"
#include "app/TfrmDM.h"
#include "platform/Db.h"

#include <benchmark/benchmark.h>

#include <QCoreApplication>
#include <QDir>
#include <QTemporaryDir>

namespace {

constexpr int kArticles = 50000;  // x 2 storages = 100,000 stock rows

struct Data {
    QTemporaryDir dir;
    std::unique_ptr<TfrmDM> dm;
    int nextArticle = 1;

    Data() {
        const QString file = dir.filePath(QStringLiteral("Data/db.edb"));
        Schema::createFile(file);
        dm = std::make_unique<TfrmDM>();
        dm->open(file);
        Db& db = dm->db();
        session().UserName = QStringLiteral("系统管理员");
        session().LoginDate = QStringLiteral("2024-03-07");
        Transaction tx(db);
        db.exec(QStringLiteral("insert into SStorage(SName, thePY) values('备件仓库', 'BJCK')"));
        db.exec(QStringLiteral(
            "with recursive n(i) as (select 1 union all select i + 1 from n where i < %1) "
            "insert into UArticle(theNum, theDate, AName, APrice, FJCount) select printf('%08d', i), '2020-01-01', "
            "'物品' || i, 1, 0 from n").arg(kArticles));
        // Ten movements per stock row, ending at the stock the row holds.
        db.exec(QStringLiteral(
            "with recursive n(i) as (select 0 union all select i + 1 from n where i < 999999) "
            "insert into UWList(theType, theNum, SID, AID, theIn, theOut, theDate, UName, KCCount) "
            "select '采购入库', '2001010001', 1 + (i / %1) % 2, 1 + i % %1, 1, 0, "
            "printf('20%02d-%02d-%02d', 14 + i / 100000, 1 + i % 12, 1 + i % 28), '系统管理员', 1 + i / 100000 from n")
                    .arg(kArticles));
        db.exec(QStringLiteral("insert into UWare(AID, SID, WCount) select AID, SID, max(KCCount) from UWList group by AID, SID"));
        db.exec(QStringLiteral(
            "with recursive n(i) as (select 0 union all select i + 1 from n where i < 99999) "
            "insert into UIn_CG(theNum, myDate, theDate, theDel) select printf('%010d', i), "
            "printf('20%02d-%02d-%02d', 14 + i / 10000, 1 + i % 12, 1 + i % 28), "
            "printf('20%02d-%02d-%02d', 14 + i / 10000, 1 + i % 12, 1 + i % 28), 0 from n"));
        tx.commit();
        db.exec(QStringLiteral("ANALYZE"));
    }
    QString article() {
        const int a = nextArticle;
        nextArticle = nextArticle % kArticles + 1;
        return QString::number(a);
    }
    void bookOne(const QString& aid) {
        dm->SaveWare(aid, QStringLiteral("-1"), QStringLiteral("1"));
        dm->mySaveUWList(QStringLiteral("领用出库"), QStringLiteral("2403070001"), QStringLiteral("1"), aid, QStringLiteral("0"),
                         QStringLiteral("1"));
    }
};

Data& data() {
    static Data d;
    return d;
}

void BM_BookOneMovementInTransaction(benchmark::State& state) {
    Data& d = data();
    Db& db = d.dm->db();
    db.begin();
    for (auto _ : state) d.bookOne(d.article());
    db.rollback();
}
BENCHMARK(BM_BookOneMovementInTransaction)->Unit(benchmark::kMicrosecond);

void BM_Book99LinesOneTransaction(benchmark::State& state) {
    Data& d = data();
    Db& db = d.dm->db();
    for (auto _ : state) {
        Transaction tx(db);
        for (int i = 0; i < 99; ++i) d.bookOne(d.article());
        tx.commit();
    }
}
BENCHMARK(BM_Book99LinesOneTransaction)->Unit(benchmark::kMillisecond);

void BM_Book99LinesCommitPerStatement(benchmark::State& state) {
    Data& d = data();
    for (auto _ : state)
        for (int i = 0; i < 99; ++i) d.bookOne(d.article());
}
BENCHMARK(BM_Book99LinesCommitPerStatement)->Unit(benchmark::kMillisecond);

void BM_NewNum(benchmark::State& state) {
    Data& d = data();
    session().LoginDate = QStringLiteral("2020-03-07");
    for (auto _ : state) benchmark::DoNotOptimize(d.dm->NewNum(QStringLiteral("UIn_CG")));
    session().LoginDate = QStringLiteral("2024-03-07");
}
BENCHMARK(BM_NewNum)->Unit(benchmark::kMicrosecond);

void BM_MyRetKCCount(benchmark::State& state) {
    Data& d = data();
    for (auto _ : state) benchmark::DoNotOptimize(d.dm->myRetKCCount(QStringLiteral("2"), d.article()));
}
BENCHMARK(BM_MyRetKCCount)->Unit(benchmark::kMicrosecond);

} // namespace

int main(int argc, char** argv) {
    QCoreApplication app(argc, argv);
    benchmark::Initialize(&argc, argv);
    data();  // generate before timing
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();
    return 0;
}
