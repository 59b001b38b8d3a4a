// TNumIO2: the picture. Everything goes into an off-screen bitmap that is copied once.
#include "numio/QOR_NumIO2.h"
#include "foundation/QOR_PaintCanvas.h"

#include <algorithm>

namespace qor {

static const QString kSampleText = QStringLiteral("(8g]}\u00DC\u00C4\u00A7");

TNumIO2Layout TNumIO2::CurrentLayout(int textHeight) const
{
    TNumIO2LayoutParams p;
    p.Width = Width();
    p.Height = Height();
    p.TextHeight = textHeight;
    p.LeftSpace = FLeftSpace;
    p.TextBoxWidth = FTextBoxWidth;
    p.ButWidth = FButWidth;
    p.ButSpace = FButSpace;
    p.ButHeight = FButHeight;
    p.ButVisible = FButVisible;
    p.GaugeVisible = FGaugeVisib;
    p.GaugeHeight = FGaugeHeight;
    p.GaugeTopMargin = FGaugeTopMarg;
    p.GaugeLeftMargin = FGaugeLeftMarg;
    p.GaugeWidth = FGaugeWidth;
    return NumIO2ComputeLayout(p);
}

/// The two lines that make a rectangle look 3-D: inner along left and top, outer along
/// bottom and right, coloured by the frame style.
static void Frame3DColors(TFrameStyle style, TColor black, TColor gray, TColor white, TColor& inner, TColor& outer)
{
    switch (style) {
    case fsLowered: inner = black; outer = white; break;
    case fsRaised: inner = white; outer = black; break;
    case fsRidge: inner = gray; outer = gray; break;
    default: inner = white; outer = white; break; // fsGroove
    }
}

static bool Is3D(TFrameStyle style)
{
    return style != fsNone && style != fsSimple;
}

void TNumIO2::Paint()
{
    if (FSuppressPaint)
        return;
    if (!(Visible() || Designing())) {
        // Nothing to draw on now; make sure the change shows once the control is shown.
        Invalidate();
        return;
    }

    const bool enabled = Enabled();
    TCanvas* cc = Canvas();
    cc->Font()->Assign(*Font());
    int th = cc->TextHeight(kSampleText);
    if (FAutoSize) {
        const int h = cc->TextHeight(QStringLiteral("E0")) + 6;
        if (h != Height()) {
            FAutoSizing = true;
            TCustomControl::SetBounds(Left(), Top(), Width(), h);
            FAutoSizing = false;
            cc = Canvas();
            cc->Font()->Assign(*Font());
            th = cc->TextHeight(kSampleText);
        }
    }
    const TNumIO2Layout L = CurrentLayout(th);
    const int W = L.W, H = L.H, G = L.G;
    if (W <= 0 || H <= 0)
        return;

    const double value = Value();
    const bool outOfRange = value < FMinimum || value > FMaximum;

    TCanvas* c = BeginFullPaint(this);
    c->Pen()->SetColor(FColorOutBG);
    c->Brush()->SetColor(FColorOutBG);
    c->Rectangle(0, 0, W, H);

    // Left text.
    {
        const int tw = c->TextWidth(FLeftText);
        const int x = NumIO2LeftTextX(FLTAlignment, L.LS, tw);
        if (enabled) {
            c->Font()->SetColor(FColorOutText);
            c->TextOut(x, L.TY, FLeftText);
        } else {
            c->Brush()->SetStyle(bsClear);
            c->Font()->SetColor(0xFFFFFF);
            c->TextOut(x + 1, L.TY + 1, FLeftText);
            c->Font()->SetColor(0x808080);
            c->TextOut(x, L.TY, FLeftText);
        }
    }

    // Spin buttons.
    if (FButVisible) {
        const int X0 = L.X0, BW = L.BW, HB = L.HB, CX = L.CX, Q = L.Q;
        c->Pen()->SetColor(0x808080);
        c->Brush()->SetColor(FButColor);
        c->Rectangle(X0, 0, X0 + BW + 1, 2 * HB - 1);
        c->MoveTo(X0, HB - 1);
        c->LineTo(X0 + BW, HB - 1);
        if (FBut3D) {
            c->Pen()->SetColor(0xFFFFFF);
            c->MoveTo(X0 + 1, 2 * HB - 3);
            c->LineTo(X0 + 1, HB);
            c->LineTo(X0 + BW, HB);
            c->MoveTo(X0 + 1, HB - 2);
            c->LineTo(X0 + 1, 1);
            c->LineTo(X0 + BW, 1);
            c->Pen()->SetColor(0);
            c->MoveTo(X0 + 1, 2 * HB - 1);
            c->LineTo(X0 + BW + 1, 2 * HB - 1);
            c->LineTo(X0 + BW + 1, 1);
        }
        c->Pen()->SetColor(enabled ? 0 : 0x808080);
        c->MoveTo(CX - 1, Q - 1);
        c->LineTo(CX + 1, Q - 1);
        c->MoveTo(CX - 2, Q);
        c->LineTo(CX + 2, Q);
        c->MoveTo(CX - 3, Q + 1);
        c->LineTo(CX + 3, Q + 1);
        c->MoveTo(CX - 1, HB + Q);
        c->LineTo(CX + 1, HB + Q);
        c->MoveTo(CX - 2, HB + Q - 1);
        c->LineTo(CX + 2, HB + Q - 1);
        c->MoveTo(CX - 3, HB + Q - 2);
        c->LineTo(CX + 3, HB + Q - 2);
    }

    // Right text.
    {
        c->Brush()->SetColor(FColorOutBG);
        const int tw = c->TextWidth(FRightText);
        const int x = NumIO2RightTextX(FRTAlignment, W, L.LS, L.P3, L.TBW, tw);
        if (enabled) {
            c->Font()->SetColor(FColorOutText);
            c->TextOut(x, L.TY, FRightText);
        } else {
            c->Brush()->SetStyle(bsClear);
            c->Font()->SetColor(0xFFFFFF);
            c->TextOut(x + 1, L.TY + 1, FRightText);
            c->Font()->SetColor(0x808080);
            c->TextOut(x, L.TY, FRightText);
        }
    }

    // Gauge.
    if (FGaugeVisib) {
        const int GL = L.GL, GW = L.GW, GY1 = L.GY1, GY2 = L.GY2;
        c->Pen()->SetColor(FGaugeFrameSt != fsNone ? FGaugeColorFrm : FGaugeColorBg);
        c->Brush()->SetColor(FGaugeColorBg);
        c->Rectangle(GL, GY1, GL + GW, GY2);
        const TColor bar = enabled ? FGaugeColor : 0x808080;
        c->Pen()->SetColor(bar);
        c->Brush()->SetColor(bar);
        c->Rectangle(GL, GY1, GL + NumIO2GaugeFill(GW, value, FMinimum, FMaximum), GY2);
        if (FGaugeFrameSt != fsNone) {
            TColor pen = FLines.Gray;
            if (FGaugeFrameSt == fsSimple)
                pen = FGaugeColorFrm;
            else if (FGaugeFrameSt == fsRidge)
                pen = FLines.White;
            c->Pen()->SetColor(pen);
            c->Brush()->SetStyle(bsClear);
            c->Rectangle(GL, GY1, GL + GW, GY2);
            if (Is3D(FGaugeFrameSt)) {
                TColor inner = 0, outer = 0;
                Frame3DColors(FGaugeFrameSt, FLines.Black, FLines.Gray, FLines.White, inner, outer);
                c->Pen()->SetColor(inner);
                c->MoveTo(GL + 1, GY2 - 2);
                c->LineTo(GL + 1, GY1 + 1);
                c->LineTo(GL + GW - 1, GY1 + 1);
                c->Pen()->SetColor(outer);
                c->MoveTo(GL + 1, GY2);
                c->LineTo(GL + GW, GY2);
                c->LineTo(GL + GW, GY1);
            }
        }
    }

    // Text box.
    {
        const int LS = L.LS, TBW = L.TBW, S = L.S;
        TColor pen = FLines.Gray;
        if (FFrameStyle == fsNone)
            pen = enabled ? FColorBoxBG : 0xC0C0C0;
        else if (FFrameStyle == fsRidge)
            pen = FLines.White;
        TColor brush = FColorBoxBG;
        if (outOfRange) {
            brush = FColorWarnBG;
            if (FFrameStyle == fsNone && enabled)
                pen = FColorWarnBG;
        }
        if (!enabled)
            brush = 0xC0C0C0;
        c->Pen()->SetColor(pen);
        c->Brush()->SetColor(brush);
        if (!Is3D(FFrameStyle)) {
            c->Rectangle(LS, 0, LS + TBW + 2, H - G);
        } else {
            c->Rectangle(LS, 0, LS + TBW + 2, H - G - 1);
            TColor inner = 0, outer = 0;
            Frame3DColors(FFrameStyle, FLines.Black, FLines.Gray, FLines.White, inner, outer);
            c->Pen()->SetColor(inner);
            c->MoveTo(LS + 1, S + 1);
            c->LineTo(LS + 1, 1);
            c->LineTo(LS + TBW + 1, 1);
            c->Pen()->SetColor(outer);
            c->MoveTo(LS + 1, S + 3);
            c->LineTo(LS + TBW + 2, S + 3);
            c->LineTo(LS + TBW + 2, 0);
        }
        c->Brush()->SetColor(brush);

        // Number.
        const int caretPos = std::clamp(FCaretPos, 0, int(FInBuffer.size()));
        const int nw = c->TextWidth(FInBuffer);
        const int cw = c->TextWidth(FInBuffer.left(caretPos));
        TColor textColor = outOfRange ? FColorWarnTxt : FColorBoxText;
        if (!enabled)
            textColor = 0x808080;
        c->Font()->SetColor(textColor);
        const int tx = NumIO2TextX(FAlignment, LS, TBW, nw);
        c->TextRect(TRect(LS + 3, 2, LS + TBW - 1, S + 1), tx, L.TY, FInBuffer);

        // Caret, only where it falls inside the box.
        const int off = NumIO2CaretOffset(FAlignment, LS, TBW, nw, cw);
        if (FCaretVisib && off > 0 && off < TBW) {
            c->Pen()->SetColor(0);
            c->MoveTo(LS + off, 3);
            c->LineTo(LS + off, H - G - 3);
        }

        // Selection, inverted.
        if (FSelBegin < FSelEnd && (hasFocus() || !FHideSel)) {
            const int x1 = std::clamp(CharPosToXCoords(FSelBegin), LS, LS + TBW);
            const int x2 = std::clamp(CharPosToXCoords(FSelEnd), LS, LS + TBW);
            const TRect r(x1, 3, x2, H - G - 3);
            c->SetCopyMode(NOTSRCCOPY);
            c->CopyRect(r, c, r);
            c->SetCopyMode(SRCCOPY);
        }
    }
}

} // namespace qor
