#include "LiteralStakes.h"

#include <cstring>
#include <fcntl.h>
#include <stdexcept>
#include <sys/stat.h>
#include <unistd.h>

#include "core/ArchiveQueries.h"
#include "core/Cp1251Case.h"

namespace qx::oracle {
namespace {

struct TFd {
    int Fd;
    explicit TFd(const std::filesystem::path& path) : Fd(::open(path.c_str(), O_RDWR)) {
        if (Fd < 0) throw std::runtime_error("cannot open " + path.string());
    }
    ~TFd() { ::close(Fd); }
    int64_t Count() const {
        struct stat st {};
        ::fstat(Fd, &st);
        return st.st_size / int64_t{sizeof(TStakeRecord)};
    }
    TStakeRecord Read(int64_t i) const {
        TStakeRecord r;
        if (::pread(Fd, &r, sizeof r, i * int64_t{sizeof r}) != static_cast<ssize_t>(sizeof r))
            throw std::runtime_error("read");
        return r;
    }
    void Write(int64_t i, const TStakeRecord& r) const {
        if (::pwrite(Fd, &r, sizeof r, i * int64_t{sizeof r}) != static_cast<ssize_t>(sizeof r))
            throw std::runtime_error("write");
    }
};

} // namespace

int64_t LiteralStakesCheck(const std::filesystem::path& path, const TDrawsArray& draws, const TConfigData& config,
                           const std::function<void(const TStakeRecord&)>& sink) {
    TFd file(path);
    int64_t checked = 0;
    const int64_t count = file.Count();
    for (int64_t i = 0; i < count; ++i) {
        TStakeRecord r = file.Read(i);
        if (r.Checked != 0 || r.Kind == skNone || r.DrawNumber <= 0 || r.Numbers.Count < kPositions) continue;
        const int index = IndexOfNumber(draws, r.DrawNumber);
        if (index < 0) continue;
        CheckStake(r, draws[static_cast<size_t>(index)].Digits, config);
        file.Write(i, r);
        ++checked;
        if (sink) sink(r);
    }
    return checked;
}

void LiteralRatingsAddStake(std::vector<TRatingRow>& rows, const TStakeRecord& stake) {
    const int matches = RatingMatchesOf(stake);
    if (matches < 0) return;
    for (TRatingRow& row : rows)
        if (SameTextCp1251(row.RawKey(), stake.RawComment())) {
            row.Add(matches, stake.Profit);
            return;
        }
    TRatingRow row;
    row.SetRawKey(stake.RawComment());
    row.Add(matches, stake.Profit);
    rows.push_back(row);
}

bool LiteralStakeFind(const std::filesystem::path& path, int32_t draw, const TStakeNumbers& numbers) {
    TFd file(path);
    const int64_t count = file.Count();
    for (int64_t i = 0; i < count; ++i) {
        const TStakeRecord r = file.Read(i);
        if (r.DrawNumber == draw && r.Numbers.Count == numbers.Count &&
            std::memcmp(r.Numbers.Digits, numbers.Digits, kPositions) == 0)
            return true;
    }
    return false;
}

} // namespace qx::oracle
