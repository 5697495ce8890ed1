// "systems play": system play over the combinations of a file, without a window.
#include <ostream>

#include "app/StakeForms.h"
#include "app/Workspace.h"
#include "cli/CliCommand.h"
#include "core/Error.h"
#include "core/Text.h"

namespace qx {
namespace {

void Play(TCliContext& c, TCliArgs& args) {
    TWorkspace& ws = c.Workspace;
    const bool all = args.TakeFlag("all");
    const bool comb = args.TakeFlag("comb");
    const auto lcv = args.TakeOption("lcv");
    const auto draw = args.TakeInt64Option("draw");
    const auto comment = args.TakeOption("comment");
    args.RequireNoPositionals();
    if (all == comb) throw TAppError("Укажите --all (вся система) или --comb (комбинации системы из списка)");
    if (!lcv) throw TAppError("Укажите --lcv ФАЙЛ.lcv");
    if (!ws.LoadCombsFile(*lcv)) return;
    if (ws.Combs().Count() == 0) throw TAppError("Список комбинаций пуст!");
    const auto system = ws.SystemPrepare();
    if (!system) return;
    const TSystemPlayMode mode = all ? TSystemPlayMode::WholeSystem : TSystemPlayMode::ListedOnly;
    const int64_t number = draw.value_or(ws.ProposedStakeDraw());
    const std::string text =
        comment.value_or(SystemPlayComment(mode, static_cast<int>(system->Map.size()), system->FileName));
    if (TStakeFormResult r = AcceptMultiStakeForm(number, 1, text); !r) throw TAppError(r.Message);
    if (!ws.SystemPlay(mode, *system, static_cast<int32_t>(number), 1,
                       std::string(LeftChars(text, kStakeFormCommentMax))))
        return;
    c.Out << FormatText("Система: %s, чисел: %d, комбинаций в системе: %d",
                        {SystemTitle(system->FileName), std::to_string(system->Map.size()),
                         std::to_string(system->Combs.size())})
          << "\n";
    c.Out << ws.StatusPanelText(4) << "\n";
}

} // namespace

void AddSystemsCommands(TCliCommandList& list) {
    list.push_back({{"systems", "play"},
                    "systems play (--all | --comb) --lcv ФАЙЛ.lcv [--draw N] [--comment ТЕКСТ]\n"
                    "                                         системная игра по системе из папки Systems",
                    Play});
}

} // namespace qx
