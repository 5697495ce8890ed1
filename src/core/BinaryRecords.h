#pragma once
#include <algorithm>
#include <cstdint>
#include <cstring>
#include <filesystem>
#include <optional>
#include <string>
#include <string_view>
#include <type_traits>
#include <vector>

#include "core/FileIO.h"

namespace qx {

// The binary files' texts: a length byte and a fixed buffer of Windows-1251 characters. A length
// beyond the buffer (a damaged record) reads as the whole buffer.
template <size_t N> std::string_view ShortStringView(uint8_t length, const char (&text)[N]) {
    return {text, std::min<size_t>(length, N)};
}
template <size_t N> void SetShortString(uint8_t& length, char (&text)[N], std::string_view cp1251) {
    static_assert(N <= 255);
    const size_t n = std::min(cp1251.size(), N);
    std::memset(text, 0, N);
    std::memcpy(text, cp1251.data(), n);
    length = static_cast<uint8_t>(n);
}

// Reads a file of bare fixed-size records into records: the whole records it holds, even when
// reading failed part way. Gives the read failure, if any, and the bytes of a trailing partial
// record in partial.
template <class TRecord>
std::optional<std::string> ReadWholeRecords(const std::filesystem::path& file, std::vector<TRecord>& records,
                                            size_t* partial = nullptr) {
    static_assert(std::is_trivially_copyable_v<TRecord>);
    std::string bytes;
    std::optional<std::string> failure;
    try {
        bytes = ReadFileBytes(file);
    } catch (const std::exception& e) {
        failure = e.what();
    }
    const size_t n = bytes.size() / sizeof(TRecord);
    records.resize(n);
    if (n) std::memcpy(static_cast<void*>(records.data()), bytes.data(), n * sizeof(TRecord));
    if (partial) *partial = bytes.size() % sizeof(TRecord);
    return failure;
}

} // namespace qx
