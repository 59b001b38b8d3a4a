// Colour selector: the entries, their names and edit flags, the palettes, the selection and the
// user's redefinition of an entry through the colour dialog.
#include "pickers/ColSel_p.h"
#include "pickers/QOR_Colsel.h"

#include <QAbstractItemView>
#include <QColorDialog>
#include <QMouseEvent>
#include <QPointer>
#include <QScopeGuard>

namespace qor {

TColSel::TColSel(QWidget* owner) : QComboBox(owner)
{
    if (OwnerDesigning(owner))
        SetDesigning(true);
    setEditable(false);
    setMouseTracking(true);
    setItemDelegate(new TColSelDelegate(this));
    setMaxVisibleItems(8);
    setStyle(TColSelStyle::Instance());
    for (int i = 0; i < MaxColors; ++i) {
        FColors[std::size_t(i)] = PredefinedColors[std::size_t(i)];
        FColorNames[std::size_t(i)] = ColorToString(FColors[std::size_t(i)]);
        FIsUserEditable[std::size_t(i)] = false;
    }
    FFont.FromQFont(font());
    FFont.OnChange = [this](TGraphicsObject*) {
        if (m_syncingFont)
            return;
        m_syncingFont = true;
        setFont(FFont.ToQFont());
        m_syncingFont = false;
    };
    // Only what the user does counts as a pick: activated is not emitted for changes made in code.
    connect(this, &QComboBox::activated, this, [this] {
        Click();
        Change();
    });
    rebuild();
}

TColSel::~TColSel() { FFont.OnChange = nullptr; }

QSize TColSel::sizeHint() const { return QSize(145, QComboBox::sizeHint().height()); }

int TColSel::ItemHeight() const { return qMax(16, fontMetrics().height() + 2); }

// ---------------------------------------------------------------- list

void TColSel::rebuild()
{
    clear();
    for (int i = 0; i < FNumColors; ++i)
        addItem(FColorNames[std::size_t(i)]);
    setCurrentIndex(FSelColorIx - 1);
}

void TColSel::refresh()
{
    update();
    if (view() && view()->isVisible())
        view()->viewport()->update();
}

void TColSel::storeGeneratedName(int i, QString name)
{
    if (OnColorNameChange)
        OnColorNameChange(this, name);
    FColorNames[std::size_t(i - 1)] = name;
    if (i - 1 < count())
        setItemText(i - 1, name);
}

void TColSel::Loaded() { rebuild(); }

// ---------------------------------------------------------------- properties

void TColSel::SetNumColors(int n)
{
    if (n < 1 || n > MaxColors)
        return;
    FNumColors = n;
    FSelColorIx = 1;
    rebuild();
}

void TColSel::SetSelColor(TColor c)
{
    const TColor rgb = ColorToRGB(c, &palette());
    int found = 0;
    for (int i = 1; i <= FNumColors && found == 0; ++i)
        if (ColorToRGB(FColors[std::size_t(i - 1)], &palette()) == rgb)
            found = i;
    if (found > 0) {
        FSelColorIx = found;
        storeGeneratedName(found, ColorToString(FColors[std::size_t(found - 1)]));
        setCurrentIndex(found - 1);
    } else {
        FColors[std::size_t(FSelColorIx - 1)] = c;
        storeGeneratedName(FSelColorIx, ColorToString(rgb));
    }
    refresh();
}

void TColSel::SetColorBarWidth(int w)
{
    if (w == FColorBarWidth || w < 0)
        return;
    FColorBarWidth = w;
    refresh();
}

void TColSel::SetEnabled(bool on)
{
    setEnabled(on);
    refresh();
}

void TColSel::SetColor(TColor c)
{
    if (c == FColor)
        return;
    FColor = c;
    refresh();
}

QString TColSel::SelColorID() const
{
    const int ix = currentIndex();
    return ix >= 0 && ix < FNumColors ? FColorNames[std::size_t(ix)] : QString();
}

TColor TColSel::Colors(int i) const { return i >= 1 && i <= FNumColors ? FColors[std::size_t(i - 1)] : 0; }

void TColSel::SetColors(int i, TColor c)
{
    if (i < 1 || i > FNumColors)
        return;
    FColors[std::size_t(i - 1)] = c;
    storeGeneratedName(i, ColorToString(c));
    refresh();
}

QString TColSel::ColorNames(int i) const { return i >= 1 && i <= FNumColors ? FColorNames[std::size_t(i - 1)] : QString(); }

void TColSel::SetColorNames(int i, const QString& name)
{
    if (i < 1 || i > FNumColors)
        return;
    FColorNames[std::size_t(i - 1)] = name;
    if (i - 1 < count())
        setItemText(i - 1, name);
    refresh();
}

bool TColSel::ColorEditAllowed(int i) const { return i >= 1 && i <= FNumColors && FIsUserEditable[std::size_t(i - 1)]; }

void TColSel::SetColorEditAllowed(int i, bool on)
{
    if (i < 1 || i > FNumColors)
        return;
    FIsUserEditable[std::size_t(i - 1)] = on;
    refresh();
}

void TColSel::SetAllColorEditFlags()
{
    FIsUserEditable.fill(true);
    refresh();
}

void TColSel::ResetAllColorEditFlags()
{
    FIsUserEditable.fill(false);
    refresh();
}

// ---------------------------------------------------------------- palettes

void TColSel::loadPalette(int n, int firstPosition)
{
    FSelColorIx = 1;
    FNumColors = n;
    for (int i = 1; i <= n; ++i) {
        FColors[std::size_t(i - 1)] = PredefinedColors[std::size_t(firstPosition + i - 2)];
        // The names land in the list when it is rebuilt below.
        QString name = ColorToString(FColors[std::size_t(i - 1)]);
        if (OnColorNameChange)
            OnColorNameChange(this, name);
        FColorNames[std::size_t(i - 1)] = name;
    }
    rebuild();
}

void TColSel::LoadBasicVGAPalette() { loadPalette(16, 1); }
void TColSel::LoadExtendedPalette() { loadPalette(20, 1); }
void TColSel::LoadStandardPalette() { loadPalette(47, 1); }
void TColSel::LoadWindowsSystemPalette() { loadPalette(27, 21); }

// ---------------------------------------------------------------- user input

void TColSel::Click()
{
    if (currentIndex() >= 0)
        FSelColorIx = currentIndex() + 1;
    if (OnClick)
        OnClick(this);
}

void TColSel::Change()
{
    if (OnChange)
        OnChange(this);
}

void TColSel::DropDown()
{
    const int ix = currentIndex();
    if (FMouseAreaCode == 1 && ix >= 0 && ix < FNumColors && FIsUserEditable[std::size_t(ix)]) {
        // The dialog runs an event loop of its own; should the selector go away meanwhile, the
        // dialog goes with it and nothing here may be touched any more. Otherwise it is freed
        // at the next turn of the event loop.
        QPointer<QColorDialog> dialog = new QColorDialog(this);
        const QPointer<TColSel> self(this);
        const auto cleanup = qScopeGuard([&dialog] {
            if (dialog)
                dialog->deleteLater();
        });
        dialog->setOption(QColorDialog::DontUseNativeDialog);
        dialog->setCurrentColor(ColorToQColor(FColors[std::size_t(ix)], &palette()));
        const int result = dialog->exec();
        if (!self || !dialog)
            return;
        if (result == QDialog::Accepted) {
            const TColor c = QColorToColor(dialog->selectedColor());
            FColors[std::size_t(ix)] = c;
            storeGeneratedName(ix + 1, ColorToString(ColorToRGB(c, &palette())));
        }
        refresh();
    }
    if (OnDropDown)
        OnDropDown(this);
}

void TColSel::showPopup()
{
    const QPointer<TColSel> self(this);
    DropDown();
    if (self)
        QComboBox::showPopup();
}

void TColSel::MouseMove(TShiftState, int x, int)
{
    FMouseAreaCode = x < FColorBarWidth ? 1 : 0;
}

void TColSel::mouseMoveEvent(QMouseEvent* e)
{
    const QPoint p = e->position().toPoint();
    MouseMove(ShiftStateFromQt(e->modifiers(), e->buttons()), p.x(), p.y());
    QComboBox::mouseMoveEvent(e);
}

void TColSel::mousePressEvent(QMouseEvent* e)
{
    // A press is where the mouse is now, even if no move told us so (touch, a first click).
    FMouseAreaCode = e->position().x() < FColorBarWidth ? 1 : 0;
    QComboBox::mousePressEvent(e);
}

void TColSel::leaveEvent(QEvent* e)
{
    FMouseAreaCode = 0;
    QComboBox::leaveEvent(e);
}

void TColSel::focusInEvent(QFocusEvent* e)
{
    QComboBox::focusInEvent(e);
    if (OnEnter)
        OnEnter(this);
}

void TColSel::focusOutEvent(QFocusEvent* e)
{
    QComboBox::focusOutEvent(e);
    if (OnExit)
        OnExit(this);
}

void TColSel::changeEvent(QEvent* e)
{
    if (e->type() == QEvent::FontChange && !m_syncingFont) {
        m_syncingFont = true;
        FFont.FromQFont(font());
        m_syncingFont = false;
    }
    QComboBox::changeEvent(e);
}

} // namespace qor
