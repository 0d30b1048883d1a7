// Speed of the QR code component: encoding plus the module matrix with the
// automatic mask choice, for the largest symbol and for the article label's
// symbol, and the label's whole paint.
#include <benchmark/benchmark.h>

#include <QApplication>

#include "printing/QRCode.h"
#include "printing/QrEncoder.h"

namespace {

QByteArray sample(int n) {
    QByteArray b;
    for (int i = 0; i < n; ++i) b += static_cast<char>(' ' + (i * 37 + i / 7) % 94);
    return b;
}

// Encoder and matrix for one symbol of the given version and level with
// data filling it, automatic mode and mask.
void buildSymbol(benchmark::State& state, int version, int level, int bytes) {
    qr::Encoder enc;
    enc.setVersion(version);
    enc.setEclevel(level);
    enc.decodeEscapes(sample(bytes), false);
    enc.splitData();
    enc.checkParameters(16);
    auto matrix = std::make_unique<qr::Matrix>();
    for (auto _ : state) {
        const bool ok = enc.buildSymbol(1, *matrix);
        benchmark::DoNotOptimize(ok);
        if (!ok) state.SkipWithError("symbol not built");
    }
}

void BM_Version40H_AutoMask(benchmark::State& state) { buildSymbol(state, 40, 3, 1273); }
BENCHMARK(BM_Version40H_AutoMask)->Unit(benchmark::kMillisecond);

// The article label: version 10 at level Q, a typical label text.
void BM_Version10Label_AutoMask(benchmark::State& state) { buildSymbol(state, 10, 2, 60); }
BENCHMARK(BM_Version10Label_AutoMask)->Unit(benchmark::kMicrosecond);

// The label's whole paint into its 65 x 65 bitmap.
void BM_Version10Label_Paint(benchmark::State& state) {
    TQRCode qr;
    qr.setSymbolEnabled(false);
    qr.setVersion(10);
    qr.setEclevel(2);
    qr.setCode(QStringLiteral("物品编号：A-0042 名称：不锈钢螺丝刀（十字） 规格：PH2×150mm"));
    qr.setSymbolEnabled(true);
    for (auto _ : state) {
        qr.RefreshSymbol();
        if (!qr.SymbolDisped()) state.SkipWithError("symbol not drawn");
    }
}
BENCHMARK(BM_Version10Label_Paint)->Unit(benchmark::kMicrosecond);

} // namespace

int main(int argc, char** argv) {
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM")) qputenv("QT_QPA_PLATFORM", "offscreen");
    QApplication app(argc, argv);
    benchmark::Initialize(&argc, argv);
    if (benchmark::ReportUnrecognizedArguments(argc, argv)) return 1;
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();
    return 0;
}
