// Where a field puts the captions beside its box (the texts left and right of a value
// box in the numeric label and the spin field).
#pragma once

#include "foundation/QOR_Controls.h"

namespace qor {

/// X of a caption TextWidth wide in the margin left of a box that starts at BoxLeft.
int SideTextLeftX(TAlignment align, int boxLeft, int textWidth);
/// X of a caption TextWidth wide between the end of a box (BoxRight) and the right edge
/// of a control Width wide.
int SideTextRightX(TAlignment align, int width, int boxRight, int textWidth);

} // namespace qor
