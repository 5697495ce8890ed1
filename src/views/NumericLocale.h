#pragma once

namespace qx {

// Puts the C library's number format back to "C" after QApplication has taken the user's locale.
// The engine reads and prints numbers with "." whatever the locale, but anything still going
// through printf or strtod would turn "0.5" into "0,5" (or fail to read it) under a comma locale.
// Call right after constructing QApplication; the user's decimal separator for table texts is
// looked up separately (UserDecimalSeparator).
void UseCNumericLocale();

} // namespace qx
