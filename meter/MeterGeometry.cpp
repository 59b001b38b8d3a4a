// Layout geometry, value <-> angle <-> pixel mapping, scale steps and tick positions.
// Nothing here needs a widget: the meter and the tests call these directly.
#include "meter/QOR_Meter.h"
#include "meter/MeterScalePlan_p.h"

#include <algorithm>
#include <cmath>
#include <numbers>
#include <limits>

namespace qor {

using meterdetail::kDegToRad;

namespace {

// Safety nets for ranges whose ticks cannot be enumerated in floating point
// (for example a span of a few units around 1e16): the loops stop instead of hanging.
constexpr int kMaxTickIterations = 20000;

double Int(double x) { return std::trunc(x); }
double Frac(double x) { return x - std::trunc(x); }

} // namespace

int MeterRound(double x)
{
    if (std::isnan(x))
        return 0;
    constexpr double lim = 1e9;
    if (x > lim)
        return int(lim);
    if (x < -lim)
        return -int(lim);
    return int(std::nearbyint(x));  // default rounding mode: halves to even
}

int IntNeg(double x)
{
    if (std::isnan(x))
        return 0;
    const double f = std::floor(x);
    if (f > double(std::numeric_limits<int>::max()))
        return std::numeric_limits<int>::max();
    if (f < double(std::numeric_limits<int>::min()))
        return std::numeric_limits<int>::min();
    return int(f);
}

int MeterLayoutAngle(TMeterLayout layout)
{
    switch (layout) {
    case mlCirc90: return 90;
    case mlCirc120: return 120;
    case mlCirc180: return 180;
    case mlCirc270: return 270;
    case mlCirc300: return 300;
    case mlCirc360: return 360;
    }
    return 90;
}

bool MeterCenterInside(TMeterLayout layout)
{
    return layout == mlCirc270 || layout == mlCirc300 || layout == mlCirc360;
}

TMeterGeometry CalcMeterGeometry(TMeterLayout layout, int W, int H, int rimTop, int rimBottom, int rimSide)
{
    TMeterGeometry g;
    g.Radius = H - rimBottom - rimTop - 16;
    g.CenterX = W / 2;
    g.CenterY = H - rimBottom - 8;
    g.Angle = 90;
    const double innerHeight = H - rimTop - rimBottom - 16;
    switch (layout) {
    case mlCirc90:
        break;
    case mlCirc120: {
        g.Angle = 120;
        const double byWidth = (W / 2.0 - rimSide - 8) * 1.1547;
        if (byWidth < g.Radius)
            g.Radius = byWidth;
        break;
    }
    case mlCirc180: {
        // The arc reaches the centre's height on both sides: the half-width bounds R.
        g.Angle = 180;
        const double byWidth = W / 2.0 - rimSide - 8;
        if (byWidth < g.Radius)
            g.Radius = byWidth;
        break;
    }
    case mlCirc270:
    case mlCirc300:
    case mlCirc360: {
        // Centre inside the window: the arc is R high above the centre and, below it,
        // reaches R*cos(half of the uncovered gap) (cos 45 for 270, cos 30 for 300, R for 360).
        double heightInRadii = 1.866;
        g.Angle = 300;
        if (layout == mlCirc270) {
            heightInRadii = 1.7071;
            g.Angle = 270;
        } else if (layout == mlCirc360) {
            heightInRadii = 2.0;
            g.Angle = 360;
        }
        g.Radius = (W / 2) - rimSide - 8;
        const double byHeight = innerHeight / heightInRadii;
        if (byHeight < g.Radius)
            g.Radius = byHeight;
        g.CenterY = MeterRound(rimTop + 8 + g.Radius);
        break;
    }
    }
    return g;
}

// ---------------------------------------------------------------------------------------

bool TMeterScale::UsesLog(double v) const
{
    return Logarithmic && v > 0 && Min > 0 && Max > 0;
}

double TMeterScale::Fraction(double v) const
{
    if (UsesLog(v)) {
        const double den = std::log(Max) - std::log(Min);
        return den != 0 ? (std::log(v) - std::log(Min)) / den : 0.0;
    }
    // Halved operands keep the span finite for ranges near the ends of the double range.
    const double den = Max * 0.5 - Min * 0.5;
    return den != 0 ? (v * 0.5 - Min * 0.5) / den : 0.0;
}

double TMeterScale::Theta(double v) const
{
    const double A = Geo.Angle;
    return 90.0 + A / 2.0 - A * Fraction(v);
}

double TMeterScale::Clamp(double v) const
{
    if (std::isnan(v))
        return Min;
    return std::clamp(v, std::min(Min, Max), std::max(Min, Max));
}

double TMeterScale::NeedleAngle(double v) const
{
    const double A = Geo.Angle;
    return 180.0 - A / 2.0 + A * Fraction(Clamp(v));
}

TPoint TMeterScale::PixelAtAngle(double thetaDeg, double r) const
{
    const double t = thetaDeg * kDegToRad;
    return TPoint(MeterRound(Geo.CenterX + r * std::cos(t)), MeterRound(Geo.CenterY - r * std::sin(t)));
}

TPoint TMeterScale::ValueToPixel(double v, double pctRadius) const
{
    const double a = (-90.0 - NeedleAngle(v)) * kDegToRad;
    const double r = pctRadius * 0.01 * Geo.Radius;
    return TPoint(MeterRound(std::cos(a) * r + Geo.CenterX), MeterRound(Geo.CenterY - std::sin(a) * r));
}

double TMeterScale::PixelDirection(int x, int y) const
{
    const double dx = x - Geo.CenterX;
    const double dy = y - Geo.CenterY;
    double t;
    if (dx != 0) {
        t = std::atan(dy / dx);
        if (dx < 0)
            t += std::numbers::pi;
    } else {
        t = dy <= 0 ? 3 * std::numbers::pi / 2 : std::numbers::pi / 2;
    }
    if (t < 0)
        t += 2 * std::numbers::pi;
    if (t > 2 * std::numbers::pi)
        t -= 2 * std::numbers::pi;
    double d = t * 180.0 / std::numbers::pi - 90.0;
    if (d < 0)
        d += 360.0;
    return d;
}

bool TMeterScale::AngleToValue(double d, double& value) const
{
    const double A = Geo.Angle;
    const double lo = 180.0 - A / 2.0;
    const double hi = 180.0 + A / 2.0;
    if (!(d >= lo && d <= hi) || A <= 0) {
        value = 0;
        return false;
    }
    const double s = (d - lo) / A;
    if (UsesLog(Min)) {
        value = std::exp(std::log(Min) + s * (std::log(Max) - std::log(Min)));
    } else {
        const double half = Max * 0.5 - Min * 0.5;
        value = Min + s * half + s * half;
    }
    return true;
}

bool TMeterScale::PixelToValue(int x, int y, double& value) const
{
    return AngleToValue(PixelDirection(x, y), value);
}

// ---------------------------------------------------------------------------------------

TScaleSteps CalcScaleSteps(int nrTicks, double minValue, double maxValue)
{
    TScaleSteps s;
    if (nrTicks <= 0 || !std::isfinite(minValue) || !std::isfinite(maxValue) || minValue == maxValue)
        return s;
    const double sign = minValue < maxValue ? 1.0 : -1.0;
    const double span = std::fabs(maxValue - minValue);
    // A span beyond the double range is measured by its halves.
    const double g = std::isfinite(span)
        ? std::log10(span / nrTicks)
        : std::log10(std::fabs(maxValue * 0.5 - minValue * 0.5)) + std::log10(2.0 / nrTicks);
    if (!std::isfinite(g))
        return s;
    int e;
    double h;
    const double fr = std::fabs(g - Int(g));
    if (fr < 1e-10 || fr > 0.9999999999) {
        e = MeterRound(g);
        h = 0;
    } else {
        e = int(Int(g));
        if (g < 0)
            e -= 1;
        h = g - e;
    }
    const double p = std::pow(10.0, e);
    if (h < std::log10(2.0) + 1e-10) {
        s.Step = p;
        s.NMinor = 5;
    } else if (h < std::log10(5.0) + 1e-10) {
        s.Step = 2 * p;
        s.NMinor = 4;
    } else {
        s.Step = 5 * p;
        s.NMinor = 5;
    }
    s.Step *= sign;
    if (!(std::fabs(s.Step) > 0) || !std::isfinite(s.Step))
        return s;
    double first = (Int(minValue / s.Step) - 1) * s.Step;
    int guard = 0;
    while (sign * (minValue - first) > 0.001 * std::fabs(s.Step)) {
        const double next = first + s.Step;
        if (next == first || ++guard > kMaxTickIterations)
            return s;  // the step vanishes against the magnitude of the range: no scale
        first = next;
    }
    if (!std::isfinite(first))
        return s;
    s.First = first;
    s.Valid = true;
    return s;
}

TMeterTicks CalcMeterTicks(int nrTicks, double minValue, double maxValue, bool logarithmic, bool shortTicks)
{
    TMeterTicks t;
    if (!(minValue < maxValue))
        return t;
    const TScaleSteps st = CalcScaleSteps(nrTicks, minValue, maxValue);
    if (!st.Valid)
        return t;
    const double First = st.First, Step = st.Step;
    const bool logScale = logarithmic && minValue > 0 && maxValue > 0;
    const bool decades = logScale && std::fabs(std::log10(maxValue / minValue)) >= 1;

    if (shortTicks && st.NMinor > 0 && !decades) {
        const double m = Step / st.NMinor;
        const double S = First - Step;
        for (int k = 0; k < kMaxTickIterations; ++k) {
            const double v = S + k * m;
            if (!(std::fabs(Frac((v - First) / Step)) <= 1e-5) && !(v < minValue))
                t.Minor.push_back(v);
            if (!(S + (k + 1) * m - maxValue <= 0.001 * m))
                break;
        }
    }

    if (!decades) {
        for (int k = 0; k < kMaxTickIterations; ++k) {
            t.Major.push_back({First + k * Step, true});
            if (!(First + (k + 1) * Step - maxValue <= 0.001 * Step))
                break;
        }
    } else {
        const int e = IntNeg(std::log10(0.999999999 * minValue));
        // Each decade from its own power of ten, so that long scales do not accumulate error.
        for (int k = 0; k < kMaxTickIterations; ++k) {
            const double decade = std::pow(10.0, double(e) + k);
            for (int j = 1; j <= 9; ++j) {
                const double v = j * decade;
                if (v / 0.999999999 > minValue && j * 0.999999999 * decade < maxValue)
                    t.Major.push_back({v, j == 1 || j == 2 || j == 5});
            }
            if (0.999999999 * std::pow(10.0, double(e) + k + 1) > maxValue || !std::isfinite(decade))
                break;
        }
    }
    return t;
}

QString MeterLabelText(double x, int decimals)
{
    QString s = QString::number(x, 'f', std::clamp(decimals, 0, 4));
    // A value that rounds to zero reads "0.0", not "-0.0".
    if (s.startsWith(u'-')) {
        bool allZero = true;
        for (int i = 1; i < s.size(); ++i)
            if (s[i] != u'0' && s[i] != u'.') {
                allZero = false;
                break;
            }
        if (allZero)
            s.remove(0, 1);
    }
    return s;
}

std::array<TPoint, 7> CalcNeedlePolygon(double phiDeg, double radius, int cx, int cy, const TNeedleShape& n)
{
    const double phi = phiDeg * kDegToRad;
    const double L = n.PercentNeedleLength * (radius - 4) * 0.01;
    const double cphi = std::cos(phi), sphi = std::sin(phi);
    const TPoint T(MeterRound(cphi * L + cx), MeterRound(cy - sphi * L));
    const double h = n.HeadAngle * kDegToRad;
    const double hs = sphi * n.Thickness / 2.0;
    const double hc = cphi * n.Thickness / 2.0;
    const double S = n.HeadSize;
    const double M = n.HeadMidLeng;
    std::array<TPoint, 7> p;
    p[0] = TPoint(MeterRound(T.X - std::cos(phi + h / 2) * S), MeterRound(T.Y + std::sin(phi + h / 2) * S));
    p[1] = T;
    p[2] = TPoint(MeterRound(T.X - std::cos(phi - h / 2) * S), MeterRound(T.Y + std::sin(phi - h / 2) * S));
    p[3] = TPoint(MeterRound(T.X - hs - cphi * M), MeterRound(T.Y - hc + sphi * M));
    p[4] = TPoint(MeterRound(cx - hs), MeterRound(cy - hc));
    p[5] = TPoint(MeterRound(cx + hs), MeterRound(cy + hc));
    p[6] = TPoint(MeterRound(T.X + hs - cphi * M), MeterRound(T.Y + hc + sphi * M));
    return p;
}

} // namespace qor
