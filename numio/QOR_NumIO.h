// Numeric entry fields: TNumIO, an edit control that polices numeric input.
#pragma once

#include "foundation/QOR_Controls.h"
#include "foundation/QOR_Core.h"
#include "numio/QOR_InFormat.h"

namespace qor {

/// A single-line edit for numbers. Every change of the text is checked against the
/// input format and the range; a change that leaves the text unconvertible or out of
/// range is undone by restoring the last good text (with a beep when Beep is set).
/// Zero is always accepted, whatever the range.
class TNumIO : public TCustomEdit {
    Q_OBJECT
    Q_PROPERTY(bool Beep READ Beep WRITE SetBeep)
    Q_PROPERTY(qor::core_enums::TDecPSep DecPlaceSep READ DecPlaceSep WRITE SetDecPlaceSep)
    Q_PROPERTY(int FixPointDecPlaces READ FixPointDecPlaces WRITE SetFixPointDecPlaces)
    Q_PROPERTY(qor::informat_enums::TInFormat InputFormat READ InputFormat WRITE SetInputFormat)
    Q_PROPERTY(double RangeHigh READ RangeHigh WRITE SetRangeHigh)
    Q_PROPERTY(double RangeLow READ RangeLow WRITE SetRangeLow)
    Q_PROPERTY(double Value READ Value WRITE SetValue STORED false)

public:
    /// Created while the owner is being designed, the range is +-uc_MaxDouble;
    /// created at run time it is [0, 0] until the caller sets it.
    explicit TNumIO(QWidget* owner = nullptr);

    bool Beep() const { return FBeep; }
    void SetBeep(bool on) { FBeep = on; }
    TDecPSep DecPlaceSep() const { return FDecPSep; }
    void SetDecPlaceSep(TDecPSep sep);
    int FixPointDecPlaces() const { return FFixPDecPl; }
    /// Clamped to 1..8; the text is not reformatted.
    void SetFixPointDecPlaces(int places);
    TInFormat InputFormat() const { return FInFormat; }
    void SetInputFormat(TInFormat format);
    double RangeHigh() const { return FMaximum; }
    /// A bound at or below the minimum swaps roles: the old minimum becomes the maximum.
    void SetRangeHigh(double x);
    double RangeLow() const { return FMinimum; }
    /// A bound at or above the maximum swaps roles: the old maximum becomes the minimum.
    void SetRangeLow(double x);

    /// The number shown (0 when the text does not convert).
    double Value() const;
    /// Shows the value in the text form of the input format.
    void SetValue(double value);

    /// Sets the text as the component's own change: it is not checked again.
    void SetEditText(const QString& text);
    /// Converts a text by the input format and separator choice; true when the whole
    /// text is a number. An empty text gives false and leaves Value untouched.
    bool ConvertNumString(const QString& text, double& value) const;

    void Assign(const QObject* source) override;

protected:
    void AssignTo(QObject* dest) const override;
    /// Runs after every change of the text and from the setters.
    void Change() override;

private:
    enum class SepUse { Typed, Shown };
    bool convert(const QString& text, double& value, SepUse use) const;
    QString textForValue(double value) const;
    void restartCheck();

    TInFormat FInFormat = itDynamic;
    int FFixPDecPl = 2;
    QString FOldText;
    bool FInternalChg = false;
    bool FBeep = false;
    double FMinimum = 0.0;
    double FMaximum = 0.0;
    TDecPSep FDecPSep = dsSysDefault;
};

} // namespace qor

// The unit's second control comes with the unit header.
#include "numio/QOR_NumIO2.h"
