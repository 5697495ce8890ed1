#pragma once
#include <gtest/gtest.h>

#include <cstring>
#include <memory>
#include <string>

#include "core/DrawHelpers.h"
#include "core/Error.h"
#include "core/Platform.h"
#include "draws/DrawsArchive.h"
#include "stakes/StakesBook.h"
#include "support/TestSupport.h"

namespace qx::test {

// A stake on draw with the digits of text ("1234").
inline TStakeRecord Stake(int32_t draw, const char* digits, const char* comment = "c",
                          const TConfigData& config = {}) {
    return NewStake(skManual, draw, StakeNumbersOf(MakeCode(digits[0] - '0', digits[1] - '0', digits[2] - '0', digits[3] - '0')),
                    10000, comment, config);
}

inline TDrawRecord Draw(int32_t number, const char* digits) {
    TDrawRecord d;
    d.Number = number;
    for (int p = 0; p < kPositions; ++p) d.Digits[p] = static_cast<uint8_t>(digits[p] - '0');
    return d;
}

// The raw bytes of a record.
inline std::string Bytes(const TStakeRecord& r) { return std::string(reinterpret_cast<const char*>(&r), sizeof r); }

// A stakes book over a fresh, locked "Quadrix_4d10.lsk" in a temporary directory.
class BookFixture : public ::testing::Test {
protected:
    TTempDir Dir;
    TExclusiveFile Lock;
    std::unique_ptr<TStakesBook> Book;
    TDrawsArchive Archive;

    std::filesystem::path File() const { return Dir / "Quadrix_4d10.lsk"; }
    void Open() {
        Lock.Open(File());
        Book = std::make_unique<TStakesBook>(Lock, File());
    }
    void SetUp() override { Open(); }
    // The records of the file, straight from disk.
    std::vector<TStakeRecord> Records() const {
        const std::string bytes = ReadBytes(File());
        std::vector<TStakeRecord> v(bytes.size() / sizeof(TStakeRecord));
        std::memcpy(v.data(), bytes.data(), v.size() * sizeof(TStakeRecord));
        return v;
    }
    // Whether another process could take the lock now (a second descriptor's flock conflicts
    // just as another process's would).
    bool SecondOpenRefused() const {
        TExclusiveFile other;
        try {
            other.Open(File());
        } catch (const std::exception&) {
            return true;
        }
        return false;
    }
};

} // namespace qx::test
