#pragma once
#include <fstream>
#include <sstream>

#include "FakeResultsSite.h"
#include "app/WorkspaceFixture.h"
#include "core/DateTime.h"
#include "core/IniFile.h"
#include "core/Text.h"

namespace qx::test {

using fake::SyntheticDays;

// The archive the days make, numbered from 1.
inline TDrawsArray DrawsOfDays(const std::vector<fake::TFakeDay>& days) {
    TDrawsArray draws;
    for (const auto& day : days) {
        int half = 0;
        for (const std::string& cell : {day.Midday, day.Evening}) {
            TDrawRecord r;
            r.Number = static_cast<int32_t>(draws.size()) + 1;
            for (int p = 0; p < 4; ++p) r.Digits[p] = static_cast<uint8_t>(cell[p * 4] - '0');
            r.SetDateLabel(FormatDrawLabel(NumberToDate(day.Date)).substr(0, 10) + (half++ == 0 ? " M" : " E"));
            draws.push_back(r);
        }
    }
    return draws;
}

// A started workspace whose download goes to a fake results page with short time-outs.
class DownloadFixture : public WorkspaceFixture {
protected:
    // Start-up itself never downloads here: the tests run the command when they mean it.
    void StartAt(int today, const TDrawsArray& draws = {}) {
        UpdateIniFile(Dir / "Quadrix_4d10.frm", [](TIniFile& ini) { ini.WriteInteger("TFormMain", "DownloadDrawsOnStart", 2); });
        Start(draws);
        Ws->SetClock([today] { return today; });
        Ws->HttpOptions().ConnectTimeoutMs = 1000;
        Ws->HttpOptions().ReadTimeoutMs = 300;
    }
    // Section ONLINE pointing at url; other sections are kept.
    void Configure(const std::string& url, const std::string& extraKeys = "") {
        UpdateIniFile(Dir / "Quadrix_4d10.ini", [&](TIniFile& ini) {
            ini.WriteString("ONLINE", "ResultsPageUrl", url);
            for (const std::string& line : SplitLines(extraKeys)) {
                const auto eq = line.find('=');
                if (eq != std::string::npos) ini.WriteString("ONLINE", line.substr(0, eq), line.substr(eq + 1));
            }
        });
    }
    std::vector<std::string> Questions() const { return Shell.Texts(TMessageKind::AskRetry); }
    std::string FileBytes(const char* name) const {
        std::error_code ec;
        return std::filesystem::exists(Dir / name, ec) ? ReadBytes(Dir / name) : std::string("<none>");
    }
};

} // namespace qx::test
