// Gallery page: a report list of a few thousand rows with check and radio columns, two
// header rows, stripes, sorting by header click, editing and bulk operations.
#include "Gallery.h"

#include "replist/QOR_replist.h"

#include <QCheckBox>
#include <QComboBox>
#include <QFileDialog>
#include <QLineEdit>
#include <QGridLayout>
#include <QHBoxLayout>
#include <QLabel>
#include <QPushButton>
#include <QSpinBox>
#include <QVBoxLayout>

using namespace qor;

namespace {

const char* const kMaterials[] = {"Steel", "Aluminium", "Copper", "Titanium", "Brass", "Nickel", "Zinc", "Lead"};

class RepListPage : public QWidget {
public:
    RepListPage()
    {
        auto* top = new QHBoxLayout(this);
        auto* left = new QVBoxLayout;
        left->addWidget(new QLabel("Report list: click a header to sort (again to reverse), click the boxes to check, "
                                   "double-click a header border to fit the column."));
        m_view = new TReportListView;
        m_view->setMinimumSize(600, 480);
        left->addWidget(m_view, 1);
        left->addLayout(filterBar());
        m_status = new QLabel;
        m_event = new QLabel("event: -");
        left->addWidget(m_status);
        left->addWidget(m_event);
        top->addLayout(left, 1);

        build();

        auto* side = new QGridLayout;
        int row = 0;
        auto* mode = new QComboBox;
        mode->addItems({"0: no row selection", "1: one row", "2: several rows"});
        mode->setCurrentIndex(1);
        connect(mode, qOverload<int>(&QComboBox::currentIndexChanged), this, [this](int i) { m_view->SetRowSelectMode(i); });
        side->addWidget(new QLabel("RowSelectMode"), row, 0);
        side->addWidget(mode, row++, 1);
        auto* pattern = new QSpinBox;
        pattern->setRange(0, 5);
        pattern->setValue(2);
        connect(pattern, qOverload<int>(&QSpinBox::valueChanged), this, [this](int p) { m_view->SetRowColPattern(p); });
        side->addWidget(new QLabel("RowColPattern"), row, 0);
        side->addWidget(pattern, row++, 1);
        auto* common = new QCheckBox("common header");
        common->setChecked(true);
        connect(common, &QCheckBox::toggled, this, [this](bool on) { m_view->SetCommonHeaderVisible(on); });
        side->addWidget(common, row++, 0, 1, 2);
        auto* fixedFirst = new QCheckBox("fixed first column");
        connect(fixedFirst, &QCheckBox::toggled, this, [this](bool on) { m_view->SetFixedFirstColumn(on); });
        side->addWidget(fixedFirst, row++, 0, 1, 2);
        auto* editing = new QCheckBox("cell editing (no row select)");
        connect(editing, &QCheckBox::toggled, this, [this](bool on) {
            const TGridOptions o = m_view->Options();
            m_view->SetOptions(on ? o - goRowSelect : o + goRowSelect);
        });
        side->addWidget(editing, row++, 0, 1, 2);
        auto* readOnly = new QCheckBox("check marks read-only");
        connect(readOnly, &QCheckBox::toggled, this, [this](bool on) { m_view->SetCheckMarksReadOnly(on); });
        side->addWidget(readOnly, row++, 0, 1, 2);
        auto* indicator = new QSpinBox;
        indicator->setRange(0, 5001);
        connect(indicator, qOverload<int>(&QSpinBox::valueChanged), this, [this](int p) { m_view->SetInterRowIndicatorPos(p); });
        side->addWidget(new QLabel("inter-row line"), row, 0);
        side->addWidget(indicator, row++, 1);

        auto button = [&](const QString& text, std::function<void()> f) {
            auto* b = new QPushButton(text);
            connect(b, &QPushButton::clicked, this, [this, f] { f(); updateStatus(); });
            side->addWidget(b, row++, 0, 1, 2);
        };
        button("Select all rows", [this] { m_view->SelectAllRows(); });
        button("Deselect all rows", [this] { m_view->DeselectAllRows(); });
        button("Disable selected rows", [this] {
            for (int r = 1; r <= m_view->NrOfRows(); ++r)
                if (m_view->RowSelected(r))
                    m_view->SetRowEnabled(r, false);
        });
        button("Enable all rows", [this] { m_view->EnableAllRows(); });
        button("Invert checks of \"OK\"", [this] { m_view->InvertAllCheckmarksOfCol(1); });
        button("Select column \"Value\"", [this] { m_view->SetColumnSelected(3, !m_view->ColumnSelected(3)); });
        button("Centre on row 2500", [this] { m_view->CenterScrollAndSelect(2500); });
        button("Add a row", [this] {
            const int r = m_view->AddRow();
            m_view->SetElem(2, r, QStringLiteral("new part %1").arg(r));
        });
        button("Remove empty rows", [this] { m_view->RemoveEmptyRows(); });
        button("Fit column widths", [this] { m_view->FitAllColWidths(2, true, 6, 200, 4); });
        button("Unsort", [this] { m_view->UnSort(); });
        button("Empty list", [this] { m_view->SetNrRows(0); });
        button("Refill (5000 rows)", [this] { build(); });
        button("Edit row…", [this] {
            int r = m_view->FirstSelectedRow();
            if (r < 1)
                r = 1;
            const QPoint at = m_view->mapToGlobal(QPoint(40, 40));
            const int result = m_view->EditRowEntries(r, at.x(), at.y());
            m_event->setText(QStringLiteral("event: row editor of row %1 ended with %2").arg(r).arg(result));
        });
        button("Export HTML…", [this] {
            const QString name = QFileDialog::getSaveFileName(this, "Export HTML", "parts.html", "HTML (*.html)");
            if (name.isEmpty())
                return;
            try {
                m_view->ExportHTMLTable(name, 1, 1, m_view->NrOfColumns(), m_view->NrOfRows(), {}, 1, 0, 3, true,
                                        "head", "cell", "parts");
                m_event->setText(QStringLiteral("event: exported to %1").arg(name));
            } catch (const EQORError& e) {
                m_event->setText(QStringLiteral("export failed: %1").arg(e.Message()));
            }
        });
        button("Load lines…", [this] {
            const QString name = QFileDialog::getOpenFileName(this, "Load lines into \"Part\"");
            if (name.isEmpty())
                return;
            const int n = m_view->LoadLinesFromFile(2, 1, name);
            m_event->setText(n < 0 ? QStringLiteral("event: cannot read %1").arg(name)
                                   : QStringLiteral("event: %1 lines loaded into \"Part\"").arg(n));
        });
        side->setRowStretch(row, 1);
        top->addLayout(side);

        m_view->OnSelectedChange = [this](TObject*) { updateStatus(); };
        m_view->OnCheckedChange = [this](TObject*, bool& was, int c, int r) {
            m_event->setText(QStringLiteral("event: OnCheckedChange column %1 row %2, was %3").arg(c).arg(r).arg(was ? "checked" : "unchecked"));
            updateStatus();
        };
        m_view->OnSetEditText = [this](TObject*, int c, int r, const QString& v) {
            m_event->setText(QStringLiteral("event: OnSetEditText grid column %1 row %2: \"%3\"").arg(c).arg(r).arg(v));
        };
        m_view->OnChangeSetup = [this](TObject*) { m_event->setText("event: OnChangeSetup"); };
        updateStatus();
    }

private:
    // Filter text, mode and case: every change filters again, sorted by the "Part" column.
    QLayout* filterBar()
    {
        auto* bar = new QHBoxLayout;
        auto* text = new QLineEdit;
        text->setPlaceholderText("filter, e.g. steel OR copper");
        auto* mode = new QComboBox;
        mode->addItems({"Simple", "Boolean", "Grep"});
        auto* ignoreCase = new QCheckBox("ignore case");
        ignoreCase->setChecked(true);
        auto* result = new QLabel;
        bar->addWidget(new QLabel("Filter:"));
        bar->addWidget(text, 1);
        bar->addWidget(mode);
        bar->addWidget(ignoreCase);
        bar->addWidget(result);
        auto apply = [this, text, mode, ignoreCase, result] {
            const int n = m_view->FilterAndSort(text->text(), {}, ignoreCase->isChecked(),
                                                TFilterMode(mode->currentIndex()), 2, true);
            result->setText(n < 0 ? m_view->LastFilterError() : QStringLiteral("%1 shown").arg(n));
            updateStatus();
        };
        connect(text, &QLineEdit::textChanged, this, apply);
        connect(mode, qOverload<int>(&QComboBox::currentIndexChanged), this, apply);
        connect(ignoreCase, &QCheckBox::toggled, this, apply);
        return bar;
    }

    void build()
    {
        TReportListView* v = m_view;
        v->SetSuppressPaint(true);
        v->SetNrCols(6);
        v->SetNrRows(5000);
        v->SetCommonHeader(QStringLiteral("Parts inventory: 5000 rows"));
        v->SetCommonHeaderVisible(true);
        v->SetColumnHeadersHeight(34);
        v->SetColName(1, "OK");
        v->SetColName(2, "Part");
        v->SetColName(3, "Value\n[mm]");
        v->SetColName(4, "Material");
        v->SetColName(5, "Ref");
        v->SetColName(6, "Code");
        v->SetColCheckMode(1, cmBox);
        v->SetColCheckMode(5, cmRadio);
        v->SetColumnFormat(3, "[f][8]0.000");
        v->SetColumnFormat(6, "[#i][70]rix5");
        v->SetColumnFormat(2, "[s][160]");
        v->SetColumnFormat(4, "[c:5][110]Steel|Aluminium|Copper|Titanium|Brass|Nickel|Zinc|Lead");
        for (int r = 1; r <= 5000; ++r) {
            v->SetElem(1, r, QString());
            v->SetElemChecked(1, r, r % 3 == 0);
            v->SetElem(2, r, QStringLiteral("part %1").arg(r * 7919 % 5000, 4, 10, QLatin1Char('0')));
            v->SetElem(3, r, QString::number((r * 37 % 1000) / 7.0, 'f', 3));
            v->SetElem(4, r, QString::fromLatin1(kMaterials[r % 8]));
            v->SetElem(5, r, QStringLiteral("ref"));
            v->SetElem(6, r, QStringLiteral("K%1").arg(r, 5, 10, QLatin1Char('0')));
        }
        v->SetElemChecked(5, 2, true);
        v->SetColumnAlignment(3, taRightJustify);
        v->SetColumnAlignment(6, taCenter);
        v->SetColumnEditable(2, true);
        v->SetColumnEditable(4, true);
        v->SetColumnIsPwd(6, false);
        v->SetRowColPattern(2);
        v->SetColWidths(1, 48);
        v->SetColWidths(2, 110);
        v->SetColWidths(3, 80);
        v->SetColWidths(4, 90);
        v->SetColWidths(5, 56);
        v->SetColWidths(6, 80);
        v->SetEmptyMessage(QStringLiteral("No parts in the list|use \"Refill\" to load 5000 rows"));
        v->SetRowEnabled(4, false);
        v->SetHighLightRow(6);
        v->SetRowSelected(3, true);
        v->SetSuppressPaint(false);
    }

    void updateStatus()
    {
        m_status->setText(QStringLiteral("rows %1 (%7 shown), selected %2, first selected %3, checked \"OK\" %4, sorted by column %5 %6")
                              .arg(m_view->NrOfRows())
                              .arg(m_view->NumSelectedRows())
                              .arg(m_view->FirstSelectedRow())
                              .arg(m_view->CountCheckedElemsInCol(1))
                              .arg(m_view->LastSortColumn())
                              .arg(m_view->LastSortOrder() ? "ascending" : "descending")
                              .arg(m_view->NumShownRows()));
    }

    TReportListView* m_view;
    QLabel* m_status;
    QLabel* m_event;
};

} // namespace

QOR_GALLERY_PAGE("Report list", [] { return new RepListPage; });
