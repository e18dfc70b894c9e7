#include <gtest/gtest.h>

#include <fstream>
#include <sstream>

#include "host/sys/Files.h"
#include "tests/TestEnvironment.h"

namespace {

std::string ReadAll(const std::filesystem::path& file)
{
    std::ifstream in(file, std::ios::binary);
    std::ostringstream text;
    text << in.rdbuf();
    return text.str();
}

} // namespace

TEST(Files, ReplacedContentIsWholeAndLeavesNothingBeside)
{
    const TTempFolder folder;
    const std::filesystem::path file = folder.Path() / "made" / "here" / "file.txt";
    for (const std::string text : { "first content, rather long\n", "second\n", "" }) {
        EXPECT_EQ(ReplaceFileContent(file, text), "");
        EXPECT_EQ(ReadAll(file), text);
        EXPECT_EQ(
            std::distance(std::filesystem::directory_iterator(file.parent_path()), std::filesystem::directory_iterator()), 1);
    }
}

TEST(Files, AFileThatCannotBeReplacedGivesTheReasonAndStaysAsItWas)
{
    const TTempFolder folder;
    std::ofstream(folder.Path() / "plain") << "a file where a folder should be";
    EXPECT_NE(ReplaceFileContent(folder.Path() / "plain" / "file.txt", "text"), "");
    // A folder in the file's place: the temporary file is written, the rename fails.
    std::filesystem::create_directories(folder.Path() / "taken" / "inside");
    EXPECT_NE(ReplaceFileContent(folder.Path() / "taken", "text"), "");
    EXPECT_TRUE(std::filesystem::is_directory(folder.Path() / "taken" / "inside"));
    EXPECT_EQ(std::distance(std::filesystem::directory_iterator(folder.Path()), std::filesystem::directory_iterator()), 2);
}
