// Gallery page: the colour selector with its palettes, the marker picker, and repeat buttons
// that count while held.
#include "Gallery.h"

#include "pickers/QOR_Colsel.h"
#include "pickers/QOR_marksel.h"
#include "pickers/QOR_repsbut.h"

#include <QCheckBox>
#include <QComboBox>
#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QSpinBox>
#include <QVBoxLayout>

using namespace qor;

namespace {

class PickersPage : public QWidget {
public:
    PickersPage()
    {
        auto* layout = new QHBoxLayout(this);
        auto* left = new QVBoxLayout;
        layout->addLayout(left);

        // ---- colour selector
        auto* colours = new QGroupBox("Colour selector");
        auto* cg = new QGridLayout(colours);
        colSel = new TColSel;
        colSel->SetColorEditAllowed(1, true);
        colSel->SetColorEditAllowed(2, true);
        colSel->OnChange = [this](TObject*) { showColour("picked"); };
        cg->addWidget(colSel, 0, 0, 1, 2);
        auto* palette = new QComboBox;
        palette->addItems({"Extended (20)", "Basic VGA (16)", "Standard (47)", "System (27)"});
        connect(palette, &QComboBox::currentIndexChanged, this, [this](int i) {
            switch (i) {
            case 0: colSel->LoadExtendedPalette(); break;
            case 1: colSel->LoadBasicVGAPalette(); break;
            case 2: colSel->LoadStandardPalette(); break;
            default: colSel->LoadWindowsSystemPalette(); break;
            }
            showColour("palette loaded");
        });
        cg->addWidget(new QLabel("Palette"), 1, 0);
        cg->addWidget(palette, 1, 1);
        auto* bar = new QSpinBox;
        bar->setRange(0, 80);
        bar->setValue(colSel->ColorBarWidth());
        connect(bar, &QSpinBox::valueChanged, this, [this](int v) { colSel->SetColorBarWidth(v); });
        cg->addWidget(new QLabel("ColorBarWidth"), 2, 0);
        cg->addWidget(bar, 2, 1);
        auto* editable = new QCheckBox("Every entry editable (open the list from the bar)");
        connect(editable, &QCheckBox::toggled, this, [this](bool on) {
            on ? colSel->SetAllColorEditFlags() : colSel->ResetAllColorEditFlags();
        });
        cg->addWidget(editable, 3, 0, 1, 2);
        auto* enabled = new QCheckBox("Enabled");
        enabled->setChecked(true);
        connect(enabled, &QCheckBox::toggled, this, [this](bool on) { colSel->SetEnabled(on); });
        cg->addWidget(enabled, 4, 0, 1, 2);
        colourInfo = new QLabel;
        cg->addWidget(colourInfo, 5, 0, 1, 2);
        left->addWidget(colours);

        // ---- repeat buttons
        auto* repeat = new QGroupBox("Repeating speed buttons (hold one down)");
        auto* rg = new QHBoxLayout(repeat);
        auto* down = new TRepSpeedButton;
        down->SetCaption("-");
        auto* up = new TRepSpeedButton;
        up->SetCaption("+");
        counter = new QLabel;
        counter->setMinimumWidth(60);
        counter->setAlignment(Qt::AlignCenter);
        repeats = new QLabel;
        const auto step = [this](int d, bool repeated) {
            count += d;
            if (repeated)
                ++repeatCount;
            counter->setText(QString::number(count));
            repeats->setText(QString("%1 repeats").arg(repeatCount));
        };
        down->OnClick = [step](TObject*) { step(-1, false); };
        down->SetOnRepeatClick([step](TObject*) { step(-1, true); });
        up->OnClick = [step](TObject*) { step(1, false); };
        up->SetOnRepeatClick([step](TObject*) { step(1, true); });
        step(0, false);
        auto* fast = new QCheckBox("Fast (start 250 ms, every 50 ms)");
        connect(fast, &QCheckBox::toggled, this, [down, up](bool on) {
            for (TRepSpeedButton* b : {down, up}) {
                b->SetStartClickInterval(on ? 250 : 500);
                b->SetRepeatClickInterval(on ? 50 : 200);
            }
        });
        rg->addWidget(down);
        rg->addWidget(counter);
        rg->addWidget(up);
        rg->addWidget(repeats);
        rg->addWidget(fast);
        rg->addStretch(1);
        left->addWidget(repeat);
        left->addStretch(1);

        // ---- marker picker
        auto* marks = new QGroupBox("Mark selector");
        auto* mg = new QGridLayout(marks);
        markSel = new TMarkSel;
        markSel->setMinimumSize(markSel->sizeHint());
        markSel->OnMarkClick = [this](TObject*, int x, int y, int m) {
            markInfo->setText(QString("OnMarkClick at (%1, %2): symbol %3").arg(x).arg(y).arg(m));
        };
        markSel->OnMarkDblClick = [this](TObject*, int, int, int m) {
            markInfo->setText(QString("OnMarkDblClick: symbol %1").arg(m));
        };
        mg->addWidget(markSel, 0, 0, 1, 2);
        auto* cols = new QSpinBox;
        cols->setRange(1, 51);
        cols->setValue(markSel->NrOfColumns());
        connect(cols, &QSpinBox::valueChanged, this, [this](int v) { markSel->SetNrOfColumns(v); });
        auto* rows = new QSpinBox;
        rows->setRange(1, 51);
        rows->setValue(markSel->NrOfRows());
        connect(rows, &QSpinBox::valueChanged, this, [this](int v) { markSel->SetNrOfRows(v); });
        mg->addWidget(new QLabel("NrOfColumns"), 1, 0);
        mg->addWidget(cols, 1, 1);
        mg->addWidget(new QLabel("NrOfRows"), 2, 0);
        mg->addWidget(rows, 2, 1);
        auto* cross = new QCheckBox("ShowZeroAsCross");
        cross->setChecked(true);
        connect(cross, &QCheckBox::toggled, this, [this](bool on) { markSel->SetShowZeroAsCross(on); });
        auto* odd = new QCheckBox("Hide the odd symbols");
        connect(odd, &QCheckBox::toggled, this, [this](bool on) {
            for (int i = 1; i < NrOfMarks; i += 2)
                markSel->SetMarkVisible(i, !on);
        });
        auto* markEnabled = new QCheckBox("Enabled");
        markEnabled->setChecked(true);
        connect(markEnabled, &QCheckBox::toggled, this, [this](bool on) { markSel->SetEnabled(on); });
        mg->addWidget(cross, 3, 0);
        mg->addWidget(odd, 3, 1);
        mg->addWidget(markEnabled, 4, 0);
        markInfo = new QLabel("Click a symbol");
        mg->addWidget(markInfo, 5, 0, 1, 2);
        mg->setRowStretch(6, 1);
        layout->addWidget(marks, 1);

        showColour("");
    }

private:
    void showColour(const QString& what)
    {
        colourInfo->setText(QString("%1 SelColorID %2, SelColor $%3")
                                .arg(what, colSel->SelColorID())
                                .arg(colSel->SelColor(), 8, 16, QLatin1Char('0')));
    }

    TColSel* colSel = nullptr;
    TMarkSel* markSel = nullptr;
    QLabel* colourInfo = nullptr;
    QLabel* markInfo = nullptr;
    QLabel* counter = nullptr;
    QLabel* repeats = nullptr;
    int count = 0;
    int repeatCount = 0;
};

} // namespace

QOR_GALLERY_PAGE("Pickers", [] { return new PickersPage; });
