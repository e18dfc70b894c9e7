#include <gtest/gtest.h>

#include <functional>
#include <memory>

#include "host/ui/MenuWindow.h"
#include "host/win/Input.h"
#include "host/win/MessageQueue.h"
#include "host/win/VirtualKeys.h"
#include "host/win/WindowProcedure.h"
#include "host/win/WindowSystem.h"
#include "host/win/backends/HeadlessBackend.h"

namespace {

constexpr int kFrame = TMenuWindow::kFrame;

struct TDrawn {
    std::string Caption;
    bool Selected;
    TRect Rect;
};

// A popup menu on a headless desktop, in front of an active window that has the keyboard.
// Each scripted step runs when the menu's loop waits for input.
class MenuPopupTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        desk = &THeadlessBackend::Install();
        TCreateParams params;
        params.Style = WS_OVERLAPPED | WS_VISIBLE;
        params.X = 10;
        params.Y = 10;
        params.Width = 600;
        params.Height = 500;
        owner = CreateWindowEx(params);
        SetFocus(owner);
        menu = std::make_unique<TPopupMenu>(nullptr);
    }

    void TearDown() override
    {
        menu.reset();
        desk->OnIdle = nullptr;
        DestroyWindow(owner);
        DoneWindowSystem();
    }

    // A step of a script: input for the menu, or a look at it (which brings no input).
    struct TStep {
        template <typename F>
        TStep(F run, bool injects = true)
            : Run(std::move(run))
            , Injects(injects)
        {
        }
        std::function<void()> Run;
        bool Injects;
    };
    static TStep Check(std::function<void()> check) { return TStep(std::move(check), false); }

    // Each time the menu waits, the steps up to the next input run.
    void Script(std::vector<TStep> steps)
    {
        desk->OnIdle = [steps = std::move(steps), next = std::size_t { 0 }]() mutable {
            while (next < steps.size()) {
                const TStep& step = steps[next++];
                step.Run();
                if (step.Injects)
                    break;
            }
        };
    }

    TMenuItem* Add(const std::string& caption, TMenuItem* parent = nullptr)
    {
        auto* item = new TMenuItem(menu.get());
        item->SetCaption(caption);
        item->OnClick = [this, caption](TObject*) {
            clicks.push_back(caption);
            windowGoneAtClick = !IsWindow(shown) && menu->WindowHandle() == nullptr;
        };
        (parent != nullptr ? parent : menu->Items())->Add(item);
        return item;
    }

    // Owner-drawn items of a fixed size that log how they are drawn.
    void MeasureAndLog(TMenuItem* item, int width, int height)
    {
        item->OnMeasureItem = [width, height](TObject*, TCanvas&, int& w, int& h) {
            w = width;
            h = height;
        };
        item->OnDrawItem = [this](TObject* sender, TCanvas&, const TRect& r, bool selected) {
            drawn.push_back({ static_cast<TMenuItem*>(sender)->Caption(), selected, r });
        };
    }

    // The last time the item was drawn, whether it was the hot one.
    bool LastDrawnSelected(const std::string& caption) const
    {
        for (auto it = drawn.rbegin(); it != drawn.rend(); ++it) {
            if (it->Caption == caption)
                return it->Selected;
        }
        ADD_FAILURE() << caption << " was never drawn";
        return false;
    }

    // Remembers the open menu's window and its screen rectangle.
    TStep Look()
    {
        return Check([this] {
            shown = menu->WindowHandle();
            GetWindowRect(shown, &shownRect);
            shownVisible = IsWindowVisible(shown);
        });
    }
    TStep Key(int key)
    {
        return [this, key] { desk->PressKey(key); };
    }

    THeadlessBackend* desk = nullptr;
    HWND owner = nullptr;
    std::unique_ptr<TPopupMenu> menu;
    std::vector<std::string> clicks;
    std::vector<TDrawn> drawn;
    HWND shown = nullptr;
    TRect shownRect;
    bool shownVisible = false;
    bool windowGoneAtClick = false;
};

TEST_F(MenuPopupTest, WindowAtThePointSizedFromTheMeasuredItems)
{
    menu->SetOwnerDraw(true);
    MeasureAndLog(Add("Open"), 120, 20);
    MeasureAndLog(Add("-"), 30, 7);
    MeasureAndLog(Add("Close"), 90, 20);
    Add("Hidden")->SetVisible(false);
    bool popped = false;
    menu->OnPopup = [&popped](TObject*) { popped = true; };
    Script({ Look(), Key(VK_ESCAPE) });

    menu->Popup(200, 150);

    EXPECT_TRUE(popped);
    EXPECT_TRUE(shownVisible);
    EXPECT_EQ(shownRect, Bounds(200, 150, 120 + 2 * kFrame, 47 + 2 * kFrame));
    EXPECT_FALSE(IsWindow(shown)) << "closed when Popup returns";
    EXPECT_EQ(menu->WindowHandle(), nullptr);
    // Every item spans the widest; the window is drawn in client coordinates.
    ASSERT_GE(drawn.size(), 3u);
    EXPECT_EQ(drawn[0].Rect, Rect(kFrame, kFrame, kFrame + 120, kFrame + 20));
    EXPECT_EQ(drawn[1].Rect, Rect(kFrame, kFrame + 20, kFrame + 120, kFrame + 27));
    EXPECT_EQ(drawn[2].Rect, Rect(kFrame, kFrame + 27, kFrame + 120, kFrame + 47));
    EXPECT_TRUE(clicks.empty());
}

TEST_F(MenuPopupTest, MeasureHandlerRunsOnlyForOwnerDrawOrItsOwnItem)
{
    TMenuItem* plain = Add("Plain");
    int measured = 0;
    plain->OnDrawItem = [](TObject*, TCanvas&, const TRect&, bool) {};
    TMenuItem* own = Add("Own");
    own->OnMeasureItem = [&measured](TObject*, TCanvas& canvas, int& w, int& h) {
        ++measured;
        EXPECT_GT(w, canvas.TextWidth("Own")) << "the default size comes in";
        EXPECT_GT(h, 0);
        w = 400;
    };
    Script({ Look(), Key(VK_ESCAPE) });
    menu->Popup(0, 0);
    EXPECT_EQ(measured, 1);
    EXPECT_EQ(shownRect.Width(), 400 + 2 * kFrame);
}

TEST_F(MenuPopupTest, MenuMovesInsideTheWorkArea)
{
    MeasureAndLog(Add("A"), 100, 30);
    Script({ Look(), Key(VK_ESCAPE) });
    menu->Popup(THeadlessBackend::kScreenWidth - 10, THeadlessBackend::kScreenHeight - 5);
    EXPECT_EQ(shownRect.Right, THeadlessBackend::kScreenWidth);
    EXPECT_EQ(shownRect.Bottom, THeadlessBackend::kScreenHeight - THeadlessBackend::kTaskBarHeight);
}

TEST_F(MenuPopupTest, KeyboardSkipsSeparatorsAndDisabledItemsAndEnterClicks)
{
    for (const char* caption : { "A", "-", "B", "C", "D" })
        MeasureAndLog(Add(caption), 80, 18);
    menu->Items()->Items(2)->SetEnabled(false);
    menu->Items()->Items(4)->SetVisible(false);
    std::vector<bool> hot;
    auto hotIs = [&](const char* caption) { return Check([&, caption] { hot.push_back(LastDrawnSelected(caption)); }); };
    Script({ Look(), Key(VK_DOWN), hotIs("A"), Key(VK_DOWN), hotIs("C"), Key(VK_DOWN), hotIs("A"), Key(VK_UP), hotIs("C"),
        Key(VK_RETURN) });

    menu->Popup(100, 100);

    EXPECT_EQ(hot, (std::vector<bool> { true, true, true, true }));
    EXPECT_FALSE(LastDrawnSelected("B"));
    EXPECT_EQ(clicks, (std::vector<std::string> { "C" }));
    EXPECT_TRUE(windowGoneAtClick) << "OnClick runs after the menu closed";
}

TEST_F(MenuPopupTest, EscapeAndAPressOutsideCloseWithoutAClick)
{
    MeasureAndLog(Add("A"), 80, 18);
    Script({ Key(VK_DOWN), Key(VK_ESCAPE) });
    menu->Popup(100, 100);
    EXPECT_TRUE(clicks.empty());

    Script({ Look(), [this] { desk->Click(50, 50); } });
    menu->Popup(100, 100);
    EXPECT_TRUE(clicks.empty());
    EXPECT_FALSE(IsWindow(shown));
    EXPECT_EQ(GetCapture(), nullptr);
}

TEST_F(MenuPopupTest, MouseHighlightsAndClicksEnabledItems)
{
    MeasureAndLog(Add("A"), 80, 20);
    MeasureAndLog(Add("B"), 80, 20);
    menu->Items()->Items(1)->SetEnabled(false);
    const int x = 300 + 10;
    const int yA = 200 + kFrame + 10;
    const int yB = yA + 20;
    bool hotA = false;
    bool hotB = true;
    Script({ [&] { desk->MoveMouse(x, yA); }, Check([&] { hotA = LastDrawnSelected("A"); }), [&] { desk->MoveMouse(x, yB); },
        Check([&] { hotB = LastDrawnSelected("B"); }), [&] { desk->Click(x, yB); }, [&] { desk->Click(x, yA); } });

    menu->Popup(300, 200);

    EXPECT_TRUE(hotA);
    EXPECT_FALSE(hotB) << "a disabled item is never highlighted";
    EXPECT_FALSE(LastDrawnSelected("A")) << "pointing at the disabled item took the highlight away";
    EXPECT_EQ(clicks, (std::vector<std::string> { "A" }));
}

TEST_F(MenuPopupTest, SubMenusOpenToTheRightAsFurtherWindows)
{
    MeasureAndLog(Add("A"), 80, 20);
    TMenuItem* more = Add("More");
    MeasureAndLog(more, 80, 20);
    MeasureAndLog(Add("X", more), 60, 20);
    MeasureAndLog(Add("Y", more), 60, 20);
    HWND sub = nullptr;
    TRect subRect;
    bool closedByLeft = false;
    Script({ Look(), Key(VK_DOWN), Key(VK_DOWN), Key(VK_RIGHT), Check([&] {
                sub = WindowFromPoint({ shownRect.Right + 5, shownRect.Top + kFrame + 25 });
                GetWindowRect(sub, &subRect);
            }),
        Key(VK_LEFT), Check([&] { closedByLeft = !IsWindow(sub); }), Key(VK_RETURN), Key(VK_DOWN), Key(VK_RETURN) });

    menu->Popup(100, 100);

    ASSERT_NE(sub, nullptr);
    EXPECT_NE(sub, shown);
    EXPECT_EQ(subRect.Left, shownRect.Right);
    EXPECT_EQ(subRect.Top, shownRect.Top + 20) << "level with its item";
    EXPECT_TRUE(closedByLeft);
    EXPECT_EQ(clicks, (std::vector<std::string> { "Y" }));
}

TEST_F(MenuPopupTest, SubMenuItemsAreClickedWithTheMouse)
{
    TMenuItem* more = Add("More");
    MeasureAndLog(more, 80, 20);
    MeasureAndLog(Add("X", more), 60, 20);
    const int y = 100 + kFrame + 10;
    const int subX = 100 + 80 + 2 * kFrame + 10;
    Script({ [&] { desk->MoveMouse(110, y); }, [&] { desk->MoveMouse(subX, y); }, [&] { desk->Click(subX, y); } });
    menu->Popup(100, 100);
    EXPECT_EQ(clicks, (std::vector<std::string> { "X" }));
}

TEST_F(MenuPopupTest, QuitDismissesTheMenuAndStaysQueued)
{
    MeasureAndLog(Add("A"), 80, 20);
    Script({ [this] {
        PostQuitMessage(3);
        desk->MoveMouse(5, 5);
    } });
    menu->Popup(100, 100);
    EXPECT_TRUE(clicks.empty());
    MSG msg;
    ASSERT_TRUE(PeekMessage(&msg, nullptr, 0, 0, PM_REMOVE));
    EXPECT_EQ(msg.message, WM_QUIT);
    EXPECT_EQ(msg.wParam, 3u);
}

TEST_F(MenuPopupTest, ItemsRemovedWhileOpenDismissTheMenu)
{
    MeasureAndLog(Add("A"), 80, 20);
    TMenuItem* b = Add("B");
    MeasureAndLog(b, 80, 20);
    SetWindowProc(owner, [b](HWND w, UINT m, WPARAM wp, LPARAM lp) -> LRESULT {
        if (m != WM_USER)
            return DefWindowProc(w, m, wp, lp);
        delete b;
        return 0;
    });
    Script({ Key(VK_DOWN), Key(VK_DOWN),
        [this] {
            PostMessage(owner, WM_USER, 0, 0);
            desk->MoveMouse(5, 5);
        },
        Key(VK_RETURN) });
    menu->Popup(100, 100);
    EXPECT_TRUE(clicks.empty());
    EXPECT_EQ(menu->Items()->Count(), 1);
}

TEST_F(MenuPopupTest, PlainItemsAreDrawnWithoutHandlers)
{
    TMenuItem* save = Add("&Save");
    save->SetShortCut(TextToShortCut("Ctrl+S"));
    save->SetChecked(true);
    save->SetDefault(true);
    Add("-");
    Add("Gone")->SetEnabled(false);
    TMenuItem* more = Add("More");
    Add("Sub", more);
    TBitmap shot;
    Script({ Key(VK_DOWN), [&] {
                shot = desk->CaptureWindow(menu->WindowHandle());
                desk->PressKey(VK_ESCAPE);
            } });
    menu->Popup(100, 100);
    ASSERT_FALSE(shot.Empty());
    // The hot first item is filled with the highlight colour, the frame is the shadow colour.
    EXPECT_EQ(shot.GetPixel(kFrame + 1, kFrame + 1), ColorToRGB(clHighlight));
    EXPECT_EQ(shot.GetPixel(0, 0), ColorToRGB(clBtnShadow));
    EXPECT_EQ(shot.GetPixel(kFrame + 1, shot.Height() - kFrame - 2), ColorToRGB(clMenu));
}

} // namespace
