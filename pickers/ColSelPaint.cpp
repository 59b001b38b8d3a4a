// Colour selector painting: one routine draws an item for the drop-down list and for the closed
// box alike.
#include "pickers/ColSel_p.h"
#include "pickers/QOR_Colsel.h"

#include <QApplication>
#include <QPainter>
#include <QPointer>
#include <QStyleOptionComboBox>
#include <QStylePainter>
#include <cmath>

namespace qor {

TColor ColSelEditMarkColor(TColor rgb)
{
    const double r = GetRValue(rgb), g = GetGValue(rgb), b = GetBValue(rgb);
    const double brightness = std::sqrt(r * r + b * b + 2.0 * g * g) / 2.0;
    return brightness > 180.0 ? clBlack : clWhite;
}

void TColSel::DrawItem(TCanvas* c, int index, TRect rect)
{
    if (index < 0 || index >= FNumColors)
        return;
    const std::size_t e = std::size_t(index);
    const bool enabled = isEnabled();
    const TColor oldBrush = c->Brush()->Color();
    const TColor oldFont = c->Font()->Color();
    const int L = rect.Left, T = rect.Top, B = rect.Bottom;
    const int bar = FColorBarWidth;

    if (bar > 0) {
        if (enabled) {
            c->Brush()->SetColor(FColors[e]);
        } else {
            c->Pen()->SetColor(0xC0C0C0);
            c->Brush()->SetColor(0xC0C0C0);
            c->Rectangle(L - 1, T - 1, L + bar + 3, B + 1);
            c->Pen()->SetColor(0x808080);
        }
        c->Rectangle(L + 3, T + 2, L + bar + 3, B - 2);
    }
    if (FIsUserEditable[e] && bar > 11 && enabled) {
        // A small card with two cut corners on the bar, in a colour the bar does not swallow.
        c->Pen()->SetColor(ColSelEditMarkColor(ColorToRGB(FColors[e], &palette())));
        c->MoveTo(L + 5, T + 4);
        c->LineTo(L + 5, B - 5);
        c->LineTo(L + 8, B - 5);
        c->LineTo(L + 11, B - 8);
        c->LineTo(L + 11, T + 7);
        c->LineTo(L + 8, T + 4);
        c->LineTo(L + 5, T + 4);
        c->Pen()->SetColor(clBlack);
    }
    if (enabled) {
        c->Font()->SetColor(clBlack);
        c->Brush()->SetColor(FColor);
    } else {
        c->Font()->SetColor(0x808080);
        c->Brush()->SetColor(0xC0C0C0);
    }
    rect.Left += bar + 3;
    const QString& name = FColorNames[e];
    c->TextRect(rect, rect.Left + 3, rect.Top + (rect.Bottom - rect.Top - c->TextHeight(name)) / 2, name);
    c->Brush()->SetColor(oldBrush);
    c->Font()->SetColor(oldFont);
}

QImage TColSel::renderItem(int index, QSize size, bool focused)
{
    QImage img(size.expandedTo(QSize(1, 1)), QImage::Format_RGB32);
    TCanvas c;
    c.SetTarget(&img, &palette());
    c.Font()->FromQFont(font());
    const TRect r(0, 0, size.width(), size.height());
    // What the list shows before the item draws itself: the control's background.
    c.Brush()->SetColor(FColor);
    c.FillRect(r);
    DrawItem(&c, index, r);
    if (focused)
        c.DrawFocusRect(r);
    c.Flush();
    c.SetTarget(nullptr);
    return img;
}

void TColSel::paintEvent(QPaintEvent*)
{
    QStylePainter painter(this);
    QStyleOptionComboBox opt;
    initStyleOption(&opt);
    opt.currentText.clear();
    opt.currentIcon = QIcon();
    painter.drawComplexControl(QStyle::CC_ComboBox, opt);
    const QRect edit = style()->subControlRect(QStyle::CC_ComboBox, &opt, QStyle::SC_ComboBoxEditField, this);
    if (currentIndex() >= 0 && !edit.isEmpty())
        painter.drawImage(edit.topLeft(), renderItem(currentIndex(), edit.size(), hasFocus()));
}

TColSelStyle* TColSelStyle::Instance()
{
    static QPointer<TColSelStyle> style;
    if (!style) {
        style = new TColSelStyle;
        style->setParent(qApp); // lives as long as the application, after every widget
    }
    return style;
}

int TColSelStyle::styleHint(StyleHint hint, const QStyleOption* option, const QWidget* widget,
                            QStyleHintReturn* returnData) const
{
    if (hint == SH_ComboBox_Popup)
        return 0;
    return QProxyStyle::styleHint(hint, option, widget, returnData);
}

TColSelDelegate::TColSelDelegate(TColSel* owner) : QAbstractItemDelegate(owner), m_sel(owner) {}

void TColSelDelegate::paint(QPainter* painter, const QStyleOptionViewItem& option, const QModelIndex& index) const
{
    // The entry under the mouse or the keyboard carries the focus rectangle, as in a classic list.
    const bool focused = option.state.testFlag(QStyle::State_Selected);
    painter->drawImage(option.rect.topLeft(), m_sel->renderItem(index.row(), option.rect.size(), focused));
}

QSize TColSelDelegate::sizeHint(const QStyleOptionViewItem& option, const QModelIndex&) const
{
    return QSize(option.rect.width(), m_sel->ItemHeight());
}

} // namespace qor
