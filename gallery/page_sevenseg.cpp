// Gallery page: seven-segment displays: a running counter, a clock, hexadecimal, an angle,
// and one display whose settings can be changed live.
#include "Gallery.h"

#include "displays/QOR_DisplaysTesting.h"
#include "displays/QOR_sevenseg.h"

#include <QCheckBox>
#include <QComboBox>
#include <QFormLayout>
#include <QGridLayout>
#include <QLabel>
#include <QLineEdit>
#include <QSpinBox>
#include <QTime>
#include <QTimer>
#include <QVBoxLayout>

using namespace qor;

namespace {

class SevenSegPage : public QWidget {
public:
    SevenSegPage()
    {
        auto* top = new QVBoxLayout(this);
        top->addWidget(new QLabel("Seven-segment displays: digits 0-9, A-F, minus, plus, colon, degree sign "
                                  "and decimal points, drawn from a cache of pre-scaled cells."));

        auto* row = new QGridLayout;
        m_counter = make(8, 0x0000FF, 0x202020, 300, 70);
        m_clock = make(8, 0x00FF00, 0x102010, 300, 70);
        m_hex = make(4, 0x00C0FF, 0x202020, 160, 70);
        m_angle = make(5, 0x00FFFF, 0x301010, 200, 70);
        m_angle->SetCaption("-12.5\u00B0");
        row->addWidget(caption("counter"), 0, 0);
        row->addWidget(m_counter, 1, 0);
        row->addWidget(caption("clock"), 0, 1);
        row->addWidget(m_clock, 1, 1);
        row->addWidget(caption("hexadecimal"), 0, 2);
        row->addWidget(m_hex, 1, 2);
        row->addWidget(caption("angle, plus sign"), 2, 0);
        row->addWidget(m_angle, 3, 0);
        m_plus = make(6, 0xFFFFFF, 0x000000, 260, 70);
        m_plus->SetCaption("+1.2E:3");
        row->addWidget(caption("white text, specials"), 2, 1);
        row->addWidget(m_plus, 3, 1);
        top->addLayout(row);

        // A display whose properties can be changed.
        auto* box = new QHBoxLayout;
        m_live = make(6, 0x0000FF, 0x333333, 420, 110);
        m_live->SetCaption("3.14159");
        box->addWidget(m_live, 0, Qt::AlignTop);
        auto* form = new QFormLayout;
        auto* caption = new QLineEdit("3.14159");
        auto* digits = new QSpinBox;
        digits->setRange(0, 33);
        digits->setValue(6);
        auto* margin = new QSpinBox;
        margin->setRange(0, 80);
        margin->setValue(8);
        auto* dist = new QSpinBox;
        dist->setRange(0, 300);
        dist->setValue(2);
        auto* width = new QSpinBox;
        width->setRange(20, 600);
        width->setValue(420);
        auto* colour = new QComboBox;
        colour->addItems({"red", "green", "amber", "white", "blue"});
        auto* frame = new QComboBox;
        frame->addItems({"fsNone", "fsSimple", "fsLowered", "fsRaised", "fsRidge", "fsGroove"});
        frame->setCurrentIndex(fsLowered);
        form->addRow("Caption", caption);
        form->addRow("NumDigits (1..32)", digits);
        form->addRow("Margin", margin);
        form->addRow("InterDigDist", dist);
        form->addRow("Width", width);
        form->addRow("ColorText", colour);
        form->addRow("FrameStyle", frame);
        box->addLayout(form);
        box->addStretch();
        top->addLayout(box);
        m_state = new QLabel;
        m_events = new QLabel("Click the display.");
        top->addWidget(m_state);
        top->addWidget(m_events);
        top->addStretch();

        connect(caption, &QLineEdit::textChanged, this, [this](const QString& t) { m_live->SetCaption(t); showState(); });
        connect(digits, &QSpinBox::valueChanged, this, [this](int v) { m_live->SetNumDigits(v); showState(); });
        connect(margin, &QSpinBox::valueChanged, this, [this](int v) { m_live->SetMargin(v); showState(); });
        connect(dist, &QSpinBox::valueChanged, this, [this](int v) { m_live->SetInterDigDist(v); showState(); });
        connect(width, &QSpinBox::valueChanged, this, [this](int v) { m_live->setFixedWidth(v); });
        connect(colour, &QComboBox::currentIndexChanged, this, [this](int i) {
            static const TColor colours[] = {0x0000FF, 0x00FF00, 0x00B0FF, 0xFFFFFF, 0xFF8000};
            m_live->SetColorText(colours[i]);
            showState();
        });
        connect(frame, &QComboBox::currentIndexChanged, this, [this](int f) { m_live->SetFrameStyle(TFrameStyle(f)); });
        m_live->OnClick = [this](TObject*) { m_events->setText(QString("OnClick (%1)").arg(++m_clicks)); };
        m_live->OnResize = [this](TObject*) {
            m_events->setText(QString("OnResize: %1 x %2").arg(m_live->Width()).arg(m_live->Height()));
            showState();
        };

        connect(&m_timer, &QTimer::timeout, this, [this] { tick(); });
        tick();
        showState();
        m_timer.start(100);
    }

private:
    static QLabel* caption(const QString& t) { return new QLabel(t); }

    TSevenSeg* make(int digits, TColor text, TColor back, int w, int h)
    {
        auto* s = new TSevenSeg(this);
        s->SetBounds(0, 0, w, h);
        s->SetNumDigits(digits);
        s->SetColorText(text);
        s->SetColorBackGnd(back);
        return s;
    }

    void tick()
    {
        ++m_count;
        m_counter->SetCaption(QString::number(m_count / 10.0, 'f', 1));
        m_clock->SetCaption(QTime::currentTime().toString("hh:mm:ss"));
        m_hex->SetCaption(QString::number(m_count % 0x10000, 16).toUpper().rightJustified(4, '0'));
    }

    void showState()
    {
        m_state->setText(QString("NumDigits %1, Margin %2, InterDigDist %3, cache %4 x %5, rebuilds %6")
                             .arg(m_live->NumDigits())
                             .arg(m_live->Margin())
                             .arg(m_live->InterDigDist())
                             .arg(m_live->ImageCache()->Width())
                             .arg(m_live->ImageCache()->Height())
                             .arg(qor::testing::SevenSegCacheBuilds(*m_live)));
    }

    TSevenSeg* m_counter = nullptr;
    TSevenSeg* m_clock = nullptr;
    TSevenSeg* m_hex = nullptr;
    TSevenSeg* m_angle = nullptr;
    TSevenSeg* m_plus = nullptr;
    TSevenSeg* m_live = nullptr;
    QLabel* m_state = nullptr;
    QLabel* m_events = nullptr;
    QTimer m_timer;
    int m_count = 0;
    int m_clicks = 0;
};

} // namespace

QOR_GALLERY_PAGE("Seven-segment display", [] { return new SevenSegPage; });
