// The report list: a store of named, formatted, optionally checkable text columns
// (TRLData), its clipboard and XML forms, and (when present) the grid that shows it.
#pragma once

#include "foundation/QOR_Controls.h"
#include "foundation/QOR_Core.h"
#include "foundation/QOR_Graphics.h"
#include "foundation/QOR_StringArray.h"

#include <QString>
#include <functional>
#include <vector>

class QIODevice;
class QTextStream;

namespace qor {

/// Column names (cut to MaxNameLength characters when stored).
using TNameStrType = QString;
/// Column format strings (cut to MaxColFmtLength characters when stored).
using TColFmtString = QString;
constexpr int MaxNameLength = 50;
constexpr int MaxColFmtLength = 80;
constexpr int MaxCellLength = 255;
/// The largest store the XML readers take back; the store refuses to grow beyond them, so
/// whatever it holds can be saved and loaded again.
constexpr int MaxRLDataColumns = 100000;
constexpr int MaxRLDataRows = 100000000;

inline namespace replist_enums {
Q_NAMESPACE
enum TCheckMode : Byte { cmNone = 0, cmBox = 1, cmRadio = 2 };
Q_ENUM_NS(TCheckMode)
enum TFilterMode : Byte { fmSimple = 0, fmBoolean = 1, fmGrep = 2 };
Q_ENUM_NS(TFilterMode)
enum TRepListXmlTag : Byte {
    xmlNumCols = 0,
    xmlNumRows = 1,
    xmlColName = 2,
    xmlCheckedColumn = 3,
    xmlCommonHd = 4,
    xmlColumnFormat = 5,
    xmlCell = 6,
    xmlComment = 7,
    xmlEndReplist = 8,
    xmlInvalid = 9
};
Q_ENUM_NS(TRepListXmlTag)
} // namespace replist_enums

/// Element name of a tag kind in the XML form (the root's name for xmlEndReplist, empty
/// for xmlInvalid).
QString RepListXmlTagName(TRepListXmlTag tag);
/// Kind of an element name; xmlInvalid for any name that is not one of the kinds.
TRepListXmlTag RepListXmlTagOf(QStringView name);

using TBeforeHTMLExportEvent = std::function<void(TObject* Sender, QString& Text, int Col, int Row)>;
using TCheckStateChangeEvent = std::function<void(TObject* Sender, bool& State, int Col, int Row)>;
using TRequestEditFormatEvent = std::function<void(TObject* Sender, int Col, int Row, QString& Format)>;
using TBeforeFilterEvent = std::function<void(TObject* Sender, int Row, bool& Found, TLogicOp& CombineWithInternalSearch)>;
using TRenderCellEvent = std::function<void(TObject* Sender, int ACol, int ARow, TColor& PenColor, TColor& BrushColor,
                                            TColor& FontColor, TFontStyles& FontStyles, QString& Text)>;

/// Memory and I/O failures of TRLData.
class EQORRLDataError : public EQORError {
public:
    using EQORError::EQORError;
};

/// Row attribute bits given meaning by the view.
constexpr Byte RowAttrSelected = 0x80;
constexpr Byte RowAttrDisabled = 0x40;
constexpr Byte ColAttrSelected = 0x80;
/// Row attribute bit of a row that the view's FilterAndSort hides.
constexpr Byte RowAttrFiltered = 0x20;

/// The report list's data: columns 1..NrOfColumns (plus a hidden column 0 per row) and
/// rows 1..NrOfRows of short texts. Row numbers are display rows: after a sort, row 1 is
/// the first row in sorted order. In a column with a check mode the first character of
/// each stored text is the check state ("X" checked, " " unchecked).
class TRLData : public TComponent {
    Q_OBJECT
    Q_PROPERTY(int NrOfColumns READ NrOfColumns WRITE SetNrCols)
    Q_PROPERTY(int NrOfRows READ NrOfRows WRITE SetNrRows)
    Q_PROPERTY(QString CommonHeader READ CommonHeader WRITE SetCommonHeader)
    Q_PROPERTY(QString Comment READ Comment WRITE SetComment)
    Q_PROPERTY(QString DataID READ DataID WRITE SetDataID)

public:
    explicit TRLData(QObject* owner = nullptr);
    ~TRLData() override;

    // ---- dimensions
    int NrOfColumns() const { return FNrOfCols; }
    /// Beyond MaxRLDataColumns: EQORRLDataError, nothing changed. A sort column that no
    /// longer exists is forgotten (-1); the rows keep their order.
    void SetNrCols(int n);
    void SetNrOfColumns(int n) { SetNrCols(n); }
    int NrOfRows() const { return FNrOfRows; }
    /// Beyond MaxRLDataRows: EQORRLDataError, nothing changed. Shrinking drops the last
    /// display rows; a sorted order first becomes the stored order (as RemoveRow does).
    void SetNrRows(int n);
    void SetNrOfRows(int n) { SetNrRows(n); }

    // ---- texts of the whole list
    QString CommonHeader() const { return FCommonHeader; }
    void SetCommonHeader(const QString& s);
    QString Comment() const { return FComment; }
    void SetComment(const QString& s) { FComment = s; }
    QString DataID() const { return FDataID; }
    void SetDataID(const QString& s) { FDataID = s; }

    // ---- columns
    int ColumnIndex(const QString& Head, bool PartialMatch) const;
    TNameStrType GetColName(int ColNr) const;
    void SetColName(int ColNr, const QString& HLine);
    TNameStrType Header(int ColNr) const { return GetColName(ColNr); }
    void SetHeader(int ColNr, const QString& s) { SetColName(ColNr, s); }
    TColFmtString GetColumnFormat(int ColNr) const;
    void SetColumnFormat(int ColNr, const QString& DefValue);
    TColFmtString ColumnFormat(int ColNr) const { return GetColumnFormat(ColNr); }
    bool GetCheckedCol(int ColNr) const;
    void SetCheckedCol(int ColNr, bool Value);
    bool IsCheckedColumn(int ColNr) const { return GetCheckedCol(ColNr); }
    void SetIsCheckedColumn(int ColNr, bool v) { SetCheckedCol(ColNr, v); }
    TCheckMode GetColCheckMode(int ColNr) const;
    void SetColCheckMode(int ColNr, TCheckMode Value);
    TCheckMode ColumnCheckMode(int ColNr) const { return GetColCheckMode(ColNr); }
    void SetColumnCheckMode(int ColNr, TCheckMode v) { SetColCheckMode(ColNr, v); }

    // ---- cells
    QString GetElem(int ACol, int ARow) const;
    void SetElem(int ACol, int ARow, const QString& Value);
    QString Elem(int ACol, int ARow) const { return GetElem(ACol, ARow); }
    bool GetElemChecked(int ACol, int ARow) const;
    void SetElemChecked(int ACol, int ARow, bool Value);
    bool ElemChecked(int ACol, int ARow) const { return GetElemChecked(ACol, ARow); }
    double GetAsNumber(int ACol, int ARow) const;
    double AsNumber(int ACol, int ARow) const { return GetAsNumber(ACol, ARow); }
    QString GetCellDefaultValue(int ACol, int ARow) const;
    QString DefaultValue(int ACol, int ARow) const { return GetCellDefaultValue(ACol, ARow); }

    // ---- check marks
    void SetAllCheckmarksOfCol(int Column, bool Checked);
    void InvertAllCheckmarksOfCol(int Column);
    int CountCheckedElemsInCol(int Column) const;
    int CountCheckedElemsInRow(int Row) const;
    int FirstCheckedElemInCol(int ColNr) const;
    int FirstCheckedElemInRow(int RowNr) const;

    // ---- rows and bulk operations
    void RemoveRow(int r);
    void RemoveEmptyRows();
    void CopyRow(int Source, int Target);
    void Fill(const QString& s);
    void Clear();

    // ---- order
    /// Col outside 0..NrOfColumns: nothing happens; ColSec outside it means none (-1).
    /// A check column sorts by its visible text, the text behind the check character, so
    /// "X10" and " 9" compare as 10 and 9 and checked rows do not cluster.
    void Sort(int Col, int ColSec, bool Ascending);
    void UnSort();
    /// The recorded sort state is read-only: only Sort, UnSort and the operations that
    /// change the rows set it, so it always describes the row order.
    int LastSortColumn() const { return FSortColumn; }
    bool LastSortOrder() const { return FSortOrder; }
    int SecondarySortColumn() const { return FSortColumnSec; }
    /// Only -1..NrOfColumns are taken.
    void SetSecondarySortColumn(int c);
    bool SortToggle() const { return FSortToggle; }
    void SetSortToggle(bool t) { FSortToggle = t; }

    // ---- clipboard
    // The block is clamped to the table (columns 0..NrOfColumns, rows 1..NrOfRows), so any
    // bounds, however large, give at most the whole table.
    void CopyToClipBoard(int LeftCol, int TopRow, int RightCol, int BottomRow, bool AddHeader, const QString& Separator);
    void CopyToClipBoard(int LeftCol, int TopRow, int RightCol, int BottomRow, bool AddHeader, bool UseTabs);
    void CopyToClipBoard(int LeftCol, int TopRow, int RightCol, int BottomRow, bool AddHeader, const char* Separator)
    {
        CopyToClipBoard(LeftCol, TopRow, RightCol, BottomRow, AddHeader, QString::fromUtf8(Separator));
    }
    /// The texts CopyToClipBoard puts on the clipboard.
    QString ClipboardText(int LeftCol, int TopRow, int RightCol, int BottomRow, bool AddHeader,
                          const QString& Separator) const;
    QString FixedWidthText(int LeftCol, int TopRow, int RightCol, int BottomRow, bool AddHeader) const;

    // ---- copying
    /// Copies the contents and settings; the handlers (OnBeforeSortExchange,
    /// OnBeforeHTMLExport, OnPercentDone) stay this store's own, since a copied handler
    /// may be bound to the source's owner.
    void Assign(const QObject* Source) override;
    void AssignTo(QObject* Dest) const override;

    // ---- XML form (file, stream, string, open text file)
    /// Written atomically: a failed save leaves an existing file as it was. Raises
    /// EQORRLDataError when the file cannot be written.
    void SaveAsXMLFile(const QString& FName, const QString& DataID);
    /// True when a report list with the identifier (any when DataID is empty) was read.
    /// Malformed, truncated or foreign input gives False and leaves the store unchanged.
    bool LoadFromXMLFile(const QString& FName, const QString& DataID);
    /// Raises EQORRLDataError when the stream refuses the data.
    void WriteToXMLStream(QIODevice* OutStream, bool CreateHeader, const QString& DataID);
    /// Reads from the stream's position; afterwards the stream stands after the last line read.
    bool ReadFromXMLStream(QIODevice* InStream, const QString& DataID);
    bool ReadFromXMLString(const QString& InString, const QString& DataID);
    /// The text stream must write UTF-8 (or into a QString): any other encoding would
    /// lose characters, so it is refused with EQORRLDataError and nothing is written.
    void WriteToOpenXMLFile(QTextStream& OutFile, bool CreateHeader, const QString& DataID);
    /// Reads from the text stream's position; afterwards it stands after the end tag's line.
    bool ReadFromOpenXMLFile(QTextStream& InFile, const QString& DataID);
    /// The XML form as text.
    QString XMLText(bool CreateHeader, const QString& DataID) const;

    // ---- the container and progress pacing
    TStringArray* Strings() { return FStrings.get(); }
    const TStringArray* Strings() const { return FStrings.get(); }
    int FeedbkNumCells() const { return FFeedbkNumCells; }
    int FeedbkStep() const { return FFeedbkStep; }
    /// Calls OnBeforeHTMLExport when assigned.
    void BeforeHTMLExport(QString& Text, int Col, int Row);

    // ---- HTML export and line import
    /// Writes columns LoC..HiC (those in ColumnSelection; all when it is empty) of rows
    /// LoR..HiR as an HTML5 table in UTF-8, atomically. Raises EQORRLDataError when the file
    /// cannot be written; an existing file then stays as it was.
    void ExportHTMLTable(const QString& FName, int LoC, int LoR, int HiC, int HiR,
                         const std::vector<int>& ColumnSelection, int Border, int CellSpacing, int Cellpadding,
                         bool IncludeHeader, const QString& HeadClass, const QString& CellClass,
                         const QString& TableClass);
    /// The document ExportHTMLTable writes.
    QString HTMLTable(int LoC, int LoR, int HiC, int HiR, const std::vector<int>& ColumnSelection, int Border,
                      int CellSpacing, int Cellpadding, bool IncludeHeader, const QString& HeadClass,
                      const QString& CellClass, const QString& TableClass);
    /// Puts the lines of a text file (UTF-8, bytes that are not UTF-8 read as Latin-1; LF,
    /// CR LF or CR line ends) into column Column from row FirstRow on, adding rows as needed.
    /// The number of lines stored; -1, with nothing changed, when the file cannot be read or
    /// the column or row is out of range.
    int LoadLinesFromFile(int Column, int FirstRow, const QString& FName);

    TBeforeSortExchgEvent OnBeforeSortExchange;
    TBeforeHTMLExportEvent OnBeforeHTMLExport;
    TOnPercentDoneEvent OnPercentDone;

private:
    friend struct RLDataXml;
    // The view forgets the sort columns when it inserts a row.
    friend class TReportListView;
    void forgetSortColumns() { FSortColumn = FSortColumnSec = -1; }
    void updateFeedback(int rows, int cols);
    void setWholeColumnChecked(int col, bool checked);
    bool isCheckedText(const QString& stored) const;
    void forwardBeforeExchange(TObject* sender, const QString& in, QString& out);
    void swapContents(TRLData& other) noexcept;
    QString componentMessage(const QString& problem) const;

    QString FComment;
    std::vector<TNameStrType> FColName;
    std::vector<TColFmtString> FColumnFormat;
    QString FCommonHeader;
    std::vector<TCheckMode> FColButMode;
    int FNrOfCols = 1;
    int FNrOfRows = 0;
    int FSortColumn = -1;
    int FSortColumnSec = -1;
    bool FSortOrder = true;
    QString FDataID;
    bool FSortToggle = true;
    int FFeedbkNumCells = 1;
    int FFeedbkStep = 1;
    std::unique_ptr<TStringArray> FStrings;
};

/// Whether the file holds, on one line, a report list root tag with the identifier
/// (case ignored; any identifier when DataID is empty). Raises EQORError when the file
/// cannot be opened or read.
bool CheckIfValidReplist(const QString& FName, const QString& DataID);
/// The same test on the lines of a stream from its position; the stream is left after
/// the last line read.
bool CheckIfValidReplist(QIODevice* InStream, const QString& DataID);
/// Whether one line is such a root tag line (the test both functions apply to each line).
bool IsReplistRootLine(const QString& Line, const QString& DataID);

} // namespace qor

// The unit's second control comes with the unit header.
#include "replist/QOR_ReportListView.h"
