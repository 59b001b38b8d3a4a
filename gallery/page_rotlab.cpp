// Gallery page: a rotated label turned by a slider, and a fan of labels at fixed angles.
#include "Gallery.h"

#include "displays/QOR_RotLab.h"

#include <QCheckBox>
#include <QComboBox>
#include <QGridLayout>
#include <QHBoxLayout>
#include <QLabel>
#include <QSlider>
#include <QVBoxLayout>

using namespace qor;

namespace {

class RotLabPage : public QWidget {
public:
    RotLabPage()
    {
        auto* layout = new QHBoxLayout(this);
        auto* left = new QVBoxLayout;
        layout->addLayout(left);

        lab = new TRotLab;
        lab->SetBounds(0, 0, 300, 300);
        lab->SetCaption("Turn me around");
        lab->SetTransparent(false);
        lab->SetColor(0xF0F0F0);
        lab->Font()->SetSize(16);
        lab->Font()->SetColor(0x802000);
        lab->OnClick = [this](TObject*) { info->setText(QString("OnClick at angle %1").arg(lab->TextAngle())); };
        left->addWidget(lab);

        auto* slider = new QSlider(Qt::Horizontal);
        slider->setRange(0, 359);
        slider->setValue(30);
        connect(slider, &QSlider::valueChanged, this, [this](int v) {
            lab->SetTextAngle(v);
            info->setText(QString("TextAngle %1, text origin (%2, %3), anchor (%4, %5)")
                              .arg(v).arg(lab->TextOrigin().X).arg(lab->TextOrigin().Y).arg(lab->PosX()).arg(lab->PosY()));
        });
        lab->SetTextAngle(30);
        left->addWidget(slider);
        info = new QLabel("TextAngle 30");
        left->addWidget(info);

        auto* controls = new QGridLayout;
        auto* align = new QComboBox;
        align->addItems({"taLeftJustify", "taRightJustify", "taCenter"});
        align->setCurrentIndex(int(taCenter));
        connect(align, &QComboBox::currentIndexChanged, this, [this](int i) { lab->SetAlignment(TAlignment(i)); });
        auto* aa = new QCheckBox("AntiAlias");
        aa->setChecked(true);
        connect(aa, &QCheckBox::toggled, this, [this](bool on) { lab->SetAntiAlias(on); });
        auto* enabled = new QCheckBox("Enabled");
        enabled->setChecked(true);
        connect(enabled, &QCheckBox::toggled, this, [this](bool on) { lab->SetEnabled(on); });
        auto* transparent = new QCheckBox("Transparent");
        connect(transparent, &QCheckBox::toggled, this, [this](bool on) { lab->SetTransparent(on); });
        auto* frame = new QComboBox;
        frame->addItems({"fsNone", "fsSimple", "fsLowered", "fsRaised", "fsRidge", "fsGroove"});
        frame->setCurrentIndex(int(fsLowered));
        connect(frame, &QComboBox::currentIndexChanged, this, [this](int i) { lab->SetFrameStyle(TFrameStyle(i)); });
        controls->addWidget(new QLabel("Alignment"), 0, 0);
        controls->addWidget(align, 0, 1);
        controls->addWidget(new QLabel("FrameStyle"), 1, 0);
        controls->addWidget(frame, 1, 1);
        controls->addWidget(aa, 2, 0);
        controls->addWidget(enabled, 2, 1);
        controls->addWidget(transparent, 3, 0);
        left->addLayout(controls);
        left->addStretch(1);

        // A fan: the three alignments at a few angles, the anchor marked by the label centre.
        auto* fan = new QGridLayout;
        const int angles[] = {0, 90, 180, 270, 45, 135};
        const TAlignment aligns[] = {taLeftJustify, taCenter, taRightJustify};
        for (int r = 0; r < 2; ++r)
            for (int c = 0; c < 3; ++c) {
                auto* l = new TRotLab;
                l->SetBounds(0, 0, 150, 150);
                l->SetTransparent(false);
                l->SetColor(0xFFFFFF);
                l->SetFrameStyle(fsSimple);
                l->SetAntiAlias(true);
                l->SetTextAngle(angles[r * 3 + c]);
                l->SetAlignment(aligns[c]);
                l->SetCaption(QString("%1 deg").arg(angles[r * 3 + c]));
                if (r == 1 && c == 2)
                    l->SetEnabled(false);
                fan->addWidget(l, r, c);
            }
        layout->addLayout(fan);
    }

private:
    TRotLab* lab = nullptr;
    QLabel* info = nullptr;
};

} // namespace

QOR_GALLERY_PAGE("Rotated label", [] { return new RotLabPage; });
