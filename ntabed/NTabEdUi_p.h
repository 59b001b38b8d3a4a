// Internals of the table editor's editing side: the menus, the heading edit box and the
// comment memo, the copy-buffer text and the number scanner for clipboard text.
#pragma once

#include "ntabed/NTabEd_p.h"

#include <QObject>
#include <QPoint>
#include <QPointer>
#include <QStringView>
#include <array>
#include <memory>
#include <string>

class QLineEdit;
class QPlainTextEdit;

namespace qor {

/// Routes the keys of the heading edit box and the comment memo to the editor.
class NTabEdKeyFilter : public QObject {
public:
    explicit NTabEdKeyFilter(std::function<bool(QObject*, int)> onKey) : m_onKey(std::move(onKey)) {}

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    std::function<bool(QObject*, int)> m_onKey;
};

struct NTabEdUi {
    static constexpr int kDItems = 12;
    static constexpr int kHItems = 5;
    std::unique_ptr<QMenu> dmenu;
    std::unique_ptr<QMenu> hmenu;
    std::array<QAction*, kDItems> ditem{};
    std::array<QMenu*, 4> sub{};                 // mark A, mark B, unmark A, unmark B
    std::array<std::array<QAction*, 4>, 4> subItem{};
    std::array<QAction*, kHItems> hitem{};
    int dmask = 0xFFF;
    bool opening = false;                        // the editor itself opens the data popup
    int hmask = 0x1F;

    QPointer<QLineEdit> headBox;
    QPointer<QPlainTextEdit> memo;
    std::unique_ptr<NTabEdKeyFilter> keys;
    bool headOpen = false;
    bool memoOpen = false;
    // What the heading box edits: the grid cell, and the text it started with (a commit
    // is refused when the heading moved or changed meanwhile).
    TGridCoord headCell{-1, -1};
    QString headOriginal;
    int headCount = 0;

    TGridCoord clicked{-1, -1};                   // cell of the last mouse-down
    QPoint prevDown;
    bool havePrevDown = false;
    bool headingIsColumn = true;
    TGridCoord outline{-1, -1};                   // heading outlined while its popup is open

    // The cell the in-place editor opened on, to restore it exactly on Escape.
    bool editSaved = false;
    int editCol = 0;
    int editRow = 0;
    double editValue = 0;
    Byte editState = 0;
};

/// Character classes of the clipboard number scanner ("." and "," both separate decimals).
enum class ClipChar : Byte { Separator, Blank, Sign, Digit, Exponent, Other };

inline char32_t ClipU(char c) { return static_cast<unsigned char>(c); }
inline char32_t ClipU(char16_t c) { return c; }

inline ClipChar ClipCharClass(char32_t c)
{
    if (c >= u'0' && c <= u'9')
        return ClipChar::Digit;
    switch (c) {
    case u'.':
    case u',':
        return ClipChar::Separator;
    case u' ':
    case u'\t':
    case u'\r':
        return ClipChar::Blank;
    case u'+':
    case u'-':
        return ClipChar::Sign;
    case u'e':
    case u'E':
        return ClipChar::Exponent;
    default:
        return ClipChar::Other;
    }
}

inline bool ClipCanStartNumber(char32_t c)
{
    return (c >= u'0' && c <= u'9') || c == u'+' || c == u'-' || c == u'.' || c == u',';
}

inline bool ClipSpace(char32_t c) { return c == u' ' || c == u'\t' || c == u'\r' || c == u'\n'; }

/// "####" standing alone (between blanks, tabs or line ends): the copy text of a cell that
/// is no number.
template <class CharT>
bool ClipPlaceholderAt(const CharT* begin, const CharT* p, const CharT* end)
{
    return end - p >= 4 && p[1] == '#' && p[2] == '#' && p[3] == '#' && (p == begin || ClipSpace(ClipU(p[-1])))
        && (end - p == 4 || ClipSpace(ClipU(p[4])));
}

/// The exponent digits kept of a number: more would only overflow anyway.
constexpr int kClipMaxExponent = 4200;

/// Converts the text gathered by the scanner ("." as separator, optional exponent) to a
/// double limited to the largest finite double; false when the text holds no digit of a
/// mantissa.
bool ClipConvert(std::string& text, double& value);

/// Reads the numbers of a clipboard text. For every number Sink(line, n, value) is called
/// with the 0-based line and the 0-based position of the number on its line; "####" standing
/// alone (the copy text of a cell that is no number) takes a position too and is reported with
/// Placeholder(line, n). A line feed, also one right after a number, starts a new line; line feeds before
/// the first number do not count.
/// Returns the number of values read.
/// The text as UTF-16 or as UTF-8 bytes (bytes above 127 are neither digits nor signs).
template <class CharT, class Sink, class Placeholder>
long long ScanClipNumbers(const CharT* p, const CharT* const end, Sink&& sink, Placeholder&& placeholder)
{
    const CharT* const begin = p;
    std::string num;
    num.reserve(32);
    long long count = 0;
    int line = 0;
    int n = 0;
    bool started = false;
    // The transitions of states 1..8 by character class; 9 accepts, -1 fails.
    static constexpr signed char next[9][6] = {
        {0, 0, 0, 0, 0, 0},
        {4, 1, 2, 3, -1, -1}, {4, -1, -1, 3, -1, -1}, {4, 9, 9, 3, 6, 9}, {-1, 9, 9, 5, 6, 9},
        {-1, 9, 9, 5, 6, 9},  {-1, -1, 7, 8, -1, 9},  {-1, -1, -1, 8, -1, 9}, {9, 9, 9, 8, 9, 9}};
    while (p < end) {
        // forward to the next character that can start a number or a placeholder
        while (p < end && !ClipCanStartNumber(ClipU(*p))) {
            if (*p == u'\n') {
                // lines before the first number (a heading line, say) do not count
                if (started) {
                    ++line;
                    n = 0;
                }
            } else if (*p == u'#' && ClipPlaceholderAt(begin, p, end)) {
                break;
            }
            ++p;
        }
        if (p >= end)
            break;
        if (*p == u'#') {
            started = true;
            p += 4;
            placeholder(line, n);
            ++n;
            continue;
        }
        num.clear();
        int state = 1;
        int exponent = 0;
        bool expCut = false;
        while (true) {
            // past the end the text reads as a blank
            const ClipChar cls = p < end ? ClipCharClass(ClipU(*p)) : ClipChar::Blank;
            const int to = next[state][int(cls)];
            if (to == 9 || to < 0)
                break;
            if (p >= end)
                break;
            if (to == 8 && cls == ClipChar::Digit) {
                if (!expCut) {
                    exponent = exponent * 10 + (*p - u'0');
                    if (exponent <= kClipMaxExponent)
                        num.push_back(char(*p));
                    else
                        expCut = true;
                }
            } else if (cls == ClipChar::Separator) {
                num.push_back('.');
            } else if (cls == ClipChar::Exponent) {
                num.push_back('E');
            } else {
                num.push_back(char(*p));
            }
            state = to;
            ++p;
        }
        double v = 0;
        if (ClipConvert(num, v)) {
            started = true;
            sink(line, n, v);
            ++n;
            ++count;
        }
    }
    return count;
}

template <class Sink, class Placeholder>
long long ScanClipNumbers(QStringView text, Sink&& sink, Placeholder&& placeholder)
{
    const char16_t* p = reinterpret_cast<const char16_t*>(text.utf16());
    return ScanClipNumbers(p, p + text.size(), sink, placeholder);
}

/// The clipboard text of one value: full precision gives exponential notation with a
/// four-digit exponent in 22 characters (more digits where 14 would not give the value
/// back exactly); otherwise field width 1 with Precision decimals (-1: exponential).
void AppendClipValue(std::string& out, double x, bool fullPrecision, int precision);

/// The clipboard format that carries the cell states beside the text, so that empty and
/// invalid cells come back as they were.
inline constexpr const char* kClipStatesMime = "application/x-qor-ntabed-states";

} // namespace qor
