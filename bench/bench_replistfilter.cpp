// FilterAndSort of the report list view against QSortFilterProxyModel over a
// QStandardItemModel of the same data: a substring and a regular expression over every
// column, sorted by the first column. Ratios are printed after the run.
#include "replist/QOR_replist.h"

#include <QApplication>
#include <QSortFilterProxyModel>
#include <QStandardItemModel>

#include <benchmark/benchmark.h>

#include "BenchClock.h"

#include <cstdio>
#include <ctime>
#include <map>
#include <memory>
#include <random>
#include <string>

using namespace qor;

namespace {

constexpr int kRows = 1000000;
constexpr int kCols = 5;
const QString kSubstring = QStringLiteral("qa");
const QString kPattern = QStringLiteral("^(ab|cd)[a-m]");

const std::vector<QString>& cellTexts()
{
    static std::vector<QString> texts = [] {
        std::mt19937 rng(4711);
        auto word = [&](int len) {
            QString s;
            for (int i = 0; i < len; ++i) {
                const int k = int(rng() % 52);
                s += QChar(k < 26 ? 'a' + k : 'A' + k - 26);
            }
            return s;
        };
        std::vector<QString> t(std::size_t(kRows) * kCols);
        for (auto& s : t)
            s = word(4 + int(rng() % 5));
        return t;
    }();
    return texts;
}

std::map<std::string, double> g_seconds;
std::map<std::string, int> g_shown;

using qor::bench::threadSeconds;

TReportListView& view()
{
    static TReportListView* v = [] {
        auto* w = new TReportListView;
        const auto& t = cellTexts();
        w->SetSuppressPaint(true);
        w->SetNrCols(kCols);
        w->SetNrRows(kRows);
        TStringArray* a = w->Data()->Strings();
        for (int r = 1; r <= kRows; ++r)
            for (int c = 1; c <= kCols; ++c)
                a->SetString(c, r, t[std::size_t(r - 1) * kCols + c - 1]);
        return w;
    }();
    return *v;
}

QStandardItemModel& model()
{
    static QStandardItemModel* m = [] {
        auto* md = new QStandardItemModel;
        const auto& t = cellTexts();
        md->setRowCount(kRows);
        md->setColumnCount(kCols);
        for (int r = 0; r < kRows; ++r)
            for (int c = 0; c < kCols; ++c)
                md->setItem(r, c, new QStandardItem(t[std::size_t(r) * kCols + c]));
        return md;
    }();
    return *m;
}

void runOurs(benchmark::State& state, const QString& exp, TFilterMode mode, const char* key, int sortColumn = 1)
{
    TReportListView& v = view();
    double best = 1e30;
    int shown = 0;
    for (auto _ : state) {
        const double t0 = threadSeconds();
        shown = v.FilterAndSort(exp, {}, true, mode, sortColumn, true);
        const double s = threadSeconds() - t0;
        state.SetIterationTime(s);
        best = std::min(best, s);
    }
    v.FilterAndSort(QString(), {}, true, fmSimple, -1, true);
    g_seconds[key] = best;
    g_shown[key] = shown;
    state.counters["shown"] = shown;
}

void runProxy(benchmark::State& state, const QRegularExpression& re, const char* key)
{
    QStandardItemModel& m = model();
    QSortFilterProxyModel proxy;
    proxy.setSortCaseSensitivity(Qt::CaseInsensitive);
    proxy.setFilterKeyColumn(-1);
    proxy.setFilterRegularExpression(re);
    proxy.setSourceModel(&m);
    proxy.sort(0, Qt::AscendingOrder);
    double best = 1e30;
    int shown = 0;
    for (auto _ : state) {
        const double t0 = threadSeconds();
        proxy.invalidate();
        shown = proxy.rowCount(); // filters and sorts the whole source again
        const double s = threadSeconds() - t0;
        state.SetIterationTime(s);
        best = std::min(best, s);
    }
    g_seconds[key] = best;
    g_shown[key] = shown;
    state.counters["shown"] = shown;
}

void BM_FilterAndSort_Substring(benchmark::State& state) { runOurs(state, kSubstring, fmSimple, "ours substring"); }
void BM_FilterAndSort_Regex(benchmark::State& state) { runOurs(state, kPattern, fmGrep, "ours regex"); }
void BM_FilterAndSort_Boolean(benchmark::State& state)
{
    runOurs(state, QStringLiteral("qa OR (ab AND NOT cd)"), fmBoolean, "ours boolean");
}
void BM_FilterOnly_Substring(benchmark::State& state) { runOurs(state, kSubstring, fmSimple, "ours substring unsorted", -1); }
void BM_SortFilterProxy_Substring(benchmark::State& state)
{
    runProxy(state, QRegularExpression(QRegularExpression::escape(kSubstring), QRegularExpression::CaseInsensitiveOption),
             "proxy substring");
}
void BM_SortFilterProxy_Regex(benchmark::State& state)
{
    runProxy(state, QRegularExpression(kPattern, QRegularExpression::CaseInsensitiveOption), "proxy regex");
}

BENCHMARK(BM_FilterAndSort_Substring)->UseManualTime()->Iterations(3)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_FilterAndSort_Regex)->UseManualTime()->Iterations(3)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_FilterOnly_Substring)->UseManualTime()->Iterations(3)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_FilterAndSort_Boolean)->UseManualTime()->Iterations(3)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_SortFilterProxy_Substring)->UseManualTime()->Iterations(2)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_SortFilterProxy_Regex)->UseManualTime()->Iterations(2)->Unit(benchmark::kMillisecond);

} // namespace

int main(int argc, char** argv)
{
    QApplication app(argc, argv);
    benchmark::Initialize(&argc, argv);
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();

    std::printf("\nBest thread CPU times, %d rows x %d columns, filter over every column, sorted by column 1:\n", kRows,
                kCols);
    for (const char* what : {"substring", "regex"}) {
        const std::string ours = std::string("ours ") + what, proxy = std::string("proxy ") + what;
        if (!g_seconds.count(ours) || !g_seconds.count(proxy))
            continue;
        std::printf("  %-10s FilterAndSort %8.1f ms (%d rows shown), proxy %8.1f ms (%d rows), speed-up %.1f (target >= 5)\n",
                    what, g_seconds[ours] * 1e3, g_shown[ours], g_seconds[proxy] * 1e3, g_shown[proxy],
                    g_seconds[proxy] / g_seconds[ours]);
    }
    return 0;
}
