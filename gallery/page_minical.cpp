// Gallery page: month calendars in the four languages with one first day of the week for
// all, holidays the user adds, and the date and holiday of the calendar clicked last.
#include "Gallery.h"

#include "minical/QOR_MiniCal.h"

#include <QCheckBox>
#include <QComboBox>
#include <QDateEdit>
#include <QGridLayout>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QVBoxLayout>

using namespace qor;

namespace {

class MiniCalPage : public QWidget {
public:
    MiniCalPage()
    {
        auto* top = new QVBoxLayout(this);
        top->addWidget(new QLabel("Click a day, \"<\" \">\" for a month, \"<<\" \">>\" for a year, \"#\" for today. "
                                  "Hover a holiday for its name."));

        auto* grid = new QGridLayout;
        top->addLayout(grid, 1);
        const TLanguage langs[4] = {lgEnglish, lgGerman, lgFrench, lgSpanish};
        const char* names[4] = {"English", "German", "French", "Spanish"};
        for (int i = 0; i < 4; ++i) {
            auto* box = new QVBoxLayout;
            box->addWidget(new QLabel(names[i]));
            auto* cal = new TMiniCal;
            cal->SetLanguage(langs[i]);
            cal->setMinimumSize(240, 150);
            cal->OnChange = [this, cal](TObject*) { showState(cal); };
            box->addWidget(cal, 1);
            grid->addLayout(box, i / 2, i % 2);
            cals.push_back(cal);
        }
        // Some variety: the French calendar spells the months out, the Spanish one is flat.
        cals[2]->SetShowMonthShort(false);
        cals[3]->SetCtl3D(false);

        auto* options = new QHBoxLayout;
        top->addLayout(options);
        options->addWidget(new QLabel("First day of the week:"));
        auto* firstDay = new QComboBox;
        firstDay->addItems({"Monday", "Tuesday", "Wednesday", "Thursday", "Friday", "Saturday", "Sunday"});
        connect(firstDay, &QComboBox::currentIndexChanged, this, [this](int i) {
            for (TMiniCal* c : cals)
                c->SetFirstDayOfWeek(TDayOfWeek(i));
        });
        options->addWidget(firstDay);
        auto* movable = new QCheckBox("movable feasts");
        movable->setChecked(true);
        connect(movable, &QCheckBox::toggled, this, [this](bool on) {
            for (TMiniCal* c : cals)
                c->SetShowMovableHolidays(on);
        });
        options->addWidget(movable);
        auto* indicate = new QCheckBox("indicate holidays");
        indicate->setChecked(true);
        connect(indicate, &QCheckBox::toggled, this, [this](bool on) {
            for (TMiniCal* c : cals)
                c->SetIndicateHolidays(on);
        });
        options->addWidget(indicate);
        auto* today = new QCheckBox("mark today");
        today->setChecked(true);
        connect(today, &QCheckBox::toggled, this, [this](bool on) {
            for (TMiniCal* c : cals)
                c->SetMarkToday(on);
        });
        options->addWidget(today);
        auto* autoSwitch = new QCheckBox("switch month on neighbours' days");
        autoSwitch->setChecked(true);
        connect(autoSwitch, &QCheckBox::toggled, this, [this](bool on) {
            for (TMiniCal* c : cals)
                c->SetAutoSwitch(on);
        });
        options->addWidget(autoSwitch);
        options->addStretch(1);

        auto* add = new QHBoxLayout;
        top->addLayout(add);
        add->addWidget(new QLabel("Holiday:"));
        auto* date = new QDateEdit(QDate::currentDate().addDays(3));
        date->setDisplayFormat("yyyy-MM-dd");
        add->addWidget(date);
        auto* caption = new QLineEdit("Company outing");
        add->addWidget(caption, 1);
        auto* every = new QCheckBox("every year");
        add->addWidget(every);
        auto* addBtn = new QPushButton("Add to all");
        connect(addBtn, &QPushButton::clicked, this, [this, date, caption, every] {
            const QDate d = date->date();
            for (TMiniCal* c : cals) {
                if (every->isChecked())
                    c->AddRepeatHoliday(d.day(), d.month(), caption->text());
                else
                    c->AddHoliday(d.day(), d.month(), d.year(), caption->text());
            }
            info->setText(QString("%1 holidays in the list").arg(cals[0]->NumHolidays()));
        });
        add->addWidget(addBtn);
        auto* reset = new QPushButton("Built-in only");
        connect(reset, &QPushButton::clicked, this, [this] {
            // Setting the language rebuilds the list from the built-in holidays.
            for (TMiniCal* c : cals)
                c->SetLanguage(c->Language());
            info->setText(QString("%1 holidays in the list").arg(cals[0]->NumHolidays()));
        });
        add->addWidget(reset);

        info = new QLabel;
        top->addWidget(info);
        // A sample holiday of our own, so the page shows one from the start.
        const QDate soon = QDate::currentDate().addDays(1);
        for (TMiniCal* c : cals)
            c->AddHoliday(soon.day(), soon.month(), soon.year(), "Gallery day");
        showState(cals[0]);
    }

private:
    void showState(TMiniCal* c)
    {
        QString caption;
        const bool holiday = c->CheckHoliday(c->Year(), c->Month(), c->Day(), caption);
        info->setText(QString("Date: %1%2")
                          .arg(QDate(c->Year(), c->Month(), c->Day()).toString(Qt::ISODate),
                               holiday ? QString(" (%1)").arg(caption) : QString()));
    }

    std::vector<TMiniCal*> cals;
    QLabel* info = nullptr;
};

} // namespace

QOR_GALLERY_PAGE("Month calendar", [] { return new MiniCalPage; });
