// Speed of the pinyin initials: one name as the registers save it, a large
// set of names (the import of a big article list), and raw GBK text.
#include <benchmark/benchmark.h>

#include "master/IMCode.h"
#include "platform/Gbk.h"

#include <random>
#include <vector>

namespace {

// A name of 20 characters.
const QString kName = QString::fromUtf8("北京市海淀区中关村大街二十七号科技大厦楼");

// GBK names of 2 to 30 characters in a mix like that of real registers:
// mostly common characters, some rare ones, ASCII model numbers, full-width
// and number symbols. Fixed seed, so every run measures the same bytes.
std::vector<QByteArray> makeNames(std::size_t count) {
    std::mt19937 rng(20240611);
    auto pick = [&rng](int lo, int hi) { return std::uniform_int_distribution<int>(lo, hi)(rng); };
    const char ascii[] = "ABCDEFGHIJKLMNOPQRSTUVWXYZabcdefghijklmnopqrstuvwxyz0123456789-./ ";
    std::vector<QByteArray> names;
    names.reserve(count);
    for (std::size_t n = 0; n < count; ++n) {
        QByteArray name;
        const int length = pick(2, 30);
        for (int k = 0; k < length; ++k) {
            const int kind = pick(0, 99);
            if (kind < 70) {         // GB2312 level 1
                name.append(static_cast<char>(pick(0xB0, 0xD6)));
                name.append(static_cast<char>(pick(0xA1, 0xFE)));
            } else if (kind < 80) {  // level 2
                name.append(static_cast<char>(pick(0xD8, 0xF7)));
                name.append(static_cast<char>(pick(0xA1, 0xFE)));
            } else if (kind < 84) {  // GBK extension
                name.append(static_cast<char>(pick(0x81, 0xA0)));
                name.append(static_cast<char>(pick(0x80, 0xFE)));
            } else if (kind < 96) {  // ASCII
                name.append(ascii[pick(0, static_cast<int>(sizeof ascii) - 2)]);
            } else if (kind < 98) {  // full-width ASCII
                name.append('\xA3');
                name.append(static_cast<char>(pick(0xA1, 0xFE)));
            } else {                 // number symbols
                name.append('\xA2');
                name.append(static_cast<char>(pick(0xB1, 0xE2)));
            }
        }
        names.push_back(name);
    }
    return names;
}

const std::vector<QByteArray>& names() {
    static const std::vector<QByteArray> all = makeNames(200000);
    return all;
}

void BM_PinyinName20(benchmark::State& state) {
    const QByteArray gbk = Gbk::encode(kName);
    for (auto _ : state) benchmark::DoNotOptimize(PinyinCodeOf(gbk));
    state.SetItemsProcessed(state.iterations());
}
BENCHMARK(BM_PinyinName20);

// The same name from a Qt string, GBK conversion included.
void BM_PinyinName20FromText(benchmark::State& state) {
    for (auto _ : state) benchmark::DoNotOptimize(PinyinCodeOf(kName));
    state.SetItemsProcessed(state.iterations());
}
BENCHMARK(BM_PinyinName20FromText);

// Many names, one code each, as an import computes them.
void BM_PinyinNames(benchmark::State& state) {
    const auto& all = names();
    std::int64_t bytes = 0;
    for (const QByteArray& n : all) bytes += n.size();
    for (auto _ : state)
        for (const QByteArray& n : all) benchmark::DoNotOptimize(PinyinCodeOf(n));
    state.SetBytesProcessed(state.iterations() * bytes);
    state.SetItemsProcessed(state.iterations() * static_cast<std::int64_t>(all.size()));
}
BENCHMARK(BM_PinyinNames)->Unit(benchmark::kMillisecond);

// The lookup loop alone over one long text, into a buffer large enough not to cut.
void BM_PinyinLongText(benchmark::State& state) {
    QByteArray text;
    for (const QByteArray& n : names()) text += n;
    std::vector<char> out(static_cast<std::size_t>(text.size()));
    for (auto _ : state) {
        benchmark::DoNotOptimize(
            PinyinCodeInto(text.constData(), static_cast<std::size_t>(text.size()), out.data(), out.size()));
        benchmark::ClobberMemory();
    }
    state.SetBytesProcessed(state.iterations() * text.size());
}
BENCHMARK(BM_PinyinLongText)->Unit(benchmark::kMillisecond);

} // namespace

BENCHMARK_MAIN();
