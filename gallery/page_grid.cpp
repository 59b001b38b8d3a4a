// Gallery page: the bare grid base with default drawing, range selection, column sizing
// and in-place editing (simple and pick-list editors) over 10,000 rows.
#include "Gallery.h"

#include "foundation/QOR_Grid.h"

#include <QCheckBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QVBoxLayout>
#include <map>

using namespace qor;

namespace {

// A grid that keeps edited texts and offers a pick list in its last column.
class DemoGrid : public TDrawGrid {
public:
    std::map<std::pair<int, int>, QString> texts;
    QString GetEditText(int c, int r) override
    {
        const auto it = texts.find({c, r});
        return it == texts.end() ? QStringLiteral("%1:%2").arg(c).arg(r) : it->second;
    }
    void SetEditText(int c, int r, const QString& v) override
    {
        texts[{c, r}] = v;
        TDrawGrid::SetEditText(c, r, v);
    }
    TEditStyle GetEditStyle(int c, int) override { return c == ColCount() - 1 ? esPickList : esSimple; }

protected:
    void GetPickListItems(int, int, QStringList& items) override { items = {"low", "medium", "high"}; }
};

class GridPage : public QWidget {
public:
    GridPage()
    {
        auto* top = new QVBoxLayout(this);
        top->addWidget(new QLabel("Grid base: fixed row and column stay put while scrolling; drag header borders to "
                                  "size columns; click a cell twice, press F2 or type to edit (last column: pick list)."));
        m_grid = new DemoGrid;
        m_grid->SetColCount(12);
        m_grid->SetRowCount(10001);
        m_grid->SetOptions(m_grid->Options() + goEditing + goColSizing + goThumbTracking + goTabs);
        m_grid->OnDrawCell = [this](TObject*, int c, int r, TRect rect, TGridDrawState st) {
            TCanvas* cv = m_grid->Canvas();
            QString text;
            if (r == 0 && c == 0)
                text = QStringLiteral("#");
            else if (r == 0)
                text = QStringLiteral("Col %1").arg(c);
            else if (c == 0)
                text = QString::number(r);
            else
                text = m_grid->GetEditText(c, r);
            if (!st.Contains(gdFixed) && !st.Contains(gdSelected) && r % 2 == 0) {
                cv->Brush()->SetColor(0xF4EEE8);
                cv->FillRect(rect);
            }
            cv->Brush()->SetStyle(bsClear);
            cv->TextOut(rect.Left + 3, rect.Top + 4, text);
            cv->Brush()->SetStyle(bsSolid);
        };
        m_grid->OnSetEditText = [this](TObject*, int c, int r, const QString& v) {
            m_event->setText(QStringLiteral("OnSetEditText (%1, %2): \"%3\"").arg(c).arg(r).arg(v));
        };
        m_grid->OnTopLeftChanged = [this](TObject*) { update(); };
        m_grid->OnMouseUp = [this](TObject*, TMouseButton, TShiftState, int, int) { update(); };
        m_grid->OnKeyUp = [this](TObject*, Word&, TShiftState) { update(); };
        m_grid->OnResize = [this](TObject*) { update(); };
        top->addWidget(m_grid, 1);
        auto* row = new QHBoxLayout;
        auto* rowSel = new QCheckBox("row select");
        connect(rowSel, &QCheckBox::toggled, this, [this](bool on) {
            m_grid->SetOptions(on ? m_grid->Options() + goRowSelect : m_grid->Options() - goRowSelect);
        });
        auto* lines = new QCheckBox("cell lines");
        lines->setChecked(true);
        connect(lines, &QCheckBox::toggled, this, [this](bool on) {
            const TGridOptions l{goVertLine, goHorzLine};
            m_grid->SetOptions(on ? m_grid->Options() + l : m_grid->Options() - l);
        });
        row->addWidget(rowSel);
        row->addWidget(lines);
        row->addStretch(1);
        top->addLayout(row);
        m_state = new QLabel;
        m_event = new QLabel("OnSetEditText: -");
        top->addWidget(m_state);
        top->addWidget(m_event);
        update();
    }

private:
    void update()
    {
        const TGridRect s = m_grid->Selection();
        m_state->setText(QStringLiteral("Col %1, Row %2, Selection (%3, %4)-(%5, %6), LeftCol %7, TopRow %8, "
                                        "visible %9 x %10")
                             .arg(m_grid->Col()).arg(m_grid->Row())
                             .arg(s.Left).arg(s.Top).arg(s.Right).arg(s.Bottom)
                             .arg(m_grid->GridLeftCol()).arg(m_grid->GridTopRow())
                             .arg(m_grid->VisibleColCount()).arg(m_grid->VisibleRowCount()));
    }

    DemoGrid* m_grid;
    QLabel* m_state;
    QLabel* m_event;
};

} // namespace

QOR_GALLERY_PAGE("Grid base", [] { return new GridPage; });
