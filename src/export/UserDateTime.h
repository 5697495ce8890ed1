#pragma once
#include <ctime>
#include <string>

namespace qx {

// A moment in the user's short date and long time format (LC_TIME), as the report's date line
// shows it: "25.12.2024 14:05:09" under a Russian locale, "12/25/24 14:05:09" under "C".
std::string UserDateTimeText(std::time_t when);

// "yyyy-mm-dd hh-mm-ss" in local time, for file names.
std::string FileStampText(std::time_t when);

} // namespace qx
