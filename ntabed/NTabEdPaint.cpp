// TNTabEd drawing: data cells with their state texts and mark colours, the name and
// attribute cells with the current row and column highlighted, the coordinate corner and
// the inverted outline of a heading.
#include "ntabed/NTabEdUi_p.h"

#include <algorithm>

namespace qor {

namespace {
constexpr TColor kCommentBrush = 0x808000;
constexpr TColor kCommentFont = 0xFFFFFF;
} // namespace

void TNTabEd::Paint()
{
    if (EventsSuppressed())
        return;
    TCustomGrid::Paint();
    // the heading whose popup is open stays outlined
    if (m_ui && m_ui->outline.X >= 0)
        DrawHeadingOutline(m_ui->outline.X, m_ui->outline.Y);
    if (m_optimizeRowHeight) {
        const int h = AutoRowHeight(-1, 2);
        if (h != DefaultRowHeight())
            SetDefaultRowHeight(h);
    }
}

QString TNTabEd::cornerText() const
{
    const TGridRect s = Selection();
    return QString::number(s.Left - m_colOffset) + QLatin1Char(':') + QString::number(s.Top - m_rowOffset);
}

void TNTabEd::DrawCell(int ACol, int ARow, const TRect& rect, TGridDrawState state)
{
    TCanvas* cv = Canvas();
    if (ACol > m_colOffset && ARow > m_rowOffset) {
        const int c = ACol - m_colOffset;
        const int r = ARow - m_rowOffset;
        const Byte s = CellState(c, r);
        QString text = CellText(c, r);
        const bool selected = state.Contains(gdSelected);
        TFontStyles style = Font()->Style();
        TColor fg;
        switch (s & (csMarkA | csMarkB)) {
        case csMarkA: fg = m_colorMarkedA; break;
        case csMarkB: fg = m_colorMarkedB; break;
        case csMarkA | csMarkB: fg = m_colorMarkedBoth; break;
        default: fg = selected ? m_colorRangeSelFG : m_colorNormal; break;
        }
        if ((s & (csMarkA | csMarkB)) && m_boldMarks)
            style.Include(fsBold);
        TColor bg = selected ? m_colorRangeSelBG : cv->Brush()->Color();
        if (OnBeforeRenderCell)
            OnBeforeRenderCell(this, c, r, text, fg, bg, style);
        cv->Brush()->SetStyle(bsSolid);
        cv->Brush()->SetColor(bg);
        cv->Font()->SetStyle(style);
        cv->Font()->SetColor(fg);
        cv->TextRect(rect, rect.Left + 2, rect.Top + 1, text);
        return;
    }
    if (ACol == 0 && ARow == 0) {
        if (m_commentEditing) {
            cv->Brush()->SetColor(kCommentBrush);
            cv->Font()->SetColor(kCommentFont);
            cv->TextRect(rect, rect.Left + 2, rect.Top + 1, QStringLiteral("Comment:"));
        } else {
            cv->Brush()->SetColor(clWindow);
            cv->Font()->SetColor(m_colorNormal);
            cv->TextRect(rect, rect.Left + 3, rect.Top + 2, cornerText());
        }
        return;
    }
    drawFixedCell(ACol, ARow, rect);
}

void TNTabEd::drawFixedCell(int ACol, int ARow, TRect rect)
{
    TCanvas* cv = Canvas();
    if (rect.Width() > 0) {
        ++rect.Left;
        --rect.Right;
    }
    if (rect.Height() > 0) {
        ++rect.Top;
        --rect.Bottom;
    }
    const TGridRect sel = Selection();
    const TFontStyles plain = Font()->Style();
    // A heading of the current row (column) is drawn in ColorSelected, bold with BoldSelHeads.
    auto heading = [&](bool current, const QString& text) {
        rect.Right -= 2;
        TFontStyles st = plain;
        if (current && m_boldSelHeads)
            st.Include(fsBold);
        cv->Font()->SetStyle(st);
        cv->Font()->SetColor(current ? m_colorSelected : m_colorNormal);
        cv->TextRect(rect, rect.Left + 2, rect.Top + 1, text);
        cv->Font()->SetStyle(plain);
    };
    if (ARow > m_rowOffset) {
        const int r = ARow - m_rowOffset;
        heading(ARow == sel.Top, ACol == 0 ? RowName(r) : QString::number(RowAttrib(r)));
    } else if (ARow == 1 && m_rowOffset == 1) {
        if (ACol > m_colOffset) {
            heading(ACol == sel.Left, QString::number(ColAttrib(ACol - m_colOffset)));
        } else if (ACol == 0) {
            rect.Right -= 2;
            cv->TextRect(rect, rect.Left + 2, rect.Top + 1, QStringLiteral("Attribute"));
        }
    } else if (ARow == 0) {
        if (ACol > m_colOffset)
            heading(ACol == sel.Left, ColName(ACol - m_colOffset));
        else if (ACol == 1 && m_colOffset == 1)
            cv->TextRect(rect, rect.Left + 2, rect.Top + 1, QStringLiteral("Attrib"));
    }
}

void TNTabEd::RefreshCorner()
{
    if (EventsSuppressed())
        return;
    const TRect r = CellRect(0, 0);
    if (r.IsEmpty())
        return;
    TCanvas* cv = Canvas();
    cv->Font()->Assign(*Font());
    cv->Font()->SetColor(m_colorNormal);
    cv->Font()->SetStyle(TFontStyles());
    cv->Brush()->SetStyle(bsSolid);
    cv->Brush()->SetColor(clWindow);
    cv->TextRect(r, r.Left + 3, r.Top + 2, cornerText());
}

void TNTabEd::DrawHeadingOutline(int ACol, int ARow)
{
    const TRect r = CellRect(ACol, ARow);
    if (r.IsEmpty())
        return;
    TCanvas* cv = Canvas();
    const TBrushStyle brush = cv->Brush()->Style();
    cv->Brush()->SetStyle(bsClear);   // an outline: the cell's text stays readable
    cv->Pen()->SetWidth(1);
    cv->Pen()->SetStyle(psSolid);
    cv->Pen()->SetMode(pmNot);
    cv->Rectangle(r.Left, r.Top, r.Right + 1, r.Bottom + 1);
    cv->Pen()->SetMode(pmCopy);
    cv->Brush()->SetStyle(brush);
}

// ---- input that moves the current cell -----------------------------------------------------

// A key-down and a wheel step report the selection whether it moved or not.
void TNTabEd::reportSelection()
{
    m_lastSel = Selection();
    Fire(OnSelectionChanged);
}

void TNTabEd::TopLeftChanged()
{
    TCustomGrid::TopLeftChanged();
    CheckSelectionChanged();
    if (OnTopLeftChanged)
        OnTopLeftChanged(this);
}

} // namespace qor
