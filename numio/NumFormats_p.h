// Number <-> text routines of the numeric entry fields. Private to the numio unit
// (and its tests): callers outside the unit go through TNumIO / TNumIO2.
//
// Text positions are 1-based, as the fields count them. Integer routines work on
// 32-bit values that wrap silently on overflow ('$FFFFFFFF' reads as -1).
#pragma once

#include "foundation/QOR_Core.h"
#include "numio/QOR_InFormat.h"

#include <QString>
#include <cstdint>

namespace qor::numfmt {

/// Which characters count as the decimal separator while scanning.
enum TSepMode : Byte {
    smPoint = 0,  ///< "." only; "," ends the number
    smComma = 1,  ///< "," only; "." ends the number
    smBoth = 2    ///< "." and ","
};

/// The locale's decimal separator (QLocale() default).
QChar LocaleDecimalSeparator();

/// Resolution used by the text-to-number conversion of TNumIO: dsSysDefault gives
/// comma mode when the locale's separator is ",", point mode otherwise.
TSepMode SepModeRuleA(TDecPSep sep);
/// Resolution used by the typing checks: dsSysDefault gives point mode when the
/// locale's separator is ".", comma mode otherwise.
TSepMode SepModeRuleB(TDecPSep sep);

/// Largest exponent the scanners keep; digits that would make it larger are dropped
/// (ScanFloatText) or refused (CheckExpText).
constexpr int MaxExponentDigitsValue = 4200;

/// Reads a decimal number starting at Pos. On return Pos is the position of the first
/// character not consumed (length + 1 when the whole text was read). Never throws;
/// the value is clamped to +-uc_MaxDouble.
double ScanFloatText(const QString& text, bool allowExp, TSepMode mode, int& pos);
/// The same on raw UTF-16 characters (len characters at data).
double ScanFloatText(const QChar* data, int len, bool allowExp, TSepMode mode, int& pos);

/// True when the scan of the text ends in acceptance (a partial entry such as '1.5E-'
/// counts); dsSysDefault resolves by SepModeRuleB.
bool CheckExpText(const QString& text, bool allowExp, TDecPSep sep);
/// True for an acceptable partial or complete decimal number without exponent.
bool CheckFloatText(const QString& text, TDecPSep sep);
/// True for a signed decimal integer ("-" alone is refused, '+7' accepted).
bool CheckIntText(const QString& text);
/// True when the text is non-empty and every character is a digit of the base.
bool CheckHexText(const QString& text);
bool CheckOctText(const QString& text);
bool CheckBinText(const QString& text);

/// Integer scanners: skip blanks (never past the last character), read digits of the
/// base while they last, leave Pos on the first non-digit. ScanIntText takes an
/// optional sign; ScanHexText skips a "$" standing at position 1.
std::int32_t ScanIntText(const QString& text, int& pos);
std::int32_t ScanHexText(const QString& text, int& pos);
std::int32_t ScanOctText(const QString& text, int& pos);
std::int32_t ScanBinText(const QString& text, int& pos);

/// Decimals >= 0: fixed notation ("-" for negatives, Decimals digits after "."),
/// padded on the left with blanks to Width. Decimals = -2 (any negative value):
/// scientific notation of exactly Width characters with Width-6 significant digits,
/// such as ' 1.23450E+03' for Width 12; a three-digit exponent shows as Width "*".
QString FloatToFmtText(int width, int decimals, double value);

/// Exactly Count digits (at most 8 / 11 / 32, 0 or less taken as 1) of the value's
/// bits, least significant digit last; higher bits are dropped.
QString IntToHexText(std::int32_t value, int count);
QString IntToOctText(std::int32_t value, int count);
QString IntToBinText(std::int32_t value, int count);

/// Rounds to the nearest integer (halves to even, as the FPU does) and keeps the low
/// 32 bits, so a value beyond the 32-bit range shows its two's-complement digits.
std::int32_t RoundToInt32Bits(double value);

} // namespace qor::numfmt
