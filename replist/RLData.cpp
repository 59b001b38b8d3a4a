// TRLData: dimensions, column metadata, cells, check marks, rows, order, copying.
#include "replist/QOR_replist.h"

#include <algorithm>
#include <climits>
#include <new>

namespace qor {

namespace {

QString defaultColName(int col)
{
    return QStringLiteral("C-") + QString::number(col);
}

QChar firstChar(const QString& s)
{
    return s.isEmpty() ? QChar() : s.at(0);
}

// Puts the check state in front of a stored text of a check column.
QString withCheckState(const QString& stored, bool checked)
{
    const QChar mark = checked ? QLatin1Char('X') : QLatin1Char(' ');
    if (stored.isEmpty())
        return QString(mark);
    QString s = stored;
    s[0] = mark;
    return s;
}

// Restores the saved change notification of the container when a scope ends.
class ChangeNotificationPause {
public:
    explicit ChangeNotificationPause(TStringArray* a) : m_array(a), m_saved(std::move(a->OnChange)) { a->OnChange = nullptr; }
    ~ChangeNotificationPause() { m_array->OnChange = std::move(m_saved); }
    ChangeNotificationPause(const ChangeNotificationPause&) = delete;
    ChangeNotificationPause& operator=(const ChangeNotificationPause&) = delete;

private:
    TStringArray* m_array;
    TNotifyEvent m_saved;
};

} // namespace

TRLData::TRLData(QObject* owner) : TComponent(owner)
{
    FCommonHeader = QStringLiteral("QOR Report Listview");
    // Built before anything can fail, and freed with the store whatever happens after.
    FStrings = std::make_unique<TStringArray>(nullptr);
    try {
        FStrings->SetAllocRowsBy(10);
        FStrings->Resize(1, 1);
        FStrings->Clear();
        FColName.assign(1, defaultColName(1));
        FColumnFormat.assign(1, QString());
        FColButMode.assign(1, cmNone);
    } catch (const std::bad_alloc&) {
        throw EQORRLDataError(componentMessage(QStringLiteral("failed to initialize (out of memory)")));
    }
    FStrings->OnBeforeSortExchange = [this](TObject* sender, const QString& in, QString& out) {
        forwardBeforeExchange(sender, in, out);
    };
}

TRLData::~TRLData() = default;

QString TRLData::componentMessage(const QString& problem) const
{
    return ComponentMessage(Name(), problem);
}

void TRLData::forwardBeforeExchange(TObject*, const QString& in, QString& out)
{
    if (OnBeforeSortExchange)
        OnBeforeSortExchange(this, in, out);
}

void TRLData::BeforeHTMLExport(QString& Text, int Col, int Row)
{
    if (OnBeforeHTMLExport)
        OnBeforeHTMLExport(this, Text, Col, Row);
}

void TRLData::updateFeedback(int rows, int cols)
{
    long long cells = (long long)rows * ((long long)cols + 1);
    if (cells <= 0)
        cells = 1;
    FFeedbkNumCells = int(std::min<long long>(cells, INT_MAX));
    FFeedbkStep = FFeedbkNumCells / 100 + 1;
}

// ---- dimensions ---------------------------------------------------------------------

void TRLData::SetNrCols(int n)
{
    if (n < 1)
        n = 1;
    if (n > MaxRLDataColumns)
        throw EQORRLDataError(componentMessage(QStringLiteral("too many columns (at most %1)").arg(MaxRLDataColumns)));
    const int oldCols = FNrOfCols;
    FNrOfCols = n;
    try {
        FStrings->Resize(n, std::max(FNrOfRows, 1));
    } catch (const std::exception& e) {
        FNrOfCols = oldCols;
        throw EQORError(componentMessage(QString::fromUtf8(e.what())));
    }
    updateFeedback(std::max(FNrOfRows, 1), n);
    try {
        FColName.resize(std::size_t(n));
        FColumnFormat.resize(std::size_t(n));
        FColButMode.resize(std::size_t(n), cmNone);
    } catch (const std::bad_alloc&) {
        throw EQORRLDataError(componentMessage(QStringLiteral("not enough memory on heap")));
    }
    for (int c = oldCols; c < n; ++c) {
        FColName[std::size_t(c)] = defaultColName(c + 1);
        FColumnFormat[std::size_t(c)].clear();
        FColButMode[std::size_t(c)] = cmNone;
    }
    // A recorded sort column that is gone would make a save that no reader takes back.
    if (FSortColumn > n)
        FSortColumn = -1;
    if (FSortColumnSec > n)
        FSortColumnSec = -1;
}

void TRLData::SetNrRows(int n)
{
    if (n < 0)
        n = 0;
    if (n > MaxRLDataRows)
        throw EQORRLDataError(componentMessage(QStringLiteral("too many rows (at most %1)").arg(MaxRLDataRows)));
    // The container drops the highest stored rows; the rows to go are the last ones shown.
    if (n < FStrings->NrOfRows() && FStrings->IsSorted())
        FStrings->CommitSorting();
    try {
        FStrings->Resize(FNrOfCols, n);
    } catch (const std::exception& e) {
        throw EQORError(componentMessage(QString::fromUtf8(e.what())));
    }
    FNrOfRows = n;
    updateFeedback(n, FNrOfCols);
}

void TRLData::SetCommonHeader(const QString& s)
{
    if (s != FCommonHeader)
        FCommonHeader = s;
}

// ---- columns ------------------------------------------------------------------------

int TRLData::ColumnIndex(const QString& Head, bool PartialMatch) const
{
    const QString head = Head.toLower();
    if (PartialMatch && head.isEmpty())
        return -1;
    for (int c = FNrOfCols; c >= 1; --c) {
        const QString name = FColName[std::size_t(c - 1)].toLower();
        if (PartialMatch ? name.contains(head) : name == head)
            return c;
    }
    return -1;
}

TNameStrType TRLData::GetColName(int ColNr) const
{
    if (ColNr < 1 || ColNr > FNrOfCols)
        return QString();
    return FColName[std::size_t(ColNr - 1)];
}

void TRLData::SetColName(int ColNr, const QString& HLine)
{
    if (ColNr < 1 || ColNr > FNrOfCols)
        return;
    FColName[std::size_t(ColNr - 1)] = HLine.left(MaxNameLength);
}

TColFmtString TRLData::GetColumnFormat(int ColNr) const
{
    if (ColNr < 1 || ColNr > FNrOfCols)
        return QString();
    return FColumnFormat[std::size_t(ColNr - 1)];
}

void TRLData::SetColumnFormat(int ColNr, const QString& DefValue)
{
    if (ColNr < 1 || ColNr > FNrOfCols)
        return;
    FColumnFormat[std::size_t(ColNr - 1)] = DefValue.left(MaxColFmtLength);
}

bool TRLData::GetCheckedCol(int ColNr) const
{
    return GetColCheckMode(ColNr) == cmBox;
}

void TRLData::SetCheckedCol(int ColNr, bool Value)
{
    SetColCheckMode(ColNr, Value ? cmBox : cmNone);
}

TCheckMode TRLData::GetColCheckMode(int ColNr) const
{
    if (ColNr < 1 || ColNr > FNrOfCols)
        return cmNone;
    return FColButMode[std::size_t(ColNr - 1)];
}

void TRLData::SetColCheckMode(int ColNr, TCheckMode Value)
{
    if (ColNr < 1 || ColNr > FNrOfCols || Value > cmRadio)
        return;
    const TCheckMode old = FColButMode[std::size_t(ColNr - 1)];
    if (old == Value)
        return;
    ChangeNotificationPause pause(FStrings.get());
    FColButMode[std::size_t(ColNr - 1)] = Value;
    if (old == cmNone) {
        for (int r = 1; r <= FNrOfRows; ++r) {
            const QString s = FStrings->GetString(ColNr, r);
            if (!s.isEmpty())
                FStrings->SetString(ColNr, r, QLatin1Char(' ') + s);
        }
    } else if (Value == cmNone) {
        for (int r = 1; r <= FNrOfRows; ++r) {
            const QString s = FStrings->GetString(ColNr, r);
            if (!s.isEmpty())
                FStrings->SetString(ColNr, r, s.mid(1));
        }
    } else if (old == cmBox && Value == cmRadio) {
        setWholeColumnChecked(ColNr, false);
    }
}

// ---- cells --------------------------------------------------------------------------

QString TRLData::GetElem(int ACol, int ARow) const
{
    if (ACol < 0 || ACol > FNrOfCols || ARow < 1 || ARow > FNrOfRows)
        return QString();
    const QString s = FStrings->GetString(ACol, ARow);
    if (GetColCheckMode(ACol) != cmNone)
        return s.mid(1);
    return s;
}

void TRLData::SetElem(int ACol, int ARow, const QString& Value)
{
    if (ACol < 0 || ACol > FNrOfCols || ARow < 1 || ARow > FNrOfRows)
        return;
    if (GetColCheckMode(ACol) != cmNone) {
        const QString stored = FStrings->GetString(ACol, ARow);
        const QChar mark = stored.isEmpty() ? QLatin1Char(' ') : stored.at(0);
        FStrings->SetString(ACol, ARow, (QString(mark) + Value).left(MaxCellLength));
    } else {
        FStrings->SetString(ACol, ARow, Value.left(MaxCellLength));
    }
}

bool TRLData::isCheckedText(const QString& stored) const
{
    return !stored.isEmpty() && stored.at(0) != QLatin1Char(' ');
}

bool TRLData::GetElemChecked(int ACol, int ARow) const
{
    if (ACol < 1 || ACol > FNrOfCols || ARow < 1 || ARow > FNrOfRows)
        return false;
    if (GetColCheckMode(ACol) == cmNone)
        return false;
    return isCheckedText(FStrings->GetString(ACol, ARow));
}

void TRLData::SetElemChecked(int ACol, int ARow, bool Value)
{
    if (ACol < 1 || ACol > FNrOfCols || ARow < 1 || ARow > FNrOfRows)
        return;
    const TCheckMode mode = GetColCheckMode(ACol);
    if (mode == cmNone)
        return;
    if (mode == cmRadio)
        setWholeColumnChecked(ACol, false);
    FStrings->SetString(ACol, ARow, withCheckState(FStrings->GetString(ACol, ARow), Value));
}

double TRLData::GetAsNumber(int ACol, int ARow) const
{
    if (ACol < 0 || ACol > FNrOfCols || ARow < 1 || ARow > FNrOfRows)
        return 0.0;
    return FStrings->GetAsNumber(ACol, ARow);
}

QString TRLData::GetCellDefaultValue(int ACol, int ARow) const
{
    const QString fmt = GetColumnFormat(ACol);
    QChar letter = QLatin1Char('s');
    QString rest;
    const int close = int(fmt.indexOf(QLatin1Char(']')));
    if (close < 0) {
        rest = fmt;
    } else {
        letter = fmt.size() > 1 ? fmt.at(1) : QChar();
        if (close + 1 >= fmt.size())
            return QString();
        rest = fmt.mid(close + 1);
        const int widthClose = int(rest.indexOf(QLatin1Char(']')));
        if (widthClose >= 0)
            rest = rest.mid(widthClose + 1);
    }
    // Counts come from user text: keep what they produce within a cell's length.
    auto boundedCount = [](int n) { return std::clamp(n, 0, MaxCellLength); };
    switch (letter.unicode()) {
    case 'c':
    case 'l': {
        const int bar = int(rest.indexOf(QLatin1Char('|')));
        return bar < 0 ? rest : rest.left(bar);
    }
    case 'd':
        return rest;
    case 'e':
    case 'f':
    case 'h':
    case 'i': {
        if (!rest.toLower().contains(QLatin1String("rix")))
            return rest;
        int n = ReadIntegerAt(rest, 4);
        switch (letter.unicode()) {
        case 'e':
        case 'f':
            return strff(ARow, 1, boundedCount(n));
        case 'h': {
            n = std::clamp(n, 1, 8);
            const quint32 v = quint32(ARow);
            const quint32 mask = n >= 8 ? 0xFFFFFFFFu : ((1u << (4 * n)) - 1u);
            return QString::number(v & mask, 16).toUpper().rightJustified(n, QLatin1Char('0'));
        }
        default: {
            n = std::max(1, boundedCount(n));
            const qint64 a = ARow < 0 ? -qint64(ARow) : qint64(ARow);
            QString digits = QString::number(a);
            digits = digits.size() > n ? digits.right(n) : digits.rightJustified(n, QLatin1Char('0'));
            return ARow < 0 ? QLatin1Char('-') + digits : digits;
        }
        }
    }
    case 's':
        if (rest.toLower().contains(QLatin1String("$pwd$")))
            return InventPassword(boundedCount(ReadIntegerAt(rest, 6)));
        return rest;
    default:
        return QString();
    }
}

// ---- check marks --------------------------------------------------------------------

void TRLData::setWholeColumnChecked(int col, bool checked)
{
    for (int r = 1; r <= FNrOfRows; ++r)
        FStrings->SetString(col, r, withCheckState(FStrings->GetString(col, r), checked));
}

void TRLData::SetAllCheckmarksOfCol(int Column, bool Checked)
{
    if (GetColCheckMode(Column) != cmBox)
        return;
    setWholeColumnChecked(Column, Checked);
}

void TRLData::InvertAllCheckmarksOfCol(int Column)
{
    if (GetColCheckMode(Column) != cmBox)
        return;
    for (int r = 1; r <= FNrOfRows; ++r) {
        const QString s = FStrings->GetString(Column, r);
        // Any non-blank first character reads as checked, so it inverts to unchecked.
        FStrings->SetString(Column, r, withCheckState(s, !isCheckedText(s)));
    }
}

int TRLData::CountCheckedElemsInCol(int Column) const
{
    if (GetColCheckMode(Column) == cmNone)
        return 0;
    int n = 0;
    for (int r = 1; r <= FNrOfRows; ++r)
        if (isCheckedText(FStrings->GetString(Column, r)))
            ++n;
    return n;
}

int TRLData::CountCheckedElemsInRow(int Row) const
{
    if (Row < 1 || Row > FNrOfRows)
        return 0;
    int n = 0;
    for (int c = 1; c <= FNrOfCols; ++c)
        if (GetColCheckMode(c) != cmNone && isCheckedText(FStrings->GetString(c, Row)))
            ++n;
    return n;
}

int TRLData::FirstCheckedElemInCol(int ColNr) const
{
    if (GetColCheckMode(ColNr) == cmNone)
        return 0;
    for (int r = 1; r <= FNrOfRows; ++r)
        if (isCheckedText(FStrings->GetString(ColNr, r)))
            return r;
    return 0;
}

int TRLData::FirstCheckedElemInRow(int RowNr) const
{
    if (RowNr < 1 || RowNr > FNrOfRows)
        return 0;
    for (int c = 1; c <= FNrOfCols; ++c)
        if (GetColCheckMode(c) != cmNone && isCheckedText(FStrings->GetString(c, RowNr)))
            return c;
    return 0;
}

// ---- rows and bulk operations --------------------------------------------------------

void TRLData::RemoveRow(int r)
{
    if (r < 1 || r > FNrOfRows)
        return;
    FStrings->CommitSorting();
    if (FNrOfRows == 1) {
        for (int c = 0; c <= FNrOfCols; ++c)
            FStrings->SetString(c, 1, QString());
        // The row is gone: its selection or disabled state must not return with a new row.
        FStrings->SetRowAttrib(1, 0);
        FNrOfRows = 0;
    } else {
        FStrings->RemoveRow(r);
        --FNrOfRows;
    }
    updateFeedback(FNrOfRows, FNrOfCols);
}

void TRLData::RemoveEmptyRows()
{
    for (int r = FNrOfRows; r >= 1; --r) {
        bool empty = true;
        for (int c = 0; c <= FNrOfCols && empty; ++c)
            empty = GetElem(c, r).isEmpty();
        if (empty)
            RemoveRow(r);
    }
}

void TRLData::CopyRow(int Source, int Target)
{
    if (Source < 1 || Source > FNrOfRows || Target < 1 || Target > FNrOfRows)
        return;
    for (int c = 0; c <= FNrOfCols; ++c)
        FStrings->SetString(c, Target, FStrings->GetString(c, Source));
    FStrings->SetRowAttrib(Target, FStrings->GetRowAttrib(Source));
}

void TRLData::Fill(const QString& s)
{
    const QString text = s.left(MaxCellLength);
    for (int c = 1; c <= FNrOfCols; ++c) {
        const bool check = GetColCheckMode(c) != cmNone;
        for (int r = 1; r <= FNrOfRows; ++r) {
            if (check) {
                const QString stored = FStrings->GetString(c, r);
                const bool unchecked = stored.isEmpty() || firstChar(stored) == QLatin1Char(' ');
                FStrings->SetString(c, r, (unchecked ? QLatin1Char(' ') : QLatin1Char('X')) + text);
            } else {
                FStrings->SetString(c, r, text);
            }
        }
    }
}

void TRLData::Clear()
{
    FStrings->Clear();
    for (int c = 1; c <= FNrOfCols; ++c) {
        FColName[std::size_t(c - 1)] = defaultColName(c);
        FColumnFormat[std::size_t(c - 1)].clear();
        FColButMode[std::size_t(c - 1)] = cmNone;
    }
}

// ---- order --------------------------------------------------------------------------

void TRLData::Sort(int Col, int ColSec, bool Ascending)
{
    if (Col < 0 || Col > FNrOfCols)
        return;
    if (ColSec < -1 || ColSec > FNrOfCols)
        ColSec = -1;
    FSortColumn = Col;
    FSortColumnSec = ColSec;
    FSortOrder = Ascending;
    if (GetColCheckMode(Col) == cmNone && GetColCheckMode(ColSec) == cmNone) {
        FStrings->Sort(Col, ColSec, Ascending);
        return;
    }
    // A check column sorts by its visible text: the keys (check character taken off) are
    // sorted in a table of their own, in the current display order so that equal keys keep
    // it, and the resulting order is put on the rows.
    const int m = FNrOfRows;
    if (m < 2)
        return;
    auto key = [this](int col, int r) {
        const QString s = FStrings->GetString(col, r);
        return GetColCheckMode(col) == cmNone ? s : s.mid(1);
    };
    TStringArray keys;
    keys.Resize(ColSec >= 0 ? 2 : 1, m);
    for (int r = 1; r <= m; ++r) {
        keys.SetString(1, r, key(Col, r));
        if (ColSec >= 0)
            keys.SetString(2, r, key(ColSec, r));
    }
    keys.OnBeforeSortExchange = [this](TObject* sender, const QString& in, QString& out) {
        forwardBeforeExchange(sender, in, out);
    };
    keys.OnPercentDone = FStrings->OnPercentDone;
    keys.Sort(1, ColSec >= 0 ? 2 : -1, Ascending);
    std::vector<int> stored(static_cast<std::size_t>(m));
    for (int r = 1; r <= m; ++r)
        stored[std::size_t(r - 1)] = FStrings->GetSortOrder(keys.GetSortOrder(r));
    FStrings->SetSortOrders(stored);
    if (FStrings->OnChange)
        FStrings->OnChange(FStrings.get());
}

void TRLData::SetSecondarySortColumn(int c)
{
    if (c >= -1 && c <= FNrOfCols)
        FSortColumnSec = c;
}

void TRLData::UnSort()
{
    FSortColumn = -1;
    FSortColumnSec = -1;
    FStrings->UnSort();
}

// ---- copying ------------------------------------------------------------------------

void TRLData::swapContents(TRLData& other) noexcept
{
    FComment.swap(other.FComment);
    FColName.swap(other.FColName);
    FColumnFormat.swap(other.FColumnFormat);
    FCommonHeader.swap(other.FCommonHeader);
    FColButMode.swap(other.FColButMode);
    std::swap(FNrOfCols, other.FNrOfCols);
    std::swap(FNrOfRows, other.FNrOfRows);
    std::swap(FSortColumn, other.FSortColumn);
    std::swap(FSortColumnSec, other.FSortColumnSec);
    std::swap(FSortOrder, other.FSortOrder);
    FDataID.swap(other.FDataID);
    std::swap(FSortToggle, other.FSortToggle);
    std::swap(FFeedbkNumCells, other.FFeedbkNumCells);
    std::swap(FFeedbkStep, other.FFeedbkStep);
    FStrings->SwapContents(*other.FStrings);
}

void TRLData::Assign(const QObject* Source)
{
    const auto* src = qobject_cast<const TRLData*>(Source);
    if (!src) {
        TComponent::Assign(Source);
        return;
    }
    if (src == this)
        return;
    const int n = src->FNrOfCols;
    const int m = src->FNrOfRows;
    // Built aside and swapped in, so a failure leaves this store as it was; the
    // container object and its notification routing stay.
    TStringArray fresh;
    std::vector<TNameStrType> names;
    std::vector<TColFmtString> formats;
    std::vector<TCheckMode> modes;
    try {
        fresh.SetAllocRowsBy(src->FStrings->AllocRowsBy());
        fresh.Resize(n, std::max(m, 1));
        for (int c = 0; c <= n; ++c)
            for (int s = 1; s <= m; ++s) {
                // Display row r of the source lands at its stored position.
                const QString t = src->FStrings->GetStoredString(c, s);
                if (!t.isEmpty())
                    fresh.SetStoredString(c, s, t);
            }
        std::vector<int> order(static_cast<std::size_t>(m));
        for (int r = 1; r <= m; ++r)
            order[std::size_t(r - 1)] = src->FStrings->GetSortOrder(r);
        fresh.SetSortOrders(order);
        for (int c = 1; c <= n; ++c)
            fresh.SetColAttrib(c, src->FStrings->GetColAttrib(c));
        // Row attributes belong to their rows: copied by display row once the order is set.
        for (int r = 1; r <= m; ++r)
            fresh.SetRowAttrib(r, src->FStrings->GetRowAttrib(r));
        names = src->FColName;
        formats = src->FColumnFormat;
        modes = src->FColButMode;
    } catch (const std::bad_alloc&) {
        throw EQORRLDataError(componentMessage(QStringLiteral("not enough memory on heap")));
    } catch (const EQORError& e) {
        throw EQORRLDataError(componentMessage(e.Message()));
    }
    FStrings->SwapContents(fresh);
    FNrOfCols = n;
    FNrOfRows = m;
    FSortColumn = src->FSortColumn;
    FSortColumnSec = src->FSortColumnSec;
    FSortOrder = src->FSortOrder;
    FSortToggle = src->FSortToggle;
    FComment = src->FComment;
    FCommonHeader = src->FCommonHeader;
    FDataID = src->FDataID;
    FColName.swap(names);
    FColumnFormat.swap(formats);
    FColButMode.swap(modes);
    updateFeedback(std::max(m, 1), n);
    if (FStrings->OnChange)
        FStrings->OnChange(FStrings.get());
}

void TRLData::AssignTo(QObject* Dest) const
{
    if (auto* dst = qobject_cast<TRLData*>(Dest)) {
        dst->Assign(this);
        return;
    }
    TComponent::AssignTo(Dest);
}

} // namespace qor
