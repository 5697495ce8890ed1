#pragma once
#include <string>

namespace qx {

// The test-count dialog "Количество тестов": how many past draws a test may go back, 1 … draws − 1,
// 10 proposed. An archive of fewer than two draws leaves no count, and the dialog is not shown.
struct TTestCountRange {
    int Min = 1;
    int Max = 0;
    int Default = 10;
    std::string Refusal;  // why no test can run; empty when Min … Max is a range
    bool Allowed() const { return Refusal.empty(); }
    bool Contains(int count) const { return Allowed() && count >= Min && count <= Max; }
};

TTestCountRange TestCountRange(int archiveLength);

inline constexpr const char* kTestNeedsTwoDraws = "Для тестирования в архиве должно быть не менее двух тиражей!";

} // namespace qx
