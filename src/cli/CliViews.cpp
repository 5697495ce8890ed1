#include <ostream>

#include "app/Workspace.h"
#include "cli/CliCommand.h"
#include "core/ArchiveQueries.h"
#include "core/Error.h"
#include "core/Text.h"

namespace qx {
namespace {

int PositiveLength(const std::string& text, const char* option) {
    const auto value = TryStrToInt(Trim(text));
    if (!value || *value < 1)
        throw TAppError(FormatText("Некорректное значение параметра --%s: %s", {option, text}));
    return *value;
}

void PrintCompare(std::ostream& out, const TLayoutCompareList& list) {
    out << "Кол-во\t" << list.Caption << "\n";
    for (const TLayoutCompareRow& row : list.Rows) out << row.Hits << "\t" << row.Digits << "\n";
}

// The grids and lists of the card, layout and week tabs as the window shows them for the same
// settings, one line per grid row with tab-separated cells.
void View(TCliContext& c, TCliArgs& args) {
    TWorkspace& ws = c.Workspace;
    const int offset = args.TakeIntOption("offset").value_or(0);
    const auto len = args.TakeOption("len");
    const auto lens = args.TakeOption("lens");
    const auto words = args.Positionals();
    if (words.size() != 1) throw TAppError("Укажите вид: card, layout, compare или week");
    if (offset < 0 || offset > ws.MaxDrawsOffset())
        throw TAppError(FormatText("Некорректное значение параметра --offset: %d", {IntToStr(offset)}));
    ws.SetDrawsOffset(offset);
    const std::string& kind = words[0];
    const TDrawsArray& draws = ws.Draws();
    const int current = ws.CurrentDrawIndex();
    if (kind == "card") {
        const TCard card = TCard::Build(draws);
        PrintGrid(c.Out, TCard::kColumns, card.Rows(), [&](int col, int row) { return card.Text(col, row); });
    } else if (kind == "layout") {
        const int length = len ? PositiveLength(*len, "len") : ws.FormKeys().LayoutLen;
        const TLayoutScheme scheme =
            BuildLayoutScheme(draws, current, length, FollowingDigitSet(draws, offset));
        PrintGrid(c.Out, scheme.Grid.Columns(), scheme.Grid.Rows(),
                  [&](int col, int row) { return scheme.Grid.At(col, row); });
    } else if (kind == "compare") {
        auto lengths = ws.FormKeys().LayoutCompareLen;
        if (lens) {
            const auto parts = SplitWords(*lens, ",");
            if (parts.size() != lengths.size())
                throw TAppError(FormatText("Некорректное значение параметра --lens: %s", {*lens}));
            for (size_t k = 0; k < lengths.size(); ++k)
                lengths[k] = PositiveLength(std::string(parts[k]), "lens");
        }
        for (size_t k = 0; k < lengths.size(); ++k) {
            if (k) c.Out << "\n";
            PrintCompare(c.Out, BuildLayoutCompare(draws, current, lengths[k]));
        }
    } else if (kind == "week") {
        const int length = len ? PositiveLength(*len, "len") : ws.FormKeys().WeekLen;
        const TWeekCounts week = TWeekCounts::Count(draws, current, length);
        PrintGrid(c.Out, TWeekCounts::kColumns, TWeekCounts::kRows,
                  [&](int col, int row) { return week.Text(col, row, BuiltInShortDayNames()); });
    } else {
        throw TAppError(FormatText("Неизвестный вид: %s", {kind}));
    }
}

} // namespace

void AddViewCommands(TCliCommandList& list) {
    list.push_back({{"view"},
                    "view card|layout|compare|week [--offset N] [--len L] [--lens A,B,C,D,E]  карта, схема, "
                    "списки сравнения, дни недели",
                    View});
}

} // namespace qx
