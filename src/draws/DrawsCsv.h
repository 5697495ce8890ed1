#pragma once
#include <string>
#include <string_view>
#include <vector>

#include "core/Game.h"

namespace qx {

// One line of a draws CSV file split by the delimited-text rules: ";" delimits, a field opening
// with a double quote runs to its closing quote (a doubled quote is one quote), an unquoted field
// also ends at any character with a code of 32 or less.
std::vector<std::string> SplitCsvLine(std::string_view line);
std::string QuoteCsvField(std::string_view text);

// NUMBER;"LABEL";d1;d2;d3;d4 with digits in drawn order.
std::string DrawCsvLine(const TDrawRecord& draw);
// The whole export, CR LF after every line (UTF-8 in memory).
std::string DrawsCsvText(const TDrawsArray& draws);

struct TCsvImportResult {
    int Added = 0;
    int BadDigits = 0;  // lines rejected for a digit outside 0..9
};

// Appends the draws of a CSV text to draws in file order: six-field lines with their number,
// five-field lines numbered archive length + 1; lines of other shapes, with number 0 or with a
// number already present are skipped. A digit outside 0..9 rejects its line.
TCsvImportResult AppendDrawsFromCsv(std::string_view utf8Text, TDrawsArray& draws);

} // namespace qx
