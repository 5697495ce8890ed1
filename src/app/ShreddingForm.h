#pragma once
#include "core/Config.h"

namespace qx {

inline constexpr const char* kShreddingCaption = "Методы шинковки";
inline constexpr const char* kShreddingFormulaHint = "Используемая формула";
inline constexpr const char* kShreddingPlacesHint = "Количество используемых знаков после запятой";
inline constexpr const char* kShreddingNote =
    "Используемые переменные:\r\nn1, n2, n3, ..., nX - числа текущего тиража\r\np1, p2, p3, ..., pX - числа "
    "предыдущего тиража";
inline constexpr int kShreddingMinPlaces = 1;
inline constexpr int kShreddingMaxPlaces = 5;

// The places the dialog's spin edit shows for a stored value: what the methods use (a value
// outside 1..9 acts as 2), within the dialog's range 1..5.
int ShreddingPlacesShown(int stored);

} // namespace qx
