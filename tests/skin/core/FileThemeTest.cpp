// TsuiFileTheme: where it finds its file, whom it tells after loading, what its lookups give,
// and the decision every skinned control asks it for.
#include <gtest/gtest.h>

#include <filesystem>
#include <unistd.h>

#include "host/sys/Files.h"
#include "host/ui/Properties.h"
#include "skin/core/SUIFiles.h"
#include "skin/core/SUIMgr.h"
#include "skin/core/SUIPublic.h"
#include "skin/core/SUIThemeFile.h"
#include "tests/skin/core/SkinTestSupport.h"

namespace fs = std::filesystem;

// Stand-ins for a form and for skinned controls: what the file theme looks at is the class
// name and the published FileTheme property.
namespace formstandin {

class TCustomForm : public TComponent {
    DECLARE_CLASS(TCustomForm, TComponent)

public:
    using TComponent::TComponent;
};
void TCustomForm::Publish(TPublisher<TCustomForm>&)
{
}

} // namespace formstandin

namespace {

// Counts how often its FileTheme is assigned.
class TThemed : public TComponent {
public:
    using TComponent::TComponent;
    TsuiFileTheme* FileTheme() const { return fileTheme_; }
    void SetFileTheme(TsuiFileTheme* value)
    {
        fileTheme_ = value;
        ++Assigned;
    }
    TsuiUIStyle UIStyle() const { return style_; }
    void SetUIStyle(TsuiUIStyle value) { style_ = value; }
    int Assigned = 0;

private:
    TsuiFileTheme* fileTheme_ = nullptr;
    TsuiUIStyle style_ = DeepBlue;
};

class TsuiTestButton : public TThemed {
    DECLARE_CLASS(TsuiTestButton, TComponent)

public:
    using TThemed::TThemed;
};
void TsuiTestButton::Publish(TPublisher<TsuiTestButton>& p)
{
    p.Property("FileTheme", &TsuiTestButton::FileTheme, &TsuiTestButton::SetFileTheme);
    p.Property("UIStyle", &TsuiTestButton::UIStyle, &TsuiTestButton::SetUIStyle);
}

// Same property, but its class name starts "TSui": not a skin component.
class TSuiLookalike : public TThemed {
    DECLARE_CLASS(TSuiLookalike, TComponent)

public:
    using TThemed::TThemed;
};
void TSuiLookalike::Publish(TPublisher<TSuiLookalike>& p)
{
    p.Property("FileTheme", &TSuiLookalike::FileTheme, &TSuiLookalike::SetFileTheme);
}

// A theme file with two entries.
void WriteTheme(const fs::path& path, int borderColor)
{
    TsuiThemeFileWriter w;
    w.AddImage("ButtonImage", CoordinateBitmap(9, 2).SaveToBytes());
    w.AddInt("FormBorderColor", borderColor);
    w.AddBool("ButtonTransparentBool", 1);
    w.SaveToFile(path.string());
}

// Runs each test in a folder of its own as the current directory.
class FileTheme : public ::testing::Test {
protected:
    void SetUp() override
    {
        previous_ = fs::current_path();
        folder_ = fs::temp_directory_path() / ("skin-core-" + std::to_string(::getpid()));
        fs::create_directories(folder_);
        fs::current_path(folder_);
    }
    void TearDown() override
    {
        fs::current_path(previous_);
        fs::remove_all(folder_);
        if (!besideProgram_.empty())
            fs::remove(besideProgram_);
    }
    // A theme file in the program's folder, removed after the test.
    fs::path BesideProgram(const std::string& name, int borderColor)
    {
        besideProgram_ = fs::path(ApplicationFolder()) / name;
        WriteTheme(besideProgram_, borderColor);
        return besideProgram_;
    }

    fs::path folder_;

private:
    fs::path previous_;
    fs::path besideProgram_;
};

} // namespace

TEST_F(FileTheme, LoadsFromTheNameGiven)
{
    WriteTheme("mine.thm", 0x123456);
    TsuiFileTheme theme(nullptr);
    EXPECT_FALSE(theme.ThemeLoaded());
    theme.SetThemeFile("mine.thm");
    EXPECT_TRUE(theme.ThemeLoaded());
    EXPECT_EQ(theme.ThemeFile(), "mine.thm");
    EXPECT_EQ(theme.GetColor(SUI_THEME_FORM_BORDER_COLOR), 0x123456);
    EXPECT_TRUE(theme.GetBool(SUI_THEME_BUTTON_TRANSPARENT_BOOL));
}

TEST_F(FileTheme, NamesFoundNowhereChangeNothing)
{
    WriteTheme("mine.thm", 1);
    TsuiFileTheme theme(nullptr);
    theme.SetThemeFile("mine.thm");
    theme.SetThemeFile("");
    theme.SetThemeFile("missing.thm");
    EXPECT_EQ(theme.ThemeFile(), "mine.thm");
    EXPECT_TRUE(theme.ThemeLoaded());
    EXPECT_EQ(theme.GetInt(SUI_THEME_FORM_BORDER_COLOR), 1);
}

TEST_F(FileTheme, TheCurrentDirectoryComesBeforeTheProgramsFolder)
{
    const std::string name = "skin-core-test-" + std::to_string(::getpid()) + ".thm";
    const fs::path beside = BesideProgram(name, 2);
    TsuiFileTheme theme(nullptr);

    theme.SetThemeFile("elsewhere/" + name);
    EXPECT_EQ(theme.ThemeFile(), beside.string());
    EXPECT_EQ(theme.GetInt(SUI_THEME_FORM_BORDER_COLOR), 2);

    WriteTheme(name, 1);
    theme.SetThemeFile(name);
    EXPECT_EQ(theme.ThemeFile(), name);
    EXPECT_EQ(theme.GetInt(SUI_THEME_FORM_BORDER_COLOR), 1);
}

TEST_F(FileTheme, AfterLoadingTheFormsSkinComponentsUsingItAreToldAgain)
{
    WriteTheme("mine.thm", 1);
    formstandin::TCustomForm form(nullptr);
    auto* theme = new TsuiFileTheme(&form);
    auto* user = new TsuiTestButton(&form);
    auto* other = new TsuiTestButton(&form);
    auto* lookalike = new TSuiLookalike(&form);
    user->SetFileTheme(theme);
    lookalike->SetFileTheme(theme);
    user->Assigned = lookalike->Assigned = 0;

    theme->SetThemeFile("mine.thm");
    EXPECT_EQ(user->Assigned, 1);
    EXPECT_EQ(user->FileTheme(), theme);
    EXPECT_EQ(other->Assigned, 0);
    EXPECT_EQ(lookalike->Assigned, 0);

    // The same name again is no change; another spelling of the file loads and tells again.
    theme->SetThemeFile("mine.thm");
    EXPECT_EQ(user->Assigned, 1);
    theme->SetThemeFile("./mine.thm");
    EXPECT_EQ(user->Assigned, 2);
}

TEST_F(FileTheme, ANameResolvedToTheProgramsFolderLoadsAgainEachTime)
{
    const std::string name = "skin-core-test-" + std::to_string(::getpid()) + ".thm";
    BesideProgram(name, 2);
    formstandin::TCustomForm form(nullptr);
    auto* theme = new TsuiFileTheme(&form);
    auto* user = new TsuiTestButton(&form);
    user->SetFileTheme(theme);
    user->Assigned = 0;

    theme->SetThemeFile(name);
    theme->SetThemeFile(name);
    EXPECT_EQ(user->Assigned, 2);
}

TEST_F(FileTheme, OwnedByWhatIsNoFormItTellsNobody)
{
    WriteTheme("mine.thm", 1);
    TComponent owner(nullptr);
    auto* theme = new TsuiFileTheme(&owner);
    auto* user = new TsuiTestButton(&owner);
    user->SetFileTheme(theme);
    user->Assigned = 0;
    theme->SetThemeFile("mine.thm");
    EXPECT_TRUE(theme->ThemeLoaded());
    EXPECT_EQ(user->Assigned, 0);
}

TEST_F(FileTheme, ADamagedFileLeavesNoThemeLoaded)
{
    WriteTheme("good.thm", 1);
    std::vector<std::uint8_t> junk(30, 0);
    WriteFileBytes("bad.thm", junk);
    TsuiFileTheme theme(nullptr);
    theme.SetThemeFile("good.thm");
    EXPECT_THROW(theme.SetThemeFile("bad.thm"), EThemeFileError);
    EXPECT_EQ(theme.ThemeFile(), "bad.thm");
    EXPECT_FALSE(theme.ThemeLoaded());
    EXPECT_EQ(theme.GetInt(SUI_THEME_FORM_BORDER_COLOR), 0);
}

TEST_F(FileTheme, LookupsWithAndWithoutAFile)
{
    TsuiFileTheme theme(nullptr);
    TBitmap b = CoordinateBitmap(2, 2);
    theme.GetBitmap(SUI_THEME_BUTTON_IMAGE, b);
    EXPECT_EQ(b.Width(), 2);
    EXPECT_EQ(theme.GetInt(SUI_THEME_FORM_BORDER_COLOR), 0);
    EXPECT_EQ(theme.GetColor(SUI_THEME_FORM_BORDER_COLOR), 0);
    EXPECT_FALSE(theme.GetBool(SUI_THEME_BUTTON_TRANSPARENT_BOOL));

    WriteTheme("mine.thm", 1);
    theme.SetThemeFile("mine.thm");
    // Entries the file lacks.
    EXPECT_EQ(theme.GetInt(SUI_THEME_FORM_MINWIDTH_INT), -1);
    EXPECT_EQ(theme.GetColor(SUI_THEME_MENU_BAR_COLOR), -1);
    EXPECT_FALSE(theme.GetBool(SUI_THEME_TITLEBAR_BUTTON_TRANSPARENT_BOOL));
    theme.GetBitmap(SUI_THEME_CHECKBOX_IMAGE, b);
    EXPECT_EQ(b.Width(), 2);

    theme.GetBitmap(SUI_THEME_BUTTON_IMAGE, b);
    EXPECT_EQ(b.Width(), 9);
    theme.GetBitmapFrame(SUI_THEME_BUTTON_IMAGE, b, 3, 3);
    EXPECT_EQ(b.Width(), 3);
    EXPECT_EQ(b.GetPixel(0, 1), CoordinateColor(6, 1));
    theme.GetBitmapFrame(SUI_THEME_BUTTON_IMAGE, b, 0, 0);
    EXPECT_EQ(b.Width(), 9);
}

TEST(CanUseFileTheme, OnlyFromThemeFileWithALoadedFile)
{
    TsuiUIStyle style = WinXP;
    EXPECT_FALSE(TsuiFileTheme::CanUseFileTheme(nullptr, MacOS, style));
    EXPECT_EQ(style, MacOS);
    EXPECT_FALSE(TsuiFileTheme::CanUseFileTheme(nullptr, FromThemeFile, style));
    EXPECT_EQ(style, DeepBlue);

    TsuiFileTheme unloaded(nullptr);
    EXPECT_FALSE(TsuiFileTheme::CanUseFileTheme(&unloaded, FromThemeFile, style));
    EXPECT_EQ(style, DeepBlue);

    const fs::path path = fs::temp_directory_path() / ("skin-core-use-" + std::to_string(::getpid()) + ".thm");
    WriteTheme(path, 1);
    TsuiFileTheme loaded(nullptr);
    loaded.SetThemeFile(path.string());
    fs::remove(path);
    EXPECT_TRUE(TsuiFileTheme::CanUseFileTheme(&loaded, FromThemeFile, style));
    EXPECT_EQ(style, FromThemeFile);
    EXPECT_FALSE(TsuiFileTheme::CanUseFileTheme(&loaded, MacOS, style));
    EXPECT_EQ(style, MacOS);
    EXPECT_FALSE(TsuiFileTheme::CanUseFileTheme(&loaded, static_cast<TsuiUIStyle>(6), style));
    EXPECT_EQ(style, 6);
}

TEST_F(FileTheme, AControlsFrameComesFromTheFileOnlyWhenItCanServe)
{
    WriteTheme("mine.thm", 1);
    TsuiFileTheme loaded(nullptr);
    loaded.SetThemeFile("mine.thm");
    TsuiFileTheme unloaded(nullptr);
    const TBitmap fromFile = [] {
        TBitmap b;
        ExtractBitmapFrame(CoordinateBitmap(9, 2), b, 3, 3);
        return b;
    }();
    auto builtIn = [](TsuiUIStyle style) {
        TBitmap b;
        GetThemeBitmapFrame(style, SUI_THEME_BUTTON_IMAGE, &b, 3, 3);
        return b;
    };
    const struct {
        const TsuiFileTheme* theme;
        TsuiUIStyle style;
        TBitmap expected;
    } cases[] = {
        { &loaded, FromThemeFile, fromFile },
        { &loaded, MacOS, builtIn(MacOS) },
        { &unloaded, FromThemeFile, builtIn(DeepBlue) },
        { nullptr, FromThemeFile, builtIn(DeepBlue) },
        { nullptr, WinXP, builtIn(WinXP) },
    };
    for (const auto& c : cases) {
        TBitmap frame;
        GetControlBitmapFrame(c.theme, c.style, SUI_THEME_BUTTON_IMAGE, frame, 3, 3);
        SCOPED_TRACE(testing::Message() << "style " << int(c.style) << (c.theme == &loaded ? " loaded file" : ""));
        ASSERT_EQ(frame.Width(), c.expected.Width());
        ASSERT_EQ(frame.Height(), c.expected.Height());
        for (int y = 0; y < frame.Height(); ++y)
            for (int x = 0; x < frame.Width(); ++x)
                ASSERT_EQ(frame.GetPixel(x, y), c.expected.GetPixel(x, y)) << x << "," << y;
    }
}

TEST(FileThemeProperties, ThemeFileAndUIStyleArePublished)
{
    TsuiFileTheme theme(nullptr);
    EXPECT_TRUE(HasPublishedProperty(&theme, "ThemeFile"));
    TsuiTestButton button(nullptr);
    SetEnumProp(&button, "UIStyle", "WinXP");
    EXPECT_EQ(button.UIStyle(), WinXP);
}
