#pragma once
#include <array>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "core/Config.h"

namespace qx {

inline constexpr int kProfitRows = 5;
// Statistic groups whose methods depend on a configuration field.
inline constexpr int kStatGroupChannels = 3;
inline constexpr int kStatGroupMatrix = 4;
inline constexpr int kStatGroupSegments = 5;

// What the configuration dialog shows, as the texts of its controls. The dialog edits a copy
// and hands it back; ConfigDataFromForm turns it into the new configuration.
struct TConfigForm {
    int MatrixCols = 3;                           // 1..10; the editor stays disabled for this game
    int ChannelSize = 2;                          // 1..10
    std::string Cost;                             // two decimals
    std::array<std::string, kProfitRows> Profits; // row k: prize of entry k, two decimals
    std::array<std::string, 3> Weights;           // Count, Deviation, Level, three decimals
    bool UsePercents = false;
    bool UseAbsValues = false;
    std::vector<std::array<std::string, 10>> Segments; // one block per visible grid column
    friend bool operator==(const TConfigForm&, const TConfigForm&) = default;
};

TConfigForm ConfigFormFromData(const TConfigData& config);
// Columns of the segments grid: one per block of the table (4), never more than MatrixCols.
int SegmentGridColumns(int matrixCols);
// A segment cell holds digits only; a non-empty value outside 1..9 is refused with this
// message and the cell becomes "1".
std::optional<std::string> SegmentCellError(std::string_view text);
// Keys a money field accepts: digits, control characters and the decimal separator.
bool IsMoneyInputChar(char32_t c);
// The configuration the dialog's OK produces. A money or weight text the user left as shown
// keeps the stored value exactly (the dialog shows it rounded); the prize table always gets
// five entries, entry k for k matching positions.
TConfigData ConfigDataFromForm(const TConfigData& original, const TConfigForm& shown,
                               const TConfigForm& edited);
// A weight coefficient as the dialogs show it (three decimals), and the value an edited text
// gives: the stored value exactly when the text is as shown, else the text read as a number.
std::string WeightText(long double value);
long double WeightField(long double stored, const std::string& shown, const std::string& edited);
// Statistic groups to rebuild after a configuration change: channels, matrix, segments.
std::vector<int> ChangedStatGroups(const TConfigData& before, const TConfigData& after);

} // namespace qx
