#include "core/Game.h"

#include <algorithm>
#include <cstring>

#include "core/Text.h"

namespace qx {

std::string_view TDrawRecord::RawLabel() const {
    return std::string_view(Label, std::min<size_t>(LabelLength, kDateLabelMax));
}

std::string TDrawRecord::DateLabel() const { return Cp1251ToUtf8(RawLabel()); }

void TDrawRecord::SetDateLabel(std::string_view utf8) {
    std::string raw = Utf8ToCp1251(utf8);
    if (raw.size() > kDateLabelMax) raw.resize(kDateLabelMax);
    std::memset(Label, 0, sizeof Label);
    std::memcpy(Label, raw.data(), raw.size());
    LabelLength = static_cast<uint8_t>(raw.size());
}

} // namespace qx
