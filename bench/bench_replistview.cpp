// Report list view against QTableView over QStandardItemModel on the same data: a full
// 800 x 600 viewport paint over 100 and 1,000,000 rows, and a header-click sort of
// 1,000,000 rows against QTableView sorting through QSortFilterProxyModel.
#include "replist/QOR_replist.h"

#include <QApplication>
#include <QHeaderView>
#include <QImage>
#include <QSortFilterProxyModel>
#include <QStandardItemModel>
#include <QTableView>

#include <benchmark/benchmark.h>

#include <map>
#include <memory>
#include <random>

using namespace qor;

namespace {

constexpr int kCols = 5;
constexpr int kWidth = 800;
constexpr int kHeight = 600;

QString cellText(int col, int key)
{
    switch (col) {
    case 1: return QStringLiteral("item %1").arg(key, 7, 10, QLatin1Char('0'));
    case 2: return QString::number(key % 9973);
    case 3: return QStringLiteral("group %1").arg(key % 37);
    case 4: return QString::number(double(key % 100003) / 7.0, 'f', 3);
    default: return QStringLiteral("note %1").arg(key % 101);
    }
}

std::vector<int> keys(int rows)
{
    std::vector<int> k{};
    k.resize(size_t(rows));
    std::mt19937 rng(12345);
    for (auto& x : k)
        x = int(rng() % 10000000u);
    return k;
}

std::unique_ptr<TReportListView> makeView(int rows)
{
    auto v = std::make_unique<TReportListView>();
    v->SetBorderStyle(bsNone);
    v->SetScrollBars(ssNone);
    v->resize(kWidth, kHeight);
    v->SetSuppressPaint(true);
    v->SetNrCols(kCols);
    v->SetNrRows(rows);
    // Bulk fill straight into the store, without per-cell change notifications.
    TStringArray* s = v->Data()->Strings();
    TNotifyEvent saved = s->OnChange;
    s->OnChange = nullptr;
    const std::vector<int> k = keys(rows);
    for (int r = 1; r <= rows; ++r)
        for (int c = 1; c <= kCols; ++c)
            s->SetString(c, r, cellText(c, k[size_t(r - 1)]));
    s->OnChange = saved;
    v->SetColCheckMode(1, cmNone);
    v->SetDefaultColWidth(150);
    v->SetSuppressPaint(false);
    return v;
}

struct TableSetup {
    std::unique_ptr<QStandardItemModel> model;
    std::unique_ptr<QSortFilterProxyModel> proxy;
    std::unique_ptr<QTableView> view;
};

TableSetup makeTable(int rows, bool withProxy)
{
    TableSetup t;
    t.model = std::make_unique<QStandardItemModel>(rows, kCols);
    const std::vector<int> k = keys(rows);
    for (int r = 0; r < rows; ++r)
        for (int c = 0; c < kCols; ++c)
            t.model->setItem(r, c, new QStandardItem(cellText(c + 1, k[size_t(r)])));
    t.view = std::make_unique<QTableView>();
    if (withProxy) {
        t.proxy = std::make_unique<QSortFilterProxyModel>();
        t.proxy->setSourceModel(t.model.get());
        t.view->setModel(t.proxy.get());
    } else {
        t.view->setModel(t.model.get());
    }
    t.view->resize(kWidth, kHeight);
    t.view->horizontalHeader()->setDefaultSectionSize(150);
    t.view->verticalHeader()->setDefaultSectionSize(24);
    t.view->verticalHeader()->setSectionResizeMode(QHeaderView::Fixed);
    t.view->verticalHeader()->hide();
    t.view->setAttribute(Qt::WA_DontShowOnScreen, true);
    t.view->show();
    QApplication::processEvents();
    return t;
}

// Models are built once per size and kept for the whole run.
std::map<int, std::unique_ptr<TReportListView>>& views()
{
    static std::map<int, std::unique_ptr<TReportListView>> m;
    return m;
}
std::map<int, TableSetup>& tables()
{
    static std::map<int, TableSetup> m;
    return m;
}

void BM_ReportListView_Paint(benchmark::State& state)
{
    const int rows = int(state.range(0));
    auto& v = views()[rows];
    if (!v)
        v = makeView(rows);
    v->TCustomGrid::SetGridTopRow(v->RowCount() / 2);
    for (auto _ : state) {
        v->Paint();
        v->Canvas()->Flush();
        benchmark::DoNotOptimize(v->Canvas()->Target()->constBits());
    }
    state.counters["cells"] = double((v->ColAxis().LastVisible(kWidth) + 1) * v->VisibleRowCount());
}

void BM_QTableView_Paint(benchmark::State& state)
{
    const int rows = int(state.range(0));
    auto& t = tables()[rows];
    if (!t.view)
        t = makeTable(rows, false);
    t.view->scrollTo(t.model->index(rows / 2, 0), QAbstractItemView::PositionAtTop);
    QImage img(t.view->viewport()->size(), QImage::Format_RGB32);
    for (auto _ : state) {
        t.view->viewport()->render(&img, QPoint(), QRegion(), QWidget::DrawWindowBackground);
        benchmark::DoNotOptimize(img.constBits());
    }
}

// Argument 1: the rows; argument 2: the grid column clicked (0: texts with a long common
// prefix, 3: decimal numbers).
void BM_ReportListView_HeaderClickSort(benchmark::State& state)
{
    const int rows = int(state.range(0));
    const int col = int(state.range(1));
    auto v = makeView(rows);
    const TRect h = v->CellRect(col, 0);
    for (auto _ : state) {
        v->MouseDown(mbLeft, TShiftState(), (h.Left + h.Right) / 2, 10);
        benchmark::DoNotOptimize(v->Elem(1, 1));
    }
}

void BM_QSortFilterProxyModel_Sort(benchmark::State& state)
{
    const int rows = int(state.range(0));
    const int col = int(state.range(1));
    TableSetup t = makeTable(rows, true);
    bool ascending = false;
    for (auto _ : state) {
        ascending = !ascending;
        t.proxy->sort(col, ascending ? Qt::AscendingOrder : Qt::DescendingOrder);
        benchmark::DoNotOptimize(t.proxy->index(0, 0).data());
    }
}

} // namespace

BENCHMARK(BM_ReportListView_Paint)->Arg(100)->Arg(1000000)->Unit(benchmark::kMicrosecond);
BENCHMARK(BM_QTableView_Paint)->Arg(100)->Arg(1000000)->Unit(benchmark::kMicrosecond);
BENCHMARK(BM_ReportListView_HeaderClickSort)->Args({1000000, 0})->Args({1000000, 3})->Unit(benchmark::kMillisecond)->Iterations(3);
BENCHMARK(BM_QSortFilterProxyModel_Sort)->Args({1000000, 0})->Args({1000000, 3})->Unit(benchmark::kMillisecond)->Iterations(3);

int main(int argc, char** argv)
{
    qputenv("QT_QPA_PLATFORM", qgetenv("QT_QPA_PLATFORM").isEmpty() ? QByteArray("offscreen") : qgetenv("QT_QPA_PLATFORM"));
    QApplication app(argc, argv);
    benchmark::Initialize(&argc, argv);
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();
    views().clear();
    tables().clear();
    return 0;
}
