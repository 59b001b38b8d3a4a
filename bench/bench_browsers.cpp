// Browsers: the folder tree listing a folder of 10,000 subfolders until the tree shows it,
// against QFileSystemModel + QTreeView reaching the same state; and one thumbnail strip paint
// with 100 and with 100,000 slides.
#include "browsers/QOR_FolderTree.h"
#include "browsers/QOR_Thumbnails.h"

#include <QApplication>
#include <QDir>
#include <QElapsedTimer>
#include <QFileSystemModel>
#include <QTemporaryDir>
#include <QTreeView>

#include <benchmark/benchmark.h>

#include <memory>

using namespace qor;

namespace {

constexpr int kFolders = 10000;

// The scratch tree: root/big with 10,000 subfolders, every tenth holding one of its own.
struct Scratch {
    QTemporaryDir tmp;
    QString big;
    Scratch()
    {
        big = tmp.path() + "/big/";
        QDir().mkpath(big);
        for (int i = 0; i < kFolders; ++i) {
            const QString name = big + QStringLiteral("folder %1").arg(i, 5, 10, QLatin1Char('0'));
            QDir().mkpath(i % 10 == 0 ? name + "/inner" : name);
        }
    }
};

Scratch& scratch()
{
    static Scratch s;
    return s;
}

void BM_FolderTree_Show10000(benchmark::State& state)
{
    Scratch& s = scratch();
    TFolderTree tree;
    tree.resize(400, 600);
    tree.SetRootDir(s.tmp.path());
    tree.show();
    for (auto _ : state) {
        if (!tree.SelectPath(s.big))
            state.SkipWithError("SelectPath failed");
        tree.expandItem(tree.currentItem());
        tree.viewport()->repaint();
        QCoreApplication::processEvents();
    }
    state.counters["rows"] = tree.currentItem() ? tree.currentItem()->childCount() : 0;
}
BENCHMARK(BM_FolderTree_Show10000)->Unit(benchmark::kMillisecond)->UseRealTime()->MinTime(3.0);

void BM_QFileSystemModel_Show10000(benchmark::State& state)
{
    Scratch& s = scratch();
    QTreeView view;
    view.resize(400, 600);
    view.show();
    int rows = 0;
    for (auto _ : state) {
        // A fresh model each time, as the tree rebuilds from the disk each time.
        auto model = std::make_unique<QFileSystemModel>();
        model->setFilter(QDir::Dirs | QDir::NoDotAndDotDot);
        model->setRootPath(s.tmp.path());
        view.setModel(model.get());
        view.setRootIndex(model->index(s.tmp.path()));
        const QModelIndex big = model->index(s.big);
        view.expand(big);
        view.setCurrentIndex(big);
        QElapsedTimer guard;
        guard.start();
        while ((model->rowCount(big) < kFolders || model->canFetchMore(big)) && guard.elapsed() < 60000) {
            if (model->canFetchMore(big))
                model->fetchMore(big);
            QCoreApplication::processEvents(QEventLoop::AllEvents, 5);
        }
        rows = model->rowCount(big);
        view.viewport()->repaint();
        QCoreApplication::processEvents();
        view.setModel(nullptr);
    }
    state.counters["rows"] = rows;
}
BENCHMARK(BM_QFileSystemModel_Show10000)->Unit(benchmark::kMillisecond)->UseRealTime()->MinTime(3.0);

// One full paint of an 800 x 600 strip (5 x 5 slides), every slide an image scaled into it.
void BM_Thumbnails_Paint(benchmark::State& state)
{
    const int slides = int(state.range(0));
    QWidget parent;
    parent.resize(800, 600);
    auto* strip = new TThumbnails(&parent);
    strip->resize(800, 600);
    strip->SetMax(slides);
    strip->SetFirstThumbIdx(slides / 2);
    strip->SetSlideSelected(slides / 2 + 1, true);
    TBitmap image(160, 100);
    image.Canvas()->Brush()->SetColor(0x3080C0);
    image.Canvas()->FillRect(TRect(0, 0, 160, 100));
    int requested = 0;
    strip->OnImageRequest = [&](TObject*, int id, TImageRequestProcessing& how, int& mark, TBitmap*& ib) {
        ++requested;
        how = id % 5 == 0 ? irpShowEmpty : irpShowSlide;
        ib = &image;
        mark = id % 7 == 0 ? 3 : -1;
    };
    for (auto _ : state)
        strip->Paint();
    state.counters["slides/paint"] = benchmark::Counter(double(requested) / double(state.iterations()));
}
BENCHMARK(BM_Thumbnails_Paint)->Arg(100)->Arg(100000)->Unit(benchmark::kMicrosecond);

} // namespace

int main(int argc, char** argv)
{
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM"))
        qputenv("QT_QPA_PLATFORM", "offscreen");
    QApplication app(argc, argv);
    benchmark::Initialize(&argc, argv);
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();
    return 0;
}
