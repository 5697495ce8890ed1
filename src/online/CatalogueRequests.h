#pragma once
#include <cstdint>
#include <optional>
#include <string>
#include <string_view>

#include "online/CatalogueClient.h"

namespace qx {

// Pieces the requests of both catalogues share.

// A request whose only field is an id ("scr_id", "sys_id").
TCatalogueAnswer PostId(TCatalogueClient& client, std::string_view path, const char* field, int32_t id);

// The Base64 text of the element in the first row that passes the test; none when no row does.
template <class Test>
std::optional<std::string> FirstRowText(const TCatalogueAnswer& answer, std::string_view element, Test&& test) {
    for (const TCatalogueRow& row : answer.Rows)
        if (test(row)) return row.Base64Utf8(element);
    return std::nullopt;
}

} // namespace qx
