// Gallery page: every on/off button style on, off and disabled; a radio group; a momentary
// button; captions and a transparent button over a coloured panel.
#include "Gallery.h"

#include "pickers/QOR_onoffbut.h"

#include <QCheckBox>
#include <QGridLayout>
#include <QGroupBox>
#include <QLabel>
#include <QMetaEnum>
#include <QScrollArea>
#include <QVBoxLayout>

using namespace qor;

namespace {

QString styleName(TOnOffButStyle s)
{
    return QString::fromLatin1(QMetaEnum::fromType<TOnOffButStyle>().valueToKey(s));
}

class OnOffButPage : public QWidget {
public:
    OnOffButPage()
    {
        auto* top = new QVBoxLayout(this);
        top->addWidget(new QLabel("Every style on, off and disabled. Click a glyph to switch it "
                                  "(MouseAction oomaFocused)."));

        // All styles in three states, in two blocks side by side.
        auto* scroll = new QScrollArea;
        scroll->setWidgetResizable(true);
        scroll->setFrameShape(QFrame::NoFrame);
        auto* styles = new QWidget;
        auto* grid = new QGridLayout(styles);
        grid->setHorizontalSpacing(6);
        grid->setVerticalSpacing(2);
        const int perBlock = 12;
        for (int block = 0; block < 2; ++block) {
            const int col = block * 5;
            grid->addWidget(new QLabel("<b>style</b>"), 0, col);
            grid->addWidget(new QLabel("<b>on</b>"), 0, col + 1, Qt::AlignHCenter);
            grid->addWidget(new QLabel("<b>off</b>"), 0, col + 2, Qt::AlignHCenter);
            grid->addWidget(new QLabel("<b>disabled</b>"), 0, col + 3, Qt::AlignHCenter);
        }
        grid->setColumnMinimumWidth(4, 24);
        for (int s = 0; s <= oobsUser5; ++s) {
            const auto style = TOnOffButStyle(s);
            const int row = 1 + s % perBlock, col = (s / perBlock) * 5;
            grid->addWidget(new QLabel(styleName(style)), row, col);
            for (int state = 0; state < 3; ++state) {
                auto* b = new TOnOffBut(styles);
                b->SetButtonStyle(style);
                b->SetFrameStyle(fsNone);
                b->SetBounds(0, 0, b->GlyphWidth() + 12, b->GlyphHeight() + 6);
                b->SetOnOff(state == 0);
                if (state == 2)
                    b->SetEnabled(false);
                grid->addWidget(b, row, col + 1 + state, Qt::AlignHCenter);
            }
        }
        grid->setRowStretch(perBlock + 1, 1);
        scroll->setWidget(styles);
        top->addWidget(scroll, 1);

        auto* side = new QHBoxLayout;
        top->addLayout(side);

        // A radio group: the buttons share GroupIndex 1 on one parent.
        auto* group = new QGroupBox("Radio group (GroupIndex 1)");
        auto* groupLayout = new QVBoxLayout(group);
        for (int i = 0; i < 4; ++i) {
            auto* b = new TOnOffBut(group);
            b->SetButtonStyle(oobsRadioBut);
            b->SetFrameStyle(fsNone);
            b->SetTransparent(true);
            b->SetAutoCenter(false);
            b->SetLeftSpace(4);
            b->SetTopSpace(3);
            b->SetRightText(QString("Option %1").arg(i + 1));
            b->SetBounds(0, 0, 160, 22);
            b->SetOnOff(i == 0);
            b->SetGroupIndex(1);
            b->OnClick = [this, b](TObject*) { m_events->setText(b->RightText() + (b->OnOff() ? " on" : " off")); };
            groupLayout->addWidget(b);
            m_radios.push_back(b);
        }
        m_radios.front()->SetAllowAllOff(false);
        auto* allOff = new QCheckBox("AllowAllOff");
        connect(allOff, &QCheckBox::toggled, this, [this](bool on) { m_radios.front()->SetAllowAllOff(on); });
        groupLayout->addWidget(allOff);
        side->addWidget(group);

        // A momentary button with captions on all sides.
        auto* speed = new TOnOffBut;
        speed->SetButtonStyle(oobsButLamp);
        speed->SetMode(oobmSpeedBut);
        speed->SetMouseAction(oomaPlain);
        speed->SetTopText("Momentary (oobmSpeedBut)");
        speed->SetLeftText("hold");
        speed->SetRightText("lamp");
        speed->SetBottomText("on while pressed");
        speed->setMinimumSize(220, 100);
        speed->OnClick = [this](TObject*) { m_events->setText(QString("momentary button clicked %1 times").arg(++m_clicks)); };
        side->addWidget(speed);

        // Transparent buttons over a coloured panel: key-coloured pixels show the panel.
        auto* panel = new QWidget;
        panel->setAutoFillBackground(true);
        QPalette pal = panel->palette();
        pal.setColor(QPalette::Window, QColor(40, 90, 160));
        panel->setPalette(pal);
        auto* panelLayout = new QHBoxLayout(panel);
        for (TOnOffButStyle s : {oobsSmileyYellow, oobsTrafficLPed, oobsBulb}) {
            auto* b = new TOnOffBut(panel);
            b->SetButtonStyle(s);
            b->SetTransparent(true);
            b->SetFrameStyle(fsNone);
            b->SetColorText(0xFFFFFF);
            b->SetBottomText("Transparent");
            b->setMinimumSize(110, b->GlyphHeight() + 40);
            panelLayout->addWidget(b);
        }
        side->addWidget(panel);

        m_events = new QLabel("Events appear here.");
        top->addWidget(m_events);
    }

private:
    std::vector<TOnOffBut*> m_radios;
    QLabel* m_events = nullptr;
    int m_clicks = 0;
};

} // namespace

QOR_GALLERY_PAGE("On/off button", [] { return new OnOffButPage; });
