// How forms meet the desktop: quit requests and snapping to the work area's edges.
#include <csignal>

#include "host/win/QuitSignals.h"
#include "host/win/SystemInfo.h"
#include "tests/host/ui/ControlTestSupport.h"

TEST_F(ControlTest, AQuitSignalClosesTheMainFormAsItsCloseButtonDoes)
{
    CatchQuitSignals();
    struct TCase {
        int Signal;
        bool CanClose;
    };
    for (const TCase c : { TCase { SIGTERM, true }, TCase { SIGINT, true }, TCase { SIGHUP, true }, TCase { SIGTERM, false } }) {
        SCOPED_TRACE(testing::Message() << "signal " << c.Signal << (c.CanClose ? "" : ", close refused"));
        delete app;
        app = new TApplication(nullptr);
        app->Initialize();
        TForm* main = nullptr;
        app->CreateForm(main);
        int closes = 0;
        main->OnCloseQuery = [&](TObject*, bool& canClose) { canClose = c.CanClose; };
        main->OnClose = [&](TObject*, TCloseAction&) { ++closes; };
        main->Show();
        app->ProcessMessages();

        ASSERT_EQ(std::raise(c.Signal), 0);
        app->ProcessMessages();
        EXPECT_EQ(closes, c.CanClose ? 1 : 0);
        EXPECT_EQ(app->Terminated(), c.CanClose);
    }
}

TEST_F(ControlTest, AQuitSignalBeforeTheMainFormExistsEndsTheProgram)
{
    CatchQuitSignals();
    ASSERT_EQ(std::raise(SIGTERM), 0);
    app->ProcessMessages();
    EXPECT_TRUE(app->Terminated());
}

TEST_F(ControlTest, DraggingAFormByItsCaptionSnapsItToNearWorkAreaEdges)
{
    TRect area;
    ASSERT_TRUE(SystemParametersInfo(SPI_GETWORKAREA, 0, &area, 0));
    constexpr int kWidth = 200;
    constexpr int kHeight = 100;
    struct TCase {
        const char* What;
        // Where the drag puts the window's top-left corner, and where it should end up.
        TPoint Dropped;
        TPoint Expected;
        bool ScreenSnap = true;
        int SnapBuffer = 10;
    };
    const TCase cases[] = {
        { "left edge, inside the buffer", { area.Left + 10, 300 }, { area.Left, 300 } },
        { "left edge, past it", { area.Left - 6, 300 }, { area.Left, 300 } },
        { "left edge, outside the buffer", { area.Left + 11, 300 }, { area.Left + 11, 300 } },
        { "right edge, inside", { area.Right - kWidth - 9, 300 }, { area.Right - kWidth, 300 } },
        { "right edge, outside", { area.Right - kWidth - 11, 300 }, { area.Right - kWidth - 11, 300 } },
        { "top edge, inside", { 400, area.Top + 7 }, { 400, area.Top } },
        { "top edge, outside", { 400, area.Top + 11 }, { 400, area.Top + 11 } },
        { "bottom edge, inside", { 400, area.Bottom - kHeight + 4 }, { 400, area.Bottom - kHeight } },
        { "bottom edge, outside", { 400, area.Bottom - kHeight - 11 }, { 400, area.Bottom - kHeight - 11 } },
        { "a corner", { area.Right - kWidth + 3, area.Top - 2 }, { area.Right - kWidth, area.Top } },
        { "snapping off", { area.Left + 5, 300 }, { area.Left + 5, 300 }, false },
        { "a wider buffer", { area.Left + 20, 300 }, { area.Left, 300 }, true, 20 },
    };
    for (const TCase& c : cases) {
        SCOPED_TRACE(c.What);
        auto* form = new TForm(app);
        form->SetBorderStyle(bsSingle);
        form->SetScreenSnap(c.ScreenSnap);
        form->SetSnapBuffer(c.SnapBuffer);
        form->SetBounds(500, 400, kWidth, kHeight);
        form->Show();
        app->ProcessMessages();

        // Pressed on the caption the desktop draws, 20 pixels right of and 8 below the corner.
        desk->PressMouse(520, 408);
        desk->MoveMouse(c.Dropped.X + 20, c.Dropped.Y + 8);
        desk->ReleaseMouse(c.Dropped.X + 20, c.Dropped.Y + 8);
        app->ProcessMessages();
        EXPECT_EQ(form->BoundsRect().TopLeft(), c.Expected);
        EXPECT_EQ(form->Width(), kWidth);
        delete form;
    }
}
