// Access to the string table's storage for its tests.
#pragma once

#include "foundation/QOR_StringArray.h"

namespace qor {

struct TStringArrayProbe {
    /// Column C of A (0..NrOfColumns).
    static const detail::TStringColumn& Column(const TStringArray& a, int c);
};

} // namespace qor
