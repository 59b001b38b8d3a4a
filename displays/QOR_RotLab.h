// TRotLab: a label whose caption is drawn at any angle around an anchor point, with optional
// antialiasing, an engraved look when disabled, and a frame.
#pragma once

#include "foundation/QOR_Controls.h"

#include <QImage>

namespace qor {

/// Offset from the anchor to the top-left reference point of a text rotated by angleDeg
/// (counter-clockwise), for a text of half width w2 and half height h2, so that the anchor lies
/// on the text's middle line at its start (taLeftJustify), end (taRightJustify) or centre.
TPoint RotLabTextOffset(TAlignment alignment, int angleDeg, int w2, int h2);

class TRotLab : public TGraphicControl {
    Q_OBJECT
    Q_PROPERTY(qor::controls_enums::TAlignment Alignment READ Alignment WRITE SetAlignment)
    Q_PROPERTY(bool AntiAlias READ AntiAlias WRITE SetAntiAlias)
    Q_PROPERTY(bool AutoCenter READ AutoCenter WRITE SetAutoCenter)
    Q_PROPERTY(bool AutoSize READ AutoSize WRITE SetAutoSize)
    Q_PROPERTY(QString Caption READ Caption WRITE SetCaption)
    Q_PROPERTY(uint Color READ Color WRITE SetColor)
    Q_PROPERTY(qor::core_enums::TFrameStyle FrameStyle READ FrameStyle WRITE SetFrameStyle)
    Q_PROPERTY(int PosX READ PosX WRITE SetPosX)
    Q_PROPERTY(int PosY READ PosY WRITE SetPosY)
    Q_PROPERTY(int TextAngle READ TextAngle WRITE SetTextAngle)
    Q_PROPERTY(bool Transparent READ Transparent WRITE SetTransparent)

public:
    explicit TRotLab(QWidget* owner = nullptr);

    TAlignment Alignment() const { return FAlignment; }
    void SetAlignment(TAlignment a);
    bool AntiAlias() const { return FAntiAlias; }
    void SetAntiAlias(bool on);
    bool AutoCenter() const { return FAutoCenter; }
    void SetAutoCenter(bool on);
    /// Off by default, so a new label keeps its 200 x 200. When on, the label takes the size
    /// of the rotated caption's bounding box plus its frame and a pixel of room, and places
    /// the anchor so that the caption lies inside: symmetric about the centre with AutoCenter,
    /// else tight, the anchor moved (PosX and PosY are then the label's to choose). It follows
    /// every change of caption, angle, alignment, frame and font.
    bool AutoSize() const { return FAutoSize; }
    void SetAutoSize(bool on);
    /// Sizes the label to its rotated caption (what AutoSize does after each change).
    void AdjustAutoSize();
    QString Caption() const { return FCaption; }
    void SetCaption(const QString& c);
    TColor Color() const { return TGraphicControl::Color(); }
    void SetColor(TColor c);
    TFrameStyle FrameStyle() const { return FFrameStyle; }
    void SetFrameStyle(TFrameStyle s);
    int PosX() const { return FTextPosX; }
    void SetPosX(int v);
    int PosY() const { return FTextPosY; }
    void SetPosY(int v);
    int TextAngle() const { return FTextAngle; }
    void SetTextAngle(int degrees);
    bool Transparent() const { return FTransparent; }
    void SetTransparent(bool on);
    TStyleElements StyleElements() const { return FStyleElements; }
    void SetStyleElements(TStyleElements e);

    /// Moves the anchor to the centre of the label.
    void AdjustAutoCenter();

    void Assign(const QObject* source) override;

    /// Background (unless transparent), the rotated caption, then the frame.
    void Paint() override;
    /// The label's image as last painted (transparent where the parent shows through).
    const QImage& Surface() const { return m_surface; }
    /// The point the caption was last drawn at (the rotated text's top-left reference).
    TPoint TextOrigin() const { return m_textOrigin; }

protected:
    /// Draws the caption; a measuring-only request does nothing.
    virtual void DoDrawText(TCanvas* canvas, bool calcRectOnly);
    void Resize() override;
    void FontChanged() override;
    void paintEvent(QPaintEvent* e) override;

private:
    void repaintLabel();
    /// Re-applies AutoSize when it is on, then repaints.
    void relayout();

    int FTextAngle = 0;
    int FTextPosX = 10;
    int FTextPosY = 10;
    bool FAntiAlias = true;
    bool FAutoCenter = true;
    bool FTransparent = true;
    TColor FBgColor = clBtnFace;
    TAlignment FAlignment = taCenter;
    TFrameStyle FFrameStyle = fsLowered;
    bool FAutoSize = false;
    QString FCaption;
    TStyleElements FStyleElements{seFont, seClient, seBorder};

    QImage m_surface;
    TCanvas m_canvas;
    TPoint m_textOrigin;
    bool m_inPaintEvent = false;
};

} // namespace qor
