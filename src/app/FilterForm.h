#pragma once
#include <array>
#include <optional>
#include <string>

#include "combs/FilterItem.h"
#include "core/Config.h"

namespace qx {

class TMethodChooser;
class TStatList;

// What the filter editor shows, as the state of its controls. The dialog edits a copy and hands
// it back; FilterItemOfForm turns it into the description.
struct TFilterForm {
    int Entry = -1;        // entry of the statistics tab's method chooser; -1: none
    std::string Lengths;   // number list of window lengths
    int SortColumn = 1;    // column of the statistics table, 0..19
    bool BottomUp = false; // "Снизу-вверх" instead of "Сверху-вниз"
    bool Keep = false; // "Оставить выделенные" instead of "Удалить выделенные"
    bool MultiSelect = false;
    int Condition = 0;                  // 0..31
    std::string Values;                 // number list of thresholds or list values
    bool OwnWeights = false;            // the filter's own weight coefficients
    std::array<std::string, 3> Weights; // Count, Deviation, Level with three decimals
    std::array<long double, 3> Exact{}; // the coefficients behind the texts as the editor opened
    bool WeightPercents = false;
    bool WeightAbs = false;
    int StopMode = 0;  // 0..5
    int StopValue = 1; // 1..2147483647
    friend bool operator==(const TFilterForm&, const TFilterForm&) = default;
};

// The editor on opening: the tab's method and window length, sort column 1, top-down, remove,
// condition 0, stop mode 0 with value 1; a defined description replaces these with its own fields
// (its method's entry, or the first entry when the chooser does not offer it). The coefficients
// are the description's own when it has them, else the engine's current weights.
TFilterForm FilterFormOf(const TFilterItem& item, const TMethodChooser& chooser, const TStatList& registry,
                         int tabLength, const TStatWeights& weights);

// The weight group applies to the conditions on the weight only.
bool FilterFormWeightsEnabled(int condition);
// Keys the two number-list fields accept: digits, "-", ",", ";" and control characters.
bool IsNumberListInputChar(char32_t c);

// Why OK may not close the editor, and the control that gets the focus.
enum class TFilterFormField { Method, Lengths, Condition, Values, StopMode };
struct TFilterFormRefusal {
    TFilterFormField Field;
    std::string Message;
};
// The checks of OK, in order, for the method of the chosen entry (none: nothing chosen).
std::optional<TFilterFormRefusal> CheckFilterForm(const TFilterForm& form, const TStatMethod* method,
                                                  const TMethodChooser& chooser);
// The registry method behind the form's chooser entry; none when no entry is chosen.
const TStatMethod* FilterFormMethod(const TFilterForm& form, const TMethodChooser& chooser,
                                    const TStatList& registry);

// The description OK produces: defined, the method of the chosen entry, the statistic word as it
// was read. A coefficient text left as shown keeps its value exactly.
TFilterItem FilterItemOfForm(const TFilterItem& original, const TFilterForm& shown, const TFilterForm& edited,
                             const TStatMethod* method);

inline constexpr const char* kBadRangeMessage = "Введен некорректный диапазон значений!";
inline constexpr const char* kNoValueListMessage =
    "Для данного вида статистики не доступен режим выделения по списку значений!";
inline constexpr const char* kMultiSelectStopMessage =
    "В режиме мультивыделения остановка сценария по количеству комбинаций или чисел не может быть "
    "выполнена!\rВыберите другой способ останова.";

} // namespace qx
