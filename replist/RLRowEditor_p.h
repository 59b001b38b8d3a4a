// Plain helpers of the report list's row editor: reading a column format, the date/time
// text parser and writer of the editor's date fields, and the row-index defaults.
#pragma once

#include "foundation/QOR_DateTime.h"

#include <QString>

namespace qor {

/// What a column format asks of the row editor.
struct TRowEditField {
    QString TypeText = QStringLiteral("s"); ///< without the read-only mark
    bool ReadOnly = false;
    int Width = 200;                        ///< pixels of the input control
    QString Remainder;                      ///< default text or item list
    QChar Letter() const { return TypeText.isEmpty() ? QChar() : TypeText.at(0); }
};

/// Splits a column format ("[type][width]remainder") the way the row editor reads it.
TRowEditField SplitEditFormat(const QString& format);

/// Results of ParseDateTimeText.
enum TDateTimeParseError : int {
    dtpOK = 0,
    dtpLiteral = -1,     ///< a literal of the format is not at the front of the text
    dtpTokenLength = -2, ///< a run of a field letter of unknown length (yyy, MMMMM, sss...)
    dtpBadField = -3,    ///< a fixed-width field that is no number, a name that matches nothing
    dtpImpossible = -4   ///< the fields read, but name no date or time (31 February, hour 25)
};

/// Reads Text against the date/time Format. On success Value is the day count and the
/// result dtpOK; otherwise Value is 0 and the result one of the error codes.
/// Two-digit years fall in the hundred years that start CenturyWindow years before
/// CurrentYear (0: the century of CurrentYear).
int ParseDateTimeText(const QString& text, const QString& format, TDateTime& value, int currentYear,
                      int centuryWindow = 50);
/// ParseDateTimeText with the current year.
int ParseDateTimeText(const QString& text, const QString& format, TDateTime& value);
/// Writes a day count in the same format language (the inverse of the parser).
QString FormatDateTimeText(const QString& format, TDateTime value);
/// The format as a QDateTimeEdit display format (literals quoted, am/pm as "ap").
QString QtDateTimeDisplayFormat(const QString& format);

/// The row-index text of a numeric column's "rix<n>" default: e and f with n decimals,
/// h as n hexadecimal digits, i as n decimal digits.
QString RowIndexDefault(QChar letter, int row, const QString& remainder);

} // namespace qor
