// "systems play": system play over the combinations of a file, without a window.
#include <algorithm>
#include <optional>
#include <ostream>

#include "app/StakeForms.h"
#include "app/SystemForm.h"
#include "online/CatalogueText.h"
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

// One catalogue row: id, title, author, N, block, combinations, created, status, downloads, last
// download, description, url; tabs and line breaks inside texts become blanks.
void PrintSystemRow(std::ostream& out, const TSystemRow& row) {
    auto cell = [](std::string text) {
        for (char& ch : text)
            if (ch == '\t' || ch == '\r' || ch == '\n') ch = ' ';
        return text;
    };
    const tSystemInfo& s = row.Info;
    out << s.Id << '\t' << cell(s.Title) << '\t' << cell(s.Author) << '\t' << int(s.Nums) << '\t' << int(s.Block)
        << '\t' << s.CombinationsCount << '\t' << FormatCatalogueDate(s.Created) << '\t'
        << (row.Loaded ? kSystemLoadedText : "") << '\t' << s.Downloads << '\t' << FormatCatalogueDate(s.LastDownload)
        << '\t' << cell(s.Description) << '\t' << cell(s.Url) << "\n";
}

void Catalogue(TCliContext& c, TCliArgs& args) {
    args.RequireNoPositionals();
    if (!c.Workspace.SystemsLoad()) return;
    for (const TSystemRow& row : c.Workspace.SystemsCatalogue().Rows()) PrintSystemRow(c.Out, row);
}

void Fetch(TCliContext& c, TCliArgs& args) {
    const std::vector<std::string> words = args.Positionals();
    if (words.empty()) throw TAppError("Использование: systems fetch ID...");
    std::vector<int32_t> ids;
    for (const std::string& word : words) {
        const std::optional<int32_t> id = TryStrToInt(word);
        if (!id || *id <= 0) throw TAppError(FormatText("Неверный номер системы: %s", {word}));
        ids.push_back(*id);
    }
    TWorkspace& ws = c.Workspace;
    if (!ws.SystemsLoad()) return;
    std::vector<size_t> rows;
    for (int32_t id : ids) {
        const auto& list = ws.SystemsCatalogue().Rows();
        const auto found = std::find_if(list.begin(), list.end(), [id](const TSystemRow& r) { return r.Info.Id == id; });
        if (found == list.end()) throw TAppError(FormatText("Система #%d не найдена в каталоге", {std::to_string(id)}));
        rows.push_back(static_cast<size_t>(found - list.begin()));
    }
    ws.SystemsDownload(rows);
    for (const TSystemRow& row : ws.SystemsCatalogue().Rows())
        if (row.Loaded) PrintSystemRow(c.Out, row);
}

} // namespace

void AddSystemsCommands(TCliCommandList& list) {
    list.push_back({{"systems", "play"},
                    "systems play (--all | --comb) --lcv ФАЙЛ.lcv [--draw N] [--comment ТЕКСТ]\n"
                    "                                         системная игра по системе из папки Systems",
                    Play});
    list.push_back(WritingCommand({"systems", "catalogue"},
                                  "systems catalogue                        список систем online-каталога",
                                  Catalogue));
    list.push_back(WritingCommand({"systems", "fetch"},
                                  "systems fetch ID...                      загрузить системы из каталога в папку Systems",
                                  Fetch));
}

} // namespace qx
