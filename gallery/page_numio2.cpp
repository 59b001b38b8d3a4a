// Gallery page of the spin numeric field: buttons, gauge, pivots, every input format,
// texts left and right, disabled and read-only fields; values and events shown live.
#include "Gallery.h"

#include "numio/QOR_NumIO2.h"

#include <QGridLayout>
#include <QLabel>
#include <QVBoxLayout>

using namespace qor;

namespace {

class NumIO2Page : public QWidget {
public:
    NumIO2Page()
    {
        auto* grid = new QGridLayout(this);
        grid->setHorizontalSpacing(16);
        grid->setVerticalSpacing(6);
        m_events = new QLabel("events: (none yet)");
        m_events->setMinimumWidth(300);
        int row = 0;

        auto addRow = [&](const QString& caption, TNumIO2* f) {
            auto* label = new QLabel(caption);
            auto* value = new QLabel;
            grid->addWidget(label, row, 0);
            grid->addWidget(f, row, 1);
            grid->addWidget(value, row, 2);
            ++row;
            auto show = [f, value] {
                value->setText(QString("Text \"%1\"   Value %2").arg(f->Text()).arg(f->Value(), 0, 'g', 10));
            };
            show();
            f->OnChange = [this, f, show](TObject*) {
                show();
                m_events->setText(QString("OnChange from %1: %2").arg(f->Name(), f->Text()));
            };
            return show;
        };

        auto make = [this](const QString& name) {
            auto* f = new TNumIO2(this);
            f->SetName(name);
            f->SetWidth(200); // room for the right text beside the buttons
            return f;
        };

        // Plain field with left and right texts.
        auto* plain = make("Voltage");
        plain->SetLeftText("U =");
        plain->SetRightText("V");
        plain->SetValue(12.5);
        addRow("float, texts", plain);

        // Spin buttons, step 0.25.
        auto* spin = make("Spin");
        spin->SetButVisible(true);
        spin->SetButIncrem(0.25);
        spin->SetLeftText("Step");
        spin->SetRightText("mm");
        spin->SetValue(3);
        addRow("spin buttons, step 0.25", spin);

        // Spin buttons snapping to pivots.
        auto* piv = make("Pivots");
        piv->SetButVisible(true);
        piv->ButtonPivots = {1, 2, 5, 10, 20, 50, 100};
        piv->SetInputFormat(itInt);
        piv->SetLeftSpace(50);
        piv->SetGaugeLeftMargin(50);
        piv->SetLeftText("Range");
        piv->SetRightText("1-2-5");
        piv->SetValue(5);
        addRow("pivots 1, 2, 5, 10 ... 100", piv);

        // Gauge under the row, with buttons.
        auto* gauge = make("Gauge");
        gauge->SetHeight(42);
        gauge->SetButHeight(28);
        gauge->SetButVisible(true);
        gauge->SetGaugeVisible(true);
        gauge->SetButIncrem(50);
        gauge->SetRightText("rpm");
        gauge->SetLeftText("n");
        gauge->SetValue(650);
        auto showGauge = addRow("gauge, drag it (0..1000)", gauge);
        gauge->OnGaugeChange = [this, showGauge](TObject*, TShiftState, double v) {
            showGauge();
            m_events->setText(QString("OnGaugeChange: %1").arg(v));
        };

        // Gauge with pivots and a raised frame.
        auto* gpiv = make("GaugePivots");
        gpiv->SetHeight(42);
        gpiv->SetButHeight(28);
        gpiv->SetGaugeVisible(true);
        gpiv->SetGaugeFrameStyle(fsRaised);
        gpiv->SetGaugeColor(0x008000);
        gpiv->ButtonPivots = {0, 100, 250, 500, 1000};
        gpiv->SetFrameStyle(fsRaised);
        gpiv->SetValue(250);
        auto showGPiv = addRow("gauge snapping to pivots", gpiv);
        gpiv->OnGaugeChange = [this, showGPiv](TObject*, TShiftState, double v) {
            showGPiv();
            m_events->setText(QString("OnGaugeChange: %1").arg(v));
        };

        // Every input format.
        const struct {
            TInFormat format;
            const char* name;
            double value;
        } formats[] = {
            {itExp, "itExp", 1234.5}, {itFloat, "itFloat", 3.14159}, {itFixPoint, "itFixPoint", 2.5},
            {itInt, "itInt", -42},    {itHex, "itHex", 255},         {itOct, "itOct", 8},
            {itBin, "itBin", 5},      {itDynamic, "itDynamic", 18},
        };
        for (const auto& fm : formats) {
            auto* f = make(fm.name);
            f->SetInputFormat(fm.format);
            f->SetAlignment(taRightJustify);
            f->SetLeftText(fm.name);
            f->SetLeftSpace(62);
            f->SetTextBoxWidth(fm.format == itBin ? 250 : 130);
            f->SetWidth(f->LeftSpace() + f->TextBoxWidth() + 10);
            f->SetRangeLow(-1e6);
            f->SetRangeHigh(1e6);
            f->SetValue(fm.value);
            addRow(QString("format %1").arg(fm.name), f);
        }

        // Out of range: warning colours.
        auto* warn = make("Warn");
        warn->SetRangeHigh(100);
        warn->SetValue(150);
        warn->SetRightText("> 100");
        addRow("out of range (0..100)", warn);

        // Disabled and read-only.
        auto* dis = make("Disabled");
        dis->SetButVisible(true);
        dis->SetLeftText("off");
        dis->SetRightText("V");
        dis->SetValue(7);
        dis->SetEnabled(false);
        addRow("disabled", dis);

        auto* ro = make("ReadOnly");
        ro->SetReadOnly(true);
        ro->SetButVisible(true);
        ro->SetLeftText("ro");
        ro->SetValue(99.9);
        ro->SetHideSelection(false);
        ro->SetSelBegin(0);
        ro->SetSelEnd(2);
        addRow("read-only (selection shown)", ro);

        grid->addWidget(m_events, row, 0, 1, 3);
        grid->setRowStretch(row + 1, 1);
        grid->setColumnStretch(2, 1);
    }

private:
    QLabel* m_events = nullptr;
};

} // namespace

QOR_GALLERY_PAGE("Spin numeric field", [] { return new NumIO2Page; });
