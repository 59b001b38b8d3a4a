// Gallery page: seven-segment displays from 10 to 200 pixels high, to judge the strokes at
// every size (the cells are shrunk from one large master digit).
#include "Gallery.h"

#include "displays/QOR_sevenseg.h"

#include <QGridLayout>
#include <QHBoxLayout>
#include <QLabel>
#include <QVBoxLayout>
#include <algorithm>

using namespace qor;

namespace {

class SevenSegSizesPage : public QWidget {
public:
    SevenSegSizesPage()
    {
        auto* top = new QVBoxLayout(this);
        top->addWidget(new QLabel("Seven-segment displays from 10 to 200 pixels high: each cell is the large "
                                  "master digit shrunk by area averaging, so strokes stay even at every size."));
        auto* row = new QHBoxLayout;
        top->addLayout(row, 1);

        auto* small = new QGridLayout;
        int r = 0;
        for (int h : {10, 12, 14, 17, 20, 24, 28, 34, 40, 48, 56, 66, 80}) {
            small->addWidget(new QLabel(QString("%1 px").arg(h)), r, 0);
            small->addWidget(make(h, r % 2 ? "-8.0:5" : "12.34\u00B0", r % 3 == 2 ? 0x00FF00 : 0x0000FF), r, 1,
                             Qt::AlignLeft | Qt::AlignVCenter);
            ++r;
        }
        small->setRowStretch(r, 1);
        row->addLayout(small);

        auto* large = new QVBoxLayout;
        for (int h : {120, 200}) {
            large->addWidget(new QLabel(QString("%1 px").arg(h)));
            large->addWidget(make(h, h == 120 ? "AF.07" : "3.14", 0x00B0FF), 0, Qt::AlignLeft);
        }
        large->addStretch();
        row->addLayout(large);
        row->addStretch();
    }

private:
    TSevenSeg* make(int height, const char* caption, TColor text)
    {
        const QString c = QString::fromUtf8(caption);
        int digits = 0;
        for (int i = 0; i < c.size(); ++i)
            if (c[i] != u'.' || i == 0 || c[i - 1] == u'.')
                ++digits;
        auto* s = new TSevenSeg(this);
        // A margin of a tenth of the height frames the digits at every size.
        const int margin = std::max(1, height / 10);
        const int cellWidth = height * 3 / 4;
        s->SetBounds(0, 0, 2 * margin + digits * (cellWidth + 2), height + 2 * margin);
        s->SetMargin(margin);
        s->SetInterDigDist(std::max(1, height / 20));
        s->SetNumDigits(digits);
        s->SetColorText(text);
        s->SetColorBackGnd(0x202020);
        s->SetCaption(c);
        return s;
    }
};

} // namespace

QOR_GALLERY_PAGE("Seven-segment sizes", [] { return new SevenSegSizesPage; });
