// Setter plumbing shared by the components: one comparison-and-store for every
// "when different" setter, so each setter only says what follows a change.
#pragma once

#include <utility>

namespace qor {

/// Stores V into Field when it differs; true when it did, so the caller goes on to
/// repaint or notify.
template <class T, class V>
bool Store(T& field, V&& v)
{
    if (field == v)
        return false;
    field = std::forward<V>(v);
    return true;
}

} // namespace qor
