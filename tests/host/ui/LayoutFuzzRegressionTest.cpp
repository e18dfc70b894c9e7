// The layout fuzzer's round trip over its seed corpus, and the inputs it once found failing,
// each by name.
#include <gtest/gtest.h>

#include <cstdint>
#include <filesystem>
#include <optional>
#include <string>
#include <vector>

#include "fuzz/LayoutRoundTrip.h"
#include "host/sys/Files.h"

namespace {

namespace fs = std::filesystem;

const fs::path kCorpus = MORALEAF_LAYOUT_CORPUS;

std::string CorpusText(const fs::path& file)
{
    const std::vector<std::uint8_t> bytes = ReadFileBytes(file.string());
    return { bytes.begin(), bytes.end() };
}

// The layout's written text, which must read back to itself.
std::string RoundTrip(const std::string& text)
{
    const std::optional<std::string> written = RewriteFuzzLayout(text);
    if (!written)
        return "(does not read)";
    EXPECT_EQ(RewriteFuzzLayout(*written), written);
    return *written;
}

} // namespace

TEST(LayoutFuzzRegression, AnEmptyFontNameIsWrittenAndReadBackEmpty)
{
    const std::string written = RoundTrip(CorpusText(kCorpus / "round-trip-empty-font-name.txt"));
    EXPECT_NE(written.find("    Font.Name = ''\n"), std::string::npos) << written;
}

TEST(LayoutFuzzRegression, APanelInsideAPlainComponentDoesNotRead)
{
    // Each once came back from its written text changed: "object g: TComponent" holding a
    // panel came back with the panel in another place; a panel inside an unnamed component,
    // left out of the written text, still named by another panel's item.
    for (const char* name :
        { "round-trip-panel-inside-a-component.txt", "round-trip-reference-to-a-panel-inside-a-component.txt" })
        EXPECT_EQ(RoundTrip(CorpusText(kCorpus / name)), "(does not read)") << name;
}

TEST(LayoutFuzzRegression, EverySeedComesBackFromItsWrittenText)
{
    int seeds = 0;
    for (const fs::directory_entry& entry : fs::directory_iterator(kCorpus)) {
        SCOPED_TRACE(entry.path().filename().string());
        RoundTrip(CorpusText(entry.path()));
        ++seeds;
    }
    EXPECT_GE(seeds, 5);
}
