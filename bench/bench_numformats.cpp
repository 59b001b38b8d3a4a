// ScanFloatText against std::from_chars on the same 100,000 numeric texts.
// Run pinned: taskset -c 1 ./bench_numformats
#include "numio/NumFormats_p.h"

#include <benchmark/benchmark.h>

#include <charconv>
#include <cstdio>
#include <map>
#include <random>
#include <string>
#include <vector>

namespace {

constexpr int kTexts = 100000;

struct Corpus {
    std::vector<std::string> utf8;
    std::vector<QString> utf16;

    Corpus()
    {
        std::mt19937 rng(20240601);
        std::uniform_int_distribution<int> digit(0, 9), intLen(1, 7), fracLen(0, 8), expo(-30, 30), shape(0, 5);
        utf8.reserve(kTexts);
        utf16.reserve(kTexts);
        for (int i = 0; i < kTexts; ++i) {
            std::string s;
            if (shape(rng) == 0)
                s += '-';
            for (int k = intLen(rng); k > 0; --k)
                s += char('0' + digit(rng));
            const int frac = fracLen(rng);
            if (frac > 0) {
                s += '.';
                for (int k = frac; k > 0; --k)
                    s += char('0' + digit(rng));
            }
            if (shape(rng) <= 1) {
                s += 'E';
                s += std::to_string(expo(rng));
            }
            utf8.push_back(s);
            utf16.push_back(QString::fromStdString(s));
        }
    }
};

const Corpus& corpus()
{
    static const Corpus c;
    return c;
}

void BM_ScanFloatText(benchmark::State& state)
{
    const Corpus& c = corpus();
    for (auto _ : state) {
        double sum = 0;
        for (const QString& t : c.utf16) {
            int pos = 1;
            sum += qor::numfmt::ScanFloatText(t, true, qor::numfmt::smPoint, pos);
        }
        benchmark::DoNotOptimize(sum);
    }
    state.SetItemsProcessed(state.iterations() * kTexts);
}
BENCHMARK(BM_ScanFloatText)->Unit(benchmark::kMillisecond);

void BM_FromChars(benchmark::State& state)
{
    const Corpus& c = corpus();
    for (auto _ : state) {
        double sum = 0;
        for (const std::string& t : c.utf8) {
            double v = 0;
            std::from_chars(t.data(), t.data() + t.size(), v);
            sum += v;
        }
        benchmark::DoNotOptimize(sum);
    }
    state.SetItemsProcessed(state.iterations() * kTexts);
}
BENCHMARK(BM_FromChars)->Unit(benchmark::kMillisecond);

// Prints the usual table and remembers each benchmark's CPU time per iteration (steadier
// than wall time on a shared machine).
class RatioReporter : public benchmark::ConsoleReporter {
public:
    void ReportRuns(const std::vector<Run>& runs) override
    {
        for (const Run& r : runs)
            if (r.iterations > 0)
                times[r.benchmark_name()] = r.cpu_accumulated_time / double(r.iterations);
        ConsoleReporter::ReportRuns(runs);
    }
    std::map<std::string, double> times;
};

} // namespace

int main(int argc, char** argv)
{
    benchmark::Initialize(&argc, argv);
    if (benchmark::ReportUnrecognizedArguments(argc, argv))
        return 1;
    RatioReporter reporter;
    benchmark::RunSpecifiedBenchmarks(&reporter);
    const auto scan = reporter.times.find("BM_ScanFloatText");
    const auto ref = reporter.times.find("BM_FromChars");
    if (scan != reporter.times.end() && ref != reporter.times.end() && ref->second > 0)
        std::printf("ScanFloatText / from_chars CPU time ratio: %.2f (target: at most 1.5)\n", scan->second / ref->second);
    benchmark::Shutdown();
    return 0;
}
