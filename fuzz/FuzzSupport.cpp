#include "FuzzSupport.h"

#include <QApplication>
#include <QByteArray>

#include <cstdio>
#include <cstdlib>
#include <cstring>

namespace qor::fuzzing {

void EnsureApplication()
{
    // Kept for the whole process on purpose: targets run millions of inputs against one application,
    // and a static pointer keeps it reachable for the leak checker.
    static QApplication* app = [] {
        if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM"))
            qputenv("QT_QPA_PLATFORM", "offscreen");
        static int argc = 1;
        static char name[] = "qor_fuzz";
        static char* argv[] = {name, nullptr};
        return new QApplication(argc, argv);
    }();
    (void)app;
}

void Fail(const char* what, const QString& detail)
{
    std::fprintf(stderr, "invariant broken: %s\n%s\n", what, detail.toUtf8().constData());
    std::fflush(stderr);
    std::abort();
}

uint8_t TFuzzInput::Byte()
{
    return m_pos < m_size ? m_data[m_pos++] : 0;
}

int TFuzzInput::Int(int lo, int hi)
{
    if (hi <= lo)
        return lo;
    const auto span = uint64_t(int64_t(hi) - int64_t(lo)) + 1;
    uint64_t v = 0;
    for (uint64_t s = span - 1; s != 0 && !Empty(); s >>= 8)
        v = (v << 8) | Byte();
    return int(int64_t(lo) + int64_t(v % span));
}

double TFuzzInput::Double()
{
    uint64_t bits = 0;
    for (int i = 0; i < 8; ++i)
        bits = (bits << 8) | Byte();
    double d;
    std::memcpy(&d, &bits, sizeof d);
    return d;
}

QString TFuzzInput::Text(size_t maxBytes)
{
    const size_t start = m_pos;
    size_t end = start;
    while (end < m_size && end - start < maxBytes && m_data[end] != 0)
        ++end;
    m_pos = end < m_size && m_data[end] == 0 ? end + 1 : end;
    return QString::fromUtf8(reinterpret_cast<const char*>(m_data + start), qsizetype(end - start));
}

QString TFuzzInput::RestAsText()
{
    return QString::fromUtf8(RestAsBytes());
}

QByteArray TFuzzInput::RestAsBytes()
{
    QByteArray b(reinterpret_cast<const char*>(m_data + m_pos), qsizetype(m_size - m_pos));
    m_pos = m_size;
    return b;
}

} // namespace qor::fuzzing
