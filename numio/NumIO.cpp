// TNumIO: an edit field that accepts only numbers in its format and range.
#include "numio/QOR_NumIO.h"
#include "foundation/QOR_Store.h"
#include "numio/NumFormats_p.h"

#include <algorithm>
#include <bit>
#include <cmath>
#include <cstdint>

namespace qor {

using namespace numfmt;

TNumIO::TNumIO(QWidget* owner) : TCustomEdit(owner)
{
    SetEditText(QString());
    if (OwnerDesigning(owner)) {
        FMinimum = -uc_MaxDouble;
        FMaximum = uc_MaxDouble;
    }
}

void TNumIO::SetDecPlaceSep(TDecPSep sep)
{
    if (!Store(FDecPSep, sep))
        return;
    restartCheck();
}

void TNumIO::SetFixPointDecPlaces(int places)
{
    FFixPDecPl = places <= 0 ? 1 : (places >= 9 ? 8 : places);
}

void TNumIO::SetInputFormat(TInFormat format)
{
    if (!Store(FInFormat, format))
        return;
    restartCheck();
}

void TNumIO::SetRangeLow(double x)
{
    if (std::isnan(x))
        return; // a NaN bound would make every comparison false and the range meaningless
    if (x >= FMaximum) {
        FMinimum = FMaximum;
        FMaximum = x;
    } else {
        FMinimum = x;
    }
    restartCheck();
}

void TNumIO::SetRangeHigh(double x)
{
    if (std::isnan(x))
        return;
    if (x > FMinimum) {
        FMaximum = x;
    } else {
        FMaximum = FMinimum;
        FMinimum = x;
    }
    restartCheck();
}

// After a change of format, range or separator the old undo target may not be valid
// any more, so it is dropped and the current text checked afresh.
void TNumIO::restartCheck()
{
    FOldText.clear();
    Change();
}

void TNumIO::SetEditText(const QString& text)
{
    // Setting the text already shown brings no change notification; raising the flag
    // then would let the next real change slip through unchecked.
    if (this->text() == text)
        return;
    FInternalChg = true;
    setText(text);
    FInternalChg = false;
}

namespace {

// Whether the digits of a whole integer text fit 32 bits: a decimal integer in the signed range,
// the other bases in 32 bits (their texts show negative numbers as two's complement). More
// digits would wrap into another number than the one shown.
bool fitsIn32Bits(const QString& text, unsigned base)
{
    const bool negative = base == 10 && text.startsWith(QChar('-'));
    const std::uint64_t limit = base != 10 ? 0xFFFFFFFFull : negative ? 2147483648ull : 2147483647ull;
    std::uint64_t v = 0;
    for (const QChar c : text) {
        const qsizetype d = QStringView(u"0123456789abcdef").indexOf(c.toLower());
        if (d < 0 || d >= qsizetype(base))
            continue; // the sign or the prefix
        v = v * base + std::uint64_t(d);
        if (v > limit)
            return false;
    }
    return true;
}

} // namespace

bool TNumIO::ConvertNumString(const QString& text, double& value) const
{
    return convert(text, value, SepUse::Typed);
}

bool TNumIO::convert(const QString& input, double& value, SepUse use) const
{
    if (input.isEmpty())
        return false;
    value = 0.0;
    TSepMode mode = SepModeRuleA(FDecPSep);
    // The shown text has had its comma turned into a point already (see Value()).
    if (use == SepUse::Shown && mode == smComma)
        mode = smBoth;

    qsizetype lead = 0;
    while (lead < input.size() && input.at(lead) == QChar(' '))
        ++lead;
    QString text = input.mid(lead);
    if (text.contains(QChar(' ')))
        return false;
    text = text.toLower();
    if (text.isEmpty())
        return true;

    TInFormat format = FInFormat;
    int pos = 1;
    if (format == itDynamic) {
        const QChar first = text.at(0);
        if (first == QChar('$')) {
            format = itHex; // ScanHexText skips the "$" at position 1 itself
        } else if (first == QChar('%')) {
            format = itBin;
            pos = 2;
        } else if (first == QChar('&')) {
            format = itOct;
            pos = 2;
        } else {
            format = itExp;
        }
    }

    unsigned base = 0; // of an integer format
    switch (format) {
    case itExp: {
        // An exponent still being typed ('1e', '1e-') does not count against the text.
        const qsizetype e = text.indexOf(QChar('e'));
        const qsizetype len = text.size();
        if (e >= 0 && (e == len - 1 || (e == len - 2 && (text.at(len - 1) == QChar('-') || text.at(len - 1) == QChar('+')))))
            text.truncate(e);
        value = ScanFloatText(text, true, mode, pos);
        break;
    }
    case itFloat:
    case itFixPoint:
        value = ScanFloatText(text, false, mode, pos);
        break;
    case itInt:
        value = double(ScanIntText(text, pos));
        base = 10;
        break;
    case itHex:
        value = double(ScanHexText(text, pos));
        base = 16;
        break;
    case itOct:
        value = double(ScanOctText(text, pos));
        base = 8;
        break;
    case itBin:
        value = double(ScanBinText(text, pos));
        base = 2;
        break;
    case itDynamic:
        break;
    }
    const bool whole = pos == text.size() + 1;
    if (whole && base != 0 && !fitsIn32Bits(text, base))
        return false; // the scan wrapped: the text shows another number than the value
    return whole;
}

double TNumIO::Value() const
{
    QString text = Text();
    const qsizetype comma = text.indexOf(QChar(','));
    if (comma >= 0)
        text[comma] = QChar('.');
    if (text.endsWith(QChar('.')))
        text += QChar('0');
    double value = 0.0;
    return convert(text, value, SepUse::Shown) ? value : 0.0;
}

namespace {

// Eight digits, or as many as the 32 bits of the value need: eight octal or binary digits
// would drop the higher bits, and the field would show another number.
int digitsFor(std::int32_t value, int bitsPerDigit)
{
    const int bits = 32 - std::countl_zero(std::uint32_t(value));
    return std::max(8, (bits + bitsPerDigit - 1) / bitsPerDigit);
}

} // namespace

QString TNumIO::textForValue(double value) const
{
    QString text;
    switch (FInFormat) {
    case itFloat: text = FloatToFmtText(1, 8, value); break;
    case itFixPoint: text = FloatToFmtText(1, FFixPDecPl, value); break;
    case itInt: text = FloatToFmtText(1, 0, value); break;
    case itHex: return IntToHexText(RoundToInt32Bits(value), 8);
    case itOct: return IntToOctText(RoundToInt32Bits(value), digitsFor(RoundToInt32Bits(value), 3));
    case itBin: return IntToBinText(RoundToInt32Bits(value), digitsFor(RoundToInt32Bits(value), 1));
    case itExp:
    case itDynamic: text = FloatToFmtText(12, -2, value); break;
    }
    // A field that reads only "," as the separator must also show it, or its own
    // check would refuse every later edit of the number.
    if (SepModeRuleA(FDecPSep) == smComma)
        text.replace(QChar('.'), QChar(','));
    return text;
}

void TNumIO::SetValue(double value)
{
    const QString text = textForValue(value);
    SetEditText(text);
    // The number set by the program is the one a refused keystroke returns to.
    FOldText = text;
}

void TNumIO::Change()
{
    if (Designing())
        return;
    if (FInternalChg) {
        FInternalChg = false;
        return;
    }

    const QString t = text();
    const int caret = SelStart();
    bool hasPending = false;
    QString pending;
    int pendingCaret = caret;
    auto replaceWith = [&](const QString& s, int caretPos) {
        hasPending = true;
        pending = s;
        pendingCaret = caretPos;
    };

    QString checked = t;
    const QChar point = SepModeRuleA(FDecPSep) == smComma ? QChar(',') : QChar('.');
    if (FInFormat == itFixPoint) {
        int p = int(t.indexOf(point)) + 1;
        const int q = p > 0 ? int(t.indexOf(point, p)) + 1 : 0;
        if (p == 0) {
            p = int(FOldText.indexOf(point)) + 1;
            if (p > 1)
                --p;
            replaceWith(FOldText, p);
        }
        if (p < q || p == 0)
            replaceWith(FOldText, int(FOldText.indexOf(point)) + 1);
        const qsizetype firstPoint = t.indexOf(point);
        if (firstPoint >= 0 && t.size() - firstPoint - 1 > FFixPDecPl) {
            replaceWith(t.left(firstPoint + 1 + FFixPDecPl), caret);
            // Surplus decimals are dropped, not rounded into the ones kept: typing a
            // digit past the last place must not change the digits before it.
            if (q == 0)
                checked = pending;
        }
    }

    double value = 0.0;
    bool failed = true;
    if (ConvertNumString(t, value)) {
        if (FInFormat == itFixPoint) {
            if (checked != t)
                ConvertNumString(checked, value);
            QString formatted = FloatToFmtText(1, FFixPDecPl, value);
            if (point != QChar('.'))
                formatted.replace(QChar('.'), point);
            replaceWith(formatted, caret);
        }
        if ((value >= FMinimum && value <= FMaximum) || value == 0.0) {
            failed = false;
            // The undo target is what stays on screen: for fixed point the reformatted text.
            FOldText = hasPending ? pending : t;
            if (hasPending) {
                SetEditText(pending);
                SetSelStart(pendingCaret);
                hasPending = false;
            }
            // Listeners see the text in its final form.
            TCustomEdit::Change();
        }
    }

    if (failed) {
        replaceWith(FOldText, caret - 1);
        if (FBeep)
            MessageBeep(0);
    }
    if (hasPending) {
        SetEditText(pending);
        SetSelStart(qMax(0, pendingCaret));
    }
    if (failed)
        Update();
}

void TNumIO::Assign(const QObject* source)
{
    if (const auto* other = qobject_cast<const TNumIO*>(source)) {
        FInFormat = other->FInFormat;
        FBeep = other->FBeep;
        FMinimum = other->FMinimum;
        FMaximum = other->FMaximum;
        FDecPSep = other->FDecPSep;
        restartCheck();
        return;
    }
    TCustomEdit::Assign(source);
}

void TNumIO::AssignTo(QObject* dest) const
{
    // Only a TNumIO destination can take the settings; handing any other class back
    // to its Assign would bounce between Assign and AssignTo for ever.
    auto* target = qobject_cast<TNumIO*>(dest);
    if (target && metaObject()->inherits(dest->metaObject())) {
        target->Assign(this);
        return;
    }
    TCustomEdit::AssignTo(dest);
}

} // namespace qor
