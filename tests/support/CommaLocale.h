#pragma once
#include <optional>
#include <string>

#include "support/TestSupport.h"

namespace qx::test {

// Switches the C library's number format to a locale that writes "0,5" for the length of a scope:
// ru_RU.UTF-8 generated with localedef into a temporary directory, so the test needs no locale
// installed system-wide. The previous number locale and LOCPATH come back on destruction.
class TCommaLocaleScope {
public:
    TCommaLocaleScope();
    ~TCommaLocaleScope();
    TCommaLocaleScope(const TCommaLocaleScope&) = delete;
    TCommaLocaleScope& operator=(const TCommaLocaleScope&) = delete;

    bool Active() const { return FActive; }
    // Why the locale could not be switched (localedef or the locale sources missing...).
    const std::string& Failure() const { return FFailure; }

private:
    TTempDir FDir;
    std::string FPreviousLocale;
    std::optional<std::string> FPreviousLocPath;
    bool FActive = false;
    std::string FFailure;
};

// What printf makes of 0.5 with the process's current number locale.
std::string PrintfHalf();

} // namespace qx::test

// Declares a comma locale scope named var, or skips the test when the machine cannot make one.
#define QX_COMMA_LOCALE_SCOPE(var)                                         \
    ::qx::test::TCommaLocaleScope var;                                     \
    if (!var.Active()) GTEST_SKIP() << "no comma-decimal locale: " << var.Failure()
