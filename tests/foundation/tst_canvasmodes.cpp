// Brush styles and pen modes across every canvas call that fills or outlines, checked on
// pixels; and the colours DrawFrame gives its simple frame.
#include "foundation/QOR_Foundation.h"

#include <QtTest>
#include <functional>

using namespace qor;

namespace {

using Draw = std::function<void(TCanvas&)>;

// The shapes that fill with the brush, each covering the window (14..25, 14..25).
const QList<QPair<QString, Draw>>& fillingCalls()
{
    static const QList<QPair<QString, Draw>> calls{
        {"Rectangle", [](TCanvas& c) { c.Rectangle(2, 2, 58, 58); }},
        {"FillRect", [](TCanvas& c) { c.FillRect(TRect(2, 2, 58, 58)); }},
        {"Ellipse", [](TCanvas& c) { c.Ellipse(0, 0, 60, 60); }},
        {"RoundRect", [](TCanvas& c) { c.RoundRect(2, 2, 58, 58, 10, 10); }},
        {"Polygon", [](TCanvas& c) { c.Polygon({{2, 2}, {57, 2}, {57, 57}, {2, 57}}); }},
        {"Pie", [](TCanvas& c) { c.Pie(0, 0, 60, 60, 60, 30, 30, 60); }},
        {"Chord", [](TCanvas& c) { c.Chord(0, 0, 60, 60, 60, 30, 30, 60); }},
    };
    return calls;
}

// Every call that draws with the pen; pen width 1, clear brush.
const QList<QPair<QString, Draw>>& penCalls()
{
    static const QList<QPair<QString, Draw>> calls{
        {"LineTo", [](TCanvas& c) { c.MoveTo(5, 20); c.LineTo(50, 33); }},
        {"Polyline", [](TCanvas& c) { c.Polyline({{5, 20}, {50, 20}, {50, 50}}); }},
        {"Rectangle", [](TCanvas& c) { c.Rectangle(5, 5, 50, 40); }},
        {"Ellipse", [](TCanvas& c) { c.Ellipse(5, 5, 50, 41); }},
        {"TinyEllipse", [](TCanvas& c) { c.Ellipse(5, 5, 7, 7); }},
        {"RoundRect", [](TCanvas& c) { c.RoundRect(5, 5, 50, 40, 12, 12); }},
        {"Polygon", [](TCanvas& c) { c.Polygon({{5, 5}, {50, 12}, {20, 50}}); }},
        {"Arc", [](TCanvas& c) { c.Arc(5, 5, 55, 55, 55, 30, 30, 55); }},
        {"Pie", [](TCanvas& c) { c.Pie(5, 5, 55, 55, 55, 30, 30, 55); }},
        {"Chord", [](TCanvas& c) { c.Chord(5, 5, 55, 55, 55, 30, 30, 55); }},
    };
    return calls;
}

bool set(const QImage& img, int x, int y) { return (img.pixel(x, y) & 0xFFFFFF) == 0; }

// What the window (14..25, 14..25) shows: a name for the pattern drawn in black on white.
QString pattern(const QImage& img)
{
    const int lo = 14, hi = 25;
    int count = 0;
    bool fullRow = false, fullCol = false, down = false, up = false;
    for (int i = lo; i <= hi; ++i) {
        bool row = true, col = true;
        for (int j = lo; j <= hi; ++j) {
            row = row && set(img, j, i);
            col = col && set(img, i, j);
            count += set(img, j, i);
        }
        fullRow = fullRow || row;
        fullCol = fullCol || col;
    }
    if (count == 0)
        return "clear";
    if (count == (hi - lo + 1) * (hi - lo + 1))
        return "solid";
    // A diagonal of eight set pixels: "\" runs down to the right, "/" up to the right.
    for (int y = lo; y <= hi - 7; ++y)
        for (int x = lo; x <= hi - 7; ++x) {
            bool d = true, u = true;
            for (int k = 0; k < 8; ++k) {
                d = d && set(img, x + k, y + k);
                u = u && set(img, x + k, y + 7 - k);
            }
            down = down || d;
            up = up || u;
        }
    if (fullRow && fullCol)
        return "cross";
    if (fullRow)
        return "horizontal";
    if (fullCol)
        return "vertical";
    if (down && up)
        return "diagcross";
    if (down)
        return "fdiagonal";
    if (up)
        return "bdiagonal";
    return "other";
}

constexpr TColor kPen = 0x330FF0;
constexpr TColor kDest = 0x965A3C;

// The pixel a pen mode leaves where the pen passes over kDest.
TColor expectedPixel(TPenMode mode)
{
    const TColor p = kPen, d = kDest, m = 0xFFFFFF;
    switch (mode) {
    case pmBlack: return 0;
    case pmWhite: return m;
    case pmNop: return d;
    case pmNot: return ~d & m;
    case pmCopy: return p;
    case pmNotCopy: return ~p & m;
    case pmMergePenNot: return (p | ~d) & m;
    case pmMaskPenNot: return p & ~d & m;
    case pmMergeNotPen: return (~p | d) & m;
    case pmMaskNotPen: return ~p & d & m;
    case pmMerge: return p | d;
    case pmNotMerge: return ~(p | d) & m;
    case pmMask: return p & d;
    case pmNotMask: return ~(p & d) & m;
    case pmXor: return p ^ d;
    case pmNotXor: return ~(p ^ d) & m;
    }
    return d;
}

} // namespace

class tst_CanvasModes : public QObject {
    Q_OBJECT
private slots:
    void brushStyles_data();
    void brushStyles();
    void penModes_data();
    void penModes();
    void simpleFrameColour_data();
    void simpleFrameColour();
};

void tst_CanvasModes::brushStyles_data()
{
    QTest::addColumn<int>("call");
    QTest::addColumn<int>("style");
    QTest::addColumn<QString>("expected");
    const QList<QPair<TBrushStyle, QString>> styles{
        {bsSolid, "solid"},         {bsClear, "clear"},         {bsHorizontal, "horizontal"},
        {bsVertical, "vertical"},   {bsFDiagonal, "fdiagonal"}, {bsBDiagonal, "bdiagonal"},
        {bsCross, "cross"},         {bsDiagCross, "diagcross"},
    };
    for (int c = 0; c < fillingCalls().size(); ++c)
        for (const auto& s : styles)
            QTest::addRow("%s %s", qPrintable(fillingCalls()[c].first), qPrintable(s.second))
                << c << int(s.first) << s.second;
}

void tst_CanvasModes::brushStyles()
{
    QFETCH(int, call);
    QFETCH(int, style);
    QFETCH(QString, expected);
    QImage img(60, 60, QImage::Format_RGB32);
    img.fill(Qt::white);
    TCanvas c;
    c.SetTarget(&img);
    c.Pen()->SetStyle(psClear);
    c.Brush()->SetColor(clBlack);
    c.Brush()->SetStyle(TBrushStyle(style));
    fillingCalls()[call].second(c);
    c.Flush();
    QCOMPARE(pattern(img), expected);
}

void tst_CanvasModes::penModes_data()
{
    QTest::addColumn<int>("call");
    QTest::addColumn<int>("mode");
    const QMetaEnum modes = QMetaEnum::fromType<TPenMode>();
    for (int c = 0; c < penCalls().size(); ++c)
        for (int m = 0; m < modes.keyCount(); ++m)
            QTest::addRow("%s %s", qPrintable(penCalls()[c].first), modes.key(m)) << c << modes.value(m);
}

void tst_CanvasModes::penModes()
{
    QFETCH(int, call);
    QFETCH(int, mode);
    QImage img(60, 60, QImage::Format_RGB32);
    img.fill(ColorToRgb(kDest));
    TCanvas c;
    c.SetTarget(&img);
    c.Pen()->SetColor(kPen);
    c.Pen()->SetMode(TPenMode(mode));
    c.Brush()->SetStyle(bsClear);
    penCalls()[call].second(c);
    c.Flush();
    // Every pixel the pen touched shows the mode's result; pmNop leaves the image alone.
    const TColor want = expectedPixel(TPenMode(mode));
    int touched = 0;
    for (int y = 0; y < img.height(); ++y)
        for (int x = 0; x < img.width(); ++x) {
            const TColor got = RgbToColor(img.pixel(x, y));
            if (got == kDest)
                continue;
            ++touched;
            if (got != want)
                QFAIL(qPrintable(QString("pixel (%1, %2) is %3, the mode gives %4")
                                     .arg(x).arg(y).arg(got, 6, 16, QChar('0')).arg(want, 6, 16, QChar('0'))));
        }
    QCOMPARE(touched > 0, TPenMode(mode) != pmNop);
}

void tst_CanvasModes::simpleFrameColour_data()
{
    QTest::addColumn<TColor>("shadow");
    QTest::addColumn<TColor>("line");
    QTest::addColumn<TColor>("expected");
    QTest::newRow("standard colours: grey") << TColor(0x808080) << TColor(0) << TColor(0x808080);
    QTest::newRow("five zeros: black") << TColor(0) << TColor(0) << TColor(0);
    QTest::newRow("symbol colour") << TColor(0x808080) << TColor(0x0000FF) << TColor(0x0000FF);
    QTest::newRow("style border") << TColor(0x808080) << TColor(0x204060) << TColor(0x204060);
}

void tst_CanvasModes::simpleFrameColour()
{
    QFETCH(TColor, shadow);
    QFETCH(TColor, line);
    QFETCH(TColor, expected);
    TBitmap b(12, 10);
    b.Canvas()->Brush()->SetColor(0x00FF00);
    b.Canvas()->FillRect(TRect(0, 0, 12, 10));
    DrawFrame(b.Canvas(), fsSimple, 0, 0, 11, 9, 0xFFFFFF, 0xC0C0C0, shadow, 0, line);
    const QImage& img = b.Image();
    for (const QPoint p : {QPoint(0, 0), QPoint(11, 0), QPoint(0, 9), QPoint(11, 9), QPoint(5, 0), QPoint(0, 5)})
        QCOMPARE(RgbToColor(img.pixel(p)), expected);
    QCOMPARE(RgbToColor(img.pixel(5, 5)), TColor(0x00FF00));
}

QTEST_MAIN(tst_CanvasModes)
#include "tst_canvasmodes.moc"
