#include <gtest/gtest.h>

#include <algorithm>
#include <set>
#include <string>

#include "learn/Round.h"
#include "learn/Scheduler.h"

namespace {

using std::chrono::days;
using std::chrono::hours;
using std::chrono::sys_seconds;

const sys_seconds kNow = sys_seconds(std::chrono::seconds(1'800'000'000));

std::vector<TKanaKey> Keys(std::size_t count)
{
    std::vector<TKanaKey> keys;
    for (std::size_t i = 0; i < count; ++i)
        keys.push_back({ "k" + std::to_string(i), i % 2 ? TKanaScript::Katakana : TKanaScript::Hiragana });
    return keys;
}

} // namespace

TEST(Scheduler, RightMovesUpOneBoxWrongBackToTheFirstEachWithItsInterval)
{
    struct TCase {
        int Box; // 0: a new kana
        bool Right;
        int NewBox;
        int DueInDays;
    };
    const TCase cases[] = { { 0, true, 2, 1 }, { 0, false, 1, 0 }, { 1, true, 2, 1 }, { 2, true, 3, 3 }, { 3, true, 4, 7 },
        { 4, true, 5, 14 }, { 5, true, 5, 14 }, { 5, false, 1, 0 }, { 3, false, 1, 0 } };
    for (const TCase& c : cases) {
        const TBoxState current { c.Box, kNow - days(30) };
        const TBoxState next = NextBoxState(c.Box ? &current : nullptr, c.Right, kNow);
        EXPECT_EQ(next, (TBoxState { c.NewBox, kNow + days(c.DueInDays) })) << "box " << c.Box << (c.Right ? " right" : " wrong");
    }
}

TEST(Scheduler, DrawsDueKanaThenNewThenTheRestSoonestDueFirst)
{
    const std::vector<TKanaKey> keys = Keys(9);
    TBoxStates states;
    // 0, 3, 6: due; 1, 4, 7: new; 2, 5, 8: not yet due, 8 soonest, 2 latest.
    for (std::size_t i : { 0, 3, 6 })
        states[keys[i]] = { 3, kNow - hours(1) };
    states[keys[2]] = { 5, kNow + days(9) };
    states[keys[5]] = { 2, kNow + days(2) };
    states[keys[8]] = { 4, kNow + hours(1) };
    for (std::uint32_t seed = 0; seed < 20; ++seed) {
        const std::vector<std::size_t> round = DrawRound(keys, states, kNow, 9, seed);
        ASSERT_EQ(round.size(), 9u);
        EXPECT_EQ(std::set<std::size_t>(round.begin(), round.begin() + 3), (std::set<std::size_t> { 0, 3, 6 }));
        EXPECT_EQ(std::set<std::size_t>(round.begin() + 3, round.begin() + 6), (std::set<std::size_t> { 1, 4, 7 }));
        EXPECT_EQ(std::vector<std::size_t>(round.begin() + 6, round.end()), (std::vector<std::size_t> { 8, 5, 2 }));
        // A kana due this very second is due.
        const std::vector<std::size_t> later = DrawRound(keys, states, kNow + hours(1), 4, seed);
        EXPECT_EQ(std::set<std::size_t>(later.begin(), later.end()), (std::set<std::size_t> { 0, 3, 6, 8 }));
    }
}

TEST(Scheduler, ARoundHoldsEachKanaOnceUpToItsLengthAndFollowsTheSeed)
{
    const std::vector<TKanaKey> keys = Keys(214);
    TBoxStates states;
    for (std::size_t i = 0; i < keys.size(); i += 3)
        states[keys[i]] = { static_cast<int>(i % 5) + 1, kNow - days(static_cast<int>(i % 4)) };
    for (const std::size_t length : { std::size_t { 20 }, std::size_t { 50 }, keys.size(), std::size_t { 1000 } }) {
        const std::vector<std::size_t> round = DrawRound(keys, states, kNow, length, 7);
        EXPECT_EQ(round.size(), std::min(length, keys.size()));
        EXPECT_EQ(std::set<std::size_t>(round.begin(), round.end()).size(), round.size());
        EXPECT_TRUE(std::all_of(round.begin(), round.end(), [&](std::size_t i) { return i < keys.size(); }));
        EXPECT_EQ(DrawRound(keys, states, kNow, length, 7), round);
    }
    std::set<std::vector<std::size_t>> rounds;
    for (std::uint32_t seed = 0; seed < 10; ++seed)
        rounds.insert(DrawRound(keys, states, kNow, 20, seed));
    EXPECT_EQ(rounds.size(), 10u);
    EXPECT_TRUE(DrawRound({}, states, kNow, 20, 1).empty());
}

TEST(Scheduler, DueKanaOfLowBoxesComeFirstFarMoreOften)
{
    // 20 due kana in the first box, 20 in the last: a round of 20 is mostly the first box's,
    // yet the last box's are not shut out.
    const std::vector<TKanaKey> keys = Keys(40);
    TBoxStates states;
    for (std::size_t i = 0; i < keys.size(); ++i)
        states[keys[i]] = { i % 2 ? kLastBox : kFirstBox, kNow - days(1) };
    int firstBox = 0, lastBox = 0;
    for (std::uint32_t seed = 0; seed < 100; ++seed) {
        for (std::size_t i : DrawRound(keys, states, kNow, 20, seed))
            (i % 2 ? lastBox : firstBox)++;
    }
    EXPECT_GT(firstBox, 4 * lastBox);
    EXPECT_GT(lastBox, 0);
}

TEST(Round, AWrongKanaComesBackAfterThreeOthersUntilAnsweredRight)
{
    struct TCase {
        std::vector<std::size_t> Kana;
        std::string Answers; // r or w, one per question asked
        std::vector<std::size_t> Asked;
        std::vector<std::size_t> Missed;
    };
    const TCase cases[] = {
        { { 1, 2, 3, 4, 5 }, "rrrrr", { 1, 2, 3, 4, 5 }, {} },
        { { 1, 2, 3, 4, 5 }, "wrrrrr", { 1, 2, 3, 4, 1, 5 }, { 1 } },
        { { 1, 2, 3, 4, 5 }, "wrrrwrrr", { 1, 2, 3, 4, 1, 5, 1 }, { 1 } },
        { { 1, 2, 3, 4, 5 }, "rwwrrrrrr", { 1, 2, 3, 4, 5, 2, 3 }, { 2, 3 } },
        // Fewer than three left: it comes back at the end.
        { { 1, 2, 3 }, "rwrr", { 1, 2, 3, 2 }, { 2 } },
        { { 7 }, "wwr", { 7, 7, 7 }, { 7 } },
        { {}, "", {}, {} },
    };
    for (const TCase& c : cases) {
        TRound round(c.Kana);
        std::vector<std::size_t> asked;
        std::size_t answer = 0, rights = 0;
        while (!round.Finished() && answer < c.Answers.size()) {
            EXPECT_EQ(round.Number(), asked.size() + 1);
            asked.push_back(round.Kana());
            rights += c.Answers[answer] == 'r';
            round.Answer(c.Answers[answer++] == 'r');
        }
        EXPECT_TRUE(round.Finished()) << c.Answers;
        round.Answer(false); // nothing left to answer
        EXPECT_EQ(asked, c.Asked) << c.Answers;
        EXPECT_EQ(round.Missed(), c.Missed) << c.Answers;
        EXPECT_EQ(round.Count(), c.Asked.size()) << c.Answers;
        EXPECT_EQ(round.Right(), rights) << c.Answers;
        EXPECT_EQ(round.Wrong(), c.Asked.size() - rights) << c.Answers;
    }
}
