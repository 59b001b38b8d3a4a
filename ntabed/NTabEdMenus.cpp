// TNTabEd popup menus: the data popup with its mark submenus and the heading popup, their
// captions and enabling masks, and the heading commands (precision, select, insert, delete).
#include "ntabed/NTabEdUi_p.h"

#include <QAction>
#include <QClipboard>
#include <QGuiApplication>
#include <QIcon>
#include <QLineEdit>
#include <QMenu>
#include <QMimeData>
#include <QPixmap>
#include <QPlainTextEdit>

namespace qor {

namespace {

constexpr int kCaptionLen = 50;

const char* const kDCaptions[NTabEdUi::kDItems] = {
    "Mark as type A", "Mark as type B", "Unmark type A", "Unmark type B", "Unmark All", "Clear",
    "Copy", "Paste", "Data Read-Only", "Extract from Clipboard", "Select All", "Toggle Empty State"};
const char* const kHCaptions[NTabEdUi::kHItems] = {"Edit Heading", "Change Precision", "Select..", "Insert..",
                                                   "Delete.."};
const char* const kSubCaptions[4] = {"Range", "Column", "Row", "All"};
const char* const kSubNames[4] = {"M1It", "M2It", "U1It", "U2It"};
// Data items that change the table: closed while the data are read-only.
constexpr int kDPaste = 8, kDReadOnly = 9, kDExtract = 10, kDClear = 6, kDToggleEmpty = 12;

QIcon glyph(const char* name)
{
    TBitmap b;
    b.LoadFromResourceName(QString::fromLatin1(name));
    return QIcon(QPixmap::fromImage(b.Image()));
}

} // namespace

void NTabEdUiDeleter::operator()(NTabEdUi* ui) const
{
    if (!ui)
        return;
    // Nothing the menus or boxes do while they go may reach the editor being destroyed.
    for (QMenu* m : {ui->dmenu.get(), ui->hmenu.get()}) {
        if (!m)
            continue;
        m->disconnect();
        for (QAction* a : m->findChildren<QAction*>())
            a->disconnect();
    }
    if (ui->headBox)
        ui->headBox->removeEventFilter(ui->keys.get());
    if (ui->memo)
        ui->memo->removeEventFilter(ui->keys.get());
    delete ui;
}

void TNTabEd::buildUi()
{
    m_ui.reset(new NTabEdUi);
    NTabEdUi& ui = *m_ui;

    ui.dmenu = std::make_unique<QMenu>();
    ui.dmenu->setObjectName(QStringLiteral("PopupDTAction"));
    for (int k = 0; k < NTabEdUi::kDItems; ++k) {
        const QString caption = QString::fromLatin1(kDCaptions[k]);
        QAction* a = nullptr;
        if (k < 4) {
            QMenu* sub = ui.dmenu->addMenu(caption);
            ui.sub[std::size_t(k)] = sub;
            a = sub->menuAction();
            for (int j = 0; j < 4; ++j) {
                QAction* s = sub->addAction(QString::fromLatin1(kSubCaptions[j]));
                s->setObjectName(QString::fromLatin1(kSubNames[k]) + QString::number(j + 1));
                connect(s, &QAction::triggered, this, [this, k, j] { markCommand(k + 1, j + 1); });
                ui.subItem[std::size_t(k)][std::size_t(j)] = s;
            }
        } else {
            a = ui.dmenu->addAction(caption);
        }
        a->setObjectName(QStringLiteral("DIt") + QString::number(k + 1));
        ui.ditem[std::size_t(k)] = a;
    }
    auto on = [this](int item, auto f) { connect(m_ui->ditem[std::size_t(item - 1)], &QAction::triggered, this, f); };
    on(5, [this] {
        {
            QuietTable q(this);
            m_data->UnmarkAllCells();
        }
        Invalidate();
        Fire(OnCellStateChanged);
    });
    on(kDClear, [this] { clearCommand(); });
    on(7, [this] { CopyToClipboard(); });
    on(kDPaste, [this] { PasteCopyBuffer(); });
    on(kDReadOnly, [this] { readOnlyCommand(); });
    on(kDExtract, [this] { ExtractFromClipboard(); });
    on(11, [this] { selectAllCommand(); });
    on(kDToggleEmpty, [this] { toggleEmptyCommand(); });
    ui.ditem[kDPaste - 1]->setEnabled(false);   // nothing to paste before the first copy
    // Shown by the editor, the items were set up before OnBeforePopup, which may change them:
    // only "Paste" follows the state of the moment. Shown by anyone else, all items do.
    connect(ui.dmenu.get(), &QMenu::aboutToShow, this, [this] {
        if (!m_ui->opening) {
            updateDataMenu();
        } else if (m_copyBufferFilled && (m_ui->dmask & (1 << (kDPaste - 1)))) {
            m_ui->ditem[kDPaste - 1]->setEnabled(!m_readOnly);
        }
    });

    ui.hmenu = std::make_unique<QMenu>();
    ui.hmenu->setObjectName(QStringLiteral("PopupHTAction"));
    for (int k = 0; k < NTabEdUi::kHItems; ++k) {
        QAction* a = ui.hmenu->addAction(QString::fromLatin1(kHCaptions[k]));
        a->setObjectName(QStringLiteral("HIt") + QString::number(k + 1));
        connect(a, &QAction::triggered, this, [this, k] { headingCommand(k + 1); });
        ui.hitem[std::size_t(k)] = a;
    }
    // The outline of the heading stays while its popup is open.
    connect(ui.hmenu.get(), &QMenu::aboutToHide, this, [this] {
        m_ui->outline = TGridCoord{-1, -1};
        Invalidate();
    });

    // Typing edits from the start, also before the first click.
    SetOptions(Options() + goEditing);

    ui.keys = std::make_unique<NTabEdKeyFilter>([this](QObject* w, int key) { return uiKey(w, key); });
    if (!Designing()) {
        auto* box = new QLineEdit(viewport());
        box->setObjectName(QStringLiteral("HeadingEditBox"));
        box->hide();
        box->installEventFilter(ui.keys.get());
        ui.headBox = box;
        auto* memo = new QPlainTextEdit(viewport());
        memo->setObjectName(QStringLiteral("CommentMemo"));
        memo->hide();
        memo->installEventFilter(ui.keys.get());
        ui.memo = memo;
    }
}

TPopupMenu* TNTabEd::PopupDTAction() const { return m_ui->dmenu.get(); }
TPopupMenu* TNTabEd::PopupHTAction() const { return m_ui->hmenu.get(); }

// ---- masks and captions --------------------------------------------------------------------

int TNTabEd::PopupDMask() const { return m_ui->dmask; }

void TNTabEd::SetPopupDMask(int Mask)
{
    m_ui->dmask = Mask;
    updateDataMenu();
    Fire(OnChangeSetup);
}

int TNTabEd::PopupHMask() const { return m_ui->hmask; }

void TNTabEd::SetPopupHMask(int Mask)
{
    m_ui->hmask = Mask;
    for (int k = 0; k < NTabEdUi::kHItems; ++k)
        m_ui->hitem[std::size_t(k)]->setEnabled((Mask >> k) & 1);
    Fire(OnChangeSetup);
}

// The enabled state of every data item: its mask bit, and for the items that write into the
// table writable data ("Paste" also a filled copy buffer, "Extract" text on the clipboard).
void TNTabEd::updateDataMenu()
{
    NTabEdUi& ui = *m_ui;
    for (int k = 1; k <= NTabEdUi::kDItems; ++k) {
        bool on = (ui.dmask >> (k - 1)) & 1;
        switch (k) {
        case kDPaste: on = on && m_copyBufferFilled && !m_readOnly; break;
        case kDClear:
        case kDToggleEmpty: on = on && !m_readOnly; break;
        case kDExtract: {
            const QMimeData* mime = QGuiApplication::clipboard()->mimeData();
            on = on && !m_readOnly && mime && mime->hasText();
            break;
        }
        default: break;
        }
        ui.ditem[std::size_t(k - 1)]->setEnabled(on);
    }
    ui.ditem[kDReadOnly - 1]->setIcon(glyph(m_readOnly ? "CHECKEDBOX" : "EMPTYBOX"));
}

namespace {
QString cut(const QString& s) { return s.left(kCaptionLen); }
} // namespace

QString TNTabEd::PopupDCaptions(int Index) const
{
    return (Index >= 1 && Index <= NTabEdUi::kDItems) ? m_ui->ditem[std::size_t(Index - 1)]->text() : QString();
}

void TNTabEd::SetPopupDCaptions(int Index, const QString& Caption)
{
    if (Index >= 1 && Index <= NTabEdUi::kDItems)
        m_ui->ditem[std::size_t(Index - 1)]->setText(cut(Caption));
}

QString TNTabEd::PopupHCaptions(int Index) const
{
    return (Index >= 1 && Index <= NTabEdUi::kHItems) ? m_ui->hitem[std::size_t(Index - 1)]->text() : QString();
}

void TNTabEd::SetPopupHCaptions(int Index, const QString& Caption)
{
    if (Index < 1 || Index > NTabEdUi::kHItems)
        return;
    m_ui->hitem[std::size_t(Index - 1)]->setText(cut(Caption));
}

QString TNTabEd::PopupMCaptions(int Index) const
{
    return (Index >= 1 && Index <= 4) ? m_ui->subItem[0][std::size_t(Index - 1)]->text() : QString();
}

void TNTabEd::SetPopupMCaptions(int Index, const QString& Caption)
{
    if (Index < 1 || Index > 4)
        return;
    for (int m : {0, 1})
        m_ui->subItem[std::size_t(m)][std::size_t(Index - 1)]->setText(cut(Caption));
}

QString TNTabEd::PopupUCaptions(int Index) const
{
    return (Index >= 1 && Index <= 4) ? m_ui->subItem[2][std::size_t(Index - 1)]->text() : QString();
}

void TNTabEd::SetPopupUCaptions(int Index, const QString& Caption)
{
    if (Index < 1 || Index > 4)
        return;
    for (int m : {2, 3})
        m_ui->subItem[std::size_t(m)][std::size_t(Index - 1)]->setText(cut(Caption));
}

// ---- opening -------------------------------------------------------------------------------

void TNTabEd::openDataPopup(QPoint globalPos)
{
    updateDataMenu();
    if (OnBeforePopup)
        OnBeforePopup(this, m_ui->dmenu.get());
    m_ui->opening = true;
    m_ui->dmenu->popup(globalPos);
    m_ui->opening = false;
}

void TNTabEd::openHeadingPopup(TGridCoord cell)
{
    NTabEdUi& ui = *m_ui;
    const bool column = cell.Y <= m_rowOffset;
    ui.headingIsColumn = column;
    const int m = ui.hmask;
    ui.hitem[0]->setEnabled(m & 1);
    ui.hitem[1]->setEnabled((m & 2) && column);
    ui.hitem[2]->setEnabled(m & 4);
    // a table keeps at least one row and one column
    const bool canDelete = column ? NrOfColumns() >= 2 : NrOfRows() >= 2;
    ui.hitem[3]->setEnabled((m & 8) && !m_readOnly);
    ui.hitem[4]->setEnabled((m & 16) && !m_readOnly && canDelete);
    ui.hitem[2]->setText(column ? QStringLiteral("Select Column") : QStringLiteral("Select Row"));
    ui.hitem[3]->setText(column ? QStringLiteral("Insert Column") : QStringLiteral("Insert Row"));
    ui.hitem[4]->setText(column ? QStringLiteral("Delete Column") : QStringLiteral("Delete Row"));
    ui.outline = cell;
    Invalidate();
    if (OnBeforePopup)
        OnBeforePopup(this, ui.hmenu.get());
    const TRect r = CellRect(cell.X, cell.Y);
    ui.hmenu->popup(viewport()->mapToGlobal(QPoint(r.Left + 20, r.Top + 20)));
}

void TNTabEd::readOnlyCommand()
{
    SetDataReadOnly(!m_readOnly);
    updateDataMenu();
    Fire(OnChangeSetup);
}

// ---- heading commands ------------------------------------------------------------------

void TNTabEd::headingCommand(int item)
{
    NTabEdUi& ui = *m_ui;
    const TGridCoord cell = ui.clicked;
    const bool column = ui.headingIsColumn;
    const int col = cell.X - m_colOffset;   // data column of a column heading
    const int row = cell.Y - m_rowOffset;   // data row of a row heading
    switch (item) {
    case 1:
        openHeadingBox();
        break;
    case 2: {
        if (!column || col < 1 || col > NrOfColumns())
            return;
        int p = Precision(col) - 1;
        if (p < -1)
            p = 10;
        m_precision[std::size_t(col - 1)] = static_cast<signed char>(p);
        Invalidate();
        // The popup opens again at the same place, so the user can click on.
        openHeadingPopup(cell);
        Fire(OnLayoutChanged);
        break;
    }
    case 3:
        if (column && col >= 1 && col <= NrOfColumns())
            SetSelection(GridRect(cell.X, m_rowOffset + 1, cell.X, m_rowOffset + NrOfRows()));
        else if (!column && row >= 1 && row <= NrOfRows())
            SetSelection(GridRect(m_colOffset + 1, cell.Y, m_colOffset + NrOfColumns(), cell.Y));
        else
            return;
        Invalidate();
        reportSelection();
        break;
    case 4:
        if (m_readOnly)
            return;
        if (column && col >= 1 && col <= NrOfColumns()) {
            QuietTable q(this);
            InsertColumn(col);
            m_data->SetColName(col, QStringLiteral("(...)"));
        } else if (!column && row >= 1 && row <= NrOfRows()) {
            QuietTable q(this);
            InsertRow(row);
            m_data->SetRowName(row, QStringLiteral("(...)"));
        } else {
            return;
        }
        Invalidate();
        Fire(OnChangeSetup);
        break;
    case 5:
        if (m_readOnly)
            return;
        if (column && col >= 1 && col <= NrOfColumns())
            RemoveColumn(col);
        else if (!column && row >= 1 && row <= NrOfRows())
            RemoveRow(row);
        else
            return;
        Fire(OnChangeSetup);
        break;
    default:
        break;
    }
}

} // namespace qor
