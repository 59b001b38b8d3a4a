// The row test of the report list's FilterAndSort: a substring, a Boolean expression of
// terms or a regular expression, compiled once and applied to the texts of one row.
#pragma once

#include "replist/QOR_replist.h"

#include <QRegularExpression>
#include <QStringMatcher>
#include <vector>

namespace qor {

class TRowMatcher {
public:
    /// Compiles FilterExp for the mode. False, with a message in Error, for a malformed
    /// Boolean expression or an invalid pattern; the matcher then matches nothing.
    bool Compile(const QString& exp, TFilterMode mode, bool ignoreCase, QString& error);
    /// Whether the row matches: Cells are the texts of the filter columns, Joined the same
    /// texts each followed by a line feed (so no term can run from one cell into the next).
    bool Matches(const std::vector<QStringView>& cells, QStringView joined) const;
    /// Whether a regular expression gave up on a row none of whose cells matched (PCRE2's
    /// match limit), so that Matches could not decide it.
    bool GaveUp() const { return m_gaveUp; }


private:
    struct Term {
        QStringMatcher matcher;
        bool perCell = false; ///< the term itself holds a line feed
    };
    struct Node {
        enum Kind { Leaf, And, Or, Not } kind = Leaf;
        int a = -1; ///< term index for a leaf, else first operand
        int b = -1;
    };
    bool termFound(int t, const std::vector<QStringView>& cells, QStringView joined) const;
    bool eval(int node, const std::vector<QStringView>& cells, QStringView joined) const;

    TFilterMode m_mode = fmSimple;
    std::vector<Term> m_terms;
    std::vector<Node> m_nodes;
    int m_root = -1;
    QRegularExpression m_re;
    QRegularExpression m_rowRe; ///< a fast first test on Joined, when the pattern allows one
    bool m_useRowRe = false;
    bool m_valid = false;
    mutable bool m_gaveUp = false;
};

} // namespace qor
