// The clock the benchmarks that time their own phases read.
#pragma once

#include <ctime>

namespace qor::bench {

// CPU time of this thread: the machine is shared, and wall time would count the others' work.
inline double threadSeconds()
{
    timespec ts{};
    clock_gettime(CLOCK_THREAD_CPUTIME_ID, &ts);
    return double(ts.tv_sec) + double(ts.tv_nsec) * 1e-9;
}

} // namespace qor::bench
