// TRLData: a cell block as an HTML table, and the lines of a text file into a column.
// The view's forms of both pass to its store.
#include "replist/RepListView_p.h"

#include <QFile>
#include <QSaveFile>

#include <algorithm>

namespace qor {

namespace {

// UTF-8 where the bytes are UTF-8, Latin-1 for every byte that is not part of a valid
// sequence: a file of mixed origin loses no character.
QString decodeMixed(const QByteArray& bytes)
{
    QString out;
    out.reserve(bytes.size());
    const auto* p = reinterpret_cast<const unsigned char*>(bytes.constData());
    const qsizetype n = bytes.size();
    qsizetype i = 0;
    if (n >= 3 && p[0] == 0xEF && p[1] == 0xBB && p[2] == 0xBF)
        i = 3;
    while (i < n) {
        const unsigned char b = p[i];
        int len = 0;
        char32_t cp = 0;
        char32_t min = 0;
        if (b < 0x80) {
            out += QChar(b);
            ++i;
            continue;
        }
        if ((b & 0xE0) == 0xC0) {
            len = 2, cp = b & 0x1F, min = 0x80;
        } else if ((b & 0xF0) == 0xE0) {
            len = 3, cp = b & 0x0F, min = 0x800;
        } else if ((b & 0xF8) == 0xF0) {
            len = 4, cp = b & 0x07, min = 0x10000;
        }
        bool ok = len > 0 && i + len <= n;
        for (int k = 1; ok && k < len; ++k) {
            ok = (p[i + k] & 0xC0) == 0x80;
            cp = (cp << 6) | (p[i + k] & 0x3F);
        }
        ok = ok && cp >= min && cp <= 0x10FFFF && !(cp >= 0xD800 && cp <= 0xDFFF);
        if (!ok) {
            out += QChar(b); // Latin-1
            ++i;
            continue;
        }
        if (cp >= 0x10000) {
            out += QChar::highSurrogate(cp);
            out += QChar::lowSurrogate(cp);
        } else {
            out += QChar(char16_t(cp));
        }
        i += len;
    }
    return out;
}

QString attr(const QString& name, const QString& value)
{
    return QLatin1Char(' ') + name + QStringLiteral("=\"") + value.toHtmlEscaped() + QLatin1Char('"');
}

} // namespace

QString TRLData::HTMLTable(int LoC, int LoR, int HiC, int HiR, const std::vector<int>& ColumnSelection, int Border,
                           int CellSpacing, int Cellpadding, bool IncludeHeader, const QString& HeadClass,
                           const QString& CellClass, const QString& TableClass)
{
    LoC = std::max(LoC, 1);
    HiC = std::min(HiC, NrOfColumns());
    LoR = std::max(LoR, 1);
    HiR = std::min(HiR, NrOfRows());
    std::vector<int> cols;
    for (int c = LoC; c <= HiC; ++c)
        if (ColumnSelection.empty() || std::find(ColumnSelection.begin(), ColumnSelection.end(), c) != ColumnSelection.end())
            cols.push_back(c);
    Border = std::max(Border, 0);
    CellSpacing = std::max(CellSpacing, 0);
    Cellpadding = std::max(Cellpadding, 0);

    // The table's border, spacing and padding are written as CSS, which is what HTML5 has
    // for them; the look is that of the old attributes of the same names.
    QString h;
    h += QStringLiteral("<!DOCTYPE html>\n<html>\n<head>\n<meta charset=\"utf-8\">\n<title>");
    h += FCommonHeader.toHtmlEscaped();
    h += QStringLiteral("</title>\n<style>\n");
    h += QStringLiteral("table { border-collapse: separate; border-spacing: %1px; border: %2px outset; }\n")
             .arg(CellSpacing).arg(Border);
    h += QStringLiteral("th, td { padding: %1px; border: %2px inset; }\n").arg(Cellpadding).arg(Border > 0 ? 1 : 0);
    h += QStringLiteral("</style>\n</head>\n<body>\n<table");
    if (!TableClass.isEmpty())
        h += attr(QStringLiteral("class"), TableClass);
    h += QStringLiteral(">\n");
    const QString thOpen = QStringLiteral("<th") + (HeadClass.isEmpty() ? QString() : attr(QStringLiteral("class"), HeadClass)) + QLatin1Char('>');
    const QString tdOpen = QStringLiteral("<td") + (CellClass.isEmpty() ? QString() : attr(QStringLiteral("class"), CellClass)) + QLatin1Char('>');
    if (IncludeHeader) {
        h += QStringLiteral("<thead>\n<tr>");
        for (int c : cols)
            h += thOpen + GetColName(c).toHtmlEscaped() + QStringLiteral("</th>");
        h += QStringLiteral("</tr>\n</thead>\n");
    }
    h += QStringLiteral("<tbody>\n");
    const int total = std::max(1, (HiR - LoR + 1) * int(cols.size()));
    int done = 0;
    for (int r = LoR; r <= HiR; ++r) {
        h += QStringLiteral("<tr>");
        for (int c : cols) {
            QString text = GetElem(c, r);
            BeforeHTMLExport(text, c, r);
            h += tdOpen + text.toHtmlEscaped() + QStringLiteral("</td>");
            if (OnPercentDone && ++done % FFeedbkStep == 0)
                OnPercentDone(this, int(qint64(done) * 100 / total));
        }
        h += QStringLiteral("</tr>\n");
    }
    h += QStringLiteral("</tbody>\n</table>\n</body>\n</html>\n");
    return h;
}

void TRLData::ExportHTMLTable(const QString& FName, int LoC, int LoR, int HiC, int HiR,
                              const std::vector<int>& ColumnSelection, int Border, int CellSpacing, int Cellpadding,
                              bool IncludeHeader, const QString& HeadClass, const QString& CellClass,
                              const QString& TableClass)
{
    const QByteArray bytes = HTMLTable(LoC, LoR, HiC, HiR, ColumnSelection, Border, CellSpacing, Cellpadding,
                                       IncludeHeader, HeadClass, CellClass, TableClass)
                                 .toUtf8();
    QSaveFile file(FName);
    if (!file.open(QIODevice::WriteOnly) || file.write(bytes) != bytes.size() || !file.commit())
        throw EQORRLDataError(
            componentMessage(QStringLiteral("cannot write \"%1\" (%2)").arg(FName, file.errorString())));
}

int TRLData::LoadLinesFromFile(int Column, int FirstRow, const QString& FName)
{
    if (Column < 0 || Column > NrOfColumns() || FirstRow < 1)
        return -1;
    QFile file(FName);
    if (!file.open(QIODevice::ReadOnly))
        return -1;
    const QByteArray bytes = file.readAll();
    if (file.error() != QFileDevice::NoError)
        return -1;
    const QString text = decodeMixed(bytes);

    QStringList lines;
    qsizetype start = 0;
    for (qsizetype i = 0; i < text.size(); ++i) {
        const QChar c = text.at(i);
        if (c == QLatin1Char('\n') || c == QLatin1Char('\r')) {
            lines.append(text.mid(start, i - start));
            if (c == QLatin1Char('\r') && i + 1 < text.size() && text.at(i + 1) == QLatin1Char('\n'))
                ++i;
            start = i + 1;
        }
    }
    if (start < text.size())
        lines.append(text.mid(start));
    if (lines.isEmpty())
        return 0;

    // Counted wide: a first row near the int range's end must not wrap round, and rows the
    // store cannot hold are refused before anything changes.
    const qint64 last = qint64(FirstRow) + lines.size() - 1;
    if (last > MaxRLDataRows)
        return -1;
    if (last > NrOfRows())
        SetNrRows(int(last));
    int r = FirstRow;
    for (const QString& line : lines)
        SetElem(Column, r++, line.left(MaxCellLength));
    return int(lines.size());
}

// ---- the view's forms --------------------------------------------------------------------------

void TReportListView::ExportHTMLTable(const QString& FName, int LoC, int LoR, int HiC, int HiR,
                                      const std::vector<int>& ColumnSelection, int Border, int CellSpacing,
                                      int Cellpadding, bool IncludeHeader, const QString& HeadClass,
                                      const QString& CellClass, const QString& TableClass)
{
    FRLData->ExportHTMLTable(FName, LoC, LoR, HiC, HiR, ColumnSelection, Border, CellSpacing, Cellpadding,
                             IncludeHeader, HeadClass, CellClass, TableClass);
}

int TReportListView::LoadLinesFromFile(int Column, int FirstRow, const QString& FName)
{
    HideEditor();
    int result = 0;
    {
        const auto pause = SuppressPaintScope(this);
        result = FRLData->LoadLinesFromFile(Column, FirstRow, FName);
        if (result > 0) {
            updateGridRows();
            updateHeaderHeights();
        }
    }
    if (result > 0)
        ChangedSetup();
    return result;
}

} // namespace qor
