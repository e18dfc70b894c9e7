// Every reader of outside files refuses one far larger than any real theme, picture, deck or
// script by its size, before reading it: a sparse 300 MB file costs no memory to refuse.
#include <fcntl.h>
#include <gtest/gtest.h>
#include <unistd.h>

#include <cstdint>
#include <filesystem>
#include <fstream>
#include <functional>
#include <iostream>
#include <span>
#include <sstream>
#include <string>
#include <vector>

#include "host/gfx/Bitmap.h"
#include "host/sys/Files.h"
#include "skin/core/SUIMgr.h"
#include "skin/core/SUIThemeFile.h"
#include "tests/host/data/DataTestSupport.h"
#include "tools/kit/Commands.h"
#include "tools/kit/DeckFolder.h"

namespace {

constexpr off_t kOversized = 300'000'000;

// A file of that size without data blocks.
void MakeSparseFile(const std::string& path, off_t size)
{
    const int fd = ::open(path.c_str(), O_WRONLY | O_CREAT | O_TRUNC | O_CLOEXEC, 0644);
    ASSERT_GE(fd, 0) << path;
    EXPECT_EQ(::ftruncate(fd, size), 0);
    ::close(fd);
}

// The highest resident size of this process so far, from /proc/self/status.
long PeakResidentKiB()
{
    std::ifstream status("/proc/self/status");
    std::string line;
    while (std::getline(status, line)) {
        if (line.starts_with("VmHWM:"))
            return std::stol(line.substr(6));
    }
    return -1;
}

// What the reading gives: its result, or the message of the error it raises.
std::string Outcome(const std::function<std::string()>& read)
{
    try {
        return read();
    } catch (const Exception& e) {
        return e.Message();
    }
}

struct TRefusal {
    std::string Error;
    long PeakGrowthKiB = -1;
};

// Reads twice: first for the code and caches a first call brings in, then after setting the
// peak resident size back to the present size, measured.
TRefusal ReadMeasured(const std::function<std::string()>& read)
{
    Outcome(read);
    std::ofstream reset("/proc/self/clear_refs");
    reset << "5";
    reset.close();
    if (reset.fail())
        return { "the peak resident size cannot be reset", -1 };
    const long before = PeakResidentKiB();
    const std::string error = Outcome(read);
    return { error, PeakResidentKiB() - before };
}

// What a command of the kit says on its error stream, with its exit code.
std::string CommandOutcome(int (*command)(std::span<const std::string>), const std::string& argument)
{
    std::ostringstream errors;
    // Standard error goes back to its own buffer however the command ends.
    struct TRestore {
        std::streambuf* Previous;
        ~TRestore() { std::cerr.rdbuf(Previous); }
    } restore { std::cerr.rdbuf(errors.rdbuf()) };
    const std::vector<std::string> args { argument };
    const int code = command(args);
    return "exit " + std::to_string(code) + ": " + errors.str();
}

void WriteText(const std::string& path, const std::string& text)
{
    WriteBytes(path, std::vector<std::uint8_t>(text.begin(), text.end()));
}

} // namespace

TEST(OversizedFiles, AreRefusedByTheirSizeWithoutBeingRead)
{
    TTempFolder folder;
    const std::string big = folder.File("big");
    MakeSparseFile(big, kOversized);
    std::filesystem::create_directory(folder.File("deck"));
    MakeSparseFile(folder.File("deck/moratab.tsv"), kOversized);
    std::filesystem::create_directory(folder.File("pictures"));
    WriteText(folder.File("pictures/moratab.tsv"), "id\tt_type\tx\ty\tt_pronounce\n1\t平假名\t1\t1\ta\n");
    MakeSparseFile(folder.File("pictures/1.bmp"), kOversized);
    const std::string tooLarge = "Cannot open file \"" + big + "\". File too large";

    struct TCase {
        const char* name;
        std::function<std::string()> read;
        std::string error;
    };
    const std::vector<TCase> readers = {
        { "whole file", [&] { return std::to_string(ReadFileBytes(big).size()); }, tooLarge },
        { "bitmap",
            [&] {
                TBitmap bitmap;
                bitmap.LoadFromFile(big);
                return std::string("read");
            },
            tooLarge },
        { "theme file",
            [&] {
                TsuiThemeFileReader reader(big);
                return std::string("read");
            },
            tooLarge },
        { "file theme",
            [&] {
                TsuiFileTheme theme(nullptr);
                theme.SetThemeFile(big);
                return std::string("read");
            },
            tooLarge },
        { "deck table", [&] { return std::to_string(ReadDeckFolder(folder.File("deck")).size()); },
            "Cannot open file \"" + folder.File("deck/moratab.tsv") + "\". File too large" },
        { "deck picture", [&] { return std::to_string(ReadDeckFolder(folder.File("pictures")).size()); },
            folder.File("pictures/1.bmp") + ": Cannot open file \"" + folder.File("pictures/1.bmp") + "\". File too large" },
        { "drive script", [&] { return CommandOutcome(DriveCommand, big); }, "exit 2: moraleaf-kit drive: " + tooLarge + "\n" },
        { "kana picture", [&] { return CommandOutcome(PictureCommand, big); }, tooLarge },
    };
    for (const TCase& reader : readers) {
        SCOPED_TRACE(reader.name);
        const TRefusal refusal = ReadMeasured(reader.read);
        EXPECT_EQ(refusal.Error, reader.error);
        EXPECT_GE(refusal.PeakGrowthKiB, 0);
        EXPECT_LE(refusal.PeakGrowthKiB, 1024);
    }
}
