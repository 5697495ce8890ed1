#include "support/CommaLocale.h"

#include <clocale>
#include <cstdio>
#include <cstdlib>

namespace qx::test {
namespace {

constexpr const char* kLocale = "ru_RU.UTF-8";

std::string Quoted(const std::string& path) {
    std::string q = "'";
    for (char c : path) q += c == '\'' ? std::string("'\\''") : std::string(1, c);
    return q + "'";
}

} // namespace

TCommaLocaleScope::TCommaLocaleScope() {
    FPreviousLocale = std::setlocale(LC_NUMERIC, nullptr);
    if (const char* old = std::getenv("LOCPATH")) FPreviousLocPath = old;

    if (std::system("command -v localedef >/dev/null 2>&1") != 0) {
        FFailure = "localedef is not installed (package libc-bin)";
        return;
    }
    const std::string target = (FDir / kLocale).string();
    // localedef may warn and exit non-zero while still writing a usable locale: setlocale decides.
    const std::string command = "localedef -i ru_RU -f UTF-8 " + Quoted(target) + " >/dev/null 2>&1";
    const int rc = std::system(command.c_str());
    setenv("LOCPATH", FDir.Path().c_str(), 1);
    if (!std::setlocale(LC_NUMERIC, kLocale)) {
        FFailure = "localedef -i ru_RU -f UTF-8 failed (exit status " + std::to_string(rc) +
                   "); are the locale sources (package locales) installed?";
        return;
    }
    const char* point = std::localeconv()->decimal_point;
    if (std::string(point) != ",") {
        FFailure = std::string("the generated locale's decimal point is \"") + point + "\", not \",\"";
        return;
    }
    FActive = true;
}

TCommaLocaleScope::~TCommaLocaleScope() {
    std::setlocale(LC_NUMERIC, FPreviousLocale.c_str());
    if (FPreviousLocPath)
        setenv("LOCPATH", FPreviousLocPath->c_str(), 1);
    else
        unsetenv("LOCPATH");
}

std::string PrintfHalf() {
    char buf[32];
    std::snprintf(buf, sizeof buf, "%.1f", 0.5);
    return buf;
}

} // namespace qx::test
