// Cell geometry along one grid axis. Only the cells that fit into the view are walked.
#include "foundation/QOR_Grid.h"

namespace qor {

int TGridAxis::FixedExtent() const
{
    int e = 0;
    const int n = Fixed < Count() ? Fixed : Count();
    for (int i = 0; i < n; ++i)
        e += Sizes[size_t(i)] + LineWidth;
    return e;
}

bool TGridAxis::CellStart(int i, int viewLen, int& start) const
{
    if (i < 0 || i >= Count())
        return false;
    if (i < Fixed) {
        int p = 0;
        for (int k = 0; k < i; ++k)
            p += Sizes[size_t(k)] + LineWidth;
        start = p;
        return p < viewLen;
    }
    if (i < First)
        return false;
    int p = FixedExtent();
    for (int k = First; k < i; ++k) {
        if (p >= viewLen)
            return false;
        p += Sizes[size_t(k)] + LineWidth;
    }
    start = p;
    return p < viewLen;
}

int TGridAxis::IndexAt(int pos, int viewLen) const
{
    if (pos < 0 || pos >= viewLen)
        return -1;
    int p = 0;
    const int nFixed = Fixed < Count() ? Fixed : Count();
    for (int k = 0; k < nFixed; ++k) {
        const int next = p + Sizes[size_t(k)] + LineWidth;
        if (pos < next)
            return k;
        p = next;
    }
    for (int k = First; k < Count() && p < viewLen; ++k) {
        const int next = p + Sizes[size_t(k)] + LineWidth;
        if (pos < next)
            return k;
        p = next;
    }
    return -1;
}

int TGridAxis::MaxFirst(int viewLen) const
{
    const int room = viewLen - FixedExtent();
    int first = Count() - 1;
    if (first < Fixed)
        return Fixed;
    int used = Sizes[size_t(first)] + LineWidth;
    while (first - 1 >= Fixed) {
        const int more = Sizes[size_t(first - 1)] + LineWidth;
        if (used + more > room)
            break;
        used += more;
        --first;
    }
    return first;
}

int TGridAxis::VisibleCount(int viewLen) const
{
    int p = FixedExtent();
    int n = 0;
    for (int k = First; k < Count(); ++k) {
        if (p + Sizes[size_t(k)] > viewLen)
            break;
        p += Sizes[size_t(k)] + LineWidth;
        ++n;
    }
    return n;
}

int TGridAxis::GridExtent(int viewLen) const
{
    int p = FixedExtent();
    if (p >= viewLen)
        return viewLen;
    for (int k = First; k < Count() && p < viewLen; ++k)
        p += Sizes[size_t(k)] + LineWidth;
    return p < viewLen ? p : viewLen;
}

int TGridAxis::LastVisible(int viewLen) const
{
    int p = FixedExtent();
    int last = (Fixed < Count() ? Fixed : Count()) - 1;
    for (int k = First; k < Count() && p < viewLen; ++k) {
        p += Sizes[size_t(k)] + LineWidth;
        last = k;
    }
    return last;
}

} // namespace qor
