// What the fuzz targets share: the application object widgets need, a reader that turns the
// fuzzer's bytes into choices and texts, and the check that stops a run when an invariant breaks.
#pragma once

#include <QString>

#include <cstddef>
#include <cstdint>

namespace qor::fuzzing {

/// Makes the one QApplication of the process (offscreen unless a platform is set), once.
void EnsureApplication();

/// Reports a broken invariant with its details and aborts, so libFuzzer keeps the input as a
/// crash and the replay driver fails the suite.
[[noreturn]] void Fail(const char* what, const QString& detail = {});

/// Cuts the fuzzer's input into values. Choices and numbers are taken from the front, so that a
/// mutation of the tail changes only the texts; once the input is used up every value is 0/empty.
class TFuzzInput {
public:
    TFuzzInput(const uint8_t* data, size_t size) : m_data(data), m_size(size) {}

    size_t Remaining() const { return m_size - m_pos; }
    bool Empty() const { return m_pos >= m_size; }

    uint8_t Byte();
    bool Bool() { return (Byte() & 1) != 0; }
    /// A value in lo..hi (both included).
    int Int(int lo, int hi);
    /// Any double the eight next bytes make, NaN and infinities included.
    double Double();
    /// Up to maxBytes bytes, read as UTF-8 (invalid sequences become U+FFFD), ending early at
    /// a zero byte, which is consumed.
    QString Text(size_t maxBytes);
    /// Everything left, as UTF-8.
    QString RestAsText();
    /// Everything left, as bytes.
    QByteArray RestAsBytes();

private:
    const uint8_t* m_data;
    size_t m_size;
    size_t m_pos = 0;
};

} // namespace qor::fuzzing

/// Checks an invariant inside a fuzz target; the detail is only built when the check fails.
#define QOR_FUZZ_CHECK(cond, detail)                                                                                  \
    do {                                                                                                               \
        if (!(cond))                                                                                                   \
            ::qor::fuzzing::Fail(#cond, (detail));                                                                     \
    } while (false)
