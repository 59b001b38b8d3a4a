// The row test of the report list's FilterAndSort: a substring, a Boolean expression of
// terms or a regular expression, compiled once and applied to the texts of every row.
#pragma once

#include "foundation/QOR_StringArray.h"
#include "replist/QOR_replist.h"

#include <QRegularExpression>
#include <QStringMatcher>
#include <array>
#include <functional>
#include <string>
#include <vector>

namespace qor {

/// Whether a text occurs in a cell, with the result of QString::contains(Text, cs) but
/// without its per-call setup: a case-insensitive search folds UTF-16 units the way Qt
/// does (Latin-1 through a table) and hands a cell to Qt's own search as soon as a
/// surrogate, whose folding depends on its neighbour, takes part in a comparison.
class TTextFinder {
public:
    TTextFinder() = default;
    TTextFinder(const QString& text, Qt::CaseSensitivity cs);
    bool In(QStringView cell) const;

private:
    bool foldedIn(QStringView cell) const;

    std::u16string m_key; ///< the text, folded when case is ignored
    std::array<char16_t, 2> m_first{}; ///< Latin-1 units folding to the key's first unit
    QStringMatcher m_exact;
    bool m_ignoreCase = false;
    bool m_exactOnly = false; ///< the text itself holds a surrogate
};

/// The cells a filter tests: the filter columns of one stored row, without their
/// check-mark prefix.
struct TFilterCells {
    const TStringArray* strings = nullptr;
    std::vector<int> cols;
    std::vector<char> prefixed;
    QStringView Cell(int storedRow, size_t i) const
    {
        const QStringView v = strings->GetStoredStringView(cols[i], storedRow);
        return prefixed[i] && !v.isEmpty() ? v.sliced(1) : v;
    }
};

class TRowMatcher {
public:
    /// Compiles FilterExp for the mode. False, with a message in Error, for a malformed
    /// Boolean expression or an invalid pattern; the matcher then matches nothing.
    bool Compile(const QString& exp, TFilterMode mode, bool ignoreCase, QString& error);
    /// Tests the stored rows 1..N: Match[stored] becomes 1 for a row that matches, 0 for
    /// one that does not. Progress (0..100) is reported as the rows are tested.
    void TestRows(const TFilterCells& cells, int n, std::vector<char>& match,
                  const std::function<void(int percent)>& progress) const;
    /// Whether the stored row matches, tested cell by cell.
    bool RowMatches(const TFilterCells& cells, int storedRow) const;
    /// Whether a regular expression gave up (PCRE2's match limit) on a row none of whose
    /// cells matched, so that the row could not be decided.
    bool GaveUp() const { return m_gaveUp; }

private:
    struct Node {
        enum Kind { Leaf, And, Or, Not } kind = Leaf;
        int a = -1; ///< term index for a leaf, else first operand
        int b = -1;
    };
    bool termFound(int t, const TFilterCells& cells, int storedRow) const;
    bool eval(int node, const TFilterCells& cells, int storedRow) const;
    bool cellMatches(QStringView cell, bool& undecided) const;
    void testRowsInBlocks(const TFilterCells& cells, int n, std::vector<char>& match,
                          const std::function<void(int percent)>& progress) const;

    TFilterMode m_mode = fmSimple;
    std::vector<TTextFinder> m_terms;
    std::vector<Node> m_nodes;
    int m_root = -1;
    QRegularExpression m_re;
    QRegularExpression m_blockRe; ///< a fast first test over many rows, when the pattern allows one
    bool m_useBlockRe = false;
    bool m_valid = false;
    mutable bool m_gaveUp = false;
};

} // namespace qor
