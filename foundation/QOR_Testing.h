// Hooks for the library's own tests; not part of the components' interface.
#pragma once

namespace qor::testing {

/// Makes every TComponentTimer::Start fail while set, to exercise the "no timer available" path.
void SetTimerStartsFail(bool fail);
/// How many times MessageBeep ran since the program started.
int BeepCount();

} // namespace qor::testing
