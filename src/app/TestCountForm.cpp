#include "app/TestCountForm.h"

#include <algorithm>

namespace qx {

TTestCountRange TestCountRange(int archiveLength) {
    TTestCountRange r;
    r.Max = std::max(0, archiveLength - 1);
    if (r.Max < r.Min) {
        r.Refusal = kTestNeedsTwoDraws;
        return r;
    }
    r.Default = std::min(r.Default, r.Max);
    return r;
}

} // namespace qx
