#include <exception>

#include "app/ConfigForm.h"
#include "app/Workspace.h"

namespace qx {

std::vector<int> TWorkspace::ChangeConfig(const TConfigData& config) {
    std::vector<int> groups = ChangedStatGroups(FConfig, config);
    // The new configuration is in force even when it cannot be written: the views show it
    // first, then the write failure is reported.
    std::exception_ptr failure;
    try {
        SaveConfig(config);
    } catch (...) {
        failure = std::current_exception();
    }
    RefreshViews(true);
    if (failure) std::rethrow_exception(failure);
    return groups;
}

} // namespace qx
