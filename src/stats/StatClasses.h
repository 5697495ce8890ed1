#pragma once
#include <span>
#include <string_view>

#include "stats/StatClass.h"

namespace qx {

// The fixed order in which method classes are registered (class names). A name whose class
// is not part of the program yet is passed over.
std::span<const std::string_view> StatClassOrder();

// Every method class the program has, in registration order.
std::span<const TStatClass* const> StatClasses();
const TStatClass* FindStatClass(std::string_view className);

} // namespace qx
