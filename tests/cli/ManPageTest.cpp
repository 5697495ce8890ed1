#include <gtest/gtest.h>

#include <sstream>

#include "cli/Commands.h"
#include "core/Switches.h"
#include "support/TestSupport.h"

using namespace qx;

// The manual pages are written by hand: these tests keep them from drifting away from the
// tool's command table (as its --help prints it) and the window's switch table.
namespace {

std::string ManPage(const char* name) {
    return test::ReadBytes(std::filesystem::path(QUADRIX_PACKAGING_DIR) / "man" / name);
}

// Roff's escaped minus and backslash back to plain text, runs of spaces as one.
std::string Plain(std::string line) {
    std::string out;
    for (size_t i = 0; i < line.size(); ++i) {
        if (line[i] == '\\' && i + 1 < line.size() && (line[i + 1] == '-' || line[i + 1] == 'e')) {
            out += line[i + 1] == '-' ? '-' : '\\';
            ++i;
        } else if (line[i] != ' ' || (!out.empty() && out.back() != ' ')) {
            out += line[i];
        }
    }
    while (!out.empty() && out.back() == ' ') out.pop_back();
    return out;
}

std::vector<std::string> LinesBetween(const std::string& text, const std::string& from, const std::string& to) {
    std::vector<std::string> lines;
    size_t begin = text.find(from);
    if (begin == std::string::npos) return lines;
    std::istringstream in(text.substr(begin + from.size()));
    for (std::string line; std::getline(in, line) && line != to;) lines.push_back(Plain(line));
    return lines;
}

} // namespace

TEST(ManPages, TheToolsPageListsExactlyTheCommandsOfItsHelp) {
    std::ostringstream out, err;
    ASSERT_EQ(RunCli({"--help"}, out, err), 0);
    std::vector<std::string> help = LinesBetween(out.str(), "Команды:\n", "");
    ASSERT_GT(help.size(), 20u);
    EXPECT_EQ(LinesBetween(ManPage("quadrix.1"), ".SH COMMANDS\n.nf\n", ".fi"), help);
    for (const char* option : {"--dir", "--help", "--version"}) {
        EXPECT_NE(out.str().find(option), std::string::npos) << option;
        EXPECT_NE(Plain(ManPage("quadrix.1")).find(option), std::string::npos) << option;
    }
}

TEST(ManPages, TheWindowsPageListsEverySwitch) {
    const std::vector<std::string> options = LinesBetween(ManPage("Quadrix_4d10.1"), ".SH OPTIONS\n", ".SH FILES");
    std::vector<std::string> words;
    for (const auto& line : options)
        if (line.starts_with(".B ")) words.push_back(line.substr(3));
    std::vector<std::string> expected;
    for (const auto& info : SwitchTable()) expected.push_back(info.Word);
    expected.insert(expected.end(), {"--help", "--version"});
    EXPECT_EQ(words, expected);
}
