// Gallery page: TNumIO fields in every input format, with their value and OnChange count.
#include "Gallery.h"
#include "numio/QOR_NumIO.h"

#include <QCheckBox>
#include <QGridLayout>
#include <QLabel>
#include <QVBoxLayout>

using namespace qor;

namespace {

struct FieldSetup {
    const char* title;
    TInFormat format;
    double low;
    double high;
    double initial;
};

class NumIOPage : public QWidget {
public:
    NumIOPage()
    {
        auto* outer = new QVBoxLayout(this);
        auto* intro = new QLabel(QStringLiteral(
            "Type into the fields: a keystroke that leaves no number in the format and range is undone."));
        intro->setWordWrap(true);
        outer->addWidget(intro);

        auto* grid = new QGridLayout;
        grid->addWidget(bold(QStringLiteral("Format")), 0, 0);
        grid->addWidget(bold(QStringLiteral("Range")), 0, 1);
        grid->addWidget(bold(QStringLiteral("Field")), 0, 2);
        grid->addWidget(bold(QStringLiteral("Value")), 0, 3);
        grid->addWidget(bold(QStringLiteral("OnChange")), 0, 4);

        const FieldSetup setups[] = {
            {"itDynamic ($hex, %bin, &oct)", itDynamic, -1e6, 1e6, 255},
            {"itExp", itExp, -1e300, 1e300, 1234.5},
            {"itFloat", itFloat, -1000, 1000, 3.25},
            {"itFixPoint, 3 places", itFixPoint, 0, 100, 12.5},
            {"itInt", itInt, -50, 50, 42},
            {"itHex", itHex, 0, 65535, 48879},
            {"itOct", itOct, 0, 4095, 511},
            {"itBin", itBin, 0, 255, 5},
        };
        int row = 1;
        for (const FieldSetup& s : setups) {
            auto* field = new TNumIO(this);
            field->setObjectName(QString::fromLatin1(s.title));
            field->SetInputFormat(s.format);
            field->SetFixPointDecPlaces(3);
            field->SetRangeHigh(s.high);
            field->SetRangeLow(s.low);
            field->SetValue(s.initial);
            field->setFixedWidth(200);
            m_fields.push_back(field);

            auto* value = new QLabel;
            auto* count = new QLabel(QStringLiteral("0"));
            value->setMinimumWidth(110);
            auto changes = std::make_shared<int>(0);
            auto show = [field, value] { value->setText(QString::number(field->Value(), 'g', 10)); };
            show();
            field->OnChange = [show, count, changes](TObject*) {
                ++*changes;
                count->setText(QString::number(*changes));
                show();
            };

            grid->addWidget(new QLabel(QString::fromLatin1(s.title)), row, 0);
            grid->addWidget(new QLabel(QStringLiteral("%1 .. %2").arg(s.low, 0, 'g', 4).arg(s.high, 0, 'g', 6)), row, 1);
            grid->addWidget(field, row, 2);
            grid->addWidget(value, row, 3);
            grid->addWidget(count, row, 4);
            ++row;
        }
        grid->setColumnStretch(5, 1);
        outer->addLayout(grid);

        auto* beep = new QCheckBox(QStringLiteral("Beep when a keystroke is refused"));
        connect(beep, &QCheckBox::toggled, this, [this](bool on) {
            for (TNumIO* f : m_fields)
                f->SetBeep(on);
        });
        outer->addWidget(beep);
        outer->addStretch(1);
    }

private:
    static QLabel* bold(const QString& text)
    {
        auto* l = new QLabel(text);
        QFont f = l->font();
        f.setBold(true);
        l->setFont(f);
        return l;
    }

    std::vector<TNumIO*> m_fields;
};

} // namespace

QOR_GALLERY_PAGE("NumIO", [] { return new NumIOPage; });
