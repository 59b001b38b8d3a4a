// TNumIO2: keyboard and mouse.
#include "numio/QOR_NumIO2.h"

#include <algorithm>

namespace qor {

static void BeepIf(bool on)
{
    if (on)
        MessageBeep(0xFFFF);
}

/// The character a key gives, or a null QChar for keys that give none. The digits of the
/// main row count by their position (the key reports it whatever the layout); signs, the
/// decimal separators and the letters come from what the key typed, when it is known.
static QChar CharOfKey(Word key, bool shifted, const QString& typed)
{
    const bool digitKey = (key >= '0' && key <= '9') || (key >= VK_NUMPAD0 && key <= VK_NUMPAD9);
    if (!digitKey && key != VK_DECIMAL && typed.size() == 1) {
        const QChar t = typed.at(0).toUpper();
        if (QStringView(u"+-,.ABCDEF").contains(t))
            return t;
        return QChar();
    }
    if (key >= '0' && key <= '9') {
        if (shifted) {
            // The prefixes of the dynamic format, whatever the keyboard layout.
            if (key == '4')
                return '$';
            if (key == '5')
                return '%';
            if (key == '6')
                return '&';
        }
        return QChar(char(key));
    }
    if (key >= 'A' && key <= 'F')
        return QChar(char(key));
    if (key >= VK_NUMPAD0 && key <= VK_NUMPAD9)
        return QChar(char('0' + (key - VK_NUMPAD0)));
    switch (key) {
    case VK_ADD:
    case VK_OEM_PLUS: return '+';
    case VK_SUBTRACT:
    case VK_OEM_MINUS: return '-';
    case VK_DECIMAL:
    case VK_OEM_COMMA: return ',';
    case VK_OEM_PERIOD: return '.';
    default: break;
    }
    return QChar();
}

void TNumIO2::DeleteSelection()
{
    FInBuffer.remove(FSelBegin, FSelEnd - FSelBegin);
    FCaretPos = FSelBegin;
    FSelEnd = FSelBegin;
    if (FInBuffer.isEmpty())
        SetValue(0.0);
}

void TNumIO2::KeyDown(Word& key, TShiftState shift)
{
    TCustomControl::KeyDown(key, shift);
    if (key == 0) // consumed by OnKeyDown
        return;
    HandleKey(key, shift);
}

void TNumIO2::KeyUp(Word& key, TShiftState shift)
{
    if (key == VK_SHIFT)
        FKeyShifted = false;
    else if (key == VK_CONTROL)
        FKeyCntrl = false;
    TCustomControl::KeyUp(key, shift);
}

void TNumIO2::HandleKey(Word key, TShiftState shift)
{
    if (key == VK_SHIFT) {
        FKeyShifted = true;
        return;
    }
    if (key == VK_CONTROL) {
        FKeyCntrl = true;
        return;
    }
    // Modifier keys pressed before the field had the focus never reached it as key-down,
    // so the event's own modifier state counts too.
    const bool ctrl = FKeyCntrl || shift.Contains(ssCtrl);
    const bool shifted = FKeyShifted || shift.Contains(ssShift);
    ClampCaretAndSelection();
    const bool hasSel = FSelBegin < FSelEnd;

    if (FReadOnly) {
        if (ctrl && key == 'C' && hasSel)
            Clipboard()->SetAsText(FInBuffer.mid(FSelBegin, FSelEnd - FSelBegin));
        return;
    }

    const QString savedBuffer = FInBuffer;
    const int savedCaret = FCaretPos;
    bool changed = false;

    if (ctrl) {
        switch (key) {
        case 'C':
            if (hasSel)
                Clipboard()->SetAsText(FInBuffer.mid(FSelBegin, FSelEnd - FSelBegin));
            break;
        case 'V':
            if (Clipboard()->HasText()) {
                const QString t = Clipboard()->AsText();
                FInBuffer.insert(FCaretPos, t);
                FCaretPos += int(t.size());
                changed = true;
            }
            break;
        case 'X':
            if (hasSel) {
                Clipboard()->SetAsText(FInBuffer.mid(FSelBegin, FSelEnd - FSelBegin));
                DeleteSelection();
                changed = true;
            }
            break;
        default:
            BeepIf(FBeep);
            break;
        }
    } else {
        switch (key) {
        case VK_BACK:
            if (hasSel) {
                DeleteSelection();
                changed = true;
            } else if (FCaretPos > 0) {
                FInBuffer.remove(FCaretPos - 1, 1);
                --FCaretPos;
                changed = true;
            }
            break;
        case VK_TAB:
            // Reached only from a synthesised Tab; Shift+Tab goes back, as everywhere.
            if (shifted)
                focusPreviousChild();
            else
                focusNextChild();
            break;
        case VK_END:
            FCaretPos = int(FInBuffer.size());
            break;
        case VK_HOME:
            FCaretPos = 0;
            break;
        case VK_LEFT:
        case VK_UP:
            if (FCaretPos > 0)
                --FCaretPos;
            break;
        case VK_RIGHT:
        case VK_DOWN:
            if (FCaretPos < FInBuffer.size())
                ++FCaretPos;
            break;
        case VK_DELETE:
            if (hasSel) {
                DeleteSelection();
                changed = true;
            } else if (FCaretPos < FInBuffer.size()) {
                FInBuffer.remove(FCaretPos, 1);
                changed = true;
            }
            break;
        default: {
            const QChar c = CharOfKey(key, shifted, KeyText());
            if (c.isNull()) {
                BeepIf(FBeep);
                break;
            }
            if (hasSel) {
                FInBuffer.remove(FSelBegin, FSelEnd - FSelBegin);
                FCaretPos = FSelBegin;
                FSelEnd = FSelBegin;
            }
            FInBuffer.insert(FCaretPos, c);
            ++FCaretPos;
            changed = true;
            break;
        }
        }
    }

    // Keystroke check: a lone sign or an empty text may stand while typing.
    if (FOnlineCheck && !FInBuffer.isEmpty() && FInBuffer != QLatin1String("-")
        && FInBuffer != QLatin1String("+") && !CheckValidity(FInBuffer)) {
        FInBuffer = savedBuffer;
        FCaretPos = savedCaret;
        BeepIf(FBeep);
        changed = false;
    }
    ClampCaretAndSelection();

    if (FInputFormat == itFixPoint) {
        // Inside the decimals the next digit overwrites the one after the caret.
        if (FCaretPos > FInBuffer.size() - FDecP - 1) {
            FSelBegin = FCaretPos;
            FSelEnd = std::min<int>(FCaretPos + 1, int(FInBuffer.size()));
        } else {
            FSelBegin = FSelEnd;
        }
    }

    FCaretVisib = true;
    if (changed)
        Changed();
    Paint();
}

int TNumIO2::CharPosToXCoords(int pos)
{
    TCanvas* c = Canvas();
    c->Font()->Assign(*Font());
    const int w = c->TextWidth(FInBuffer);
    const int v = c->TextWidth(FInBuffer.left(std::max(0, pos)));
    return NumIO2CharPosToX(FAlignment, FLeftSpace, FTextBoxWidth, w, v);
}

int TNumIO2::XCoordsToCharPos(int x)
{
    if (FInBuffer.isEmpty())
        return 0;
    TCanvas* c = Canvas();
    c->Font()->Assign(*Font());
    const int w = c->TextWidth(FInBuffer);
    return NumIO2XToCharPos(FAlignment, FLeftSpace, FTextBoxWidth, w, int(FInBuffer.size()), x);
}

void TNumIO2::MouseDown(TMouseButton button, TShiftState shift, int x, int y)
{
    const int g = NumIO2GaugeBand(FGaugeVisib, FGaugeHeight, FGaugeTopMarg);
    const int h = Height();
    if (!FReadOnly)
        FCaretVisib = true;

    if (y > 0 && y < h - g) {
        const int p = XCoordsToCharPos(x);
        FCaretPos = p;
        FSelBegin = p;
        FSelEnd = p;
        Paint();
    }

    // A read-only field shows its value but does not let the mouse change it.
    if (!FReadOnly && FGaugeVisib && y > h - g && x >= FGaugeLeftMarg && x <= FGaugeLeftMarg + FGaugeWidth) {
        const double v = NumIO2GaugeValueAt(x, FGaugeLeftMarg, FGaugeWidth, FMinimum, FMaximum, ButtonPivots);
        SetValue(v);
        FValueChanged = true;
    }

    const int e = FLeftSpace + FTextBoxWidth + FButSpace;
    if (!FReadOnly && FButVisible && x > e && x < e + FButWidth && y > 0 && y < FButHeight) {
        const bool down = y > FButHeight / 2;
        const double v = NumIO2SpinStep(Value(), !down, FButIncrem, FMinimum, FMaximum, ButtonPivots, FDecP);
        SetValue(v);
        Changed();
    }

    TCustomControl::MouseDown(button, shift, x, y);
}

void TNumIO2::MouseMove(TShiftState shift, int x, int y)
{
    FMouseAreaCode = 0;
    if (x > FLeftSpace)
        FMouseAreaCode = 1;
    if (x > FLeftSpace + FTextBoxWidth)
        FMouseAreaCode = 2;

    if (shift.Contains(ssLeft)) {
        const int g = NumIO2GaugeBand(FGaugeVisib, FGaugeHeight, FGaugeTopMarg);
        const int h = Height();
        if (y > 0 && y < h - g) {
            const int p = XCoordsToCharPos(x);
            if (p > FSelBegin)
                SetSelEnd(p);
            else
                SetSelBegin(p);
        }
        if (!FReadOnly && FGaugeVisib && y > h - g && x >= FGaugeLeftMarg - 1
            && x <= FGaugeLeftMarg + FGaugeWidth + 1) {
            const double v = NumIO2GaugeValueAt(x, FGaugeLeftMarg, FGaugeWidth, FMinimum, FMaximum, ButtonPivots);
            SetValue(v);
            FValueChanged = true;
            if (OnGaugeChange)
                OnGaugeChange(this, shift, v);
        }
    }
    TCustomControl::MouseMove(shift, x, y);
}

void TNumIO2::MouseUp(TMouseButton button, TShiftState shift, int x, int y)
{
    if (FValueChanged) {
        FValueChanged = false;
        Changed();
    }
    TCustomControl::MouseUp(button, shift, x, y);
}

} // namespace qor
