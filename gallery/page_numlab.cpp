// Gallery page: numeric labels in every display format, driven by a running counter.
#include "Gallery.h"

#include "displays/QOR_NumLab.h"

#include <QCheckBox>
#include <QComboBox>
#include <QDateTime>
#include <QDoubleSpinBox>
#include <QGridLayout>
#include <QLabel>
#include <QPushButton>
#include <QTimer>
#include <QVBoxLayout>

#include <cmath>

using namespace qor;

namespace {

struct FormatRow {
    TDisplay display;
    const char* name;
    int precision;
    double scale; // the counter is multiplied by this
};

const FormatRow kRows[] = {
    {dtFloat, "dtFloat", 5, 1.2345},       {dtFixP, "dtFixP", 2, 0.01},
    {dtExp, "dtExp", 4, 123.456},         {dtHex, "dtHex", 4, 1.0},
    {dtZeroInt, "dtZeroInt", 6, 1.0},     {dtInt, "dtInt", 0, 0.5},
    {dtDateTime, "dtDateTime", 0, 1.0},   {dtState, "dtState", 0, 1.0},
    {dtBin, "dtBin", 8, 1.0},             {dtOct, "dtOct", 3, 1.0},
    {dtDeg, "dtDeg", 2, 0.37},            {dtDegMin, "dtDegMin", 2, 0.37},
    {dtDegMinSec, "dtDegMinSec", 1, 0.37}, {dtEEng, "dtEEng", 2, 37.7},
    {dtEEngNoDP, "dtEEngNoDP", 2, 37.7},
};

class NumLabPage : public QWidget {
public:
    NumLabPage()
    {
        auto* top = new QVBoxLayout(this);
        top->addWidget(new QLabel("Numeric labels: every display format follows the counter. "
                                  "Move the mouse over a label to see its area code."));

        auto* controls = new QHBoxLayout;
        m_run = new QPushButton("Stop counter");
        m_run->setCheckable(true);
        m_offset = new QDoubleSpinBox;
        m_offset->setRange(-1e6, 1e6);
        m_offset->setDecimals(3);
        m_offset->setPrefix("offset ");
        m_comma = new QCheckBox("Comma");
        m_plus = new QCheckBox("ForcePlusSign");
        m_enabled = new QCheckBox("Enabled");
        m_enabled->setChecked(true);
        m_empty = new QCheckBox("Empty");
        m_frame = new QComboBox;
        m_frame->addItems({"fsNone", "fsSimple", "fsLowered", "fsRaised", "fsRidge", "fsGroove"});
        m_frame->setCurrentIndex(fsLowered);
        for (QWidget* w : {static_cast<QWidget*>(m_run), static_cast<QWidget*>(m_offset),
                           static_cast<QWidget*>(m_comma), static_cast<QWidget*>(m_plus),
                           static_cast<QWidget*>(m_enabled), static_cast<QWidget*>(m_empty),
                           static_cast<QWidget*>(m_frame)})
            controls->addWidget(w);
        controls->addStretch();
        top->addLayout(controls);

        auto* grid = new QGridLayout;
        grid->setHorizontalSpacing(16);
        grid->setVerticalSpacing(2);
        int i = 0;
        for (const FormatRow& r : kRows) {
            auto* lab = new TNumLab(this);
            lab->SetBounds(0, 0, 280, 26);
            lab->SetLeftSpace(95);
            lab->SetLabelWidth(130);
            lab->SetLeftText(QString::fromLatin1(r.name));
            lab->SetLeftTextAlignment(taLeftJustify);
            lab->SetDisplayType(r.display);
            lab->SetPrecision(r.precision);
            lab->SetColorLabBakG(0xF0FFF0);
            lab->SetColorLabText(0x303000);
            if (r.display == dtDateTime)
                lab->SetDTFormat("mmm-dd, yyyy hh:nn");
            if (r.display == dtDegMinSec || r.display == dtDeg)
                lab->SetRightText("N");
            if (r.display == dtEEng)
                lab->SetRightText("V");
            lab->OnMouseMove = [this, lab](TObject*, TShiftState, int x, int) {
                m_events->setText(QString("OnMouseMove on %1 at x=%2: MouseAreaCode %3")
                                      .arg(lab->LeftText()).arg(x).arg(lab->MouseAreaCode()));
            };
            grid->addWidget(lab, i % 8, i / 8);
            m_labels.push_back({lab, r.scale});
            ++i;
        }
        // An overflowing label and one that rewrites its text before display.
        m_narrow = new TNumLab(this);
        m_narrow->SetBounds(0, 0, 280, 26);
        m_narrow->SetLeftSpace(95);
        m_narrow->SetLabelWidth(50);
        m_narrow->SetLeftText("overflow");
        m_narrow->SetLeftTextAlignment(taLeftJustify);
        m_narrow->SetRightText("box 50 px");
        grid->addWidget(m_narrow, i % 8, i / 8);
        ++i;
        m_rewrite = new TNumLab(this);
        m_rewrite->SetBounds(0, 0, 280, 26);
        m_rewrite->SetLeftSpace(95);
        m_rewrite->SetLabelWidth(130);
        m_rewrite->SetLeftText("rewritten");
        m_rewrite->SetLeftTextAlignment(taLeftJustify);
        m_rewrite->SetAlignment(taRightJustify);
        m_rewrite->OnBeforeDisplay = [this](TObject*, QString& text) {
            text = "[" + text + "]";
            m_before->setText("OnBeforeDisplay gave " + text);
        };
        grid->addWidget(m_rewrite, i % 8, i / 8);
        top->addLayout(grid);

        m_value = new QLabel;
        m_events = new QLabel("Move the mouse over a label.");
        m_before = new QLabel;
        top->addWidget(m_value);
        top->addWidget(m_before);
        top->addWidget(m_events);
        top->addStretch();

        connect(&m_timer, &QTimer::timeout, this, [this] { step(1); });
        connect(m_run, &QPushButton::toggled, this, [this](bool stopped) {
            m_run->setText(stopped ? "Run counter" : "Stop counter");
            stopped ? m_timer.stop() : m_timer.start(250);
        });
        connect(m_offset, &QDoubleSpinBox::valueChanged, this, [this] { step(0); });
        connect(m_comma, &QCheckBox::toggled, this, [this](bool on) { forAll([on](TNumLab* l) { l->SetComma(on); }); });
        connect(m_plus, &QCheckBox::toggled, this, [this](bool on) { forAll([on](TNumLab* l) { l->SetForcePlusSign(on); }); });
        connect(m_enabled, &QCheckBox::toggled, this, [this](bool on) { forAll([on](TNumLab* l) { l->SetEnabled(on); }); });
        connect(m_empty, &QCheckBox::toggled, this, [this](bool on) { forAll([on](TNumLab* l) { l->SetEmpty(on); }); });
        connect(m_frame, &QComboBox::currentIndexChanged, this, [this](int f) {
            forAll([f](TNumLab* l) { l->SetFrameStyle(TFrameStyle(f)); });
        });
        m_counter = 1234;
        step(0);
        m_timer.start(250);
    }

private:
    template <class F>
    void forAll(F f)
    {
        for (auto& e : m_labels)
            f(e.first);
        f(m_narrow);
        f(m_rewrite);
    }

    void step(int by)
    {
        m_counter += by;
        const double v = m_counter + m_offset->value();
        for (auto& [lab, scale] : m_labels) {
            if (lab->DisplayType() == dtDateTime)
                lab->SetValue(45000.0 + v / 96.0);
            else if (lab->DisplayType() >= dtDeg && lab->DisplayType() <= dtDegMinSec)
                lab->SetValue(std::fmod(v * scale, 360.0));
            else
                lab->SetValue(v * scale);
        }
        m_narrow->SetValue(v * 1000.0);
        m_rewrite->SetValue(v / 100.0);
        m_value->setText(QString("counter %1, value %2").arg(m_counter).arg(v));
    }

    std::vector<std::pair<TNumLab*, double>> m_labels;
    TNumLab* m_narrow = nullptr;
    TNumLab* m_rewrite = nullptr;
    QPushButton* m_run = nullptr;
    QDoubleSpinBox* m_offset = nullptr;
    QCheckBox* m_comma = nullptr;
    QCheckBox* m_plus = nullptr;
    QCheckBox* m_enabled = nullptr;
    QCheckBox* m_empty = nullptr;
    QComboBox* m_frame = nullptr;
    QLabel* m_value = nullptr;
    QLabel* m_events = nullptr;
    QLabel* m_before = nullptr;
    QTimer m_timer;
    int m_counter = 0;
};

} // namespace

QOR_GALLERY_PAGE("Numeric label", [] { return new NumLabPage; });
