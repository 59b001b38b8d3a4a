// Gallery page: progress bars in each colour mapping and direction, a running auto-increment
// bar, rotated value text, and gradient fills of every type.
#include "Gallery.h"

#include "bars/QOR_ProgBar.h"
#include "bars/QOR_gradfl.h"

#include <QCheckBox>
#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QSlider>
#include <QSpinBox>
#include <QVBoxLayout>

using namespace qor;

namespace {

class BarsPage : public QWidget {
public:
    BarsPage()
    {
        auto* top = new QHBoxLayout(this);
        auto* left = new QVBoxLayout;
        top->addLayout(left, 3);
        auto* right = new QVBoxLayout;
        top->addLayout(right, 2);

        // The three ways of laying the colour table onto the bar, moved together by a slider.
        auto* mappings = new QGroupBox("Colour mappings (ShowColorGradient, blue to red)");
        auto* mapGrid = new QGridLayout(mappings);
        const char* names[] = {"cgmCover: the table spans the whole area", "cgmStretch: the table spans the bar",
                               "cgmMove: the bar's end is always ColorMax"};
        for (int m = 0; m < 3; ++m) {
            auto* bar = new TProgBar;
            bar->SetShowColorGradient(true);
            bar->SetColorMapMode(TColorMapping(m));
            bar->SetGridDist(m == 2 ? 20 : 0);
            bar->SetTextDecPlaces(1);
            bar->SetTextPosX(150);
            bar->SetValue(60);
            bar->OnShowValue = [](TObject*, QString& text) { text += " %"; };
            mapGrid->addWidget(new QLabel(names[m]), m * 2, 0);
            mapGrid->addWidget(bar, m * 2 + 1, 0);
            m_mapped.push_back(bar);
        }
        auto* slider = new QSlider(Qt::Horizontal);
        slider->setRange(0, 1000);
        slider->setValue(600);
        connect(slider, &QSlider::valueChanged, this, [this](int v) {
            for (TProgBar* b : m_mapped)
                b->SetValue(v / 10.0);
        });
        mapGrid->addWidget(new QLabel("Value"), 6, 0);
        mapGrid->addWidget(slider, 7, 0);
        left->addWidget(mappings);

        // A bar that runs by itself on the component timer and starts again at Max.
        auto* running = new QGroupBox("AutoInc: StartInterval 1500 ms, then every RepeatInterval");
        auto* runLayout = new QGridLayout(running);
        m_running = new TProgBar;
        m_running->SetShowColorGradient(true);
        m_running->SetColorMin(0x00A000);
        m_running->SetColorMax(0x00FFFF);
        m_running->SetColorMapMode(cgmStretch);
        m_running->SetValue(0);
        m_running->SetAutoIncStep(2);
        m_running->SetRepeatInterval(100);
        m_running->SetTextAlignment(taLeftJustify);
        m_running->SetTextPosX(8);
        m_running->SetOnAutoInc([this](TObject*) {
            if (m_running->Value() > m_running->Max())
                m_running->SetValue(m_running->Min());
        });
        m_running->SetAutoInc(true);
        runLayout->addWidget(m_running, 0, 0, 1, 3);
        auto* on = new QCheckBox("AutoInc");
        on->setChecked(true);
        connect(on, &QCheckBox::toggled, this, [this](bool v) { m_running->SetAutoInc(v); });
        auto* repeat = new QSpinBox;
        repeat->setRange(10, 2000);
        repeat->setValue(100);
        repeat->setPrefix("RepeatInterval ");
        repeat->setSuffix(" ms");
        connect(repeat, &QSpinBox::valueChanged, this, [this](int v) { m_running->SetRepeatInterval(v); });
        runLayout->addWidget(on, 1, 0);
        runLayout->addWidget(repeat, 1, 1);
        left->addWidget(running);

        // The other directions, a grid, rotated text and the frame styles.
        auto* dirs = new QGroupBox("Directions, grid, text angle, frames");
        auto* dirGrid = new QGridLayout(dirs);
        auto* leftward = new TProgBar;
        leftward->SetDirection(drLeft);
        leftward->SetShowColorGradient(true);
        leftward->SetColorMapMode(cgmMove);
        leftward->SetValue(45);
        leftward->SetTextPosX(280);
        leftward->SetTextAlignment(taRightJustify);
        leftward->SetFrameStyleOuter(fsRidge);
        dirGrid->addWidget(new QLabel("drLeft, cgmMove, fsRidge"), 0, 0, 1, 3);
        dirGrid->addWidget(leftward, 1, 0, 1, 3);
        auto* plain = new TProgBar;
        plain->SetValue(72);
        plain->SetGridDist(15);
        plain->SetColorMin(0x804000);
        plain->SetColorGrid(0xFFFFFF);
        plain->SetFrameStyleOuter(fsGroove);
        plain->SetFrameStyleInner(fsSimple);
        plain->SetTextVisible(false);
        dirGrid->addWidget(new QLabel("plain bar, GridDist 15, fsGroove / fsSimple"), 2, 0, 1, 3);
        dirGrid->addWidget(plain, 3, 0, 1, 3);
        const struct { TDirection dir; int angle; double value; const char* label; } vertical[] = {
            {drUp, 90, 65, "drUp"}, {drDown, 270, 35, "drDown"}, {drUp, 45, 80, "drUp, cgmCover"}};
        for (int i = 0; i < 3; ++i) {
            auto* bar = new TProgBar;
            bar->SetBounds(0, 0, 60, 160); // a vertical bar needs its shape
            bar->SetDirection(vertical[i].dir);
            bar->SetShowColorGradient(true);
            bar->SetColorMapMode(i == 2 ? cgmCover : cgmStretch);
            bar->SetTextAngle(vertical[i].angle);
            bar->SetTextPosX(30);
            bar->SetTextPosY(80);
            bar->SetValue(vertical[i].value);
            bar->Font()->SetSize(11);
            bar->Font()->SetColor(0xFFFFFF);
            dirGrid->addWidget(new QLabel(vertical[i].label), 4, i);
            dirGrid->addWidget(bar, 5, i);
        }
        left->addWidget(dirs);
        left->addStretch();

        // Gradient fills: every type, then flipping, grid modes and a frame.
        auto* fills = new QGroupBox("TGradFill: gtHoriz, gtVert, gtMidBandHoriz, gtMidBandVert");
        auto* fillGrid = new QGridLayout(fills);
        const struct { TGradType type; int colors; bool flipped; TGridMode grid; TFrameStyle frame; const char* label; } cases[] = {
            {gtHoriz, 16, false, gmNone, fsNone, "gtHoriz, 16"},
            {gtVert, 16, false, gmNone, fsNone, "gtVert, 16"},
            {gtMidBandHoriz, 32, false, gmNone, fsNone, "gtMidBandHoriz, 32"},
            {gtMidBandVert, 255, false, gmNone, fsNone, "gtMidBandVert, 255"},
            {gtHoriz, 8, true, gmBoth, fsLowered, "flipped, gmBoth, fsLowered"},
            {gtVert, 5, false, gmVert, fsRaised, "gtVert 5, gmVert, fsRaised"},
        };
        for (int i = 0; i < 6; ++i) {
            auto* fill = new TGradFill;
            fill->setMinimumSize(121, 121);
            fill->SetFillType(cases[i].type);
            fill->SetNrColors(cases[i].colors);
            fill->SetColorFlipped(cases[i].flipped);
            fill->SetGridMode(cases[i].grid);
            fill->SetFrameStyle(cases[i].frame);
            if (i == 3) {
                fill->SetColorFirst(0x400000);
                fill->SetColorLast(0xFFC080);
            }
            fillGrid->addWidget(new QLabel(cases[i].label), (i / 2) * 2, i % 2);
            fillGrid->addWidget(fill, (i / 2) * 2 + 1, i % 2);
            m_fills.push_back(fill);
        }
        auto* colors = new QSpinBox;
        colors->setRange(1, 255);
        colors->setValue(16);
        colors->setPrefix("NrColors of the first two: ");
        connect(colors, &QSpinBox::valueChanged, this, [this](int v) {
            m_fills[0]->SetNrColors(v);
            m_fills[1]->SetNrColors(v);
        });
        fillGrid->addWidget(colors, 6, 0, 1, 2);
        auto* flip = new QCheckBox("ColorFlipped (all)");
        connect(flip, &QCheckBox::toggled, this, [this](bool v) {
            for (TGradFill* f : m_fills)
                f->SetColorFlipped(!f->ColorFlipped());
            (void)v;
        });
        fillGrid->addWidget(flip, 7, 0, 1, 2);
        right->addWidget(fills);
        right->addStretch();
    }

private:
    std::vector<TProgBar*> m_mapped;
    std::vector<TGradFill*> m_fills;
    TProgBar* m_running = nullptr;
};

} // namespace

QOR_GALLERY_PAGE("Bars", [] { return new BarsPage; });
