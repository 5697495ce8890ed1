#pragma once
#include <functional>
#include <optional>
#include <string>
#include <vector>

namespace qx::fake {

// A mode of quadrix_fake_server: each lives in its own file and registers itself with a
// TFakeModeRegistrar at namespace scope, so adding one touches no other mode.
struct TFakeMode {
    std::string Name;
    std::string Usage;
    std::function<int(std::vector<std::string>& args)> Run;
};

std::vector<TFakeMode>& FakeModes();

struct TFakeModeRegistrar {
    explicit TFakeModeRegistrar(TFakeMode mode) { FakeModes().push_back(std::move(mode)); }
};

// Removes "--name value" from args and returns the value.
std::optional<std::string> TakeOption(std::vector<std::string>& args, const std::string& name);
bool TakeFlag(std::vector<std::string>& args, const std::string& name);
// Blocks until SIGINT or SIGTERM arrives.
void WaitForStopSignal();

} // namespace qx::fake
