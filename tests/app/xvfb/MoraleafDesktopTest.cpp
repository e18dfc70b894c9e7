// The real moraleaf on an X display (started by xvfb-e2e.sh): xdotool clicks the three tabs,
// a radio button and the draw button, and the screen shows what each should; quit signals end
// it, tooltips appear at the pointer, and a dragged title bar snaps the window to the screen's
// edges.
#include <gtest/gtest.h>
#include <sys/wait.h>
#include <unistd.h>

#include <csignal>
#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <string>
#include <vector>

#include "host/gfx/Bitmap.h"
#include "host/sys/Types.h"
#include "tests/app/xvfb/DesktopTestSupport.h"
#include "tests/app/xvfb/TwoKanaDeck.h"
#include "tools/kit/DeckDatabase.h"

// Last: Xlib's macros (None, Bool, Status) would clash with the names above.
#include <X11/Xlib.h>
#include <X11/Xutil.h>

#include "tests/app/xvfb/ProgramPopups.h"

namespace {

// Places in the window's client area, as the stored layout puts them.
constexpr TPoint kHiraganaTab { 37, 37 };
constexpr TPoint kKatakanaTab { 90, 37 };
constexpr TPoint kRandomDrawTab { 149, 36 };
constexpr TPoint kKatakanaButton { 544, 134 }; // R2
constexpr TPoint kDrawButton { 560, 224 };
constexpr TRect kPicture { 322, 96, 482, 256 }; // inside DBImage1's border
constexpr TRect kFirstCell { 14, 70, 114, 170 }; // a chart's first cell
constexpr TPoint kBareChart { 600, 300 }; // white scroll box beyond the fifth column
constexpr TPoint kBarePanel { 50, 300 }; // the random-draw page's cream panel
constexpr TPoint kCloseButton { 663, 12 };
constexpr TPoint kTitleBar { 300, 10 };
constexpr int kScreenWidth = 1280; // as xvfb-e2e.sh starts Xvfb

class MoraleafDesktop : public ::testing::Test {
protected:
    void SetUp() override
    {
        if (!std::getenv("DISPLAY"))
            GTEST_SKIP() << "needs a display; run through xvfb-e2e.sh";
        // The server may refuse a connection for a moment while the last test's program leaves.
        WaitFor([&] { return (display_ = XOpenDisplay(nullptr)) != nullptr; });
        ASSERT_NE(display_, nullptr);
        std::string pattern = (std::filesystem::temp_directory_path() / "moraleaf-e2e-XXXXXX").string();
        folder_ = ::mkdtemp(pattern.data());
        WriteDeckDatabase((folder_ / "db1.mdb").string(), TwoKanaDeck(), false);
        child_ = ::fork();
        if (child_ == 0) {
            if (::chdir(folder_.c_str()) == 0)
                ::execl(MORALEAF_PROGRAM, MORALEAF_PROGRAM, static_cast<char*>(nullptr));
            ::_exit(127);
        }
        ASSERT_TRUE(WaitFor([&] {
            window_ = Output("xdotool search --onlyvisible --name '^Moraleaf$' 2>/dev/null | head -1");
            return !window_.empty();
        })) << "no Moraleaf window";
        origin_ = WindowOrigin();
        // Painted, so that the program is in its message loop.
        ASSERT_TRUE(WaitFor([&] { return Pixel(kBarePanel) == 0xFFFBF0; })) << std::hex << Pixel(kBarePanel);
    }
    void TearDown() override
    {
        if (child_ > 0 && !exited_) {
            ::kill(child_, SIGKILL);
            ::waitpid(child_, nullptr, 0);
        }
        if (display_)
            XCloseDisplay(display_);
        if (!folder_.empty())
            std::filesystem::remove_all(folder_);
    }

    TPoint WindowOrigin()
    {
        TPoint origin;
        const std::string geometry = Output("xdotool getwindowgeometry --shell " + window_);
        std::sscanf(geometry.c_str() + geometry.find("X="), "X=%d", &origin.X);
        std::sscanf(geometry.c_str() + geometry.find("Y="), "Y=%d", &origin.Y);
        return origin;
    }

    // Whether the program ended, with its status, within the time.
    bool Exited(int& status, int milliseconds)
    {
        exited_ = WaitFor([&] { return ::waitpid(child_, &status, WNOHANG) == child_; }, milliseconds);
        return exited_;
    }

    // The top-left corner of a shown tooltip of the program, if there is one.
    bool TooltipCorner(TPoint& corner) { return ProgramPopupCorner(display_, "Moraleaf", corner); }

    void Click(TPoint p)
    {
        const std::string x = std::to_string(origin_.X + p.X);
        const std::string y = std::to_string(origin_.Y + p.Y);
        ASSERT_EQ(std::system(("xdotool mousemove " + x + " " + y + " click 1").c_str()), 0);
    }

    // The screen's pixel at a client point, as 0xRRGGBB.
    unsigned long Pixel(TPoint p)
    {
        XImage* image
            = XGetImage(display_, DefaultRootWindow(display_), origin_.X + p.X, origin_.Y + p.Y, 1, 1, AllPlanes, ZPixmap);
        const unsigned long pixel = XGetPixel(image, 0, 0) & 0xFFFFFF;
        XDestroyImage(image);
        return pixel;
    }
    // Whether a client rectangle shows that colour (0xRRGGBB) anywhere.
    bool Shows(const TRect& r, unsigned long colour)
    {
        XImage* image = XGetImage(display_, DefaultRootWindow(display_), origin_.X + r.Left, origin_.Y + r.Top,
            static_cast<unsigned>(r.Width()), static_cast<unsigned>(r.Height()), AllPlanes, ZPixmap);
        bool found = false;
        for (int y = 0; y < r.Height() && !found; ++y)
            for (int x = 0; x < r.Width() && !found; ++x)
                found = (XGetPixel(image, x, y) & 0xFFFFFF) == colour;
        XDestroyImage(image);
        return found;
    }
    bool ShowsAKana(const TRect& r) { return Shows(r, kHiraganaColour) || Shows(r, kKatakanaColour); }

    Display* display_ = nullptr;
    std::string window_;
    std::filesystem::path folder_;
    pid_t child_ = -1;
    bool exited_ = false;
    TPoint origin_;
};

} // namespace

TEST_F(MoraleafDesktop, TheTabsAndTheDrawButtonShowTheirPages)
{
    // The random-draw page with an empty picture.
    ASSERT_TRUE(WaitFor([&] { return Pixel(kBarePanel) == 0xFFFBF0; })) << std::hex << Pixel(kBarePanel);
    EXPECT_FALSE(ShowsAKana(kPicture));

    Click(kKatakanaButton);
    Click(kDrawButton);
    EXPECT_TRUE(WaitFor([&] { return Shows(kPicture, kKatakanaColour); })) << "the katakana draw shows the katakana";

    Click(kHiraganaTab);
    EXPECT_TRUE(WaitFor([&] { return Pixel(kBareChart) == 0xFFFFFF && Shows(kFirstCell, kHiraganaColour); }));
    Click(kKatakanaTab);
    EXPECT_TRUE(WaitFor([&] { return Pixel(kBareChart) == 0xFFFFFF && Shows(kFirstCell, kKatakanaColour); }));

    // Entering the page draws from all kana and finds nothing; the button draws the katakana again.
    Click(kRandomDrawTab);
    EXPECT_TRUE(WaitFor([&] { return Pixel(kBarePanel) == 0xFFFBF0 && !ShowsAKana(kPicture); }));
    Click(kDrawButton);
    EXPECT_TRUE(WaitFor([&] { return Shows(kPicture, kKatakanaColour); }));

    Click(kCloseButton);
    int status = -1;
    EXPECT_TRUE(Exited(status, 5000));
    EXPECT_TRUE(WIFEXITED(status) && WEXITSTATUS(status) == 0) << status;
}

class MoraleafQuitSignal : public MoraleafDesktop, public ::testing::WithParamInterface<int> { };

TEST_P(MoraleafQuitSignal, EndsTheProgramWithinASecond)
{
    ASSERT_EQ(::kill(child_, GetParam()), 0);
    int status = -1;
    ASSERT_TRUE(Exited(status, 1000));
    EXPECT_TRUE(WIFEXITED(status) && WEXITSTATUS(status) == 0) << status;
}

INSTANTIATE_TEST_SUITE_P(TermIntHup, MoraleafQuitSignal, ::testing::Values(SIGTERM, SIGINT, SIGHUP));

TEST_F(MoraleafDesktop, ATooltipAppearsAtThePointerAfterAWarpOntoThePicture)
{
    Click(kKatakanaButton);
    Click(kDrawButton);
    ASSERT_TRUE(WaitFor([&] { return Shows(kPicture, kKatakanaColour); }));
    ::sleep(1);
    const TPoint pointer { origin_.X + (kPicture.Left + kPicture.Right) / 2, origin_.Y + (kPicture.Top + kPicture.Bottom) / 2 };
    ASSERT_EQ(std::system(("xdotool mousemove " + std::to_string(pointer.X) + " " + std::to_string(pointer.Y)).c_str()), 0);
    TPoint corner;
    ASSERT_TRUE(WaitFor([&] { return TooltipCorner(corner); })) << "no tooltip";
    EXPECT_GE(corner.Y, pointer.Y);
    EXPECT_LE(corner.Y, pointer.Y + 30);
    EXPECT_LE(std::abs(corner.X - pointer.X), 30) << corner.X << " for a pointer at " << pointer.X;
}

TEST_F(MoraleafDesktop, TheDraggedTitleBarSnapsTheWindowToNearScreenEdges)
{
    struct TCase {
        const char* What;
        TPoint Dropped;
        TPoint Expected;
    };
    const int right = kScreenWidth - 676;
    const TCase cases[] = {
        { "left edge, inside the buffer", { 7, 120 }, { 0, 120 } },
        { "left edge, outside", { 40, 120 }, { 40, 120 } },
        { "top and right edges, inside", { right - 6, 9 }, { right, 0 } },
        { "right edge, outside", { right - 30, 100 }, { right - 30, 100 } },
    };
    for (const TCase& c : cases) {
        SCOPED_TRACE(c.What);
        const TPoint from { origin_.X + kTitleBar.X, origin_.Y + kTitleBar.Y };
        const TPoint to { c.Dropped.X + kTitleBar.X, c.Dropped.Y + kTitleBar.Y };
        const std::string drag = "xdotool mousemove " + std::to_string(from.X) + " " + std::to_string(from.Y)
            + " mousedown 1 sleep 0.2 mousemove " + std::to_string(to.X) + " " + std::to_string(to.Y) + " sleep 0.2 mouseup 1";
        ASSERT_EQ(std::system(drag.c_str()), 0);
        EXPECT_TRUE(WaitFor([&] { return WindowOrigin() == c.Expected; })) << WindowOrigin().X << ", " << WindowOrigin().Y;
        origin_ = WindowOrigin();
    }
}

// On a display of its own, which the test then takes away as a logout does, while the error
// box about the missing database is open.
TEST(MoraleafOnALostDisplay, EndsInsteadOfWaitingForTheServer)
{
    int fds[2];
    ASSERT_EQ(::pipe(fds), 0);
    const pid_t server = ::fork();
    if (server == 0) {
        ::dup2(fds[1], 3);
        ::execlp("Xvfb", "Xvfb", "-displayfd", "3", "-nolisten", "tcp", static_cast<char*>(nullptr));
        ::_exit(127);
    }
    ::close(fds[1]);
    const std::string number = ReadDisplayNumber(fds[0]);
    ASSERT_FALSE(number.empty()) << "Xvfb gave no display";
    const std::string display = ":" + number;
    const pid_t program = ::fork();
    if (program == 0) {
        ::setenv("DISPLAY", display.c_str(), 1);
        if (::chdir(std::filesystem::temp_directory_path().c_str()) == 0)
            ::execl(MORALEAF_PROGRAM, MORALEAF_PROGRAM, static_cast<char*>(nullptr));
        ::_exit(127);
    }
    const bool shown = WaitFor(
        [&] { return !Output("DISPLAY=" + display + " xdotool search --onlyvisible --name . 2>/dev/null").empty(); }, 30000);
    // A logout ends the program and the server at the same moment.
    ::kill(program, SIGTERM);
    ::kill(server, SIGTERM);
    ::waitpid(server, nullptr, 0);
    int status = -1;
    const bool ended = WaitFor([&] { return ::waitpid(program, &status, WNOHANG) == program; });
    if (!ended) {
        ::kill(program, SIGKILL);
        ::waitpid(program, nullptr, 0);
    }
    EXPECT_TRUE(shown);
    EXPECT_TRUE(ended) << "the program hangs on the lost display";
}
