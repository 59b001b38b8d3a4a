// Seven-segment display: a repaint from a warm cache against a full cache rebuild.
// Run pinned: taskset -c 1 build/bench/bench_sevenseg
#include "displays/QOR_DisplaysTesting.h"
#include "displays/QOR_sevenseg.h"

#include <QApplication>
#include <benchmark/benchmark.h>

#include <cstdlib>
#include <memory>

using namespace qor;

namespace {

struct Display {
    QWidget host;
    TSevenSeg* seg;
    explicit Display(int digits, int width, int height)
    {
        seg = new TSevenSeg(&host);
        seg->resize(width, height);
        seg->SetNumDigits(digits);
        seg->SetCaption("-1234.567");
        seg->Paint(); // settles the size and warms the cache
        seg->Canvas()->Flush();
    }
};

void BM_WarmRepaint8Digits(benchmark::State& state)
{
    Display d(8, 300, 70);
    const int builds = qor::testing::SevenSegCacheBuilds(*d.seg);
    for (auto _ : state) {
        d.seg->Paint();
        d.seg->Canvas()->Flush();
    }
    if (qor::testing::SevenSegCacheBuilds(*d.seg) != builds)
        state.SkipWithError("a repaint rebuilt the cache");
}
BENCHMARK(BM_WarmRepaint8Digits)->Unit(benchmark::kMicrosecond);

void BM_WarmRepaintCaptionChange(benchmark::State& state)
{
    Display d(8, 300, 70);
    int i = 0;
    for (auto _ : state) {
        d.seg->SetCaption(QString::number(++i % 100000000).rightJustified(8, '0'));
        d.seg->Canvas()->Flush();
    }
}
BENCHMARK(BM_WarmRepaintCaptionChange)->Unit(benchmark::kMicrosecond);

void BM_CacheRebuild8Digits(benchmark::State& state)
{
    Display d(8, 300, 70);
    for (auto _ : state)
        d.seg->CreateImageCache();
}
BENCHMARK(BM_CacheRebuild8Digits)->Unit(benchmark::kMillisecond);

void BM_CreateDigitMaster(benchmark::State& state)
{
    Display d(8, 300, 70);
    for (auto _ : state)
        d.seg->CreateDigit('8', true);
}
BENCHMARK(BM_CreateDigitMaster)->Unit(benchmark::kMicrosecond);

} // namespace

int main(int argc, char** argv)
{
    if (!std::getenv("QT_QPA_PLATFORM"))
        setenv("QT_QPA_PLATFORM", "offscreen", 1);
    QApplication app(argc, argv);
    benchmark::Initialize(&argc, argv);
    if (benchmark::ReportUnrecognizedArguments(argc, argv))
        return 1;
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();
    return 0;
}
