// Rotated label: anchor geometry, setters, painting of the rotated caption and the frame.
#include "displays/QOR_RotLab.h"
#include "foundation/QOR_Store.h"

#include <QPainter>
#include <algorithm>
#include <cmath>
#include <numbers>
#include <utility>

namespace qor {

TPoint RotLabTextOffset(TAlignment alignment, int angleDeg, int w2, int h2)
{
    const double theta = angleDeg * std::numbers::pi / 180.0;
    const double s = std::sin(theta);
    const double c = std::cos(theta);
    double dx = 0, dy = 0;
    switch (alignment) {
    case taLeftJustify:
        dx = -h2 * s;
        dy = -h2 * c;
        break;
    case taRightJustify:
        dx = -2.0 * w2 * c - h2 * s;
        dy = 2.0 * w2 * s - h2 * c;
        break;
    case taCenter:
    default:
        dx = -w2 * c - h2 * s;
        dy = w2 * s - h2 * c;
        break;
    }
    return TPoint(int(std::lround(dx)), int(std::lround(dy)));
}

TRotLab::TRotLab(QWidget* owner) : TGraphicControl(owner)
{
    // The label paints only its own pixels; where it is transparent the parent shows through.
    setAttribute(Qt::WA_OpaquePaintEvent, false);
    Font()->SetName(QStringLiteral("Arial"));
    Font()->SetSize(11);
    resize(200, 200);
}

void TRotLab::repaintLabel()
{
    if (FTransparent)
        Invalidate();
    else
        Paint();
}

void TRotLab::SetAlignment(TAlignment a)
{
    if (!Store(FAlignment, a))
        return;
    relayout();
}

void TRotLab::SetAntiAlias(bool on)
{
    if (!Store(FAntiAlias, on))
        return;
    repaintLabel();
}

void TRotLab::SetAutoCenter(bool on)
{
    if (!Store(FAutoCenter, on))
        return;
    if (on)
        AdjustAutoCenter();
    relayout();
}

void TRotLab::SetAutoSize(bool on)
{
    if (!Store(FAutoSize, on))
        return;
    relayout();
}

void TRotLab::relayout()
{
    if (FAutoSize)
        AdjustAutoSize();
    repaintLabel();
}

void TRotLab::FontChanged()
{
    TGraphicControl::FontChanged();
    if (FAutoSize)
        AdjustAutoSize();
}

void TRotLab::AdjustAutoSize()
{
    TBitmap probe(1, 1);
    TCanvas* c = probe.Canvas();
    c->Font()->Assign(*Font());
    const int tw = c->TextWidth(FCaption);
    const int th = c->TextHeight(FCaption);
    // The text cell's corners around the anchor: from the TextOut point along the text's
    // own axes, which the rotation turns counter-clockwise (screen y grows downwards).
    const TPoint o = RotLabTextOffset(FAlignment, FTextAngle, tw / 2, th / 2);
    const double t = FTextAngle * std::numbers::pi / 180.0;
    const double ux = std::cos(t), uy = -std::sin(t);  // along the text
    const double vx = std::sin(t), vy = std::cos(t);   // down the text
    double minX = o.X, maxX = o.X, minY = o.Y, maxY = o.Y;
    for (const auto& [a, b] : {std::pair{1, 0}, std::pair{0, 1}, std::pair{1, 1}}) {
        const double x = o.X + a * tw * ux + b * th * vx;
        const double y = o.Y + a * tw * uy + b * th * vy;
        minX = std::min(minX, x);
        maxX = std::max(maxX, x);
        minY = std::min(minY, y);
        maxY = std::max(maxY, y);
    }
    // Room for the frame and for a pixel that antialiasing or rounding adds at the edge.
    int frame = 0;
    if (FFrameStyle == fsRidge || FFrameStyle == fsGroove)
        frame = 2;
    else if (FFrameStyle != fsNone)
        frame = 1;
    const int room = frame + 1;
    int w, h;
    if (FAutoCenter) {
        const int ex = int(std::ceil(std::max(-minX, maxX))) + room;
        const int ey = int(std::ceil(std::max(-minY, maxY))) + room;
        w = 2 * ex + 1;
        h = 2 * ey + 1;
        FTextPosX = ex;
        FTextPosY = ey;
    } else {
        const int left = int(std::floor(minX)), top = int(std::floor(minY));
        w = int(std::ceil(maxX)) - left + 2 * room;
        h = int(std::ceil(maxY)) - top + 2 * room;
        FTextPosX = room - left;
        FTextPosY = room - top;
    }
    if (w != width() || h != height())
        SetBounds(x(), y(), w, h);
}

void TRotLab::SetCaption(const QString& c)
{
    if (!Store(FCaption, c))
        return;
    relayout();
}

void TRotLab::SetColor(TColor c)
{
    if (!Store(FBgColor, c))
        return;
    if (StyleServicesEnabled() && FStyleElements.Contains(seClient))
        FBgColor = clWindow; // the style's window colour
    TGraphicControl::SetColor(FBgColor);
    repaintLabel();
}

void TRotLab::SetFrameStyle(TFrameStyle s)
{
    if (!Store(FFrameStyle, s))
        return;
    relayout();
}

void TRotLab::SetPosX(int v)
{
    if (v == FTextPosX)
        return;
    if (FAutoCenter)
        AdjustAutoCenter();
    else if (FAutoSize)
        AdjustAutoSize();
    else
        FTextPosX = v;
    repaintLabel();
}

void TRotLab::SetPosY(int v)
{
    if (v == FTextPosY)
        return;
    if (FAutoCenter)
        AdjustAutoCenter();
    else if (FAutoSize)
        AdjustAutoSize();
    else
        FTextPosY = v;
    repaintLabel();
}

void TRotLab::SetTextAngle(int degrees)
{
    if (!Store(FTextAngle, degrees))
        return;
    relayout();
}

void TRotLab::SetTransparent(bool on)
{
    if (!Store(FTransparent, on))
        return;
    repaintLabel();
}

void TRotLab::SetStyleElements(TStyleElements e)
{
    if (!Store(FStyleElements, e))
        return;
    repaintLabel();
}

void TRotLab::AdjustAutoCenter()
{
    FTextPosX = width() / 2;
    FTextPosY = height() / 2;
}

void TRotLab::Resize()
{
    if (parent() && FAutoCenter) {
        AdjustAutoCenter();
        repaintLabel();
    }
    TGraphicControl::Resize();
}

void TRotLab::Assign(const QObject* source)
{
    if (const auto* s = qobject_cast<const TRotLab*>(source)) {
        FAutoCenter = s->FAutoCenter;
        FFrameStyle = s->FFrameStyle;
        FTextAngle = s->FTextAngle;
        FTextPosX = s->FTextPosX;
        FTextPosY = s->FTextPosY;
        FAntiAlias = s->FAntiAlias;
        // The copied anchor belongs to the source's size; a centred label centres on its own.
        if (FAutoCenter)
            AdjustAutoCenter();
        Invalidate();
        return;
    }
    TGraphicControl::Assign(source);
}

void TRotLab::DoDrawText(TCanvas* canvas, bool calcRectOnly)
{
    if (calcRectOnly)
        return;
    TFont* f = canvas->Font();
    f->Assign(*Font());
    if (StyleServicesEnabled() && FStyleElements.Contains(seFont))
        f->SetColor(clWindowText); // the style's panel text colour
    f->SetOrientation(FTextAngle * 10);
    f->SetAntiAlias(FAntiAlias);
    canvas->Brush()->SetStyle(bsClear);

    // Measured along the text's own axes, which rotation does not change.
    const int w2 = canvas->TextWidth(FCaption) / 2;
    const int h2 = canvas->TextHeight(FCaption) / 2;
    const TPoint off = RotLabTextOffset(FAlignment, FTextAngle, w2, h2);
    const int x = FTextPosX + off.X;
    const int y = FTextPosY + off.Y;
    m_textOrigin = TPoint(x, y);
    if (!isEnabled()) {
        f->SetColor(clBtnHighlight);
        canvas->TextOut(x + 1, y + 1, FCaption);
        f->SetColor(clBtnShadow);
    }
    canvas->TextOut(x, y, FCaption);
}

void TRotLab::Paint()
{
    if (!Visible())
        return;
    const QSize size(qMax(1, width()), qMax(1, height()));
    if (m_surface.size() != size) {
        m_canvas.Flush();
        m_surface = QImage(size, QImage::Format_ARGB32_Premultiplied);
    }
    m_canvas.SetTarget(&m_surface, Palette());
    m_canvas.Flush();
    if (FTransparent)
        m_surface.fill(Qt::transparent);
    else
        m_surface.fill(ColorToQColor(TGraphicControl::Color(), Palette()));

    DoDrawText(&m_canvas, false);

    const int w = width();
    const int h = height();
    if (StyleServicesEnabled() && FStyleElements.Contains(seBorder)) {
        m_canvas.Brush()->SetColor(clBtnFace); // the style's grid colour
        DrawFrame(&m_canvas, FFrameStyle, 0, 0, w - 1, h - 1, cl3DLight, clBtnHighlight, clBtnShadow,
                  cl3DDkShadow, clWindowFrame);
    } else {
        DrawFrame(&m_canvas, FFrameStyle, 0, 0, w - 1, h - 1, 0xFFFFFF, 0xC0C0C0, 0x808080, 0, 0);
    }
    m_canvas.Flush();
    if (!m_inPaintEvent)
        update();
}

void TRotLab::paintEvent(QPaintEvent*)
{
    m_inPaintEvent = true;
    Paint();
    m_inPaintEvent = false;
    QPainter p(this);
    p.drawImage(0, 0, m_surface);
}

} // namespace qor
