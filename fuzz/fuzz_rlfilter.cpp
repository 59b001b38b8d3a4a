// FilterAndSort of the report list view in its three modes over a small fixed table (one cell of
// it chosen by the input). The rows shown are exactly those a plain reference evaluation of the
// expression picks; a malformed expression returns -1 with a message and changes nothing; an
// empty filter afterwards shows every row again, in the order they had without the filter. A
// pattern that runs into the regular expression's match limit on a row it cannot otherwise
// decide is refused like a malformed one.
#include "FuzzSupport.h"

#include "replist/QOR_ReportListView.h"

#include <QRegularExpression>

#include <algorithm>
#include <optional>

using namespace qor;
using qor::fuzzing::TFuzzInput;

namespace {

const char* const kTable[][3] = {
    {"Apple", "red", "10"},        {"banana AND", "yellow", "5"}, {"Cherry pie", "Red", "7"},
    {"date", "brown (b)", "12"},   {"elder berry", "black", ""}, {"\xc3\x84pfel \xc3\x9f", "\"or\"", "NOT 8"},
    {"", "", "3"},
};
constexpr int kRows = 7;

// ---- the reference: a direct reading of docs/REPLIST_FILTER.md, one cell at a time

bool cellsContain(const QStringList& cells, const QString& t, Qt::CaseSensitivity cs)
{
    return std::any_of(cells.begin(), cells.end(), [&](const QString& c) { return c.contains(t, cs); });
}

struct RefBoolean {
    struct Tok {
        enum Kind { Term, And, Or, Not, Open, Close, End } kind;
        QString text;
    };
    std::vector<Tok> toks;
    size_t p = 0;
    const QStringList* cells = nullptr;
    Qt::CaseSensitivity cs = Qt::CaseSensitive;

    // False for a malformed expression.
    bool tokenize(const QString& e)
    {
        for (qsizetype i = 0; i < e.size();) {
            const QChar c = e.at(i);
            if (c.isSpace()) {
                ++i;
            } else if (c == u'(' || c == u')') {
                toks.push_back({c == u'(' ? Tok::Open : Tok::Close, {}});
                ++i;
            } else if (c == u'"') {
                const qsizetype q = e.indexOf(u'"', i + 1);
                if (q < 0 || q == i + 1)
                    return false;
                toks.push_back({Tok::Term, e.mid(i + 1, q - i - 1)});
                i = q + 1;
            } else {
                qsizetype j = i;
                while (j < e.size() && !e.at(j).isSpace() && e.at(j) != u'(' && e.at(j) != u')' && e.at(j) != u'"')
                    ++j;
                const QString w = e.mid(i, j - i);
                // Keywords compare ignoring case in the plain ASCII sense.
                auto is = [&](const char* k) { return w.compare(QLatin1String(k), Qt::CaseInsensitive) == 0; };
                toks.push_back({is("AND") ? Tok::And : is("OR") ? Tok::Or : is("NOT") ? Tok::Not : Tok::Term, w});
                i = j;
            }
        }
        toks.push_back({Tok::End, {}});
        return true;
    }
    // Each returns nullopt on a syntax error, else the value for the row.
    std::optional<bool> orExp()
    {
        auto v = andExp();
        while (v && toks[p].kind == Tok::Or) {
            ++p;
            const auto r = andExp();
            if (!r)
                return std::nullopt;
            v = *v || *r;
        }
        return v;
    }
    std::optional<bool> andExp()
    {
        auto v = notExp();
        while (v) {
            if (toks[p].kind == Tok::And)
                ++p;
            else if (toks[p].kind != Tok::Term && toks[p].kind != Tok::Open && toks[p].kind != Tok::Not)
                break;
            const auto r = notExp();
            if (!r)
                return std::nullopt;
            v = *v && *r;
        }
        return v;
    }
    std::optional<bool> notExp()
    {
        if (toks[p].kind == Tok::Not) {
            ++p;
            const auto v = notExp();
            return v ? std::optional<bool>(!*v) : std::nullopt;
        }
        const Tok& t = toks[p];
        if (t.kind == Tok::Term) {
            ++p;
            return cellsContain(*cells, t.text, cs);
        }
        if (t.kind == Tok::Open) {
            ++p;
            const auto v = orExp();
            if (!v || toks[p].kind != Tok::Close)
                return std::nullopt;
            ++p;
            return v;
        }
        return std::nullopt;
    }
    // nullopt: the expression is malformed.
    std::optional<bool> eval(const QString& e, const QStringList& rowCells, Qt::CaseSensitivity sens)
    {
        toks.clear();
        p = 0;
        cells = &rowCells;
        cs = sens;
        if (!tokenize(e))
            return std::nullopt;
        const auto v = orExp();
        if (!v || toks[p].kind != Tok::End)
            return std::nullopt;
        return v;
    }
};

struct State {
    std::vector<int> order;
    std::vector<int> attr; ///< by stored row: the byte travels with its row
    int shown = 0;
    bool active = false;
    int sortCol = 0;
    bool sortAsc = false;
    bool operator==(const State&) const = default;
};

State stateOf(const TReportListView& v)
{
    State s;
    const TStringArray* a = v.Data()->Strings();
    s.attr.resize(size_t(v.NrOfRows()) + 1);
    for (int r = 1; r <= v.NrOfRows(); ++r) {
        s.order.push_back(a->GetSortOrder(r));
        s.attr[size_t(a->GetSortOrder(r))] = a->GetRowAttrib(r);
    }
    s.shown = v.NumShownRows();
    s.active = v.FilterActive();
    s.sortCol = v.Data()->LastSortColumn();
    s.sortAsc = v.Data()->LastSortOrder();
    return s;
}

QString orderText(const std::vector<int>& o)
{
    QStringList l;
    for (int x : o)
        l << QString::number(x);
    return l.join(u' ');
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size)
{
    qor::fuzzing::EnsureApplication();
    TFuzzInput in(data, size);
    const auto mode = TFilterMode(in.Int(0, 2));
    const bool ignoreCase = in.Bool();
    const int colMask = in.Byte();
    const int sortCol = in.Int(-1, 4);
    const bool ascending = in.Bool();
    const int preSort = in.Int(0, 3);      // store sorted before filtering: none, col 1, col 3
    const bool preFilter = in.Bool();      // a filter already active
    const QString extraCell = in.Text(40); // cell 1 of the last row
    const QString exp = in.RestAsText();

    TReportListView v;
    v.SetNrCols(3);
    v.SetNrRows(kRows);
    v.SetColCheckMode(2, cmBox);
    for (int r = 1; r <= kRows; ++r)
        for (int c = 1; c <= 3; ++c)
            v.SetElem(c, r, QString::fromUtf8(kTable[r - 1][c - 1]));
    v.SetElem(1, kRows, extraCell);
    v.Data()->SetElemChecked(2, 2, true);
    v.Data()->Strings()->SetRowAttrib(3, RowAttrSelected);
    v.Data()->Strings()->SetRowAttrib(5, RowAttrDisabled | 0x01);
    if (preSort == 1 || preSort == 2)
        v.Sort(preSort == 1 ? 1 : 3, -1, preSort == 1);
    const State base = stateOf(v);
    if (preFilter)
        QOR_FUZZ_CHECK(v.FilterAndSort(QStringLiteral("e"), {}, false, fmSimple, -1, true) >= 0, QString());

    std::vector<int> cols;
    for (int c = 0; c < 8; ++c)
        if (colMask & (1 << c))
            cols.push_back(c); // 0 and 4..7 are no columns and are ignored
    std::vector<int> filterCols;
    for (int c : cols)
        if (c >= 1 && c <= 3)
            filterCols.push_back(c);
    if (filterCols.empty())
        filterCols = {1, 2, 3};

    // What the reference says of each row, by stored row.
    const Qt::CaseSensitivity cs = ignoreCase ? Qt::CaseInsensitive : Qt::CaseSensitive;
    const bool hasExp = mode == fmSimple ? !exp.isEmpty() : !exp.trimmed().isEmpty();
    QRegularExpression re;
    if (mode == fmGrep) {
        QRegularExpression::PatternOptions opts = QRegularExpression::UseUnicodePropertiesOption;
        if (ignoreCase)
            opts |= QRegularExpression::CaseInsensitiveOption;
        re = QRegularExpression(exp, opts);
    }
    bool refError = hasExp && mode == fmGrep && !re.isValid();
    std::vector<char> refMatch(size_t(kRows) + 1, 1);
    if (hasExp && !refError) {
        // Visible texts by stored row: read them through a stored-order view of the store.
        const TStringArray* a = v.Data()->Strings();
        for (int stored = 1; stored <= kRows; ++stored) {
            QStringList cells;
            for (int c : filterCols) {
                const QString t = a->GetStoredString(c, stored);
                cells << (v.GetColCheckMode(c) != cmNone ? t.mid(1) : t);
            }
            bool m = false;
            if (mode == fmSimple) {
                m = cellsContain(cells, exp, cs);
            } else if (mode == fmBoolean) {
                RefBoolean ref;
                const auto r = ref.eval(exp, cells, cs);
                if (!r) {
                    refError = true;
                    break;
                }
                m = *r;
            } else {
                // A match that gives up (PCRE2's match limit) decides nothing: a row with no
                // matching cell but such a one cannot be decided, and the filter is refused.
                bool undecided = false;
                for (const QString& c : cells) {
                    const QRegularExpressionMatch rm = re.match(c);
                    m = m || rm.hasMatch();
                    undecided = undecided || !rm.isValid();
                }
                if (!m && undecided) {
                    refError = true;
                    break;
                }
            }
            refMatch[size_t(stored)] = m ? 1 : 0;
        }
    }

    const State before = stateOf(v);
    const int result = v.FilterAndSort(exp, cols, ignoreCase, mode, sortCol, ascending);
    const State after = stateOf(v);
    QOR_FUZZ_CHECK((result < 0) == refError, QString("result %1, reference error %2 for '%3' (%4)")
                                                 .arg(result).arg(refError).arg(exp, v.LastFilterError()));
    if (result < 0) {
        QOR_FUZZ_CHECK(result == -1 && !v.LastFilterError().isEmpty(), QString("result %1 without a message").arg(result));
        QOR_FUZZ_CHECK(after == before, QString("a refused filter changed the rows: %1 -> %2")
                                            .arg(orderText(before.order), orderText(after.order)));
    } else {
        QOR_FUZZ_CHECK(v.LastFilterError().isEmpty(), v.LastFilterError());
        QOR_FUZZ_CHECK(result == v.NumShownRows() && v.NrOfRows() == kRows,
                       QString("result %1, shown %2, rows %3").arg(result).arg(v.NumShownRows()).arg(v.NrOfRows()));
        const TStringArray* a = v.Data()->Strings();
        std::vector<int> shownRows, hiddenRows;
        for (int r = 1; r <= kRows; ++r) {
            const int stored = a->GetSortOrder(r);
            const bool shown = r <= result;
            QOR_FUZZ_CHECK(v.RowShown(r) == shown, QString("row %1 of %2 shown %3").arg(r).arg(result).arg(v.RowShown(r)));
            QOR_FUZZ_CHECK(bool(refMatch[size_t(stored)]) == shown,
                           QString("stored row %1 shown %2 but the reference says %3 for '%4'")
                               .arg(stored).arg(shown).arg(bool(refMatch[size_t(stored)])).arg(exp));
            (shown ? shownRows : hiddenRows).push_back(stored);
        }
        // Hidden rows keep the order they had without the filter, and so do the shown ones
        // unless the call sorted them.
        auto inBaseOrder = [&](const std::vector<int>& rows) {
            std::vector<int> sub;
            for (int s : base.order)
                if (std::find(rows.begin(), rows.end(), s) != rows.end())
                    sub.push_back(s);
            return sub == rows;
        };
        QOR_FUZZ_CHECK(inBaseOrder(hiddenRows), QString("hidden rows moved: %1").arg(orderText(after.order)));
        if (sortCol < 1 || sortCol > 3)
            QOR_FUZZ_CHECK(inBaseOrder(shownRows), QString("shown rows moved: %1").arg(orderText(after.order)));
    }

    // The empty filter shows every row again, in the order without the filter.
    const bool sorted = result >= 0 && sortCol >= 1 && sortCol <= 3;
    QOR_FUZZ_CHECK(v.FilterAndSort(QString(), {}, ignoreCase, mode, -1, true) == kRows, QString());
    const State open = stateOf(v);
    QOR_FUZZ_CHECK(!open.active && open.shown == kRows, QString("after the empty filter: active %1, shown %2")
                                                            .arg(open.active).arg(open.shown));
    QOR_FUZZ_CHECK(open.attr == base.attr, QString("row attributes changed by filtering"));
    if (!sorted) {
        QOR_FUZZ_CHECK(open.order == base.order, QString("order %1, without the filter %2")
                                                     .arg(orderText(open.order), orderText(base.order)));
    } else {
        // The shown rows took the places shown rows held; the hidden ones did not move.
        for (int i = 0; i < kRows; ++i) {
            const bool wasShown = refMatch[size_t(base.order[size_t(i)])] != 0;
            QOR_FUZZ_CHECK(wasShown == (refMatch[size_t(open.order[size_t(i)])] != 0) &&
                               (wasShown || open.order[size_t(i)] == base.order[size_t(i)]),
                           QString("order %1, without the filter %2").arg(orderText(open.order), orderText(base.order)));
        }
    }
    return 0;
}
