#pragma once
// The members the channel, matrix and segment families share: each maps a digit at a position to
// a group through its base's GroupOf-like function and counts or combines the groups.
#include <algorithm>
#include <array>
#include <cstddef>
#include <string>
#include <string_view>
#include <type_traits>
#include <vector>

#include "core/Text.h"
#include "stats/DigitValues.h"
#include "stats/GroupBases.h"
#include "stats/StatClassOf.h"

namespace qx {

// A text passed as a template argument, so one line can name a whole method class.
template <size_t N> struct TLiteral {
    constexpr TLiteral() = default;
    constexpr TLiteral(const char (&text)[N]) { std::copy_n(text, N, Text); }
    constexpr std::string_view View() const { return {Text, N - 1}; }
    char Text[N] = {};
};

// stem + kind + the digit: "TstCombChn" "Mix" 2 gives "TstCombChnMix2".
template <TLiteral Stem, TLiteral Kind, int Digit>
constexpr auto kJoinedName = [] {
    TLiteral<Stem.View().size() + Kind.View().size() + 2> joined;
    std::copy_n(Stem.Text, Stem.View().size(), joined.Text);
    std::copy_n(Kind.Text, Kind.View().size(), joined.Text + Stem.View().size());
    joined.Text[Stem.View().size() + Kind.View().size()] = char('0' + Digit);
    return joined;
}();

// A class this game has no use for: it keeps its place in the registration order but is never
// registered, and matches nothing.
template <class Base, TLiteral ClassName, TLiteral CodeFormat, TLiteral NameFormat, bool HasParams = false>
class TUnavailableStat final : public Base {
public:
    using Base::Base;
    static constexpr std::string_view kClassName = ClassName.View();
    static constexpr std::string_view kCodeFormat = CodeFormat.View();
    static constexpr std::string_view kNameFormat = NameFormat.View();
    static constexpr uint8_t kFlags = 0;
    static constexpr bool kAvailable = false;
    static constexpr bool kHasParams = HasParams;

    bool Matches(TCombCode, TSelectedRows, bool, bool, int) override { return false; }
};

// Position tuples of the combination members: all pairs (triples) i < j (< k), or adjacent ones.
template <int Size, bool Adjacent>
constexpr auto kPositionTuples = [] {
    if constexpr (Size == 2 && Adjacent)
        return std::array<std::array<int, 3>, 3>{{{0, 1}, {1, 2}, {2, 3}}};
    else if constexpr (Size == 2)
        return std::array<std::array<int, 3>, 6>{{{0, 1}, {0, 2}, {0, 3}, {1, 2}, {1, 3}, {2, 3}}};
    else if constexpr (Size == 3 && Adjacent)
        return std::array<std::array<int, 3>, 2>{{{0, 1, 2}, {1, 2, 3}}};
    else if constexpr (Size == 3)
        return std::array<std::array<int, 3>, 4>{{{0, 1, 2}, {0, 1, 3}, {0, 2, 3}, {1, 2, 3}}};
    else
        return std::array<std::array<int, 3>, 0>{};
}();

// The groups of pairs or triples of positions, one hit each with the groups in K1, K2 (K3),
// shown joined by ":". Size 4 exists but is unavailable.
template <class Base, auto Group, int Size, bool Adjacent, TLiteral ClassName, TLiteral CodeFormat,
          TLiteral NameFormat>
class TGroupCombStat final : public TDigitsStat<Base> {
public:
    using TDigitsStat<Base>::TDigitsStat;
    static constexpr std::string_view kClassName = ClassName.View();
    static constexpr std::string_view kCodeFormat = CodeFormat.View();
    static constexpr std::string_view kNameFormat = NameFormat.View();
    static constexpr int kSize = Size;
    static constexpr uint8_t kFlags = kFlagS;
    static constexpr bool kAvailable = Size < 4;
    static constexpr bool kCanParseValue = false;

    void DigitValues(const TDigits& d, TDigitValues& out) const override {
        std::array<int, kPositions> g{};
        for (int p = 0; p < kPositions; ++p) g[size_t(p)] = (this->*Group)(p, d[size_t(p)]);
        for (const auto& t : kPositionTuples<Size, Adjacent>)
            out.Add(TStatKey::FromParts(g[size_t(t[0])], g[size_t(t[1])], Size == 3 ? g[size_t(t[2])] : 0));
    }
    bool Matches(TCombCode code, TSelectedRows selected, bool exclude, bool sorted, int L) override {
        if constexpr (Size == 4)
            return false;
        else
            return TDigitsStat<Base>::Matches(code, selected, exclude, sorted, L);
    }
    std::string ValueText(const TStatDraw& row) const override {
        std::string text = IntToStr(row.Key.K1());
        for (int part = 2; part <= Size && part <= 3; ++part) text += ":" + IntToStr(row.Key.K(part));
        return text;
    }
};

// The six combination classes of a family, in registration order: all pairs, triples and
// quadruples of positions ("<stem>Mix2".."<stem>Mix4"), then the adjacent ones ("<stem>Seq2"..).
template <class Base, auto Group, TLiteral Stem, TLiteral MixCode, TLiteral MixName, TLiteral SeqCode,
          TLiteral SeqName>
std::vector<const TStatClass*> GroupCombClasses() {
    auto cls = [](auto size, auto adjacent) -> const TStatClass* {
        constexpr int n = decltype(size)::value;
        constexpr bool seq = decltype(adjacent)::value;
        if constexpr (seq)
            return &StatClassOf<
                TGroupCombStat<Base, Group, n, true, kJoinedName<Stem, "Seq", n>, SeqCode, SeqName>>();
        else
            return &StatClassOf<
                TGroupCombStat<Base, Group, n, false, kJoinedName<Stem, "Mix", n>, MixCode, MixName>>();
    };
    using std::integral_constant;
    using TMix = std::false_type;
    using TSeq = std::true_type;
    return {cls(integral_constant<int, 2>{}, TMix{}), cls(integral_constant<int, 3>{}, TMix{}),
            cls(integral_constant<int, 4>{}, TMix{}), cls(integral_constant<int, 2>{}, TSeq{}),
            cls(integral_constant<int, 3>{}, TSeq{}), cls(integral_constant<int, 4>{}, TSeq{})};
}

// For every group of the base's list, in list order: (K1 = group, K2 = how many of the four
// digits fall in it), count 0 included, so every draw counts once for every group.
template <class Base> class TGroupCountsStat : public TDigitsStat<Base> {
public:
    using TDigitsStat<Base>::TDigitsStat;
    static constexpr uint8_t kFlags = kFlagN;
    static constexpr bool kCanParseValue = false;

    void DigitValues(const TDigits& d, TDigitValues& out) const override {
        const auto& groups = this->Groups;
        std::array<int, TDigitValues::kCapacity> counts{};
        for (int p = 0; p < kPositions; ++p) {
            const auto it = std::find(groups.begin(), groups.end(), this->GroupOf(p, d[size_t(p)]));
            if (it != groups.end()) ++counts[size_t(it - groups.begin())];
        }
        for (size_t i = 0; i < groups.size(); ++i) out.Add(TStatKey::FromParts(groups[i], counts[i]));
    }
    std::string ValueText(const TStatDraw& row) const override {
        return this->GroupName(row.Key.K1()) + " x " + IntToStr(row.Key.K2());
    }
};

// The number of distinct groups among the four digits.
template <class Base> class TDistinctGroupsStat : public TDigitsGraphStat<Base> {
public:
    using TDigitsGraphStat<Base>::TDigitsGraphStat;
    static constexpr uint8_t kFlags = kFlagN;

    void DigitValues(const TDigits& d, TDigitValues& out) const override {
        std::array<int, kPositions> g{};
        int distinct = 0;
        for (int p = 0; p < kPositions; ++p) {
            g[size_t(p)] = this->GroupOf(p, d[size_t(p)]);
            distinct += std::find(g.begin(), g.begin() + p, g[size_t(p)]) == g.begin() + p;
        }
        out.Add(TStatKey::FromA(distinct));
    }
    TKeyPart MatchPart() const override { return TKeyPart::K1; }
};

// The number of digits in group Param: one variant per group.
template <class Base> class TGroupMembersStat : public TDigitsGraphStat<Base> {
public:
    using TDigitsGraphStat<Base>::TDigitsGraphStat;
    static constexpr uint8_t kFlags = kFlagN;
    static constexpr bool kHasParams = true;

    void DigitValues(const TDigits& d, TDigitValues& out) const override {
        int n = 0;
        for (int p = 0; p < kPositions; ++p) n += this->GroupOf(p, d[size_t(p)]) == this->Param;
        out.Add(TStatKey::FromA(n));
    }
    TKeyPart MatchPart() const override { return TKeyPart::K1; }
};

// The group of each digit (four hits).
template <class Base> class TGroupsStat : public TDigitsStat<Base> {
public:
    using TDigitsStat<Base>::TDigitsStat;
    static constexpr uint8_t kFlags = kFlagN;

    void DigitValues(const TDigits& d, TDigitValues& out) const override {
        for (int p = 0; p < kPositions; ++p) out.Add(TStatKey::FromA(this->GroupOf(p, d[size_t(p)])));
    }
};

} // namespace qx
