// Shared helpers: frames, line colours, colour and string utilities, name tables.
#include "foundation/QOR_Core.h"
#include "foundation/QOR_Graphics.h"

namespace qor {

QString ComponentMessage(const QString& name, const QString& problem)
{
    return QStringLiteral("Component \"") + name + QStringLiteral("\": ") + problem;
}

int FrameWidth(TFrameStyle style)
{
    switch (style) {
    case fsNone: return 0;
    case fsRidge:
    case fsGroove: return 2;
    default: return 1;
    }
}

namespace {

// Horizontal (y1 == y2) or vertical run from the smaller to the larger coordinate,
// both ends included; LineTo leaves out its end point, hence the one-pixel extension.
void run(TCanvas* c, TColor col, int x1, int y1, int x2, int y2)
{
    c->Pen()->SetColor(col);
    c->MoveTo(x1, y1);
    if (y1 == y2)
        c->LineTo(x2 + 1, y2);
    else
        c->LineTo(x2, y2 + 1);
}

// One ring: top and left in `tl`, bottom and right in `br`.
void ring(TCanvas* c, int l, int t, int r, int b, TColor tl, TColor br)
{
    if (r < l || b < t)
        return;
    run(c, tl, l, t, r, t);
    run(c, tl, l, t, l, b);
    run(c, br, l, b, r, b);
    run(c, br, r, t, r, b);
}

} // namespace

void DrawFrame(TCanvas* canvas, TFrameStyle frameStyle, int left, int top, int right, int bottom,
               TColor colHigh, TColor /*colLight*/, TColor colShadow, TColor /*colDark*/, TColor colLine)
{
    if (!canvas || frameStyle == fsNone)
        return;
    const TColor oldColor = canvas->Pen()->Color();
    const int oldWidth = canvas->Pen()->Width();
    const TPenStyle oldStyle = canvas->Pen()->Style();
    const TPenMode oldMode = canvas->Pen()->Mode();
    const TPoint oldPos = canvas->PenPos();
    canvas->Pen()->SetWidth(1);
    canvas->Pen()->SetStyle(psSolid);
    canvas->Pen()->SetMode(pmCopy);
    switch (frameStyle) {
    case fsSimple: {
        // One line in the line colour when a caller gives one (a symbol colour, a style's
        // border), otherwise in the shadow grey; five zeros (a mask) give black either way.
        const TColor line = colLine != 0 ? colLine : colShadow;
        ring(canvas, left, top, right, bottom, line, line);
        break;
    }
    case fsLowered:
        ring(canvas, left, top, right, bottom, colShadow, colHigh);
        break;
    case fsRaised:
        ring(canvas, left, top, right, bottom, colHigh, colShadow);
        break;
    case fsRidge:
        ring(canvas, left, top, right, bottom, colHigh, colShadow);
        ring(canvas, left + 1, top + 1, right - 1, bottom - 1, colShadow, colHigh);
        break;
    case fsGroove:
        ring(canvas, left, top, right, bottom, colShadow, colHigh);
        ring(canvas, left + 1, top + 1, right - 1, bottom - 1, colHigh, colShadow);
        break;
    default:
        break;
    }
    canvas->Pen()->SetColor(oldColor);
    canvas->Pen()->SetWidth(oldWidth);
    canvas->Pen()->SetStyle(oldStyle);
    canvas->Pen()->SetMode(oldMode);
    canvas->SetPenPos(oldPos);
}

TLineColors LineColorsForScheme(TColorScheme scheme)
{
    TLineColors c;
    if (scheme != csFixed) {
        c.Gray = clBtnShadow;
        c.White = clBtnHighlight;
    }
    return c;
}

TColor MeanColor(TColor a, TColor b)
{
    const TColor x = ColorToRGB(a), y = ColorToRGB(b);
    return RGB((GetRValue(x) + GetRValue(y)) / 2, (GetGValue(x) + GetGValue(y)) / 2,
               (GetBValue(x) + GetBValue(y)) / 2);
}

int NumberedPos(const QString& sub, const QString& s, int start, int n, bool ignoreCase)
{
    if (sub.isEmpty() || n < 1)
        return 0;
    int from = qMax(0, start - 1);
    const Qt::CaseSensitivity cs = ignoreCase ? Qt::CaseInsensitive : Qt::CaseSensitive;
    for (int k = 0; k < n; ++k) {
        const int at = s.indexOf(sub, from, cs);
        if (at < 0)
            return 0;
        if (k == n - 1)
            return at + 1;
        from = at + 1;
    }
    return 0;
}

QString ReplaceCharInString(const QString& s, QChar oldChar, QChar newChar)
{
    QString r = s;
    r.replace(oldChar, newChar);
    return r;
}

QString RemoveControlChars(const QString& s)
{
    QString r;
    r.reserve(s.size());
    for (QChar c : s)
        if (c.unicode() >= 32 && c.unicode() != 127)
            r.append(c);
    return r;
}

namespace {
const char* const kWeekDays[4][7] = {
    {"Mo", "Tu", "We", "Th", "Fr", "Sa", "Su"},
    {"Mo", "Di", "Mi", "Do", "Fr", "Sa", "So"},
    {"Lu", "Ma", "Me", "Je", "Ve", "Sa", "Di"},
    {"Lu", "Ma", "Mi", "Ju", "Vi", "Sá", "Do"},
};
const char* const kMonthsShort[4][12] = {
    {"Jan", "Feb", "Mar", "Apr", "May", "Jun", "Jul", "Aug", "Sep", "Oct", "Nov", "Dec"},
    {"Jan", "Feb", "Mär", "Apr", "Mai", "Jun", "Jul", "Aug", "Sep", "Okt", "Nov", "Dez"},
    {"jan", "fév", "mar", "avr", "mai", "jun", "jul", "aoû", "sep", "oct", "nov", "déc"},
    {"ene", "feb", "mar", "abr", "may", "jun", "jul", "ago", "sep", "oct", "nov", "dic"},
};
const char* const kMonthsLong[4][12] = {
    {"January", "February", "March", "April", "May", "June", "July", "August", "September", "October",
     "November", "December"},
    {"Januar", "Februar", "März", "April", "Mai", "Juni", "Juli", "August", "September", "Oktober",
     "November", "Dezember"},
    {"janvier", "février", "mars", "avril", "mai", "juin", "juillet", "août", "septembre", "octobre",
     "novembre", "décembre"},
    {"enero", "febrero", "marzo", "abril", "mayo", "junio", "julio", "agosto", "septiembre", "octubre",
     "noviembre", "diciembre"},
};
int langIndex(TLanguage lang) { return (lang >= lgEnglish && lang <= lgSpanish) ? int(lang) - 1 : 0; }
} // namespace

QString WeekDayShort(TLanguage lang, int day)
{
    if (day < 0 || day > 6)
        return {};
    return QString::fromUtf8(kWeekDays[langIndex(lang)][day]);
}

QString MonthShort(TLanguage lang, int month)
{
    if (month < 1 || month > 12)
        return {};
    return QString::fromUtf8(kMonthsShort[langIndex(lang)][month - 1]);
}

QString MonthLong(TLanguage lang, int month)
{
    if (month < 1 || month > 12)
        return {};
    return QString::fromUtf8(kMonthsLong[langIndex(lang)][month - 1]);
}

} // namespace qor
