// The page control and its sheets: the stored form of the main window, activation by click
// and by program with its events, hidden tabs, moving, adding and removing pages.
#include <string>
#include <vector>

#include "host/ui/Properties.h"
#include "host/ui/Publisher.h"
#include "host/ui/Streaming.h"
#include "tests/skin/controls/SUITabControlTestSupport.h"

// A window holding a page control as the main window does, with its change handler.
class TPageForm : public TForm {
    DECLARE_CLASS(TPageForm, TForm)

public:
    using TForm::TForm;
    void suiPageControl1Change(TObject*) { ++Changes; }
    int Changes = 0;
};

void TPageForm::Publish(TPublisher<TPageForm>& p)
{
    p.Method("suiPageControl1Change", &TPageForm::suiPageControl1Change);
}

namespace {

// The sheets are stored in child order (2, 1, 3), the page order in Pages.
const char* const kMainWindowLayout = R"(object PageForm: TPageForm
  BorderStyle = bsNone
  Width = 700
  Height = 420
  object suiPageControl1: TsuiPageControl
    Left = 8
    Top = 8
    Width = 674
    Height = 376
    UIStyle = MacOS
    LeftMargin = 10
    BorderColor = $7F7F7F
    Color = $E7E7E7
    Pages = (
      suiTabSheet1
      suiTabSheet2
      suiTabSheet3)
    ActivePage = suiTabSheet3
    OnChange = suiPageControl1Change
    object suiTabSheet2: TsuiTabSheet
      PageIndex = 1
      Caption = '片假名'
      TabVisible = True
      Enabled = False
      Color = $E7E7E7
      PageControl = suiPageControl1
    end
    object suiTabSheet1: TsuiTabSheet
      PageIndex = 0
      Caption = '平假名'
      TabVisible = True
      Enabled = False
      Color = $E7E7E7
      PageControl = suiPageControl1
    end
    object suiTabSheet3: TsuiTabSheet
      PageIndex = 2
      Caption = '随机'
      TabVisible = True
      Color = $E7E7E7
      PageControl = suiPageControl1
    end
  end
end
)";

class PageControlTest : public TabControlTest {
protected:
    void SetUp() override
    {
        TabControlTest::SetUp();
        RegisterClasses<TPageForm>();
    }

    TPageForm* LoadMainWindow()
    {
        auto* form = new TPageForm(app);
        ReadComponentFromString(kMainWindowLayout, form);
        form->SetBounds(FormLeft, FormTop, 700, 420);
        form->Show();
        DispatchPendingMessages();
        pages = dynamic_cast<TsuiPageControl*>(form->FindComponent("suiPageControl1"));
        return form;
    }

    TsuiTabSheet* Sheet(TForm* form, const char* name) { return dynamic_cast<TsuiTabSheet*>(form->FindComponent(name)); }

    // A page control with sheets One, Two, Three made by program; Three is active.
    void BuildPages()
    {
        pageForm = ShownForm();
        pages = new TsuiPageControl(pageForm);
        pages->SetParent(pageForm);
        pages->SetBounds(0, 0, 674, 376);
        pages->SetUIStyle(MacOS);
        for (const char* name : { "One", "Two", "Three" })
            AddSheet(name);
        pages->OnChange = [this](TObject*) { log.push_back("change"); };
        pages->OnTabActive = [this](TObject*, int index) { log.push_back("active " + std::to_string(index)); };
        DispatchPendingMessages();
    }

    TsuiTabSheet* AddSheet(const std::string& name)
    {
        auto* sheet = new TsuiTabSheet(pageForm);
        sheet->SetName(name);
        sheet->SetCaption(name);
        sheet->OnShow = [this](TObject* sender) { log.push_back("show " + static_cast<TsuiTabSheet*>(sender)->Name()); };
        sheet->SetParent(pages);
        return sheet;
    }

    std::vector<std::string> Captions() const
    {
        std::vector<std::string> result;
        const TStrings& tabs = pages->TopPanel()->Tabs();
        for (int i = 0; i < tabs.Count(); ++i)
            result.push_back(tabs.Strings(i));
        return result;
    }

    std::vector<std::string> PageNames() const
    {
        std::vector<std::string> result;
        for (int i = 0; i < pages->PageCount(); ++i) {
            result.push_back(pages->Pages(i)->Name());
            EXPECT_EQ(pages->Pages(i)->PageIndex(), i);
        }
        return result;
    }

    // Clicks the middle of the tab at a position.
    void ClickTab(int index)
    {
        TsuiTabControlTopPanel* strip = pages->TopPanel();
        const TRect tab = strip->TabRect(index);
        ClickAt(strip, (tab.Left + tab.Right) / 2, (tab.Top + tab.Bottom) / 2);
    }

    TForm* pageForm = nullptr;
    TsuiPageControl* pages = nullptr;
};

} // namespace

TEST_F(PageControlTest, MainWindowLoadsInStoredPageOrderWithoutChangeEvents)
{
    TPageForm* window = LoadMainWindow();
    ASSERT_NE(pages, nullptr);
    EXPECT_EQ(PageNames(), (std::vector<std::string> { "suiTabSheet1", "suiTabSheet2", "suiTabSheet3" }));
    EXPECT_EQ(Captions(), (std::vector<std::string> { "平假名", "片假名", "随机" }));
    EXPECT_EQ(pages->ActivePage(), Sheet(window, "suiTabSheet3"));
    EXPECT_EQ(pages->TopPanel()->TabIndex(), 2);
    EXPECT_FALSE(Sheet(window, "suiTabSheet1")->Enabled());
    EXPECT_FALSE(Sheet(window, "suiTabSheet2")->Enabled());
    EXPECT_TRUE(Sheet(window, "suiTabSheet3")->Enabled());
    EXPECT_EQ(window->Changes, 0);
    EXPECT_EQ(Sheet(window, "suiTabSheet1")->BoundsRect(), Bounds(3, 37, 668, 336));
}

TEST_F(PageControlTest, StoredCaptionsAndFontNamesReadBackAsStored)
{
    struct TCase {
        const char* property;
        const char* stored;
        const char* value;
    };
    const TCase cases[] = {
        { "Caption", "''", "" }, // a fresh page control's caption is blank
        { "Caption", "' '", " " },
        { "Caption", "'Pages'", "Pages" },
        { "Font.Name", "''", "" },
    };
    for (const TCase& c : cases) {
        SCOPED_TRACE(std::string(c.property) + " = " + c.stored);
        const std::string text = std::string("object Stored: TForm\n  object suiPageControl1: TsuiPageControl\n    ") + c.property
            + " = " + c.stored + "\n  end\nend\n";
        TForm first(nullptr);
        ReadComponentFromString(text, &first);
        const std::string written = WriteComponentToString(&first);
        TForm second(nullptr);
        ReadComponentFromString(written, &second);
        EXPECT_EQ(GetStrProp(second.FindComponent("suiPageControl1"), c.property), c.value);
        EXPECT_EQ(WriteComponentToString(&second), written);
    }
}

TEST_F(PageControlTest, ClickOnADisabledSheetsTabActivatesItBeforeOnChange)
{
    TPageForm* window = LoadMainWindow();
    TsuiTabSheet* hiragana = Sheet(window, "suiTabSheet1");
    TsuiTabSheet* random = Sheet(window, "suiTabSheet3");
    bool frontAtChange = false;
    pages->OnChange = [&](TObject*) {
        ++window->Changes;
        frontAtChange = hiragana->Enabled() && pages->Controls(pages->ControlCount() - 1) == hiragana;
    };
    ClickTab(0);
    EXPECT_EQ(window->Changes, 1);
    EXPECT_TRUE(frontAtChange) << "the page is in front and enabled when OnChange fires";
    EXPECT_EQ(pages->ActivePage(), hiragana);
    EXPECT_FALSE(random->Enabled());

    // A refused click changes nothing at all.
    pages->OnChanging = [](TObject*, bool& allow) { allow = false; };
    ClickTab(1);
    EXPECT_EQ(window->Changes, 1);
    EXPECT_EQ(pages->ActivePage(), hiragana);
    EXPECT_EQ(pages->TopPanel()->TabIndex(), 0);
    EXPECT_TRUE(hiragana->Enabled());
    EXPECT_FALSE(Sheet(window, "suiTabSheet2")->Enabled());
}

TEST_F(PageControlTest, ActivationByProgramFiresTheEventsTwice)
{
    BuildPages();
    TsuiTabSheet* one = pages->Pages(0);
    log.clear();
    pages->SetActivePage(one);
    EXPECT_EQ(log, (std::vector<std::string> { "show One", "active 0", "change", "show One", "active 0", "change", "show One" }));
    EXPECT_EQ(pages->TopPanel()->TabIndex(), 0);

    // No page: the old one is disabled, the strip still shows its tab.
    log.clear();
    pages->SetActivePage(nullptr);
    EXPECT_EQ(pages->ActivePage(), nullptr);
    EXPECT_FALSE(one->Enabled());
    EXPECT_EQ(pages->TopPanel()->TabIndex(), 0);
    EXPECT_TRUE(log.empty());

    // A sheet of another page control is not taken.
    auto* stranger = new TsuiTabSheet(pageForm);
    pages->SetActivePage(stranger);
    EXPECT_EQ(pages->ActivePage(), nullptr);
}

TEST_F(PageControlTest, HidingATabMovesToTheNearestVisiblePage)
{
    BuildPages();
    TsuiTabSheet* one = pages->Pages(0);
    TsuiTabSheet* two = pages->Pages(1);
    TsuiTabSheet* three = pages->Pages(2);

    two->SetTabVisible(false);
    EXPECT_EQ(pages->ActivePage(), one) << "the nearest before";
    EXPECT_FALSE(two->TabVisible());
    one->SetTabVisible(false);
    EXPECT_EQ(pages->ActivePage(), three) << "none before: the nearest after";
    three->SetTabVisible(false);
    EXPECT_EQ(pages->ActivePage(), three) << "none visible: unchanged";
    two->SetTabVisible(true);
    EXPECT_EQ(pages->ActivePage(), two);
}

TEST_F(PageControlTest, MovingRenamingAndRecolouringPages)
{
    BuildPages();
    TsuiTabSheet* one = pages->Pages(0);
    TsuiTabSheet* three = pages->Pages(2);
    pages->SetActivePage(one);

    three->SetPageIndex(3);
    three->SetPageIndex(-1);
    EXPECT_EQ(PageNames(), (std::vector<std::string> { "One", "Two", "Three" }));
    EXPECT_EQ(pages->ActivePage(), one);

    three->SetPageIndex(0);
    EXPECT_EQ(PageNames(), (std::vector<std::string> { "Three", "One", "Two" }));
    EXPECT_EQ(Captions(), (std::vector<std::string> { "Three", "One", "Two" }));
    EXPECT_EQ(pages->ActivePage(), three);
    EXPECT_EQ(pages->TopPanel()->TabIndex(), 0);

    one->SetCaption("Uno");
    EXPECT_EQ(Captions(), (std::vector<std::string> { "Three", "Uno", "Two" }));

    pages->SetColor(clYellow);
    for (int i = 0; i < pages->PageCount(); ++i)
        EXPECT_EQ(pages->Pages(i)->Color(), clYellow);
}

TEST_F(PageControlTest, AddingAndRemovingPages)
{
    BuildPages();
    TsuiTabSheet* one = pages->Pages(0);
    TsuiTabSheet* two = pages->Pages(1);
    EXPECT_EQ(pages->ActivePage(), pages->Pages(2)) << "the newest sheet is the active page";

    TsuiTabSheet* four = AddSheet("Four");
    EXPECT_EQ(pages->ActivePage(), four);
    EXPECT_EQ(four->PageIndex(), 3);
    EXPECT_EQ(Captions().back(), "Four");

    pages->SetActivePage(one);
    four->SetParent(nullptr); // not the active page: the one before it becomes active
    EXPECT_EQ(pages->ActivePage(), pages->Pages(2));
    EXPECT_EQ(four->PageControl(), nullptr);
    EXPECT_EQ(four->PageIndex(), -1);

    one->SetParent(nullptr);
    EXPECT_EQ(pages->ActivePage(), nullptr) << "the first page has none before it";
    EXPECT_EQ(PageNames(), (std::vector<std::string> { "Two", "Three" }));

    pages->SetActivePage(two);
    delete pages->Pages(1);
    EXPECT_EQ(PageNames(), (std::vector<std::string> { "Two" }));
    EXPECT_EQ(pages->ActivePage(), two);
    delete two;
    EXPECT_EQ(pages->PageCount(), 0);
    EXPECT_EQ(pages->ActivePage(), nullptr);
    EXPECT_TRUE(Captions().empty());
}

TEST_F(PageControlTest, TabVisibilityMovesWithItsSheet)
{
    BuildPages();
    TsuiTabSheet* one = pages->Pages(0);
    TsuiTabSheet* two = pages->Pages(1);
    TsuiTabControlTopPanel* strip = pages->TopPanel();
    two->SetTabVisible(false);

    two->SetPageIndex(0);
    EXPECT_FALSE(strip->TabVisible(0));
    EXPECT_TRUE(strip->TabVisible(1));
    EXPECT_FALSE(two->TabVisible());
    EXPECT_TRUE(one->TabVisible());

    two->SetParent(nullptr);
    EXPECT_TRUE(strip->TabVisible(0)) << "One moved up, with its own flag";
    EXPECT_FALSE(two->TabVisible()) << "a loose sheet keeps its own copy";
}

TEST_F(PageControlTest, StoredFormWritesPageOrderAndReadsItBack)
{
    TPageForm* window = LoadMainWindow();
    pages->Pages(2)->SetPageIndex(0);
    const std::string text = WriteComponentToString(window);
    EXPECT_NE(text.find("PageControl = suiPageControl1"), std::string::npos) << text;
    delete window; // its name is free again

    auto* copy = new TPageForm(app);
    ReadComponentFromString(text, copy);
    auto* copied = dynamic_cast<TsuiPageControl*>(copy->FindComponent("suiPageControl1"));
    ASSERT_NE(copied, nullptr);
    ASSERT_EQ(copied->PageCount(), 3);
    EXPECT_EQ(copied->Pages(0)->Name(), "suiTabSheet3");
    EXPECT_EQ(copied->Pages(1)->Name(), "suiTabSheet1");
    EXPECT_EQ(copied->Pages(2)->Name(), "suiTabSheet2");
    EXPECT_EQ(copied->ActivePage(), copied->Pages(0));
    EXPECT_EQ(copy->Changes, 0);
}

TEST_F(PageControlTest, ClosingTheWindowFiresNoPageEvents)
{
    TPageForm* window = LoadMainWindow();
    int events = 0;
    for (int i = 0; i < pages->PageCount(); ++i)
        pages->Pages(i)->OnShow = [&](TObject*) { ++events; };
    pages->OnChange = [&](TObject*) { ++events; };
    delete window;
    EXPECT_EQ(events, 0);
}
