#include "learn/LookAlikes.h"

#include <algorithm>
#include <random>

#include "learn/AnswerChecker.h"
#include "learn/KanaTable.h"

namespace {

constexpr TLookAlikeGroup kGroups[] = {
    { "シ/ツ",
        "シ's two short strokes lie flat, one above the other, and its long stroke rises from the bottom left; ツ's stand "
        "upright side by side along the top and its long stroke falls from the top right." },
    { "ソ/ン",
        "ソ's short stroke stands upright and its long stroke falls from the top right; ン's short stroke lies flat and "
        "its long stroke rises from the bottom left." },
    { "ク/ケ/タ",
        "ク is a short slant and a stroke that turns down into a long sweep; タ is ク with a short stroke inside it; ケ's "
        "second stroke is a flat bar that does not turn, with a long stroke falling from its middle." },
    { "ウ/ワ/フ",
        "フ is one stroke, a bar that turns down to the left; ワ puts a short upright stroke before it at the left; ウ adds "
        "a short dot on top of ワ." },
    { "ア/マ",
        "ア's second stroke is a long slant falling to the left from under the bar; マ's is a short dot inside the turn." },
    { "コ/ユ", "コ's lower bar ends at its upright stroke; ユ's lower bar runs on past it to the right." },
    { "ノ/メ", "ノ is one falling stroke; メ crosses it with a short stroke falling to the right." },
    { "ナ/メ", "ナ's short stroke is a flat bar; メ's slants down to the right." },
    { "チ/テ",
        "チ's top stroke slants and its long stroke falls through the bar; テ's top stroke lies flat and its long stroke "
        "hangs from under the lower bar." },
    { "ヌ/ス", "ス's short stroke starts on the long sweep and falls to the right; ヌ's crosses the sweep." },
    { "ル/レ", "ル is a short falling stroke beside one that rises at its end; レ is that second stroke alone." },
    { "セ/ヤ", "セ's long stroke turns along the bottom to the right; ヤ's is one straight slant." },
    { "ツ/ッ", "ッ is ツ made small, sitting low in the line." },
    { "ね/れ/わ",
        "All three start with an upright stroke crossed by a zigzag; ね ends in a small loop, れ in a tail flicked up and "
        "out to the right, わ in a round bow that curls back in, with neither loop nor flick." },
    { "ぬ/ね", "Both end in a small loop; ね starts with a straight upright stroke, ぬ with a slant and no upright line." },
    { "め/ぬ", "Both are a slant crossed by a round stroke; ぬ ends in a small loop at the bottom right, め ends open." },
    { "る/ろ", "Both are a zigzag into a round stroke; る closes in a small loop at the bottom, ろ ends open." },
    { "は/ほ",
        "Both have an upright stroke at the left and a loop at the bottom right; in は the right stroke pokes up through "
        "a single bar, in ほ it hangs from the top one of two bars." },
    { "け/は",
        "Both have an upright stroke at the left; は's right stroke ends in a loop, け's falls straight and sweeps left." },
    { "さ/ち/き", "さ and き open their lower curve to the right, ち to the left; き has two bars above it, さ and ち one." },
    { "い/り",
        "い's two strokes stand apart, the left one longer and hooked; in り the right stroke is the long one, sweeping "
        "down below the short left one." },
    { "あ/お",
        "お has a separate dot at the top right and its upright stroke turns into its loop; あ has no dot, and its round "
        "stroke crosses the upright stroke." },
    { "ま/も", "ま's upright stroke crosses both bars and ends in a loop; も's curves into a hook turning up to the right." },
    { "つ/っ", "っ is つ made small, sitting low in the line." },
};

std::vector<std::string_view> Split(std::string_view kana)
{
    std::vector<std::string_view> parts;
    for (;;) {
        const std::size_t slash = kana.find('/');
        parts.push_back(kana.substr(0, slash));
        if (slash == std::string_view::npos)
            return parts;
        kana.remove_prefix(slash + 1);
    }
}

// How near a candidate stands to the answer: 0 a look-alike, 1 the same row or vowel, 2 any.
int Nearness(const TChoiceKana& answer, const std::vector<std::string_view>& lookAlikes, const TChoiceKana& candidate)
{
    if (std::find(lookAlikes.begin(), lookAlikes.end(), candidate.Text) != lookAlikes.end())
        return 0;
    const TKana* a = FindKana(answer.Text);
    const TKana* c = FindKana(candidate.Text);
    if (a && c && a->Group == c->Group && a->Y == c->Y)
        return 1;
    const auto vowel = [](std::string_view romaji) {
        const char last = romaji.empty() ? '\0' : NormalisedAnswer(romaji).back();
        return std::string_view("aiueo").find(last) != std::string_view::npos ? last : '\0';
    };
    const char answerVowel = vowel(answer.Romaji);
    return answerVowel && answerVowel == vowel(candidate.Romaji) ? 1 : 2;
}

// Adds the candidates, nearest first and in seeded random order within a nearness, until
// three are chosen.
void ChooseFrom(
    std::span<const TChoiceKana> candidates, const TChoiceKana& answer, std::mt19937& random, std::vector<TChoiceKana>& chosen)
{
    const std::vector<std::string_view> lookAlikes = LookAlikesOf(answer.Text);
    std::vector<std::pair<int, std::size_t>> order;
    for (std::size_t i = 0; i < candidates.size(); ++i)
        order.push_back({ Nearness(answer, lookAlikes, candidates[i]), i });
    std::shuffle(order.begin(), order.end(), random);
    std::stable_sort(order.begin(), order.end(), [](const auto& a, const auto& b) { return a.first < b.first; });
    for (const auto& [nearness, i] : order) {
        if (chosen.size() == 3)
            return;
        const TChoiceKana& candidate = candidates[i];
        const std::string romaji = NormalisedAnswer(candidate.Romaji);
        const bool taken = std::any_of(
            chosen.begin(), chosen.end(), [&](const TChoiceKana& c) { return NormalisedAnswer(c.Romaji) == romaji; });
        if (!romaji.empty() && !taken && !IsRightAnswer(romaji, answer.Text, answer.Romaji))
            chosen.push_back(candidate);
    }
}

} // namespace

std::span<const TLookAlikeGroup> LookAlikeGroups()
{
    return kGroups;
}

std::vector<std::string_view> LookAlikesOf(std::string_view kana)
{
    std::vector<std::string_view> alike;
    for (const TLookAlikeGroup& group : kGroups) {
        const std::vector<std::string_view> members = Split(group.Kana);
        if (std::find(members.begin(), members.end(), kana) == members.end())
            continue;
        for (std::string_view member : members) {
            if (member != kana && std::find(alike.begin(), alike.end(), member) == alike.end())
                alike.push_back(member);
        }
    }
    return alike;
}

std::vector<TChoiceKana> ChooseDistractors(
    const TChoiceKana& answer, std::span<const TChoiceKana> pool, std::span<const TChoiceKana> deck, std::uint32_t seed)
{
    std::mt19937 random(seed);
    std::vector<TChoiceKana> chosen;
    if (pool.size() >= 4)
        ChooseFrom(pool, answer, random, chosen);
    ChooseFrom(deck, answer, random, chosen);
    return chosen;
}

TChoices MakeChoices(
    const TChoiceKana& answer, std::span<const TChoiceKana> pool, std::span<const TChoiceKana> deck, std::uint32_t seed)
{
    TChoices choices { { std::string(answer.Romaji) }, 0 };
    for (const TChoiceKana& distractor : ChooseDistractors(answer, pool, deck, seed))
        choices.Romaji.emplace_back(distractor.Romaji);
    std::mt19937 random(seed);
    std::shuffle(choices.Romaji.begin(), choices.Romaji.end(), random);
    choices.Right = static_cast<std::size_t>(
        std::find(choices.Romaji.begin(), choices.Romaji.end(), answer.Romaji) - choices.Romaji.begin());
    return choices;
}
