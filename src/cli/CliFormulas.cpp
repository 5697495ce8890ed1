// The user's formulas and the method names: eval, shred, names export|import, favourites.
#include <cstdio>
#include <ostream>

#include "app/Workspace.h"
#include "cli/CliCommand.h"
#include "core/Error.h"
#include "core/Text.h"
#include "stats/Expression.h"

namespace qx {
namespace {

std::string OnePositional(const TCliArgs& args) {
    const std::vector<std::string> words = args.Positionals();
    if (words.size() != 1) throw TAppError("Неверное количество параметров команды");
    return words[0];
}

char SeparatorOption(TCliArgs& args) {
    const std::optional<std::string> sep = args.TakeOption("sep");
    if (!sep) return '.';
    if (sep->size() != 1 || (*sep)[0] <= ' ' || (*sep)[0] == '(' || (*sep)[0] == ')')
        throw TAppError("Разделитель дробной части: один символ, например , или .");
    return (*sep)[0];
}

// "1;2;3;4": the four digits of a combination.
TCombCode DigitsOption(TCliArgs& args, const std::string& name, bool required) {
    const std::optional<std::string> text = args.TakeOption(name);
    if (!text) {
        if (required) throw TAppError("Не задан параметр --" + name);
        return 0;
    }
    const std::vector<std::string_view> words = SplitWords(*text, ";");
    TCombCode code = 0;
    bool valid = words.size() == 4;
    for (size_t k = 0; valid && k < 4; ++k) {
        const auto d = TryStrToInt(Trim(words[k]));
        valid = d && *d >= 0 && *d <= 9;
        if (valid) code |= TCombCode(*d) << (8 * k);
    }
    if (!valid) throw TAppError(FormatText("Параметр --%s: четыре цифры 0-9 через \";\", например 1;2;3;4", {name}));
    return code;
}

void Eval(TCliContext& c, TCliArgs& args) {
    const char separator = SeparatorOption(args);
    const std::string text = OnePositional(args);
    try {
        c.Out << FormatReal(EvaluateExpression(text, separator), TRealFormat::General, 18) << "\n";
    } catch (const TExpressionError& e) {
        c.Out << e.what() << "\n";
        c.ExitCode = 1;
    }
}

void Shred(TCliContext& c, TCliArgs& args) {
    const std::optional<std::string> formula = args.TakeOption("formula");
    if (!formula) throw TAppError("Не задан параметр --formula");
    const std::optional<int> places = args.TakeIntOption("places");
    if (!places || *places < 1 || *places > 9) throw TAppError("Параметр --places: целое число от 1 до 9");
    const char separator = SeparatorOption(args);
    const TCombCode n = DigitsOption(args, "n", true), p = DigitsOption(args, "p", false),
                    t = DigitsOption(args, "t", false);
    args.RequireNoPositionals();
    c.Out << ShredValue(n, p, t, *places, *formula, separator) << "\n";
}

void NamesExport(TCliContext& c, TCliArgs& args) {
    c.Workspace.ExportNames(OnePositional(args), nullptr);
}

void NamesImport(TCliContext& c, TCliArgs& args) {
    c.Workspace.ImportNames(OnePositional(args));
    c.Workspace.SaveFilterNames();
}

void Favourites(TCliContext& c, TCliArgs& args) {
    const std::optional<std::string> codes = args.TakeOption("set");
    const bool reset = args.TakeFlag("reset");
    args.RequireNoPositionals();
    if (codes && reset) throw TAppError("Параметры --set и --reset несовместимы");
    if (codes) c.Workspace.SetFavouriteCodes(*codes);
    if (reset) c.Workspace.ResetFavourites();
    const TStatList& stats = c.Workspace.Stats();
    for (const TMethodEntry& e : c.Workspace.StatTab().Chooser().Entries())
        c.Out << stats.Items(e.Method).Code() << "\t" << e.Text << "\n";
}

} // namespace

void AddFormulaCommands(TCliCommandList& list) {
    list.push_back(ReadingCommand({"eval"}, "eval ТЕКСТ [--sep ,]  значение выражения", Eval));
    list.push_back(ReadingCommand(
        {"shred"}, "shred --formula Ф --places N --n D;D;D;D [--p D;D;D;D] [--t D;D;D;D]  значение метода шинковки",
        Shred));
    list.push_back(WritingCommand({"names", "export"}, "names export ФАЙЛ.flt  экспорт названий методов", NamesExport));
    list.push_back(WritingCommand({"names", "import"}, "names import ФАЙЛ.flt  импорт названий методов", NamesImport));
    list.push_back(WritingCommand({"favourites"}, "favourites [--set КОДЫ | --reset]  избранные методы", Favourites));
}

} // namespace qx
