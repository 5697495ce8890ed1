#pragma once
#include <exception>

#include "core/Error.h"
#include "core/Shell.h"

namespace qx {

// Runs a command's work; a failure shows "format" with its reason and gives false, so the command
// ends there and the program goes on.
template <class Fn> bool Attempt(TShell& shell, const char* format, Fn&& fn) {
    try {
        fn();
        return true;
    } catch (const std::exception& e) {
        shell.ShowError(FailureText(format, e.what()));
        return false;
    }
}

} // namespace qx
