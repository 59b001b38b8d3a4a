// Number <-> text routines of the numeric entry fields.
#include "numio/NumFormats_p.h"

#include <QLocale>

#include <algorithm>
#include <charconv>
#include <cstdint>
#include <cmath>
#include <string>

namespace qor::numfmt {

QChar LocaleDecimalSeparator()
{
    const QString dp = QLocale().decimalPoint();
    return dp.isEmpty() ? QChar('.') : dp.at(0);
}

TSepMode SepModeRuleA(TDecPSep sep)
{
    switch (sep) {
    case dsPoint: return smPoint;
    case dsComma: return smComma;
    case dsBoth: return smBoth;
    default: return LocaleDecimalSeparator() == QChar(',') ? smComma : smPoint;
    }
}

TSepMode SepModeRuleB(TDecPSep sep)
{
    switch (sep) {
    case dsPoint: return smPoint;
    case dsComma: return smComma;
    case dsBoth: return smBoth;
    default: return LocaleDecimalSeparator() == QChar('.') ? smPoint : smComma;
    }
}

namespace {

// ---------------------------------------------------------------------------------
// The decimal scanner's state machine, shared by ScanFloatText and CheckExpText.

enum CharClass : int { ccSep = 0, ccBlank, ccSign, ccDigit, ccExp, ccOther };

constexpr signed char stAccept = 0;
constexpr signed char stReject = -1;
constexpr signed char stExpOrAccept = 9; // "E" opens the exponent only when it is allowed

// Rows are the states 1..8 (row 0 unused), columns the character classes.
constexpr signed char kTransitions[9][6] = {
    {stReject, stReject, stReject, stReject, stReject, stReject},
    {4, 1, 2, 3, stReject, stReject},
    {4, stReject, stReject, 3, stReject, stReject},
    {4, stAccept, stAccept, 3, stExpOrAccept, stAccept},
    {stReject, stAccept, stAccept, 5, stExpOrAccept, stAccept},
    {stReject, stAccept, stAccept, 5, stExpOrAccept, stAccept},
    {stReject, stReject, 7, 8, stReject, stAccept},
    {stReject, stReject, stReject, 8, stReject, stAccept},
    {stAccept, stAccept, stAccept, 8, stAccept, stAccept},
};

constexpr char16_t upperAscii(char16_t c)
{
    return (c >= u'a' && c <= u'z') ? char16_t(c - (u'a' - u'A')) : c;
}

constexpr int classify(char16_t c, TSepMode mode)
{
    if ((c == u'.' && mode != smComma) || (c == u',' && mode != smPoint))
        return ccSep;
    if (c == u' ')
        return ccBlank;
    if (c == u'+' || c == u'-')
        return ccSign;
    if (c >= u'0' && c <= u'9')
        return ccDigit;
    if (c == u'E')
        return ccExp;
    return ccOther;
}

// The classes of the ASCII characters per separator mode, lower-case "e" already as "E": the
// scanner's hot loop then costs one load per character.
struct ClassTable {
    unsigned char cls[3][128];
    constexpr ClassTable() : cls{}
    {
        for (int m = 0; m < 3; ++m)
            for (int c = 0; c < 128; ++c)
                cls[m][c] = static_cast<unsigned char>(classify(upperAscii(char16_t(c)), TSepMode(m)));
    }
};
constexpr ClassTable kClasses;

inline int classifyFast(char16_t c, TSepMode mode)
{
    return c < 128 ? int(kClasses.cls[int(mode)][c]) : int(ccOther);
}

inline signed char nextState(int state, int cls, bool allowExp)
{
    signed char next = kTransitions[state][cls];
    if (next == stExpOrAccept)
        next = allowExp ? 6 : stAccept;
    return next;
}

// Exponent digits as read so far; saturates well above the cut so it cannot overflow.
inline int addExpDigit(int state, int previousState, int expValue, char16_t digit)
{
    const int d = int(digit - u'0');
    if (state != 8)
        return expValue;
    if (previousState == 6 || previousState == 7)
        return d;
    return expValue >= 100000000 ? expValue : expValue * 10 + d;
}

// A small growable character buffer: numbers are short, so no heap in the common case.
class NumText {
public:
    void push(char c)
    {
        if (m_len < int(sizeof(m_stack))) {
            m_stack[m_len++] = c;
            return;
        }
        if (m_heap.empty())
            m_heap.assign(m_stack, m_stack + m_len);
        m_heap.push_back(c);
        ++m_len;
    }
    const char* data() const { return m_heap.empty() ? m_stack : m_heap.data(); }
    int size() const { return m_len; }
    char back() const { return data()[m_len - 1]; }

private:
    char m_stack[64];
    std::string m_heap;
    int m_len = 0;
};

// Whether a decimal text too large or too small for a double lies above 1 in magnitude.
bool magnitudeAboveOne(const char* first, const char* last)
{
    int intDigits = 0;
    int leadOrder = 0;
    bool seenPoint = false;
    bool seenNonZero = false;
    int fracIndex = 0;
    const char* p = first;
    for (; p != last && *p != 'E' && *p != 'e'; ++p) {
        const char c = *p;
        if (c == '.') {
            seenPoint = true;
            continue;
        }
        if (c < '0' || c > '9')
            continue;
        if (!seenPoint) {
            if (seenNonZero || c != '0') {
                if (!seenNonZero)
                    seenNonZero = true;
                ++intDigits;
            }
        } else {
            ++fracIndex;
            if (!seenNonZero && c != '0') {
                seenNonZero = true;
                leadOrder = -fracIndex;
            }
        }
    }
    if (!seenNonZero)
        return false;
    if (intDigits > 0)
        leadOrder = intDigits - 1;
    long exponent = 0;
    bool negExp = false;
    if (p != last) {
        ++p;
        if (p != last && (*p == '+' || *p == '-')) {
            negExp = *p == '-';
            ++p;
        }
        for (; p != last && *p >= '0' && *p <= '9'; ++p)
            exponent = std::min(exponent * 10 + (*p - '0'), 100000000L);
    }
    const long order = leadOrder + (negExp ? -exponent : exponent);
    return order > 0;
}

double convertNumberText(const NumText& text)
{
    const char* first = text.data();
    const char* last = first + text.size();
    while (first != last && *first == ' ')
        ++first;
    bool negative = false;
    if (first != last && (*first == '+' || *first == '-')) {
        negative = *first == '-';
        ++first;
    }
    double value = 0.0;
    const auto res = std::from_chars(first, last, value, std::chars_format::general);
    if (res.ec == std::errc::result_out_of_range)
        value = magnitudeAboveOne(first, last) ? uc_MaxDouble : 0.0;
    else if (res.ec != std::errc())
        value = 0.0;
    return negative ? -value : value;
}

} // namespace

namespace {

// The general path: the accepted text as a C string for std::from_chars. Runs the state machine
// again from the start; only inputs outside the fast path below come here.
double convertScannedText(const QChar* data, int len, bool allowExp, TSepMode mode, int pos)
{
    NumText number;
    int state = 1;
    int expValue = 0;
    for (;; ++pos) {
        const char16_t c = (pos <= len) ? upperAscii(data[pos - 1].unicode()) : u'Z';
        const int cls = classify(c, mode);
        const signed char next = nextState(state, cls, allowExp);
        if (next == stAccept || next == stReject)
            break;
        if (cls == ccDigit)
            expValue = addExpDigit(next, state, expValue, c);
        state = next;
        if (expValue <= MaxExponentDigitsValue)
            number.push(c == u',' ? '.' : char(c));
    }
    if (number.size() > 0 && number.back() == '.')
        number.push('0');
    return std::clamp(convertNumberText(number), -uc_MaxDouble, uc_MaxDouble);
}

} // namespace

namespace {

// A decimal number as read: an integer mantissa of at most 19 significant digits and the
// decimal exponents of fraction and exponent part.
struct DecimalParts {
    std::uint64_t mantissa = 0;
    int significant = 0;
    int fracDigits = 0;
    int expValue = 0;
    bool negative = false;
    bool negativeExp = false;
};

// Reads a run of decimal digits from index i into the mantissa and returns the index after
// it. Leading zeros are not significant; digits past the 19th no longer fit and are counted.
inline int readDigits(const QChar* data, int len, int i, DecimalParts& n)
{
    if (n.significant == 0)
        while (i < len && data[i].unicode() == u'0')
            ++i;
    for (; i < len; ++i) {
        const unsigned d = unsigned(data[i].unicode()) - u'0';
        if (d > 9)
            break;
        if (++n.significant <= 19)
            n.mantissa = n.mantissa * 10 + d;
    }
    return i;
}

// The scanner's state machine (kTransitions) written out as code, so the digit runs, where
// nearly all the time goes, become tight loops. Leaves i on the character that ended the scan
// and tells whether the scan accepted.
bool scanDecimal(const QChar* data, int len, int& i, bool allowExp, TSepMode mode, DecimalParts& n)
{
    // Past the end reads as an "other" character, which accepts wherever acceptance is possible.
    const auto classAt = [&](int k) { return k < len ? classifyFast(data[k].unicode(), mode) : int(ccOther); };
    while (i < len && data[i].unicode() == u' ')
        ++i;
    int cls = classAt(i);
    if (cls == ccSign) {
        n.negative = data[i].unicode() == u'-';
        cls = classAt(++i);
        if (cls != ccDigit && cls != ccSep)
            return false;
    }
    if (cls == ccDigit) {
        i = readDigits(data, len, i, n);
        cls = classAt(i);
    } else if (cls != ccSep) {
        return false;
    }
    if (cls == ccSep) {
        const int first = ++i;
        cls = classAt(i);
        if (cls == ccDigit) {
            i = readDigits(data, len, i, n);
            n.fracDigits = i - first;
            cls = classAt(i);
        }
        if (cls == ccSep)
            return false;
    }
    if (cls != ccExp || !allowExp)
        return true;
    cls = classAt(++i);
    if (cls == ccSign) {
        n.negativeExp = data[i].unicode() == u'-';
        cls = classAt(++i);
    }
    if (cls != ccDigit)
        return cls == ccOther;
    for (; i < len; ++i) {
        const unsigned d = unsigned(data[i].unicode()) - u'0';
        if (d > 9)
            break;
        // Saturates well above the cut, so it cannot overflow.
        if (n.expValue < 100000000)
            n.expValue = n.expValue * 10 + int(d);
    }
    return true;
}

} // namespace

double ScanFloatText(const QChar* data, int len, bool allowExp, TSepMode mode, int& pos)
{
    if (pos < 1)
        pos = 1;
    const int start = pos;
    int i = pos - 1;
    DecimalParts n;
    const bool accepted = scanDecimal(data, len, i, allowExp, mode, n);
    pos = i + 1;
    if (!accepted)
        return 0.0;
    // Clinger's fast path: a mantissa up to 2^53 and a power of ten up to 1e22 are both exact
    // doubles, so one multiplication or division rounds correctly, as the general path would.
    static constexpr double kPow10[] = {1e0,  1e1,  1e2,  1e3,  1e4,  1e5,  1e6,  1e7,
                                        1e8,  1e9,  1e10, 1e11, 1e12, 1e13, 1e14, 1e15,
                                        1e16, 1e17, 1e18, 1e19, 1e20, 1e21, 1e22};
    const int exp10 = (n.negativeExp ? -n.expValue : n.expValue) - n.fracDigits;
    if (n.significant <= 19 && n.mantissa <= (std::uint64_t(1) << 53) && exp10 >= -22 && exp10 <= 22) {
        const double m = double(n.mantissa);
        const double value = exp10 < 0 ? m / kPow10[-exp10] : m * kPow10[exp10];
        return n.negative ? -value : value;
    }
    return convertScannedText(data, len, allowExp, mode, start);
}

double ScanFloatText(const QString& text, bool allowExp, TSepMode mode, int& pos)
{
    return ScanFloatText(text.constData(), int(text.size()), allowExp, mode, pos);
}

bool CheckExpText(const QString& text, bool allowExp, TDecPSep sep)
{
    if (text.isEmpty())
        return false;
    const TSepMode mode = SepModeRuleB(sep);
    const int len = int(text.size());
    int state = 1;
    int expValue = 0;
    for (int pos = 1;; ++pos) {
        const char16_t c = (pos <= len) ? upperAscii(text.at(pos - 1).unicode()) : u'Z';
        const int cls = classify(c, mode);
        const signed char next = nextState(state, cls, allowExp);
        if (next == stAccept)
            return true;
        if (next == stReject)
            return false;
        if (cls == ccDigit) {
            expValue = addExpDigit(next, state, expValue, c);
            if (expValue > MaxExponentDigitsValue)
                return false;
        }
        state = next;
    }
}

bool CheckFloatText(const QString& text, TDecPSep sep)
{
    if (text.isEmpty())
        return false;
    const TSepMode mode = SepModeRuleB(sep);
    enum { Start, Sign, Integer, Separator, Fraction, Bad } state = Start;
    for (const QChar qc : text) {
        const char16_t c = qc.unicode();
        const bool isSep = classify(c, mode) == ccSep;
        const bool isDigit = c >= u'0' && c <= u'9';
        switch (state) {
        case Start:
            if (c == u'+' || c == u'-')
                state = Sign;
            else if (isSep)
                state = Separator;
            else if (isDigit)
                state = Integer;
            else
                state = Bad;
            break;
        case Sign:
        case Integer:
            if (isSep)
                state = Separator;
            else if (isDigit)
                state = Integer;
            else
                state = Bad;
            break;
        case Separator:
        case Fraction:
            state = isDigit ? Fraction : Bad;
            break;
        case Bad:
            break;
        }
        if (state == Bad)
            return false;
    }
    return true;
}

bool CheckIntText(const QString& text)
{
    if (text.isEmpty())
        return false;
    auto isDigit = [](QChar c) { return c >= QChar('0') && c <= QChar('9'); };
    if (text.size() == 1)
        return isDigit(text.at(0));
    const QChar first = text.at(0);
    if (!(first == QChar('+') || first == QChar('-') || isDigit(first)))
        return false;
    for (qsizetype i = 1; i < text.size(); ++i)
        if (!isDigit(text.at(i)))
            return false;
    return true;
}

namespace {

// Value of c as a digit of the base (after upper-casing), -1 when it is none.
inline int digitValue(char16_t c, int base)
{
    static constexpr char16_t kDigits[] = u"0123456789ABCDEF";
    c = upperAscii(c);
    for (int i = 0; i < base; ++i)
        if (kDigits[i] == c)
            return i;
    return -1;
}

bool allDigitsOfBase(const QString& text, int base)
{
    if (text.isEmpty())
        return false;
    for (const QChar c : text) {
        if (digitValue(c.unicode(), base) < 0)
            return false;
    }
    return true;
}

std::int32_t scanBase(const QString& text, int& pos, unsigned base, bool withSign, bool withDollar)
{
    const int len = int(text.size());
    if (pos < 1)
        pos = 1;
    while (pos < len && text.at(pos - 1) == QChar(' '))
        ++pos;
    bool negative = false;
    if (withSign && pos <= len) {
        const QChar c = text.at(pos - 1);
        if (c == QChar('-')) {
            negative = true;
            ++pos;
        } else if (c == QChar('+')) {
            ++pos;
        }
    }
    if (withDollar && pos == 1 && len >= 1 && text.at(0) == QChar('$'))
        ++pos;
    std::uint32_t value = 0;
    while (pos <= len) {
        const int d = digitValue(text.at(pos - 1).unicode(), int(base));
        if (d < 0)
            break;
        value = value * base + std::uint32_t(d);
        ++pos;
    }
    if (negative)
        value = 0u - value;
    return std::int32_t(value);
}

} // namespace

bool CheckHexText(const QString& text) { return allDigitsOfBase(text, 16); }
bool CheckOctText(const QString& text) { return allDigitsOfBase(text, 8); }
bool CheckBinText(const QString& text) { return allDigitsOfBase(text, 2); }

std::int32_t ScanIntText(const QString& text, int& pos) { return scanBase(text, pos, 10, true, false); }
std::int32_t ScanHexText(const QString& text, int& pos) { return scanBase(text, pos, 16, false, true); }
std::int32_t ScanOctText(const QString& text, int& pos) { return scanBase(text, pos, 8, false, false); }
std::int32_t ScanBinText(const QString& text, int& pos) { return scanBase(text, pos, 2, false, false); }

namespace {

QString padLeft(const QString& s, int width)
{
    if (s.size() >= width)
        return s;
    return QString(width - int(s.size()), QChar(' ')) + s;
}

QString nonFiniteText(double value)
{
    if (std::isnan(value))
        return QStringLiteral("NAN");
    return value < 0 ? QStringLiteral("-INF") : QStringLiteral("INF");
}

} // namespace

QString FloatToFmtText(int width, int decimals, double value)
{
    if (!std::isfinite(value))
        return padLeft(nonFiniteText(value), width);
    const bool negative = value < 0;
    const double magnitude = std::fabs(value);
    if (decimals >= 0) {
        // 309 integer digits at most, then the decimals.
        std::string buf(size_t(330 + decimals), '\0');
        const auto res = std::to_chars(buf.data(), buf.data() + buf.size(), magnitude,
                                       std::chars_format::fixed, decimals);
        QString text = QString::fromLatin1(buf.data(), res.ptr - buf.data());
        if (negative)
            text.prepend(QChar('-'));
        return padLeft(text, width);
    }
    const int fraction = std::max(width - 7, 0);
    std::string buf(size_t(40 + fraction), '\0');
    const auto res = std::to_chars(buf.data(), buf.data() + buf.size(), magnitude,
                                   std::chars_format::scientific, fraction);
    const std::string sci(buf.data(), res.ptr);
    const size_t e = sci.find('e');
    const std::string mantissa = sci.substr(0, e);
    const char expSign = sci[e + 1];
    const std::string expDigits = sci.substr(e + 2);
    QString text;
    text.reserve(width);
    text += negative ? QChar('-') : QChar(' ');
    text += QString::fromLatin1(mantissa.data(), qsizetype(mantissa.size()));
    text += QChar('E');
    text += QChar(expSign);
    if (expDigits.size() > 2) {
        // An exponent of three digits or more does not fit: the whole field shows "*".
        const int len = std::max(int(text.size()) + 2, width);
        return QString(len, QChar('*'));
    }
    text += QString::fromLatin1(expDigits.data(), qsizetype(expDigits.size()));
    return padLeft(text, width);
}

namespace {

QString intToBaseText(std::int32_t value, int count, int maxCount, unsigned bits)
{
    static constexpr char kDigits[] = "0123456789ABCDEF";
    if (count <= 0)
        count = 1;
    count = std::min(count, maxCount);
    std::uint32_t v = std::uint32_t(value);
    const std::uint32_t mask = (1u << bits) - 1u;
    QString text(count, QChar('0'));
    for (int i = count - 1; i >= 0; --i) {
        text[i] = QChar(kDigits[v & mask]);
        v >>= bits;
    }
    return text;
}

} // namespace

QString IntToHexText(std::int32_t value, int count) { return intToBaseText(value, count, 8, 4); }
QString IntToOctText(std::int32_t value, int count) { return intToBaseText(value, count, 11, 3); }
QString IntToBinText(std::int32_t value, int count) { return intToBaseText(value, count, 32, 1); }

std::int32_t RoundToInt32Bits(double value)
{
    if (!std::isfinite(value))
        return 0;
    const double r = std::nearbyint(value);
    double low = std::fmod(r, 4294967296.0);
    if (low < 0)
        low += 4294967296.0;
    return std::int32_t(std::uint32_t(low));
}

} // namespace qor::numfmt
