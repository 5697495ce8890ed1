#pragma once
#include <cstdint>
#include <string>

#include "core/Game.h"

namespace qx {

struct TColour {
    uint8_t R = 0, G = 0, B = 0;
    friend bool operator==(const TColour&, const TColour&) = default;
};

TCombCode CodeOfDraw(const TDrawRecord& draw);
// Sorts the four digits of the record ascending, in place.
void SortDigits(TDrawRecord& draw);
TCombCode SortedCode(TCombCode code);

// "0;7;3;9"
std::string DigitsText(TCombCode code);
// "00 07 03 09": the clipboard form of a combination.
std::string DigitsBlankText(TCombCode code);
// "Тираж № %d от %s, значения: %s"
std::string DrawDescription(const TDrawRecord& draw);

// A channel width outside 1..10 (a hand-edited configuration) acts as the default 2,
// so no channel computation can divide by zero.
int EffectiveChannelWidth(int width);
// Channel of a digit, from 1; 0 when the digit is outside 0..9.
int ChannelOf(int digit, int width);
TColour ChannelColour(int digit, int width);
TColour ChannelTableColour(int channel);

} // namespace qx
