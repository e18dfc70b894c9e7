// The real moraleaf drawn at a display scale, on a large private Xvfb screen: the window is
// that many times as large, its text rasterised at the finer size, and clicks map back.
#include <gtest/gtest.h>
#include <sys/wait.h>
#include <unistd.h>

#include <csignal>
#include <cstdlib>
#include <cstring>
#include <filesystem>
#include <optional>
#include <string>

#include "host/sys/Types.h"
#include "tests/app/xvfb/DesktopTestSupport.h"
#include "tests/app/xvfb/TwoKanaDeck.h"
#include "tools/kit/DeckDatabase.h"

// Last: Xlib's macros (None, Bool, Status) would clash with the names above.
#include <X11/Xatom.h>
#include <X11/Xlib.h>
#include <X11/Xutil.h>

namespace {

constexpr TSize kLogicalWindow { 676, 400 };
constexpr const char* kScreen = "2560x1600x24";
// Logical places in the window, as the stored layout puts them.
constexpr TRect kHint { 120, 178, 290, 198 }; // the random-draw page's hint text on its cream panel
constexpr TRect kCaption { 24, 3, 110, 20 }; // the title bar's caption
constexpr TPoint kKatakanaButton { 544, 134 };
constexpr TPoint kDrawButton { 560, 224 };
constexpr TRect kPicture { 322, 96, 482, 256 };
constexpr unsigned long kPanel = 0xFFFBF0;

struct TCapture {
    int Width = 0;
    int Height = 0;
    std::vector<unsigned long> Pixels; // 0xRRGGBB
    unsigned long At(int x, int y) const { return Pixels[static_cast<std::size_t>(y * Width + x)]; }
};

// A private X server with a large screen, its X resources set, and moraleaf on it.
class ScaledMoraleaf {
public:
    ScaledMoraleaf(const char* scale, const char* resources)
    {
        int fds[2];
        if (::pipe(fds) != 0)
            return;
        server_ = ::fork();
        if (server_ == 0) {
            ::dup2(fds[1], 3);
            ::execlp("Xvfb", "Xvfb", "-displayfd", "3", "-screen", "0", kScreen, "-nolisten", "tcp", static_cast<char*>(nullptr));
            ::_exit(127);
        }
        ::close(fds[1]);
        const std::string number = ReadDisplayNumber(fds[0]);
        if (number.empty())
            return;
        name_ = ":" + number;
        WaitFor([&] { return (display_ = XOpenDisplay(name_.c_str())) != nullptr; });
        if (!display_)
            return;
        if (resources) {
            XChangeProperty(display_, DefaultRootWindow(display_), XA_RESOURCE_MANAGER, XA_STRING, 8, PropModeReplace,
                reinterpret_cast<const unsigned char*>(resources), static_cast<int>(std::strlen(resources)));
            XSync(display_, False);
        }
        std::string pattern = (std::filesystem::temp_directory_path() / "moraleaf-scaled-XXXXXX").string();
        folder_ = ::mkdtemp(pattern.data());
        WriteDeckDatabase((folder_ / "db1.mdb").string(), TwoKanaDeck(), false);
        program_ = ::fork();
        if (program_ == 0) {
            ::setenv("DISPLAY", name_.c_str(), 1);
            ::unsetenv("GDK_SCALE");
            if (scale)
                ::setenv("MORALEAF_SCALE", scale, 1);
            else
                ::unsetenv("MORALEAF_SCALE");
            if (::chdir(folder_.c_str()) == 0)
                ::execl(MORALEAF_PROGRAM, MORALEAF_PROGRAM, static_cast<char*>(nullptr));
            ::_exit(127);
        }
        WaitFor(
            [&] {
                window_ = Output("DISPLAY=" + name_ + " xdotool search --onlyvisible --name '^Moraleaf$' 2>/dev/null | head -1");
                return !window_.empty();
            },
            30000);
    }
    ~ScaledMoraleaf()
    {
        if (program_ > 0) {
            ::kill(program_, SIGKILL);
            ::waitpid(program_, nullptr, 0);
        }
        if (display_)
            XCloseDisplay(display_);
        if (server_ > 0) {
            ::kill(server_, SIGTERM);
            ::waitpid(server_, nullptr, 0);
        }
        if (!folder_.empty())
            std::filesystem::remove_all(folder_);
    }
    ScaledMoraleaf(const ScaledMoraleaf&) = delete;
    ScaledMoraleaf& operator=(const ScaledMoraleaf&) = delete;

    bool Shown() const { return !window_.empty(); }

    // The window's place and size on the screen, in device pixels.
    TRect Geometry()
    {
        XWindowAttributes a;
        const ::Window w = std::stoul(window_);
        ::Window child = 0;
        int x = 0;
        int y = 0;
        if (!XGetWindowAttributes(display_, w, &a)
            || !XTranslateCoordinates(display_, w, DefaultRootWindow(display_), 0, 0, &x, &y, &child))
            return {};
        return Bounds(x, y, a.width, a.height);
    }

    TCapture Capture()
    {
        const TRect g = Geometry();
        TCapture c { g.Width(), g.Height(), {} };
        XImage* image = XGetImage(display_, DefaultRootWindow(display_), g.Left, g.Top, static_cast<unsigned>(g.Width()),
            static_cast<unsigned>(g.Height()), AllPlanes, ZPixmap);
        if (!image)
            return {};
        for (int y = 0; y < g.Height(); ++y)
            for (int x = 0; x < g.Width(); ++x)
                c.Pixels.push_back(XGetPixel(image, x, y) & 0xFFFFFF);
        XDestroyImage(image);
        return c;
    }

    // Clicks a device point of the window.
    bool Click(TPoint device)
    {
        const TRect g = Geometry();
        const std::string command = "DISPLAY=" + name_ + " xdotool mousemove " + std::to_string(g.Left + device.X) + " "
            + std::to_string(g.Top + device.Y) + " click 1";
        return std::system(command.c_str()) == 0;
    }

private:
    pid_t server_ = -1;
    pid_t program_ = -1;
    std::string name_;
    Display* display_ = nullptr;
    std::filesystem::path folder_;
    std::string window_;
};

// Whether an aligned 2 x 2 block of the logical area holds a pixel of pure ink and one of the
// background its row has at the area's right end. A 1x text blown up, by repeating or by
// blending its pixels, never has both in one block; text rasterised at twice its size does.
bool HasFineInk(const TCapture& c, const TRect& logical, unsigned long ink)
{
    for (int y = logical.Top; y < logical.Bottom; ++y)
        for (int x = logical.Left; x < logical.Right; ++x) {
            bool inked = false;
            bool bare = false;
            for (int dy = 0; dy < 2; ++dy)
                for (int dx = 0; dx < 2; ++dx) {
                    const int py = 2 * y + dy;
                    const unsigned long p = c.At(2 * x + dx, py);
                    inked = inked || p == ink;
                    bare = bare || p == c.At(2 * logical.Right, py);
                }
            if (inked && bare)
                return true;
        }
    return false;
}

bool Shows(const TCapture& c, const TRect& device, unsigned long colour)
{
    for (int y = device.Top; y < device.Bottom; ++y)
        for (int x = device.Left; x < device.Right; ++x)
            if (c.At(x, y) == colour)
                return true;
    return false;
}

} // namespace

TEST(ScaledMoraleaf, TheScaleComesFromTheVariableOrXftDpiAndIsLoweredToFitTheScreen)
{
    if (!std::getenv("DISPLAY"))
        GTEST_SKIP() << "needs Xvfb; run through xvfb-e2e.sh";
    struct TCase {
        const char* Scale;
        const char* Resources;
        int Expected;
    };
    const TCase cases[] = {
        { "2", nullptr, 2 },
        { "4", nullptr, 3 }, // 2704 pixels do not fit the 2560 of the screen
        { nullptr, "Xft.antialias:\t1\nXft.dpi:\t192\n", 2 },
        { "abc", "Xft.dpi:\t96\n", 1 },
    };
    for (const TCase& c : cases) {
        SCOPED_TRACE(std::string(c.Scale ? c.Scale : "-") + " / " + (c.Resources ? c.Resources : "-"));
        ScaledMoraleaf program(c.Scale, c.Resources);
        ASSERT_TRUE(program.Shown()) << "no Moraleaf window";
        const TRect g = program.Geometry();
        EXPECT_EQ(g.Width(), kLogicalWindow.cx * c.Expected);
        EXPECT_EQ(g.Height(), kLogicalWindow.cy * c.Expected);
    }
}

TEST(ScaledMoraleaf, AtScaleTwoTextIsRasterisedFinelyAndClicksReachTheirControls)
{
    if (!std::getenv("DISPLAY"))
        GTEST_SKIP() << "needs Xvfb; run through xvfb-e2e.sh";
    ScaledMoraleaf program("2", nullptr);
    ASSERT_TRUE(program.Shown()) << "no Moraleaf window";
    TCapture shot;
    ASSERT_TRUE(WaitFor([&] {
        shot = program.Capture();
        return shot.Width == 1352 && shot.Height == 800 && shot.At(2 * 50, 2 * 300) == kPanel;
    })) << "a 1352 x 800 window with its panel painted";
    EXPECT_TRUE(HasFineInk(shot, kHint, 0x000000)) << "the hint text";
    EXPECT_TRUE(HasFineInk(shot, kCaption, 0x000000)) << "the caption";

    // Clicked at device pixels: the katakana button, then the draw button.
    ASSERT_TRUE(program.Click({ 2 * kKatakanaButton.X, 2 * kKatakanaButton.Y }));
    ASSERT_TRUE(program.Click({ 2 * kDrawButton.X, 2 * kDrawButton.Y }));
    EXPECT_TRUE(WaitFor([&] {
        const TCapture now = program.Capture();
        return now.Width == 1352
            && Shows(now, { 2 * kPicture.Left, 2 * kPicture.Top, 2 * kPicture.Right, 2 * kPicture.Bottom }, kKatakanaColour);
    })) << "the katakana draw shows the katakana";
}
