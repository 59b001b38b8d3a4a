// Helpers shared by the parts of the report list view's implementation.
#pragma once

#include "replist/QOR_ReportListView.h"

#include <QScopeGuard>

namespace qor {

/// Switches painting off for a bulk operation; the returned guard restores the previous
/// state (and with it a repaint) when the operation ends, however it ends.
[[nodiscard]] inline auto SuppressPaintScope(TReportListView* view)
{
    const bool saved = view->SuppressPaint();
    view->SetSuppressPaint(true);
    return qScopeGuard([view, saved] { view->SetSuppressPaint(saved); });
}

} // namespace qor
