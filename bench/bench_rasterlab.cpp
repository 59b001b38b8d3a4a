// Raster label: one scroll step (offset, repaint through the off-screen bitmap, copy) against
// its parts and against the wider cases, side by side.
#include "displays/QOR_RasterLab.h"

#include <QApplication>
#include <benchmark/benchmark.h>

using namespace qor;

namespace {

struct Host {
    QWidget parent;
    TRasterLab* lab;
    explicit Host(const QString& text, TRDBlockMode mode = rdbmOn, int dotSize = 3)
    {
        parent.resize(800, 200);
        lab = new TRasterLab(&parent);
        lab->SetText(text);
        lab->SetCharBlockMode(mode);
        lab->SetDotSize(dotSize);
        lab->SetScrollMode(rdsmLeft);
    }
};

void BM_ScrollStep_DefaultText(benchmark::State& state)
{
    Host h("Text");
    for (auto _ : state)
        h.lab->ScrollTimer()->Fire();
}
BENCHMARK(BM_ScrollStep_DefaultText);

void BM_ScrollStep_FullLine(benchmark::State& state)
{
    Host h("Scrolling text 0123456789 ABCDEFGHIJKLMNOP");
    for (auto _ : state)
        h.lab->ScrollTimer()->Fire();
}
BENCHMARK(BM_ScrollStep_FullLine);

void BM_ScrollStep_FullLine_Raster(benchmark::State& state)
{
    Host h("Scrolling text 0123456789 ABCDEFGHIJKLMNOP", rdbmRaster);
    for (auto _ : state)
        h.lab->ScrollTimer()->Fire();
}
BENCHMARK(BM_ScrollStep_FullLine_Raster);

void BM_ScrollStep_FullLine_SinglePixelDots(benchmark::State& state)
{
    Host h("Scrolling text 0123456789 ABCDEFGHIJKLMNOP", rdbmOn, 1);
    for (auto _ : state)
        h.lab->ScrollTimer()->Fire();
}
BENCHMARK(BM_ScrollStep_FullLine_SinglePixelDots);

void BM_PaintStringOnly_FullLine(benchmark::State& state)
{
    TBitmap bmp(400, 68);
    const TRDCharMatrix& set = BuiltInRasterFont();
    int len = 0;
    for (auto _ : state) {
        TRasterLab::PaintString(bmp.Canvas(), set, 1, 1, "Scrolling text 0123456789 ABCDEFGHIJKLMNOP", 3, 1, 0x00FF00,
                                0x404040, 0, rdbmOn, true, len);
        benchmark::DoNotOptimize(len);
    }
}
BENCHMARK(BM_PaintStringOnly_FullLine);

void BM_CalcTextBitLength(benchmark::State& state)
{
    Host h("Scrolling text 0123456789 ABCDEFGHIJKLMNOP");
    for (auto _ : state)
        benchmark::DoNotOptimize(h.lab->CalcTextBitLength(h.lab->Text()));
}
BENCHMARK(BM_CalcTextBitLength);

void BM_CreateBitFont_Sampled(benchmark::State& state)
{
    TFont font;
    font.SetName("DejaVu Sans Mono");
    font.SetSize(8);
    for (auto _ : state)
        benchmark::DoNotOptimize(TRasterLab::CreateBitFont(&font).FontWidth);
}
BENCHMARK(BM_CreateBitFont_Sampled)->Unit(benchmark::kMillisecond);

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
