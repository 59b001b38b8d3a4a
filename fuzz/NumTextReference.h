// A reading of the numeric text grammar of the entry fields, written apart from the library's
// state machine, for the fuzz targets to hold the library's scanners and fields against.
#pragma once

#include "foundation/QOR_Core.h"
#include "numio/NumFormats_p.h"

#include <QByteArray>
#include <QString>

#include <algorithm>
#include <cfloat>
#include <cmath>
#include <cstdlib>
#include <locale.h>

namespace qor::fuzzing::numref {

using qor::numfmt::TSepMode;
using qor::numfmt::smPoint;
using qor::numfmt::smComma;
using qor::numfmt::smBoth;

inline QString Show(const QString& s)
{
    QString out;
    for (const QChar c : s) {
        if (c.unicode() >= 0x20 && c.unicode() < 0x7F)
            out += c;
        else
            out += QStringLiteral("\\u%1").arg(int(c.unicode()), 4, 16, QChar('0'));
    }
    return QChar('\'') + out + QChar('\'');
}

inline QString Num(double v) { return QString::number(v, 'g', 17); }

inline double CStrtod(const char* text)
{
    static const locale_t cLocale = newlocale(LC_ALL_MASK, "C", locale_t(nullptr));
    return strtod_l(text, nullptr, cLocale);
}

inline bool IsDigit(QChar c) { return c >= QChar('0') && c <= QChar('9'); }

// What a scan of the decimal grammar gives: where it stopped, whether it accepted, the
// number it read written plainly, and whether the exponent ever grew past the limit.
struct RefScan {
    bool accepted = false;
    int stop = 1;           // 1-based position of the character that ended the scan
    bool expOver = false;
    QByteArray canon;       // "-123.450e-7", exponent cut at the limit
};

inline RefScan ReferenceScan(const QString& t, int start, bool allowExp, TSepMode mode)
{
    auto isSep = [mode](QChar c) {
        return (c == QChar('.') && mode != smComma) || (c == QChar(',') && mode != smPoint);
    };
    auto upper = [](QChar c) { return c == QChar('e') ? QChar('E') : c; };
    auto isSign = [](QChar c) { return c == QChar('+') || c == QChar('-'); };
    RefScan r;
    const int n = int(t.size());
    int i = std::max(start, 1) - 1;
    auto done = [&](bool ok) {
        r.accepted = ok;
        r.stop = i + 1;
        return r;
    };
    while (i < n && t.at(i) == QChar(' '))
        ++i;
    bool negative = false;
    if (i < n && isSign(t.at(i))) {
        negative = t.at(i) == QChar('-');
        ++i;
    }
    QByteArray intDigits, fracDigits;
    while (i < n && IsDigit(t.at(i)))
        intDigits += char(t.at(i++).unicode());
    bool sep = false;
    if (i < n && isSep(t.at(i))) {
        sep = true;
        ++i;
        while (i < n && IsDigit(t.at(i)))
            fracDigits += char(t.at(i++).unicode());
    }
    if (intDigits.isEmpty() && !sep)
        return done(false);
    r.canon = QByteArray(negative ? "-" : "") + (intDigits.isEmpty() ? QByteArray("0") : intDigits) + '.'
        + (fracDigits.isEmpty() ? QByteArray("0") : fracDigits);
    if (sep && i < n && isSep(t.at(i)))
        return done(false); // a second separator
    if (!(allowExp && i < n && upper(t.at(i)) == QChar('E')))
        return done(true);
    ++i; // after "E"
    bool expNegative = false;
    if (i < n && isSign(t.at(i))) {
        expNegative = t.at(i) == QChar('-');
        ++i;
        if (i < n && (isSep(t.at(i)) || t.at(i) == QChar(' ') || isSign(t.at(i)) || upper(t.at(i)) == QChar('E')))
            return done(false);
    } else if (i < n && (isSep(t.at(i)) || t.at(i) == QChar(' ') || upper(t.at(i)) == QChar('E'))) {
        return done(false);
    }
    QByteArray expDigits;
    long long expValue = 0;
    while (i < n && IsDigit(t.at(i))) {
        expValue = std::min(expValue * 10 + (t.at(i).unicode() - '0'), 1000000000LL);
        if (expValue > qor::numfmt::MaxExponentDigitsValue)
            r.expOver = true;
        else
            expDigits += char(t.at(i).unicode());
        ++i;
    }
    if (!expDigits.isEmpty())
        r.canon += QByteArray("e") + (expNegative ? "-" : "+") + expDigits;
    return done(true);
}

// The value a correctly rounded conversion gives for the scanned text, limited to the double range.
inline double ReferenceValue(const RefScan& r)
{
    if (!r.accepted)
        return 0.0;
    const double v = CStrtod(r.canon.constData());
    return std::clamp(v, -qor::uc_MaxDouble, qor::uc_MaxDouble);
}

// Equal, where a subnormal result may also have gone to zero.
inline bool SameValue(double got, double want)
{
    if (got == want)
        return true;
    return std::fabs(want) < DBL_MIN && got == 0.0;
}

} // namespace qor::fuzzing::numref
