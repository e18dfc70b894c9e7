// The title bar inside a skinned form: the window's shape, the top sizing band and the drag.
#include "host/win/Input.h"
#include "host/win/Regions.h"
#include "tests/skin/core/SkinTestSupport.h"
#include "tests/skin/frame/SUIFormTestSupport.h"
#include "tests/skin/frame/SUITitleBarTestSupport.h"

namespace {

class TitleBarOnFormTest : public SkinFormTest {
protected:
    static LRESULT BarHitTest(TsuiTitleBar* bar, int x, int y)
    {
        const TPoint p = bar->ClientToScreen({ x, y });
        return SendMessage(bar->Handle(), WM_NCHITTEST, 0, PointToLParam(p));
    }

    // Presses at a point of the title bar, moves by (dx, dy) and releases.
    void Drag(TsuiTitleBar* bar, int x, int y, int dx, int dy)
    {
        const TPoint start = bar->ClientToScreen({ x, y });
        int step = 0;
        desk->OnIdle = [=, this]() mutable {
            if (step == 0)
                desk->MoveMouse(start.X + dx, start.Y + dy);
            else if (step == 1)
                desk->ReleaseMouse(start.X + dx, start.Y + dy);
            ++step;
        };
        desk->PressMouse(start.X, start.Y);
        DispatchPendingMessages();
        desk->OnIdle = nullptr;
    }
};

} // namespace

TEST_F(TitleBarOnFormTest, MainWindowCaptionDragMovesTheWindow)
{
    TForm* form = MainWindow();
    TsuiTitleBar* bar = SkinOf(form)->TitleBar();
    ASSERT_TRUE(bar->OnSkinnedForm());
    const TRect before = form->BoundsRect();
    Drag(bar, 300, 10, -40, 25);
    EXPECT_EQ(form->BoundsRect(), before.Offset(-40, 25));
    EXPECT_FALSE(bar->MouseIsDown());
    // A single border: the whole bar drags, the top band included.
    EXPECT_EQ(BarHitTest(bar, 300, 1), HTCLIENT);
    EXPECT_EQ(BarHitTest(bar, 1, 1), HTCLIENT);
}

TEST_F(TitleBarOnFormTest, SizeableFormGetsATopBandOverTheBar)
{
    TsuiForm* skin = SkinnedForm(bsSizeable);
    TsuiTitleBar* bar = skin->TitleBar();
    const int cw = host->ClientWidth();
    EXPECT_EQ(BarHitTest(bar, 200, 0), HTTOP);
    EXPECT_EQ(BarHitTest(bar, 200, 4), HTTOP);
    EXPECT_EQ(BarHitTest(bar, 200, 5), HTCLIENT);
    // The bar starts one border width in; the corners are measured in its own coordinates.
    EXPECT_EQ(BarHitTest(bar, 4, 2), HTTOPLEFT);
    EXPECT_EQ(BarHitTest(bar, cw - 4, 2), HTTOPRIGHT);

    // A press in the band sizes the host from its top edge.
    const TRect before = host->BoundsRect();
    Drag(bar, 200, 2, 0, -30);
    EXPECT_EQ(host->Top(), before.Top - 30);
    EXPECT_EQ(host->Height(), before.Height() + 30);
    EXPECT_EQ(host->Left(), before.Left);

    // A maximised host has no band.
    host->SetWindowState(wsMaximized);
    DispatchPendingMessages();
    EXPECT_EQ(BarHitTest(bar, 200, 1), HTCLIENT);
}

TEST_F(TitleBarOnFormTest, RoundCornerShapesOnlyTheTopOfTheWindow)
{
    TsuiForm* skin = SkinnedForm(bsSingle, WinXP);
    TsuiTitleBar* bar = skin->TitleBar();
    ASSERT_EQ(bar->RoundCorner(), 13);
    const int cw = host->ClientWidth();
    const int ch = host->ClientHeight();
    HRGN shape = CreateRectRgn(0, 0, 0, 0);
    ASSERT_NE(GetWindowRgn(host->Handle(), shape), RGN_ERROR);
    EXPECT_FALSE(PtInRegion(shape, 0, 0));
    EXPECT_FALSE(PtInRegion(shape, cw - 1, 0));
    EXPECT_TRUE(PtInRegion(shape, cw / 2, 0));
    EXPECT_TRUE(PtInRegion(shape, 0, 13));
    EXPECT_TRUE(PtInRegion(shape, 0, ch - 1));
    EXPECT_TRUE(PtInRegion(shape, cw - 1, ch - 1));

    // Square again with no corner; the shape follows the host's size.
    bar->SetRoundCorner(0);
    host->SetWidth(500);
    DispatchPendingMessages();
    ASSERT_NE(GetWindowRgn(host->Handle(), shape), RGN_ERROR);
    EXPECT_TRUE(PtInRegion(shape, 0, 0));
    EXPECT_TRUE(PtInRegion(shape, host->ClientWidth() - 1, 0));
    DeleteObject(shape);
}

TEST_F(TitleBarOnFormTest, ActivationColoursTheCaption)
{
    TForm* form = MainWindow();
    TsuiTitleBar* bar = SkinOf(form)->TitleBar();
    EXPECT_TRUE(bar->FormActive());
    auto* other = new TForm(app);
    other->SetBounds(900, 100, 200, 200);
    other->Show();
    SetActiveWindow(other->Handle());
    DispatchPendingMessages();
    EXPECT_FALSE(bar->FormActive());
    SetActiveWindow(form->Handle());
    DispatchPendingMessages();
    EXPECT_TRUE(bar->FormActive());
}

TEST_F(TitleBarOnFormTest, StoredButtonsAndSectionsComeBackWithTheirPictures)
{
    TsuiForm* skin = SkinnedForm(bsSingle);
    host->SetName("Form2");
    skin->SetName("suiForm1");
    TsuiTitleBar* bar = skin->TitleBar();
    TsuiTitleBarButton* min = bar->Buttons().Items(3);
    min->SetTop(7);
    min->SetPicMouseOn(TPictureOf(CoordinateBitmap(9, 8)));
    bar->Buttons().Items(1)->SetVisible(false);
    TsuiTitleBarSection* right = bar->Sections().Items(1);
    right->SetAutoSize(false);
    right->SetWidth(30);
    right->SetPicture(TPictureOf(CoordinateBitmap(30, 23)));

    const std::string text = WriteComponentToString(host);
    delete host;
    auto* copy = new TForm(app);
    ReadComponentFromString(text, copy);
    TsuiTitleBar* read = SkinOf(copy)->TitleBar();

    TsuiTitleBarButtons& buttons = read->Buttons();
    ASSERT_EQ(buttons.Count(), 4);
    EXPECT_EQ(buttons.Items(0)->ButtonType(), suiControlBox);
    EXPECT_EQ(buttons.Items(3)->ButtonType(), suiMin);
    EXPECT_EQ(buttons.Items(3)->UIStyle(), MacOS);
    EXPECT_EQ(buttons.Items(3)->Top(), 7);
    EXPECT_FALSE(buttons.Items(1)->Visible());
    ASSERT_NE(buttons.Items(3)->PicMouseOn().Graphic(), nullptr);
    EXPECT_TRUE(SamePixels(*buttons.Items(3)->PicMouseOn().Graphic(), CoordinateBitmap(9, 8)));
    EXPECT_TRUE(ShowsFrame(buttons.Items(3)->PicNormal(), 13));

    TsuiTitleBarSections& sections = read->Sections();
    ASSERT_EQ(sections.Count(), 3);
    EXPECT_EQ(sections.Items(1)->Align(), suiRight);
    EXPECT_EQ(sections.Items(1)->Width(), 30);
    EXPECT_FALSE(sections.Items(1)->AutoSize());
    EXPECT_TRUE(SamePixels(*sections.Items(1)->Picture().Graphic(), CoordinateBitmap(30, 23)));
    EXPECT_EQ(sections.Items(2)->Align(), suiClient);
    EXPECT_TRUE(sections.Items(2)->Stretch());
}
