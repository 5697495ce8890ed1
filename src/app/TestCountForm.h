#pragma once
#include <cstdint>
#include <optional>
#include <string>

namespace qx {

// The rules of the test-count dialog, shared by the regular-stake test and the script back-test:
// a test over N draws places stakes with the draws offset at N, N - 1, ..., 1, so N runs from 1
// to the number of draws - 1.

inline constexpr int kTestCountDefault = 10;
inline constexpr const char* kTestNeedsTwoDraws =
    "Для тестирования в архиве должно быть не менее двух тиражей!";

struct TTestCountRange {
    int Min = 1;
    int Max = 0;
    int Default = kTestCountDefault; // 10, or Max when the archive is shorter
    // Non-empty when the range is empty (fewer than two draws): the test refuses before asking.
    std::string Refusal;
    bool Empty() const { return Max < Min; }
};

TTestCountRange TestCountRange(int64_t drawsCount);

// None when count lies in the range for the archive, else the refusal: kTestNeedsTwoDraws for an
// archive of fewer than two draws, "Количество тестов должно быть от 1 до %d!" otherwise.
std::optional<std::string> RefuseTestCount(int64_t count, int64_t drawsCount);

} // namespace qx
