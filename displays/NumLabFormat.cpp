// Value texts of the numeric label. Decimal rounding works on the shortest decimal form
// of the double (what the user typed or sees elsewhere), ties away from zero, so 0.125
// shows as 0.13 and 1.005 as 1.01; only dtInt keeps the ties-to-even integer rounding.
#include "displays/QOR_NumLab.h"

#include "foundation/QOR_DateTime.h"

#include <QDate>
#include <QLocale>
#include <QTime>

#include <charconv>
#include <cmath>
#include <cstdint>
#include <string>

namespace qor {

namespace {

/// |value| = 0.D1D2D3... x 10^PointPos, D without leading zeros; zero has empty digits.
struct DecDigits {
    bool Neg = false;
    std::string D;
    int PointPos = 0;
};

DecDigits toDigits(double v)
{
    DecDigits r;
    r.Neg = std::signbit(v);
    v = std::fabs(v);
    if (v == 0.0)
        return r;
    char buf[64];
    auto res = std::to_chars(buf, buf + sizeof buf, v, std::chars_format::scientific);
    std::string s(buf, res.ptr);
    const auto e = s.find('e');
    const std::string mant = s.substr(0, e);
    const int exp10 = std::stoi(s.substr(e + 1));
    for (char c : mant)
        if (c != '.')
            r.D += c;
    while (r.D.size() > 1 && r.D.back() == '0')
        r.D.pop_back();
    r.PointPos = exp10 + 1;
    return r;
}

/// Keeps the first `keep` digits, rounding half away from zero; may carry into a new digit.
void roundDigits(DecDigits& d, int keep)
{
    if (d.D.empty() || keep >= int(d.D.size()))
        return;
    if (keep < 0) {
        d.D.clear();
        return;
    }
    const bool up = d.D[size_t(keep)] >= '5';
    d.D.resize(size_t(keep));
    if (up) {
        int i = keep - 1;
        while (i >= 0 && d.D[size_t(i)] == '9') {
            d.D[size_t(i)] = '0';
            --i;
        }
        if (i >= 0) {
            ++d.D[size_t(i)];
        } else {
            d.D.insert(d.D.begin(), '1');
            ++d.PointPos;
        }
    }
    while (!d.D.empty() && d.D.back() == '0')
        d.D.pop_back();
    if (d.D.empty())
        d.PointPos = 0;
}

char digitAt(const DecDigits& d, int i) { return (i >= 0 && i < int(d.D.size())) ? d.D[size_t(i)] : '0'; }

/// Unsigned fixed text of rounded digits with `decimals` decimals.
QString fixedBody(const DecDigits& d, int decimals)
{
    QString s;
    if (d.D.empty() || d.PointPos <= 0) {
        s += '0';
    } else {
        for (int i = 0; i < d.PointPos; ++i)
            s += QLatin1Char(digitAt(d, i));
    }
    if (decimals > 0) {
        s += '.';
        for (int i = 0; i < decimals; ++i)
            s += QLatin1Char(digitAt(d, d.PointPos + i));
    }
    return s;
}

QString withSign(bool neg, const DecDigits& d, const QString& body)
{
    return (neg && !d.D.empty()) ? QLatin1Char('-') + body : body;
}

QString fixedText(double v, int decimals)
{
    DecDigits d = toDigits(v);
    roundDigits(d, d.PointPos + decimals);
    return withSign(d.Neg, d, fixedBody(d, decimals));
}

QString expDigits(int e, int minDigits)
{
    QString s = QString::number(std::abs(e));
    while (s.size() < minDigits)
        s.prepend('0');
    return (e < 0 ? QStringLiteral("-") : QStringLiteral("+")) + s;
}

QString expText(double v, int digits)
{
    digits = std::max(digits, 1);
    DecDigits d = toDigits(v);
    roundDigits(d, digits);
    QString m;
    m += QLatin1Char(digitAt(d, 0));
    if (digits > 1) {
        m += '.';
        for (int i = 1; i < digits; ++i)
            m += QLatin1Char(digitAt(d, i));
    }
    const int e = d.D.empty() ? 0 : d.PointPos - 1;
    return withSign(d.Neg, d, m + 'E' + expDigits(e, 3));
}

QString stripFraction(QString s)
{
    if (!s.contains('.'))
        return s;
    while (s.endsWith('0'))
        s.chop(1);
    if (s.endsWith('.'))
        s.chop(1);
    return s;
}

QString generalText(double v, int digits)
{
    digits = std::max(digits, 1);
    DecDigits d = toDigits(v);
    roundDigits(d, digits);
    if (d.D.empty())
        return QStringLiteral("0");
    const int e = d.PointPos - 1;
    if (e >= digits || e < -5) {
        QString m;
        m += QLatin1Char(d.D[0]);
        m += '.';
        for (size_t i = 1; i < d.D.size(); ++i)
            m += QLatin1Char(d.D[i]);
        return withSign(d.Neg, d, stripFraction(m) + 'E' + expDigits(e, 1));
    }
    const int decimals = std::max(0, int(d.D.size()) - d.PointPos);
    return withSign(d.Neg, d, stripFraction(fixedBody(d, decimals)));
}

QString engText(double v, int decimals, bool strip)
{
    DecDigits d = toDigits(v);
    int e3 = 0;
    if (!d.D.empty()) {
        auto expOf = [](int pointPos) {
            const int e = pointPos - 1;
            return (e >= 0 ? e / 3 : -((-e + 2) / 3)) * 3;
        };
        e3 = expOf(d.PointPos);
        roundDigits(d, d.PointPos - e3 + decimals);
        if (!d.D.empty() && expOf(d.PointPos) != e3) {
            // 999.996 became 1000.00: one more group of three, same digits.
            e3 = expOf(d.PointPos);
            roundDigits(d, d.PointPos - e3 + decimals);
        }
        if (d.D.empty())
            e3 = 0;
    }
    DecDigits m = d;
    m.PointPos = d.D.empty() ? 0 : d.PointPos - e3;
    QString body = fixedBody(m, decimals);
    if (strip)
        body = stripFraction(body);
    return withSign(d.Neg, d, body + 'E' + expDigits(e3, 1));
}

/// Round to a 64-bit integer with ties to even, as the integer formats do.
bool roundToInt64(double v, std::int64_t& out)
{
    if (!std::isfinite(v))
        return false;
    const double r = std::nearbyint(v);
    if (r < -9223372036854775808.0 || r >= 9223372036854775808.0)
        return false;
    out = std::int64_t(r);
    return true;
}

QString radixText(std::int64_t n, int base, int minDigits)
{
    const bool neg = n < 0;
    const std::uint64_t mag = neg ? (~std::uint64_t(n) + 1u) : std::uint64_t(n);
    QString s = QString::number(mag, base).toUpper();
    while (s.size() < minDigits)
        s.prepend('0');
    return neg ? QLatin1Char('-') + s : s;
}

/// Degrees split into units of 1/60 or 1/3600 degree, rounded on the smallest unit shown.
bool angleText(double v, int parts, int decimals, QString& text)
{
    if (!std::isfinite(v))
        return false;
    const double scale = parts == 1 ? 60.0 : 3600.0;
    const double total = std::fabs(v) * scale;
    if (total >= 9.0e15)
        return false;
    DecDigits d = toDigits(total);
    roundDigits(d, d.PointPos + decimals);
    QString body = fixedBody(d, decimals);
    const int dot = body.indexOf('.');
    const QString whole = dot < 0 ? body : body.left(dot);
    const QString frac = dot < 0 ? QString() : body.mid(dot);
    const std::int64_t units = whole.toLongLong();
    const bool neg = std::signbit(v) && !d.D.empty();
    auto two = [](std::int64_t n) { return QStringLiteral("%1").arg(n, 2, 10, QLatin1Char('0')); };
    QString s = neg ? QStringLiteral("-") : QString();
    if (parts == 1) {
        s += QString::number(units / 60) + QChar(0xB0) + two(units % 60) + frac + '\'';
    } else {
        s += QString::number(units / 3600) + QChar(0xB0) + two((units / 60) % 60) + '\''
            + two(units % 60) + frac + '"';
    }
    text = s;
    return true;
}

} // namespace

bool NumLabDateTimeText(double serial, const QString& format, QString& text)
{
    text.clear();
    QDate date;
    QTime time;
    if (!TryDecodeDateTime(serial, date, time))
        return false;
    const QLocale en(QLocale::English, QLocale::UnitedStates);

    const QString f = format;
    const QString lower = f.toLower();
    const bool twelveHour = lower.contains(QLatin1String("am/pm")) || lower.contains(QLatin1String("a/p"))
        || lower.contains(QLatin1String("ampm"));
    auto two = [](int n) { return QStringLiteral("%1").arg(n, 2, 10, QLatin1Char('0')); };
    auto runOf = [&](int i, QChar c) {
        int n = 0;
        while (i + n < lower.size() && lower.at(i + n) == c)
            ++n;
        return n;
    };
    bool lastWasHour = false;
    QString out;
    int i = 0;
    while (i < f.size()) {
        const QChar c = lower.at(i);
        if (c == '"' || c == '\'') {
            const int end = f.indexOf(f.at(i), i + 1);
            const int stop = end < 0 ? f.size() : end;
            out += f.mid(i + 1, stop - i - 1);
            i = stop + 1;
            continue;
        }
        if (lower.mid(i, 5) == QLatin1String("am/pm")) {
            out += time.hour() < 12 ? QStringLiteral("AM") : QStringLiteral("PM");
            i += 5;
            continue;
        }
        if (lower.mid(i, 4) == QLatin1String("ampm")) {
            out += time.hour() < 12 ? QStringLiteral("AM") : QStringLiteral("PM");
            i += 4;
            continue;
        }
        if (lower.mid(i, 3) == QLatin1String("a/p")) {
            out += time.hour() < 12 ? QStringLiteral("A") : QStringLiteral("P");
            i += 3;
            continue;
        }
        const int n = runOf(i, c);
        if (c == 'd') {
            if (n == 1) out += QString::number(date.day());
            else if (n == 2) out += two(date.day());
            else if (n == 3) out += en.dayName(date.dayOfWeek(), QLocale::ShortFormat);
            else out += en.dayName(date.dayOfWeek(), QLocale::LongFormat);
            lastWasHour = false;
        } else if (c == 'm') {
            if (lastWasHour && n <= 2) {
                out += n == 1 ? QString::number(time.minute()) : two(time.minute());
            } else if (n == 1) out += QString::number(date.month());
            else if (n == 2) out += two(date.month());
            else if (n == 3) out += en.monthName(date.month(), QLocale::ShortFormat);
            else out += en.monthName(date.month(), QLocale::LongFormat);
            lastWasHour = false;
        } else if (c == 'y') {
            out += n <= 2 ? two(date.year() % 100) : QStringLiteral("%1").arg(date.year(), 4, 10, QLatin1Char('0'));
            lastWasHour = false;
        } else if (c == 'h') {
            int h = time.hour();
            if (twelveHour) {
                h %= 12;
                if (h == 0)
                    h = 12;
            }
            out += n == 1 ? QString::number(h) : two(h);
            lastWasHour = true;
        } else if (c == 'n') {
            out += n == 1 ? QString::number(time.minute()) : two(time.minute());
            lastWasHour = false;
        } else if (c == 's') {
            out += n == 1 ? QString::number(time.second()) : two(time.second());
            lastWasHour = false;
        } else if (c == 'z') {
            out += n < 3 ? QString::number(time.msec()) : QStringLiteral("%1").arg(time.msec(), 3, 10, QLatin1Char('0'));
            lastWasHour = false;
        } else {
            out += f.mid(i, n);
        }
        i += n;
    }
    text = out;
    return true;
}

bool NumLabValueText(double value, TDisplay display, int precision, bool comma, bool forcePlusSign,
                     const QString& dtFormat, const QString& stateText, QString& text)
{
    text.clear();
    precision = std::clamp(precision, 0, 15);
    QString s;
    std::int64_t n = 0;
    switch (display) {
    case dtFloat:
        if (!std::isfinite(value)) return false;
        s = generalText(value, precision);
        break;
    case dtFixP:
        if (!std::isfinite(value)) return false;
        s = fixedText(value, precision);
        break;
    case dtExp:
        if (!std::isfinite(value)) return false;
        s = expText(value, precision);
        break;
    case dtHex:
        if (!roundToInt64(value, n)) return false;
        s = radixText(n, 16, precision);
        break;
    case dtZeroInt:
        if (!roundToInt64(value, n)) return false;
        s = radixText(n, 10, precision);
        break;
    case dtInt:
        if (!roundToInt64(value, n)) return false;
        s = QString::number(n);
        break;
    case dtDateTime:
        if (!NumLabDateTimeText(value, dtFormat, s)) return false;
        break;
    case dtState:
        s = stateText;
        break;
    case dtBin:
        if (!roundToInt64(value, n)) return false;
        s = radixText(n, 2, precision);
        break;
    case dtOct:
        if (!roundToInt64(value, n)) return false;
        s = radixText(n, 8, precision);
        break;
    case dtDeg:
        if (!std::isfinite(value)) return false;
        s = fixedText(value, precision) + QChar(0xB0);
        break;
    case dtDegMin:
        if (!angleText(value, 1, precision, s)) return false;
        break;
    case dtDegMinSec:
        if (!angleText(value, 2, precision, s)) return false;
        break;
    case dtEEng:
    case dtEEngNoDP:
        if (!std::isfinite(value)) return false;
        s = engText(value, precision, display == dtEEngNoDP);
        break;
    default:
        return false;
    }
    if (display != dtHex && display != dtDateTime && display != dtState && display != dtBin) {
        s.replace(comma ? QChar('.') : QChar(','), comma ? QChar(',') : QChar('.'));
        if (forcePlusSign && value > 0)
            s.prepend('+');
    }
    text = s;
    return true;
}

} // namespace qor
