// Helpers shared by the report list view tests.
#pragma once

#include "replist/QOR_ReportListView.h"

#include <QtTest>
#include <initializer_list>

// A view shown in a window, so mouse and key events reach it.
struct ShownView {
    qor::TReportListView* v;
    ShownView()
    {
        v = new qor::TReportListView;
        v->SetBorderStyle(qor::bsNone);
        v->SetScrollBars(qor::ssNone);
        v->resize(420, 300);
        v->show();
        QVERIFY(QTest::qWaitForWindowExposed(v));
    }
    ~ShownView() { delete v; }
};

inline void fillLetters(qor::TReportListView& v, int col, std::initializer_list<const char*> texts)
{
    if (int(texts.size()) != v.NrOfRows())
        v.SetNrRows(int(texts.size()));
    int r = 1;
    for (const char* t : texts)
        v.SetElem(col, r++, QString::fromUtf8(t));
}

inline QStringList columnTexts(const qor::TReportListView& v, int col)
{
    QStringList l;
    for (int r = 1; r <= v.NrOfRows(); ++r)
        l << v.Elem(col, r);
    return l;
}

inline QList<int> selectedRows(const qor::TReportListView& v)
{
    QList<int> l;
    for (int r = 1; r <= v.NrOfRows(); ++r)
        if (v.RowSelected(r))
            l << r;
    return l;
}

inline void click(qor::TReportListView& v, int x, int y, Qt::KeyboardModifiers mods = Qt::NoModifier)
{
    QTest::mouseClick(v.viewport(), Qt::LeftButton, mods, QPoint(x, y));
}

// Clicks the middle of the second grid column in the row that shows data row r.
inline void clickRow(qor::TReportListView& v, int r, Qt::KeyboardModifiers mods = Qt::NoModifier)
{
    const qor::TRect c = v.CellRect(1, r + v.CountHeadRows() - 1);
    click(v, c.Left + 30, (c.Top + c.Bottom) / 2, mods);
}
