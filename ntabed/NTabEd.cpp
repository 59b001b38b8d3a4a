// TNTabEd: construction, the attached table and its notifications, cell and heading
// accessors, settings and the change events.
#include "ntabed/NTabEd_p.h"

#include <QVariant>
#include <algorithm>
#include <new>

namespace qor {

TNTabEd::TNTabEd(QWidget* owner)
    : TCustomGrid(owner)
{
    InternalSuppress building(this);
    // The grid starts with 5 x 5 cells: two fixed columns (names, row attributes) and one
    // fixed row leave 3 data columns and 4 data rows.
    TCustomGrid::SetFixedCols(2);
    m_colOffset = 1;
    m_rowOffset = 0;
    TCustomGrid::SetGridColWidths(1, m_classColWidth);
    TCustomGrid::SetGridColWidths(0, 80);
    try {
        m_copyBuffer = std::make_unique<TDataTable>();
        m_own = std::make_unique<TDataTable>();
        m_own->Resize(ColCount() - 2, RowCount() - 1);
        m_own->Matrix().Fill(0.0);
        m_precision.assign(std::size_t(m_own->NrOfColumns()), 3);
    } catch (const std::exception&) {
        m_own.reset();
        throw EQORNTabedError(ComponentMessage(Name(), QStringLiteral("failed to initialize table editor (out of memory)")));
    }
    m_data = m_own.get();
    hookTable(m_data);
    SetColorBackground(clWindow);
    SetColorFixed(clBtnFace);
    buildUi();
}

TNTabEd::~TNTabEd()
{
    // Neither an attached table nor the own one may call into a dead editor.
    QObject::disconnect(m_externalGone);
    if (m_external)
        unhookTable(m_external.data());
    unhookTable(m_own.get());
}

// ---- the table and its notifications ------------------------------------------------------

namespace {
// The editor whose handlers a table carries: only that editor may clear them, so a table
// shown by two editors in turn keeps the handlers of the one that bound it last.
const char* const kBoundEditor = "qorNTabEdBound";
} // namespace

void TNTabEd::hookTable(TDataTable* t)
{
    t->setProperty(kBoundEditor, QVariant::fromValue(quintptr(this)));
    t->OnResize = [this](TObject*, int oc, int orows, int, int) { tableResized(oc, orows); };
    t->OnDataChanged = [this](TObject*) { tableDataChanged(); };
    t->OnSetupChanged = [this](TObject*) { tableSetupChanged(); };
    t->OnPercentDone = [this](TObject*, int p) {
        if (OnPercentDone)
            OnPercentDone(this, p);
    };
    t->OnBeforeSortExchange = [this](TObject*, Byte kind, int a, int b, int, int) {
        if (kind == sekColumns && m_sortIncludeHd && a >= 1 && b >= 1
            && a <= int(m_precision.size()) && b <= int(m_precision.size()))
            std::swap(m_precision[std::size_t(a - 1)], m_precision[std::size_t(b - 1)]);
    };
}

void TNTabEd::unhookTable(TDataTable* t)
{
    if (!t || t->property(kBoundEditor).value<quintptr>() != quintptr(this))
        return;
    t->setProperty(kBoundEditor, QVariant());
    t->OnResize = nullptr;
    t->OnDataChanged = nullptr;
    t->OnSetupChanged = nullptr;
    t->OnPercentDone = nullptr;
    t->OnBeforeSortExchange = nullptr;
}

void TNTabEd::tableResized(int oldCols, int)
{
    syncGridToTable(oldCols);
    Invalidate();
}

void TNTabEd::tableDataChanged()
{
    if (m_quiet == 0)
        Fire(OnChange);
    Invalidate();
}

void TNTabEd::tableSetupChanged()
{
    if (m_quiet == 0)
        Fire(OnChangeSetup);
    Invalidate();
}

void TNTabEd::AssignAnotherDataMatrix(TDataTable* NewDTab)
{
    TDataTable* target = NewDTab ? NewDTab : m_own.get();
    if (target == m_data)
        return;
    HideEditor();
    const int oldCols = NrOfColumns();
    QObject::disconnect(m_externalGone);
    unhookTable(m_data);
    m_data = target;
    m_external = target == m_own.get() ? nullptr : target;
    if (m_external)
        m_externalGone = connect(target, &QObject::destroyed, this, [this] { tableDestroyed(); });
    hookTable(m_data);
    {
        InternalSuppress s(this);
        syncGridToTable(oldCols);
    }
    Fire(OnChangeSetup);
    Invalidate();
}

// The application freed the attached table: its notifications died with it, and the
// editor goes back to its own table instead of keeping a dangling one.
void TNTabEd::tableDestroyed()
{
    const int oldCols = m_precision.empty() ? 1 : int(m_precision.size());
    m_external = nullptr;
    m_data = m_own.get();
    hookTable(m_data);
    {
        InternalSuppress s(this);
        syncGridToTable(oldCols);
    }
    Fire(OnChangeSetup);
    Invalidate();
}

void TNTabEd::CopyContentsFrom(const TNTabEd* ExtTab)
{
    if (!ExtTab || ExtTab == this)
        return;
    HideEditor();
    {
        PaintPause pause(this);
        m_data->Assign(*ExtTab->Data());
        std::vector<signed char> p = ExtTab->m_precision;
        p.resize(std::size_t(NrOfColumns()), 3);
        m_precision.swap(p);
    }
    Fire(OnChange);
    Fire(OnChangeSetup);
}

void TNTabEd::CopyCellStatesFrom(const TNTabEd* ExtTab)
{
    if (!ExtTab || ExtTab == this)
        return;
    const TDataTable* src = ExtTab->Data();
    const int nc = std::min(NrOfColumns(), src->NrOfColumns());
    const int nr = std::min(NrOfRows(), src->NrOfRows());
    Byte* dst = m_data->States();
    for (int r = 1; r <= nr; ++r)
        for (int c = 1; c <= nc; ++c)
            dst[m_data->Matrix().index(c, r)] = src->GetCellState(c, r);
    Invalidate();
    Fire(OnCellStateChanged);
}

// ---- events ------------------------------------------------------------------------------

void TNTabEd::Fire(const TNotifyEvent& e)
{
    if (e && !EventsSuppressed())
        e(this);
}

void TNTabEd::CheckSelectionChanged()
{
    const TGridRect s = Selection();
    if (s == m_lastSel)
        return;
    m_lastSel = s;
    Fire(OnSelectionChanged);
}

void TNTabEd::SetSuppressPaint(bool v)
{
    if (v == m_suppressPaint)
        return;
    m_suppressPaint = v;
    // A hidden editor has nothing to show: it paints when it is shown.
    if (!v)
        isVisible() ? Repaint() : Invalidate();
}

// ---- cells ---------------------------------------------------------------------------------

void TNTabEd::SetCellState(int ACol, int ARow, Byte Value)
{
    if (!m_data->Matrix().valid(ACol, ARow))
        return;
    {
        QuietTable q(this);
        m_data->SetCellState(ACol, ARow, Value);
    }
    Invalidate();
    Fire(OnCellStateChanged);
}

void TNTabEd::setCellStateBits(int ACol, int ARow, Byte set, Byte clear)
{
    if (ACol >= 1 && ACol <= NrOfColumns() && ARow >= 1 && ARow <= NrOfRows()) {
        QuietTable q(this);
        m_data->SetCellState(ACol, ARow, Byte((m_data->GetCellState(ACol, ARow) | set) & ~clear));
    }
    Invalidate();
    Fire(OnCellStateChanged);
}

void TNTabEd::SetElemMarkedA(int ACol, int ARow, bool v)
{
    setCellStateBits(ACol, ARow, v ? csMarkA : 0, v ? 0 : csMarkA);
}

void TNTabEd::SetElemMarkedB(int ACol, int ARow, bool v)
{
    setCellStateBits(ACol, ARow, v ? csMarkB : 0, v ? 0 : csMarkB);
}

void TNTabEd::SetIsEmpty(int ACol, int ARow, bool v)
{
    setCellStateBits(ACol, ARow, v ? csEmpty : 0, v ? 0 : csEmpty);
}

QString TNTabEd::ValueText(int ACol, int ARow) const
{
    const double x = m_data->GetElem(ACol, ARow);
    if (IsNominalScale(m_data->GetMScaleType(ACol)))
        return NTabNominalText(*m_data, ACol, x, true);
    return NTabCellValueText(x, Precision(ACol), m_numWidth);
}

QString TNTabEd::CellText(int ACol, int ARow) const
{
    const Byte s = CellState(ACol, ARow);
    if (s & csEmpty)
        return QString();
    if (s & csInvalid)
        return QStringLiteral("-nan-");
    return ValueText(ACol, ARow);
}

// ---- headings, attributes, precision, comment -----------------------------------------

void TNTabEd::SetColName(int ColNr, const QString& Name)
{
    if (ColNr < 1 || ColNr > NrOfColumns())
        return;
    {
        QuietTable q(this);
        m_data->SetColName(ColNr, Name.left(DTNameLen));
    }
    Fire(OnHeadingChanged);
    Invalidate();
}

void TNTabEd::SetRowName(int RowNr, const QString& Name)
{
    if (RowNr < 1 || RowNr > NrOfRows())
        return;
    {
        QuietTable q(this);
        m_data->SetRowName(RowNr, Name.left(DTNameLen));
    }
    Fire(OnHeadingChanged);
    Invalidate();
}

void TNTabEd::SetColAttrib(int ColNr, Byte a)
{
    if (ColNr < 1 || ColNr > NrOfColumns())
        return;
    {
        QuietTable q(this);
        m_data->SetColAttrib(ColNr, a);
    }
    Invalidate();
    Fire(OnAttributeChanged);
}

void TNTabEd::SetRowAttrib(int RowNr, Byte a)
{
    if (RowNr < 1 || RowNr > NrOfRows())
        return;
    {
        QuietTable q(this);
        m_data->SetRowAttrib(RowNr, a);
    }
    Invalidate();
    Fire(OnAttributeChanged);
}

int TNTabEd::Precision(int ColNr) const
{
    if (ColNr < 1 || ColNr > NrOfColumns() || ColNr > int(m_precision.size()))
        return 0;
    return m_precision[std::size_t(ColNr - 1)];
}

void TNTabEd::SetPrecision(int ColNr, int Value)
{
    if (ColNr < 1 || ColNr > NrOfColumns() || ColNr > int(m_precision.size()))
        return;
    m_precision[std::size_t(ColNr - 1)] = static_cast<signed char>(std::clamp(Value, -1, 10));
    Invalidate();
    Fire(OnLayoutChanged);
}

void TNTabEd::SetComment(const QString& text)
{
    {
        QuietTable q(this);
        m_data->SetFComment(RemoveControlChars(text));
    }
    Fire(OnChange);
}

// ---- settings ----------------------------------------------------------------------------

void TNTabEd::setColour(TColor& field, TColor c)
{
    field = c;
    Invalidate();
    Fire(OnLayoutChanged);
}

void TNTabEd::SetColorBackground(TColor c)
{
    m_colorBackground = c;
    SetColor(c);
}

void TNTabEd::SetColorFixed(TColor c)
{
    m_colorFixed = c;
    SetFixedColor(c);
}

void TNTabEd::SetNumWidth(int w)
{
    if (w >= 1 && w <= 20) {
        m_numWidth = w;
        Invalidate();
    }
    Fire(OnLayoutChanged);
}

void TNTabEd::SetBoldMarks(bool v)
{
    if (v == m_boldMarks)
        return;
    m_boldMarks = v;
    Invalidate();
    Fire(OnLayoutChanged);
}

void TNTabEd::SetBoldSelHeads(bool v)
{
    if (v == m_boldSelHeads)
        return;
    m_boldSelHeads = v;
    Invalidate();
    Fire(OnLayoutChanged);
}

void TNTabEd::SetOptimizeRowHeight(bool v)
{
    if (v == m_optimizeRowHeight)
        return;
    m_optimizeRowHeight = v;
    Invalidate();
}

void TNTabEd::SetNomEditDropDownCount(int n)
{
    m_nomDropDown = n;
    if (auto* list = qobject_cast<TInplaceEditList*>(InplaceEditor()))
        list->SetDropDownRows(n);
}

void TNTabEd::SetDataReadOnly(bool v)
{
    m_readOnly = v;
    if (v) {
        SetOptions(Options() - goEditing);
        HideEditor();
    } else {
        SetOptions(Options() + goEditing);
    }
}

void TNTabEd::SetCommentEditing(bool on)
{
    if (on == m_commentEditing)
        return;
    m_commentEditing = on;
    Invalidate();
}

} // namespace qor
