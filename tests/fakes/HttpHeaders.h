#pragma once
#include <httplib.h>

#include <string>

namespace qx::fake {

// Empty when the request carries the program's three common headers exactly, else what is wrong.
std::string CommonHeadersProblem(const httplib::Headers& headers);

} // namespace qx::fake
