// A stored form holding a file theme: its skinned controls read from the file, wherever the
// theme stands among them in the layout.
#include <cstdio>
#include <string>

#include "host/ui/Streaming.h"
#include "host/win/Painting.h"
#include "skin/controls/SUIButton.h"
#include "skin/controls/SUIPageControl.h"
#include "skin/core/SUIMgr.h"
#include "skin/core/SUIThemeFile.h"
#include "tests/skin/controls/SUIButtonTestSupport.h"

namespace {

// Colours no built-in style has, one per image and value.
const TColor kFaceNormal = RGB(200, 10, 10);
const TColor kFaceHot = RGB(10, 200, 10);
const TColor kFacePressed = RGB(10, 10, 200);
const TColor kBoxChecked = RGB(30, 120, 60);
const TColor kBoxUnchecked = RGB(60, 30, 120);
const TColor kTabActive = RGB(140, 90, 20);
const TColor kTabInactive = RGB(20, 90, 140);
const TColor kBar = RGB(90, 20, 140);
const TColor kBorder = 0x123456;

// An image of equal frames side by side, each filled with one colour.
TBitmap Frames(std::initializer_list<TColor> colours, int frameWidth, int height)
{
    TBitmap image(frameWidth * static_cast<int>(colours.size()), height);
    int left = 0;
    for (TColor colour : colours) {
        for (int y = 0; y < height; ++y)
            for (int x = left; x < left + frameWidth; ++x)
                image.SetPixel(x, y, colour);
        left += frameWidth;
    }
    return image;
}

std::string WriteThemeFile()
{
    TsuiThemeFileWriter writer;
    writer.AddImage("ButtonImage", Frames({ kFaceNormal, kFaceHot, kFacePressed }, 10, 21).SaveToBytes());
    writer.AddBool("ButtonTransparentBool", 0);
    writer.AddImage("CheckBoxImage", Frames({ kBoxChecked, kBoxUnchecked, kBoxChecked, kBoxUnchecked }, 13, 13).SaveToBytes());
    writer.AddImage("TabControlTabImage", Frames({ kTabActive, kTabInactive }, 6, 17).SaveToBytes());
    writer.AddImage("TabControlBarImage", Frames({ kBar }, 5, 5).SaveToBytes());
    writer.AddInt("ControlBorderColor", kBorder);
    const std::string path = ::testing::TempDir() + "stored-file-theme.thm";
    writer.SaveToFile(path);
    return path;
}

std::string ThemeObject(const std::string& path)
{
    return "  object FileTheme1: TsuiFileTheme\n    ThemeFile = '" + path + "'\n  end\n";
}

const char* const kControls = R"(  object suiButton1: TsuiButton
    Left = 10
    Top = 10
    Width = 80
    Height = 21
    UIStyle = FromThemeFile
    FileTheme = FileTheme1
    Caption = ''
  end
  object suiCheckBox1: TsuiCheckBox
    Left = 10
    Top = 40
    UIStyle = FromThemeFile
    FileTheme = FileTheme1
    Caption = ''
    Checked = True
  end
  object suiPageControl1: TsuiPageControl
    Left = 10
    Top = 70
    Width = 300
    Height = 150
    UIStyle = FromThemeFile
    FileTheme = FileTheme1
    ActivePage = suiTabSheet1
    object suiTabSheet1: TsuiTabSheet
      Caption = ''
      PageControl = suiPageControl1
    end
  end
)";

class StoredFileTheme : public ButtonTest {
protected:
    void SetUp() override
    {
        ButtonTest::SetUp();
        RegisterButtonClasses();
        RegisterPageControlClasses();
        path_ = WriteThemeFile();
    }
    void TearDown() override
    {
        ButtonTest::TearDown();
        std::remove(path_.c_str());
    }

    std::string path_;
};

} // namespace

TEST_F(StoredFileTheme, RestylesTheRealControlsWhereverTheThemeStands)
{
    for (const bool themeFirst : { true, false }) {
        SCOPED_TRACE(themeFirst ? "theme before the controls" : "theme after the controls");
        auto* stored = new TForm(app);
        const std::string theme = ThemeObject(path_);
        ReadComponentFromString(
            "object Stored: TForm\n  BorderStyle = bsNone\n" + (themeFirst ? theme + kControls : kControls + theme) + "end\n",
            stored);
        stored->SetBounds(kFormLeft, kFormTop, 400, 300);
        stored->Show();
        DispatchPendingMessages();

        auto* fileTheme = dynamic_cast<TsuiFileTheme*>(stored->FindComponent("FileTheme1"));
        auto* button = dynamic_cast<TsuiButton*>(stored->FindComponent("suiButton1"));
        auto* box = dynamic_cast<TsuiCheckBox*>(stored->FindComponent("suiCheckBox1"));
        auto* pages = dynamic_cast<TsuiPageControl*>(stored->FindComponent("suiPageControl1"));
        ASSERT_NE(fileTheme, nullptr);
        ASSERT_NE(button, nullptr);
        ASSERT_NE(box, nullptr);
        ASSERT_NE(pages, nullptr);
        EXPECT_TRUE(fileTheme->ThemeLoaded());
        EXPECT_EQ(button->FileTheme(), fileTheme);
        EXPECT_EQ(box->FileTheme(), fileTheme);
        EXPECT_EQ(pages->FileTheme(), fileTheme);

        // Outside the focus rectangle: the button is the form's first control.
        EXPECT_EQ(Shot(button).GetPixel(1, 1), kFaceNormal);
        const TBitmap boxShot = Shot(box);
        EXPECT_EQ(boxShot.GetPixel(7, box->Height() / 2), kBoxChecked);

        EXPECT_EQ(pages->BorderColor(), kBorder);
        TsuiTabControlTopPanel* strip = pages->TopPanel();
        const TBitmap stripShot = Shot(strip);
        EXPECT_EQ(stripShot.GetPixel(strip->Width() - 10, 17 + 2), kBar);
        EXPECT_EQ(stripShot.GetPixel(pages->LeftMargin() + 1, 8), kTabActive);
        delete stored;
    }
}
