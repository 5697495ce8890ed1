#pragma once
#include <cstdint>
#include <optional>
#include <string>
#include <vector>

#include "stakes/Systems.h"

namespace qx {

class TCatalogueClient;
class TCatalogueRow;

// The systems catalogue's list: its entries in answer order, and whether the answer's result was
// missing or empty (the list then shows its "not available" placeholder).
struct TSystemCatalogueList {
    std::vector<tSystemInfo> Entries;
    bool Unavailable = false;
};

// The entry an answer row describes. Numbers that do not fit their fields read as zero (never
// wrapped round into another valid value).
tSystemInfo SystemInfoFromRow(const TCatalogueRow& row);

// The requests of the systems catalogue. Each raises TAppError with the reason on failure.
TSystemCatalogueList SystemCatalogueList(TCatalogueClient& client);
// The content (UTF-8, as sent) of the first row with a non-empty clist; none without one.
std::optional<std::string> SystemCatalogueContent(TCatalogueClient& client, int32_t id);
// Stores the system (id 0 publishes a new one) and gives the id the server answers (>= 0).
int32_t SystemCatalogueStore(TCatalogueClient& client, const tSystemData& data);
// Deletes the system; the server's answer (0 on success) is given back for the caller to judge.
int32_t SystemCatalogueDelete(TCatalogueClient& client, const tSystemInfo& info);

inline constexpr const char* kSysGetList = "/scripts/sys_getlist.php";
inline constexpr const char* kSysGetData = "/scripts/sys_getdata.php";
inline constexpr const char* kSysPutData = "/scripts/sys_putdata.php";

} // namespace qx
