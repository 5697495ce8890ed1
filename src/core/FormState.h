#pragma once
#include <array>
#include <optional>
#include <string>
#include <string_view>
#include <variant>
#include <vector>

#include "core/IniFile.h"

namespace qx {

inline constexpr const char* kMainFormSection = "TFormMain";

// The main window's keys in the window-state file, with their defaults.
struct TMainFormKeys {
    int LeftPanelWidth = 335;
    int DrawsExclude = 0;
    int DrawsStatLen = 1000;
    int DrawsStatHeight = 131;
    int DrawsGraphLen = 100;
    int FiltersHeight = 127;
    int LayoutLen = 100;
    std::array<int, 5> LayoutCompareLen = {50, 100, 200, 300, 400};
    int WeekLen = 1000;
    int WeekHeight = 131;
    int WeekChartMode = 0;
    bool WeekChartType = false;
    bool AutoUpdates = true;
    int DownloadDrawsOnStart = 0;
    bool ScriptLogEnabled = false;
    bool StakesLogEnabled = false;
    bool StakesScrollEnabled = true;
    bool StakesCheckOnLine = true;
    bool ColorDraws = true;
    bool ColorCombs = true;
    bool ColorCard = true;
    bool ColorCardSequences = true;
    bool LayoutGradient = true;
    bool SortedDraws = false;
    bool PrefetchsEnabled = false;
    bool ShowTotalLine = true;
    int RatingsEffMode = 1;
    int LayoutCompareHeight = 257;
    bool ScriptLibraryOn = true;
    int ScriptLibraryHeight = 223;
    int ScriptLibraryFilter = 2;
    bool PrefetchsInit = false;
    bool TabGraphs = true;
    bool TabCard = true;
    bool TabLayout = true;
    bool TabWeek = true;
    bool TabTables = true;
    bool SystemsEnabled = false;  // written at every switch; system play is off at every start
    bool FirstRun = false;
    int Language = 1033;

    // Absent keys keep their defaults.
    void Load(const TIniFile& ini);
    // The size and length keys, written when the main window is destroyed.
    void WriteClosingKeys(TIniFile& ini) const;
    // One key by name (switches and modes write theirs the moment they change).
    void WriteKey(TIniFile& ini, std::string_view name) const;
    std::optional<int> IntKey(std::string_view name) const;
    std::optional<bool> BoolKey(std::string_view name) const;
    bool SetIntKey(std::string_view name, int value);
    bool SetBoolKey(std::string_view name, bool value);
    static std::vector<std::string> KeyNames();
};

// Window placement as the window-state file keeps it.
struct TWindowPlacement {
    int Flags = 0;
    int ShowCmd = 1;
    int PixelsPerInch = 96;
    std::array<int, 4> MinMaxPos = {-1, -1, -1, -1};  // minimized x, y, maximized x, y
    std::array<int, 4> NormPos = {0, 0, 0, 0};        // left, top, right, bottom

    // Uses the keys carrying the screen size in their names when present, else the plain ones.
    static std::optional<TWindowPlacement> Read(const TIniFile& ini, std::string_view section, int screenWidth,
                                                int screenHeight);
    void Write(TIniFile& ini, std::string_view section, int screenWidth, int screenHeight) const;
};

// List and grid layout keys: "<component>.Column<i>" and "<component>.SortType" ("col,dir").
std::optional<int> ReadColumnWidth(const TIniFile& ini, std::string_view section, std::string_view component,
                                   int column);
void WriteColumnWidth(TIniFile& ini, std::string_view section, std::string_view component, int column, int width);
struct TSortType {
    int Column = -1;
    int Direction = 0;  // 0 ascending, 1 descending
};
std::optional<TSortType> ReadSortType(const TIniFile& ini, std::string_view section, std::string_view component);
void WriteSortType(TIniFile& ini, std::string_view section, std::string_view component, TSortType sort);

} // namespace qx
