// TGradFill: fills its whole area with a stepped gradient of up to 255 bands between two
// colours, as a one-way ramp or as a band that reaches the second colour in the middle,
// with optional grid lines and a frame.
#pragma once

#include "foundation/QOR_Controls.h"

namespace qor {

inline namespace gradfl_enums {
Q_NAMESPACE
enum TGradType : Byte { gtHoriz = 0, gtVert = 1, gtMidBandHoriz = 2, gtMidBandVert = 3 };
Q_ENUM_NS(TGradType)
enum TGridMode : Byte { gmNone = 0, gmHoriz = 1, gmVert = 2, gmBoth = 3 };
Q_ENUM_NS(TGridMode)
} // namespace gradfl_enums

class TGradFill : public TGraphicControl {
    Q_OBJECT
    Q_PROPERTY(uint ColorFirst READ ColorFirst WRITE SetColorFirst)
    Q_PROPERTY(uint ColorLast READ ColorLast WRITE SetColorLast)
    Q_PROPERTY(bool ColorFlipped READ ColorFlipped WRITE SetColorFlipped)
    Q_PROPERTY(qor::gradfl_enums::TGradType FillType READ FillType WRITE SetFillType)
    Q_PROPERTY(qor::core_enums::TFrameStyle FrameStyle READ FrameStyle WRITE SetFrameStyle)
    Q_PROPERTY(uint GridColor READ GridColor WRITE SetGridColor)
    Q_PROPERTY(qor::gradfl_enums::TGridMode GridMode READ GridMode WRITE SetGridMode)
    Q_PROPERTY(int NrColors READ NrColors WRITE SetNrColors)

public:
    static constexpr int DefaultSize = 121;
    static constexpr int MaxColors = 255;

    explicit TGradFill(QWidget* owner = nullptr);

    /// The effective first colour (the base last colour while flipped).
    TColor ColorFirst() const { return FColorFirst; }
    void SetColorFirst(TColor c);
    TColor ColorLast() const { return FColorLast; }
    void SetColorLast(TColor c);
    bool ColorFlipped() const { return FColorFlipped; }
    void SetColorFlipped(bool on);
    TGradType FillType() const { return FFillType; }
    /// EQORError for a value outside gtHoriz..gtMidBandVert; the type stays.
    void SetFillType(TGradType t);
    TFrameStyle FrameStyle() const { return FFrameStyle; }
    void SetFrameStyle(TFrameStyle s);
    TColor GridColor() const { return FGridColor; }
    void SetGridColor(TColor c);
    TGridMode GridMode() const { return FGridMode; }
    void SetGridMode(TGridMode m);
    int NrColors() const { return FNrColors; }
    /// Clamped to 1..255.
    void SetNrColors(int n);

    void Paint() override;

    /// Fired after every paint.
    TNotifyEvent OnPaint;

private:
    void applyFlip();

    TColor FBaseFirst = 0x000080;
    TColor FBaseLast = 0x00FFFF;
    TColor FColorFirst = 0x000080;
    TColor FColorLast = 0x00FFFF;
    TColor FGridColor = 0x800000;
    int FNrColors = 16;
    TGradType FFillType = gtHoriz;
    TGridMode FGridMode = gmNone;
    TFrameStyle FFrameStyle = fsNone;
    bool FColorFlipped = false;
};

} // namespace qor
