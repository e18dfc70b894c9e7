// The real moraleaf under a real window manager: openbox on the X display that xvfb-e2e.sh
// started, with a dock that keeps a strip along the top of the screen. The skinned title bar
// moves, maximises, restores and minimises the window as the window manager sees it, the
// title shows whether the window is active, menus and tooltips open at the pointer, and the
// window carries the program's icon and the class of its desktop entry.
#include <gtest/gtest.h>
#include <poll.h>
#include <sys/wait.h>
#include <unistd.h>

#include <csignal>
#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <string>
#include <vector>

#include "host/gfx/Bitmap.h"
#include "host/sys/Types.h"
#include "skin/frame/SUIAppIcon.h"
#include "tests/app/xvfb/DesktopTestSupport.h"
#include "tools/kit/DeckDatabase.h"
#include "tools/kit/KanaDeck.h"

// Last: Xlib's macros (None, Bool, Status) would clash with the names above.
#include <X11/Xatom.h>
#include <X11/Xlib.h>
#include <X11/Xutil.h>

#include "tests/app/xvfb/ProgramPopups.h"

namespace {

// Places in the window's client area, as the stored layout and the MacOS title bar put them.
constexpr TPoint kTitleBar { 300, 10 };
constexpr TPoint kControlBox { 12, 12 };
constexpr TPoint kMaximizeButton { 646, 12 };
constexpr TPoint kMinimizeButton { 628, 12 };
constexpr TRect kCaptionText { 25, 4, 90, 20 };
constexpr TPoint kBarePanel { 50, 300 }; // the random-draw page's cream panel
constexpr TPoint kKatakanaButton { 544, 134 };
constexpr TPoint kDrawButton { 560, 224 };
constexpr TRect kPicture { 322, 96, 482, 256 };
constexpr TSize kWindowSize { 676, 400 };
constexpr unsigned long kPanelColour = 0xFFFBF0;
constexpr unsigned long kInactiveCaptionColour = 0x808080;
constexpr unsigned long kKatakanaColour = 0x0000FF;
// The dock's strip along the top of the 1280 x 800 screen that xvfb-e2e.sh starts.
constexpr int kStrip = 32;
constexpr TRect kWorkArea { 0, kStrip, 1280, 800 };

TBlob BluePicture()
{
    TBitmap b(80, 80);
    for (int y = 0; y < b.Height(); ++y)
        for (int x = 0; x < b.Width(); ++x)
            b.SetPixel(x, y, RGB(0, 0, 0xFF));
    return b.SaveToBytes(24);
}

// One katakana, which the katakana draw always finds.
std::vector<TDeckRow> OneKatakanaDeck()
{
    TDeckRow r;
    r.Id = 49;
    r.Type = kKatakanaType;
    r.X = 1;
    r.Y = 1;
    r.Picture = BluePicture();
    r.Pronounce = "a";
    return { r };
}

bool Installed(const char* program)
{
    return std::system((std::string("command -v ") + program + " >/dev/null 2>&1").c_str()) == 0;
}

// Starts a program with its standard output on a pipe; the pid, or -1.
pid_t Start(const std::vector<std::string>& argv, int* output = nullptr)
{
    int fds[2] = { -1, -1 };
    if (output && ::pipe(fds) != 0)
        return -1;
    const pid_t pid = ::fork();
    if (pid == 0) {
        if (output) {
            ::dup2(fds[1], STDOUT_FILENO);
            ::close(fds[0]);
            ::close(fds[1]);
        }
        std::vector<char*> args;
        for (const std::string& a : argv)
            args.push_back(const_cast<char*>(a.c_str()));
        args.push_back(nullptr);
        ::execvp(args[0], args.data());
        ::_exit(127);
    }
    if (output) {
        ::close(fds[1]);
        *output = fds[0];
    }
    return pid;
}

void Stop(pid_t& pid)
{
    if (pid <= 0)
        return;
    ::kill(pid, SIGTERM);
    if (!WaitFor([&] { return ::waitpid(pid, nullptr, WNOHANG) == pid; }, 2000)) {
        ::kill(pid, SIGKILL);
        ::waitpid(pid, nullptr, 0);
    }
    pid = -1;
}

std::vector<unsigned long> Cardinals(Display* display, Window window, const char* name, Atom type = XA_CARDINAL)
{
    Atom actualType = 0;
    int format = 0;
    unsigned long count = 0;
    unsigned long after = 0;
    unsigned char* data = nullptr;
    std::vector<unsigned long> values;
    if (XGetWindowProperty(display, window, XInternAtom(display, name, False), 0, 1 << 20, False, type, &actualType, &format,
            &count, &after, &data)
            == Success
        && data && format == 32) {
        const auto* longs = reinterpret_cast<const unsigned long*>(data);
        values.assign(longs, longs + count);
    }
    if (data)
        XFree(data);
    return values;
}

std::string StartupWMClass()
{
    std::ifstream entry(MORALEAF_DESKTOP_ENTRY);
    for (std::string line; std::getline(entry, line);)
        if (line.rfind("StartupWMClass=", 0) == 0)
            return line.substr(15);
    return {};
}

class MoraleafUnderOpenbox : public ::testing::Test {
protected:
    static void SetUpTestSuite()
    {
        if (!std::getenv("DISPLAY") || !Installed("openbox"))
            return;
        display_ = XOpenDisplay(nullptr);
        if (!display_)
            return;
        openbox_ = Start({ "openbox", "--sm-disable" });
        // openbox names itself on the root window when it takes the screen, and publishes the
        // work area once it is ready for windows.
        managing_ = WaitFor([] {
            const ::Window root = DefaultRootWindow(display_);
            return !Cardinals(display_, root, "_NET_SUPPORTING_WM_CHECK", XA_WINDOW).empty()
                && !Cardinals(display_, root, "_NET_WORKAREA").empty();
        });
        if (!managing_)
            return;
        // A dock mapped while openbox is still settling in is at times left out of the work
        // area; a new one then is not.
        for (int attempt = 0; attempt < 3 && !stripped_; ++attempt) {
            Stop(dock_);
            int output = -1;
            dock_ = Start({ MORALEAF_DOCK_STRIP, std::to_string(kStrip) }, &output);
            pollfd ready { output, POLLIN, 0 };
            const bool shown = output >= 0 && ::poll(&ready, 1, 5000) == 1;
            if (output >= 0)
                ::close(output);
            stripped_ = shown
                && WaitFor(
                    [] {
                        const std::vector<unsigned long> area = Cardinals(display_, DefaultRootWindow(display_), "_NET_WORKAREA");
                        return area.size() >= 4 && static_cast<int>(area[1]) == kStrip;
                    },
                    2000);
        }
    }
    static void TearDownTestSuite()
    {
        Stop(dock_);
        Stop(openbox_);
        if (display_)
            XCloseDisplay(display_);
        display_ = nullptr;
    }

    static std::string WorkAreaText()
    {
        std::string text;
        for (unsigned long v : Cardinals(display_, DefaultRootWindow(display_), "_NET_WORKAREA"))
            text += std::to_string(v) + " ";
        return text;
    }

    void SetUp() override
    {
        if (!std::getenv("DISPLAY"))
            GTEST_SKIP() << "needs a display; run through xvfb-e2e.sh";
        if (!Installed("openbox"))
            GTEST_SKIP() << "openbox is not installed (scripts/install-deps installs it)";
        ASSERT_NE(display_, nullptr);
        ASSERT_TRUE(managing_) << "openbox did not take the screen";
        ASSERT_TRUE(stripped_) << "the dock's strip is not in the work area: " << WorkAreaText();
        std::string pattern = (std::filesystem::temp_directory_path() / "moraleaf-openbox-XXXXXX").string();
        folder_ = ::mkdtemp(pattern.data());
        WriteDeckDatabase((folder_ / "db1.mdb").string(), OneKatakanaDeck(), false);
        child_ = ::fork();
        if (child_ == 0) {
            if (::chdir(folder_.c_str()) == 0)
                ::execl(MORALEAF_PROGRAM, MORALEAF_PROGRAM, static_cast<char*>(nullptr));
            ::_exit(127);
        }
        std::string id;
        ASSERT_TRUE(WaitFor([&] {
            id = Output("xdotool search --onlyvisible --name '^Moraleaf$' 2>/dev/null | head -1");
            return !id.empty();
        })) << "no Moraleaf window";
        window_ = std::stoul(id);
        ASSERT_TRUE(WaitFor([&] { return Pixel(kBarePanel) == kPanelColour; })) << std::hex << Pixel(kBarePanel);
    }
    void TearDown() override
    {
        if (child_ > 0) {
            ::kill(child_, SIGKILL);
            ::waitpid(child_, nullptr, 0);
        }
        if (!folder_.empty())
            std::filesystem::remove_all(folder_);
    }

    // The window's client area on the screen.
    TRect Bounds()
    {
        ::Window root = 0;
        ::Window child = 0;
        int x = 0;
        int y = 0;
        unsigned width = 0;
        unsigned height = 0;
        unsigned border = 0;
        unsigned depth = 0;
        if (!XGetGeometry(display_, window_, &root, &x, &y, &width, &height, &border, &depth))
            return {};
        XTranslateCoordinates(display_, window_, root, 0, 0, &x, &y, &child);
        return ::Bounds(x, y, static_cast<int>(width), static_cast<int>(height));
    }
    TPoint OnScreen(TPoint client)
    {
        const TRect b = Bounds();
        return { b.Left + client.X, b.Top + client.Y };
    }
    void Pointer(const std::string& action, TPoint client)
    {
        const TPoint p = OnScreen(client);
        const std::string command = "xdotool mousemove " + std::to_string(p.X) + " " + std::to_string(p.Y) + " " + action;
        ASSERT_EQ(std::system(command.c_str()), 0) << command;
    }
    void Click(TPoint client) { Pointer("click 1", client); }

    // ICCCM's state of the window: 1 normal, 3 iconic.
    unsigned long WmState()
    {
        const Atom state = XInternAtom(display_, "WM_STATE", False);
        const std::vector<unsigned long> values = Cardinals(display_, window_, "WM_STATE", state);
        return values.empty() ? 0 : values[0];
    }

    unsigned long Pixel(TPoint client)
    {
        const TPoint p = OnScreen(client);
        XImage* image = XGetImage(display_, DefaultRootWindow(display_), p.X, p.Y, 1, 1, AllPlanes, ZPixmap);
        if (!image)
            return 0;
        const unsigned long pixel = XGetPixel(image, 0, 0) & 0xFFFFFF;
        XDestroyImage(image);
        return pixel;
    }
    bool Shows(const TRect& r, unsigned long colour)
    {
        const TPoint p = OnScreen(r.TopLeft());
        XImage* image = XGetImage(display_, DefaultRootWindow(display_), p.X, p.Y, static_cast<unsigned>(r.Width()),
            static_cast<unsigned>(r.Height()), AllPlanes, ZPixmap);
        if (!image)
            return false;
        bool found = false;
        for (int y = 0; y < r.Height() && !found; ++y)
            for (int x = 0; x < r.Width() && !found; ++x)
                found = (XGetPixel(image, x, y) & 0xFFFFFF) == colour;
        XDestroyImage(image);
        return found;
    }

    // The top-left corner of a shown menu or tooltip of the program (openbox keeps windows of its
    // own above the screen).
    bool PopupCorner(TPoint& corner) { return ProgramPopupCorner(display_, StartupWMClass(), corner); }

    static inline Display* display_ = nullptr;
    static inline pid_t openbox_ = -1;
    static inline pid_t dock_ = -1;
    static inline bool managing_ = false;
    static inline bool stripped_ = false;
    ::Window window_ = 0;
    std::filesystem::path folder_;
    pid_t child_ = -1;
};

} // namespace

TEST_F(MoraleafUnderOpenbox, TheDraggedTitleBarMovesTheWindowAndSnapsItToTheWorkArea)
{
    struct TCase {
        const char* What;
        TPoint By; // from where the window was
        TPoint Dropped; // absolute, when By is not used
        TPoint Expected;
    };
    const TRect start = Bounds();
    const TCase cases[] = {
        { "moved by the pointer's way", { 90, 70 }, {}, start.Offset(90, 70).TopLeft() },
        // Near the dock: the edge is the work area's, below the strip.
        { "near the strip's edge", {}, { 200, kStrip + 6 }, { 200, kStrip } },
    };
    for (const TCase& c : cases) {
        SCOPED_TRACE(c.What);
        const TRect before = Bounds();
        const TPoint dropped = c.By == TPoint {} ? c.Dropped : before.Offset(c.By.X, c.By.Y).TopLeft();
        const TPoint from = OnScreen(kTitleBar);
        const TPoint to { dropped.X + kTitleBar.X, dropped.Y + kTitleBar.Y };
        const std::string drag = "xdotool mousemove " + std::to_string(from.X) + " " + std::to_string(from.Y)
            + " mousedown 1 sleep 0.2 mousemove " + std::to_string(to.X) + " " + std::to_string(to.Y) + " sleep 0.2 mouseup 1";
        ASSERT_EQ(std::system(drag.c_str()), 0);
        EXPECT_TRUE(WaitFor([&] { return Bounds().TopLeft() == c.Expected; })) << Bounds().Left << ", " << Bounds().Top;
    }
}

TEST_F(MoraleafUnderOpenbox, MaximiseFillsTheWorkAreaAndRestorePutsTheWindowBack)
{
    const TRect normal = Bounds();
    ASSERT_EQ(normal.Width(), kWindowSize.cx);
    Click(kMaximizeButton);
    EXPECT_TRUE(WaitFor([&] { return Bounds() == kWorkArea; }))
        << Bounds().Left << ", " << Bounds().Top << ", " << Bounds().Right << ", " << Bounds().Bottom;
    // Painted to its new edges.
    EXPECT_TRUE(WaitFor([&] {
        return Pixel({ 50, kWorkArea.Height() - 40 }) == kPanelColour;
    })) << std::hex
        << Pixel({ 50, kWorkArea.Height() - 40 });
    Click({ kWorkArea.Width() - 30, 12 });
    EXPECT_TRUE(WaitFor([&] { return Bounds() == normal; }))
        << Bounds().Left << ", " << Bounds().Top << ", " << Bounds().Right << ", " << Bounds().Bottom;
}

TEST_F(MoraleafUnderOpenbox, AMaximisedWindowComesBackMaximisedFromTheIcon)
{
    const TRect normal = Bounds();
    Click(kMaximizeButton);
    ASSERT_TRUE(WaitFor([&] { return Bounds() == kWorkArea; }));
    Click({ kWorkArea.Width() - 48, 12 }); // minimise, the third button from the right
    ASSERT_TRUE(WaitFor([&] { return WmState() == IconicState; })) << WmState();
    ASSERT_EQ(std::system(("xdotool windowactivate " + std::to_string(window_)).c_str()), 0);
    EXPECT_TRUE(WaitFor([&] { return WmState() == NormalState; })) << WmState();
    EXPECT_TRUE(WaitFor([&] {
        return Bounds() == kWorkArea && Pixel({ 50, kWorkArea.Height() - 40 }) == kPanelColour;
    })) << Bounds().Left
        << ", " << Bounds().Top << ", " << Bounds().Right << ", " << Bounds().Bottom;
    // Still maximised: the same button restores it.
    Click({ kWorkArea.Width() - 30, 12 });
    EXPECT_TRUE(WaitFor([&] { return Bounds() == normal; }))
        << Bounds().Left << ", " << Bounds().Top << ", " << Bounds().Right << ", " << Bounds().Bottom;
}

TEST_F(MoraleafUnderOpenbox, MinimiseMakesTheWindowIconicAndActivatingItBringsItBackPainted)
{
    ASSERT_EQ(WmState(), static_cast<unsigned long>(NormalState));
    const TRect normal = Bounds();
    Click(kMinimizeButton);
    ASSERT_TRUE(WaitFor([&] { return WmState() == IconicState; })) << WmState();
    ASSERT_EQ(std::system(("xdotool windowactivate " + std::to_string(window_)).c_str()), 0);
    EXPECT_TRUE(WaitFor([&] { return WmState() == NormalState; })) << WmState();
    EXPECT_EQ(Bounds(), normal);
    EXPECT_TRUE(WaitFor([&] { return Pixel(kBarePanel) == kPanelColour && Shows(kCaptionText, 0x000000); }))
        << std::hex << Pixel(kBarePanel);
}

TEST_F(MoraleafUnderOpenbox, TheTitleShowsTheInactiveColouringWhileAnotherWindowIsActive)
{
    ASSERT_TRUE(WaitFor([&] { return Shows(kCaptionText, 0x000000); })) << "the active caption is black";
    const ::Window other = XCreateSimpleWindow(display_, DefaultRootWindow(display_), 900, 600, 200, 100, 0, 0, 0xFFFFFF);
    XMapWindow(display_, other);
    XFlush(display_);
    const std::string activate = "xdotool windowactivate --sync ";
    ASSERT_EQ(std::system((activate + std::to_string(other)).c_str()), 0);
    EXPECT_TRUE(WaitFor([&] { return Shows(kCaptionText, kInactiveCaptionColour) && !Shows(kCaptionText, 0x000000); }));
    ASSERT_EQ(std::system((activate + std::to_string(window_)).c_str()), 0);
    EXPECT_TRUE(WaitFor([&] { return Shows(kCaptionText, 0x000000); }));
    XDestroyWindow(display_, other);
    XFlush(display_);
}

TEST_F(MoraleafUnderOpenbox, TheSystemMenuAndTooltipsOpenNextToThePointer)
{
    {
        SCOPED_TRACE("system menu");
        Click(kControlBox);
        const TPoint pointer = OnScreen(kControlBox);
        TPoint corner;
        ASSERT_TRUE(WaitFor([&] { return PopupCorner(corner); })) << "no system menu";
        EXPECT_LE(std::abs(corner.X - pointer.X), 30) << corner.X << " for a pointer at " << pointer.X;
        EXPECT_LE(std::abs(corner.Y - pointer.Y), 30) << corner.Y << " for a pointer at " << pointer.Y;
        ASSERT_EQ(std::system("xdotool key Escape"), 0);
        ASSERT_TRUE(WaitFor([&] { return !PopupCorner(corner); })) << "the menu stays";
    }
    SCOPED_TRACE("tooltip");
    Click(kKatakanaButton);
    Click(kDrawButton);
    ASSERT_TRUE(WaitFor([&] { return Shows(kPicture, kKatakanaColour); }));
    const TPoint centre { (kPicture.Left + kPicture.Right) / 2, (kPicture.Top + kPicture.Bottom) / 2 };
    Pointer("", centre);
    const TPoint pointer = OnScreen(centre);
    TPoint corner;
    ASSERT_TRUE(WaitFor([&] { return PopupCorner(corner); })) << "no tooltip";
    EXPECT_GE(corner.Y, pointer.Y);
    EXPECT_LE(corner.Y, pointer.Y + 30);
    EXPECT_LE(std::abs(corner.X - pointer.X), 30) << corner.X << " for a pointer at " << pointer.X;
}

TEST_F(MoraleafUnderOpenbox, TheWindowHasTheProgramsIconAndTheClassOfItsDesktopEntry)
{
    XClassHint hint {};
    ASSERT_TRUE(XGetClassHint(display_, window_, &hint));
    const std::string className = hint.res_class ? hint.res_class : "";
    XFree(hint.res_name);
    XFree(hint.res_class);
    EXPECT_FALSE(StartupWMClass().empty());
    EXPECT_EQ(className, StartupWMClass());

    // Width, height, then ARGB pixels: the 32 x 32 picture of the program's icon, see-through
    // where the icon is.
    TBitmap picture;
    ASSERT_TRUE(LoadAppIcon(picture, 32));
    const std::vector<unsigned long> icon = Cardinals(display_, window_, "_NET_WM_ICON");
    ASSERT_EQ(icon.size(), 2u + 32 * 32);
    EXPECT_EQ(icon[0], 32u);
    EXPECT_EQ(icon[1], 32u);
    int wrong = 0;
    for (int y = 0; y < 32; ++y)
        for (int x = 0; x < 32; ++x) {
            const TColor c = picture.GetPixel(x, y);
            const unsigned long expected
                = c == picture.TransparentColor() ? 0 : 0xFF000000ul | (GetRValue(c) << 16) | (GetGValue(c) << 8) | GetBValue(c);
            wrong += (icon[2 + static_cast<std::size_t>(y) * 32 + static_cast<std::size_t>(x)] & 0xFFFFFFFFul) != expected;
        }
    EXPECT_EQ(wrong, 0);
}
