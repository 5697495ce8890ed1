#include "draws/DrawsCsv.h"

#include <unordered_set>

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

TCsvImportResult AppendDrawsFromCsv(std::string_view utf8Text, TDrawsArray& draws) {
    TCsvImportResult result;
    // Presence by number: the same answer as a search of the archive, without a scan per line.
    std::unordered_set<int32_t> numbers;
    numbers.reserve(draws.size() * 2 + 1024);
    for (const auto& d : draws) numbers.insert(d.Number);

    for (const std::string& line : SplitLines(utf8Text)) {
        if (Trim(line).empty()) continue;
        std::vector<std::string> f = SplitCsvLine(line);
        if (f.size() != 5 && f.size() != 6) continue;
        const size_t first = f.size() - 5;  // index of the label field
        TDrawRecord r;
        r.Number = f.size() == 5 ? static_cast<int32_t>(draws.size()) + 1 : StrToIntDef(f[0], 0);
        r.SetDateLabel(f[first]);
        bool digitsOk = true;
        for (int p = 0; p < kPositions; ++p) {
            int v = StrToIntDef(f[first + 1 + p], 0);
            if (v < 0 || v > 9) digitsOk = false;
            r.Digits[p] = static_cast<uint8_t>(v);
        }
        if (r.Number <= 0 || numbers.count(r.Number)) continue;
        if (!digitsOk) {
            ++result.BadDigits;
            continue;
        }
        draws.push_back(r);
        numbers.insert(r.Number);
        ++result.Added;
    }
    return result;
}

} // namespace qx
