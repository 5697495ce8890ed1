#pragma once
#include <bitset>
#include <optional>
#include <string>
#include <string_view>

#include "core/Config.h"
#include "core/Game.h"

namespace qx {

// Captions of the generation modes 0..4, in the order of the mode list.
extern const char* const kCombsGenModeCaptions[5];

// The user's own numbers: words split at "," and ";", each read as an integer (0 when it is not
// one); values 0..255 set their bit, others are ignored.
std::bitset<256> ParseOwnNumbers(std::string_view text);

// Modes 0..3: every combination 0000..9999 in ascending order that the mode keeps, appended to out.
void GenerateByNumbers(int mode, const std::bitset<256>& numbers, TCombsArray& out);

// The start list of a run of filter variants: made once, then copied for every variant while the
// generation parameters stay the same. Generating (or reading the file of mode 4) costs many
// times the copy.
class TStartList {
public:
    // The list kept for these parameters; none when it was made with others or not at all.
    const TCombsArray* Find(const TCombsGenParams& params) const {
        return FParams && *FParams == params ? &FList : nullptr;
    }
    void Keep(const TCombsGenParams& params, const TCombsArray& list) {
        FParams = params;
        FList = list;
    }

private:
    std::optional<TCombsGenParams> FParams;
    TCombsArray FList;
};

} // namespace qx
