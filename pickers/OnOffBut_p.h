// Geometry of the on/off button: glyph quadrants, centring, hit area and caption places.
// Plain functions, so they are tested without widgets.
#pragma once

#include "foundation/QOR_Controls.h"

namespace qor::onoffbut {

/// Index of the glyph of a state in the glyph arrays: 2 * on + enabled.
constexpr int StateIndex(bool on, bool enabled) { return 2 * int(on) + int(enabled); }

/// The quadrant of a 2 x 2 glyph bitmap holding the glyph of a state index, for glyphs of
/// w x h: 3 (on) top left, 1 (off) top right, 2 (on, disabled) bottom left, 0 (off, disabled)
/// bottom right.
TRect Quadrant(int index, int w, int h);

/// Left and top space that centre a glyph of gw x gh in a control of width x height
/// (halves truncated toward zero, as integer division does).
TPoint CentredSpace(int width, int height, int gw, int gh);

/// Whether (x, y) lies strictly inside the glyph area whose corner is (left, top).
bool InsideGlyph(int x, int y, int left, int top, int gw, int gh);

enum class Side { Left, Top, Bottom, Right };

/// Top-left corner of a caption of width tw and height th on one side of the glyph.
/// `left`, `top` are the glyph area's corner, gw, gh the glyph size, width the control's.
TPoint CaptionPos(Side side, TAlignment a, int left, int top, int gw, int gh, int width, int tw, int th);

/// The text whose height sets the caption line height (ascenders, descenders and accents).
inline QString HeightSample() { return QStringLiteral("(8g]}\u00DC\u00C4\u00A7"); }

} // namespace qor::onoffbut
