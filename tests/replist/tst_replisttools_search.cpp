// Tests of the search paths of FilterAndSort over many rows: the case folding of a text
// search against QString::contains, and a regular expression run over blocks of rows
// against the same pattern applied cell by cell.
#include "replist/QOR_ReportListView.h"
#include "replist/RLFilter_p.h"

#include <QtTest>

#include <random>

using namespace qor;

namespace {

// Stored order of the rows a view shows: column 0 holds each row's number.
QList<int> shownIds(const TReportListView& v)
{
    QList<int> ids;
    for (int r = 1; r <= v.NumShownRows(); ++r)
        ids << v.Elem(0, r).toInt();
    return ids;
}

} // namespace

class TestRepListSearch : public QObject {
    Q_OBJECT

private slots:
    void foldingAsQt_data();
    void foldingAsQt();
    void foldingEveryUnit();
    void grepOverManyRows_data();
    void grepOverManyRows();
};

void TestRepListSearch::foldingAsQt_data()
{
    QTest::addColumn<QString>("cell");
    QTest::addColumn<QString>("text");
    auto row = [](const char* name, const char16_t* cell, const char16_t* text) {
        QTest::newRow(name) << QString::fromUtf16(cell) << QString::fromUtf16(text);
    };
    row("ascii", u"Cherry Pie", u"rY p");
    row("ascii, none", u"Cherry Pie", u"ry  p");
    row("a umlaut", u"\u00C4RGER", u"\u00E4rg");
    row("e acute", u"caf\u00E9", u"CAF\u00C9");
    row("e acute vs e", u"cafe", u"CAF\u00C9");
    row("sharp s vs ss", u"Stra\u00DFe", u"STRASSE");
    row("capital sharp s", u"STRA\u1E9EE", u"stra\u00DFe");
    row("greek", u"\u03A3\u038A\u03A3\u03A5\u03A6\u039F\u03A3", u"\u03C3\u03AF\u03C3\u03C5\u03C6\u03BF\u03C2");
    row("micro sign vs mu", u"5 \u00B5m", u"\u039CM");
    row("turkish dotless i", u"DIYARBAKIR", u"d\u0131yarbak\u0131r");
    row("turkish dotted I", u"\u0130STANBUL", u"istanbul");
    row("turkish i vs I", u"istanbul", u"ISTANBUL");
    row("kelvin sign", u"5 \u212A", u"5 k");
    row("long s", u"\u017Fun", u"SUN");
    row("y diaeresis", u"\u0178es", u"\u00FFES");
    row("angstrom", u"1 \u212B", u"\u00E5");
    row("deseret pair", u"x\U00010400y", u"X\U00010428Y");
    row("deseret in cell", u"ab\U00010400cd", u"CD");
    row("lone surrogate", u"a\xD801" "b", u"AB");
    row("needle with pair", u"\U00010428", u"\U00010400");
    row("longer than cell", u"ab", u"abc");
    row("line feed", u"a\nB", u"A\nb");
}

// Every row of the table is decided as QString::contains decides it, with and without case.
void TestRepListSearch::foldingAsQt()
{
    QFETCH(QString, cell);
    QFETCH(QString, text);
    TReportListView v;
    v.SetNrCols(2);
    v.SetNrRows(1);
    v.SetElem(2, 1, cell);
    for (const Qt::CaseSensitivity cs : {Qt::CaseInsensitive, Qt::CaseSensitive}) {
        const bool expected = cell.contains(text, cs);
        QCOMPARE(TTextFinder(text, cs).In(cell), expected);
        QCOMPARE(v.FilterAndSort(text, {}, cs == Qt::CaseInsensitive, fmSimple, -1, true), expected ? 1 : 0);
        // A phrase of the Boolean form is one term searched the same way.
        const QString phrase = QLatin1Char('"') + text + QLatin1Char('"');
        QCOMPARE(v.FilterAndSort(phrase, {}, cs == Qt::CaseInsensitive, fmBoolean, -1, true), expected ? 1 : 0);
    }
}

// Each UTF-16 unit, alone and before a letter, against texts whose folding has neighbours
// outside Latin-1 (Kelvin sign, long s, micro sign, Greek, dotless i).
void TestRepListSearch::foldingEveryUnit()
{
    const QStringList texts = {QStringLiteral("k"),      QStringLiteral("s"),      QString(QChar(0xE4)),
                               QString(QChar(0x3BC)),    QString(QChar(0x3C3)),    QStringLiteral("i"),
                               QString(QChar(0x131)),    QStringLiteral("Ky"),     QString(QChar(0xFF)) + u'y'};
    std::vector<TTextFinder> finders;
    for (const QString& t : texts)
        finders.emplace_back(t, Qt::CaseInsensitive);
    int matches = 0;
    for (int u = 0; u <= 0xFFFF; ++u) {
        const QString cells[] = {QString(QChar(u)), QString(QChar(u)) + u'Y'};
        for (const QString& cell : cells)
            for (size_t i = 0; i < finders.size(); ++i) {
                const bool expected = cell.contains(texts[int(i)], Qt::CaseInsensitive);
                matches += expected ? 1 : 0;
                if (finders[i].In(cell) != expected)
                    QFAIL(qPrintable(QStringLiteral("unit %1, text %2").arg(u, 4, 16, QLatin1Char('0')).arg(texts[int(i)])));
            }
    }
    QVERIFY(matches > 20); // the table has hits beyond ASCII, not only misses
}

void TestRepListSearch::grepOverManyRows_data()
{
    QTest::addColumn<QString>("pattern");
    QTest::addColumn<bool>("ignoreCase");
    const char* const patterns[] = {
        "^ab",        "b$",           "a\\s*$",     "(?>a\\s*)$",  "a\\s*+$",     "(*COMMIT)ab", "x\\Ky",
        "\\R$",       "\\X$",         "^$",         "c\\nd",       "[^z]*q",      "\\bqu",       "x*",
        "(?:ab|cd)e", "(?i)AB",       "(?<=a)b",    "b(?=\\n)",    "\\Aab",       "e\\z",        "(?<n>d)\\k<n>",
        "\\w+\\s\\w+", "\u00e9t\u00e9", "\\p{Lu}{2}",
    };
    for (const char* p : patterns) {
        QTest::newRow(p) << QString::fromUtf8(p) << false;
        QTest::newRow(QByteArray(p).append(", case").constData()) << QString::fromUtf8(p) << true;
    }
}

// Rows of three cells made to meet every edge of a block search: matches at cell and block
// boundaries, line feeds and carriage returns in cells, empty cells, a surrogate pair and a
// broken one. The rows shown must be exactly those with a cell that the pattern matches.
void TestRepListSearch::grepOverManyRows()
{
    QFETCH(QString, pattern);
    QFETCH(bool, ignoreCase);
    const QStringList parts = {QStringLiteral("ab"),   QStringLiteral("cd"),     QStringLiteral("AB "),
                               QStringLiteral("a\r"),  QStringLiteral("xy"),     QStringLiteral("q"),
                               QStringLiteral("dd e"), QStringLiteral("c\nd"),   QString(),
                               QStringLiteral("qu b"), QStringLiteral("\u00c9T\u00c9"),
                               QString::fromUtf16(u"\U00010400b"), QString(QChar(0xDC00)) + QStringLiteral("ab")};
    constexpr int kRows = 700;
    TReportListView v;
    v.SetNrCols(3);
    v.SetNrRows(kRows);
    std::mt19937 rng(7);
    for (int r = 1; r <= kRows; ++r) {
        v.SetElem(0, r, QString::number(r));
        for (int c = 1; c <= 3; ++c) {
            // Surrogates only in a few rows, so most blocks take the fast way.
            const int k = int(rng() % (r % 97 == 0 ? parts.size() : parts.size() - 2));
            v.SetElem(c, r, rng() % 4 == 0 ? QString() : parts[k] + (rng() % 3 == 0 ? parts[int(rng() % 8)] : QString()));
        }
    }
    QRegularExpression::PatternOptions opts = QRegularExpression::UseUnicodePropertiesOption;
    if (ignoreCase)
        opts |= QRegularExpression::CaseInsensitiveOption;
    const QRegularExpression re(pattern, opts);
    QVERIFY(re.isValid());
    QList<int> expected;
    for (int r = 1; r <= kRows; ++r)
        for (int c = 1; c <= 3; ++c)
            if (re.match(v.Elem(c, r)).hasMatch()) {
                expected << r;
                break;
            }
    QCOMPARE(v.FilterAndSort(pattern, {}, ignoreCase, fmGrep, -1, true), int(expected.size()));
    QCOMPARE(shownIds(v), expected);
}

QObject* createSearchTests() { return new TestRepListSearch; }

#include "tst_replisttools_search.moc"
