// Gallery page: a numeric table editor over a few hundred measurement rows with row and
// column names, attributes, marks, a nominal column and invalid and empty cells.
#include "Gallery.h"

#include "ntabed/QOR_ntabed.h"

#include <QCheckBox>
#include <QClipboard>
#include <QGridLayout>
#include <QGroupBox>
#include <QGuiApplication>
#include <QMenu>
#include <QPlainTextEdit>
#include <QHBoxLayout>
#include <QLabel>
#include <QPushButton>
#include <QSpinBox>
#include <QVBoxLayout>
#include <cmath>

using namespace qor;

namespace {

const char* const kMaterials[] = {"steel", "aluminium", "copper", "titanium", "brass"};

class NTabEdPage : public QWidget {
public:
    NTabEdPage()
    {
        auto* top = new QHBoxLayout(this);
        auto* left = new QVBoxLayout;
        left->addWidget(new QLabel("Table editor: 400 samples, marks A (red) and B (blue), a nominal column "
                                   "\"Material\", invalid (-nan-) and empty cells. The corner shows the current cell."));
        m_ed = new TNTabEd;
        m_ed->setMinimumSize(640, 480);
        left->addWidget(m_ed, 1);
        m_status = new QLabel;
        m_event = new QLabel("event: -");
        left->addWidget(m_status);
        left->addWidget(m_event);
        left->addWidget(clipboardBox());
        top->addLayout(left, 1);
        build();

        auto* side = new QGridLayout;
        int row = 0;
        auto check = [&](const QString& text, bool on, std::function<void(bool)> f) {
            auto* b = new QCheckBox(text);
            b->setChecked(on);
            connect(b, &QCheckBox::toggled, this, [f](bool v) { f(v); });
            side->addWidget(b, row++, 0, 1, 2);
        };
        check("row attributes", true, [this](bool v) { m_ed->SetAttribRowVisible(v); });
        check("column attributes", true, [this](bool v) { m_ed->SetAttribColVisible(v); });
        check("bold marks", true, [this](bool v) { m_ed->SetBoldMarks(v); });
        check("bold current headings", true, [this](bool v) { m_ed->SetBoldSelHeads(v); });
        check("optimise row height", false, [this](bool v) { m_ed->SetOptimizeRowHeight(v); });
        check("highlight values above 90 (OnBeforeRenderCell)", false, [this](bool v) {
            if (!v) {
                m_ed->OnBeforeRenderCell = nullptr;
            } else {
                m_ed->OnBeforeRenderCell = [this](TObject*, int c, int r, QString&, TColor&, TColor& bg, TFontStyles&) {
                    if (c >= 2 && m_ed->IsNumber(c, r) && m_ed->Elem(c, r) > 90)
                        bg = 0xC0FFC0;
                };
            }
            m_ed->Invalidate();
        });
        auto* numWidth = new QSpinBox;
        numWidth->setRange(1, 20);
        connect(numWidth, qOverload<int>(&QSpinBox::valueChanged), this, [this](int w) { m_ed->SetNumWidth(w); });
        side->addWidget(new QLabel("NumWidth"), row, 0);
        side->addWidget(numWidth, row++, 1);
        auto* prec = new QSpinBox;
        prec->setRange(-1, 10);
        prec->setValue(2);
        connect(prec, qOverload<int>(&QSpinBox::valueChanged), this, [this](int p) { m_ed->SetPrecision(3, p); });
        side->addWidget(new QLabel("precision of \"Force\""), row, 0);
        side->addWidget(prec, row++, 1);

        auto button = [&](const QString& text, std::function<void()> f) {
            auto* b = new QPushButton(text);
            connect(b, &QPushButton::clicked, this, [this, f] { f(); updateStatus(); });
            side->addWidget(b, row++, 0, 1, 2);
        };
        button("Sort rows by \"Force\"", [this] { m_ed->SortRows(3, true, 1, 1, m_ed->NrOfColumns(), m_ed->NrOfRows(), true); });
        button("Sort rows by name", [this] { m_ed->SortRowNames(true, 1, 1, m_ed->NrOfColumns(), m_ed->NrOfRows()); });
        button("Exchange marks A and B", [this] { m_ed->ExchangeMarkings(); });
        button("Unmark all", [this] { m_ed->UnMarkAllElems(); });
        button("Mirror rows", [this] { m_ed->MirrorRows(); });
        button("Insert a row before the current one", [this] { m_ed->InsertRow(m_ed->Row() - m_ed->RowOffset()); });
        button("Remove the current row", [this] { m_ed->RemoveRow(m_ed->Row() - m_ed->RowOffset()); });
        button("Fit column widths", [this] {
            for (int c = -1; c <= m_ed->NrOfColumns(); ++c)
                m_ed->AutoColWidth(c, true, 4);
        });
        button("Rebuild", [this] { build(); });
        side->setRowStretch(row, 1);
        top->addLayout(side);

        m_ed->OnSelectionChanged = [this](TObject*) { updateStatus(); };
        m_ed->OnLayoutChanged = [this](TObject*) { m_event->setText("event: OnLayoutChanged"); };
        m_ed->OnCellStateChanged = [this](TObject*) { m_event->setText("event: OnCellStateChanged"); };
        m_ed->OnChangeSetup = [this](TObject*) { m_event->setText("event: OnChangeSetup"); };
        m_ed->OnPaste = [this](TObject*) { m_event->setText("event: OnPaste"); };
        m_ed->OnHeadingChanged = [this](TObject*) { m_event->setText("event: OnHeadingChanged"); };
        m_ed->OnBeforePopup = [this](TObject*, TPopupMenu* m) { m_event->setText("event: OnBeforePopup " + m->objectName()); };
        updateStatus();
    }

private:
    void build()
    {
        TNTabEd* e = m_ed;
        e->SetSuppressPaint(true);
        e->Redimension(6, 400);
        e->SetComment("Tensile tests, batch 7");
        const char* names[] = {"Material", "Length", "Force", "Strain", "Temp", "Note"};
        for (int c = 1; c <= 6; ++c) {
            e->SetColName(c, QString::fromLatin1(names[c - 1]));
            e->SetColAttrib(c, Byte(c == 1 ? 0 : 1));
            e->SetPrecision(c, c == 4 ? -1 : 2);
        }
        TDataTable* t = e->Data();
        t->SetMScaleType(1, mstNominal);
        for (int k = 0; k < 5; ++k)
            t->SetNominalID(1, k + 1, QString::fromLatin1(kMaterials[k]));
        for (int r = 1; r <= 400; ++r) {
            e->SetRowName(r, QStringLiteral("sample %1").arg(r, 3, 10, QLatin1Char('0')));
            e->SetRowAttrib(r, Byte(r % 4));
            t->Matrix().SetElem(1, r, (r * 7) % 6 + 1);    // ordinal 6 has no identifier
            t->Matrix().SetElem(2, r, 50 + (r * 37) % 100 / 10.0);
            t->Matrix().SetElem(3, r, 100 * std::sin(r / 9.0) * std::sin(r / 9.0));
            t->Matrix().SetElem(4, r, 1e-4 * r * r);
            t->Matrix().SetElem(5, r, 20 + (r % 13) * 0.25);
            t->Matrix().SetElem(6, r, 0);
            for (int c = 1; c <= 6; ++c)
                t->States()[t->Matrix().index(c, r)] = 0;
            if (r % 17 == 0)
                t->States()[t->Matrix().index(3, r)] = csInvalid;
            t->States()[t->Matrix().index(6, r)] = r % 5 == 0 ? Byte(0) : csEmpty;
        }
        e->SetAttribColVisible(true);
        e->SetColWidths(0, 90);
        e->SetColWidths(1, 80);
        for (int r = 3; r <= 400; r += 11)
            e->SetElemMarkedA(3, r, true);
        for (int r = 5; r <= 400; r += 7)
            e->SetElemMarkedB(2, r, true);
        e->SetElemMarkedA(2, 5, true);     // both marks
        e->SetSuppressPaint(false);
    }

    // The clipboard round trip: copy cells, look at (or write) the text, paste the copy
    // buffer or extract the numbers of any text.
    QGroupBox* clipboardBox()
    {
        auto* box = new QGroupBox("Clipboard and menus: right-click a cell (data menu), a heading (heading menu) "
                                  "or the corner (comment); click a cell twice or type to edit");
        auto* row = new QHBoxLayout(box);
        m_clipText = new QPlainTextEdit;
        m_clipText->setPlaceholderText("clipboard text");
        m_clipText->setLineWrapMode(QPlainTextEdit::NoWrap);
        m_clipText->setFixedHeight(96);
        row->addWidget(m_clipText, 1);
        auto* grid = new QGridLayout;
        row->addLayout(grid);
        auto* full = new QCheckBox("full precision");
        full->setChecked(m_ed->ClipboardUseFullPrec());
        connect(full, &QCheckBox::toggled, this, [this](bool v) { m_ed->SetClipboardUseFullPrec(v); });
        grid->addWidget(full, 0, 0);
        auto* readOnly = new QCheckBox("data read-only");
        connect(readOnly, &QCheckBox::toggled, this, [this](bool v) { m_ed->SetDataReadOnly(v); });
        grid->addWidget(readOnly, 0, 1);
        m_clipSize = new QLabel;
        grid->addWidget(m_clipSize, 0, 2);
        int r = 0;
        auto add = [&](const QString& text, std::function<void()> f) {
            auto* b = new QPushButton(text);
            connect(b, &QPushButton::clicked, this, [this, f] { f(); showClipboard(); updateStatus(); });
            grid->addWidget(b, r / 3 + 1, r % 3);
            ++r;
        };
        add("Copy selection", [this] { m_ed->CopyToClipboard(); });
        add("Paste copy buffer", [this] { m_ed->PasteCopyBuffer(); });
        add("Extract numbers", [this] { m_ed->ExtractFromClipboard(); });
        add("Text at left to clipboard", [this] { QGuiApplication::clipboard()->setText(m_clipText->toPlainText()); });
        add("Open data menu here", [this] { m_ed->PopupDTAction()->popup(QCursor::pos()); });
        connect(QGuiApplication::clipboard(), &QClipboard::dataChanged, this, [this] { showClipboard(); });
        showClipboard();
        return box;
    }

    void showClipboard()
    {
        QString t = QGuiApplication::clipboard()->text();
        if (t.size() > 20000)
            t = t.left(20000) + "\n...";
        m_clipText->setPlainText(t);
        int nc = 0, nr = 0;
        const bool any = m_ed->GetClipMatrixSize(nc, nr);
        m_clipSize->setText(any ? QStringLiteral("GetClipMatrixSize: %1 columns x %2 rows").arg(nc).arg(nr)
                                : QStringLiteral("GetClipMatrixSize: no numbers"));
    }

    void updateStatus()
    {
        m_status->setText(QStringLiteral("%1 columns x %2 rows, marked A %3, marked B %4, current column %5 row %6")
                              .arg(m_ed->NrOfColumns())
                              .arg(m_ed->NrOfRows())
                              .arg(m_ed->NrOfMarkedDataA())
                              .arg(m_ed->NrOfMarkedDataB())
                              .arg(m_ed->Col() - m_ed->ColOffset())
                              .arg(m_ed->Row() - m_ed->RowOffset()));
    }

    TNTabEd* m_ed;
    QLabel* m_status;
    QLabel* m_event;
    QPlainTextEdit* m_clipText = nullptr;
    QLabel* m_clipSize = nullptr;
};

} // namespace

QOR_GALLERY_PAGE("Table editor", [] { return new NTabEdPage; });
