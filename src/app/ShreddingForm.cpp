#include "app/ShreddingForm.h"

#include <algorithm>

#include "stats/Expression.h"

namespace qx {

int ShreddingPlacesShown(int stored) {
    return std::clamp(ShredPlaces(stored), kShreddingMinPlaces, kShreddingMaxPlaces);
}

} // namespace qx
