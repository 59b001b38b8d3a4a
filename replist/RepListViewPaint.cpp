// TReportListView painting: data cells by state, check marks drawn with lines, headers with
// sort arrow and raised edges, the empty-list message and the inter-row indicator.
#include "replist/QOR_ReportListView.h"

#include <algorithm>
#include <cmath>

namespace qor {

namespace {
constexpr TColor kEdgeLight = 0xFFFFFF;
constexpr TColor kEdgeShadow = 0x808080;
constexpr int kCheckGlyph = 16;

int alignedX(TAlignment a, const TRect& tr, int t)
{
    switch (a) {
    case taRightJustify: return tr.Right - t;
    case taCenter: return (tr.Left + tr.Right) / 2 - t / 2;
    default: return tr.Left;
    }
}

int roundHalfEven(double v) { return int(std::nearbyint(v)); }
} // namespace

QString ReportCellEllipsis(const QString& Text, int ColWidth, int GlyphWidth, bool RightAligned,
                           const std::function<int(const QString&)>& TextWidth)
{
    const int t = TextWidth(Text.mid(1));
    if (t <= 0 || ColWidth - GlyphWidth - 9 >= t)
        return Text;
    const double ratio = double(ColWidth - GlyphWidth - 9) / double(t);
    const int n = std::max(1, roundHalfEven(double(Text.length()) * ratio - 4));
    if (RightAligned)
        return Text.left(1) + QStringLiteral("...") + Text.right(n);
    return Text.left(n) + QStringLiteral("...");
}

QString ReportHeaderEllipsis(const QString& Line, int ColWidth, int Reserve,
                             const std::function<int(const QString&)>& TextWidth)
{
    const int t = TextWidth(Line);
    // An empty line has nothing to cut (and no width to divide by).
    if (t <= 0 || ColWidth - Reserve - 9 >= t)
        return Line;
    const double ratio = double(ColWidth - Reserve - 9) / double(t);
    const int n = std::max(1, roundHalfEven(double(Line.length()) * ratio - 3));
    return Line.left(n) + QStringLiteral("...");
}

int TReportListView::headerBandEnd() const
{
    int last = ColAxis().LastVisible(ClientWidth());
    if (last < 0)
        return 0;
    const TRect r = CellRect(last, 0);
    // A last column running past the view's edge ends the band at the edge, so a
    // right-aligned or centred title stays in sight.
    return r.IsEmpty() ? 0 : std::min(r.Right, ClientWidth());
}

void TReportListView::DrawCell(int ACol, int ARow, const TRect& rect, TGridDrawState state)
{
    Canvas()->Font()->Assign(*Font());
    if (ARow >= FixedRows())
        drawDataCell(ACol, ARow, rect);
    else
        drawHeaderCell(ACol, ARow, rect);
    const TRect textRect(rect.Left + 4, rect.Top + 2, rect.Right - 5, rect.Bottom);
    TCustomDrawGrid::DrawCell(ACol, ARow, textRect, state);
}

void TReportListView::drawDataCell(int ACol, int ARow, const TRect& cellRect)
{
    TCanvas* cv = Canvas();
    const bool fixedCol = ACol < FixedCols();
    TRect R = cellRect;
    if (!fixedCol) {
        if (!Options().Contains(goVertLine))
            ++R.Right;
        if (!Options().Contains(goHorzLine))
            ++R.Bottom;
    }
    TRect tr(cellRect.Left + 4, cellRect.Top + 2, cellRect.Right - 5, cellRect.Bottom);
    const int dataCol = dataColOf(ACol);
    const int dataRow = ARow - FixedRows() + 1;
    const int colWidth = TCustomGrid::GridColWidths(ACol);
    const TCheckMode mode = GetColCheckMode(dataCol);
    TStringArray* strings = FRLData->Strings();

    // 1. text
    QString text = (dataRow >= 1 && dataRow <= NumShownRows()) ? strings->GetString(dataCol, dataRow) : QString();
    if (ColumnIsPwd(dataCol)) {
        // The mask covers the visible part; a check column keeps its state character.
        if (mode != cmNone)
            text = (text.isEmpty() ? QStringLiteral(" ") : text.left(1)) + QStringLiteral("******");
        else
            text = QStringLiteral("******");
    }

    // 2. colours
    TColor fontColor = FColorText;
    TColor brushColor = FColorBkgdNormal;
    if (FRowColPattern > 0 && ((ARow - FixedRows()) / FRowColPattern) % 2 == 0)
        brushColor = FColorBkgdShaded;
    TColor penColor = brushColor;
    TFontStyles styles = Font()->Style();
    const bool disabledRow = rowDisabled(dataRow);
    if (FEnabled) {
        if (disabledRow) {
            brushColor = FColorDisabledBkgd;
            fontColor = FColorDisabledText;
            penColor = brushColor;
        } else {
            const bool rowSel = RowSelected(dataRow);
            const bool colSel = ColumnSelected(dataCol);
            if (rowSel && colSel) {
                brushColor = FColorSelectedBoth;
                fontColor = FColorSelectedBothText;
                penColor = brushColor;
            } else if (colSel) {
                brushColor = FColorSelectedCol;
                fontColor = FColorSelectedColText;
                penColor = brushColor;
            } else if (rowSel) {
                brushColor = FColorSelectedRow;
                fontColor = FColorSelectedRowText;
                penColor = brushColor;
            }
            if (dataRow == FHighLightRow || dataCol == FHighLightColumn) {
                brushColor = FColorHigh;
                fontColor = FColorHighText;
                penColor = brushColor;
                if (FHighLightBold)
                    styles.Include(fsBold);
            }
        }
    }
    if (fixedCol)
        brushColor = ColorColumnHd();
    if (!FEnabled)
        fontColor = clInactiveCaption;

    // 3. the application's last word
    if (OnBeforeRenderCell)
        OnBeforeRenderCell(this, dataCol, dataRow, penColor, brushColor, fontColor, styles, text);
    cv->Font()->SetStyle(styles);
    cv->Font()->SetColor(fontColor);
    cv->Brush()->SetStyle(bsSolid);
    cv->Brush()->SetColor(brushColor);

    // 4. truncation
    const auto width = [cv](const QString& s) { return cv->TextWidth(s); };
    text = ReportCellEllipsis(text, colWidth, mode != cmNone ? kCheckGlyph : 0,
                              ColumnAlignment(dataCol) == taRightJustify, width);

    // 5. background
    cv->Pen()->SetColor(brushColor);
    cv->Pen()->SetWidth(1);
    cv->Pen()->SetStyle(psSolid);
    cv->Rectangle(R.Left, R.Top, R.Right, R.Bottom);
    cv->Pen()->SetColor(penColor);

    const bool italic = styles.Contains(fsItalic);
    const TAlignment align = ColumnAlignment(dataCol);
    if (mode == cmNone) {
        // 6. plain column
        const int t = cv->TextWidth(text) + (italic ? 2 : 0);
        cv->TextRect(tr, alignedX(align, tr, t), cellRect.Top + 1, text);
    } else if (text.length() > 1 || FShowEmptyCBx) {
        // 7. check column
        tr.Left += kCheckGlyph;
        const bool checked = !text.isEmpty() && text.at(0) != QLatin1Char(' ');
        const QString visible = text.mid(1);
        const int t = cv->TextWidth(visible) + (italic ? 2 : 0);
        cv->TextRect(tr, alignedX(align, tr, t), cellRect.Top + 1, visible);
        const int L = cellRect.Left;
        const int T = cellRect.Top;
        if (!FROCheckMarks) {
            TColor outline = disabledRow ? penColor : clBtnShadow;
            if (!FEnabled)
                outline = clInactiveCaption;
            cv->Pen()->SetColor(outline);
            if (mode == cmRadio)
                cv->Ellipse(L + 4, T + 4, L + 15, T + 15);
            else
                cv->Rectangle(L + 4, T + 4, L + 15, T + 15);
        }
        cv->Pen()->SetColor(FEnabled ? fontColor : clInactiveCaption);
        if (checked) {
            if (mode == cmRadio) {
                cv->MoveTo(L + 8, T + 7);
                cv->LineTo(L + 11, T + 7);
                for (int i = 0; i < 3; ++i) {
                    cv->MoveTo(L + 7, T + 8 + i);
                    cv->LineTo(L + 12, T + 8 + i);
                }
                cv->MoveTo(L + 8, T + 11);
                cv->LineTo(L + 11, T + 11);
            } else {
                for (int i = 0; i < 3; ++i) {
                    cv->MoveTo(L + 6, T + 8 + i);
                    cv->LineTo(L + 9, T + 11 + i);
                    cv->MoveTo(L + 8, T + 10 + i);
                    cv->LineTo(L + 13, T + 5 + i);
                }
            }
        }
    }

    // 8. raised edge of the fixed first column
    if (fixedCol) {
        const int L = cellRect.Left, T = cellRect.Top, Rt = cellRect.Right, B = cellRect.Bottom;
        cv->Pen()->SetColor(kEdgeLight);
        cv->MoveTo(L, B - 1);
        cv->LineTo(L, T);
        cv->LineTo(Rt, T);
        cv->Pen()->SetColor(kEdgeShadow);
        cv->MoveTo(L + 1, B - 1);
        cv->LineTo(Rt - 1, B - 1);
        cv->LineTo(Rt - 1, T);
    }
}

void TReportListView::drawHeaderCell(int ACol, int ARow, const TRect& cellRect)
{
    TCanvas* cv = Canvas();
    const int E = headerBandEnd();
    const int T = cellRect.Top;
    const int B = cellRect.Bottom;
    const int textTop = T + 2;
    cv->Brush()->SetStyle(bsSolid);
    cv->Pen()->SetWidth(1);

    if (FCommonHeaderVisible && ARow == 0) {
        cv->Font()->SetColor(FColorCommonHdText);
        cv->Brush()->SetColor(FColorCommonHd);
        const QString head = CommonHeader();
        const int h = cv->TextHeight(head);
        const QStringList lines = head.split(QLatin1Char('\n'));
        for (int i = 1; i <= lines.size(); ++i) {
            QString line = lines.at(i - 1);
            if (line.endsWith(QLatin1Char('\r')))
                line.chop(1);
            TRect band(0, T, E, B);
            if (i > 1) {
                band.Top = std::min(B, textTop + (i - 1) * h);
                band.Bottom = std::min(B, textTop + i * h);
            }
            const int t = cv->TextWidth(line);
            int X = E / 2 - t / 2;
            if (FCommonHeaderAlignment == taLeftJustify)
                X = 4;
            else if (FCommonHeaderAlignment == taRightJustify)
                X = E - t - 5;
            if (i == 1 || band.Bottom > band.Top)
                cv->TextRect(band, X, textTop + (i - 1) * h, line);
        }
        cv->Pen()->SetColor(kEdgeLight);
        cv->MoveTo(0, B - 1);
        cv->LineTo(0, T);
        cv->LineTo(E, T);
        cv->Pen()->SetColor(kEdgeShadow);
        cv->MoveTo(1, B - 1);
        cv->LineTo(E - 1, B - 1);
        cv->LineTo(E - 1, T);
        cv->MoveTo(E - 1, B - 1);
        cv->LineTo(E - 1, T);
        cv->Pen()->SetColor(clBlack);
        cv->MoveTo(E, B - 1);
        cv->LineTo(E, T - 1);
        return;
    }
    if (!FColumnHeadersVisible || ARow != columnHeaderRow())
        return;

    const int dataCol = dataColOf(ACol);
    const int colWidth = TCustomGrid::GridColWidths(ACol);
    const TRect tr(cellRect.Left + 4, cellRect.Top + 2, cellRect.Right - 5, cellRect.Bottom);
    const bool sorted = dataCol == FRLData->LastSortColumn();
    const int s = sorted ? 13 : 0;
    const bool italic = cv->Font()->Style().Contains(fsItalic);
    const TAlignment align = ColumnAlignment(dataCol);
    cv->Brush()->SetColor(ColorColumnHd());
    cv->Font()->SetColor(FColorColumnHdText);
    const QString name = GetColName(dataCol);
    const int h = cv->TextHeight(name);
    const QStringList lines = name.split(QLatin1Char('\n'));
    int c = 0;
    for (int i = 1; i <= lines.size(); ++i) {
        QString line = lines.at(i - 1);
        if (line.endsWith(QLatin1Char('\r')))
            line.chop(1);
        line = ReportHeaderEllipsis(line, colWidth, s, [cv](const QString& x) { return cv->TextWidth(x); });
        int t = cv->TextWidth(line);
        if (italic)
            t += 2;
        TRect band = cellRect;
        if (i > 1) {
            band.Top = std::min(B, textTop + (i - 1) * h);
            band.Bottom = std::min(B, textTop + i * h);
        }
        if (i == 1 || band.Bottom > band.Top)
            cv->TextRect(band, alignedX(align, tr, t), textTop + (i - 1) * h, line);
        if (i == 1) {
            switch (align) {
            case taLeftJustify: c = t + 10; break;
            case taRightJustify: c = (tr.Right - tr.Left) - t - 11; break;
            case taCenter: c = (tr.Right - tr.Left) / 2 + t / 2 + 10; break;
            }
        }
    }
    if (sorted) {
        c = std::min(c, colWidth - 11);
        const int X0 = tr.Left + c;
        const int Y0 = tr.Top + h / 2;
        if (FRLData->LastSortOrder()) {
            cv->Pen()->SetColor(kEdgeShadow);
            cv->MoveTo(X0 - 4, Y0 + 3);
            cv->LineTo(X0, Y0 - 3);
            cv->Pen()->SetColor(kEdgeLight);
            cv->LineTo(X0 + 4, Y0 + 3);
            cv->LineTo(X0 - 4, Y0 + 3);
        } else {
            cv->Pen()->SetColor(kEdgeLight);
            cv->MoveTo(X0 + 4, Y0 - 3);
            cv->LineTo(X0, Y0 + 3);
            cv->Pen()->SetColor(kEdgeShadow);
            cv->LineTo(X0 - 4, Y0 - 3);
            cv->LineTo(X0 + 4, Y0 - 3);
        }
    }
    const int L = cellRect.Left;
    cv->Pen()->SetColor(kEdgeLight);
    cv->MoveTo(L, B - 1);
    cv->LineTo(L, T);
    cv->LineTo(E, T);
    cv->Pen()->SetColor(kEdgeShadow);
    cv->MoveTo(L + 1, B - 1);
    cv->LineTo(E - 1, B - 1);
    cv->LineTo(E - 1, T);
}

void TReportListView::Paint()
{
    if (FSuppressPaint)
        return;
    TCustomDrawGrid::Paint();
    TCanvas* cv = Canvas();
    const int W = ClientWidth();
    const int H = ClientHeight();
    const int hr = CountHeadRows();
    if (NumShownRows() == 0) {
        int y = 0;
        for (int g = 0; g < hr; ++g)
            y += TCustomGrid::RowHeights(g) + 1;
        cv->Pen()->SetWidth(1);
        cv->Pen()->SetColor(Color());
        cv->Brush()->SetStyle(bsSolid);
        cv->Brush()->SetColor(Color());
        cv->Rectangle(0, y, W, H);
        if (!FEmptyMsg.isEmpty()) {
            cv->Font()->Assign(*Font());
            cv->Font()->SetColor(FColorEmptyMsg);
            const int h = cv->TextHeight(FEmptyMsg);
            const QStringList lines = FEmptyMsg.split(QLatin1Char('|'));
            const int n = int(lines.size());
            const int y1 = y - n * h;
            for (int i = 1; i <= n; ++i) {
                const QString& line = lines.at(i - 1);
                cv->TextOut((W - cv->TextWidth(line)) / 2, y1 + (H - y1 - h) / 2 + (i - 1) * h - 2, line);
            }
        }
    }
    const int P = FInterRowIndicatorPos;
    const int top = TopRow();
    if (P != 0 && top <= P && P <= NrOfRows() + 1) {
        int y = 0;
        for (int g = 0; g < hr; ++g)
            y += TCustomGrid::RowHeights(g);
        y += (P - top) * (TCustomGrid::DefaultRowHeight() + 1);
        cv->Pen()->SetColor(FInterRowIndicatorColor);
        cv->Pen()->SetWidth(FInterRowIndicatorWidth);
        cv->MoveTo(0, y);
        cv->LineTo(W, y);
        cv->Pen()->SetWidth(1);
    }
}

} // namespace qor
