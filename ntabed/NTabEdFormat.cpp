// The text form of table values: fixed-point within the limits of a precision, otherwise
// exponential notation with a trimmed exponent; nominal identifiers.
#include "ntabed/NTabEd_p.h"

#include <algorithm>
#include <cmath>
#include <cstdio>

namespace qor {

namespace {
// Above these magnitudes a precision switches to exponential notation; a fixed-point
// text thus never shows more than nine significant digits.
constexpr double kFixedLimit[9] = {999999999.0, 9999999.9, 999999.99, 99999.999, 9999.9999,
                                   999.99999, 99.999999, 9.9999999, 0.99999999};
constexpr double kSmallLimit[9] = {1.0, 0.1, 0.01, 0.001, 0.0001, 0.00001, 0.000001, 0.0000001, 0.00000001};

QString padded(QString s, int width)
{
    const bool zeros = width < 0;
    const int w = std::abs(width);
    if (s.size() >= w)
        return s;
    if (!zeros)
        return QString(w - s.size(), QLatin1Char(' ')) + s;
    const bool neg = s.startsWith(QLatin1Char('-'));
    if (neg)
        s.remove(0, 1);
    s = QString(w - s.size() - (neg ? 1 : 0), QLatin1Char('0')) + s;
    return neg ? QLatin1Char('-') + s : s;
}
} // namespace

double NTabFixedLimit(int precision)
{
    return (precision >= 0 && precision <= 8) ? kFixedLimit[precision] : 0.0;
}

QString NTabFloatStr(double x, int width, int decimals)
{
    if (std::isnan(x))
        return padded(QStringLiteral("NAN"), width);
    if (std::isinf(x))
        return padded(x > 0 ? QStringLiteral("+INF") : QStringLiteral("-INF"), width);
    if (x == 0)
        x = 0.0;   // no "-0"
    char buf[512];
    if (decimals >= 0) {
        std::snprintf(buf, sizeof buf, "%.*f", std::min(decimals, 30), x);
        return padded(QString::fromLatin1(buf), width);
    }
    const int digits = std::clamp(std::abs(width) - 9, 1, 16);
    std::snprintf(buf, sizeof buf, "%.*E", digits, std::fabs(x));
    const QString t = QString::fromLatin1(buf);          // d.dddE+xx
    const qsizetype e = t.indexOf(QLatin1Char('E'));
    const QString mantissa = t.left(e);
    const QChar expSign = t.at(e + 1);
    const QString expDigits = t.mid(e + 2).rightJustified(4, QLatin1Char('0'));
    const QString s = (x < 0 ? QStringLiteral("-") : QStringLiteral(" ")) + mantissa + QLatin1Char('E') + expSign + expDigits;
    return padded(s, width);
}

QString NTabCellValueText(double x, int precision, int numWidth)
{
    if (precision >= 0 && precision <= 8 && std::isfinite(x)) {
        const double a = std::fabs(x);
        if (a <= kFixedLimit[precision] && (x == 0 || a >= kSmallLimit[precision]))
            return NTabFloatStr(x, numWidth, precision);
    }
    QString s = NTabFloatStr(x, numWidth + 8, -1);
    const qsizetype e = s.lastIndexOf(QLatin1Char('E'));
    if (e >= 0 && s.size() - e - 1 == 5) {
        const bool small = s.at(e + 2) == QLatin1Char('0') && s.at(e + 3) == QLatin1Char('0');
        s.remove(e + 2, 2);
        if (!small)
            s.fill(QLatin1Char('*'));
    }
    return s;
}

QString NTabNominalText(const TDataTable& t, int col, double x, bool forDrawing)
{
    const double r = std::round(x);
    QString number;
    if (std::isfinite(r) && std::fabs(r) < 2147483647.0) {
        const int n = int(r);
        if (n >= 1 && n <= MaxNomIDs) {
            const QString id = t.GetNominalID(col, n);
            if (!id.isEmpty())
                return id;
        }
        number = QString::number(n);
    } else {
        number = NTabFloatStr(r, 1, 0);
    }
    return forDrawing ? MScaleTypeName(t.GetMScaleType(col)) + QLatin1Char(':') + number : number;
}

} // namespace qor
