// quadrix_fake_server MODE [options]: serves one of the tests' fake servers on 127.0.0.1 by hand,
// until Ctrl+C. Built with the tests, never installed.
#include <signal.h>

#include <algorithm>
#include <cstdio>
#include <exception>

#include "FakeModes.h"

namespace qx::fake {

std::vector<TFakeMode>& FakeModes() {
    static std::vector<TFakeMode> modes;
    return modes;
}

std::optional<std::string> TakeOption(std::vector<std::string>& args, const std::string& name) {
    auto it = std::find(args.begin(), args.end(), "--" + name);
    if (it == args.end() || it + 1 == args.end()) return std::nullopt;
    std::string value = *(it + 1);
    args.erase(it, it + 2);
    return value;
}

bool TakeFlag(std::vector<std::string>& args, const std::string& name) {
    auto it = std::find(args.begin(), args.end(), "--" + name);
    if (it == args.end()) return false;
    args.erase(it);
    return true;
}

void WaitForStopSignal() {
    sigset_t set;
    sigemptyset(&set);
    sigaddset(&set, SIGINT);
    sigaddset(&set, SIGTERM);
    int signal = 0;
    sigwait(&set, &signal);
}

} // namespace qx::fake

int main(int argc, char** argv) {
    using namespace qx::fake;
    // The stop signals wait for sigwait in every thread, the servers' included.
    sigset_t set;
    sigemptyset(&set);
    sigaddset(&set, SIGINT);
    sigaddset(&set, SIGTERM);
    pthread_sigmask(SIG_BLOCK, &set, nullptr);

    std::vector<std::string> args(argv + 1, argv + argc);
    const TFakeMode* mode = nullptr;
    if (!args.empty())
        for (const TFakeMode& m : FakeModes())
            if (m.Name == args.front()) mode = &m;
    if (!mode) {
        std::fprintf(stderr, "usage: quadrix_fake_server MODE [options]\n");
        for (const TFakeMode& m : FakeModes()) std::fprintf(stderr, "  %s\n", m.Usage.c_str());
        return 2;
    }
    args.erase(args.begin());
    try {
        return mode->Run(args);
    } catch (const std::exception& e) {
        std::fprintf(stderr, "quadrix_fake_server: %s\n", e.what());
        return 1;
    }
}
