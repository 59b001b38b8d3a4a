// TRLData in XML: writing, recognising the root tag line, and reading into a fresh store
// that replaces the current contents only when the whole report list was sound.
// The layout is described in docs/REPLIST_XML.md.
#include "replist/QOR_replist.h"

#include <QBuffer>
#include <QFile>
#include <QSaveFile>
#include <QTextStream>
#include <QXmlStreamReader>
#include <QXmlStreamWriter>

#include <algorithm>
#include <climits>
#include <functional>
#include <map>
#include <memory>
#include <new>

namespace qor {

namespace {

const QString kRoot = QStringLiteral("replist");
const QString kSignature = QStringLiteral("qorvantix");
// Elements beyond the tag kinds: the sort state, the display order and attribute bytes.
const QString kSortState = QStringLiteral("sortstate");
const QString kOrder = QStringLiteral("order");
const QString kRowAttr = QStringLiteral("rowattr");
const QString kColAttr = QStringLiteral("colattr");

// Bounds on what a file may declare; the cells themselves must all be present as well.
constexpr int kMaxXmlCols = MaxRLDataColumns;
constexpr int kMaxXmlRows = MaxRLDataRows;
// The shortest a cell element can be written: <cell col="0" row="1"/>
constexpr qint64 kMinCellBytes = 23;

// Text XML 1.0 carries unchanged as element content; anything else is written encoded.
bool isXmlSafeText(const QString& s)
{
    const int n = int(s.size());
    for (int i = 0; i < n; ++i) {
        const char16_t c = s.at(i).unicode();
        if (c < 0x20) {
            if (c != u'\t' && c != u'\n')
                return false;
        } else if (c >= 0xD800 && c <= 0xDFFF) {
            const bool high = c <= 0xDBFF;
            if (!high || i + 1 >= n || s.at(i + 1).unicode() < 0xDC00 || s.at(i + 1).unicode() > 0xDFFF)
                return false;
            ++i;
        } else if (c == 0xFFFE || c == 0xFFFF) {
            return false;
        }
    }
    return true;
}

QString encodeB64(const QString& s)
{
    QByteArray raw;
    raw.reserve(s.size() * 2);
    for (QChar ch : s) {
        raw.append(char(ch.unicode() & 0xFF));
        raw.append(char(ch.unicode() >> 8));
    }
    return QString::fromLatin1(raw.toBase64());
}

bool decodeB64(QStringView text, QString& out)
{
    const auto result = QByteArray::fromBase64Encoding(text.toLatin1(), QByteArray::AbortOnBase64DecodingErrors);
    if (!result || result.decoded.size() % 2 != 0)
        return false;
    const QByteArray& raw = result.decoded;
    out.resize(raw.size() / 2);
    for (qsizetype i = 0; i < out.size(); ++i)
        out[i] = QChar(char16_t(quint8(raw[2 * i]) | (quint8(raw[2 * i + 1]) << 8)));
    return true;
}

void writeText(QXmlStreamWriter& w, const QString& name, const QString& text)
{
    w.writeStartElement(name);
    if (isXmlSafeText(text)) {
        w.writeCharacters(text);
    } else {
        w.writeAttribute(QStringLiteral("enc"), QStringLiteral("b64"));
        w.writeCharacters(encodeB64(text));
    }
    w.writeEndElement();
}

// An identifier must stay on the root tag's line and be writable at all.
QString idForAttribute(const QString& id)
{
    QString s = id;
    for (QChar& ch : s)
        if (ch.unicode() < 0x20 && ch != QLatin1Char('\t') && ch != QLatin1Char('\n') && ch != QLatin1Char('\r'))
            ch = QLatin1Char(' ');
    return s;
}

// Replaces the five predefined entities and numeric character references.
QString decodeXmlReferences(const QString& s)
{
    if (!s.contains(QLatin1Char('&')))
        return s;
    QString out;
    out.reserve(s.size());
    for (int i = 0; i < s.size(); ++i) {
        if (s.at(i) != QLatin1Char('&')) {
            out += s.at(i);
            continue;
        }
        const int semi = int(s.indexOf(QLatin1Char(';'), i));
        if (semi < 0) {
            out += s.mid(i);
            break;
        }
        const QString ref = s.mid(i + 1, semi - i - 1);
        QString rep;
        if (ref == QLatin1String("amp")) rep = QStringLiteral("&");
        else if (ref == QLatin1String("lt")) rep = QStringLiteral("<");
        else if (ref == QLatin1String("gt")) rep = QStringLiteral(">");
        else if (ref == QLatin1String("quot")) rep = QStringLiteral("\"");
        else if (ref == QLatin1String("apos")) rep = QStringLiteral("'");
        else if (ref.startsWith(QLatin1Char('#'))) {
            bool ok = false;
            const uint code = ref.startsWith(QLatin1String("#x")) ? ref.mid(2).toUInt(&ok, 16) : ref.mid(1).toUInt(&ok, 10);
            if (ok && code <= 0x10FFFF) {
                const char32_t c32 = char32_t(code);
                rep = QString::fromUcs4(&c32, 1);
            }
        }
        if (rep.isNull()) {
            out += QLatin1Char('&');
            continue;
        }
        out += rep;
        i = semi;
    }
    return out;
}

QString trimBlanks(const QString& s)
{
    int b = 0, e = int(s.size());
    while (b < e && s.at(b) == QLatin1Char(' '))
        ++b;
    while (e > b && s.at(e - 1) == QLatin1Char(' '))
        --e;
    return s.mid(b, e - b);
}

// Exact comparison with a short literal, inline: it runs for every element and attribute.
template <std::size_t N>
bool isName(QStringView v, const char16_t (&lit)[N])
{
    if (v.size() != qsizetype(N - 1))
        return false;
    const char16_t* p = v.utf16();
    for (std::size_t i = 0; i + 1 < N; ++i)
        if (p[i] != lit[i])
            return false;
    return true;
}

bool parseInt(QStringView t, int& v, int lo, int hi)
{
    // Addresses and counts are plain digits almost always; those need no conversion call.
    if (!t.isEmpty() && t.size() <= 9) {
        int x = 0;
        bool digits = true;
        for (const QChar ch : t) {
            const unsigned d = unsigned(ch.unicode()) - u'0';
            if (d > 9) {
                digits = false;
                break;
            }
            x = x * 10 + int(d);
        }
        if (digits) {
            if (x < lo || x > hi)
                return false;
            v = x;
            return true;
        }
    }
    bool ok = false;
    const qlonglong x = t.trimmed().toLongLong(&ok);
    if (!ok || x < lo || x > hi)
        return false;
    v = int(x);
    return true;
}

// Everything read from one report list, checked before it becomes a store.
struct ParsedList {
    QString id;
    int cols = -1;
    int rows = -1;
    QString commonHd;
    bool hasCommonHd = false;
    QString comment;
    std::map<int, QString> names, formats;
    std::map<int, TCheckMode> modes;
    std::map<int, Byte> colAttr, rowAttr;
    std::vector<int> order;
    bool hasOrder = false;
    int sortCol = -1, sortSec = -1;
    bool sortAsc = true, sortToggle = true;
    // Cells that come in stored order once both counts are known (as every writer puts
    // them) go straight into this fresh store, grown as they arrive, so a file declaring
    // more rows than it holds costs no more than what it holds. Cells 0..inOrder - 1, in
    // row-major stored order, are there.
    TRLData* store = nullptr;
    qint64 inOrder = 0;
    int storeRows = 0;
    qint64 inputBytes = -1; // from the root tag on, where the input's size is known
    // Any other cell waits here for build().
    struct Cell {
        int col;
        int row;
        QString text;
    };
    std::vector<Cell> cells;
    qint64 cellCount() const { return inOrder + qint64(cells.size()); }
};

// Reads tokens of one report list from its root start tag to its end tag. More input is
// asked for with feed() when the reader runs dry; feed() returns false at the end of input.
class ReplistParser {
public:
    ReplistParser(QXmlStreamReader& xml, std::function<bool()> feed, std::function<void(qint64)> progress)
        : m_xml(xml), m_feed(std::move(feed)), m_progress(std::move(progress)) {}

    bool run(ParsedList& out)
    {
        m_out = &out;
        int depth = 0;
        bool rootSeen = false;
        for (;;) {
            const auto token = m_xml.readNext();
            switch (token) {
            case QXmlStreamReader::Invalid: // the reader reports every error with this token
                if (m_xml.error() == QXmlStreamReader::PrematureEndOfDocumentError && m_feed && m_feed())
                    continue;
                return false;
            case QXmlStreamReader::StartElement:
                ++depth;
                if (depth == 1) {
                    if (m_xml.name().compare(kRoot, Qt::CaseInsensitive) != 0)
                        return false;
                    rootSeen = true;
                    out.id = m_xml.attributes().value(QLatin1String("id")).toString();
                } else if (depth == 2) {
                    if (!startChild())
                        return false;
                } else if (depth == 3 && m_kind != Kind::None) {
                    // Our elements hold text only; markup inside one would lose its text.
                    return false;
                }
                // Deeper elements belong to a child we do not know and are skipped with it.
                break;
            case QXmlStreamReader::Characters:
                if (depth == 2 && m_kind != Kind::None)
                    takeText(m_xml.text());
                break;
            case QXmlStreamReader::EndElement:
                if (depth == 2 && !endChild())
                    return false;
                --depth;
                if (depth == 0)
                    return rootSeen; // end of the report list: the rest of the input is not ours
                break;
            case QXmlStreamReader::EndDocument:
                return false;
            default:
                break;
            }
        }
    }

private:
    enum class Kind { None, NumCols, NumRows, ColName, Checked, CommonHd, ColFmt, Cell, Comment, SortState, Order, RowAttr, ColAttr };

    bool attrInt(QLatin1String name, int& v, int lo, int hi) const
    {
        const auto a = m_xml.attributes();
        if (!a.hasAttribute(name))
            return false;
        return parseInt(a.value(name), v, lo, hi);
    }

    void takeText(QStringView chunk)
    {
        // A fresh text is allocated to size at once; a reused buffer just takes the characters.
        if (m_text.isNull())
            m_text = chunk.toString();
        else
            m_text.append(chunk);
    }

    // The bulk of every file: checked with one pass over the attributes.
    bool startCell()
    {
        m_kind = Kind::Cell;
        // The text buffer is reused while nothing else holds it.
        if (m_text.isDetached())
            m_text.resize(0);
        else
            m_text = QString();
        QStringView col, row, enc;
        bool hasCol = false, hasRow = false, hasEnc = false;
        const QXmlStreamAttributes attrs = m_xml.attributes();
        for (const QXmlStreamAttribute& a : attrs) {
            const QStringView n = a.qualifiedName();
            if (isName(n, u"col")) {
                if (!hasCol)
                    col = a.value();
                hasCol = true;
            } else if (isName(n, u"row")) {
                if (!hasRow)
                    row = a.value();
                hasRow = true;
            } else if (isName(n, u"enc")) {
                if (!hasEnc)
                    enc = a.value();
                hasEnc = true;
            }
        }
        m_b64 = isName(enc, u"b64");
        return hasCol && parseInt(col, m_col, 0, kMaxXmlCols) && hasRow && parseInt(row, m_row, 1, kMaxXmlRows);
    }

    bool endCell()
    {
        ParsedList& o = *m_out;
        m_kind = Kind::None;
        if (m_b64) {
            QString decoded;
            if (!decodeB64(m_text, decoded))
                return false;
            m_text = decoded;
        }
        if (m_text.size() > MaxCellLength)
            m_text.truncate(MaxCellLength);
        const qint64 width = qint64(o.cols) + 1;
        if (o.cols > 0 && m_col <= o.cols && m_row <= o.rows
            && qint64(m_row - 1) * width + m_col == o.inOrder) {
            if (m_row > o.storeRows) {
                if (o.storeRows == 0)
                    o.store->SetNrCols(o.cols);
                // As many rows at once as the input has room for: sized once for a whole file.
                const qint64 fit = o.inputBytes > 0 ? o.inputBytes / (kMinCellBytes * width) : 0;
                const qint64 grown = std::max<qint64>({qint64(m_row), 2 * qint64(o.storeRows), 1024, fit});
                o.storeRows = int(std::min<qint64>(grown, o.rows));
                o.store->SetNrRows(o.storeRows);
            }
            if (!m_text.isEmpty())
                o.store->Strings()->SetStoredString(m_col, m_row, m_text);
            ++o.inOrder;
        } else {
            o.cells.push_back({m_col, m_row, m_text});
        }
        if (m_progress)
            m_progress(o.cellCount());
        return true;
    }

    bool startChild()
    {
        const QStringView name = m_xml.name();
        if (isName(name, u"cell"))
            return startCell();
        m_text.clear();
        m_kind = Kind::None;
        m_b64 = m_xml.attributes().value(QLatin1String("enc")) == QLatin1String("b64");
        switch (RepListXmlTagOf(name)) {
        case xmlNumCols: m_kind = Kind::NumCols; return m_out->cols < 0;
        case xmlNumRows: m_kind = Kind::NumRows; return m_out->rows < 0;
        case xmlColName: m_kind = Kind::ColName; return attrInt(QLatin1String("col"), m_col, 1, kMaxXmlCols);
        case xmlColumnFormat: m_kind = Kind::ColFmt; return attrInt(QLatin1String("col"), m_col, 1, kMaxXmlCols);
        case xmlCheckedColumn: {
            m_kind = Kind::Checked;
            if (!attrInt(QLatin1String("col"), m_col, 1, kMaxXmlCols))
                return false;
            const auto mode = m_xml.attributes().value(QLatin1String("mode"));
            if (mode == QLatin1String("box") || mode.isEmpty())
                m_mode = cmBox;
            else if (mode == QLatin1String("radio"))
                m_mode = cmRadio;
            else
                return false;
            return true;
        }
        case xmlCommonHd: m_kind = Kind::CommonHd; return !m_out->hasCommonHd;
        case xmlComment: m_kind = Kind::Comment; return true;
        case xmlCell:
            m_kind = Kind::Cell;
            return attrInt(QLatin1String("col"), m_col, 0, kMaxXmlCols) && attrInt(QLatin1String("row"), m_row, 1, kMaxXmlRows);
        case xmlEndReplist:
            return false; // a report list inside a report list
        case xmlInvalid:
            break;
        }
        if (name.compare(kSortState, Qt::CaseInsensitive) == 0) {
            m_kind = Kind::SortState;
            const auto a = m_xml.attributes();
            if (!attrInt(QLatin1String("col"), m_out->sortCol, -1, kMaxXmlCols)
                || !attrInt(QLatin1String("sec"), m_out->sortSec, -1, kMaxXmlCols))
                return false;
            m_out->sortAsc = a.value(QLatin1String("asc")) != QLatin1String("0");
            m_out->sortToggle = a.value(QLatin1String("toggle")) != QLatin1String("0");
            return true;
        }
        if (name.compare(kOrder, Qt::CaseInsensitive) == 0) {
            m_kind = Kind::Order;
            return !m_out->hasOrder;
        }
        if (name.compare(kRowAttr, Qt::CaseInsensitive) == 0) {
            m_kind = Kind::RowAttr;
            return attrInt(QLatin1String("row"), m_row, 1, kMaxXmlRows);
        }
        if (name.compare(kColAttr, Qt::CaseInsensitive) == 0) {
            m_kind = Kind::ColAttr;
            return attrInt(QLatin1String("col"), m_col, 1, kMaxXmlCols);
        }
        return true; // an element of a later version: skipped
    }

    bool text(QString& out) const
    {
        if (m_b64)
            return decodeB64(m_text, out);
        out = m_text;
        return true;
    }

    bool endChild()
    {
        if (m_kind == Kind::Cell)
            return endCell();
        ParsedList& o = *m_out;
        QString t;
        if (!text(t))
            return false;
        int v = 0;
        switch (m_kind) {
        case Kind::None:
            return true;
        case Kind::NumCols:
            if (!parseInt(t, o.cols, 1, kMaxXmlCols))
                return false;
            break;
        case Kind::NumRows:
            if (!parseInt(t, o.rows, 0, kMaxXmlRows))
                return false;
            break;
        case Kind::ColName:
            if (!o.names.emplace(m_col, t.left(MaxNameLength)).second)
                return false;
            break;
        case Kind::ColFmt:
            if (!o.formats.emplace(m_col, t.left(MaxColFmtLength)).second)
                return false;
            break;
        case Kind::Checked:
            if (!o.modes.emplace(m_col, m_mode).second)
                return false;
            break;
        case Kind::CommonHd:
            o.commonHd = t;
            o.hasCommonHd = true;
            break;
        case Kind::Comment:
            o.comment = t;
            break;
        case Kind::Cell:
            break; // endCell()
        case Kind::SortState:
            break;
        case Kind::Order: {
            o.hasOrder = true;
            const auto parts = QStringView(t).split(QLatin1Char(' '), Qt::SkipEmptyParts);
            o.order.reserve(std::size_t(parts.size()));
            for (const auto& p : parts) {
                if (!parseInt(p, v, 1, kMaxXmlRows))
                    return false;
                o.order.push_back(v);
            }
            break;
        }
        case Kind::RowAttr:
            if (!parseInt(t, v, 0, 255) || !o.rowAttr.emplace(m_row, Byte(v)).second)
                return false;
            break;
        case Kind::ColAttr:
            if (!parseInt(t, v, 0, 255) || !o.colAttr.emplace(m_col, Byte(v)).second)
                return false;
            break;
        }
        m_kind = Kind::None;
        return true;
    }

    QXmlStreamReader& m_xml;
    std::function<bool()> m_feed;
    std::function<void(qint64)> m_progress;
    ParsedList* m_out = nullptr;
    Kind m_kind = Kind::None;
    QString m_text;
    bool m_b64 = false;
    int m_col = 0;
    int m_row = 0;
    TCheckMode m_mode = cmNone;
};

// Reports percentages through the store's handler, paced by its progress counters.
class ProgressPacer {
public:
    ProgressPacer(TRLData* store, qint64 total) : m_store(store), m_total(std::max<qint64>(total, 1))
    {
        m_step = m_total / 100 + 1;
    }
    void at(qint64 done)
    {
        if (!m_store->OnPercentDone || done < m_next)
            return;
        m_next = done + m_step;
        report(int(std::min<qint64>(100, done * 100 / m_total)));
    }
    void finish() { report(100); }

private:
    void report(int p)
    {
        if (m_store->OnPercentDone && p != m_last) {
            m_last = p;
            m_store->OnPercentDone(m_store, p);
        }
    }
    TRLData* m_store;
    qint64 m_total;
    qint64 m_step = 1;
    qint64 m_next = 0;
    int m_last = -1;
};

} // namespace

QString RepListXmlTagName(TRepListXmlTag tag)
{
    switch (tag) {
    case xmlNumCols: return QStringLiteral("numcols");
    case xmlNumRows: return QStringLiteral("numrows");
    case xmlColName: return QStringLiteral("colname");
    case xmlCheckedColumn: return QStringLiteral("checkedcol");
    case xmlCommonHd: return QStringLiteral("commonhd");
    case xmlColumnFormat: return QStringLiteral("colformat");
    case xmlCell: return QStringLiteral("cell");
    case xmlComment: return QStringLiteral("comment");
    case xmlEndReplist: return kRoot;
    case xmlInvalid: break;
    }
    return QString();
}

TRepListXmlTag RepListXmlTagOf(QStringView name)
{
    for (int t = xmlNumCols; t < xmlInvalid; ++t)
        if (name.compare(RepListXmlTagName(TRepListXmlTag(t)), Qt::CaseInsensitive) == 0)
            return TRepListXmlTag(t);
    return xmlInvalid;
}

bool IsReplistRootLine(const QString& Line, const QString& DataID)
{
    const QString line = Line.toLower();
    if (!line.contains(QLatin1String("<replist")) || !line.contains(kSignature))
        return false;
    QString ident;
    const int p = int(line.indexOf(QLatin1String("id=\"")));
    if (p >= 0) {
        const int q = int(line.indexOf(QLatin1Char('"'), p + 4));
        if (q >= 0)
            ident = trimBlanks(decodeXmlReferences(line.mid(p + 4, q - p - 4)));
    }
    if (DataID.isEmpty())
        return true;
    return ident == trimBlanks(DataID.toLower());
}

bool CheckIfValidReplist(const QString& FName, const QString& DataID)
{
    QFile f(FName);
    if (!f.open(QIODevice::ReadOnly))
        throw EQORError(QStringLiteral("cannot open file \"%1\": %2").arg(FName, f.errorString()));
    while (!f.atEnd()) {
        const QByteArray raw = f.readLine();
        if (raw.isEmpty() && f.error() != QFileDevice::NoError)
            throw EQORError(QStringLiteral("cannot read file \"%1\": %2").arg(FName, f.errorString()));
        // Only lines that can be root tags are decoded.
        if (raw.toLower().contains("<replist") && IsReplistRootLine(QString::fromUtf8(raw).trimmed(), DataID))
            return true;
    }
    return false;
}

bool CheckIfValidReplist(QIODevice* InStream, const QString& DataID)
{
    if (!InStream)
        return false;
    bool eos = InStream->atEnd();
    while (!eos) {
        const QString line = ReadLnStream(InStream, eos, 0);
        if (IsReplistRootLine(line, DataID))
            return true;
    }
    return false;
}

// ---- writing ----------------------------------------------------------------------------

struct RLDataXml {
    static void write(const TRLData& d, QXmlStreamWriter& w, bool createHeader, const QString& dataID, TRLData* progressOwner)
    {
        w.setAutoFormatting(true);
        w.setAutoFormattingIndent(1);
        if (createHeader)
            w.writeStartDocument();
        w.writeStartElement(kRoot);
        w.writeAttribute(QStringLiteral("format"), kSignature);
        w.writeAttribute(QStringLiteral("version"), QStringLiteral("1"));
        w.writeAttribute(QStringLiteral("id"), idForAttribute(dataID));
        const int n = d.FNrOfCols;
        const int m = d.FNrOfRows;
        w.writeTextElement(RepListXmlTagName(xmlNumCols), QString::number(n));
        w.writeTextElement(RepListXmlTagName(xmlNumRows), QString::number(m));
        writeText(w, RepListXmlTagName(xmlCommonHd), d.FCommonHeader);
        writeText(w, RepListXmlTagName(xmlComment), d.FComment);
        w.writeEmptyElement(kSortState);
        w.writeAttribute(QStringLiteral("col"), QString::number(d.FSortColumn));
        w.writeAttribute(QStringLiteral("sec"), QString::number(d.FSortColumnSec));
        w.writeAttribute(QStringLiteral("asc"), d.FSortOrder ? QStringLiteral("1") : QStringLiteral("0"));
        w.writeAttribute(QStringLiteral("toggle"), d.FSortToggle ? QStringLiteral("1") : QStringLiteral("0"));
        const TStringArray* a = d.FStrings.get();
        for (int c = 1; c <= n; ++c) {
            const QString col = QString::number(c);
            w.writeStartElement(RepListXmlTagName(xmlColName));
            w.writeAttribute(QStringLiteral("col"), col);
            writeBody(w, d.FColName[std::size_t(c - 1)]);
            w.writeEndElement();
            if (!d.FColumnFormat[std::size_t(c - 1)].isEmpty()) {
                w.writeStartElement(RepListXmlTagName(xmlColumnFormat));
                w.writeAttribute(QStringLiteral("col"), col);
                writeBody(w, d.FColumnFormat[std::size_t(c - 1)]);
                w.writeEndElement();
            }
            if (d.FColButMode[std::size_t(c - 1)] != cmNone) {
                w.writeEmptyElement(RepListXmlTagName(xmlCheckedColumn));
                w.writeAttribute(QStringLiteral("col"), col);
                w.writeAttribute(QStringLiteral("mode"), d.FColButMode[std::size_t(c - 1)] == cmRadio
                                                              ? QStringLiteral("radio") : QStringLiteral("box"));
            }
            if (a->GetColAttrib(c) != 0) {
                w.writeStartElement(kColAttr);
                w.writeAttribute(QStringLiteral("col"), col);
                w.writeCharacters(QString::number(a->GetColAttrib(c)));
                w.writeEndElement();
            }
        }
        if (m > 0 && a->IsSorted()) {
            QString order;
            order.reserve(m * 7);
            for (int r = 1; r <= m; ++r) {
                if (r > 1)
                    order += QLatin1Char(' ');
                order += QString::number(a->GetSortOrder(r));
            }
            w.writeTextElement(kOrder, order);
        }
        for (int r = 1; r <= m; ++r) {
            if (a->GetRowAttrib(r) != 0) {
                w.writeStartElement(kRowAttr);
                w.writeAttribute(QStringLiteral("row"), QString::number(r));
                w.writeCharacters(QString::number(a->GetRowAttrib(r)));
                w.writeEndElement();
            }
        }
        ProgressPacer pacer(progressOwner, qint64(m) * (n + 1));
        qint64 done = 0;
        const QString cellName = RepListXmlTagName(xmlCell);
        const QString colAttr = QStringLiteral("col"), rowAttr = QStringLiteral("row");
        for (int s = 1; s <= m; ++s) {
            const QString row = QString::number(s);
            for (int c = 0; c <= n; ++c) {
                w.writeStartElement(cellName);
                w.writeAttribute(colAttr, QString::number(c));
                w.writeAttribute(rowAttr, row);
                writeBody(w, a->GetStoredString(c, s));
                w.writeEndElement();
                pacer.at(++done);
            }
        }
        w.writeEndElement();
        pacer.finish();
    }

    static void writeBody(QXmlStreamWriter& w, const QString& text)
    {
        if (isXmlSafeText(text)) {
            w.writeCharacters(text);
        } else {
            w.writeAttribute(QStringLiteral("enc"), QStringLiteral("b64"));
            w.writeCharacters(encodeB64(text));
        }
    }

    // Completes the store the parser filled (p.store); false when the parts do not fit together.
    static bool build(const ParsedList& p, TRLData& t)
    {
        if (p.cols < 1 || p.rows < 0)
            return false;
        const qint64 expected = qint64(p.rows) * (p.cols + 1);
        if (p.cellCount() != expected)
            return false;
        for (const auto& kv : p.names)
            if (kv.first > p.cols) return false;
        for (const auto& kv : p.formats)
            if (kv.first > p.cols) return false;
        for (const auto& kv : p.modes)
            if (kv.first > p.cols) return false;
        for (const auto& kv : p.colAttr)
            if (kv.first > p.cols) return false;
        for (const auto& kv : p.rowAttr)
            if (kv.first > p.rows) return false;
        if (p.sortCol > p.cols || p.sortSec > p.cols)
            return false;
        if (p.hasOrder) {
            if (int(p.order.size()) != p.rows)
                return false;
            std::vector<bool> seen(std::size_t(p.rows), false);
            for (int v : p.order) {
                if (v > p.rows || seen[std::size_t(v - 1)])
                    return false;
                seen[std::size_t(v - 1)] = true;
            }
        }
        // The cells in stored order cover the first inOrder addresses; each of the others
        // must come exactly once. The counts agree with the cells actually present, so
        // sizing the store is safe.
        {
            std::vector<bool> filled(p.cells.size(), false);
            for (const auto& cell : p.cells) {
                if (cell.col > p.cols || cell.row > p.rows)
                    return false;
                const qint64 k = qint64(cell.row - 1) * (p.cols + 1) + cell.col - p.inOrder;
                if (k < 0 || filled[std::size_t(k)])
                    return false;
                filled[std::size_t(k)] = true;
            }
        }
        if (p.storeRows == 0)
            t.SetNrCols(p.cols);
        if (p.storeRows != p.rows || p.storeRows == 0)
            t.SetNrRows(p.rows);
        TStringArray* a = t.FStrings.get();
        for (const auto& cell : p.cells)
            if (!cell.text.isEmpty())
                a->SetStoredString(cell.col, cell.row, cell.text);
        if (p.hasOrder && !a->SetSortOrders(p.order))
            return false;
        for (const auto& kv : p.rowAttr)
            a->SetRowAttrib(kv.first, kv.second);
        for (const auto& kv : p.colAttr)
            a->SetColAttrib(kv.first, kv.second);
        for (const auto& kv : p.names)
            t.FColName[std::size_t(kv.first - 1)] = kv.second;
        for (const auto& kv : p.formats)
            t.FColumnFormat[std::size_t(kv.first - 1)] = kv.second;
        for (const auto& kv : p.modes)
            t.FColButMode[std::size_t(kv.first - 1)] = kv.second;
        if (p.hasCommonHd)
            t.FCommonHeader = p.commonHd;
        t.FComment = p.comment;
        t.FDataID = p.id;
        t.FSortColumn = p.sortCol;
        t.FSortColumnSec = p.sortSec;
        t.FSortOrder = p.sortAsc;
        t.FSortToggle = p.sortToggle;
        return true;
    }

    // Parses one report list and, when sound, makes it the contents of Store.
    static bool parseInto(TRLData& store, QXmlStreamReader& xml, std::function<bool()> feed)
    {
        ParsedList parsed;
        ProgressPacer* pacer = nullptr;
        std::unique_ptr<ProgressPacer> pacerHolder;
        auto progress = [&](qint64 done) {
            if (!pacer && parsed.cols > 0 && parsed.rows >= 0) {
                pacerHolder = std::make_unique<ProgressPacer>(&store, qint64(parsed.rows) * (parsed.cols + 1));
                pacer = pacerHolder.get();
            }
            if (pacer)
                pacer->at(done);
        };
        try {
            TRLData fresh;
            parsed.store = &fresh;
            if (xml.device() && !xml.device()->isSequential())
                parsed.inputBytes = xml.device()->size() - xml.device()->pos();
            ReplistParser parser(xml, std::move(feed), store.OnPercentDone ? std::function<void(qint64)>(progress)
                                                                           : std::function<void(qint64)>());
            if (!parser.run(parsed))
                return false;
            if (!build(parsed, fresh))
                return false;
            store.swapContents(fresh);
        } catch (const std::bad_alloc&) {
            return false;
        } catch (const EQORError&) {
            return false;
        }
        if (pacer)
            pacer->finish();
        if (store.FStrings->OnChange)
            store.FStrings->OnChange(store.FStrings.get());
        return true;
    }
};

namespace {

// The whole XML form as UTF-8. Without the declaration the root tag opens the text, so a
// report list written after other content starts on the line the caller is at.
QByteArray xmlBytes(const TRLData& d, bool createHeader, const QString& dataID, TRLData* progressOwner, bool& ok)
{
    QByteArray out;
    QXmlStreamWriter w(&out);
    RLDataXml::write(d, w, createHeader, dataID, progressOwner);
    ok = !w.hasError();
    if (out.startsWith('\n'))
        out.remove(0, 1);
    out += '\n';
    return out;
}

} // namespace

QString TRLData::XMLText(bool CreateHeader, const QString& DataID) const
{
    bool ok = false;
    return QString::fromUtf8(xmlBytes(*this, CreateHeader, DataID, const_cast<TRLData*>(this), ok));
}

void TRLData::WriteToXMLStream(QIODevice* OutStream, bool CreateHeader, const QString& DataID)
{
    if (!OutStream || !OutStream->isWritable())
        throw EQORRLDataError(componentMessage(QStringLiteral("stream not open for writing")));
    bool ok = false;
    const QByteArray bytes = xmlBytes(*this, CreateHeader, DataID, this, ok);
    if (!ok || OutStream->write(bytes) != bytes.size())
        throw EQORRLDataError(componentMessage(QStringLiteral("writing the XML stream failed")));
}

void TRLData::SaveAsXMLFile(const QString& FName, const QString& DataID)
{
    bool ok = false;
    const QByteArray bytes = xmlBytes(*this, true, DataID, this, ok);
    QSaveFile f(FName);
    if (!ok || !f.open(QIODevice::WriteOnly) || f.write(bytes) != bytes.size() || !f.commit())
        throw EQORRLDataError(componentMessage(QStringLiteral("cannot write file \"%1\": %2").arg(FName, f.errorString())));
}

void TRLData::WriteToOpenXMLFile(QTextStream& OutFile, bool CreateHeader, const QString& DataID)
{
    // A stream into a QString keeps every character; a device stream must encode them all.
    if (!OutFile.string() && OutFile.encoding() != QStringConverter::Utf8)
        throw EQORRLDataError(componentMessage(QStringLiteral("the text file is not written as UTF-8")));
    bool ok = false;
    OutFile << QString::fromUtf8(xmlBytes(*this, CreateHeader, DataID, this, ok));
    OutFile.flush();
    if (!ok || OutFile.status() != QTextStream::Ok)
        throw EQORRLDataError(componentMessage(QStringLiteral("writing the XML text failed")));
}

// ---- reading ----------------------------------------------------------------------------

namespace {

// Where "<replist" starts in a root line, in any ASCII case. QString::toLower would not do:
// it may lengthen the text before the tag (capital I with dot above becomes two characters).
int rootTagPos(const QString& line)
{
    static const QLatin1String tag("<replist");
    const qsizetype n = line.size() - tag.size();
    for (qsizetype i = 0; i <= n; ++i) {
        qsizetype k = 0;
        while (k < tag.size() && line.at(i + k).unicode() < 128
               && QChar::toLower(line.at(i + k).unicode()) == char16_t(tag.at(k).unicode()))
            ++k;
        if (k == tag.size())
            return int(i);
    }
    return -1;
}

// Finds the first root tag line for DataID in Data from From on; returns the byte offset
// of its "<replist" or -1.
qsizetype findRootInBytes(const QByteArray& data, qsizetype from, const QString& dataID)
{
    qsizetype pos = from;
    while (pos < data.size()) {
        qsizetype end = data.indexOf('\n', pos);
        if (end < 0)
            end = data.size();
        const QByteArray line = data.mid(pos, end - pos).toLower();
        const qsizetype tag = line.indexOf("<replist");
        if (tag >= 0 && IsReplistRootLine(QString::fromUtf8(data.mid(pos, end - pos)), dataID))
            return pos + tag;
        pos = end + 1;
    }
    return -1;
}

// The same search line by line through a seekable device from its current position;
// returns the device position of the "<replist" or -1.
qint64 findRootInDevice(QIODevice& dev, const QString& dataID)
{
    qint64 pos = dev.pos();
    while (!dev.atEnd()) {
        QByteArray line = dev.readLine();
        if (line.isEmpty())
            return -1; // a read error
        const qint64 next = pos + line.size();
        if (line.endsWith('\n'))
            line.chop(1);
        const qsizetype tag = line.toLower().indexOf("<replist");
        if (tag >= 0 && IsReplistRootLine(QString::fromUtf8(line), dataID))
            return pos + tag;
        pos = next;
    }
    return -1;
}

// Parses from a device rather than from one block of bytes: the reader then decodes the
// input a buffer at a time instead of converting all of it to UTF-16 first, which costs as
// much as the parse itself for a large list.
bool parseBytesFrom(TRLData& store, const QByteArray& data, qsizetype at)
{
    QByteArray tail = QByteArray::fromRawData(data.constData() + at, data.size() - at);
    QBuffer buffer(&tail);
    buffer.open(QIODevice::ReadOnly);
    QXmlStreamReader xml(&buffer);
    return RLDataXml::parseInto(store, xml, {});
}

} // namespace

bool TRLData::ReadFromXMLString(const QString& InString, const QString& DataID)
{
    const QByteArray data = InString.toUtf8();
    const qsizetype at = findRootInBytes(data, 0, DataID);
    if (at < 0)
        return false;
    return parseBytesFrom(*this, data, at);
}

bool TRLData::LoadFromXMLFile(const QString& FName, const QString& DataID)
{
    QFile f(FName);
    if (!f.open(QIODevice::ReadOnly))
        return false;
    if (f.isSequential()) {
        // A pipe or device file cannot go back to the root line: read it whole.
        const QByteArray data = f.readAll();
        if (f.error() != QFileDevice::NoError)
            return false;
        const qsizetype at = findRootInBytes(data, 0, DataID);
        return at >= 0 && parseBytesFrom(*this, data, at);
    }
    const qint64 at = findRootInDevice(f, DataID);
    if (at < 0 || !f.seek(at))
        return false;
    QXmlStreamReader xml(&f);
    return RLDataXml::parseInto(*this, xml, {});
}

bool TRLData::ReadFromXMLStream(QIODevice* InStream, const QString& DataID)
{
    if (!InStream || !InStream->isReadable())
        return false;
    bool eos = InStream->atEnd();
    QString line;
    bool found = false;
    while (!eos) {
        line = ReadLnStream(InStream, eos, 0);
        if (IsReplistRootLine(line, DataID)) {
            found = true;
            break;
        }
    }
    if (!found)
        return false;
    const int tag = rootTagPos(line);
    QXmlStreamReader xml;
    xml.addData(line.mid(tag).toUtf8() + '\n');
    // Lines are fed as the parser needs them, so the stream stops right after the end tag's line.
    auto feedReader = [InStream, &xml]() -> bool {
        if (InStream->atEnd())
            return false;
        xml.addData(InStream->readLine());
        return true;
    };
    return RLDataXml::parseInto(*this, xml, feedReader);
}

bool TRLData::ReadFromOpenXMLFile(QTextStream& InFile, const QString& DataID)
{
    QString line;
    bool found = false;
    while (!InFile.atEnd()) {
        line = InFile.readLine();
        if (IsReplistRootLine(line, DataID)) {
            found = true;
            break;
        }
    }
    if (!found)
        return false;
    const int tag = rootTagPos(line);
    QXmlStreamReader xml;
    xml.addData(line.mid(tag) + QLatin1Char('\n'));
    auto feedReader = [&InFile, &xml]() -> bool {
        if (InFile.atEnd())
            return false;
        xml.addData(InFile.readLine() + QLatin1Char('\n'));
        return true;
    };
    return RLDataXml::parseInto(*this, xml, feedReader);
}

} // namespace qor
