#include "host/win/Input.h"
#include "tests/skin/frame/SUITitleBarTestSupport.h"

TEST_F(TitleBarTest, DraggingTheCaptionMovesTheWindow)
{
    const TPoint start = Screen(200, 12);
    int step = 0;
    bool downWhileMoving = true;
    desk->OnIdle = [&] {
        if (step == 0)
            desk->MoveMouse(start.X + 50, start.Y + 30);
        else if (step == 1)
            desk->MoveMouse(start.X + 70, start.Y + 40);
        else if (step == 2) {
            downWhileMoving = bar->MouseIsDown();
            desk->ReleaseMouse(start.X + 70, start.Y + 40);
        }
        ++step;
    };
    desk->PressMouse(start.X, start.Y);
    DispatchPendingMessages();
    EXPECT_EQ(form->Left(), kFormX + 70);
    EXPECT_EQ(form->Top(), kFormY + 40);
    EXPECT_TRUE(downWhileMoving);
    EXPECT_FALSE(bar->MouseIsDown());
    EXPECT_EQ(form->WindowState(), wsNormal);
}

TEST_F(TitleBarTest, PressOnAButtonDoesNotMoveTheWindow)
{
    const TPoint p = Screen(RightButtonX(2) + 8, kButtonTop + 8);
    desk->PressMouse(p.X, p.Y);
    desk->MoveMouse(p.X + 40, p.Y + 40);
    DispatchPendingMessages();
    EXPECT_EQ(form->Left(), kFormX);
    EXPECT_TRUE(bar->MouseIsDown());
    desk->ReleaseMouse(p.X + 40, p.Y + 40);
    DispatchPendingMessages();
    EXPECT_FALSE(bar->MouseIsDown());
    // Released away from every button: nothing ran.
    EXPECT_FALSE(IsIconic(form->Handle()));
}

TEST_F(TitleBarTest, PressOnAMaximisedCaptionHoldsUntilRelease)
{
    form->SetWindowState(wsMaximized);
    DispatchPendingMessages();
    const TRect maximised = form->BoundsRect();
    const TPoint p = Screen(300, 12);
    desk->PressMouse(p.X, p.Y);
    desk->MoveMouse(p.X + 40, p.Y + 40);
    DispatchPendingMessages();
    EXPECT_TRUE(bar->MouseIsDown());
    EXPECT_EQ(form->BoundsRect(), maximised);
    desk->ReleaseMouse(p.X + 40, p.Y + 40);
    DispatchPendingMessages();
    EXPECT_FALSE(bar->MouseIsDown());
    EXPECT_EQ(form->WindowState(), wsMaximized);
}

TEST_F(TitleBarTest, DoubleClickOnTheCaptionMaximisesAndRestores)
{
    int dblClicks = 0;
    bar->OnDblClick = [&](TObject*) { ++dblClicks; };
    const TPoint p = Screen(200, 12);
    desk->DoubleClick(p.X, p.Y);
    DispatchPendingMessages();
    EXPECT_EQ(dblClicks, 1);
    EXPECT_EQ(form->WindowState(), wsMaximized);
    EXPECT_TRUE(ShowsFrame(bar->Buttons().Items(2)->PicNormal(), 10));

    const TPoint q = Screen(200, 12);
    desk->DoubleClick(q.X, q.Y);
    DispatchPendingMessages();
    EXPECT_EQ(dblClicks, 2);
    EXPECT_EQ(form->WindowState(), wsNormal);
    EXPECT_TRUE(ShowsFrame(bar->Buttons().Items(2)->PicNormal(), 7));
}

TEST_F(TitleBarTest, DoubleClickWithoutAMaxButtonOnlyFiresTheEvent)
{
    bar->Buttons().Delete(2);
    int dblClicks = 0;
    bar->OnDblClick = [&](TObject*) { ++dblClicks; };
    const TPoint p = Screen(200, 12);
    desk->DoubleClick(p.X, p.Y);
    DispatchPendingMessages();
    EXPECT_EQ(dblClicks, 1);
    EXPECT_EQ(form->WindowState(), wsNormal);
}

TEST_F(TitleBarTest, HiddenMaxButtonStillServesTheDoubleClick)
{
    bar->Buttons().Items(2)->SetVisible(false);
    const TPoint p = Screen(200, 12);
    desk->DoubleClick(p.X, p.Y);
    DispatchPendingMessages();
    EXPECT_EQ(form->WindowState(), wsMaximized);
}

TEST_F(TitleBarTest, LeavingTheBarClearsTheHotButton)
{
    MoveTo(RightButtonX(0) + 8, kButtonTop + 8);
    EXPECT_EQ(bar->HotButtonIndex(), 1);
    desk->MoveMouse(kFormX - 50, kFormY - 50);
    DispatchPendingMessages();
    EXPECT_EQ(bar->HotButtonIndex(), -1);
}

TEST_F(TitleBarTest, PlainFormOffersNoSizingBand)
{
    const TPoint p = Screen(200, 1);
    EXPECT_EQ(SendMessage(bar->Handle(), WM_NCHITTEST, 0, MAKELPARAM(p.X, p.Y)), HTCLIENT);
}
