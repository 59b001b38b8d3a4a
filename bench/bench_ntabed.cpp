// Table editor against QTableView over QStandardItemModel holding the same doubles, on a
// 1,000 x 1,000 table: filling, heap bytes per cell, an 800 x 600 viewport paint at 10^2
// and 10^6 cells, and sorting the rows by one column (the Qt peer through
// QSortFilterProxyModel), also of a tall 10 x 100,000 table. The editor's sort reorders its
// table (whole rows change places; their cells are laid out anew only when raw access to
// the blocks asks for it, measured apart); the proxy permutes its row mapping.
#include "ntabed/QOR_ntabed.h"

#include <QApplication>
#include <QClipboard>
#include <QHeaderView>
#include <QImage>
#include <QSortFilterProxyModel>
#include <QStandardItemModel>
#include <QTableView>

#include <benchmark/benchmark.h>

#include <malloc.h>
#include <map>
#include <memory>
#include <random>

using namespace qor;

namespace {

constexpr int kWidth = 800;
constexpr int kHeight = 600;

double value(int c, int r)
{
    // deterministic, unordered values
    const unsigned h = unsigned(c) * 2654435761u ^ unsigned(r) * 40503u;
    return double(h % 1000003u) / 7.0;
}

std::size_t heapInUse() { return mallinfo2().uordblks; }

std::unique_ptr<TNTabEd> makeEditor(int n, int rows = 0)
{
    rows = rows > 0 ? rows : n;
    auto e = std::make_unique<TNTabEd>();
    e->SetBorderStyle(bsNone);
    e->SetScrollBars(ssNone);
    e->resize(kWidth, kHeight);
    e->SetSuppressPaint(true);
    e->Redimension(n, rows);
    for (int r = 1; r <= rows; ++r)
        for (int c = 1; c <= n; ++c)
            e->SetElem(c, r, value(c, r));
    e->SetSuppressPaint(false);
    return e;
}

struct TableSetup {
    std::unique_ptr<QStandardItemModel> model;
    std::unique_ptr<QSortFilterProxyModel> proxy;
    std::unique_ptr<QTableView> view;
};

std::unique_ptr<QStandardItemModel> makeModel(int n, int rows = 0)
{
    rows = rows > 0 ? rows : n;
    auto m = std::make_unique<QStandardItemModel>(rows, n);
    for (int r = 0; r < rows; ++r)
        for (int c = 0; c < n; ++c) {
            auto* item = new QStandardItem;
            item->setData(value(c + 1, r + 1), Qt::DisplayRole);
            m->setItem(r, c, item);
        }
    return m;
}

TableSetup makeTable(int n, bool withProxy, int rows = 0)
{
    TableSetup t;
    t.model = makeModel(n, rows);
    t.view = std::make_unique<QTableView>();
    if (withProxy) {
        t.proxy = std::make_unique<QSortFilterProxyModel>();
        t.proxy->setSourceModel(t.model.get());
        t.view->setModel(t.proxy.get());
    } else {
        t.view->setModel(t.model.get());
    }
    t.view->resize(kWidth, kHeight);
    t.view->horizontalHeader()->setDefaultSectionSize(64);
    t.view->verticalHeader()->setDefaultSectionSize(24);
    t.view->verticalHeader()->setSectionResizeMode(QHeaderView::Fixed);
    t.view->setAttribute(Qt::WA_DontShowOnScreen, true);
    t.view->show();
    QApplication::processEvents();
    return t;
}

std::map<int, std::unique_ptr<TNTabEd>>& editors()
{
    static std::map<int, std::unique_ptr<TNTabEd>> m;
    return m;
}
std::map<int, TableSetup>& tables()
{
    static std::map<int, TableSetup> m;
    return m;
}

// ---- clipboard text: Copy and Extract from Clipboard of a 1,000 x 1,000 block, beside
// QString::number and QString::toDouble over the same cells (bytes: characters of the text).

std::unique_ptr<TNTabEd>& clipEditor()
{
    static std::unique_ptr<TNTabEd> e;
    if (!e) {
        e = makeEditor(1000);
        e->SetSelection(GridRect(e->ColOffset() + 1, 1, e->ColOffset() + 1000, 1000));
    }
    return e;
}

// Argument: 1 full precision, 0 display precision (3 decimals).
void BM_NTabEd_CopyText(benchmark::State& state)
{
    TNTabEd& e = *clipEditor();
    e.SetClipboardUseFullPrec(state.range(0) != 0);
    for (auto _ : state)
        e.CopyToClipboard();
    const qsizetype bytes = QGuiApplication::clipboard()->text().size();
    state.SetBytesProcessed(int64_t(state.iterations()) * bytes);
    state.counters["text_MB"] = double(bytes) / 1e6;
}

void BM_NTabEd_ExtractText(benchmark::State& state)
{
    TNTabEd& e = *clipEditor();
    e.SetClipboardUseFullPrec(state.range(0) != 0);
    e.CopyToClipboard();
    const qsizetype bytes = QGuiApplication::clipboard()->text().size();
    for (auto _ : state) {
        e.SetSelection(GridRect(e.ColOffset() + 1, 1, e.ColOffset() + 1, 1));
        if (!e.ExtractFromClipboard())
            state.SkipWithError("extraction refused");
    }
    state.SetBytesProcessed(int64_t(state.iterations()) * bytes);
}

void BM_QString_Number(benchmark::State& state)
{
    TNTabEd& e = *clipEditor();
    const bool full = state.range(0) != 0;
    qsizetype bytes = 0;
    for (auto _ : state) {
        QString text;
        text.reserve(24'000'000);
        for (int r = 1; r <= 1000; ++r) {
            for (int c = 1; c <= 1000; ++c) {
                text += QLatin1Char(c == 1 ? ' ' : '\t');
                text += full ? QString::number(e.Elem(c, r), 'E', 13) : QString::number(e.Elem(c, r), 'f', 3);
            }
            text += QLatin1String("\r\n");
        }
        bytes = text.size();
        benchmark::DoNotOptimize(text.constData());
    }
    state.SetBytesProcessed(int64_t(state.iterations()) * bytes);
}

void BM_QString_ToDouble(benchmark::State& state)
{
    TNTabEd& e = *clipEditor();
    const bool full = state.range(0) != 0;
    QStringList cells;
    cells.reserve(1'000'000);
    qsizetype bytes = 0;
    for (int r = 1; r <= 1000; ++r)
        for (int c = 1; c <= 1000; ++c) {
            cells << (full ? QString::number(e.Elem(c, r), 'E', 13) : QString::number(e.Elem(c, r), 'f', 3));
            bytes += cells.back().size() + 1;
        }
    for (auto _ : state) {
        double sum = 0;
        for (const QString& s : cells)
            sum += s.toDouble();
        benchmark::DoNotOptimize(sum);
    }
    state.SetBytesProcessed(int64_t(state.iterations()) * bytes);
}

BENCHMARK(BM_NTabEd_CopyText)->Arg(1)->Arg(0)->Unit(benchmark::kMillisecond)->Iterations(5);
BENCHMARK(BM_QString_Number)->Arg(1)->Arg(0)->Unit(benchmark::kMillisecond)->Iterations(5);
BENCHMARK(BM_NTabEd_ExtractText)->Arg(1)->Arg(0)->Unit(benchmark::kMillisecond)->Iterations(5);
BENCHMARK(BM_QString_ToDouble)->Arg(1)->Arg(0)->Unit(benchmark::kMillisecond)->Iterations(5);

// Argument: the table is N x N.
void BM_NTabEd_Fill(benchmark::State& state)
{
    const int n = int(state.range(0));
    std::size_t bytes = 0;
    for (auto _ : state) {
        const std::size_t before = heapInUse();
        auto e = makeEditor(n);
        bytes = heapInUse() - before;
        benchmark::DoNotOptimize(e->Elem(n, n));
        state.PauseTiming();
        e.reset();
        state.ResumeTiming();
    }
    state.counters["bytes_per_cell"] = double(bytes) / (double(n) * n);
}

void BM_QStandardItemModel_Fill(benchmark::State& state)
{
    const int n = int(state.range(0));
    std::size_t bytes = 0;
    for (auto _ : state) {
        const std::size_t before = heapInUse();
        auto m = makeModel(n);
        bytes = heapInUse() - before;
        benchmark::DoNotOptimize(m->rowCount());
        state.PauseTiming();
        m.reset();
        state.ResumeTiming();
    }
    state.counters["bytes_per_cell"] = double(bytes) / (double(n) * n);
}

void BM_NTabEd_Paint(benchmark::State& state)
{
    const int n = int(state.range(0));
    auto& e = editors()[n];
    if (!e)
        e = makeEditor(n);
    e->SetTopRow(n / 2);
    e->SetLeftCol(n / 2);
    for (auto _ : state) {
        e->Paint();
        e->Canvas()->Flush();
        benchmark::DoNotOptimize(e->Canvas()->Target()->constBits());
    }
    const double cells = double((e->VisibleColCount() + e->FixedCols()) * (e->VisibleRowCount() + e->FixedRows()));
    state.counters["cells"] = cells;
    // A small table does not fill the viewport, so flatness is judged per cell painted.
    state.counters["s_per_cell"] =
        benchmark::Counter(cells, benchmark::Counter::kIsIterationInvariantRate | benchmark::Counter::kInvert);
}

void BM_QTableView_Paint(benchmark::State& state)
{
    const int n = int(state.range(0));
    auto& t = tables()[n];
    if (!t.view)
        t = makeTable(n, false);
    t.view->scrollTo(t.model->index(n / 2, n / 2), QAbstractItemView::PositionAtTop);
    QImage img(t.view->viewport()->size(), QImage::Format_RGB32);
    for (auto _ : state) {
        t.view->viewport()->render(&img, QPoint(), QRegion(), QWidget::DrawWindowBackground);
        benchmark::DoNotOptimize(img.constBits());
    }
}

// Sorting the rows by column 1. Arguments: columns, rows, ascending (1) or descending (0).
// Both sides start every iteration from the same unsorted order, restored with the timer
// stopped by each side's own cheap way back (the editor sorts by the row names that number
// the rows, the proxy returns to the source order with sort(-1)), so neither side's cells
// are pushed out of the caches in between; both sort the same doubles by the same column
// and read the first and last key of the result. QSortFilterProxyModel::sort sorts at once;
// sortedAlike checks once that both orders agree.
std::unique_ptr<TNTabEd> makeNumberedEditor(int n, int rows)
{
    auto e = makeEditor(n, rows);
    for (int r = 1; r <= rows; ++r)
        e->Data()->SetRowName(r, QStringLiteral("%1").arg(r, 6, 10, QLatin1Char('0')));
    return e;
}

void unsort(TNTabEd& e, int n, int rows)
{
    e.SortRowNames(true, 1, 1, n, rows);
}

bool sortedAlike(int n, int rows, bool ascending, const TableSetup& t)
{
    auto e = makeNumberedEditor(n, rows);
    e->SortRows(1, ascending, 1, 1, n, rows, true);
    for (int r = 0; r < rows; ++r)
        for (int c : {0, 1, n - 1})
            if (t.proxy->index(r, c).data().toDouble() != e->Elem(c + 1, r + 1))
                return false;
    unsort(*e, n, rows);
    for (int r = 1; r <= rows; ++r)
        if (e->Elem(2, r) != value(2, r))
            return false;
    return true;
}

void BM_NTabEd_SortRows(benchmark::State& state)
{
    const int n = int(state.range(0));
    const int rows = int(state.range(1));
    const bool ascending = state.range(2) != 0;
    auto e = makeNumberedEditor(n, rows);
    for (auto _ : state) {
        state.PauseTiming();
        unsort(*e, n, rows);
        state.ResumeTiming();
        e->SortRows(1, ascending, 1, 1, n, rows, true);
        benchmark::DoNotOptimize(e->Elem(1, 1) + e->Elem(1, rows));
    }
}

// The same, followed by a call that needs the cells in their rows' order in memory
// (Matrix(), as raw access and the table's structural changes do): the moved rows are
// then laid out once.
void BM_NTabEd_SortRowsThenLayOut(benchmark::State& state)
{
    const int n = int(state.range(0));
    const int rows = int(state.range(1));
    const bool ascending = state.range(2) != 0;
    auto e = makeNumberedEditor(n, rows);
    for (auto _ : state) {
        state.PauseTiming();
        unsort(*e, n, rows);
        e->Data()->Matrix();
        state.ResumeTiming();
        e->SortRows(1, ascending, 1, 1, n, rows, true);
        benchmark::DoNotOptimize(e->Data()->Matrix().Values()[0]);
    }
}

// The viewport paint of a table whose rows a sort moved (the cells are read through the
// rows' places), for comparison with BM_NTabEd_Paint/1000.
void BM_NTabEd_PaintAfterSort(benchmark::State& state)
{
    const int n = int(state.range(0));
    auto e = makeEditor(n);
    e->SortRows(1, true, 1, 1, n, n, true);
    e->SetTopRow(n / 2);
    e->SetLeftCol(n / 2);
    for (auto _ : state) {
        e->Paint();
        e->Canvas()->Flush();
        benchmark::DoNotOptimize(e->Canvas()->Target()->constBits());
    }
}

void BM_QSortFilterProxyModel_Sort(benchmark::State& state)
{
    const int n = int(state.range(0));
    const int rows = int(state.range(1));
    const Qt::SortOrder order = state.range(2) != 0 ? Qt::AscendingOrder : Qt::DescendingOrder;
    TableSetup t = makeTable(n, true, rows);
    for (auto _ : state) {
        state.PauseTiming();
        t.proxy->sort(-1);
        state.ResumeTiming();
        t.proxy->sort(0, order);
        benchmark::DoNotOptimize(t.proxy->index(0, 0).data().toDouble() + t.proxy->index(rows - 1, 0).data().toDouble());
    }
    if (!sortedAlike(n, rows, order == Qt::AscendingOrder, t))
        state.SkipWithError("the editor and the proxy sorted differently");
}

} // namespace

BENCHMARK(BM_NTabEd_Fill)->Arg(1000)->Unit(benchmark::kMillisecond)->Iterations(3);
BENCHMARK(BM_QStandardItemModel_Fill)->Arg(1000)->Unit(benchmark::kMillisecond)->Iterations(3);
BENCHMARK(BM_NTabEd_Paint)->Arg(10)->Arg(1000)->Unit(benchmark::kMicrosecond);
BENCHMARK(BM_QTableView_Paint)->Arg(10)->Arg(1000)->Unit(benchmark::kMicrosecond);
BENCHMARK(BM_NTabEd_SortRows)->Args({1000, 1000, 1})->Args({1000, 1000, 0})->Unit(benchmark::kMicrosecond)->Iterations(50);
BENCHMARK(BM_QSortFilterProxyModel_Sort)->Args({1000, 1000, 1})->Args({1000, 1000, 0})->Unit(benchmark::kMicrosecond)->Iterations(50);
BENCHMARK(BM_NTabEd_PaintAfterSort)->Arg(1000)->Unit(benchmark::kMicrosecond);
BENCHMARK(BM_NTabEd_SortRowsThenLayOut)->Args({1000, 1000, 1})->Unit(benchmark::kMicrosecond)->Iterations(50);
BENCHMARK(BM_NTabEd_SortRows)->Args({10, 100000, 1})->Unit(benchmark::kMillisecond)->Iterations(6);
BENCHMARK(BM_QSortFilterProxyModel_Sort)->Args({10, 100000, 1})->Unit(benchmark::kMillisecond)->Iterations(6);

int main(int argc, char** argv)
{
    qputenv("QT_QPA_PLATFORM", qgetenv("QT_QPA_PLATFORM").isEmpty() ? QByteArray("offscreen") : qgetenv("QT_QPA_PLATFORM"));
    QApplication app(argc, argv);
    benchmark::Initialize(&argc, argv);
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();
    editors().clear();
    tables().clear();
    clipEditor().reset();
    return 0;
}
