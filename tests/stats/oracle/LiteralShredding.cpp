#include "LiteralShredding.h"

#include "stats/Expression.h"
#include "stats/StatClassOf.h"
#include "stats/families/ShreddingStat.h"

namespace qx::oracle {
namespace {

class TstLiteralShredding final : public TstShreddingStat {
public:
    using TstShreddingStat::TstShreddingStat;
    int32_t Shred(TCombCode n, TCombCode p, TCombCode t) const override {
        return ShredValue(n, p, t, Places, Formula, FSeparator);
    }
};

} // namespace

const TStatClass& LiteralShreddingClass() { return StatClassOf<TstLiteralShredding>(); }

} // namespace qx::oracle
