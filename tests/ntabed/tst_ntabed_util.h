// Helpers shared by the table editor tests.
#pragma once

#include "ntabed/QOR_ntabed.h"

#include <QtTest>

/// An editor that counts its paints and drawn cells and opens the editing hooks to the tests.
class CountingEditor : public qor::TNTabEd {
public:
    int paints = 0;
    int cells = 0;
    CountingEditor()
    {
        SetBorderStyle(qor::bsNone);
        SetScrollBars(qor::ssNone);
        Font()->SetName("DejaVu Sans");
        resize(400, 300);
    }
    void Paint() override
    {
        if (!EventsSuppressed())
            ++paints;
        TNTabEd::Paint();
    }
    using TNTabEd::CheckSelectionChanged;
    using TNTabEd::DrawHeadingOutline;
    using TNTabEd::RefreshCorner;
    using TNTabEd::SetCommentEditing;

protected:
    void DrawCell(int ACol, int ARow, const qor::TRect& rect, qor::TGridDrawState state) override
    {
        ++cells;
        TNTabEd::DrawCell(ACol, ARow, rect, state);
    }
};

int runRenderTests(int argc, char** argv);
int runEditTests(int argc, char** argv);
