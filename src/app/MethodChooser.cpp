#include "app/MethodChooser.h"

#include <algorithm>

#include "core/Error.h"
#include "core/Text.h"
#include "stats/StatList.h"

namespace qx {

void TMethodChooser::Fill(const TStatList& registry, bool keepSelection) {
    const int noted = keepSelection ? FSelected : 0;
    FEntries.clear();
    for (int i = 0; i < registry.Count(); ++i) {
        if (!registry.IsAvailable(i) || !registry.IsListed(i) || !registry.IsVisible(i)) continue;
        if (FGraphsOnly && !registry.IsGraph(i)) continue;
        FEntries.push_back({i, registry.DisplayName(i, true)});
    }
    if (registry.Ordered)
        std::stable_sort(FEntries.begin(), FEntries.end(), [](const TMethodEntry& a, const TMethodEntry& b) {
            return LowerText(a.Text) < LowerText(b.Text);
        });
    Select(noted);
}

bool TMethodChooser::SelectMethod(int method) {
    for (size_t e = 0; e < FEntries.size(); ++e)
        if (FEntries[e].Method == method) {
            FSelected = int(e);
            return true;
        }
    return false;
}

int TMethodChooser::RequireMethod() const {
    if (FSelected < 0) throw TAppError(FormatText(kNoMethodSelectedMessage, {FName}));
    return SelectedMethod();
}

} // namespace qx
