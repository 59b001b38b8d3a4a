// Colour selector internals: the edit-mark colour rule and the delegate that draws the list.
#pragma once

#include "foundation/QOR_Types.h"

#include <QAbstractItemDelegate>
#include <QProxyStyle>

namespace qor {

class TColSel;

/// Pen of the edit mark on a bar of the given RGB colour: black on a light bar, white on a dark
/// one, by the brightness sqrt(r^2 + b^2 + 2 g^2) / 2 against 180.
TColor ColSelEditMarkColor(TColor rgb);

/// Draws the entries of the drop-down list the way the selector draws its items.
class TColSelDelegate : public QAbstractItemDelegate {
    Q_OBJECT
public:
    explicit TColSelDelegate(TColSel* owner);
    void paint(QPainter* painter, const QStyleOptionViewItem& option, const QModelIndex& index) const override;
    QSize sizeHint(const QStyleOptionViewItem& option, const QModelIndex& index) const override;

private:
    TColSel* m_sel;
};

/// The application's style, except that the list opens as a list of DropDownCount rows even
/// where the style would open it as a menu over the whole list. One instance serves every selector.
class TColSelStyle : public QProxyStyle {
    Q_OBJECT
public:
    static TColSelStyle* Instance();
    int styleHint(StyleHint hint, const QStyleOption* option, const QWidget* widget,
                  QStyleHintReturn* returnData) const override;
};

} // namespace qor
