// Painting a control's whole image straight into its backing store.
#pragma once

#include "foundation/QOR_Controls.h"

namespace qor {

/// The control's own canvas, ready for a Paint that draws the whole image: white, with the
/// drawing state a new bitmap's canvas has (default pen and brush, plain copy mode, no clip,
/// pen at the origin) and the control's font and palette. What a paint draws therefore does
/// not depend on what the previous paint left, and no second full-size bitmap is needed.
TCanvas* BeginFullPaint(TCustomControl* control);

} // namespace qor
