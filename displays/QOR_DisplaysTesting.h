// Hooks for the library's own tests and the gallery's cache readout; not part of the displays' interface.
#pragma once

#include "displays/QOR_sevenseg.h"

namespace qor::testing {

/// How many times the seven-segment display rebuilt its cell cache.
inline int SevenSegCacheBuilds(const TSevenSeg& s) { return s.FCacheBuilds; }

} // namespace qor::testing
