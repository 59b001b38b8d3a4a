// FilterAndSort of the report list view: rows that do not match are hidden (never removed)
// by moving them behind the shown rows in the display order and marking them in their
// attribute byte. The rules are in docs/REPLIST_FILTER.md.
#include "replist/RLFilter_p.h"
#include "replist/RepListView_p.h"

#include <algorithm>

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

} // namespace

bool TRowMatcher::Compile(const QString& exp, TFilterMode mode, bool ignoreCase, QString& error)
{
    m_mode = mode;
    m_valid = false;
    m_terms.clear();
    m_nodes.clear();
    m_root = -1;
    m_useRowRe = false;
    error.clear();
    const Qt::CaseSensitivity cs = ignoreCase ? Qt::CaseInsensitive : Qt::CaseSensitive;
    auto addTerm = [&](const QString& text) {
        m_terms.push_back({QStringMatcher(text, cs), text.contains(QLatin1Char('\n'))});
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
        // One match over the joined row finds every row that has a matching cell, as long
        // as the pattern cannot tell a line start or end from a cell start or end: no
        // assertions of the subject's ends, no lookaround or inline options, and no "(*"
        // verb, which may change what counts as a line end ("(*CR)^b" sees no cell start).
        static const QRegularExpression unsafe(QStringLiteral(R"(\(\?|\(\*|\\[AzZG])"));
        m_useRowRe = !exp.contains(unsafe);
        if (m_useRowRe) {
            m_rowRe = QRegularExpression(exp, opts | QRegularExpression::MultilineOption);
            m_useRowRe = m_rowRe.isValid();
            m_rowRe.optimize();
        }
        break;
    }
    }
    m_valid = true;
    return true;
}

bool TRowMatcher::termFound(int t, const std::vector<QStringView>& cells, QStringView joined) const
{
    const Term& term = m_terms[size_t(t)];
    if (!term.perCell)
        return term.matcher.indexIn(joined) >= 0;
    return std::any_of(cells.begin(), cells.end(), [&](QStringView c) { return term.matcher.indexIn(c) >= 0; });
}

bool TRowMatcher::eval(int node, const std::vector<QStringView>& cells, QStringView joined) const
{
    const Node& n = m_nodes[size_t(node)];
    switch (n.kind) {
    case Node::Leaf: return termFound(n.a, cells, joined);
    case Node::Not: return !eval(n.a, cells, joined);
    case Node::And: return eval(n.a, cells, joined) && eval(n.b, cells, joined);
    case Node::Or: return eval(n.a, cells, joined) || eval(n.b, cells, joined);
    }
    return false;
}

bool TRowMatcher::Matches(const std::vector<QStringView>& cells, QStringView joined) const
{
    if (!m_valid)
        return false;
    if (m_mode != fmGrep)
        return eval(m_root, cells, joined);
    if (m_useRowRe) {
        const QRegularExpressionMatch m = m_rowRe.match(joined);
        if (m.isValid() && !m.hasMatch())
            return false; // a row test that gave up (match limit) leaves the decision to the cells
    }
    // A cell whose match gives up decides nothing: unless another cell matches, the row is
    // left undecided and the filter refused, rather than the row hidden without a word.
    bool undecided = false;
    for (QStringView c : cells) {
        const QRegularExpressionMatch m = m_re.match(c);
        if (m.hasMatch())
            return true;
        undecided = undecided || !m.isValid();
    }
    m_gaveUp = m_gaveUp || undecided;
    return false;
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
    // The display order, put back when a row cannot be tested (the call then changes nothing).
    std::vector<int> shownOrder;
    if (FFilterActive && FilterMode == fmGrep)
        for (int r = 1; r <= n; ++r)
            shownOrder.push_back(s->GetSortOrder(r));
    // Rows are tested and sorted in the order they have without a filter.
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
        std::vector<bool> prefixed;
        for (int c : cols)
            prefixed.push_back(GetColCheckMode(c) != cmNone);

        // The cells are read in stored order, which is the order they lie in memory; the
        // display order only decides which rows the results belong to.
        std::vector<char> match(size_t(n) + 1, 1);
        if (hasExp) {
            std::vector<QString> held(cols.size());
            std::vector<QStringView> cells(cols.size());
            QString joined;
            const int step = std::max(1, n / 100);
            for (int stored = 1; stored <= n; ++stored) {
                joined.resize(0);
                for (size_t i = 0; i < cols.size(); ++i) {
                    held[i] = s->GetStoredString(cols[i], stored);
                    cells[i] = prefixed[i] ? QStringView(held[i]).mid(1) : QStringView(held[i]);
                    joined += cells[i];
                    joined += QLatin1Char('\n');
                }
                match[size_t(stored)] = matcher.Matches(cells, joined) ? 1 : 0;
                if (matcher.GaveUp())
                    break;
                if (OnPercentDone && stored % step == 0)
                    OnPercentDone(this, int(qint64(stored) * 100 / n));
            }
            if (matcher.GaveUp()) {
                if (!shownOrder.empty())
                    s->SetSortOrders(shownOrder);
                FFilterError = QStringLiteral("the pattern needs too many steps on a cell (the regular expression's match limit)");
                return -1;
            }
        }
        std::vector<int> shown, hidden;
        std::vector<char> isShown(size_t(n) + 1, 0);
        shown.reserve(size_t(n));
        for (int r = 1; r <= n; ++r) {
            const int stored = s->GetSortOrder(r);
            bool found = match[size_t(stored)] != 0;
            if (OnBeforeFilter) {
                bool own = true;
                TLogicOp combine = loAND;
                OnBeforeFilter(this, r, own, combine);
                found = ApplyLogicOp(combine, found, own);
            }
            const Byte attr = s->GetRowAttrib(r);
            s->SetRowAttrib(r, found ? Byte(attr & ~RowAttrFiltered) : Byte(attr | RowAttrFiltered));
            (found ? shown : hidden).push_back(stored);
            isShown[size_t(stored)] = found ? 1 : 0;
        }
        // The order without the filter: hidden rows keep their places, the shown rows are
        // sorted among themselves into the places they held.
        FFilterBase.resize(size_t(n));
        for (int r = 1; r <= n; ++r)
            FFilterBase[size_t(r - 1)] = s->GetSortOrder(r);
        if (SortColumn >= 1 && SortColumn <= NrOfColumns()) {
            sortStoredRows(*FRLData, shown, SortColumn, Ascending);
            FRLData->FSortColumn = SortColumn;
            FRLData->FSortOrder = Ascending;
            size_t k = 0;
            for (int& stored : FFilterBase)
                if (isShown[size_t(stored)])
                    stored = shown[k++];
        }
        // The hook has seen every row in place; only now do the rows move, in one step.
        std::vector<int> order(shown);
        order.insert(order.end(), hidden.begin(), hidden.end());
        s->SetSortOrders(order);
        FFilterActive = true;
        FShownRows = int(shown.size());
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
