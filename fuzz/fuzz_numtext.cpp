// The number <-> text routines of the numeric entry fields: every check and scanner on any
// text, in every separator mode, against a reference reading of the same grammar written
// apart from the library's state machine; and number -> text -> number round trips per
// format, each within the precision its text carries.
#include "FuzzSupport.h"
#include "NumTextReference.h"

#include "numio/NumFormats_p.h"
#include "numio/QOR_NumIO.h"

#include <QByteArray>
#include <QString>

#include <cfloat>
#include <cmath>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <limits>

using namespace qor;
using namespace qor::numfmt;
using qor::fuzzing::TFuzzInput;
using namespace qor::fuzzing::numref;

namespace {

const TSepMode kModes[] = {smPoint, smComma, smBoth};
const TDecPSep kSeps[] = {dsSysDefault, dsPoint, dsComma, dsBoth};

void CheckDecimalScanners(const QString& text, int start)
{
    const int len = int(text.size());
    for (const bool allowExp : {true, false}) {
        for (const TSepMode mode : kModes) {
            int pos = start;
            const double v = ScanFloatText(text, allowExp, mode, pos);
            const RefScan ref = ReferenceScan(text, start, allowExp, mode);
            auto where = [&] {
                return QStringLiteral("from %1, exp %2, mode %3: pos %4 (want %5), value %6 (want %7 of '%8') for ")
                           .arg(start).arg(int(allowExp)).arg(int(mode)).arg(pos).arg(ref.stop)
                           .arg(Num(v), Num(ReferenceValue(ref)), QString::fromLatin1(ref.canon))
                    + Show(text);
            };
            QOR_FUZZ_CHECK(std::isfinite(v) && std::fabs(v) <= uc_MaxDouble, where());
            QOR_FUZZ_CHECK(pos == ref.stop, where());
            QOR_FUZZ_CHECK(SameValue(v, ReferenceValue(ref)), where());
            if (start <= 1) {
                // The typing check walks the same grammar over the whole text.
                for (const TDecPSep sep : kSeps) {
                    if (SepModeRuleB(sep) != mode)
                        continue;
                    const bool want = len > 0 && ref.accepted && !ref.expOver;
                    QOR_FUZZ_CHECK(CheckExpText(text, allowExp, sep) == want,
                                   where() + QStringLiteral(", CheckExpText sep %1").arg(int(sep)));
                }
            }
        }
    }
    if (start > 1)
        return;
    for (const TDecPSep sep : kSeps) {
        const TSepMode mode = SepModeRuleB(sep);
        // [+-]? digits* (separator digits*)?
        int i = 0;
        if (i < len && (text.at(i) == QChar('+') || text.at(i) == QChar('-')))
            ++i;
        while (i < len && IsDigit(text.at(i)))
            ++i;
        if (i < len && ((text.at(i) == QChar('.') && mode != smComma) || (text.at(i) == QChar(',') && mode != smPoint))) {
            ++i;
            while (i < len && IsDigit(text.at(i)))
                ++i;
        }
        const bool want = len > 0 && i == len;
        const bool got = CheckFloatText(text, sep);
        QOR_FUZZ_CHECK(got == want, QStringLiteral("CheckFloatText sep %1 = %2 for ").arg(int(sep)).arg(int(got)) + Show(text));
        if (got) {
            // What the check lets stand, the scanner reads whole, exponent or not.
            for (const bool allowExp : {false, true}) {
                int pos = 1;
                const double v = ScanFloatText(text, allowExp, mode, pos);
                QOR_FUZZ_CHECK(pos == len + 1, QStringLiteral("CheckFloatText accepts %1, scan stops at %2").arg(Show(text)).arg(pos));
                QOR_FUZZ_CHECK(SameValue(v, ReferenceValue(ReferenceScan(text, 1, allowExp, mode))), Show(text));
            }
        }
    }
}

struct BaseScan {
    int stop = 1;
    std::uint32_t value = 0;
};

int DigitOf(QChar c, int base)
{
    int d = -1;
    const char16_t u = c.unicode();
    if (u >= '0' && u <= '9')
        d = u - '0';
    else if (u >= 'A' && u <= 'F')
        d = u - 'A' + 10;
    else if (u >= 'a' && u <= 'f')
        d = u - 'a' + 10;
    return d < base ? d : -1;
}

BaseScan ReferenceBaseScan(const QString& t, int start, int base, bool withSign, bool withDollar)
{
    const int n = int(t.size());
    int i = std::max(start, 1) - 1;
    while (i < n - 1 && t.at(i) == QChar(' '))
        ++i;
    bool negative = false;
    if (withSign && i < n && (t.at(i) == QChar('-') || t.at(i) == QChar('+')))
        negative = t.at(i++) == QChar('-');
    if (withDollar && i == 0 && n > 0 && t.at(0) == QChar('$'))
        ++i;
    unsigned long long v = 0;
    for (; i < n && DigitOf(t.at(i), base) >= 0; ++i)
        v = (v * unsigned(base) + unsigned(DigitOf(t.at(i), base))) % 4294967296ULL;
    BaseScan r;
    r.stop = i + 1;
    r.value = std::uint32_t(negative ? (4294967296ULL - v) % 4294967296ULL : v);
    return r;
}

void CheckIntegerScanners(const QString& text, int start)
{
    const int len = int(text.size());
    struct Kind {
        int base;
        std::int32_t (*scan)(const QString&, int&);
        bool (*check)(const QString&);
    };
    const Kind kinds[] = {{10, ScanIntText, CheckIntText}, {16, ScanHexText, CheckHexText},
                          {8, ScanOctText, CheckOctText}, {2, ScanBinText, CheckBinText}};
    for (const Kind& k : kinds) {
        int pos = start;
        const std::int32_t v = k.scan(text, pos);
        const BaseScan ref = ReferenceBaseScan(text, start, k.base, k.base == 10, k.base == 16);
        auto where = [&] {
            return QStringLiteral("base %1 scan from %2: pos %3 (want %4), value %5 (want %6) of ")
                       .arg(k.base).arg(start).arg(pos).arg(ref.stop).arg(v).arg(std::int32_t(ref.value))
                + Show(text);
        };
        QOR_FUZZ_CHECK(pos == ref.stop && std::uint32_t(v) == ref.value, where());
        // The checks: digits of the base only (a sign first for decimal integers).
        int i = 0;
        if (k.base == 10 && len > 1 && (text.at(0) == QChar('+') || text.at(0) == QChar('-')))
            i = 1;
        const int firstDigit = i;
        while (i < len && DigitOf(text.at(i), k.base) >= 0)
            ++i;
        const bool want = i == len && i > firstDigit;
        const bool got = k.check(text);
        QOR_FUZZ_CHECK(got == want, where() + QStringLiteral(", check %1").arg(int(got)));
        if (got) {
            int p = 1;
            const std::int32_t w = k.scan(text, p);
            const BaseScan whole = ReferenceBaseScan(text, 1, k.base, k.base == 10, k.base == 16);
            QOR_FUZZ_CHECK(p == len + 1 && std::uint32_t(w) == whole.value, where() + QStringLiteral(", accepted text not read whole"));
        }
    }
}

// The decimal exponent a correctly rounded "%.*e" writes for |v|.
int PrintedExponent(double v, int fraction)
{
    char buf[512];
    std::snprintf(buf, sizeof buf, "%.*e", fraction, std::fabs(v));
    const char* e = std::strchr(buf, 'e');
    return e ? std::atoi(e + 1) : 0;
}

double ReadWhole(const QString& text, bool allowExp, TSepMode mode, const QString& what)
{
    int pos = 1;
    const double back = ScanFloatText(text, allowExp, mode, pos);
    QOR_FUZZ_CHECK(pos == text.size() + 1, what + QStringLiteral(": %1 not read whole (pos %2)").arg(Show(text)).arg(pos));
    return back;
}

void CheckFixedRoundTrip(double v, int decimals)
{
    const QString text = FloatToFmtText(1, decimals, v);
    const QString what = QStringLiteral("fixed %1 decimals of %2").arg(decimals).arg(Num(v));
    QOR_FUZZ_CHECK(CheckFloatText(text, dsPoint), what + QStringLiteral(": ") + Show(text));
    const qsizetype point = text.indexOf(QChar('.'));
    QOR_FUZZ_CHECK(decimals == 0 ? point < 0 : point == text.size() - 1 - decimals, what + QStringLiteral(": ") + Show(text));
    const double tolerance = 0.5 * std::pow(10.0, -decimals) * (1 + 1e-9) + std::fabs(v) * DBL_EPSILON;
    for (const TSepMode mode : kModes) {
        QString t = text;
        if (mode == smComma)
            t.replace(QChar('.'), QChar(','));
        const double back = ReadWhole(t, false, mode, what);
        QOR_FUZZ_CHECK(std::fabs(back - v) <= tolerance, what + QStringLiteral(" reads back as %1").arg(Num(back)));
    }
}

void CheckScientificRoundTrip(double v, int width)
{
    const QString text = FloatToFmtText(width, -2, v);
    const int digits = std::max(width - 7, 0);
    const QString what = QStringLiteral("scientific width %1 of %2: %3").arg(width).arg(Num(v), Show(text));
    const bool stars = v != 0 && std::abs(PrintedExponent(v, digits)) >= 100;
    QOR_FUZZ_CHECK(text.startsWith(QChar('*')) == stars, what);
    if (width < 8)
        return; // below one decimal the form is the implementer's
    QOR_FUZZ_CHECK(text.size() == width, what);
    if (stars) {
        QOR_FUZZ_CHECK(text == QString(width, QChar('*')), what);
        return;
    }
    QOR_FUZZ_CHECK(text.at(0) == QChar(v < 0 ? '-' : ' ') && (v == 0 || text.at(1) != QChar('0')), what);
    QOR_FUZZ_CHECK(CheckExpText(text, true, dsPoint), what);
    const int e = text.mid(text.indexOf(QChar('E')) + 1).toInt();
    const double unit = std::pow(10.0, e - digits);
    const double tolerance = 0.5 * unit * (1 + 1e-9) + std::fabs(v) * DBL_EPSILON;
    const double back = ReadWhole(text, true, smPoint, what);
    QOR_FUZZ_CHECK(std::fabs(back - v) <= tolerance, what + QStringLiteral(" reads back as %1").arg(Num(back)));
}

void CheckBaseRoundTrip(std::int32_t v, int count)
{
    struct Kind {
        int bits, maxCount, base;
        QString (*write)(std::int32_t, int);
        std::int32_t (*scan)(const QString&, int&);
        bool (*check)(const QString&);
    };
    const Kind kinds[] = {{4, 8, 16, IntToHexText, ScanHexText, CheckHexText},
                          {3, 11, 8, IntToOctText, ScanOctText, CheckOctText},
                          {1, 32, 2, IntToBinText, ScanBinText, CheckBinText}};
    for (const Kind& k : kinds) {
        const int n = std::clamp(count, 1, k.maxCount);
        const QString text = k.write(v, count);
        const QString what = QStringLiteral("base %1, %2 digits of %3: %4").arg(k.base).arg(count).arg(v).arg(Show(text));
        QOR_FUZZ_CHECK(text.size() == n && k.check(text), what);
        const int bits = std::min(n * k.bits, 32);
        const std::uint32_t mask = bits >= 32 ? 0xFFFFFFFFu : ((1u << bits) - 1u);
        int pos = 1;
        const std::int32_t back = k.scan(text, pos);
        QOR_FUZZ_CHECK(pos == n + 1 && std::uint32_t(back) == (std::uint32_t(v) & mask), what + QStringLiteral(" reads back as %1").arg(back));
    }
}

void CheckRounding(double v)
{
    const std::int32_t r = RoundToInt32Bits(v);
    if (!std::isfinite(v)) {
        QOR_FUZZ_CHECK(r == 0, Num(v));
        return;
    }
    const double n = std::nearbyint(v);
    if (std::fabs(n) < 4e18)
        QOR_FUZZ_CHECK(std::uint32_t(r) == std::uint32_t(static_cast<std::uint64_t>(static_cast<std::int64_t>(n))),
                       QStringLiteral("RoundToInt32Bits(%1) = %2").arg(Num(v)).arg(r));
}

// The spin field's own writer and reader: what it writes for a value passes its typing check
// and reads back within the precision of the format.
void CheckSpinFieldFormats(double v, int sig, int dec, TDecPSep sep)
{
    for (int f = itExp; f <= itDynamic; ++f) {
        const auto format = TInFormat(f);
        const QString text = NumIO2FormatValue(v, format, sig, dec, NumIO2SeparatorChar(sep));
        const QString what = QStringLiteral("format %1, sig %2, dec %3, sep %4, value %5: %6")
                                 .arg(f).arg(sig).arg(dec).arg(int(sep)).arg(Num(v), Show(text));
        const bool stars = text.startsWith(QChar('*'));
        QOR_FUZZ_CHECK(!stars || format == itExp, what);
        QOR_FUZZ_CHECK(stars || NumIO2CheckValidity(text, format, dec, sep), what);
        if (stars)
            continue;
        const double back = NumIO2ParseValue(text, format);
        const double n = std::nearbyint(v);
        double want = 0, tolerance = 0;
        switch (format) {
        case itExp: {
            const int e = text.mid(text.indexOf(QChar('E')) + 1).toInt();
            want = v;
            tolerance = 0.5 * std::pow(10.0, e - (sig - 1)) * (1 + 1e-9) + std::fabs(v) * DBL_EPSILON;
            break;
        }
        case itFloat:
        case itFixPoint:
            want = v;
            tolerance = 0.5 * std::pow(10.0, -dec) * (1 + 1e-9) + std::fabs(v) * DBL_EPSILON;
            break;
        case itInt:
            want = std::clamp(n, -2147483648.0, 2147483647.0);
            break;
        case itHex:
        case itOct:
        case itBin:
            want = double(RoundToInt32Bits(v));
            break;
        case itDynamic:
            want = std::clamp(n, -9223372036854775808.0, 9223372036854775808.0);
            break;
        }
        QOR_FUZZ_CHECK(std::fabs(back - want) <= tolerance, what + QStringLiteral(" reads back as %1, want %2").arg(Num(back), Num(want)));
    }
}

// Any text through the spin field's check and reader: the reader never leaves the double
// range, and a text the decimal check accepts reads as the reference reading of it.
void CheckSpinFieldText(const QString& text, int dec, TDecPSep sep)
{
    const double reference = ReferenceValue(ReferenceScan(text, 1, true, smBoth));
    for (int f = itExp; f <= itDynamic; ++f) {
        const auto format = TInFormat(f);
        const double v = NumIO2ParseValue(text, format);
        QOR_FUZZ_CHECK(std::isfinite(v), QStringLiteral("format %1 reads %2 as %3").arg(f).arg(Show(text), Num(v)));
        const bool decimal = format == itExp || format == itFloat || format == itFixPoint
            || (format == itDynamic && !text.startsWith(QChar('$')) && !text.startsWith(QChar('%')) && !text.startsWith(QChar('&')));
        if (decimal && (text.isEmpty() || NumIO2CheckValidity(text, format, dec, sep)))
            QOR_FUZZ_CHECK(SameValue(v, reference), QStringLiteral("format %1 reads %2 as %3, reference %4").arg(f).arg(Show(text), Num(v), Num(reference)));
    }
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size)
{
    TFuzzInput in(data, size);
    const TDecPSep sep = kSeps[in.Int(0, 3)];
    const int width = in.Int(0, 40);
    const int decimals = in.Int(0, 15);
    const int sig = in.Int(1, 15);
    const int count = in.Int(-1, 40);
    const int startChoice = in.Byte();
    const int valueKind = in.Int(0, 2);
    const double raw = in.Double();
    const auto high = std::uint32_t(in.Int(0, 0xFFFF));
    const auto bits = std::int32_t(high << 16 | std::uint32_t(in.Int(0, 0xFFFF)));
    const int scale = in.Int(0, 15);
    const QString text = in.RestAsText();

    const int start = startChoice % (int(text.size()) + 3);   // 0 (taken as 1) up to length + 2
    CheckDecimalScanners(text, start);
    CheckIntegerScanners(text, start);
    if (start != 1) {
        CheckDecimalScanners(text, 1);
        CheckIntegerScanners(text, 1);
    }
    CheckSpinFieldText(text, std::clamp(decimals, 1, 15), sep);

    double v = raw;
    if (valueKind == 1) {
        v = double(bits) / std::pow(10.0, scale);
    } else if (valueKind == 2) {
        int pos = 1;
        v = ScanFloatText(text, true, smBoth, pos);
    }
    CheckRounding(v);
    CheckBaseRoundTrip(bits, count);
    if (!std::isfinite(v)) {
        (void)FloatToFmtText(width, decimals, v);
        (void)FloatToFmtText(width, -2, v);
        for (int f = itExp; f <= itDynamic; ++f)
            (void)NumIO2FormatValue(v, TInFormat(f), sig, decimals, NumIO2SeparatorChar(sep));
        return 0;
    }
    CheckFixedRoundTrip(v, decimals);
    CheckScientificRoundTrip(v, width);
    CheckSpinFieldFormats(v, sig, std::max(decimals, 1), sep);
    return 0;
}
