#pragma once
#include <stdexcept>
#include <string>
#include <string_view>

namespace qx {

// Every failure the program reports travels as this exception; its text is what the user reads.
class TAppError : public std::runtime_error {
public:
    using std::runtime_error::runtime_error;
};

// Builds a failure message from a format such as "Ошибка чтения файла тиражей!\r\r%s": the reason
// replaces the first "%s" literally, so a reason holding "%" characters is never interpreted.
std::string FailureText(std::string_view format, std::string_view reason);

[[noreturn]] void RaiseFailure(std::string_view format, std::string_view reason);

// Runs fn; any exception it throws is rethrown as TAppError with the message wrapped in format.
template <class Fn>
auto WrapFailure(std::string_view format, Fn&& fn) -> decltype(fn()) {
    try {
        return fn();
    } catch (const std::exception& e) {
        RaiseFailure(format, e.what());
    }
}

} // namespace qx
