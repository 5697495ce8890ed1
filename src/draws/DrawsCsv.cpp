#include "draws/DrawsCsv.h"

#include <algorithm>
#include <optional>
#include <unordered_set>

#include "core/DateTime.h"
#include "core/Text.h"

namespace qx {
namespace {

bool IsSkippable(char c) { return c >= 1 && static_cast<unsigned char>(c) <= 32; }

} // namespace

std::vector<std::string> SplitCsvLine(std::string_view line) {
    // A NUL character ends the line, as it ends the text the rules were written for.
    if (size_t nul = line.find('\0'); nul != std::string_view::npos) line = line.substr(0, nul);
    std::vector<std::string> fields;
    size_t p = 0;
    const size_t n = line.size();
    while (p < n && IsSkippable(line[p])) ++p;
    while (p < n) {
        std::string field;
        if (line[p] == '"') {
            ++p;
            for (;;) {
                size_t q = line.find('"', p);
                if (q == std::string_view::npos) {  // no closing quote: the rest of the line
                    field.append(line.substr(p));
                    p = n;
                    break;
                }
                field.append(line.substr(p, q - p));
                p = q + 1;
                if (p < n && line[p] == '"') {
                    field += '"';
                    ++p;
                    continue;
                }
                break;
            }
        } else {
            size_t start = p;
            while (p < n && static_cast<unsigned char>(line[p]) > 32 && line[p] != ';') ++p;
            field.assign(line.substr(start, p - start));
        }
        fields.push_back(std::move(field));
        while (p < n && IsSkippable(line[p])) ++p;
        if (p < n && line[p] == ';') {
            if (p + 1 == n) fields.emplace_back();
            do ++p;
            while (p < n && IsSkippable(line[p]));
        }
    }
    return fields;
}

std::string QuoteCsvField(std::string_view text) {
    std::string s = "\"";
    for (char c : text) {
        if (c == '"') s += '"';
        s += c;
    }
    s += '"';
    return s;
}

std::string DrawCsvLine(const TDrawRecord& draw) {
    std::string s = std::to_string(draw.Number) + ";" + QuoteCsvField(draw.DateLabel());
    for (uint8_t d : draw.Digits) s += ";" + std::to_string(d);
    return s;
}

std::string DrawsCsvText(const TDrawsArray& draws) {
    std::string out;
    out.reserve(draws.size() * 30);
    for (const auto& d : draws) {
        out += DrawCsvLine(d);
        out += "\r\n";
    }
    return out;
}

namespace {

// A digit field: an integer 0..9 and nothing else ("x", "12" and "99999999999" are not digits).
std::optional<uint8_t> DigitField(std::string_view field) {
    auto v = TryStrToInt(field);
    if (!v || *v < 0 || *v > 9) return std::nullopt;
    return static_cast<uint8_t>(*v);
}

bool IsDrawLabel(std::string_view label) {
    try {
        return DatePart(ParseDrawLabel(label)) > 0;
    } catch (const std::exception&) {  // a day missing from its month
        return false;
    }
}

// Whether every number is lower than the one before: a newest-first list.
bool Descending(const TDrawsArray& draws) {
    if (draws.size() < 2) return false;
    for (size_t i = 1; i < draws.size(); ++i)
        if (draws[i].Number >= draws[i - 1].Number) return false;
    return true;
}

} // namespace

TCsvImportResult AppendDrawsFromCsv(std::string_view utf8Text, TDrawsArray& draws) {
    TCsvImportResult result;
    // Presence by number: the same answer as a search of the archive, without a scan per line.
    std::unordered_set<int32_t> numbers;
    numbers.reserve(draws.size() * 2 + 1024);
    for (const auto& d : draws) numbers.insert(d.Number);

    TDrawsArray added;
    bool fiveFields = false;
    for (const std::string& line : SplitLines(utf8Text)) {
        if (Trim(line).empty()) continue;
        std::vector<std::string> f = SplitCsvLine(line);
        if (f.size() != 5 && f.size() != 6) {
            ++result.BadShape;
            continue;
        }
        const size_t first = f.size() - 5;  // index of the label field
        TDrawRecord r;
        if (f.size() == 5) {
            fiveFields = true;
            r.Number = static_cast<int32_t>(draws.size() + added.size()) + 1;
        } else {
            auto number = TryStrToInt(f[0]);
            if (!number || !IsValidDrawNumber(*number)) {
                ++result.BadNumbers;
                continue;
            }
            r.Number = *number;
        }
        r.SetDateLabel(f[first]);
        if (f.size() == 6 && !IsDrawLabel(r.DateLabel())) {
            ++result.BadLabels;
            continue;
        }
        bool digitsOk = true;
        for (int p = 0; p < kPositions; ++p) {
            auto digit = DigitField(f[first + 1 + p]);
            digitsOk = digitsOk && digit.has_value();
            r.Digits[p] = digit.value_or(0);
        }
        if (!digitsOk) {
            ++result.BadDigits;
            continue;
        }
        if (!numbers.insert(r.Number).second) {
            ++result.Duplicates;
            continue;
        }
        added.push_back(r);
    }
    // Five-field numbers follow the archive length, so their order is the file's by definition.
    if (!fiveFields && Descending(added)) {
        std::reverse(added.begin(), added.end());
        result.Reordered = true;
    }
    draws.insert(draws.end(), added.begin(), added.end());
    result.Added = static_cast<int>(added.size());
    return result;
}

std::string ImportSummary(const TCsvImportResult& r) {
    std::string text = FormatText("Добавлено тиражей: %d", {std::to_string(r.Added)});
    auto add = [&](int count, const char* format) {
        if (count > 0) text += "\r" + FormatText(format, {std::to_string(count)});
    };
    add(r.BadDigits, "Пропущено строк с числами вне диапазона 0..9: %d");
    add(r.BadNumbers, "Пропущено строк с некорректным номером тиража: %d");
    add(r.BadLabels, "Пропущено строк с некорректной датой тиража: %d");
    add(r.BadShape, "Пропущено строк неверного формата: %d");
    if (r.Reordered) text += "\rСтроки файла шли от новых тиражей к старым: тиражи добавлены по возрастанию номеров";
    return text;
}

} // namespace qx
