// The shared core: enumerations, the exception base, frame and marker drawing,
// colour and string helpers used by more than one component.
#pragma once

#include "foundation/QOR_Types.h"

#include <functional>
#include <limits>

namespace qor {

class TCanvas;

inline namespace core_enums {
Q_NAMESPACE
enum TFrameStyle : Byte { fsNone = 0, fsSimple = 1, fsLowered = 2, fsRaised = 3, fsRidge = 4, fsGroove = 5 };
Q_ENUM_NS(TFrameStyle)
enum TColorScheme : Byte { csFixed = 0, csSystem = 1 };
Q_ENUM_NS(TColorScheme)
enum TDecPSep : Byte { dsSysDefault = 0, dsPoint = 1, dsComma = 2, dsBoth = 3 };
Q_ENUM_NS(TDecPSep)
enum TLanguage : Byte { lgEnglish = 1, lgGerman = 2, lgFrench = 3, lgSpanish = 4 };
Q_ENUM_NS(TLanguage)
/// Which way a cursor advances: 0 down the column, 1 along the row.
enum TOrientation : Byte { otVertical = 0, otHorizontal = 1 };
Q_ENUM_NS(TOrientation)
/// Which way a bar grows from its origin.
enum TDirection : Byte { drUp = 0, drDown = 1, drLeft = 2, drRight = 3 };
Q_ENUM_NS(TDirection)
} // namespace core_enums

/// Base of every exception the components raise.
class EQORError : public std::runtime_error {
public:
    explicit EQORError(const QString& message)
        : std::runtime_error(message.toStdString()), m_message(message) {}
    QString Message() const { return m_message; }

private:
    QString m_message;
};

/// "Component \"<name>\": <problem>", the form of every message about a component instance.
QString ComponentMessage(const QString& name, const QString& problem);

using TOnPercentDoneEvent = std::function<void(TObject* Sender, int Percent)>;

constexpr double uc_MaxDouble = std::numeric_limits<double>::max();
constexpr double uc_MaxReal = std::numeric_limits<double>::max();
constexpr double uc_ln10 = 2.30258509299404568402;

/// Width in pixels of a frame style (content is inset by it).
int FrameWidth(TFrameStyle style);

/// Frame on the rectangle with inclusive corners (Left..Right, Top..Bottom).
void DrawFrame(TCanvas* canvas, TFrameStyle frameStyle, int left, int top, int right, int bottom,
               TColor colHigh, TColor colLight, TColor colShadow, TColor colDark, TColor colLine);

/// Number of marker symbols DrawMarkOnCanvas knows (0..NrOfMarks-1).
constexpr int NrOfMarks = 52;
/// Marker symbol Mark centred at (X, Y), with the canvas's current pen and brush.
void DrawMarkOnCanvas(TCanvas* canvas, Byte mark, int x, int y);

/// Line colours of a colour scheme: black (always 0), grey and white.
struct TLineColors {
    TColor Black = 0;
    TColor Gray = 0x808080;
    TColor White = 0xFFFFFF;
};
TLineColors LineColorsForScheme(TColorScheme scheme);

/// The colour halfway between A and B (system colours resolved).
TColor MeanColor(TColor a, TColor b);

/// 1-based position of the N-th occurrence of Sub in S at or after Start; 0 if none.
int NumberedPos(const QString& sub, const QString& s, int start, int n, bool ignoreCase = false);
QString ReplaceCharInString(const QString& s, QChar oldChar, QChar newChar);
QString RemoveControlChars(const QString& s);

/// Names by language (English, German, French, Spanish); Monday is day 0.
QString WeekDayShort(TLanguage lang, int day);
QString MonthShort(TLanguage lang, int month);
QString MonthLong(TLanguage lang, int month);

} // namespace qor
