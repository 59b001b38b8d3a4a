// The progress bar repainted on a value change, gradient on, side by side with a QProgressBar
// of the same size set to the same values; both rendered into an image, as the screen shows
// them. Run pinned: taskset -c 1 build/bench/bench_bars
#include "bars/QOR_ProgBar.h"
#include "bars/QOR_gradfl.h"

#include <QApplication>
#include <QImage>
#include <QProgressBar>
#include <benchmark/benchmark.h>
#include <cstdio>
#include <map>
#include <string>

namespace {

using namespace qor;

constexpr int kW = 300, kH = 24;

void BM_ProgBarValueChange(benchmark::State& state)
{
    const bool gradient = state.range(0) != 0;
    TProgBar bar;
    bar.resize(kW, kH);
    bar.SetShowColorGradient(gradient);
    bar.SetColorMapMode(cgmStretch);
    bar.SetTextDecPlaces(0);
    bar.show();
    QImage img(kW, kH, QImage::Format_ARGB32_Premultiplied);
    int k = 0;
    for (auto _ : state) {
        bar.SetValue(++k % 101); // paints the bar at once
        bar.render(&img);        // and shows it
        benchmark::DoNotOptimize(img.pixel(kW / 2, kH / 2));
    }
}
BENCHMARK(BM_ProgBarValueChange)->Arg(1)->Arg(0)->Unit(benchmark::kMicrosecond);

void BM_QProgressBarValueChange(benchmark::State& state)
{
    QProgressBar bar;
    bar.resize(kW, kH);
    bar.setRange(0, 100);
    bar.setTextVisible(true);
    bar.show();
    QImage img(kW, kH, QImage::Format_ARGB32_Premultiplied);
    int k = 0;
    for (auto _ : state) {
        bar.setValue(++k % 101);
        bar.render(&img);
        benchmark::DoNotOptimize(img.pixel(kW / 2, kH / 2));
    }
}
BENCHMARK(BM_QProgressBarValueChange)->Unit(benchmark::kMicrosecond);

void BM_GradFillPaint(benchmark::State& state)
{
    TGradFill fill;
    fill.resize(kW, kH * 5);
    fill.SetNrColors(int(state.range(0)));
    fill.SetFillType(gtMidBandVert);
    fill.show();
    for (auto _ : state) {
        fill.Paint();
        fill.Canvas()->Flush();
        benchmark::DoNotOptimize(fill.Canvas()->Pixels(kW / 2, kH / 2));
    }
}
BENCHMARK(BM_GradFillPaint)->Arg(16)->Arg(255)->Unit(benchmark::kMicrosecond);

// Keeps the mean time of each run so the ratio can be printed at the end.
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
        double real = 0; // seconds per iteration
        double cpu = 0;
    };
    std::map<std::string, Times> times;
};

void PrintRatio(const RatioReporter& rep, const char* ours, const char* peer)
{
    const auto a = rep.times.find(ours), b = rep.times.find(peer);
    if (a == rep.times.end() || b == rep.times.end() || b->second.real <= 0 || b->second.cpu <= 0)
        return;
    std::printf("%s vs %s\n  cpu : %8.2f vs %8.2f us/change   ratio = %.2f\n"
                "  wall: %8.2f vs %8.2f us/change   ratio = %.2f\n",
                ours, peer, a->second.cpu * 1e6, b->second.cpu * 1e6, a->second.cpu / b->second.cpu,
                a->second.real * 1e6, b->second.real * 1e6, a->second.real / b->second.real);
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
    PrintRatio(rep, "BM_ProgBarValueChange/1", "BM_QProgressBarValueChange");
    PrintRatio(rep, "BM_ProgBarValueChange/0", "BM_QProgressBarValueChange");
    benchmark::Shutdown();
    return 0;
}
