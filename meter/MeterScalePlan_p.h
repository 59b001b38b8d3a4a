// What a TMeter keeps between paints: the scale worked out once for a range, tick count,
// geometry and font, and the picture of the parts that change only with the settings.
#pragma once

#include "meter/QOR_Meter.h"

#include <QSize>
#include <QString>
#include <array>
#include <numbers>
#include <vector>

namespace qor {

namespace meterdetail {
inline constexpr double kDegToRad = std::numbers::pi / 180.0;
/// On a logarithmic scale, values at or below this read as the scale's floor.
inline constexpr double kLogFloor = 1e-100;
} // namespace meterdetail

struct TMeter::TScalePlan {
    /// The inputs the plan was made from; a paint whose inputs differ makes a new one.
    struct Key {
        TMeterGeometry Geo;
        double Min = 0;
        double Max = 0;
        bool Logarithmic = false;
        bool ShortTicks = false;
        int NrTicks = 0;
        int DecPlaces = 0;
        TFont Font;
        /// The meter's scale settings, with the font the labels are measured in.
        static Key Of(const TMeter& m, const TFont& font);
        bool operator==(const Key& o) const
        {
            return Geo.Angle == o.Geo.Angle && Geo.Radius == o.Geo.Radius && Geo.CenterX == o.Geo.CenterX
                && Geo.CenterY == o.Geo.CenterY && Min == o.Min && Max == o.Max && Logarithmic == o.Logarithmic
                && ShortTicks == o.ShortTicks && NrTicks == o.NrTicks && DecPlaces == o.DecPlaces && Font == o.Font;
        }
    };
    struct Line {
        TPoint A, B;
    };
    struct Label {
        Line Tick;
        bool Labelled = false;
        /// Left out: on a closed scale it would overprint the start label.
        bool Hidden = false;
        QString Text;
        int X = 0;  ///< centre of the text
        int Y = 0;
        int Width = 0;
        int Height = 0;
    };
    Key Inputs;
    std::vector<Line> Minor;
    std::vector<Label> Major;
};

struct TMeter::TStaticLayerKey {
    int Width = 0;
    int Height = 0;
    TScalePlan::Key Scale;
    TMeterLayout Layout = mlCirc90;
    int RimBottom = 0;
    QString BackGroundImg;
    qint64 BackGroundKey = 0;
    TBkgFill FillMode = bfSimple;
    std::array<TColor, 7> Colors{};
    bool ScaleBkVisible = false;
    double ScaleBakWidth = 0;
    double ThresholdLow = 0;
    double ThresholdHigh = 0;
    bool ScaleVisible = false;
    bool ScaleLine = false;
    TFont CaptionFont;
    QString Caption;
    bool AnchorCovered = false;
    QString AnchorImage;
    QSize AnchorImageSize;
    int AnchorSize = 0;

    bool operator==(const TStaticLayerKey& o) const
    {
        return Width == o.Width && Height == o.Height && Scale == o.Scale && Layout == o.Layout
            && RimBottom == o.RimBottom && BackGroundImg == o.BackGroundImg && BackGroundKey == o.BackGroundKey
            && FillMode == o.FillMode && Colors == o.Colors && ScaleBkVisible == o.ScaleBkVisible
            && ScaleBakWidth == o.ScaleBakWidth && ThresholdLow == o.ThresholdLow && ThresholdHigh == o.ThresholdHigh
            && ScaleVisible == o.ScaleVisible && ScaleLine == o.ScaleLine && CaptionFont == o.CaptionFont
            && Caption == o.Caption && AnchorCovered == o.AnchorCovered && AnchorImage == o.AnchorImage
            && AnchorImageSize == o.AnchorImageSize && AnchorSize == o.AnchorSize;
    }
};

/// The picture of background, bands, scale and caption, and the canvas state it left.
struct TMeter::TStaticLayer {
    TStaticLayerKey Inputs;
    TBitmap Bitmap;
    TCaptionPlace Caption;
    TPen Pen;
    TBrush Brush;
    TFont Font;
    TPoint PenPos;
};

} // namespace qor
