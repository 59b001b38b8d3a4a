// TBitFld: a field of bits numbered from 0, for selections over large index ranges.
#pragma once

#include <cstdint>
#include <vector>

namespace qor {

/// A field of Size() bits, all false at first. Storage grows only as far as the highest bit
/// ever set, so a field of a billion bits with a few set costs a few words.
class TBitFld {
public:
    TBitFld() = default;
    explicit TBitFld(int size) { SetSize(size); }

    int Size() const { return m_size; }
    /// Makes n bits (negative counts as 0); bits that still fit keep their values, new bits are false.
    void SetSize(int n);
    /// False outside 0..Size()-1.
    bool GetBit(int i) const;
    /// Ignored outside 0..Size()-1.
    void SetBit(int i, bool value);
    /// Sets every bit false.
    void Clear();
    /// Index of the lowest true bit, -1 when no bit is set.
    int FirstTrueBit() const;
    int CountTrueBits() const;

private:
    std::vector<std::uint64_t> m_words;
    int m_size = 0;
};

} // namespace qor
