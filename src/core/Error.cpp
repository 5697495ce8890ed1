#include "core/Error.h"

#include "core/Text.h"

namespace qx {

std::string FailureText(std::string_view format, std::string_view reason) {
    return FormatText(format, {std::string(reason)});
}

void RaiseFailure(std::string_view format, std::string_view reason) {
    throw TAppError(FailureText(format, reason));
}

} // namespace qx
