#pragma once
#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

#include "core/Game.h"

namespace qx {

// The largest CSV file imported: 256 MiB, some ten million lines, far beyond any draw history.
inline constexpr uint64_t kMaxImportFileBytes = uint64_t(256) << 20;

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
    int BadDigits = 0;   // lines rejected for a digit field that is not an integer 0..9
    int BadNumbers = 0;  // six-field lines whose number is not an integer 1..2147483646
    int BadLabels = 0;   // six-field lines whose date label does not parse
    int BadShape = 0;    // lines of neither five nor six fields
    int Duplicates = 0;  // numbers already in the archive (or earlier in the file): skipped
    bool Reordered = false;  // newest-first lines were appended oldest first

    int Rejected() const { return BadDigits + BadNumbers + BadLabels + BadShape; }
    // A file with lines of which none was a draw, new or known: it is not a draws file.
    bool NoDraws() const { return Added == 0 && Duplicates == 0 && Rejected() > 0; }
};

// Appends the draws of a CSV text to draws: six-field lines with their number, five-field lines
// numbered archive length + 1. Lines of other shapes, with a number or a six-field date label that
// does not parse, or with a digit field that is not an integer 0..9 are rejected and counted; a
// number already present is skipped. Lines are appended in file order, except that six-field
// lines descending by number (result lists are usually published newest first) are appended in
// ascending order.
TCsvImportResult AppendDrawsFromCsv(std::string_view utf8Text, TDrawsArray& draws);

// The import's summary as a message text: "Добавлено тиражей: N" and a line per kind of rejected
// line, separated by "\r".
std::string ImportSummary(const TCsvImportResult& result);

} // namespace qx
