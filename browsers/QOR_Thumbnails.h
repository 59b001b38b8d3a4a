// TThumbnails: a scrollable strip of slides numbered Min..Max. The strip keeps no images:
// every paint asks the application for each visible slide (OnImageRequest), framed by
// OnFirstImageRequest and OnLastImageRequest. It lays the slides out in as many columns as
// fit, scrolls by a fractional slide index, marks the slide under the mouse with a focus
// rectangle, keeps a selection and reports clicks with the slide number.
#pragma once

#include "foundation/QOR_BitFld.h"
#include "foundation/QOR_Controls.h"

#include <memory>

namespace qor {

inline namespace thumbnails_enums {
Q_NAMESPACE
/// What a slide shows, as the application answers an image request.
enum TImageRequestProcessing : Byte {
    irpShowEmpty = 0,     ///< a white card with the slide number
    irpShowSlide = 1,     ///< the supplied bitmap, scaled into the slide
    irpShowFrameOnly = 2, ///< only the cell and its frame
    irpShowNothing = 3    ///< no cell; only a marker and the rendered event
};
Q_ENUM_NS(TImageRequestProcessing)
enum TSlideSelectMode : Byte { ssmDisabled = 0, ssmSingle = 1, ssmMultiple = 2 };
Q_ENUM_NS(TSlideSelectMode)
} // namespace thumbnails_enums

/// Asks for slide ThumbID. The handler draws or loads the image into ImgBuffer (owned by the
/// strip, the same bitmap for every slide of one paint) and answers how to show it and which
/// marker to draw (-1 for none). A handler may point ImgBuffer at a bitmap of its own for this
/// slide; the strip draws it and leaves it to the application.
using TImageRequestEvent = std::function<void(TObject* Sender, int ThumbID, TImageRequestProcessing& HowToProcess,
                                              int& MarkIt, TBitmap*& ImgBuffer)>;
using TImageClickEvent = std::function<void(TObject* Sender, int X, int Y, int ThumbID)>;
using TSlideRenderedEvent = std::function<void(TObject* Sender, TCanvas* Canvas, int X, int Y, int ThumbID)>;

struct TThumbLayout;

class TThumbnails : public TGraphicControl {
    Q_OBJECT
    Q_PROPERTY(int Min READ Min WRITE SetMin)
    Q_PROPERTY(int Max READ Max WRITE SetMax)
    Q_PROPERTY(int SlideSize READ SlideSize WRITE SetSlideSize)
    Q_PROPERTY(int SlideDistance READ SlideDistance WRITE SetSlideDistance)
    Q_PROPERTY(int SlideMargin READ SlideMargin WRITE SetSlideMargin)
    Q_PROPERTY(qor::thumbnails_enums::TSlideSelectMode SlideSelectMode READ SlideSelectMode WRITE SetSlideSelectMode)
    Q_PROPERTY(int FocusLinewidth READ FocusLinewidth WRITE SetFocusLinewidth)
    Q_PROPERTY(int FocusedSlide READ FocusedSlide)
    Q_PROPERTY(uint ColorBackGnd READ ColorBackGnd WRITE SetColorBackGnd)
    Q_PROPERTY(uint ColorCover READ ColorCover WRITE SetColorCover)
    Q_PROPERTY(uint ColorSelected READ ColorSelected WRITE SetColorSelected)
    Q_PROPERTY(uint ColorFocus READ ColorFocus WRITE SetColorFocus)
    Q_PROPERTY(uint ColorMark READ ColorMark WRITE SetColorMark)
    Q_PROPERTY(qor::core_enums::TColorScheme ColorScheme READ ColorScheme WRITE SetColorScheme)
    Q_PROPERTY(qor::core_enums::TFrameStyle FrameStyle READ FrameStyle WRITE SetFrameStyle)
    Q_PROPERTY(qor::core_enums::TFrameStyle OuterFrameStyle READ OuterFrameStyle WRITE SetOuterFrameStyle)
    Q_PROPERTY(qor::core_enums::TFrameStyle InnerFrameStyle READ InnerFrameStyle WRITE SetInnerFrameStyle)
    Q_PROPERTY(bool AntiAlias READ AntiAlias WRITE SetAntiAlias)
    Q_PROPERTY(double FirstThumbIdx READ FirstThumbIdx WRITE SetFirstThumbIdx)
    Q_PROPERTY(int NumSlidesHoriz READ NumSlidesHoriz)
    Q_PROPERTY(int NumSlidesVert READ NumSlidesVert)

public:
    explicit TThumbnails(QWidget* owner = nullptr);
    ~TThumbnails() override;


    int Min() const { return FMin; }
    void SetMin(int v);
    int Max() const { return FMax; }
    void SetMax(int v);
    int SlideSize() const { return FThumbBaseSize; }
    void SetSlideSize(int v);
    int SlideDistance() const { return FSLideDist; }
    void SetSlideDistance(int v);
    int SlideMargin() const { return FSlideMargin; }
    void SetSlideMargin(int v);
    TSlideSelectMode SlideSelectMode() const { return FSelectMode; }
    void SetSlideSelectMode(TSlideSelectMode m);
    int FocusLinewidth() const { return FHiliteThickness; }
    void SetFocusLinewidth(int v);
    /// The slide under the focus rectangle, 0 for none.
    int FocusedSlide() const { return FLastHiLite; }
    TColor ColorBackGnd() const { return FColorBG; }
    void SetColorBackGnd(TColor c);
    TColor ColorCover() const { return FColorCover; }
    void SetColorCover(TColor c);
    TColor ColorSelected() const { return FColorSelected; }
    void SetColorSelected(TColor c);
    TColor ColorFocus() const { return FColorHilite; }
    void SetColorFocus(TColor c);
    TColor ColorMark() const { return FMarkColor; }
    void SetColorMark(TColor c);
    TColorScheme ColorScheme() const { return FColorScheme; }
    void SetColorScheme(TColorScheme s);
    TFrameStyle FrameStyle() const { return FFrameStyle; }
    void SetFrameStyle(TFrameStyle s);
    TFrameStyle OuterFrameStyle() const { return FOuterFrameStyle; }
    void SetOuterFrameStyle(TFrameStyle s);
    TFrameStyle InnerFrameStyle() const { return FInnerFrameStyle; }
    void SetInnerFrameStyle(TFrameStyle s);
    /// Smooth (area-averaging) scaling of the images when true.
    bool AntiAlias() const { return FAntiAlias; }
    void SetAntiAlias(bool on);

    /// Scroll position: the whole part is the first slide of the top row, the fraction how far
    /// that row is scrolled up.
    double FirstThumbIdx() const { return FFirstThumbIx; }
    void SetFirstThumbIdx(double x);
    /// Columns and rows of the layout of the last paint.
    int NumSlidesHoriz() const { return FNumSldX; }
    int NumSlidesVert() const { return FNumSldY; }

    bool SlideSelected(int sldnum) const { return GetSelectedSlide(sldnum); }
    void SetSlideSelected(int sldnum, bool value) { SetSelectedSlide(sldnum, value); }
    bool GetSelectedSlide(int sldnum) const;
    void SetSelectedSlide(int sldnum, bool value);
    void ResetAllSelections();
    /// The lowest selected slide; Min - 1 when none is selected.
    int FirstSelectedSlide() const;
    int NumSlidesSelected() const;

    int CalcSlideIndex(int xPos, int yPos) const;
    void CalcSlidePos(int sldNum, int& xPos, int& yPos) const;

    /// Line colours of the colour scheme (the frames themselves use fixed colours).
    TColor ColGrayLine() const { return FColGrayLine; }
    TColor ColWhiteLine() const { return FColWhiteLine; }

    void Assign(const QObject* source) override;
    void Paint() override;

    TImageRequestEvent OnImageRequest;
    TImageClickEvent OnImageClick;
    TImageClickEvent OnImageDblClick;
    TNotifyEvent OnFocusChange;
    TNotifyEvent OnFirstImageRequest;
    TNotifyEvent OnLastImageRequest;
    TSlideRenderedEvent OnSlideRendered;

    void MouseMove(TShiftState shift, int x, int y) override;
    void MouseUp(TMouseButton button, TShiftState shift, int x, int y) override;

protected:
    void Loaded() override;
    void mouseDoubleClickEvent(QMouseEvent* e) override;

private:
    TThumbLayout layout() const;
    void changed();
    void resizeSelection();
    void applyScroll(double x);
    void paintSlide(TCanvas* c, int n, int x0, int y0, TBitmap*& buffer);
    void drawFocus(TCanvas* c, int n, TColor color);
    void hideMargins(TCanvas* c);

    double FFirstThumbIx = 1.0;
    int FMin = 1;
    int FMax = 100;
    int FNumSldX = 2;
    int FNumSldY = 0;
    int FThumbBaseSize = 120;
    int FSLideDist = 2;
    int FSlideMargin = 7;
    TFrameStyle FFrameStyle = fsLowered;
    TFrameStyle FOuterFrameStyle = fsRaised;
    TFrameStyle FInnerFrameStyle = fsLowered;
    TColor FColorBG = clBtnFace;
    TColor FColorCover = 0xC0C0C0;
    TColor FColorSelected = 0x800000;
    TColor FColorHilite = 0xFF0000;
    TColor FMarkColor = 0;
    TColorScheme FColorScheme = csFixed;
    TColor FColGrayLine = 0x808080;
    TColor FColWhiteLine = 0xFFFFFF;
    bool FAntiAlias = false;
    int FLastHiLite = 0;
    int FHiliteThickness = 1;
    bool FIsWorking = false;
    bool FPaintAgain = false;
    bool FBuilding = true;
    int FLastClicked = 0;
    TBitFld FSelectedSlide;
    TSlideSelectMode FSelectMode = ssmSingle;
};

} // namespace qor
