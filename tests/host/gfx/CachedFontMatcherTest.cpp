#include <gtest/gtest.h>

#include <chrono>
#include <fstream>
#include <functional>
#include <sstream>

#include "host/gfx/CachedFontMatcher.h"
#include "host/gfx/FontMatchFile.h"
#include "tests/TestEnvironment.h"

void PrintTo(const FontCandidate& candidate, std::ostream* out)
{
    *out << candidate.File << " #" << candidate.Index << (candidate.Bold ? " bold" : "") << (candidate.Italic ? " italic" : "");
}

namespace {

namespace fs = std::filesystem;

std::string ReadAll(const fs::path& file)
{
    std::ifstream in(file, std::ios::binary);
    std::ostringstream text;
    text << in.rdbuf();
    return text.str();
}

bool AcceptAny(const FontCandidate&)
{
    return true;
}

// A cache file answering one request with a made-up font file that fontconfig would never
// name, made with a configuration file and a font folder of its own: an answer of the made-up
// file can only come from the cache.
class CachedFontMatcherTest : public ::testing::Test {
protected:
    CachedFontMatcherTest() { WriteValidCache(); }

    void WriteValidCache()
    {
        fs::remove_all(fonts_);
        fs::create_directories(fonts_);
        fs::create_directories(cache_.parent_path());
        std::ofstream(config_) << "<fontconfig/>";
        std::ofstream(made_.File) << "not really a font";
        FontMatches matches;
        matches.Environment = FontEnvironment();
        for (const fs::path& path : { config_, fonts_, fs::path(made_.File) })
            matches.Stamps.push_back(FileStamp::Of(path.string()));
        matches.Answers[request_] = made_;
        std::ofstream(cache_) << FormatFontMatches(matches);
    }

    static void Touch(const fs::path& path) { fs::last_write_time(path, fs::last_write_time(path) + std::chrono::seconds(5)); }

    TTempFolder folder_;
    const fs::path config_ = folder_.Path() / "fonts.conf";
    const fs::path fonts_ = folder_.Path() / "fonts";
    const fs::path cache_ = folder_.Path() / "cache" / "font-matches";
    const FontRequest request_ { "Some Family", true, false, std::nullopt };
    const FontCandidate made_ { (fonts_ / "made-up.ttf").string(), 3, true, false };
};

TEST_F(CachedFontMatcherTest, AnswersAreReusedWhileNothingTheyDependOnChanged)
{
    CachedFontMatcher matcher(cache_);
    EXPECT_EQ(matcher.First(request_, AcceptAny), made_);
}

TEST_F(CachedFontMatcherTest, ChangedDependenciesOrADamagedFileSendTheRequestToFontconfigAndRewriteTheFile)
{
    struct TCase {
        const char* What;
        std::function<void()> Change;
    };
    const TCase cases[] = {
        { "a touched configuration file", [&] { Touch(config_); } },
        { "a font added to a font folder", [&] { std::ofstream(fonts_ / "new.ttf") << "x"; } },
        { "a touched font folder", [&] { Touch(fonts_); } },
        { "the answered font file removed", [&] { fs::remove(made_.File); } },
        { "the answered font file rewritten", [&] { std::ofstream(made_.File) << "a longer content than before"; } },
        { "another language", [] { ::setenv("LANG", "ja_JP.UTF-8", 1); } },
        { "another configuration file named", [] { ::setenv("FONTCONFIG_FILE", "/etc/fonts/fonts.conf", 1); } },
        { "garbage in the cache file",
            [&] {
                std::ofstream(cache_) << "\x7f"
                                         "ELF garbage\n";
            } },
        { "a cache file cut short",
            [&] {
                const std::string text = ReadAll(cache_);
                std::ofstream(cache_, std::ios::trunc) << text.substr(0, text.size() / 2);
            } },
    };
    for (const TCase& c : cases) {
        const TEnvironmentValue language("LANG", "C.UTF-8");
        const TEnvironmentValue configFile("FONTCONFIG_FILE", std::nullopt);
        WriteValidCache();
        c.Change();
        CachedFontMatcher matcher(cache_);
        const std::optional<FontCandidate> answer = matcher.First(request_, AcceptAny);
        ASSERT_TRUE(answer) << c.What;
        EXPECT_NE(answer->File, made_.File) << c.What;
        const std::optional<FontMatches> rewritten = ParseFontMatches(ReadAll(cache_));
        ASSERT_TRUE(rewritten) << c.What;
        EXPECT_EQ(rewritten->Answers.at(request_), answer) << c.What;
        EXPECT_TRUE(StillValid(*rewritten)) << c.What;
    }
}

TEST_F(CachedFontMatcherTest, ACachedAnswerTheCallerCannotUseIsAskedAgain)
{
    CachedFontMatcher matcher(cache_);
    const std::optional<FontCandidate> answer
        = matcher.First(request_, [&](const FontCandidate& candidate) { return candidate.File != made_.File; });
    ASSERT_TRUE(answer);
    EXPECT_NE(answer->File, made_.File);
}

TEST_F(CachedFontMatcherTest, AnUnwritableCacheFolderStillGivesFontconfigsAnswers)
{
    std::ofstream(folder_.Path() / "plain-file") << "a file where a folder should be";
    CachedFontMatcher matcher(folder_.Path() / "plain-file" / "moraleaf" / "font-matches");
    const std::optional<FontCandidate> answer = matcher.First(request_, AcceptAny);
    ASSERT_TRUE(answer);
    EXPECT_TRUE(fs::exists(answer->File));
    EXPECT_TRUE(fs::is_regular_file(folder_.Path() / "plain-file"));
}

TEST(FontMatchFile, WrittenAnswersReadBackTheSameWhateverTheirNamesHold)
{
    FontMatches matches;
    matches.Environment = { { "HOME", "/home/a\tb" }, { "LANG", std::nullopt }, { "X", "tab\there\nand\\" } };
    matches.Stamps = { { "/etc/fonts/fonts.conf", true, -5, 1024 }, { "/a\tfolder\nwith breaks", false, 0, 0 } };
    matches.Answers[{ "Family\twith\ttabs", false, true, U'\x3042' }] = FontCandidate { "/f\\x.ttc", 2, false, true };
    matches.Answers[{ "", true, true, U'\x10FFFF' }] = std::nullopt;
    matches.Answers[{ "MS Sans Serif", false, false, std::nullopt }] = FontCandidate { "/w.ttc", 0, false, false };
    EXPECT_EQ(ParseFontMatches(FormatFontMatches(matches)), matches);
}

TEST(FontMatchFile, MalformedTextIsRefusedWhole)
{
    const std::string header = "moraleaf font matches 1\n";
    const std::string face = "face\tF\t0\t0\t-\t0\t0\t0\t/f.ttf\n";
    ASSERT_TRUE(ParseFontMatches(header + face + "end\n"));
    const std::string refused[] = {
        "",
        header,
        header + face,
        header + face + "end",
        "moraleaf font matches 2\n" + face + "end\n",
        header + face + "end\n" + face,
        header + "face\tF\t0\t0\t-\t0\t0\t0\n" + "end\n",
        header + "face\tF\t2\t0\t-\t0\t0\t0\t/f.ttf\n" + "end\n",
        header + "face\tF\t0\t0\t1114112\t0\t0\t0\t/f.ttf\n" + "end\n",
        header + "face\tF\t0\t0\t-\t-1\t0\t0\t/f.ttf\n" + "end\n",
        header + "face\tF\t0\t0\t-\t0\t0\t0\t/f\\q.ttf\n" + "end\n",
        header + "face\tF\t0\t0\t-\t0\t0\t0\t/f.ttf\\\n" + "end\n",
        header + "none\tF\t0\t0\n" + "end\n",
        header + "stamp\t1\t-1\t/x\n" + "end\n",
        header + "stamp\t1x\t1\t/x\n" + "end\n",
        header + "stamp\t99999999999999999999\t1\t/x\n" + "end\n",
        header + "env\tHOME\n" + "end\n",
        header + "font\tF\n" + "end\n",
    };
    for (const std::string& text : refused)
        EXPECT_FALSE(ParseFontMatches(text)) << text;
}

} // namespace
