// Gallery page: raster labels with the built-in and a sampled character set, scrolling live.
#include "Gallery.h"

#include "displays/QOR_RasterLab.h"

#include <QCheckBox>
#include <QComboBox>
#include <QGridLayout>
#include <QLabel>
#include <QSpinBox>
#include <QVBoxLayout>

using namespace qor;

namespace {

class RasterLabPage : public QWidget {
public:
    RasterLabPage()
    {
        auto* layout = new QVBoxLayout(this);

        // The scrolling ticker, driven by its own timer.
        ticker = new TRasterLab;
        ticker->SetBounds(0, 0, 600, 53);
        ticker->SetText(QString::fromUtf8("Dot matrix: 0123456789 \xE2\x82\xAC \xC3\x84\xC3\x96\xC3\x9C \xC3\xA4\xC3\xB6\xC3\xBC\xC3\x9F"));
        ticker->SetPosY(3);
        ticker->SetScrollIncrement(2);
        ticker->SetScrollInterval(40);
        ticker->OnScrollTimer = [this](TObject*) {
            ++ticks;
            events->setText(QString("OnScrollTimer: %1 ticks, offset %2 / %3 | OnScrollLoopRestart: %4")
                                .arg(ticks).arg(ticker->ScrollPosX()).arg(ticker->ScrollPosY()).arg(restarts));
        };
        ticker->OnScrollLoopRestart = [this](TObject*) { ++restarts; };
        ticker->SetScrollMode(rdsmLeft);
        layout->addWidget(new QLabel("Scrolling ticker (built-in 7 x 12 set, block mode on)"));
        layout->addWidget(ticker);
        events = new QLabel("OnScrollTimer: -");
        layout->addWidget(events);

        auto* controls = new QGridLayout;
        auto* mode = new QComboBox;
        mode->addItems({"rdsmOff", "rdsmLeft", "rdsmRight", "rdsmDown", "rdsmUp"});
        mode->setCurrentIndex(int(rdsmLeft));
        connect(mode, &QComboBox::currentIndexChanged, this, [this](int i) { ticker->SetScrollMode(TRDScrollMode(i)); });
        auto* block = new QComboBox;
        block->addItems({"rdbmOff", "rdbmOn", "rdbmRaster"});
        block->setCurrentIndex(int(rdbmOn));
        connect(block, &QComboBox::currentIndexChanged, this, [this](int i) { ticker->SetCharBlockMode(TRDBlockMode(i)); });
        auto* dots = new QSpinBox;
        dots->setRange(1, 6);
        dots->setValue(3);
        connect(dots, &QSpinBox::valueChanged, this, [this](int v) { ticker->SetDotSize(v); });
        auto* spacing = new QSpinBox;
        spacing->setRange(0, 3);
        spacing->setValue(1);
        connect(spacing, &QSpinBox::valueChanged, this, [this](int v) { ticker->SetDotSpacing(v); });
        auto* prop = new QCheckBox("Proportional");
        prop->setChecked(true);
        connect(prop, &QCheckBox::toggled, this, [this](bool on) { ticker->SetProportional(on); });
        auto* loop = new QCheckBox("ScrollLoop");
        loop->setChecked(true);
        connect(loop, &QCheckBox::toggled, this, [this](bool on) { ticker->SetScrollLoop(on); });
        controls->addWidget(new QLabel("ScrollMode"), 0, 0);
        controls->addWidget(mode, 0, 1);
        controls->addWidget(new QLabel("CharBlockMode"), 0, 2);
        controls->addWidget(block, 0, 3);
        controls->addWidget(new QLabel("DotSize"), 1, 0);
        controls->addWidget(dots, 1, 1);
        controls->addWidget(new QLabel("DotSpacing"), 1, 2);
        controls->addWidget(spacing, 1, 3);
        controls->addWidget(prop, 2, 0);
        controls->addWidget(loop, 2, 1);
        layout->addLayout(controls);

        // Static examples of the three block modes and of a sampled font.
        auto* raster = new TRasterLab;
        raster->SetBounds(0, 0, 600, RasterAutoHeight(fsLowered, 3, 12));
        raster->SetCharBlockMode(rdbmRaster);
        raster->SetColorDotOn(0x0000FF);
        raster->SetColorDotOff(0x202040);
        raster->SetText("rdbmRaster, fixed spacing");
        raster->SetDotSize(2);
        raster->SetProportional(false);
        layout->addWidget(raster);

        auto* plain = new TRasterLab;
        plain->SetBounds(0, 0, 600, RasterAutoHeight(fsRidge, 3, 12));
        plain->SetCharBlockMode(rdbmOff);
        plain->SetColorDotOn(0x00C0FF);
        plain->SetFrameStyle(fsRidge);
        plain->SetDotSize(2);
        plain->SetText("rdbmOff, centred");
        plain->SetAutoCenter(true);
        layout->addWidget(plain);

        auto* sampled = new TRasterLab;
        sampled->setFixedWidth(600);
        sampled->Font()->SetName("DejaVu Serif");
        sampled->Font()->SetSize(9);
        sampled->SetDotSize(2);
        sampled->SetDotSpacing(1);
        sampled->SetColorDotOn(0x40FFFF);
        sampled->SetColorDotOff(0x303030);
        sampled->SetText("Sampled: DejaVu Serif 9");
        sampled->setFixedHeight(RasterAutoHeight(fsLowered, 3, sampled->CharMatrix().FontHeight));
        layout->addWidget(sampled);
        layout->addStretch(1);
    }

private:
    TRasterLab* ticker = nullptr;
    QLabel* events = nullptr;
    int ticks = 0;
    int restarts = 0;
};

} // namespace

QOR_GALLERY_PAGE("Raster label", [] { return new RasterLabPage; });
