// The skinned form while designing, inside an MDI frame, refusing bad values, and its
// patterned background.
#include "host/win/Input.h"
#include "host/win/Painting.h"
#include "host/win/Window.h"
#include "host/win/WindowProcedure.h"
#include "tests/skin/frame/MessageBoxAnswers.h"
#include "tests/skin/frame/SUIFormTestSupport.h"

TEST_F(SkinFormTest, DesignedHostKeepsItsFrameAndProcedure)
{
    host = new TForm(app);
    host->SetBorderStyle(bsSingle);
    host->SetBounds(100, 100, 400, 300);
    host->SetDesigning(true);
    const int nonClientWidth = host->Width() - host->ClientWidth();
    const int nonClientHeight = host->Height() - host->ClientHeight();
    ASSERT_GT(nonClientHeight, 0);
    auto* skin = new TsuiForm(host);
    skin->SetParent(host);

    EXPECT_EQ(host->BorderStyle(), bsSingle);
    EXPECT_EQ(host->Constraints().MinWidth(), 0);
    EXPECT_FALSE(static_cast<bool>(app->OnMessage));
    EXPECT_NE(GetWindowLong(host->Handle(), GWL_STYLE) & static_cast<LONG>(WS_CAPTION), 0);

    // The sizes include the system frame the host keeps.
    skin->SetWidth(300);
    skin->SetHeight(200);
    EXPECT_EQ(host->Width(), 300 + 2 + nonClientWidth);
    EXPECT_EQ(host->Height(), 200 + 1 + nonClientHeight);
}

TEST_F(SkinFormTest, PlainMainMenuDroppedWhileDesigningIsQuestioned)
{
    TsuiForm* skin = SkinnedForm(bsSingle);
    host->SetName("Form2");
    skin->SetName("suiForm1");
    host->SetDesigning(true);
    std::vector<std::string> boxes;
    AnswerBoxes(desk, host->Handle(), boxes);
    // Dropped: made first, then given to the form.
    auto* plain = new TMainMenu(nullptr);
    host->InsertComponent(plain);
    EXPECT_EQ(boxes,
        std::vector<std::string> { "Strongly recommend you to use \"TsuiMainMenu\" instead of \"TMainMenu\".\r\n\r\n"
                                   "If you still want to use TMainForm, \r\n\r\nset Form2's MENU property to NIL please.\r\n\r\n"
                                   "And set suiForm1's MENU property to this Menu when you finished designing the menu." });
    EXPECT_EQ(skin->Menu(), nullptr);
    auto* skinned = new TsuiMainMenu(nullptr);
    host->InsertComponent(skinned);
    EXPECT_EQ(boxes.size(), 1u);
    delete skinned;
    delete plain;
}

TEST_F(SkinFormTest, FormPanelRefusesTheSkinnedFormItself)
{
    TsuiForm* skin = SkinnedForm(bsSingle);
    auto* panel = new TPanel(host);
    panel->SetParent(skin);
    skin->SetFormPanel(panel);
    std::vector<std::string> boxes;
    AnswerBoxes(desk, host->Handle(), boxes);
    skin->SetFormPanel(skin);
    EXPECT_EQ(boxes, std::vector<std::string> { "Sorry, you can't select the Form assign to FormPanel property" });
    EXPECT_EQ(skin->FormPanel(), panel);
    EXPECT_EQ(skin->Align(), alNone);
}

TEST_F(SkinFormTest, MacOSBackgroundIsTheTiledPattern)
{
    TsuiForm* skin = SkinnedForm(bsSingle, MacOS);
    skin->SetTitleBarVisible(false);
    DispatchPendingMessages();
    UpdateWindow(host->Handle());
    TBitmap pattern;
    pattern.LoadFromResourceName("MACOS_FORM_BACKGROUND");
    const TBitmap shot = desk->CaptureWindow(skin->Handle());
    for (int y = 20; y < 28; ++y)
        for (int x = 40; x < 48; ++x)
            EXPECT_EQ(shot.GetPixel(x, y), pattern.GetPixel(x % 8, y % 8)) << x << "," << y;
}

class SkinFormMdiTest : public SkinFormTest {
protected:
    void SetUp() override
    {
        SkinFormTest::SetUp();
        app->CreateForm(frame);
        frame->SetBorderStyle(bsNone);
        frame->SetFormStyle(fsMDIForm);
        frame->SetBounds(0, 0, 600, 400);
        frame->Show();
        child = new TForm(app);
        child->SetFormStyle(fsMDIChild);
        child->SetBounds(10, 10, 300, 200);
        skin = new TsuiForm(child);
        skin->SetParent(child);
        child->Show();
        DispatchPendingMessages();
        // Restored once: whatever an earlier form left in the shared scroll flag is cleared.
        SendMessage(child->Handle(), WM_SIZE, SIZE_RESTORED, 0);
    }

    TForm* frame = nullptr;
    TForm* child = nullptr;
    TsuiForm* skin = nullptr;
};

TEST_F(SkinFormMdiTest, ChildKeepsItsFrameAndLeavesRoomForIt)
{
    EXPECT_EQ(child->BorderStyle(), bsSizeable);
    const int bw = skin->BorderWidth();
    EXPECT_EQ(skin->BoundsRect(), Bounds(bw, 0, child->ClientWidth() - 2 * bw - 3, child->ClientHeight() - bw - 3));
    skin->SetRoundCorner(7);
    EXPECT_EQ(skin->RoundCorner(), 0);

    auto* menu = new TMainMenu(child);
    auto* item = new TMenuItem(child);
    item->SetCaption("File");
    menu->Items()->Add(item);
    skin->SetMenu(menu);
    EXPECT_EQ(skin->MenuBar(), nullptr);
}

TEST_F(SkinFormMdiTest, MaximisedChildHidesItsTitleBarAndScrollsItsContentUp)
{
    auto* content = new TPanel(child);
    content->SetParent(skin);
    content->SetBounds(10, 40, 100, 50);
    const int titleHeight = skin->TitleBar()->Height();
    ASSERT_GT(titleHeight, 0);

    child->SetWindowState(wsMaximized);
    EXPECT_FALSE(skin->TitleBarVisible());
    EXPECT_EQ(content->Top(), 40 - titleHeight);

    child->SetWindowState(wsNormal);
    EXPECT_TRUE(skin->TitleBarVisible());
    EXPECT_EQ(content->Top(), 40);
    EXPECT_EQ(skin->TitleBar()->Top(), 0);
}
