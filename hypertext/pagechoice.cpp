#include "hypertext/pagechoice.h"

#include <algorithm>

namespace quil2a {

namespace {
// An anchor entry: the date10 before the first ",", the page number after it.
Bytes entryKey(const Bytes& s)
{
    const int32_t comma = plat::InStrB(s, ",");
    return comma > 0 ? plat::LeftB(s, comma - 1) : s;
}
}  // namespace

void NarrWinJump(const Atlas& a, const MapState& m, NarrativeWindow& window)
{
    if (!m.NarrWinOpen) return;
    const int32_t n = std::min(a.maxanchorinfo, a.anchorinfo.ubound());
    if (n < 1) return;
    const double key = plat::Round(m.maindate * 10);

    // Last entry whose date is at or before the key; entries are in date order.
    int32_t lo = 1, hi = n, found = 0;
    while (lo <= hi) {
        const int32_t mid = lo + (hi - lo) / 2;
        if (plat::Val(entryKey(a.anchorinfo[mid])) <= key) {
            found = mid;
            lo = mid + 1;
        } else {
            hi = mid - 1;
        }
    }
    if (found == 0) found = 1;

    const Bytes& s = a.anchorinfo[found];
    const Bytes k = entryKey(s);
    const int32_t comma = plat::InStrB(s, ",");
    const Bytes page = comma > 0 ? plat::Trim(plat::MidB(s, comma + 1)) : Bytes();
    window.Update("t" + page + ".htm#" + k);
}

}  // namespace quil2a
