#pragma once
#include <cstdint>
#include <string>
#include <string_view>

#include "core/DateTime.h"

namespace qx {

// Free text sent to the catalogue goes C-escaped: the bytes 0-6, 7-13, 27, '"', '\'', '?' and '\\'
// become a backslash and a letter, digit or the character itself; every other byte stays.
std::string CEscape(std::string_view bytes);

// Text received as UTF-8 with every invalid sequence replaced by U+FFFD, so nothing downstream
// (Windows-1251 files, widgets) meets a broken character.
std::string RepairUtf8(std::string_view bytes);

// The catalogue's "yyyy-mm-dd hh:nn:ss" UTC date-time as a local date-time; zero for a text that
// is not a real date-time of that form (a malformed cell shows empty rather than failing a list).
TDateTime CatalogueUtcToLocal(std::string_view text);
// "yyyy-mm-dd hh:mm:ss" of a local date-time; empty for zero (and anything not above it).
std::string FormatCatalogueDate(TDateTime local);

// A local date-time as seconds since 1970 UTC (whole seconds, rounded) and back. Files keep their
// times this way.
int64_t LocalToUnixTime(TDateTime local);
TDateTime UnixTimeToLocal(int64_t seconds);

} // namespace qx
