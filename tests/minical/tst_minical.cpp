// The month calendar's model: Easter and the feasts, the date parts and their refusals,
// month and year steps, the holiday list, the layout of the day block and the hint.
#include "tst_minical_util.h"

#include "foundation/QOR_IntMatrix.h"

#include <QHelpEvent>
#include <QMetaProperty>
#include <QRandomGenerator>
#include <QToolTip>
#include <cmath>
#include <limits>

using namespace qor;

class TestMiniCal : public QObject {
    Q_OBJECT

private slots:
    void initTestCase() { QLocale::setDefault(QLocale::c()); }
    void easterAndFeastsEveryYear();
    void easterKnownDates_data();
    void easterKnownDates();
    void dateParts_data();
    void dateParts();
    void layout_data();
    void layout();
    void randomSteps();
    void holidayRules();
    void captionsByLanguage_data();
    void captionsByLanguage();
    void languageSwitchDropsAdded();
    void retrieveAndClear();
    void eventsAndReads();
    void holidayHintAsToolTip();
    void publishedProperties();
    void intMatrix();
    void dateTimeConversion_data();
    void dateTimeConversion();
};

namespace {

// Easter Sunday by the anonymous Gregorian algorithm (Meeus/Jones/Butcher), written apart
// from the calendar's own rule.
QDate anonymousEaster(int y)
{
    const int a = y % 19, b = y / 100, c = y % 100, d = b / 4, e = b % 4;
    const int f = (b + 8) / 25, g = (b - f + 1) / 3, h = (19 * a + b - d - g + 15) % 30;
    const int i = c / 4, k = c % 4, l = (32 + 2 * e + 2 * i - h - k) % 7;
    const int m = (a + 11 * h + 22 * l) / 451;
    const int month = (h + l - 7 * m + 114) / 31;
    const int day = (h + l - 7 * m + 114) % 31 + 1;
    return QDate(y, month, day);
}

const char* const kFeastsEn[6] = {"Easter Day", "Easter Monday", "Ascension Day", "Pentecost", "Whit Monday",
                                  "Corpus Christi"};
const int kFeastOffsets[6] = {0, 1, 39, 49, 50, 60};

} // namespace

void TestMiniCal::easterAndFeastsEveryYear()
{
    TMiniCal cal;
    cal.ClearHolidayList(); // 1 May can be Ascension; only the feasts are asked for here
    QString caption;
    for (int y = 1583; y <= 4099; ++y) {
        const QDate easter = anonymousEaster(y);
        QMap<QDate, QString> expected;
        for (int i = 0; i < 6; ++i)
            expected.insert(easter.addDays(kFeastOffsets[i]), QString::fromUtf8(kFeastsEn[i]));
        // Every day of March to June: exactly the six feasts, each with its caption.
        for (QDate d(y, 3, 1); d <= QDate(y, 6, 30); d = d.addDays(1)) {
            const bool is = cal.CheckHoliday(y, d.month(), d.day(), caption);
            const auto it = expected.constFind(d);
            if (is != (it != expected.constEnd()) || (is && caption != *it))
                QFAIL(qPrintable(QStringLiteral("%1: got %2 \"%3\"").arg(d.toString(Qt::ISODate)).arg(is).arg(caption)));
        }
        // All six feasts always fall in March to June.
        QVERIFY(easter.addDays(60).month() <= 6 && easter.month() >= 3);
    }
}

void TestMiniCal::easterKnownDates_data()
{
    QTest::addColumn<QDate>("date");
    QTest::addColumn<QString>("caption");
    QTest::newRow("Easter 2016") << QDate(2016, 3, 27) << "Easter Day";
    QTest::newRow("Easter 2019") << QDate(2019, 4, 21) << "Easter Day";
    QTest::newRow("Easter 2000") << QDate(2000, 4, 23) << "Easter Day";
    QTest::newRow("Easter 2038") << QDate(2038, 4, 25) << "Easter Day";
    QTest::newRow("Whit Monday 2016") << QDate(2016, 5, 16) << "Whit Monday";
    QTest::newRow("Corpus Christi 2016") << QDate(2016, 5, 26) << "Corpus Christi";
    QTest::newRow("Saturday before Easter 2016") << QDate(2016, 3, 26) << "";
    QTest::newRow("Corpus Christi 2016 + 1") << QDate(2016, 5, 27) << "";
}

void TestMiniCal::easterKnownDates()
{
    QFETCH(QDate, date);
    QFETCH(QString, caption);
    TMiniCal cal;
    QString got = "stale";
    QCOMPARE(cal.CheckHoliday(date.year(), date.month(), date.day(), got), !caption.isEmpty());
    QCOMPARE(got, caption); // emptied first when no holiday
}

// op: the call; arg: its argument; expected: the date afterwards (invalid: EQORConvertError,
// date unchanged); changes: OnChange count.
void TestMiniCal::dateParts_data()
{
    QTest::addColumn<QDate>("start");
    QTest::addColumn<QString>("op");
    QTest::addColumn<int>("arg");
    QTest::addColumn<QDate>("expected");
    QTest::addColumn<int>("changes");
    const QDate bad;
    QTest::newRow("next month from 31 Jan, leap") << QDate(2016, 1, 31) << "next" << 0 << QDate(2016, 2, 29) << 1;
    QTest::newRow("next month from 31 Jan") << QDate(2017, 1, 31) << "next" << 0 << QDate(2017, 2, 28) << 1;
    QTest::newRow("next month over the year") << QDate(2016, 12, 31) << "next" << 0 << QDate(2017, 1, 31) << 1;
    QTest::newRow("prev month from 31 Mar, leap") << QDate(2016, 3, 31) << "prev" << 0 << QDate(2016, 2, 29) << 1;
    QTest::newRow("prev month over the year") << QDate(2016, 1, 15) << "prev" << 0 << QDate(2015, 12, 15) << 1;
    QTest::newRow("prev month from 31 May") << QDate(2016, 5, 31) << "prev" << 0 << QDate(2016, 4, 30) << 1;
    QTest::newRow("next year from 29 Feb") << QDate(2016, 2, 29) << "nextyear" << 0 << QDate(2017, 2, 28) << 2;
    QTest::newRow("prev year from 29 Feb") << QDate(2016, 2, 29) << "prevyear" << 0 << QDate(2015, 2, 28) << 2;
    QTest::newRow("next year plain") << QDate(2016, 3, 1) << "nextyear" << 0 << QDate(2017, 3, 1) << 1;
    QTest::newRow("last day Feb leap") << QDate(2016, 2, 3) << "last" << 0 << QDate(2016, 2, 29) << 1;
    QTest::newRow("last day Feb 1900") << QDate(1900, 2, 3) << "last" << 0 << QDate(1900, 2, 28) << 1;
    QTest::newRow("year") << QDate(2016, 5, 6) << "year" << 1999 << QDate(1999, 5, 6) << 1;
    QTest::newRow("year negative ignored") << QDate(2016, 5, 6) << "year" << -1 << QDate(2016, 5, 6) << 0;
    QTest::newRow("year 0 raises") << QDate(2016, 5, 6) << "year" << 0 << bad << 0;
    QTest::newRow("year 10000 raises") << QDate(2016, 5, 6) << "year" << 10000 << bad << 0;
    QTest::newRow("year from 29 Feb to a common year raises") << QDate(2016, 2, 29) << "year" << 2017 << bad << 0;
    QTest::newRow("month") << QDate(2016, 5, 6) << "month" << 12 << QDate(2016, 12, 6) << 1;
    QTest::newRow("month 13 ignored") << QDate(2016, 5, 6) << "month" << 13 << QDate(2016, 5, 6) << 0;
    QTest::newRow("month -1 ignored") << QDate(2016, 5, 6) << "month" << -1 << QDate(2016, 5, 6) << 0;
    QTest::newRow("month 0 raises") << QDate(2016, 5, 6) << "month" << 0 << bad << 0;
    QTest::newRow("month 2 on the 31st raises") << QDate(2016, 1, 31) << "month" << 2 << bad << 0;
    QTest::newRow("day") << QDate(2016, 2, 6) << "day" << 29 << QDate(2016, 2, 29) << 1;
    QTest::newRow("day beyond the month ignored") << QDate(2016, 2, 6) << "day" << 30 << QDate(2016, 2, 6) << 0;
    QTest::newRow("day -1 ignored") << QDate(2016, 2, 6) << "day" << -1 << QDate(2016, 2, 6) << 0;
    QTest::newRow("day 0 raises") << QDate(2016, 2, 6) << "day" << 0 << bad << 0;
    QTest::newRow("prev year from year 1 raises") << QDate(1, 6, 1) << "prevyear" << 0 << bad << 0;
    QTest::newRow("next year from 9999 raises") << QDate(9999, 6, 1) << "nextyear" << 0 << bad << 0;
    QTest::newRow("prev month from January of year 1 raises") << QDate(1, 1, 9) << "prev" << 0 << bad << 0;
    QTest::newRow("next month from December 9999 raises") << QDate(9999, 12, 9) << "next" << 0 << bad << 0;
    QTest::newRow("date not a number raises") << QDate(2016, 2, 6) << "nan" << 0 << bad << 0;
    QTest::newRow("date beyond 9999 raises") << QDate(2016, 2, 6) << "date" << 3000000 << bad << 0;
    QTest::newRow("date before year 1 raises") << QDate(2016, 2, 6) << "date" << -700000 << bad << 0;
    QTest::newRow("date before the epoch") << QDate(2016, 2, 6) << "date" << -1 << QDate(1899, 12, 29) << 1;
}

void TestMiniCal::dateParts()
{
    QFETCH(QDate, start);
    QFETCH(QString, op);
    QFETCH(int, arg);
    QFETCH(QDate, expected);
    QFETCH(int, changes);
    TMiniCal cal;
    cal.SetDate(ymd(start.year(), start.month(), start.day()) + 0.25);
    const TDateTime before = cal.Date();
    const int monOfsBefore = cal.MonOfs();
    ChangeCounter count(cal);
    bool raised = false;
    try {
        if (op == "next") cal.NextMonth();
        else if (op == "prev") cal.PrevMonth();
        else if (op == "nextyear") cal.NextYear();
        else if (op == "prevyear") cal.PrevYear();
        else if (op == "last") cal.LastDayOfMonth();
        else if (op == "year") cal.SetYear(arg);
        else if (op == "month") cal.SetMonth(arg);
        else if (op == "day") cal.SetDay(arg);
        else if (op == "nan") cal.SetDate(std::numeric_limits<double>::quiet_NaN());
        else if (op == "date") cal.SetDate(arg);
    } catch (const EQORConvertError&) {
        raised = true;
    }
    if (!expected.isValid()) {
        QVERIFY(raised);
        QCOMPARE(cal.Date(), before);
        QCOMPARE(cal.MonOfs(), monOfsBefore);
    } else {
        QVERIFY(!raised);
        QCOMPARE(shown(cal), expected);
        // The grid's current cell follows the date.
        QCOMPARE(cal.Col(), (expected.day() - cal.MonOfs()) % 7 + 1);
        QCOMPARE(cal.Row(), (expected.day() - cal.MonOfs()) / 7 + 2);
    }
    QCOMPARE(count.n, changes);
}

void TestMiniCal::layout_data()
{
    QTest::addColumn<QDate>("date");
    QTest::addColumn<int>("firstDay");
    QTest::addColumn<int>("monOfs");
    QTest::addColumn<int>("col");
    QTest::addColumn<int>("row");
    // May 2016 begins on a Sunday, August 2016 on a Monday, March 2016 on a Tuesday.
    QTest::newRow("Sunday first, Monday weeks") << QDate(2016, 5, 1) << int(dwMon) << -5 << 7 << 2;
    QTest::newRow("Monday first, Monday weeks") << QDate(2016, 8, 1) << int(dwMon) << 1 << 1 << 2;
    QTest::newRow("Sunday first, Sunday weeks") << QDate(2016, 5, 1) << int(dwSun) << 1 << 1 << 2;
    QTest::newRow("Monday first, Sunday weeks") << QDate(2016, 8, 1) << int(dwSun) << 0 << 2 << 2;
    QTest::newRow("Tuesday first, Monday weeks") << QDate(2016, 3, 1) << int(dwMon) << 0 << 2 << 2;
    QTest::newRow("Tuesday first, Wednesday weeks") << QDate(2016, 3, 1) << int(dwWed) << -5 << 7 << 2;
    QTest::newRow("last day, six rows") << QDate(2016, 5, 31) << int(dwMon) << -5 << 2 << 7;
    QTest::newRow("February starting Monday") << QDate(2010, 2, 28) << int(dwMon) << 1 << 7 << 5;
}

void TestMiniCal::layout()
{
    QFETCH(QDate, date);
    QFETCH(int, firstDay);
    QFETCH(int, monOfs);
    QFETCH(int, col);
    QFETCH(int, row);
    TMiniCal cal;
    cal.SetFirstDayOfWeek(TDayOfWeek(firstDay));
    cal.SetDate(ymd(date.year(), date.month(), date.day()));
    QCOMPARE(cal.MonOfs(), monOfs);
    QCOMPARE(cal.Col(), col);
    QCOMPARE(cal.Row(), row);
    // Day 1 is always in the first week row and the month fits into the six rows.
    QVERIFY(monOfs >= -5 && monOfs <= 1);
    QVERIFY(date.daysInMonth() - monOfs < 42);
}

// Thousands of seeded steps against QDate's own month and year arithmetic (which clamps the
// day to the month's end the same way), with the layout invariants checked after each.
void TestMiniCal::randomSteps()
{
    TMiniCal cal;
    QRandomGenerator rng(20161225);
    QDate expected(2016, 2, 29);
    cal.SetDate(QDateToDateTime(expected));
    for (int step = 0; step < 5000; ++step) {
        const int op = int(rng.bounded(7));
        const int arg = int(rng.bounded(-2, 34));
        try {
            switch (op) {
            case 0: cal.NextMonth(); expected = expected.addMonths(1); break;
            case 1: cal.PrevMonth(); expected = expected.addMonths(-1); break;
            case 2: cal.NextYear(); expected = expected.addYears(1); break;
            case 3: cal.PrevYear(); expected = expected.addYears(-1); break;
            case 4:
                cal.SetDay(arg);
                if (arg >= 1 && arg <= expected.daysInMonth())
                    expected.setDate(expected.year(), expected.month(), arg);
                break;
            case 5:
                cal.SetMonth(arg % 14);
                if (arg % 14 >= 1 && arg % 14 <= 12 && QDate(expected.year(), arg % 14, expected.day()).isValid())
                    expected.setDate(expected.year(), arg % 14, expected.day());
                break;
            case 6: cal.SetFirstDayOfWeek(TDayOfWeek(rng.bounded(7))); break;
            }
        } catch (const EQORConvertError&) {
            // Only an impossible date raises, and then nothing changed.
        }
        QCOMPARE(shown(cal), expected);
        const int m = cal.MonOfs();
        QVERIFY(m >= -5 && m <= 1);
        const int firstCol = (1 - m) % 7 + 1;
        QCOMPARE((firstCol - 1 + int(cal.FirstDayOfWeek())) % 7 + 1,
                 QDate(expected.year(), expected.month(), 1).dayOfWeek());
        QCOMPARE(cal.Col(), (expected.day() - m) % 7 + 1);
        QCOMPARE(cal.Row(), (expected.day() - m) / 7 + 2);
    }
}

void TestMiniCal::holidayRules()
{
    TMiniCal cal;
    QString c;
    // A user holiday on the date of a movable feast takes precedence over it.
    cal.AddHoliday(28, 3, 2016, "Mine");
    QVERIFY(cal.CheckHoliday(2016, 3, 28, c));
    QCOMPARE(c, QString("Mine"));
    QVERIFY(cal.CheckHoliday(2016, 3, 27, c));
    QCOMPARE(c, QString("Easter Day"));
    // Listed holidays are searched from the first row: the built-in one wins over a later duplicate.
    cal.AddRepeatHoliday(25, 12, "Second Christmas entry");
    QVERIFY(cal.CheckHoliday(2030, 12, 25, c));
    QCOMPARE(c, QString("Christmas Day"));
    // A one-time holiday marks its year only, a repeated one every year.
    cal.AddHoliday(24, 12, 2016, "Eve 2016");
    QVERIFY(cal.CheckHoliday(2016, 12, 24, c));
    QVERIFY(!cal.CheckHoliday(2017, 12, 24, c));
    QVERIFY(c.isEmpty());
    cal.AddRepeatHoliday(31, 12, "Silvester");
    QVERIFY(cal.CheckHoliday(1700, 12, 31, c));
    QVERIFY(cal.CheckHoliday(2999, 12, 31, c));
    QCOMPARE(c, QString("Silvester"));
    // Without the movable feasts Easter Monday is no holiday; the user's entry on it still is.
    cal.SetShowMovableHolidays(false);
    QVERIFY(!cal.CheckHoliday(2017, 4, 17, c));
    QVERIFY(cal.CheckHoliday(2016, 3, 28, c));
    QVERIFY(cal.CheckHoliday(2016, 12, 25, c));
    // Feasts are found in March to June only: none outside, whatever the year.
    cal.SetShowMovableHolidays(true);
    QVERIFY(cal.CheckHoliday(2017, 4, 17, c));
    QCOMPARE(c, QString("Easter Monday"));
    QVERIFY(!cal.CheckHoliday(2017, 7, 17, c));
}

void TestMiniCal::captionsByLanguage_data()
{
    QTest::addColumn<int>("lang");
    QTest::addColumn<QStringList>("fixed");
    QTest::addColumn<QStringList>("feasts");
    QTest::newRow("English") << 1
        << QStringList{"Christmas Day", "Boxing Day", "New Year's Day", "Epiphany", "Assumption of Mary",
                       "All Saints", "Immaculate Conception", "Labor Day"}
        << QStringList{"Easter Day", "Easter Monday", "Ascension Day", "Pentecost", "Whit Monday", "Corpus Christi"};
    QTest::newRow("German") << 2
        << QStringList{"Weihnachten", "Stephanitag", "Neujahrstag", "Hl. Drei Könige", "Maria Himmelfahrt",
                       "Allerheiligen", "Maria Empfängnis", "Tag der Arbeit"}
        << QStringList{"Ostersonntag", "Ostermontag", "Christi Himmelfahrt", "Pfingstsonntag", "Pfingstmontag",
                       "Fronleichnam"};
    QTest::newRow("French") << 3
        << QStringList{"Noël", "Jour de boxe", "Nouvel An Jour", "Épiphanie", "Assomption", "La Toussaint",
                       "Immaculée Conception", "Fête du Travail"}
        << QStringList{"Le jour de Pâques", "Lundi de Pâques", "Ascension du Christ", "Dimanche de Pentecôte",
                       "Lundi de Pentecôte", "Corpus Christi"};
    QTest::newRow("Spanish") << 4
        << QStringList{"Navidad", "Día de San Esteban", "Día de Año Nuevo", "Epifanía", "Asunción",
                       "Día de Todos los Santos", "Inmaculada Concepción", "Día del Trabajo"}
        << QStringList{"Domingo de Resurrección", "Lunes de Pascua", "Ascensión de Cristo", "Domingo de Pentecostés",
                       "Lunes de Pentecostés", "Corpus Cristi"};
}

void TestMiniCal::captionsByLanguage()
{
    QFETCH(int, lang);
    QFETCH(QStringList, fixed);
    QFETCH(QStringList, feasts);
    const int fixedDays[8][2] = {{25, 12}, {26, 12}, {1, 1}, {6, 1}, {15, 8}, {1, 11}, {8, 12}, {1, 5}};
    TMiniCal cal;
    cal.SetLanguage(TLanguage(lang));
    QCOMPARE(cal.NumHolidays(), 8);
    for (int i = 0; i < 8; ++i) {
        int d = 0, m = 0, y = 0;
        bool rep = false;
        QString text;
        QVERIFY(cal.RetrieveHoliday(i + 1, d, m, y, rep, text));
        QCOMPARE(d, fixedDays[i][0]);
        QCOMPARE(m, fixedDays[i][1]);
        QCOMPARE(y, MiniCalEveryYear);
        QVERIFY(rep);
        QCOMPARE(text, fixed[i]);
    }
    // Easter 2016 is 27 March.
    const QDate easter(2016, 3, 27);
    for (int i = 0; i < 6; ++i) {
        const QDate d = easter.addDays(kFeastOffsets[i]);
        QString c;
        QVERIFY(cal.CheckHoliday(d.year(), d.month(), d.day(), c));
        QCOMPARE(c, feasts[i]);
    }
}

void TestMiniCal::languageSwitchDropsAdded()
{
    TMiniCal cal;
    cal.AddRepeatHoliday(24, 12, "Christmas Eve");
    cal.AddHoliday(3, 10, 2016, "Unity");
    QCOMPARE(cal.NumHolidays(), 10);
    cal.SetLanguage(lgGerman);
    QCOMPARE(cal.NumHolidays(), 8);
    QString c;
    QVERIFY(!cal.CheckHoliday(2016, 12, 24, c));
    QVERIFY(!cal.CheckHoliday(2016, 10, 3, c));
    QVERIFY(cal.CheckHoliday(2016, 12, 25, c));
    QCOMPARE(c, QString("Weihnachten"));
    // A language outside the four gets the English captions.
    cal.SetLanguage(TLanguage(9));
    QVERIFY(cal.CheckHoliday(2016, 12, 25, c));
    QCOMPARE(c, QString("Christmas Day"));
    QVERIFY(cal.CheckHoliday(2016, 3, 27, c));
    QCOMPARE(c, QString("Easter Day"));
}

void TestMiniCal::retrieveAndClear()
{
    TMiniCal cal;
    cal.AddHoliday(3, 10, 2016, "Unity");
    int d = -1, m = -1, y = -1;
    bool rep = true;
    QString text = "keep";
    QVERIFY(cal.RetrieveHoliday(9, d, m, y, rep, text));
    QCOMPARE(QList<int>({d, m, y}), QList<int>({3, 10, 2016}));
    QVERIFY(!rep);
    QCOMPARE(text, QString("Unity"));
    for (int bad : {0, -1, 10}) {
        d = m = y = -7;
        text = "keep";
        QVERIFY(!cal.RetrieveHoliday(bad, d, m, y, rep, text));
        QCOMPARE(QList<int>({d, m, y}), QList<int>({-7, -7, -7}));
        QCOMPARE(text, QString("keep"));
    }
    cal.ClearHolidayList();
    QCOMPARE(cal.NumHolidays(), 0);
    QString c;
    QVERIFY(!cal.CheckHoliday(2016, 12, 25, c));
    QVERIFY(cal.CheckHoliday(2016, 3, 27, c)); // the feasts are not in the list
    cal.AddRepeatHoliday(25, 12, "Again");
    QCOMPARE(cal.NumHolidays(), 1);
    QVERIFY(cal.CheckHoliday(2016, 12, 25, c));
    QCOMPARE(c, QString("Again"));
}

void TestMiniCal::eventsAndReads()
{
    TMiniCal cal;
    cal.SetDate(ymd(2016, 7, 5));
    ChangeCounter count(cal);
    QCOMPARE(cal.DayColors(dwSat), TColor(0xBBDDEE));
    QCOMPARE(cal.DayColors(dwSun), TColor(0xCCEEFF));
    QCOMPARE(cal.DayColors(dwWed), TColor(0xF8F8F8));
    QCOMPARE(count.n, 0); // reading fires nothing
    cal.SetDayColors(dwSat, 0x123456);
    QCOMPARE(cal.DayColors(dwSat), TColor(0x123456));
    QCOMPARE(count.n, 1);
    cal.SetDayColors(TDayOfWeek(7), 0x111111); // no such weekday
    QCOMPARE(count.n, 1);
    cal.SetFirstDayOfWeek(dwMon); // unchanged: no event
    QCOMPARE(count.n, 1);
    cal.SetFirstDayOfWeek(dwSun);
    QCOMPARE(count.n, 2);
    cal.SetDate(cal.Date()); // a date write always fires
    QCOMPARE(count.n, 3);
    // Settings that only repaint fire nothing.
    cal.SetColorHolidayBg(0x00FF00);
    cal.SetIndicateHolidays(false);
    cal.SetShowMonthShort(false);
    cal.SetMarkToday(false);
    cal.AddHoliday(1, 1, 2000, "x");
    cal.SetLanguage(lgFrench);
    QCOMPARE(count.n, 3);
    // The time of day stays stored but a date part write drops it.
    cal.SetDate(ymd(2016, 7, 5) + 0.75);
    QCOMPARE(cal.Date(), ymd(2016, 7, 5) + 0.75);
    cal.SetDay(6);
    QCOMPARE(cal.Date(), ymd(2016, 7, 6));
}

void TestMiniCal::holidayHintAsToolTip()
{
    TMiniCal cal;
    cal.resize(300, 180);
    cal.show();
    QVERIFY(QTest::qWaitForWindowExposed(&cal));
    cal.SetDate(ymd(2016, 12, 25));
    QCOMPARE(cal.Hint(), QString("Christmas Day"));
    QCOMPARE(cal.viewport()->toolTip(), QString("Christmas Day"));
    const QPoint at = cal.viewport()->rect().center();
    QHelpEvent help(QEvent::ToolTip, at, cal.viewport()->mapToGlobal(at));
    QApplication::sendEvent(cal.viewport(), &help);
    QTRY_COMPARE(QToolTip::text(), QString("Christmas Day"));
    QToolTip::hideText();
    cal.SetDate(ymd(2016, 12, 27));
    QCOMPARE(cal.Hint(), QString());
    cal.SetDate(ymd(2016, 3, 28));
    QCOMPARE(cal.Hint(), QString("Easter Monday"));
    cal.SetIndicateHolidays(false);
    QCOMPARE(cal.Hint(), QString());
    cal.SetIndicateHolidays(true);
    QCOMPARE(cal.Hint(), QString("Easter Monday"));
    // ShowHint off hides the tooltip; switching the holiday hint on turns it back on.
    cal.SetShowHint(false);
    QCOMPARE(cal.viewport()->toolTip(), QString());
    cal.SetShowHolidayHint(true);
    QVERIFY(cal.ShowHint());
    QCOMPARE(cal.viewport()->toolTip(), QString("Easter Monday"));
    // Without the holiday hint the application's own hint stays.
    cal.SetShowHolidayHint(false);
    QCOMPARE(cal.Hint(), QString());
    cal.SetHint("mine");
    cal.SetDate(ymd(2016, 12, 25));
    QCOMPARE(cal.Hint(), QString("mine"));
}

void TestMiniCal::publishedProperties()
{
    TMiniCal cal;
    const QMetaObject* mo = cal.metaObject();
    struct Def {
        const char* name;
        QVariant value;
    };
    const Def defs[] = {
        {"AutoSwitch", true}, {"ColorActiveMonth", 0x000000u}, {"ColorInactiveMonth", 0xC0C0C0u},
        {"ColorWeekNoBg", 0xC0C0C0u}, {"ColorWeekNoFg", 0x000000u}, {"ColorDayIdBg", 0xC0C0C0u},
        {"ColorDayIdFg", 0x000000u}, {"ColorSelectedBg", 0xD0A040u}, {"ColorSelectedFg", 0xFFFFFFu},
        {"ColorHolidayBg", 0x9BD8F1u}, {"ColorHolidayFg", 0x0000C0u}, {"ColorToday", 0x0000FFu},
        {"Ctl3D", true}, {"IndicateHolidays", true}, {"MarkToday", true}, {"ShowHolidayHint", true},
        {"ShowMonthShort", true}, {"ShowMovableHolidays", true},
    };
    for (const Def& d : defs) {
        const int i = mo->indexOfProperty(d.name);
        QVERIFY2(i >= 0, d.name);
        QVERIFY2(mo->property(i).isWritable(), d.name);
        QCOMPARE(cal.property(d.name).toUInt(), d.value.toUInt());
    }
    const QMetaProperty fdow = mo->property(mo->indexOfProperty("FirstDayOfWeek"));
    QVERIFY(fdow.isEnumType());
    QCOMPARE(fdow.enumerator().valueToKey(6), "dwSun");
    QVERIFY(cal.setProperty("FirstDayOfWeek", QVariant::fromValue(dwTue)));
    QCOMPARE(cal.FirstDayOfWeek(), dwTue);
    QCOMPARE(int(cal.Language()), 1);
    const QDate today = QDate::currentDate();
    QVERIFY(std::abs(cal.Date() - QDateToDateTime(today)) < 2);
    for (const char* p : {"Year", "Month", "Day"}) {
        const QMetaProperty mp = mo->property(mo->indexOfProperty(p));
        QVERIFY(!mp.isStored());
    }
    QVERIFY(cal.setProperty("Year", 2004));
    QCOMPARE(cal.Year(), 2004);
    QCOMPARE(cal.sizeHint(), QSize(300, 180));
    QCOMPARE(cal.size(), QSize(300, 180));
    QCOMPARE(cal.ColCount(), 8);
    QCOMPARE(cal.RowCount(), 8);
    QCOMPARE(cal.FixedCols(), 1);
    QCOMPARE(cal.FixedRows(), 2);
    QVERIFY(!cal.DefaultDrawing());
    QVERIFY(!cal.Options().Contains(goRangeSelect));
    QVERIFY(cal.Options().Contains(goDrawFocusSelected));
    QCOMPARE(cal.ScrollBars(), ssNone);
}

void TestMiniCal::intMatrix()
{
    TIntMatrix m(3, 2);
    QCOMPARE(m.NrOfColumns(), 3);
    QCOMPARE(m.NrOfRows(), 2);
    for (int r = 1; r <= 2; ++r)
        for (int c = 1; c <= 3; ++c)
            m.SetVal(c, r, 10 * r + c);
    m.SetVal(0, 1, 99); // outside: ignored
    m.SetVal(4, 1, 99);
    m.SetVal(1, 3, 99);
    QCOMPARE(m.GetVal(0, 1), 0);
    QCOMPARE(m.GetVal(3, 3), 0);
    m.SetNRows(4);
    QCOMPARE(m.GetVal(3, 2), 23);
    QCOMPARE(m.GetVal(3, 4), 0);
    m.Resize(2, 1); // keeps what remains
    QCOMPARE(m.GetVal(1, 1), 11);
    QCOMPARE(m.GetVal(2, 1), 12);
    QCOMPARE(m.GetVal(3, 1), 0);
    m.Resize(4, 2);
    QCOMPARE(m.GetVal(2, 1), 12);
    QCOMPARE(m.GetVal(4, 2), 0);
    m.Resize(-1, -5);
    QCOMPARE(m.NrOfRows(), 0);
    QCOMPARE(m.NrOfColumns(), 0);
}

void TestMiniCal::dateTimeConversion_data()
{
    QTest::addColumn<double>("value");
    QTest::addColumn<QDateTime>("expected");
    QTest::newRow("epoch") << 0.0 << QDateTime(QDate(1899, 12, 30), QTime(0, 0));
    QTest::newRow("2000 evening") << 36526.75 << QDateTime(QDate(2000, 1, 1), QTime(18, 0));
    QTest::newRow("before the epoch") << -1.25 << QDateTime(QDate(1899, 12, 29), QTime(6, 0));
    QTest::newRow("first day") << -693593.0 << QDateTime(QDate(1, 1, 1), QTime(0, 0));
    QTest::newRow("last day") << 2958465.5 << QDateTime(QDate(9999, 12, 31), QTime(12, 0));
}

void TestMiniCal::dateTimeConversion()
{
    QFETCH(double, value);
    QFETCH(QDateTime, expected);
    QCOMPARE(DateTimeToQDateTime(value), expected);
    QCOMPARE(QDateTimeToDateTime(expected), value);
    int y = 0, m = 0, d = 0;
    DecodeDate(value, y, m, d);
    QCOMPARE(QDate(y, m, d), expected.date());
    QCOMPARE(EncodeDate(y, m, d), std::trunc(value));
    QVERIFY_THROWS_EXCEPTION(EQORConvertError, DateTimeToQDate(value < 0 ? -693594.0 : 2958466.0));
}

int main(int argc, char** argv)
{
    QApplication app(argc, argv);
    int status = 0;
    {
        TestMiniCal t;
        status |= QTest::qExec(&t, argc, argv);
    }
    {
        TestMiniCalScreen t;
        status |= QTest::qExec(&t, argc, argv);
    }
    return status;
}

#include "tst_minical.moc"
