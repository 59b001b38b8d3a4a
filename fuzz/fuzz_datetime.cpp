// The report row editor's date/time reader: a format and a text. Whatever they hold, the reader
// answers with one of its codes, and a failure leaves the value at 0.
#include "FuzzSupport.h"

#include "replist/RLRowEditor_p.h"

using namespace qor;
using qor::fuzzing::TFuzzInput;

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
    if (rc == dtpOK)
        (void)FormatDateTimeText(format, value);
    return 0;
}
