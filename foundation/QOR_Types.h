// Basic vocabulary shared by every qor unit: sets, points, rectangles, colours.
#pragma once

#include <QtGlobal>
#include <QObject>
#include <QPoint>
#include <QRect>
#include <QString>
#include <cstdint>
#include <initializer_list>
#include <stdexcept>

namespace qor {

using TObject = QObject;
using Byte = std::uint8_t;
using Word = std::uint16_t;

/// A small set over a byte-sized enumeration, in the manner of a Pascal set.
template <class E>
class TSet {
public:
    constexpr TSet() = default;
    constexpr TSet(std::initializer_list<E> items) { for (E e : items) m_bits |= bit(e); }
    constexpr bool Contains(E e) const { return (m_bits & bit(e)) != 0; }
    constexpr TSet& Include(E e) { m_bits |= bit(e); return *this; }
    constexpr TSet& Exclude(E e) { m_bits &= ~bit(e); return *this; }
    constexpr bool Empty() const { return m_bits == 0; }
    constexpr std::uint64_t Bits() const { return m_bits; }
    static constexpr TSet FromBits(std::uint64_t b) { TSet s; s.m_bits = b; return s; }
    constexpr TSet operator+(TSet o) const { return FromBits(m_bits | o.m_bits); }
    constexpr TSet operator-(TSet o) const { return FromBits(m_bits & ~o.m_bits); }
    constexpr TSet operator*(TSet o) const { return FromBits(m_bits & o.m_bits); }
    constexpr TSet operator+(E e) const { return FromBits(m_bits | bit(e)); }
    constexpr TSet operator-(E e) const { return FromBits(m_bits & ~bit(e)); }
    constexpr bool operator==(const TSet&) const = default;

private:
    static constexpr std::uint64_t bit(E e) { return std::uint64_t(1) << unsigned(e); }
    std::uint64_t m_bits = 0;
};

struct TPoint {
    int X = 0;
    int Y = 0;
    constexpr TPoint() = default;
    constexpr TPoint(int x, int y) : X(x), Y(y) {}
    TPoint(const QPoint& p) : X(p.x()), Y(p.y()) {}
    operator QPoint() const { return QPoint(X, Y); }
    constexpr bool operator==(const TPoint&) const = default;
};

/// A rectangle with exclusive right and bottom edges: it covers Left..Right-1, Top..Bottom-1.
struct TRect {
    int Left = 0;
    int Top = 0;
    int Right = 0;
    int Bottom = 0;
    constexpr TRect() = default;
    constexpr TRect(int l, int t, int r, int b) : Left(l), Top(t), Right(r), Bottom(b) {}
    constexpr int Width() const { return Right - Left; }
    constexpr int Height() const { return Bottom - Top; }
    constexpr bool IsEmpty() const { return Right <= Left || Bottom <= Top; }
    constexpr bool Contains(int x, int y) const { return x >= Left && x < Right && y >= Top && y < Bottom; }
    constexpr TPoint TopLeft() const { return {Left, Top}; }
    constexpr TPoint BottomRight() const { return {Right, Bottom}; }
    QRect ToQRect() const { return QRect(Left, Top, Right - Left, Bottom - Top); }
    static TRect FromQRect(const QRect& r) { return TRect(r.left(), r.top(), r.left() + r.width(), r.top() + r.height()); }
    constexpr bool operator==(const TRect&) const = default;
};

constexpr TRect Rect(int l, int t, int r, int b) { return TRect(l, t, r, b); }
constexpr TPoint Point(int x, int y) { return TPoint(x, y); }

/// A colour: 0x00BBGGRR, or a system colour with the top byte 0xFF.
using TColor = std::uint32_t;

constexpr TColor RGB(int r, int g, int b)
{
    return TColor(r & 0xFF) | (TColor(g & 0xFF) << 8) | (TColor(b & 0xFF) << 16);
}
constexpr int GetRValue(TColor c) { return int(c & 0xFF); }
constexpr int GetGValue(TColor c) { return int((c >> 8) & 0xFF); }
constexpr int GetBValue(TColor c) { return int((c >> 16) & 0xFF); }

constexpr TColor clBlack = 0x000000;
constexpr TColor clMaroon = 0x000080;
constexpr TColor clGreen = 0x008000;
constexpr TColor clOlive = 0x008080;
constexpr TColor clNavy = 0x800000;
constexpr TColor clPurple = 0x800080;
constexpr TColor clTeal = 0x808000;
constexpr TColor clGray = 0x808080;
constexpr TColor clSilver = 0xC0C0C0;
constexpr TColor clRed = 0x0000FF;
constexpr TColor clLime = 0x00FF00;
constexpr TColor clYellow = 0x00FFFF;
constexpr TColor clBlue = 0xFF0000;
constexpr TColor clFuchsia = 0xFF00FF;
constexpr TColor clAqua = 0xFFFF00;
constexpr TColor clWhite = 0xFFFFFF;
constexpr TColor clMoneyGreen = 0xC0DCC0;
constexpr TColor clSkyBlue = 0xF0CAA6;
constexpr TColor clCream = 0xF0FBFF;
constexpr TColor clMedGray = 0xA4A0A0;
constexpr TColor clNone = 0x1FFFFFFF;
constexpr TColor clDefault = 0x20000000;

constexpr TColor clSystemColor = 0xFF000000;
constexpr TColor clScrollBar = clSystemColor | 0x00;
constexpr TColor clBackground = clSystemColor | 0x01;
constexpr TColor clActiveCaption = clSystemColor | 0x02;
constexpr TColor clInactiveCaption = clSystemColor | 0x03;
constexpr TColor clMenu = clSystemColor | 0x04;
constexpr TColor clWindow = clSystemColor | 0x05;
constexpr TColor clWindowFrame = clSystemColor | 0x06;
constexpr TColor clMenuText = clSystemColor | 0x07;
constexpr TColor clWindowText = clSystemColor | 0x08;
constexpr TColor clCaptionText = clSystemColor | 0x09;
constexpr TColor clActiveBorder = clSystemColor | 0x0A;
constexpr TColor clInactiveBorder = clSystemColor | 0x0B;
constexpr TColor clAppWorkSpace = clSystemColor | 0x0C;
constexpr TColor clHighlight = clSystemColor | 0x0D;
constexpr TColor clHighlightText = clSystemColor | 0x0E;
constexpr TColor clBtnFace = clSystemColor | 0x0F;
constexpr TColor clBtnShadow = clSystemColor | 0x10;
constexpr TColor clGrayText = clSystemColor | 0x11;
constexpr TColor clBtnText = clSystemColor | 0x12;
constexpr TColor clInactiveCaptionText = clSystemColor | 0x13;
constexpr TColor clBtnHighlight = clSystemColor | 0x14;
constexpr TColor cl3DDkShadow = clSystemColor | 0x15;
constexpr TColor cl3DLight = clSystemColor | 0x16;
constexpr TColor clInfoText = clSystemColor | 0x17;
constexpr TColor clInfoBk = clSystemColor | 0x18;
constexpr TColor clHotLight = clSystemColor | 0x1A;
constexpr TColor clMenuHighlight = clSystemColor | 0x1D;
constexpr TColor clMenuBar = clSystemColor | 0x1E;

constexpr bool IsSystemColor(TColor c) { return (c & 0xFF000000u) == clSystemColor; }

} // namespace qor
