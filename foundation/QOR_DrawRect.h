// Outline drawing of the core library.
#pragma once

namespace qor {

class TCanvas;

/// The outline of the rectangle with inclusive corners (Left..Right, Top..Bottom), drawn with
/// the canvas's current pen; the inside stays untouched.
void DrawRectangle(TCanvas* canvas, int left, int top, int right, int bottom);

} // namespace qor
