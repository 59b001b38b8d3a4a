// Calendar arithmetic and caption tables of the month calendar.
#include "minical/MiniCalDates_p.h"

#include "foundation/QOR_DateTime.h"

#include <algorithm>

namespace qor::minical {

int DaysInMonth(int year, int month)
{
    static constexpr int days[13] = {0, 31, 28, 31, 30, 31, 30, 31, 31, 30, 31, 30, 31};
    if (month < 1 || month > 12)
        return 0;
    return days[month] + ((month == 2 && IsLeapYear(year)) ? 1 : 0);
}

int EasterDay(int year)
{
    // Integer arithmetic with truncating division throughout, as the rule is stated.
    const int k = year / 100;
    const int a = year % 19;
    const int s = (3 * k + 3) / 4;
    const int m = 15 + s - (8 * k + 13) / 25;
    const int d = (19 * a + m) % 30;
    const int r = (d + a / 11) / 29;
    const int og = 21 + d - r;
    const int sz = 7 - (year + year / 4 + 2 - s) % 7;
    const int oe = 7 - (og - sz) % 7;
    return og + oe;
}

int MovableFeast(int year, int month, int day)
{
    int n = 0;
    switch (month) {
    case 3: n = day; break;
    case 4: n = day + 31; break;
    case 5: n = day + 61; break;
    case 6: n = day + 92; break;
    default: return -1;
    }
    const int e = EasterDay(year);
    for (int i = 0; i < NrMovableFeasts; ++i)
        if (n == e + MovableFeastOffset[i])
            return i;
    return -1;
}

namespace {
const char* const kFixedCaptions[4][NrBuiltInHolidays] = {
    {"Christmas Day", "Boxing Day", "New Year's Day", "Epiphany", "Assumption of Mary", "All Saints",
     "Immaculate Conception", "Labor Day"},
    {"Weihnachten", "Stephanitag", "Neujahrstag", "Hl. Drei Könige", "Maria Himmelfahrt", "Allerheiligen",
     "Maria Empfängnis", "Tag der Arbeit"},
    {"Noël", "Jour de boxe", "Nouvel An Jour", "Épiphanie", "Assomption", "La Toussaint",
     "Immaculée Conception", "Fête du Travail"},
    {"Navidad", "Día de San Esteban", "Día de Año Nuevo", "Epifanía", "Asunción", "Día de Todos los Santos",
     "Inmaculada Concepción", "Día del Trabajo"},
};
const char* const kFeastCaptions[4][NrMovableFeasts] = {
    {"Easter Day", "Easter Monday", "Ascension Day", "Pentecost", "Whit Monday", "Corpus Christi"},
    {"Ostersonntag", "Ostermontag", "Christi Himmelfahrt", "Pfingstsonntag", "Pfingstmontag", "Fronleichnam"},
    {"Le jour de Pâques", "Lundi de Pâques", "Ascension du Christ", "Dimanche de Pentecôte",
     "Lundi de Pentecôte", "Corpus Christi"},
    {"Domingo de Resurrección", "Lunes de Pascua", "Ascensión de Cristo", "Domingo de Pentecostés",
     "Lunes de Pentecostés", "Corpus Cristi"},
};
int langIndex(TLanguage lang) { return (lang >= lgEnglish && lang <= lgSpanish) ? int(lang) - 1 : 0; }
} // namespace

QString BuiltInHolidayCaption(TLanguage lang, int index)
{
    if (index < 0 || index >= NrBuiltInHolidays)
        return {};
    return QString::fromUtf8(kFixedCaptions[langIndex(lang)][index]);
}

QString MovableFeastCaption(TLanguage lang, int index)
{
    if (index < 0 || index >= NrMovableFeasts)
        return {};
    return QString::fromUtf8(kFeastCaptions[langIndex(lang)][index]);
}

int MonthOffset(int weekdayOfFirst, int firstDayOfWeek)
{
    const int a = ((weekdayOfFirst - firstDayOfWeek) % 7 + 7) % 7;
    return a == 0 ? -5 : 2 - a;
}

TMiniCalSizes MiniCalSizing(int clientWidth, int clientHeight, int lineWidth, bool ctl3D, bool borderSingle)
{
    const int g = std::max(0, lineWidth);
    const int border = borderSingle ? (ctl3D ? 2 : 1) : 0;
    const int f = ctl3D ? 2 : 5;
    TMiniCalSizes s;
    s.ColWidth = std::max(0, (clientWidth - 7 * g) / 8);
    s.RowHeight = std::max(0, (clientHeight - 7 * g) / 8);
    s.Row0Height = std::max(0, clientHeight + 2 * border + f - 7 * (s.RowHeight + g + 1));
    s.Col0Width = std::max(0, clientWidth + 2 * border + f - 7 * (s.ColWidth + g + 1));
    return s;
}

} // namespace qor::minical
