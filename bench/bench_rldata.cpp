// Report data store against Qt's item models on the same data: fill, sort by a primary and
// a secondary column, unsort, memory per cell; XML save and load against a bare
// QXmlStreamReader pass. Ratios are printed after the run.
#include "replist/QOR_replist.h"

#include <QApplication>
#include <QBuffer>
#include <QFile>
#include <QSortFilterProxyModel>
#include <QStandardItemModel>
#include <QTemporaryDir>
#include <QXmlStreamReader>

#include <benchmark/benchmark.h>

#include "BenchClock.h"

#include <ctime>
#include <cstdio>
#include <malloc.h>
#include <map>
#include <memory>
#include <random>
#include <string>

using namespace qor;

namespace {

constexpr int kRows = 1000000;
constexpr int kCols = 5;
constexpr int kXmlRows = 100000;

// Short texts: the first column draws from a small vocabulary, so the secondary column decides ties.
const std::vector<QString>& cellTexts()
{
    static std::vector<QString> texts = [] {
        std::mt19937 rng(12345);
        std::vector<QString> words(20000);
        auto word = [&](int len) {
            QString s;
            for (int i = 0; i < len; ++i) {
                const int k = int(rng() % 52);
                s += QChar(k < 26 ? 'a' + k : 'A' + k - 26);
            }
            return s;
        };
        for (auto& w : words)
            w = word(6);
        std::vector<QString> t(std::size_t(kRows) * kCols);
        for (int r = 0; r < kRows; ++r)
            for (int c = 0; c < kCols; ++c)
                t[std::size_t(r) * kCols + c] = c == 0 ? words[rng() % words.size()] : word(4 + int(rng() % 5));
        return t;
    }();
    return texts;
}

// Each text gets its own storage, as texts read from a file or typed would.
QString fresh(const QString& s)
{
    return QString(s.constData(), s.size());
}

// Large blocks (a column's slots, the pages of text) come from mmap, outside the arena.
std::size_t heapInUse()
{
    const struct mallinfo2 mi = mallinfo2();
    return mi.uordblks + mi.hblkhd;
}

std::map<std::string, double> g_seconds;
std::map<std::string, double> g_bytesPerCell;

using qor::bench::threadSeconds;

struct Timer {
    double t0 = threadSeconds();
    double seconds() const { return threadSeconds() - t0; }
};

void fillArray(TStringArray& a)
{
    const auto& t = cellTexts();
    a.Resize(kCols, kRows);
    for (int r = 1; r <= kRows; ++r)
        for (int c = 1; c <= kCols; ++c)
            a.SetString(c, r, fresh(t[std::size_t(r - 1) * kCols + c - 1]));
}

void fillModel(QStandardItemModel& m)
{
    const auto& t = cellTexts();
    m.setRowCount(kRows);
    m.setColumnCount(kCols);
    for (int r = 0; r < kRows; ++r)
        for (int c = 0; c < kCols; ++c)
            m.setItem(r, c, new QStandardItem(fresh(t[std::size_t(r) * kCols + c])));
}

void BM_StringArray_Fill(benchmark::State& state)
{
    cellTexts();
    for (auto _ : state) {
        const std::size_t before = heapInUse();
        Timer t;
        auto a = std::make_unique<TStringArray>();
        fillArray(*a);
        const double s = t.seconds();
        state.SetIterationTime(s);
        g_seconds["array fill"] = s;
        g_bytesPerCell["array"] = double(heapInUse() - before) / (double(kRows) * kCols);
        benchmark::DoNotOptimize(a->GetString(1, 1));
    }
    state.counters["bytes/cell"] = g_bytesPerCell["array"];
}

void BM_StringArray_SortPrimarySecondary(benchmark::State& state)
{
    TStringArray a;
    fillArray(a);
    const std::size_t base = heapInUse();
    std::size_t peak = base;
    a.OnPercentDone = [&](TObject*, int) { peak = std::max(peak, heapInUse()); };
    double best = 1e30;
    for (auto _ : state) {
        a.UnSort();
        Timer t;
        a.Sort(1, 2, true);
        const double s = t.seconds();
        state.SetIterationTime(s);
        best = std::min(best, s);
    }
    g_seconds["array sort"] = best;
    g_bytesPerCell["array sort extra"] = double(peak - base) / (double(kRows) * kCols);
    state.counters["sort extra bytes/cell"] = g_bytesPerCell["array sort extra"];
    benchmark::DoNotOptimize(a.GetString(1, 1));
}

void BM_StringArray_UnSort(benchmark::State& state)
{
    TStringArray a;
    fillArray(a);
    a.Sort(1, 2, true);
    double best = 1e30;
    for (auto _ : state) {
        Timer t;
        a.UnSort();
        const double s = t.seconds();
        state.SetIterationTime(s);
        best = std::min(best, s);
        state.PauseTiming();
        a.Sort(1, -1, false);
        state.ResumeTiming();
    }
    g_seconds["array unsort"] = best;
}

void BM_StandardItemModel_Fill(benchmark::State& state)
{
    cellTexts();
    for (auto _ : state) {
        const std::size_t before = heapInUse();
        Timer t;
        auto m = std::make_unique<QStandardItemModel>();
        fillModel(*m);
        const double s = t.seconds();
        state.SetIterationTime(s);
        g_seconds["model fill"] = s;
        g_bytesPerCell["model"] = double(heapInUse() - before) / (double(kRows) * kCols);
        benchmark::DoNotOptimize(m->rowCount());
    }
    state.counters["bytes/cell"] = g_bytesPerCell["model"];
}

void BM_SortFilterProxy_Sort(benchmark::State& state)
{
    QStandardItemModel m;
    fillModel(m);
    double best = 1e30;
    for (auto _ : state) {
        state.PauseTiming();
        auto proxy = std::make_unique<QSortFilterProxyModel>();
        proxy->setSortCaseSensitivity(Qt::CaseInsensitive);
        proxy->setSourceModel(&m);
        proxy->rowCount(); // builds the unsorted mapping outside the timing
        state.ResumeTiming();
        Timer t;
        proxy->sort(0, Qt::AscendingOrder);
        const double s = t.seconds();
        state.SetIterationTime(s);
        best = std::min(best, s);
        benchmark::DoNotOptimize(proxy->index(0, 0).data());
        state.PauseTiming();
        proxy.reset();
        state.ResumeTiming();
    }
    g_seconds["proxy sort"] = best;
}

// ---- XML

QString g_xmlPath;

TRLData& xmlStore()
{
    static TRLData d;
    static bool made = false;
    if (!made) {
        made = true;
        const auto& t = cellTexts();
        d.SetNrCols(kCols);
        d.SetNrRows(kXmlRows);
        for (int r = 1; r <= kXmlRows; ++r)
            for (int c = 1; c <= kCols; ++c)
                d.SetElem(c, r, t[std::size_t(r - 1) * kCols + c - 1]);
    }
    return d;
}

void BM_Xml_Save(benchmark::State& state)
{
    TRLData& d = xmlStore();
    double best = 1e30;
    for (auto _ : state) {
        Timer t;
        d.SaveAsXMLFile(g_xmlPath, "bench");
        const double s = t.seconds();
        state.SetIterationTime(s);
        best = std::min(best, s);
    }
    g_seconds["xml save"] = best;
    state.SetBytesProcessed(state.iterations() * QFile(g_xmlPath).size());
}

void BM_Xml_Load(benchmark::State& state)
{
    if (!QFile::exists(g_xmlPath))
        xmlStore().SaveAsXMLFile(g_xmlPath, "bench");
    double best = 1e30;
    for (auto _ : state) {
        TRLData d;
        Timer t;
        const bool ok = d.LoadFromXMLFile(g_xmlPath, "bench");
        const double s = t.seconds();
        if (!ok || d.NrOfRows() != kXmlRows)
            state.SkipWithError("load failed");
        state.SetIterationTime(s);
        best = std::min(best, s);
    }
    g_seconds["xml load"] = best;
    state.SetBytesProcessed(state.iterations() * QFile(g_xmlPath).size());
}

void BM_Xml_BareReaderPass(benchmark::State& state)
{
    if (!QFile::exists(g_xmlPath))
        xmlStore().SaveAsXMLFile(g_xmlPath, "bench");
    double best = 1e30;
    for (auto _ : state) {
        Timer t;
        QFile f(g_xmlPath);
        f.open(QIODevice::ReadOnly);
        QXmlStreamReader xml(&f);
        // Every token read and its text touched, as a loader must at the least.
        qint64 tokens = 0;
        while (!xml.atEnd()) {
            xml.readNext();
            tokens += 1 + xml.text().size();
        }
        const double s = t.seconds();
        if (xml.hasError())
            state.SkipWithError("reader error");
        state.SetIterationTime(s);
        best = std::min(best, s);
        benchmark::DoNotOptimize(tokens);
    }
    g_seconds["bare reader"] = best;
    state.SetBytesProcessed(state.iterations() * QFile(g_xmlPath).size());
}

BENCHMARK(BM_StringArray_Fill)->UseManualTime()->Iterations(1)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_StandardItemModel_Fill)->UseManualTime()->Iterations(1)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_StringArray_SortPrimarySecondary)->UseManualTime()->Iterations(3)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_SortFilterProxy_Sort)->UseManualTime()->Iterations(1)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_StringArray_UnSort)->UseManualTime()->Iterations(3)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_Xml_Save)->UseManualTime()->Iterations(3)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_Xml_Load)->UseManualTime()->Iterations(3)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_Xml_BareReaderPass)->UseManualTime()->Iterations(3)->Unit(benchmark::kMillisecond);

void ratio(const char* what, double value, const char* target)
{
    std::printf("  %-58s %8.2f   (target %s)\n", what, value, target);
}

} // namespace

int main(int argc, char** argv)
{
    QApplication app(argc, argv);
    QTemporaryDir dir;
    g_xmlPath = dir.path() + "/bench.xml";
    benchmark::Initialize(&argc, argv);
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();

    std::printf("\nRatios of thread CPU times (%d rows x %d columns; XML %d rows):\n", kRows, kCols, kXmlRows);
    auto has = [](const char* k) { return g_seconds.count(k) > 0; };
    if (has("array sort") && has("proxy sort"))
        ratio("sort speed-up over QSortFilterProxyModel", g_seconds["proxy sort"] / g_seconds["array sort"], ">= 5");
    if (has("array fill") && has("model fill"))
        ratio("fill speed-up over QStandardItemModel", g_seconds["model fill"] / g_seconds["array fill"], "-");
    if (g_bytesPerCell.count("array") && g_bytesPerCell.count("model")) {
        std::printf("  bytes per cell: store %.1f (+%.1f transient while sorting), model %.1f\n", g_bytesPerCell["array"],
                    g_bytesPerCell["array sort extra"], g_bytesPerCell["model"]);
        ratio("memory per cell, store / model", g_bytesPerCell["array"] / g_bytesPerCell["model"], "<= 0.33");
        ratio("memory per cell while sorting, store / model",
              (g_bytesPerCell["array"] + g_bytesPerCell["array sort extra"]) / g_bytesPerCell["model"], "-");
    }
    if (has("xml load") && has("bare reader"))
        ratio("XML load throughput / bare QXmlStreamReader pass", g_seconds["bare reader"] / g_seconds["xml load"], ">= 0.5");
    if (has("xml save") && has("xml load"))
        std::printf("  XML save %.0f ms, load %.0f ms, bare reader %.0f ms\n", g_seconds["xml save"] * 1e3,
                    g_seconds["xml load"] * 1e3, g_seconds["bare reader"] * 1e3);
    return 0;
}
