// FilterAndSort of the report list view: rows that do not match are hidden (never removed)
// by moving them behind the shown rows in the display order and marking them in their
// attribute byte. The rules are in docs/REPLIST_FILTER.md.
#include "replist/RLFilter_p.h"
#include "replist/RepListView_p.h"

#include <algorithm>
#include <array>

namespace qor {

// ---- the Boolean expression ---------------------------------------------------------------

namespace {

struct BoolToken {
    enum Kind { Term, And, Or, Not, Open, Close, End } kind;
    QString text;
    int pos = 0; ///< 1-based position in the expression
};

bool tokenizeBoolean(const QString& exp, std::vector<BoolToken>& out, QString& error)
{
    qsizetype i = 0;
    const qsizetype n = exp.size();
    while (i < n) {
        const QChar c = exp.at(i);
        if (c.isSpace()) {
            ++i;
        } else if (c == QLatin1Char('(') || c == QLatin1Char(')')) {
            out.push_back({c == QLatin1Char('(') ? BoolToken::Open : BoolToken::Close, QString(c), int(i + 1)});
            ++i;
        } else if (c == QLatin1Char('"')) {
            const qsizetype close = exp.indexOf(QLatin1Char('"'), i + 1);
            if (close < 0) {
                error = QStringLiteral("unclosed quote at position %1").arg(i + 1);
                return false;
            }
            if (close == i + 1) {
                error = QStringLiteral("empty phrase at position %1").arg(i + 1);
                return false;
            }
            out.push_back({BoolToken::Term, exp.mid(i + 1, close - i - 1), int(i + 1)});
            i = close + 1;
        } else {
            qsizetype j = i;
            while (j < n && !exp.at(j).isSpace() && exp.at(j) != QLatin1Char('(') && exp.at(j) != QLatin1Char(')')
                   && exp.at(j) != QLatin1Char('"'))
                ++j;
            const QString word = exp.mid(i, j - i);
            BoolToken::Kind kind = BoolToken::Term;
            if (word.compare(QLatin1String("AND"), Qt::CaseInsensitive) == 0)
                kind = BoolToken::And;
            else if (word.compare(QLatin1String("OR"), Qt::CaseInsensitive) == 0)
                kind = BoolToken::Or;
            else if (word.compare(QLatin1String("NOT"), Qt::CaseInsensitive) == 0)
                kind = BoolToken::Not;
            out.push_back({kind, word, int(i + 1)});
            i = j;
        }
    }
    out.push_back({BoolToken::End, QString(), int(n + 1)});
    return true;
}

// Sorts stored rows by a column (and the store's secondary sort column) exactly as the
// store's Sort would order them, through a container holding only their key texts.
void sortStoredRows(const TRLData& d, std::vector<int>& rows, int col, bool ascending)
{
    const TStringArray* s = d.Strings();
    const int sec = d.SecondarySortColumn();
    const bool hasSec = sec >= 1 && sec <= d.NrOfColumns();
    // Check columns sort by the text behind the check character, as the store's Sort does.
    auto key = [&](int c, int stored) {
        const QString t = s->GetStoredString(c, stored);
        return d.GetColCheckMode(c) == cmNone ? t : t.mid(1);
    };
    TStringArray keys;
    keys.Resize(hasSec ? 2 : 1, int(rows.size()));
    for (size_t i = 0; i < rows.size(); ++i) {
        keys.SetStoredString(1, int(i) + 1, key(col, rows[i]));
        if (hasSec)
            keys.SetStoredString(2, int(i) + 1, key(sec, rows[i]));
    }
    keys.OnBeforeSortExchange = s->OnBeforeSortExchange;
    keys.Sort(1, hasSec ? 2 : -1, ascending);
    std::vector<int> sorted(rows.size());
    for (size_t i = 0; i < rows.size(); ++i)
        sorted[i] = rows[size_t(keys.GetSortOrder(int(i) + 1) - 1)];
    rows.swap(sorted);
}

// Whether every match of the pattern inside one cell is also found when the pattern, in
// multi-line mode, searches many cells joined by line feeds: nothing may look beyond the
// match at the texts around the cell (lookaround, subject anchors, \K, \G), treat a line feed
// with its neighbour as one unit (\R, \X), refuse to give back what it took (atomic groups,
// possessive repeats, verbs such as (*COMMIT)) or change the options or line ends. Grouping,
// named groups and comments are harmless; anything else starting "(?" is assumed not to be.
bool blockSearchAllowed(const QString& pattern)
{
    static const QRegularExpression unsafe(
        QStringLiteral(R"(\(\?(?![:|#]|<[A-Za-z_]|P<|'[A-Za-z_])|\(\*|\\[AzZGKRXg]|[*+?}]\+)"));
    // The engine must also read "\n" as the line end, as it is built by default.
    static const bool lineFeedEndsLines =
        QRegularExpression(QStringLiteral("^b$"), QRegularExpression::MultilineOption)
            .match(QStringLiteral("a\nb\nc"))
            .hasMatch();
    return lineFeedEndsLines && !pattern.contains(unsafe);
}

// Case folding of the Latin-1 range, the units nearly every cell text is made of.
const std::array<char16_t, 256>& latin1Fold()
{
    static const std::array<char16_t, 256> table = [] {
        std::array<char16_t, 256> t{};
        for (char32_t c = 0; c < 256; ++c)
            t[c] = char16_t(QChar::toCaseFolded(c));
        return t;
    }();
    return table;
}

} // namespace

TTextFinder::TTextFinder(const QString& text, Qt::CaseSensitivity cs)
    : m_key(reinterpret_cast<const char16_t*>(text.utf16()), size_t(text.size())),
      m_exact(text, cs),
      m_ignoreCase(cs == Qt::CaseInsensitive)
{
    if (!m_ignoreCase || m_key.empty())
        return;
    for (char16_t& ch : m_key) {
        if (QChar::isSurrogate(ch))
            m_exactOnly = true;
        else
            ch = char16_t(QChar::toCaseFolded(char32_t(ch)));
    }
    // The Latin-1 units that fold to the first unit of the key (a letter's two cases).
    const std::array<char16_t, 256>& fold = latin1Fold();
    int found = 0;
    m_first = {m_key[0], m_key[0]};
    for (char16_t c = 0; c < 256; ++c)
        if (fold[c] == m_key[0] && found < 2)
            m_first[size_t(found++)] = c;
    if (found == 1)
        m_first[1] = m_first[0];
}

bool TTextFinder::In(QStringView cell) const
{
    const size_t m = m_key.size();
    if (m == 0)
        return true;
    if (size_t(cell.size()) < m)
        return false;
    if (m_ignoreCase)
        return m_exactOnly ? m_exact.indexIn(cell) >= 0 : foldedIn(cell);
    const char16_t* h = cell.utf16();
    const char16_t* k = m_key.data();
    const char16_t k0 = k[0];
    const size_t last = size_t(cell.size()) - m;
    for (size_t i = 0; i <= last; ++i) {
        if (h[i] != k0)
            continue;
        size_t j = 1;
        while (j < m && h[i + j] == k[j])
            ++j;
        if (j == m)
            return true;
    }
    return false;
}

// Qt compares folded units position by position; a unit's folding depends on its neighbour
// only for a surrogate. So a window compared without meeting a surrogate decides as Qt
// would, and the first surrogate met hands the whole cell to Qt.
bool TTextFinder::foldedIn(QStringView cell) const
{
    const std::array<char16_t, 256>& fold = latin1Fold();
    const char16_t* h = cell.utf16();
    const char16_t* k = m_key.data();
    const size_t m = m_key.size();
    const size_t last = size_t(cell.size()) - m;
    const char16_t a = m_first[0], b = m_first[1], k0 = k[0];
    for (size_t i = 0; i <= last; ++i) {
        const char16_t c = h[i];
        // Most units are Latin-1 and not the first one of the key: one test rejects them.
        if (c != a && c != b && c < 256)
            continue;
        if (c >= 256) {
            if (QChar::isSurrogate(c))
                return m_exact.indexIn(cell) >= 0;
            if (char16_t(QChar::toCaseFolded(char32_t(c))) != k0)
                continue;
        } else if (fold[c] != k0) {
            continue;
        }
        size_t j = 1;
        for (; j < m; ++j) {
            const char16_t d = h[i + j];
            char16_t f;
            if (d < 256)
                f = fold[d];
            else if (QChar::isSurrogate(d))
                return m_exact.indexIn(cell) >= 0;
            else
                f = char16_t(QChar::toCaseFolded(char32_t(d)));
            if (f != k[j])
                break;
        }
        if (j == m)
            return true;
    }
    return false;
}

bool TRowMatcher::Compile(const QString& exp, TFilterMode mode, bool ignoreCase, QString& error)
{
    m_mode = mode;
    m_valid = false;
    m_terms.clear();
    m_nodes.clear();
    m_root = -1;
    m_useBlockRe = false;
    error.clear();
    const Qt::CaseSensitivity cs = ignoreCase ? Qt::CaseInsensitive : Qt::CaseSensitive;
    auto addTerm = [&](const QString& text) {
        m_terms.emplace_back(text, cs);
        m_nodes.push_back({Node::Leaf, int(m_terms.size()) - 1, -1});
        return int(m_nodes.size()) - 1;
    };

    switch (mode) {
    case fmSimple:
        m_root = addTerm(exp);
        break;
    case fmBoolean: {
        std::vector<BoolToken> toks;
        if (!tokenizeBoolean(exp, toks, error))
            return false;
        size_t p = 0;
        // or := and {OR and}; and := not {[AND] not}; not := NOT not | primary;
        // primary := term | "(" or ")"
        std::function<int()> parseOr, parseAnd, parseNot, parsePrimary;
        auto fail = [&](const QString& what) {
            if (error.isEmpty())
                error = what + QStringLiteral(" at position %1").arg(toks[p].pos);
            return -1;
        };
        auto startsPrimary = [&](BoolToken::Kind k) {
            return k == BoolToken::Term || k == BoolToken::Open || k == BoolToken::Not;
        };
        parsePrimary = [&]() -> int {
            const BoolToken& t = toks[p];
            if (t.kind == BoolToken::Term) {
                ++p;
                return addTerm(t.text);
            }
            if (t.kind == BoolToken::Open) {
                ++p;
                const int inner = parseOr();
                if (inner < 0)
                    return -1;
                if (toks[p].kind != BoolToken::Close)
                    return fail(QStringLiteral("missing \")\""));
                ++p;
                return inner;
            }
            if (t.kind == BoolToken::End)
                return fail(QStringLiteral("missing term at the end"));
            return fail(QStringLiteral("unexpected \"%1\"").arg(t.text));
        };
        parseNot = [&]() -> int {
            if (toks[p].kind == BoolToken::Not) {
                ++p;
                const int inner = parseNot();
                if (inner < 0)
                    return -1;
                m_nodes.push_back({Node::Not, inner, -1});
                return int(m_nodes.size()) - 1;
            }
            return parsePrimary();
        };
        parseAnd = [&]() -> int {
            int left = parseNot();
            while (left >= 0) {
                if (toks[p].kind == BoolToken::And)
                    ++p;
                else if (!startsPrimary(toks[p].kind))
                    break;
                const int right = parseNot();
                if (right < 0)
                    return -1;
                m_nodes.push_back({Node::And, left, right});
                left = int(m_nodes.size()) - 1;
            }
            return left;
        };
        parseOr = [&]() -> int {
            int left = parseAnd();
            while (left >= 0 && toks[p].kind == BoolToken::Or) {
                ++p;
                const int right = parseAnd();
                if (right < 0)
                    return -1;
                m_nodes.push_back({Node::Or, left, right});
                left = int(m_nodes.size()) - 1;
            }
            return left;
        };
        m_root = parseOr();
        if (m_root >= 0 && toks[p].kind != BoolToken::End)
            m_root = fail(QStringLiteral("unexpected \"%1\"").arg(toks[p].text));
        if (m_root < 0) {
            m_terms.clear();
            m_nodes.clear();
            return false;
        }
        break;
    }
    case fmGrep: {
        QRegularExpression::PatternOptions opts = QRegularExpression::UseUnicodePropertiesOption;
        if (ignoreCase)
            opts |= QRegularExpression::CaseInsensitiveOption;
        m_re = QRegularExpression(exp, opts);
        if (!m_re.isValid()) {
            error = m_re.errorString() + QStringLiteral(" at position %1").arg(m_re.patternErrorOffset() + 1);
            return false;
        }
        m_re.optimize();
        m_useBlockRe = blockSearchAllowed(exp);
        if (m_useBlockRe) {
            m_blockRe = QRegularExpression(exp, opts | QRegularExpression::MultilineOption);
            m_useBlockRe = m_blockRe.isValid();
            m_blockRe.optimize();
        }
        break;
    }
    }
    m_valid = true;
    return true;
}


bool TRowMatcher::termFound(int t, const TFilterCells& cells, int storedRow) const
{
    const TTextFinder& term = m_terms[size_t(t)];
    for (size_t i = 0; i < cells.cols.size(); ++i)
        if (term.In(cells.Cell(storedRow, i)))
            return true;
    return false;
}

bool TRowMatcher::eval(int node, const TFilterCells& cells, int storedRow) const
{
    const Node& n = m_nodes[size_t(node)];
    switch (n.kind) {
    case Node::Leaf: return termFound(n.a, cells, storedRow);
    case Node::Not: return !eval(n.a, cells, storedRow);
    case Node::And: return eval(n.a, cells, storedRow) && eval(n.b, cells, storedRow);
    case Node::Or: return eval(n.a, cells, storedRow) || eval(n.b, cells, storedRow);
    }
    return false;
}

bool TRowMatcher::RowMatches(const TFilterCells& cells, int storedRow) const
{
    if (!m_valid)
        return false;
    if (m_mode != fmGrep)
        return eval(m_root, cells, storedRow);
    bool undecided = false;
    for (size_t i = 0; i < cells.cols.size(); ++i)
        if (cellMatches(cells.Cell(storedRow, i), undecided))
            return true;
    m_gaveUp = m_gaveUp || undecided;
    return false;
}

// A cell whose match gives up (PCRE2's match limit) decides nothing: unless another cell of
// its row matches, the row cannot be decided, and the filter is refused rather than the row
// hidden without a word.
bool TRowMatcher::cellMatches(QStringView cell, bool& undecided) const
{
    const QRegularExpressionMatch m = m_re.match(cell);
    undecided = undecided || !m.isValid();
    return m.hasMatch();
}

void TRowMatcher::TestRows(const TFilterCells& cells, int n, std::vector<char>& match,
                           const std::function<void(int percent)>& progress) const
{
    match.assign(size_t(n) + 1, 0);
    if (m_valid && m_useBlockRe) {
        testRowsInBlocks(cells, n, match, progress);
        return;
    }
    const int step = std::max(1, n / 100);
    const TTextFinder* simple = m_valid && m_mode == fmSimple ? &m_terms.front() : nullptr;
    const size_t nc = cells.cols.size();
    for (int stored = 1; stored <= n; ++stored) {
        bool found = false;
        if (simple) {
            for (size_t i = 0; i < nc && !found; ++i)
                found = simple->In(cells.Cell(stored, i));
        } else {
            found = RowMatches(cells, stored);
        }
        match[size_t(stored)] = found ? 1 : 0;
        if (progress && stored % step == 0)
            progress(int(qint64(stored) * 100 / n));
    }
}

// A regular expression is run over the texts of many rows at once, each cell followed by a
// line feed, and a row is tested cell by cell only where that finds something: one call of
// the engine per row would cost more than the search itself. Every match inside a cell is
// also a match of the multi-line pattern in the block (blockSearchAllowed sees to that), and
// the search goes on from the row after the one tested, so no row with a match is skipped.
void TRowMatcher::testRowsInBlocks(const TFilterCells& cells, int n, std::vector<char>& match,
                                   const std::function<void(int percent)>& progress) const
{
    // Small blocks bound the cost of patterns that scan on across line feeds and fail.
    constexpr int kBlockRows = 64;
    const size_t nc = cells.cols.size();
    // Where each cell of the block ends (its line feed), cell after cell, row after row.
    std::vector<qsizetype> cellEnd(kBlockRows * nc);
    std::vector<char16_t> text(size_t(kBlockRows) * nc * 16);
    const int step = std::max(1, n / 100);
    for (int first = 1; first <= n; first += kBlockRows) {
        const int count = std::min(kBlockRows, n - first + 1);
        size_t used = 0;
        char16_t surrogateBits = 0;
        for (int i = 0; i < count; ++i) {
            for (size_t c = 0; c < nc; ++c) {
                const QStringView v = cells.Cell(first + i, c);
                const size_t len = size_t(v.size());
                if (used + len + 1 > text.size())
                    text.resize(std::max(text.size() * 2, used + len + 1));
                char16_t* out = text.data() + used;
                const char16_t* in = v.utf16();
                for (size_t j = 0; j < len; ++j) {
                    out[j] = in[j];
                    surrogateBits |= char16_t(((in[j] & 0xF800) == 0xD800) ? 1 : 0);
                }
                out[len] = u'\n';
                used += len + 1;
                cellEnd[size_t(i) * nc + c] = qsizetype(used);
            }
        }
        // Without surrogates the block is valid UTF-16 and the engine need not check it again
        // for every call; with them, a broken pair must only fail its own cell.
        if (surrogateBits) {
            for (int i = 0; i < count; ++i)
                match[size_t(first + i)] = RowMatches(cells, first + i) ? 1 : 0;
        } else {
            const QStringView block(text.data(), qsizetype(used));
            qsizetype from = 0;
            size_t cell = 0;
            const size_t cellCount = size_t(count) * nc;
            while (cell < cellCount) {
                const QRegularExpressionMatch m = m_blockRe.match(block, from, QRegularExpression::NormalMatch,
                                                                  QRegularExpression::DontCheckSubjectStringMatchOption);
                if (!m.hasMatch()) {
                    // A block search that gave up proves nothing: the rest of the block is
                    // tested row by row.
                    if (!m.isValid())
                        for (size_t r = cell / nc; r < size_t(count); ++r)
                            match[size_t(first) + r] = RowMatches(cells, first + int(r)) ? 1 : 0;
                    break;
                }
                const qsizetype at = m.capturedStart();
                while (cell < cellCount && cellEnd[cell] <= at)
                    ++cell;
                if (cell >= cellCount)
                    break;
                // The cell the match starts in is the likely one; the others of its row follow.
                const size_t row = cell / nc;
                const size_t hit = cell % nc;
                bool undecided = false;
                bool found = cellMatches(cells.Cell(first + int(row), hit), undecided);
                for (size_t c = 0; c < nc && !found; ++c)
                    found = c != hit && cellMatches(cells.Cell(first + int(row), c), undecided);
                m_gaveUp = m_gaveUp || (undecided && !found);
                match[size_t(first) + row] = found ? 1 : 0;
                cell = (row + 1) * nc;
                from = cellEnd[cell - 1];
            }
        }
        const int last = first + count - 1;
        if (progress && last / step != (first - 1) / step)
            progress(int(qint64(last) * 100 / n));
    }
}

// ---- the view --------------------------------------------------------------------------------

int TReportListView::FilterAndSort(const QString& FilterExp, const std::vector<int>& FilterColumns, bool IgnoreCase,
                                   TFilterMode FilterMode, int SortColumn, bool Ascending)
{
    // Rows are about to move: an open editor must not carry its text into another row.
    HideEditor();
    FFilterError.clear();
    const bool hasExp = FilterMode == fmSimple ? !FilterExp.isEmpty() : !FilterExp.trimmed().isEmpty();
    TRowMatcher matcher;
    if (hasExp && !matcher.Compile(FilterExp, FilterMode, IgnoreCase, FFilterError))
        return -1;

    const auto pause = SuppressPaintScope(this);
    TStringArray* s = FRLData->Strings();
    const int n = NrOfRows();
    // Rows are tested and sorted in the order they have without a filter. The order shown now
    // is kept for a pattern that may leave a row undecided, so that the call can change nothing.
    const bool hadBase = FFilterActive && int(FFilterBase.size()) == n;
    std::vector<int> shownOrder;
    if (hadBase && hasExp && FilterMode == fmGrep)
        for (int r = 1; r <= n; ++r)
            shownOrder.push_back(s->GetSortOrder(r));
    restoreFilterBase();
    if (!hasExp && !OnBeforeFilter) {
        liftFilter();
        if (SortColumn >= 1 && SortColumn <= NrOfColumns())
            FRLData->Sort(SortColumn, FRLData->SecondarySortColumn(), Ascending);
    } else {
        std::vector<int> cols;
        for (int c : FilterColumns)
            if (c >= 1 && c <= NrOfColumns() && std::find(cols.begin(), cols.end(), c) == cols.end())
                cols.push_back(c);
        if (cols.empty())
            for (int c = 1; c <= NrOfColumns(); ++c)
                cols.push_back(c);
        TFilterCells cells;
        cells.strings = s;
        cells.cols = cols;
        for (int c : cols)
            cells.prefixed.push_back(GetColCheckMode(c) != cmNone);

        // The cells are read in stored order, which is the order they lie in memory; the
        // display order only decides which rows the results belong to.
        std::vector<char> match;
        if (hasExp) {
            std::function<void(int)> progress;
            if (OnPercentDone)
                progress = [this](int percent) { OnPercentDone(this, percent); };
            matcher.TestRows(cells, n, match, progress);
            if (matcher.GaveUp()) {
                if (!shownOrder.empty())
                    s->SetSortOrders(shownOrder);
                FFilterError = QStringLiteral("the pattern needs too many steps on a cell (the regular expression's match limit)");
                return -1;
            }
        } else {
            match.assign(size_t(n) + 1, 1);
        }
        // The order without the filter is the display order now (FFilterBase already holds it
        // when a filter was active): hidden rows keep their places in it, the shown rows are
        // sorted among themselves into the places they held. From here on Match tells whether
        // a stored row is shown.
        if (!hadBase) {
            FFilterBase.resize(size_t(n));
            for (int r = 1; r <= n; ++r)
                FFilterBase[size_t(r - 1)] = s->GetSortOrder(r);
        }
        if (OnBeforeFilter) {
            for (int r = 1; r <= n; ++r) {
                char& m = match[size_t(FFilterBase[size_t(r - 1)])];
                bool own = true;
                TLogicOp combine = loAND;
                OnBeforeFilter(this, r, own, combine);
                m = ApplyLogicOp(combine, m != 0, own) ? 1 : 0;
            }
        }
        const size_t k = size_t(std::count(match.begin() + 1, match.end(), char(1)));
        // The hook has seen every row in place; only now do the rows move, in one step:
        // shown rows first, then the hidden ones, each in the order without the filter.
        std::vector<int> order(static_cast<size_t>(n));
        size_t nextShown = 0, nextHidden = k;
        for (int r = 1; r <= n; ++r) {
            const int stored = FFilterBase[size_t(r - 1)];
            const bool found = match[size_t(stored)] != 0;
            order[found ? nextShown++ : nextHidden++] = stored;
            const Byte attr = s->GetRowAttrib(r);
            const Byte want = found ? Byte(attr & ~RowAttrFiltered) : Byte(attr | RowAttrFiltered);
            if (want != attr)
                s->SetRowAttrib(r, want);
        }
        if (SortColumn >= 1 && SortColumn <= NrOfColumns()) {
            std::vector<int> shown(order.begin(), order.begin() + std::ptrdiff_t(k));
            sortStoredRows(*FRLData, shown, SortColumn, Ascending);
            FRLData->FSortColumn = SortColumn;
            FRLData->FSortOrder = Ascending;
            std::copy(shown.begin(), shown.end(), order.begin());
            size_t i = 0;
            for (int& stored : FFilterBase)
                if (match[size_t(stored)])
                    stored = shown[i++];
        }
        s->SetSortOrders(order);
        FFilterActive = true;
        FShownRows = int(k);
        FFilterTotal = n;
    }
    updateGridRows();
    updateHeaderHeights();
    SetTopRow(1);
    if (FRowSelectMode != 0 && NumShownRows() > 0 && dataRowOf(Selection().Top) > NumShownRows())
        SetSelection(GridRect(0, FixedRows(), NrOfColumns() - 1, FixedRows()));
    ChangedSetup();
    return NumShownRows();
}

int TReportListView::NumShownRows() const
{
    return FFilterActive ? std::min(FShownRows, NrOfRows()) : NrOfRows();
}

bool TReportListView::RowShown(int r) const
{
    if (r < 1 || r > NrOfRows())
        return false;
    return !FFilterActive || (FRLData->Strings()->GetRowAttrib(r) & RowAttrFiltered) == 0;
}

void TReportListView::liftFilter()
{
    restoreFilterBase();
    TStringArray* s = FRLData->Strings();
    if (FFilterActive)
        for (int r = 1; r <= NrOfRows(); ++r)
            s->SetRowAttrib(r, s->GetRowAttrib(r) & ~RowAttrFiltered);
    FFilterActive = false;
    FShownRows = 0;
    FFilterTotal = 0;
    FFilterBase.clear();
}

// Takes the display order as the order without the filter, then moves the shown rows in
// front of the hidden ones (each keeping its order).
void TReportListView::relayoutFilter()
{
    if (!FFilterActive)
        return;
    TStringArray* s = FRLData->Strings();
    const int n = NrOfRows();
    FFilterBase.resize(size_t(n));
    std::vector<int> hidden;
    for (int d = 1; d <= n; ++d) {
        const int stored = s->GetSortOrder(d);
        FFilterBase[size_t(d - 1)] = stored;
        if (s->GetRowAttrib(d) & RowAttrFiltered)
            hidden.push_back(stored);
    }
    // Shown rows first: the attribute byte travels with its row, so read it by stored row.
    std::vector<int> shown;
    shown.reserve(size_t(n) - hidden.size());
    for (int d = 1; d <= n; ++d) {
        const int stored = FFilterBase[size_t(d - 1)];
        if (!(s->GetRowAttrib(d) & RowAttrFiltered))
            shown.push_back(stored);
    }
    std::vector<int> order(shown);
    order.insert(order.end(), hidden.begin(), hidden.end());
    s->SetSortOrders(order);
    FShownRows = int(shown.size());
    FFilterTotal = n;
}

void TReportListView::restoreFilterBase()
{
    if (!FFilterActive || int(FFilterBase.size()) != NrOfRows())
        return;
    FRLData->Strings()->SetSortOrders(FFilterBase);
}

// Rows added or removed while a filter is active end it: the new rows were never tested,
// and row numbers handed out by AddRow and InsertRow must name rows that are shown.
int TReportListView::shownRowCount()
{
    if (FFilterActive && FFilterTotal != NrOfRows())
        liftFilter();
    return NumShownRows();
}

} // namespace qor
