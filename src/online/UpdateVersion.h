#pragma once
#include <string>
#include <string_view>

namespace qx {

// The version this build carries: four numbers, the last one the build number.
std::string ProgramVersion();

// The build number of a version text: its fourth word between ",", "-", "." and "_", read as an
// integer; 0 when there is none or it is not a number.
int BuildNumber(std::string_view version);

// Whether a version id may name files and addresses: letters, digits, ".", "-" and "_" only,
// not empty and not starting with ".".
bool SafeVersionId(std::string_view id);

} // namespace qx
