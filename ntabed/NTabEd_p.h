// Internals of the table editor shared by its source files: the text form of numbers and
// the scopes that suppress painting and events.
#pragma once

#include "ntabed/QOR_ntabed.h"

namespace qor {

/// X in at least |Width| characters, right-aligned. Decimals >= 0: fixed-point with that
/// many decimals (0: no decimal point). Decimals < 0: exponential notation, a blank or
/// minus, one digit, the point, |Width| - 9 further digits (1 to 16), "E", the exponent's
/// sign and four exponent digits. A negative Width pads with "0" instead of blanks and
/// moves a minus sign to the front.
QString NTabFloatStr(double x, int width, int decimals);

/// The text form of a cell value with precision P (-1..10) and field width W (NumWidth):
/// fixed-point for P 0..8 within the magnitude limits of P, else exponential notation in
/// W + 8 characters whose exponent loses its two leading zeros (an exponent of 100 or more
/// turns the text into asterisks).
QString NTabCellValueText(double x, int precision, int numWidth);

/// The largest magnitude shown in fixed-point with P decimals (P 0..8).
double NTabFixedLimit(int precision);

/// The text of a nominal cell: identifier N (the value rounded) when 1 <= N <= MaxNomIDs
/// and defined; else, for drawing, the scale type's name, ":" and N, for editing just N.
QString NTabNominalText(const TDataTable& t, int col, double x, bool forDrawing);

/// Internal suppression for bulk work: no paint, no events; lifted at the end.
class InternalSuppress {
public:
    explicit InternalSuppress(TNTabEd* e) : m_e(e) { ++m_e->m_internalSuppress; }
    ~InternalSuppress() { --m_e->m_internalSuppress; }
    InternalSuppress(const InternalSuppress&) = delete;
    InternalSuppress& operator=(const InternalSuppress&) = delete;

private:
    TNTabEd* m_e;
};

/// The editor's own calls into the table: the table's notifications then only repaint,
/// the editor fires its own, more specific event.
class QuietTable {
public:
    explicit QuietTable(TNTabEd* e) : m_e(e) { ++m_e->m_quiet; }
    ~QuietTable() { --m_e->m_quiet; }
    QuietTable(const QuietTable&) = delete;
    QuietTable& operator=(const QuietTable&) = delete;

private:
    TNTabEd* m_e;
};

/// SuppressPaint for the duration of an operation; the previous value comes back at the
/// end (switching painting back on paints).
class PaintPause {
public:
    explicit PaintPause(TNTabEd* e) : m_e(e), m_saved(e->SuppressPaint()) { m_e->SetSuppressPaint(true); }
    ~PaintPause() { m_e->SetSuppressPaint(m_saved); }
    PaintPause(const PaintPause&) = delete;
    PaintPause& operator=(const PaintPause&) = delete;

private:
    TNTabEd* m_e;
    bool m_saved;
};

} // namespace qor
