// Keystrokes into both numeric fields, in every input format, separator choice and range:
// real key events (digits, signs, separators, exponent and hexadecimal letters, editing and
// moving keys, Enter, Escape, the clipboard keys, the keypad and any character at all).
// After every key the text shown must be one the field's format accepts, its value must be
// the reading of that text (within the range or zero for the edit field), and when the program
// writes the value back ("Enter" below), the new text must read back as that value within the
// precision of the format.
#include "FuzzSupport.h"
#include "NumTextReference.h"

#include "numio/NumFormats_p.h"
#include "numio/QOR_NumIO.h"

#include <QApplication>
#include <QClipboard>
#include <QKeyEvent>

#include <cfloat>
#include <cmath>
#include <exception>
#include <limits>

using namespace qor;
using qor::fuzzing::TFuzzInput;
using namespace qor::fuzzing::numref;

namespace {

const TDecPSep kSeps[] = {dsSysDefault, dsPoint, dsComma, dsBoth};

struct Key {
    int key;
    QString text;
    Qt::KeyboardModifiers mods;
};

void Send(QWidget* w, const Key& k)
{
    QKeyEvent press(QEvent::KeyPress, k.key, k.mods, k.text);
    QApplication::sendEvent(w, &press);
    QKeyEvent release(QEvent::KeyRelease, k.key, k.mods, k.text);
    QApplication::sendEvent(w, &release);
}

void SendPress(QWidget* w, int key, bool press)
{
    const Qt::KeyboardModifiers mods = !press               ? Qt::NoModifier
                                       : key == Qt::Key_Shift ? Qt::ShiftModifier
                                                              : Qt::ControlModifier;
    QKeyEvent e(press ? QEvent::KeyPress : QEvent::KeyRelease, key, mods);
    QApplication::sendEvent(w, &e);
}

Key CharKey(QChar c)
{
    const char16_t u = c.unicode();
    int key = 0;
    Qt::KeyboardModifiers mods = Qt::NoModifier;
    if (u >= 'a' && u <= 'z')
        key = Qt::Key_A + (u - 'a');
    else if (u >= 'A' && u <= 'Z') {
        key = Qt::Key_A + (u - 'A');
        mods = Qt::ShiftModifier;
    } else if (u >= 0x20 && u <= 0xFF)
        key = u; // Qt's key codes of Latin-1 characters are the characters
    if (u == '$' || u == '%' || u == '&' || u == '+')
        mods = Qt::ShiftModifier;
    return {key, QString(c), mods};
}

// What the next byte of the input does: a key, a modifier held or let go, or the program's
// "Enter", which writes the value it read back into the field.
enum class Act { Key, Press, Release, WriteBack };

struct Action {
    Act act = Act::Key;
    Key key{};
};

Action NextAction(TFuzzInput& in)
{
    static const char kChars[] = "0123456789+-.,eEabcdfF x$%&";
    const int n = int(sizeof kChars) - 1;
    const int op = in.Byte() % (n + 32);
    if (op < n)
        return {Act::Key, CharKey(QChar(kChars[op]))};
    const auto none = Qt::NoModifier;
    const auto shift = Qt::ShiftModifier;
    const auto ctrl = Qt::ControlModifier;
    switch (op - n) {
    case 0: return {Act::Key, {Qt::Key_Backspace, QString(QChar(8)), none}};
    case 1: return {Act::Key, {Qt::Key_Delete, QString(QChar(127)), none}};
    case 2: return {Act::Key, {Qt::Key_Home, {}, none}};
    case 3: return {Act::Key, {Qt::Key_End, {}, none}};
    case 4: return {Act::Key, {Qt::Key_Left, {}, none}};
    case 5: return {Act::Key, {Qt::Key_Right, {}, none}};
    case 6: return {Act::Key, {Qt::Key_Up, {}, none}};
    case 7: return {Act::Key, {Qt::Key_Down, {}, none}};
    case 8: return {Act::Key, {Qt::Key_Return, QStringLiteral("\r"), none}};
    case 9: return {Act::Key, {Qt::Key_Escape, QString(QChar(27)), none}};
    case 10: return {Act::Key, {Qt::Key_Left, {}, shift}};
    case 11: return {Act::Key, {Qt::Key_Right, {}, shift}};
    case 12: return {Act::Key, {Qt::Key_Home, {}, shift}};
    case 13: return {Act::Key, {Qt::Key_End, {}, shift}};
    case 14: return {Act::Key, {Qt::Key_A, QString(QChar(1)), ctrl}};
    case 15: return {Act::Key, {Qt::Key_C, QString(QChar(3)), ctrl}};
    case 16: return {Act::Key, {Qt::Key_V, QString(QChar(22)), ctrl}};
    case 17: return {Act::Key, {Qt::Key_X, QString(QChar(24)), ctrl}};
    case 18: return {Act::Key, {Qt::Key_Z, QString(QChar(26)), ctrl}};
    case 19: return {Act::Key, {Qt::Key_Z, QString(QChar(26)), ctrl | shift}};
    case 20: {
        const int d = in.Byte() % 10;
        return {Act::Key, {Qt::Key_0 + d, QString(QChar('0' + d)), Qt::KeypadModifier}};
    }
    case 21: {
        const bool comma = in.Bool();
        return {Act::Key, {Qt::Key_Period, QString(QChar(comma ? ',' : '.')), Qt::KeypadModifier}};
    }
    case 22: {
        // Any character at all, with the key Qt would report for it.
        const auto hi = in.Byte();
        const auto lo = in.Byte();
        return {Act::Key, CharKey(QChar(char16_t(hi << 8 | lo)))};
    }
    case 23: return {Act::Press, {Qt::Key_Shift, {}, shift}};
    case 24: return {Act::Release, {Qt::Key_Shift, {}, none}};
    case 25: return {Act::Press, {Qt::Key_Control, {}, ctrl}};
    case 26: return {Act::Release, {Qt::Key_Control, {}, none}};
    case 27: return {Act::Key, {Qt::Key_Tab, QStringLiteral("\t"), none}};
    case 28: return {Act::Key, {Qt::Key_F5, {}, none}};
    case 29: {
        // The dynamic prefixes as the digit keys with Shift report them in the tests.
        const int d = 4 + in.Byte() % 3;
        return {Act::Key, {Qt::Key_0 + d, QString(QChar('0' + d)), shift}};
    }
    case 30: return {Act::Key, {Qt::Key_Enter, QStringLiteral("\r"), Qt::KeypadModifier}};
    default: return {Act::WriteBack, {}};
    }
}

// ---- the reading of a text, per format -------------------------------------------------

// Digits of the base after the prefix, as the 32 bits they give (two's complement); false when
// another character stands there, or, when Strict, when the digits need more than 32 bits.
bool ReadBase(const QString& s, int base, double& value, bool strict = false)
{
    unsigned long long v = 0;
    bool over = false;
    for (const QChar c : s) {
        int d = -1;
        const char16_t u = c.toUpper().unicode();
        if (u >= '0' && u <= '9')
            d = u - '0';
        else if (u >= 'A' && u <= 'F')
            d = u - 'A' + 10;
        if (d < 0 || d >= base)
            return false;
        over = over || v * unsigned(base) + unsigned(d) >= 4294967296ULL;
        v = (v * unsigned(base) + unsigned(d)) % 4294967296ULL;
    }
    value = double(std::int32_t(std::uint32_t(v)));
    return !(strict && over);
}

// A decimal integer with an optional sign, read exactly; when Strict, only one of 32 bits.
bool ReadInteger(const QString& s, double& value, bool strict = false)
{
    int i = 0;
    if (i < s.size() && (s.at(i) == QChar('+') || s.at(i) == QChar('-')))
        ++i;
    for (int k = i; k < s.size(); ++k)
        if (!IsDigit(s.at(k)))
            return false;
    const QString digits = s.mid(i);
    value = digits.isEmpty() ? 0.0 : CStrtod(digits.toLatin1().constData());
    if (s.startsWith(QChar('-')))
        value = -value;
    return !strict || (value >= -2147483648.0 && value <= 2147483647.0);
}

// A whole decimal number, both separators taken as ".". A scan that runs to the end counts as
// whole even when it refuses: a lone sign is a complete zero entry.
bool ReadDecimal(QString s, bool allowExp, double& value)
{
    s.replace(QChar(','), QChar('.'));
    const RefScan r = ReferenceScan(s, 1, allowExp, smPoint);
    if (r.stop != s.size() + 1)
        return false;
    value = ReferenceValue(r);
    return true;
}

// How the edit field reads its text: leading blanks dropped, no blank inside, case ignored,
// an exponent being typed left out.
bool ReadEditText(const QString& text, TInFormat format, double& value)
{
    value = 0;
    qsizetype lead = 0;
    while (lead < text.size() && text.at(lead) == QChar(' '))
        ++lead;
    QString s = text.mid(lead).toLower();
    if (s.contains(QChar(' ')))
        return false;
    if (s.isEmpty())
        return true;
    if (format == itDynamic) {
        if (s.startsWith(QChar('$')))
            return ReadBase(s.mid(1), 16, value, true);
        if (s.startsWith(QChar('%')))
            return ReadBase(s.mid(1), 2, value, true);
        if (s.startsWith(QChar('&')))
            return ReadBase(s.mid(1), 8, value, true);
        format = itExp;
    }
    switch (format) {
    case itExp: {
        const qsizetype e = s.indexOf(QChar('e'));
        const qsizetype len = s.size();
        if (e >= 0 && (e == len - 1 || (e == len - 2 && (s.at(len - 1) == QChar('-') || s.at(len - 1) == QChar('+')))))
            s.truncate(e);
        return s.isEmpty() || ReadDecimal(s, true, value);
    }
    case itFloat:
    case itFixPoint: return ReadDecimal(s, false, value);
    case itInt: return ReadInteger(s, value, true);
    case itHex: return ReadBase(s.startsWith(QChar('$')) ? s.mid(1) : s, 16, value, true); // "$ff" as well
    case itOct: return ReadBase(s, 8, value, true);
    case itBin: return ReadBase(s, 2, value, true);
    case itDynamic: break;
    }
    return false;
}

// How the spin field reads its buffer.
double ReadSpinText(const QString& text, TInFormat format)
{
    double v = 0;
    if (format == itDynamic && !text.isEmpty()) {
        const QChar c = text.at(0);
        const int base = c == QChar('$') ? 16 : c == QChar('%') ? 2 : c == QChar('&') ? 8 : 0;
        if (base != 0)
            return ReadBase(text.mid(1), base, v) && !text.mid(1).isEmpty() ? v : 0.0;
    }
    switch (format) {
    case itExp:
    case itFloat:
    case itFixPoint:
    case itDynamic: return ReferenceValue(ReferenceScan(text, 1, true, smBoth));
    case itInt:
        // A sign and at least one digit; too large a number reads as the bound on its side.
        if (text.isEmpty() || !IsDigit(text.at(text.size() - 1)) || !ReadInteger(text, v))
            return 0.0;
        return std::clamp(v, -2147483648.0, 2147483647.0);
    case itHex: return !text.isEmpty() && ReadBase(text, 16, v) ? v : 0.0;
    case itOct: return !text.isEmpty() && ReadBase(text, 8, v) ? v : 0.0;
    case itBin: return !text.isEmpty() && ReadBase(text, 2, v) ? v : 0.0;
    }
    return 0.0;
}

// ---- the fields --------------------------------------------------------------------------

struct EditRun {
    TNumIO* f = nullptr;
    TInFormat format = itExp;
    QString programText; // the last text the program wrote; it may stand for itself
};

void CheckEdit(EditRun& r, const QString& after)
{
    TNumIO* f = r.f;
    const QString t = f->Text();
    const double lo = f->RangeLow(), hi = f->RangeHigh();
    auto what = [&] {
        return QStringLiteral("edit field, format %1, sep %2, range [%3, %4], after %5: text ")
                   .arg(int(r.format)).arg(int(f->DecPlaceSep())).arg(Num(lo), Num(hi), after)
            + Show(t);
    };
    QOR_FUZZ_CHECK(lo <= hi, what());
    if (t == r.programText)
        return;
    double want = 0;
    QOR_FUZZ_CHECK(ReadEditText(t, r.format, want), what() + QStringLiteral(" is no number of the format"));
    const double v = f->Value();
    QOR_FUZZ_CHECK(SameValue(v, want), what() + QStringLiteral(" shows %1, the field reports %2").arg(Num(want), Num(v)));
    QOR_FUZZ_CHECK((v >= lo && v <= hi) || v == 0, what() + QStringLiteral(": value %1 out of range").arg(Num(v)));
}

// Precision of the text a field writes for a value of the format, or -1 where the text is exact.
double Tolerance(const QString& text, TInFormat format, double v, int sigDigits, int decPlaces)
{
    switch (format) {
    case itExp:
    case itDynamic:
        if (text.contains(QChar('E'))) {
            const int e = text.mid(text.indexOf(QChar('E')) + 1).toInt();
            return 0.5 * std::pow(10.0, e - (sigDigits - 1)) * (1 + 1e-9) + std::fabs(v) * DBL_EPSILON;
        }
        return 0.0; // the spin field writes its dynamic format as a rounded integer
    case itFloat:
    case itFixPoint: return 0.5 * std::pow(10.0, -decPlaces) * (1 + 1e-9) + std::fabs(v) * DBL_EPSILON;
    default: return 0.0;
    }
}

void WriteBackEdit(EditRun& r)
{
    TNumIO* f = r.f;
    const double v = f->Value();
    f->SetValue(v);
    r.programText = f->Text();
    const QString t = f->Text();
    if (t.startsWith(QChar('*')) || !std::isfinite(v))
        return; // a decimal exponent of three digits does not fit the field's form
    if ((r.format == itHex || r.format == itOct || r.format == itBin) && std::fabs(v) >= 2147483648.0)
        return;
    const int decimals = r.format == itFloat ? 8 : f->FixPointDecPlaces();
    double back = 0;
    const bool ok = ReadEditText(t, r.format, back);
    const double tol = Tolerance(t, r.format, v, 6, decimals);
    QOR_FUZZ_CHECK(ok && std::fabs(back - v) <= tol && std::fabs(f->Value() - v) <= tol,
                   QStringLiteral("edit field, format %1: value %2 written as %3 reads back as %4 (field %5)")
                       .arg(int(r.format)).arg(Num(v), Show(t), Num(back), Num(f->Value())));
}

struct SpinRun {
    TNumIO2* f = nullptr;
    TInFormat format = itExp;
    QString programText;
};

void CheckSpin(SpinRun& r, const QString& after)
{
    TNumIO2* f = r.f;
    const QString t = f->Text();
    auto what = [&] {
        return QStringLiteral("spin field, format %1, sep %2, places %3, after %4: text ")
                   .arg(int(r.format)).arg(int(f->DecPlaceSep())).arg(f->FixPointDecPlaces()).arg(after)
            + Show(t);
    };
    const int len = int(t.size());
    QOR_FUZZ_CHECK(f->CaretPos() >= 0 && f->CaretPos() <= len && f->SelBegin() >= 0 && f->SelBegin() <= f->SelEnd()
                       && f->SelEnd() <= len,
                   what() + QStringLiteral(": caret %1, selection %2..%3").arg(f->CaretPos()).arg(f->SelBegin()).arg(f->SelEnd()));
    // A lone sign may stand while typing, in every format (it reads as zero).
    const bool loneSign = t == QLatin1String("-") || t == QLatin1String("+");
    if (t != r.programText && !t.isEmpty() && !loneSign) {
        QOR_FUZZ_CHECK(f->CheckValidity(t), what() + QStringLiteral(" is no text of the format"));
        // Digits of the other bases stay within 32 bits, or they would wrap into another number.
        const QChar first = t.at(0);
        int base = r.format == itHex ? 16 : r.format == itOct ? 8 : r.format == itBin ? 2 : 0;
        QString digits = t;
        if (r.format == itDynamic && (first == QChar('$') || first == QChar('%') || first == QChar('&'))) {
            base = first == QChar('$') ? 16 : first == QChar('%') ? 2 : 8;
            digits = t.mid(1);
        }
        double ignored = 0;
        QOR_FUZZ_CHECK(base == 0 || ReadBase(digits, base, ignored, true), what() + QStringLiteral(" needs more than 32 bits"));
    }
    const double v = f->Value();
    const double want = ReadSpinText(t, r.format);
    QOR_FUZZ_CHECK(SameValue(v, want), what() + QStringLiteral(" reads as %1, the field reports %2").arg(Num(want), Num(v)));
    QOR_FUZZ_CHECK(f->OutOfRange() == (v < f->RangeLow() || v > f->RangeHigh()), what());
    bool threw = false;
    int iv = 0;
    try {
        iv = f->IntegerValue();
    } catch (const EQORError&) {
        threw = true;
    }
    const double n = std::nearbyint(v);
    const bool fits = n >= -2147483648.0 && n <= 2147483647.0;
    QOR_FUZZ_CHECK(threw != fits && (threw || iv == int(n)), what() + QStringLiteral(": integer value %1").arg(iv));
}

void WriteBackSpin(SpinRun& r)
{
    TNumIO2* f = r.f;
    const double v = f->Value();
    f->SetValue(v);
    r.programText = f->Text();
    const QString t = f->Text();
    if (t.startsWith(QChar('*')))
        return;
    QOR_FUZZ_CHECK(f->CheckValidity(t), QStringLiteral("spin field, format %1: value %2 written as %3, which its check refuses")
                                            .arg(int(r.format)).arg(Num(v), Show(t)));
    double want = v;
    if (r.format == itInt)
        want = std::clamp(std::nearbyint(v), -2147483648.0, 2147483647.0);
    else if (r.format == itDynamic)
        want = std::clamp(std::nearbyint(v), -9223372036854775808.0, 9223372036854775808.0);
    else if (r.format == itHex || r.format == itOct || r.format == itBin)
        want = double(numfmt::RoundToInt32Bits(v));
    const double tol = Tolerance(t, r.format, v, f->SignificantDigits(), f->FixPointDecPlaces());
    QOR_FUZZ_CHECK(std::fabs(f->Value() - want) <= tol,
                   QStringLiteral("spin field, format %1: value %2 written as %3 reads back as %4")
                       .arg(int(r.format)).arg(Num(v), Show(t), Num(f->Value())));
}

double RangeBound(TFuzzInput& in)
{
    switch (in.Int(0, 3)) {
    case 0: return 0.0;
    case 1: return in.Bool() ? uc_MaxDouble : -uc_MaxDouble;
    case 2: return double(in.Int(-1000, 1000));
    default: {
        const double d = in.Double();
        return std::isfinite(d) ? d : 0.0;
    }
    }
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size)
{
    qor::fuzzing::EnsureApplication();
    // One of each, kept for the process: a field per input would make the run measure
    // widget construction instead of typing.
    static TNumIO* edit = new TNumIO;
    static TNumIO2* spin = new TNumIO2;

    TFuzzInput in(data, size);
    const bool useSpin = in.Bool();
    const auto format = TInFormat(in.Int(0, 7));
    const TDecPSep sep = kSeps[in.Int(0, 3)];
    const int places = in.Int(-1, 16);
    const int sigDigits = in.Int(0, 16);
    const double lo = RangeBound(in);
    const double hi = RangeBound(in);
    const int startKind = in.Int(0, 3);
    const double startValue = in.Double();
    const bool readOnly = in.Int(0, 7) == 0;
    const QString clip = in.Text(40);
    const QString startText = in.Text(24);
    QGuiApplication::clipboard()->setText(clip);

    try {
        if (!useSpin) {
            EditRun r{edit, format, {}};
            // Every input starts from the same field: widest range first, so the setters'
            // role swaps are the same whatever the last input left.
            edit->SetEditText(QString());
            edit->SetRangeHigh(uc_MaxDouble);
            edit->SetRangeLow(-uc_MaxDouble);
            edit->SetInputFormat(format == itExp ? itFloat : itExp);
            edit->SetInputFormat(format);
            edit->SetDecPlaceSep(sep);
            edit->SetFixPointDecPlaces(places);
            edit->SetRangeLow(lo);
            edit->SetRangeHigh(hi);
            edit->setReadOnly(readOnly);
            edit->SetEditText(QString());
            edit->setText(QString()); // clears the edit's undo history as well
            if (startKind == 1 && std::isfinite(startValue)) {
                edit->SetValue(std::clamp(startValue, edit->RangeLow(), edit->RangeHigh()));
                r.programText = edit->Text();
            } else if (startKind == 2) {
                edit->setText(startText); // as a paste of the user's: checked
            }
            CheckEdit(r, QStringLiteral("the start"));
            while (!in.Empty()) {
                const Action a = NextAction(in);
                switch (a.act) {
                case Act::Key: Send(edit, a.key); break;
                case Act::Press: SendPress(edit, a.key.key, true); break;
                case Act::Release: SendPress(edit, a.key.key, false); break;
                case Act::WriteBack: WriteBackEdit(r); break;
                }
                CheckEdit(r, QStringLiteral("key %1 '%2'").arg(a.key.key, 0, 16).arg(a.key.text));
            }
        } else {
            SpinRun r{spin, format, {}};
            SendPress(spin, Qt::Key_Shift, false);
            SendPress(spin, Qt::Key_Control, false);
            spin->SetReadOnly(false);
            spin->SetText(QString());
            spin->SetInputFormat(format);
            // Known values first: the setters ignore values below 1.
            spin->SetFixPointDecPlaces(2);
            spin->SetFixPointDecPlaces(places);
            spin->SetSignificantDigits(6);
            spin->SetSignificantDigits(sigDigits);
            spin->SetText(QString());
            spin->SetDecPlaceSep(sep);
            spin->SetRangeLow(-uc_MaxDouble);
            spin->SetRangeHigh(uc_MaxDouble);
            spin->SetRangeLow(lo);
            spin->SetRangeHigh(hi);
            if (startKind == 1 && std::isfinite(startValue)) {
                spin->SetValue(startValue);
                r.programText = spin->Text();
            } else if (startKind == 2) {
                spin->SetText(startText); // refused unless valid
            }
            spin->SetReadOnly(readOnly);
            CheckSpin(r, QStringLiteral("the start"));
            while (!in.Empty()) {
                const Action a = NextAction(in);
                switch (a.act) {
                case Act::Key: Send(spin, a.key); break;
                case Act::Press: SendPress(spin, a.key.key, true); break;
                case Act::Release: SendPress(spin, a.key.key, false); break;
                case Act::WriteBack: WriteBackSpin(r); break;
                }
                CheckSpin(r, QStringLiteral("key %1 '%2'").arg(a.key.key, 0, 16).arg(a.key.text));
            }
        }
    } catch (const std::exception& e) {
        qor::fuzzing::Fail("no exception escapes a keystroke", QString::fromUtf8(e.what()));
    }
    return 0;
}
