// Helpers that work on controls: the first style of a new control, the parent's background,
// bounds, the active form and the hand-down of a look to child controls.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "host/ui/Application.h"
#include "host/ui/Forms.h"
#include "host/ui/Publisher.h"
#include "host/win/MessageQueue.h"
#include "host/win/WindowSystem.h"
#include "host/win/backends/HeadlessBackend.h"
#include "skin/core/SUIMgr.h"
#include "skin/core/SUIPublic.h"
#include "skin/core/SUIThemes.h"
#include "skin/frame/SUIForm.h"

namespace {

std::vector<std::string>& Log()
{
    static std::vector<std::string> log;
    return log;
}

} // namespace

class TDerivedSkinForm : public TsuiForm {
    DECLARE_CLASS(TDerivedSkinForm, TsuiForm)

public:
    using TsuiForm::TsuiForm;
};

void TDerivedSkinForm::Publish(TPublisher<TDerivedSkinForm>&)
{
}

// A skinned control that logs what its setters see.
class TSkinnedLabel : public TControl {
    DECLARE_CLASS(TSkinnedLabel, TControl)

public:
    explicit TSkinnedLabel(TComponent* owner)
        : TControl(owner)
    {
    }
    TsuiUIStyle UIStyle() const { return style_; }
    void SetUIStyle(TsuiUIStyle value)
    {
        style_ = value;
        Log().push_back(Name() + ".UIStyle " + std::to_string(value) + (theme_ ? " with theme" : ""));
    }
    TsuiFileTheme* FileTheme() const { return theme_; }
    void SetFileTheme(TsuiFileTheme* value)
    {
        theme_ = value;
        Log().push_back(Name() + ".FileTheme");
    }

private:
    TsuiUIStyle style_ = DeepBlue;
    TsuiFileTheme* theme_ = nullptr;
};

void TSkinnedLabel::Publish(TPublisher<TSkinnedLabel>& p)
{
    p.Property("UIStyle", &TSkinnedLabel::UIStyle, &TSkinnedLabel::SetUIStyle);
    p.Property("FileTheme", &TSkinnedLabel::FileTheme, &TSkinnedLabel::SetFileTheme);
}

// Publishes a style but no theme file.
class THalfSkinned : public TControl {
    DECLARE_CLASS(THalfSkinned, TControl)

public:
    explicit THalfSkinned(TComponent* owner)
        : TControl(owner)
    {
    }
    TsuiUIStyle UIStyle() const { return style_; }
    void SetUIStyle(TsuiUIStyle value) { style_ = value; }

private:
    TsuiUIStyle style_ = DeepBlue;
};

void THalfSkinned::Publish(TPublisher<THalfSkinned>& p)
{
    p.Property("UIStyle", &THalfSkinned::UIStyle, &THalfSkinned::SetUIStyle);
}

// Records every bounds change.
class TBoundsRecorder : public TControl {
    DECLARE_CLASS(TBoundsRecorder, TControl)

public:
    explicit TBoundsRecorder(TComponent* owner)
        : TControl(owner)
    {
    }
    void SetBounds(int left, int top, int width, int height) override
    {
        Calls.push_back({ left, top, width, height });
        TControl::SetBounds(left, top, width, height);
    }
    std::vector<TRect> Calls; // as left, top, width, height
};

void TBoundsRecorder::Publish(TPublisher<TBoundsRecorder>&)
{
}

namespace {

class ControlHelpers : public ::testing::Test {
protected:
    void SetUp() override
    {
        THeadlessBackend::Install();
        app = new TApplication(nullptr);
        app->Initialize();
        Log().clear();
    }
    void TearDown() override
    {
        delete app;
        DoneWindowSystem();
    }

    TForm* ShownForm()
    {
        TForm* form = nullptr;
        app->CreateForm(form);
        form->SetBorderStyle(bsNone);
        form->SetBounds(100, 100, 200, 150);
        form->Show();
        DispatchPendingMessages();
        return form;
    }

    TApplication* app = nullptr;
};

} // namespace

TEST_F(ControlHelpers, OwnerFormStyleComesFromTheFirstDirectSkinnedForm)
{
    EXPECT_EQ(GetOwnerFormUIStyle(nullptr), DeepBlue);
    EXPECT_EQ(GetOwnerFormUIStyle(app), DeepBlue); // not a windowed control

    auto* owner = new TForm(app);
    auto* panel = new TWinControl(owner);
    panel->SetParent(owner);
    // A form carries one skinned form of its own, so the others belong to other forms.
    auto* nested = new TsuiForm(new TForm(app));
    nested->SetParent(panel);
    nested->SetUIStyle(Protein);
    EXPECT_EQ(GetOwnerFormUIStyle(owner), DeepBlue);

    auto* first = new TDerivedSkinForm(owner);
    first->SetParent(owner);
    first->SetUIStyle(MacOS);
    auto* second = new TsuiForm(new TForm(app));
    second->SetParent(owner);
    second->SetUIStyle(WinXP);
    EXPECT_EQ(GetOwnerFormUIStyle(owner), MacOS);
}

TEST_F(ControlHelpers, ParentBackgroundIsPaintedAtTheControlsOffset)
{
    auto* form = new TForm(app);
    form->SetBorderStyle(bsNone);
    form->SetBounds(0, 0, 100, 80);
    form->SetColor(RGB(10, 200, 30));
    auto* control = new TWinControl(form);
    control->SetParent(form);
    control->SetBounds(70, 60, 40, 30); // reaches past the parent's client area

    TBitmap bitmap(40, 30);
    bitmap.Canvas().Brush().Color = clWhite;
    bitmap.Canvas().FillRect({ 0, 0, 40, 30 });
    DrawParentBackground(bitmap.Canvas(), control);
    EXPECT_EQ(bitmap.GetPixel(0, 0), RGB(10, 200, 30));
    EXPECT_EQ(bitmap.GetPixel(29, 19), RGB(10, 200, 30));
    EXPECT_EQ(bitmap.GetPixel(30, 19), clWhite);
    EXPECT_EQ(bitmap.GetPixel(29, 20), clWhite); // outside the parent stays untouched

    // The canvas gets its own origin back.
    bitmap.Canvas().Brush().Color = clBlack;
    bitmap.Canvas().FillRect({ 0, 0, 1, 1 });
    EXPECT_EQ(bitmap.GetPixel(0, 0), clBlack);

    auto* orphan = new TWinControl(form);
    TBitmap untouched(4, 4);
    untouched.Canvas().Brush().Color = clWhite;
    untouched.Canvas().FillRect({ 0, 0, 4, 4 });
    DrawParentBackground(untouched.Canvas(), orphan);
    EXPECT_EQ(untouched.GetPixel(1, 1), clWhite);
}

TEST_F(ControlHelpers, ThemeReachesDirectChildrenPublishingBothProperties)
{
    auto* form = new TForm(app);
    auto* first = new TSkinnedLabel(form);
    first->SetName("First");
    first->SetParent(form);
    auto* half = new THalfSkinned(form);
    half->SetParent(form);
    auto* panel = new TWinControl(form);
    panel->SetParent(form);
    auto* inner = new TSkinnedLabel(form);
    inner->SetName("Inner");
    inner->SetParent(panel);
    auto* second = new TSkinnedLabel(form);
    second->SetName("Second");
    second->SetParent(form);
    TsuiFileTheme theme(nullptr);

    ApplyThemeToChildren(form, WinXP, &theme);
    EXPECT_EQ(Log(),
        (std::vector<std::string> {
            "First.FileTheme", "First.UIStyle 2 with theme", "Second.FileTheme", "Second.UIStyle 2 with theme" }));
    EXPECT_EQ(first->FileTheme(), &theme);
    EXPECT_EQ(half->UIStyle(), DeepBlue);
    EXPECT_EQ(inner->UIStyle(), DeepBlue);

    ApplyThemeToChildren(form, FromThemeFile, nullptr);
    EXPECT_EQ(second->FileTheme(), nullptr);
    EXPECT_EQ(second->UIStyle(), FromThemeFile);
}

TEST_F(ControlHelpers, ControlBoundsAreSetOneByOne)
{
    auto* control = new TBoundsRecorder(app);
    control->SetBounds(1, 2, 3, 4);
    control->Calls.clear();
    SetControlBounds(control, { 10, 20, 110, 70 });
    EXPECT_EQ(
        control->Calls, (std::vector<TRect> { { 10, 2, 3, 4 }, { 10, 20, 3, 4 }, { 10, 20, 100, 4 }, { 10, 20, 100, 50 } }));
}

TEST_F(ControlHelpers, ActiveFormFollowsTheApplication)
{
    EXPECT_FALSE(IsFormActive(nullptr)); // no window of the program is active

    TForm* mainForm = ShownForm();
    TForm* other = new TForm(app);
    ASSERT_TRUE(app->Active());
    EXPECT_TRUE(IsFormActive(nullptr));
    EXPECT_TRUE(IsFormActive(mainForm));
    EXPECT_FALSE(IsFormActive(other));
}

TEST_F(ControlHelpers, MenuHandlersReachEverySubItem)
{
    auto* top = new TMenuItem(app);
    auto* child = new TMenuItem(app);
    auto* grandchild = new TMenuItem(app);
    top->Add(child);
    child->Add(grandchild);
    int draws = 0;
    int measures = 0;
    SetMenuItemsDrawHandlers(
        top, [&](TObject*, TCanvas&, const TRect&, bool) { ++draws; }, [&](TObject*, TCanvas&, int&, int&) { ++measures; });
    TBitmap bitmap(4, 4);
    int w = 0;
    int h = 0;
    for (TMenuItem* item : { top, child, grandchild }) {
        ASSERT_TRUE(item->OnDrawItem && item->OnMeasureItem);
        item->OnDrawItem(item, bitmap.Canvas(), {}, false);
        item->OnMeasureItem(item, bitmap.Canvas(), w, h);
    }
    EXPECT_EQ(draws, 3);
    EXPECT_EQ(measures, 3);
}
