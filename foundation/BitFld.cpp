// The bit field behind selections.
#include "foundation/QOR_BitFld.h"

#include <bit>

namespace qor {

void TBitFld::SetSize(int n)
{
    if (n < 0)
        n = 0;
    m_size = n;
    // Drop the words beyond the new end and clear the bits beyond it in the last word,
    // so a later growth shows them false.
    const std::size_t words = (std::size_t(n) + 63) / 64;
    if (m_words.size() > words)
        m_words.resize(words);
    if (!m_words.empty() && n % 64 != 0 && m_words.size() == words)
        m_words.back() &= (std::uint64_t(1) << (n % 64)) - 1;
}

bool TBitFld::GetBit(int i) const
{
    if (i < 0 || i >= m_size)
        return false;
    const std::size_t w = std::size_t(i) / 64;
    return w < m_words.size() && (m_words[w] >> (i % 64) & 1u) != 0;
}

void TBitFld::SetBit(int i, bool value)
{
    if (i < 0 || i >= m_size)
        return;
    const std::size_t w = std::size_t(i) / 64;
    const std::uint64_t mask = std::uint64_t(1) << (i % 64);
    if (w >= m_words.size()) {
        if (!value)
            return;
        m_words.resize(w + 1, 0);
    }
    if (value)
        m_words[w] |= mask;
    else
        m_words[w] &= ~mask;
}

void TBitFld::Clear() { m_words.clear(); }

int TBitFld::FirstTrueBit() const
{
    for (std::size_t w = 0; w < m_words.size(); ++w)
        if (m_words[w] != 0)
            return int(w * 64 + std::size_t(std::countr_zero(m_words[w])));
    return -1;
}

int TBitFld::CountTrueBits() const
{
    int n = 0;
    for (std::uint64_t w : m_words)
        n += std::popcount(w);
    return n;
}

} // namespace qor
