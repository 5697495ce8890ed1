#include "views/NumericLocale.h"

#include <clocale>

namespace qx {

void UseCNumericLocale() { std::setlocale(LC_NUMERIC, "C"); }

} // namespace qx
