// The report row editor's date/time reader: a format and a text. Whatever they hold, the reader
// answers with one of its codes, and a failure leaves the value at 0. A value read is written
// back by FormatDateTimeText into a text that reads again to the same text (when literals keep
// the fields apart); for a format of fixed-width numbers only (yyyy, MM, dd and at most one each
// of HH, mm, ss, between literals without digits) that second reading must succeed.
#include "FuzzSupport.h"

#include "replist/RLRowEditor_p.h"

using namespace qor;
using qor::fuzzing::TFuzzInput;

namespace {

bool fixedNumericFormat(const QString& format)
{
    static const QString letters = QStringLiteral("HMdhmsty");
    QStringList runs;
    for (qsizetype i = 0; i < format.size();) {
        const QChar c = format.at(i);
        if (letters.contains(c)) {
            qsizetype j = i;
            while (j < format.size() && format.at(j) == c)
                ++j;
            const QString run = format.mid(i, j - i);
            if (run != QLatin1String("yyyy") && run != QLatin1String("MM") && run != QLatin1String("dd")
                && run != QLatin1String("HH") && run != QLatin1String("mm") && run != QLatin1String("ss"))
                return false;
            if (runs.contains(run))
                return false;
            runs << run;
            i = j;
        } else {
            if (c == QLatin1Char('\'') || (c >= QLatin1Char('0') && c <= QLatin1Char('9')))
                return false;
            ++i;
        }
    }
    return runs.contains(QLatin1String("yyyy")) && runs.contains(QLatin1String("MM")) && runs.contains(QLatin1String("dd"));
}

// Every two field runs have a literal between them, and no literal holds a digit or a quote:
// then no field can take what belongs to its neighbour ("m:sm" writes 0 minutes, 5 seconds and
// 0 minutes as "0:50", which reads back as 50 seconds, as free-length fields are read greedily).
bool separatedFormat(const QString& format)
{
    static const QString letters = QStringLiteral("HMdhmsty");
    bool lastWasField = false;
    for (qsizetype i = 0; i < format.size();) {
        const QChar c = format.at(i);
        if (letters.contains(c)) {
            if (lastWasField)
                return false;
            while (i < format.size() && format.at(i) == c)
                ++i;
            lastWasField = true;
        } else {
            if (c == QLatin1Char('\'') || c.isDigit())
                return false;
            lastWasField = false;
            ++i;
        }
    }
    return true;
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size)
{
    TFuzzInput in(data, size);
    const int currentYear = in.Int(1, 9999);
    const int window = in.Int(0, 99);
    const QString format = in.Text(64);
    const QString text = in.RestAsText();

    TDateTime value = 12345.5;
    const int rc = ParseDateTimeText(text, format, value, currentYear, window);
    QOR_FUZZ_CHECK(rc >= dtpImpossible && rc <= dtpOK, QString("code %1 for '%2' against '%3'").arg(rc).arg(text, format));
    QOR_FUZZ_CHECK(rc == dtpOK || value == 0, QString("value %1 kept after code %2").arg(value).arg(rc));
    (void)QtDateTimeDisplayFormat(format);
    if (rc != dtpOK)
        return 0;
    const QString written = FormatDateTimeText(format, value);
    TDateTime again = 0;
    const int rcAgain = ParseDateTimeText(written, format, again, currentYear, window);
    QOR_FUZZ_CHECK(rcAgain == dtpOK || !fixedNumericFormat(format),
                   QString("'%1' written for '%2' does not read back (code %3)").arg(written, format).arg(rcAgain));
    if (rcAgain == dtpOK && separatedFormat(format))
        QOR_FUZZ_CHECK(FormatDateTimeText(format, again) == written,
                       QString("'%1' read back for '%2' writes as '%3'").arg(written, format, FormatDateTimeText(format, again)));
    return 0;
}
