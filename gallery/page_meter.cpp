// Gallery page of the analog meter: every layout, linear and logarithmic scales (the 360 degree
// "Dose" closes its circle with one label at the joint, the log scales carry no minor ticks),
// bands, lamps, a second needle and a small dial whose caption sits over the knob, all driven
// by one slider, with the limit events listed.
#include "Gallery.h"
#include "meter/QOR_Meter.h"

#include <QGridLayout>
#include <QHBoxLayout>
#include <QLabel>
#include <QListWidget>
#include <QSlider>
#include <QVBoxLayout>
#include <cmath>

namespace {

using namespace qor;

class MeterPage : public QWidget {
public:
    MeterPage()
    {
        // Setting up the meters already fires limit events: the list exists first.
        m_log = new QListWidget;
        m_mouse = new QLabel("Move the mouse over a meter");
        auto* outer = new QVBoxLayout(this);
        auto* grid = new QGridLayout;
        outer->addLayout(grid);

        struct Setup {
            TMeterLayout layout;
            const char* name;
            double min, max;
            bool log;
            const char* caption;
        };
        const Setup setups[] = {
            {mlCirc90, "Volts", 0, 1, false, "V"},
            {mlCirc120, "Pressure", 0, 100, false, "bar"},
            {mlCirc180, "Temperature", -20, 60, false, "\u00B0C"},
            {mlCirc270, "Frequency", 1, 1000, true, "Hz"},
            {mlCirc300, "Speed", 0, 240, false, "km/h"},
            {mlCirc360, "Dose", 0.01, 10, true, "mSv"},
            // Small: the caption meets the knob and is drawn over it.
            {mlCirc360, "Small dial", 0, 8, false, "rpm"},
        };
        int i = 0;
        for (const Setup& s : setups) {
            auto* m = new TMeter(this);
            m->SetName(QString::fromLatin1(s.name));
            if (i == 6)
                m->SetBounds(0, 0, 150, 140);
            else
                m->SetBounds(0, 0, 250, 190);
            m->SetMeterLayout(s.layout);
            m->SetMeterMaxValue(s.max);
            m->SetMeterMinValue(s.min);
            m->SetLogarithmic(s.log);
            m->SetThresholdLow(s.log ? s.min * std::pow(s.max / s.min, 0.2) : s.min + 0.2 * (s.max - s.min));
            m->SetThresholdHigh(s.log ? s.min * std::pow(s.max / s.min, 0.8) : s.min + 0.8 * (s.max - s.min));
            m->SetScaleBkVisible(true);
            m->SetScaleBkWidth(i % 2 ? 12 : 6);
            m->SetCaption(QString::fromUtf8(s.caption));
            m->SetMeterNrTicks(s.layout >= mlCirc270 ? 5 : 4);
            m->SetMeterDecPlaces(s.log || s.max >= 60 ? 0 : 1);
            if (s.log)
                m->SetMeterDecPlaces(s.min < 1 ? 2 : 0);
            m->NeedleLayout()->SetShadowDx(-2);
            m->NeedleLayout()->SetShadowDy(-2);
            m->NeedleLayout()->SetThickness(i % 3 == 0 ? 0 : 3);
            m->NeedleLayout()->SetColorBody(i % 2 ? 0x2020C0 : 0xC0C0C0);
            if (i == 4) {
                // A trailing second needle showing the peak value.
                m->NeedleLayoutSec()->SetVisible(true);
                m->NeedleLayoutSec()->SetColorBody(0x00A0FF);
                m->NeedleLayoutSec()->SetColorOutline(0x0060C0);
                m->NeedleLayoutSec()->SetPercentNeedleLength(80);
            }
            if (i == 2)
                m->SetFrameStyle(fsRidge);
            if (i == 6) {
                m->SetAnchorSize(16);
                m->NeedleLayout()->SetHeadSize(10);
                m->NeedleLayout()->SetHeadMidLeng(10);
                m->SetMeterNrTicks(3);
                m->SetMeterDecPlaces(0);
            }
            m->OnOverFlow = [this, m](TObject*) { logEvent(m, "OnOverFlow"); };
            m->OnNormalRange = [this, m](TObject*) { logEvent(m, "OnNormalRange"); };
            m->OnUnderFlow = [this, m](TObject*) { logEvent(m, "OnUnderFlow"); };
            m->OnMouseMoveInMeter = [this, m](TObject*, bool within, TShiftState, double v) {
                m_mouse->setText(within ? QString("%1: mouse at %2").arg(m->Name()).arg(v, 0, 'g', 4)
                                        : QString("%1: mouse outside the scale").arg(m->Name()));
            };
            auto* box = new QVBoxLayout;
            auto* title = new QLabel(QString("%1 (%2\u00B0, %3)").arg(s.name).arg(MeterLayoutAngle(s.layout))
                                         .arg(s.log ? "log" : "linear"));
            box->addWidget(title);
            box->addWidget(m);
            grid->addLayout(box, i / 3, i % 3);
            m_meters.push_back(m);
            ++i;
        }

        auto* controls = new QHBoxLayout;
        outer->addLayout(controls);
        controls->addWidget(new QLabel("Value"));
        m_slider = new QSlider(Qt::Horizontal);
        m_slider->setRange(0, 1000);
        controls->addWidget(m_slider, 1);
        m_value = new QLabel;
        m_value->setMinimumWidth(220);
        controls->addWidget(m_value);
        outer->addWidget(m_mouse);
        m_log->setMaximumHeight(110);
        outer->addWidget(new QLabel("Limit events, newest first:"));
        outer->addWidget(m_log);

        connect(m_slider, &QSlider::valueChanged, this, [this](int pos) { apply(pos); });
        m_slider->setValue(620);
        apply(620);
    }

private:
    void apply(int pos)
    {
        const double f = pos / 1000.0;
        QStringList shown;
        for (TMeter* m : m_meters) {
            const double mn = m->MeterMinValue(), mx = m->MeterMaxValue();
            const double v = m->Logarithmic() ? mn * std::pow(mx / mn, f) : mn + f * (mx - mn);
            m->SetValue(v);
            if (m->NeedleLayoutSec()->Visible() && v > m->ValueSec())
                m->SetValueSec(v);
            shown << QString::number(v, 'g', 3);
        }
        m_value->setText(shown.join(QStringLiteral(" | ")));
    }

    void logEvent(TMeter* m, const char* event)
    {
        m_log->insertItem(0, QString("%1  %2  (Value %3)").arg(m->Name(), QString::fromLatin1(event))
                                 .arg(m->Value(), 0, 'g', 4));
        while (m_log->count() > 200)
            delete m_log->takeItem(m_log->count() - 1);
    }

    std::vector<TMeter*> m_meters;
    QSlider* m_slider = nullptr;
    QLabel* m_value = nullptr;
    QLabel* m_mouse = nullptr;
    QListWidget* m_log = nullptr;
};

} // namespace

QOR_GALLERY_PAGE("Meter", [] { return new MeterPage; });
