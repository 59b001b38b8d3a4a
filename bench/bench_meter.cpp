// The meter's full paint and a stream of value changes, side by side with a QDial of
// the same size repainted as often. Run pinned: taskset -c 1 build/bench/bench_meter
#include "meter/QOR_Meter.h"

#include <QApplication>
#include <QDial>
#include <QImage>
#include <benchmark/benchmark.h>
#include <cstdio>
#include <map>
#include <memory>
#include <string>

namespace {

using namespace qor;

constexpr int kW = 300, kH = 250;
constexpr int kStream = 10000;

std::unique_ptr<TMeter> MakeMeter()
{
    auto m = std::make_unique<TMeter>();
    m->SetBounds(0, 0, kW, kH);
    m->SetMeterLayout(mlCirc270);
    m->SetScaleBkVisible(true);
    m->SetScaleBkWidth(10);
    m->SetThresholdLow(0.2);
    m->SetThresholdHigh(0.8);
    m->SetMeterNrTicks(5);
    m->SetCaption("V");
    m->NeedleLayout()->SetShadowDx(2);
    m->NeedleLayout()->SetShadowDy(2);
    m->NeedleLayoutSec()->SetVisible(true);
    m->SetValueSec(0.7);
    m->SetValue(0.4);
    return m;
}

void BM_MeterFullPaint(benchmark::State& state)
{
    auto m = MakeMeter();
    for (auto _ : state) {
        m->Paint();
        benchmark::DoNotOptimize(m->Canvas()->Pixels(kW / 2, kH / 2));
    }
}
BENCHMARK(BM_MeterFullPaint)->Unit(benchmark::kMicrosecond);

// A paint right after a setting changed, so nothing kept from the last paint applies: the
// scale colour alternates, and each change repaints at once.
void BM_MeterColdPaint(benchmark::State& state)
{
    auto m = MakeMeter();
    int k = 0;
    for (auto _ : state) {
        m->SetColorScale(++k % 2 ? 0x800000 : 0x800001);
        benchmark::DoNotOptimize(m->Canvas()->Pixels(kW / 2, kH / 2));
    }
}
BENCHMARK(BM_MeterColdPaint)->Unit(benchmark::kMicrosecond);

void BM_DialFullPaint(benchmark::State& state)
{
    QDial dial;
    dial.resize(kW, kH);
    dial.setNotchesVisible(true);
    dial.setValue(40);
    QImage img(kW, kH, QImage::Format_ARGB32_Premultiplied);
    for (auto _ : state) {
        dial.render(&img);
        benchmark::DoNotOptimize(img.pixel(kW / 2, kH / 2));
    }
}
BENCHMARK(BM_DialFullPaint)->Unit(benchmark::kMicrosecond);

void BM_MeterValueStream(benchmark::State& state)
{
    auto m = MakeMeter();
    for (auto _ : state) {
        for (int k = 0; k < kStream; ++k)
            m->SetValue((k % 1000) / 1000.0);  // each change repaints at once
        benchmark::DoNotOptimize(m->Canvas()->Pixels(kW / 2, kH / 2));
    }
    state.SetItemsProcessed(state.iterations() * kStream);
}
BENCHMARK(BM_MeterValueStream)->Unit(benchmark::kMillisecond)->Iterations(1);

void BM_DialValueStream(benchmark::State& state)
{
    QDial dial;
    dial.resize(kW, kH);
    dial.setNotchesVisible(true);
    dial.setRange(0, 999);
    QImage img(kW, kH, QImage::Format_ARGB32_Premultiplied);
    for (auto _ : state) {
        for (int k = 0; k < kStream; ++k) {
            dial.setValue(k % 1000);
            dial.render(&img);  // repainted as often as the meter
        }
        benchmark::DoNotOptimize(img.pixel(kW / 2, kH / 2));
    }
    state.SetItemsProcessed(state.iterations() * kStream);
}
BENCHMARK(BM_DialValueStream)->Unit(benchmark::kMillisecond)->Iterations(1);

// Keeps the mean time of each run so the ratios can be printed at the end.
class RatioReporter : public benchmark::ConsoleReporter {
public:
    void ReportRuns(const std::vector<Run>& runs) override
    {
        for (const Run& r : runs)
            if (r.run_type == Run::RT_Iteration) {
                const double unit = benchmark::GetTimeUnitMultiplier(r.time_unit);
                times[r.benchmark_name()] = {r.GetAdjustedRealTime() / unit, r.GetAdjustedCPUTime() / unit};
            }
        ConsoleReporter::ReportRuns(runs);
    }
    struct Times {
        double real = 0;  // seconds per iteration
        double cpu = 0;
    };
    std::map<std::string, Times> times;
};

void PrintRatio(const RatioReporter& rep, const char* meter, const char* dial, double perUnit, const char* unit)
{
    const auto a = rep.times.find(meter), b = rep.times.find(dial);
    if (a == rep.times.end() || b == rep.times.end() || b->second.real <= 0 || b->second.cpu <= 0)
        return;
    // CPU time is the steadier measure on a shared machine; wall time is shown beside it.
    std::printf("%s vs %s\n  cpu : %8.3f vs %8.3f %s   meter/dial = %.2f\n  wall: %8.3f vs %8.3f %s   meter/dial = %.2f\n",
                meter, dial, a->second.cpu * perUnit, b->second.cpu * perUnit, unit, a->second.cpu / b->second.cpu,
                a->second.real * perUnit, b->second.real * perUnit, unit, a->second.real / b->second.real);
}

} // namespace

int main(int argc, char** argv)
{
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM"))
        qputenv("QT_QPA_PLATFORM", "offscreen");
    QApplication app(argc, argv);
    benchmark::Initialize(&argc, argv);
    RatioReporter rep;
    benchmark::RunSpecifiedBenchmarks(&rep);
    std::printf("\n");
    PrintRatio(rep, "BM_MeterFullPaint", "BM_DialFullPaint", 1e3, "ms/paint");
    PrintRatio(rep, "BM_MeterColdPaint", "BM_DialFullPaint", 1e3, "ms/paint");
    PrintRatio(rep, "BM_MeterValueStream/iterations:1", "BM_DialValueStream/iterations:1", 1e3 / kStream,
               "ms/value");
    benchmark::Shutdown();
    return 0;
}
