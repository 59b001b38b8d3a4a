// Conversions between the spin field's text buffer and its value, and the keystroke check.
#include "numio/QOR_NumIO2.h"
#include "numio/NumFormats_p.h"

#include <cmath>
#include <cstdint>
#include <limits>

namespace qor {

using namespace numfmt;

QChar NumIO2SeparatorChar(TDecPSep sep)
{
    // The character the typing check accepts, so a written value stays editable.
    return SepModeRuleB(sep) == smComma ? QChar(',') : QChar('.');
}

static bool IsSeparatorIn(QChar c, TSepMode mode)
{
    switch (mode) {
    case smPoint: return c == '.';
    case smComma: return c == ',';
    case smBoth: break;
    }
    return c == '.' || c == ',';
}

/// Whether digits of the base (all of them digits: the check has made sure) fit 32 bits. More
/// would wrap into another number than the one shown.
static bool FitsIn32Bits(QStringView digits, unsigned base)
{
    std::uint64_t v = 0;
    for (const QChar c : digits) {
        const int d = c.isDigit() ? c.digitValue() : (c.toUpper().unicode() - 'A' + 10);
        v = v * base + std::uint64_t(d);
        if (v > 0xFFFFFFFFu)
            return false;
    }
    return true;
}

bool NumIO2CheckValidity(const QString& text, TInFormat format, int decPlaces, TDecPSep sep)
{
    switch (format) {
    case itExp:
        return CheckExpText(text, true, sep);
    case itFloat:
        return CheckFloatText(text, sep);
    case itFixPoint: {
        if (!CheckFloatText(text, sep))
            return false;
        // The first separator must have exactly decPlaces characters after it. Whichever
        // character the separator setting accepts counts, so a comma field can be typed in.
        const TSepMode mode = SepModeRuleB(sep);
        int first = -1;
        for (int i = 0; i < text.size(); ++i)
            if (IsSeparatorIn(text.at(i), mode)) {
                first = i;
                break;
            }
        return first >= 0 && first + 1 == text.size() - decPlaces;
    }
    case itInt:
        return CheckIntText(text);
    case itHex:
        return CheckHexText(text) && FitsIn32Bits(text, 16);
    case itOct:
        return CheckOctText(text) && FitsIn32Bits(text, 8);
    case itBin:
        return CheckBinText(text) && FitsIn32Bits(text, 2);
    case itDynamic:
        if (text.isEmpty())
            return false;
        if (text.at(0) == '$')
            return CheckHexText(text.mid(1)) && FitsIn32Bits(QStringView(text).mid(1), 16);
        if (text.at(0) == '%')
            return CheckBinText(text.mid(1)) && FitsIn32Bits(QStringView(text).mid(1), 2);
        if (text.at(0) == '&')
            return CheckOctText(text.mid(1)) && FitsIn32Bits(QStringView(text).mid(1), 8);
        return CheckFloatText(text, sep);
    }
    return false;
}

/// The rounded integer of a value, saturated to 64 bits (NaN gives 0) so that huge
/// values cannot overflow the conversion.
static std::int64_t RoundedInt64(double v)
{
    if (std::isnan(v))
        return 0;
    const double r = std::nearbyint(v);
    if (r >= 9.2233720368547758e18)
        return std::numeric_limits<std::int64_t>::max();
    if (r <= -9.2233720368547758e18)
        return std::numeric_limits<std::int64_t>::min();
    return std::int64_t(r);
}

QString NumIO2FormatValue(double value, TInFormat format, int sigDigits, int decPlaces, QChar decSep)
{
    QString s;
    switch (format) {
    case itExp:
        s = FloatToFmtText(sigDigits + 6, -2, value);
        break;
    case itFloat:
    case itFixPoint:
        s = FloatToFmtText(1, decPlaces, value);
        break;
    case itInt:
    case itDynamic:
        return QString::number(RoundedInt64(value));
    case itHex:
        return IntToHexText(RoundToInt32Bits(value), 8);
    case itOct:
        return IntToOctText(RoundToInt32Bits(value), 11);
    case itBin:
        return IntToBinText(RoundToInt32Bits(value), 32);
    }
    if (decSep != '.')
        s.replace('.', decSep);
    return s;
}

/// Whole-text read of an integer in one of the bases; anything else reads as 0.
template <class Scan>
static double ReadWholeInt(const QString& text, Scan scan)
{
    if (text.isEmpty())
        return 0.0;
    int pos = 1;
    const std::int32_t v = scan(text, pos);
    if (pos != text.size() + 1)
        return 0.0;
    return double(v);
}

double NumIO2ParseValue(const QString& text, TInFormat format)
{
    switch (format) {
    case itExp:
    case itFloat:
    case itFixPoint: {
        int pos = 1;
        return double(ScanFloatText(text, true, smBoth, pos));
    }
    case itInt: {
        if (!CheckIntText(text))
            return 0.0;
        bool ok = false;
        const qlonglong v = text.toLongLong(&ok);
        const bool negative = text.startsWith('-');
        // Too large for an integer: the bound on the side of the text's sign.
        if (!ok || v > std::numeric_limits<std::int32_t>::max() || v < std::numeric_limits<std::int32_t>::min())
            return negative ? double(std::numeric_limits<std::int32_t>::min())
                            : double(std::numeric_limits<std::int32_t>::max());
        return double(v);
    }
    case itHex:
        return ReadWholeInt(text, [](const QString& t, int& p) { return ScanHexText(t, p); });
    case itOct:
        return ReadWholeInt(text, [](const QString& t, int& p) { return ScanOctText(t, p); });
    case itBin:
        return ReadWholeInt(text, [](const QString& t, int& p) { return ScanBinText(t, p); });
    case itDynamic: {
        if (text.isEmpty())
            return 0.0;
        const QChar c = text.at(0);
        const QString rest = text.mid(1);
        if (c == '$')
            return ReadWholeInt(rest, [](const QString& t, int& p) { return ScanHexText(t, p); });
        if (c == '%')
            return ReadWholeInt(rest, [](const QString& t, int& p) { return ScanBinText(t, p); });
        if (c == '&')
            return ReadWholeInt(rest, [](const QString& t, int& p) { return ScanOctText(t, p); });
        int pos = 1;
        return double(ScanFloatText(text, true, smBoth, pos));
    }
    }
    return 0.0;
}

} // namespace qor
