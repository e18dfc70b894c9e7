#include <gtest/gtest.h>

#include <algorithm>

#include "TestComponents.h"
#include "host/res/Resources.h"
#include "host/ui/Application.h"
#include "host/ui/Properties.h"
#include "host/ui/Streaming.h"

namespace {

// Destroys a component of its owner when a property says so, while reading or in Loaded.
class TTestKiller : public TTestPanel {
    DECLARE_CLASS(TTestKiller, TTestPanel)

public:
    using TTestPanel::TTestPanel;
    const std::string& Kill() const { return kill_; }
    void SetKill(const std::string& name) { delete Owner()->FindComponent(name); }
    const std::string& KillOnLoad() const { return killOnLoad_; }
    void SetKillOnLoad(const std::string& name) { killOnLoad_ = name; }

protected:
    void Loaded() override
    {
        inherited::Loaded();
        delete Owner()->FindComponent(killOnLoad_);
    }

private:
    std::string kill_;
    std::string killOnLoad_;
};

void TTestKiller::Publish(TPublisher<TTestKiller>& p)
{
    p.Property("Kill", &TTestKiller::Kill, &TTestKiller::SetKill);
    p.Property("KillOnLoad", &TTestKiller::KillOnLoad, &TTestKiller::SetKillOnLoad);
}

// Fails in Loaded with its stored message, as a connection that cannot open does.
class TTestFailer : public TTestPanel {
    DECLARE_CLASS(TTestFailer, TTestPanel)

public:
    using TTestPanel::TTestPanel;
    const std::string& FailOnLoad() const { return failOnLoad_; }
    void SetFailOnLoad(const std::string& value) { failOnLoad_ = value; }

protected:
    void Loaded() override
    {
        inherited::Loaded();
        throw Exception(failOnLoad_);
    }

private:
    std::string failOnLoad_;
};

void TTestFailer::Publish(TPublisher<TTestFailer>& p)
{
    p.Property("FailOnLoad", &TTestFailer::FailOnLoad, &TTestFailer::SetFailOnLoad);
}

const char* const kLayout = R"(object Form1: TTestForm
  Caption = 'Main'
  OnClose = FormClose
  object Book1: TTestBook
    Width = 300
    Buddy = Sheet2
    Pages = (
      Sheet1
      Sheet2)
    Items = <
      item
        Top = 4
        Caption = 'first'
        Target = Sheet1
      end
      item
        Caption = 'second'
      end>
    object Sheet2: TTestSheet
      Caption = 'Two'
      PageControl = Book1
    end
    object Sheet1: TTestSheet
      Caption = 'One'
      Align = talClient
      Color = clWindow
      Options = [toSecond]
      Font.Height = -13
      Font.Style = [fsBold]
      Lines.Strings = (
        'a'
        'b')
      OnClick = PanelClick
      PageControl = Book1
      object Label1: TTestLabel
        Caption = 'Hello'
        Buddy = Missing
      end
    end
  end
end
)";

class ReaderTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        RegisterTestClasses();
        RegisterClasses<TTestKiller, TTestFailer>();
        TestLog().clear();
    }

    template <typename T = TTestPanel> T* Find(const char* name) { return dynamic_cast<T*>(form.FindComponent(name)); }

    std::size_t LogIndex(const std::string& entry)
    {
        const auto& log = TestLog();
        auto it = std::find(log.begin(), log.end(), entry);
        EXPECT_NE(it, log.end()) << "log lacks: " << entry;
        return static_cast<std::size_t>(it - log.begin());
    }

    std::string ReadError(const std::string& text)
    {
        try {
            TTestForm root;
            ReadComponentFromString(text, &root);
        } catch (const EReadError& e) {
            return e.Message();
        }
        return "no error";
    }

    TTestForm form;
};

TEST_F(ReaderTest, CreatesTheComponentsWithTheirStoredValues)
{
    ReadComponentFromString(kLayout, &form);

    EXPECT_EQ(form.Name(), "Form1");
    EXPECT_EQ(form.Caption(), "Main");
    ASSERT_EQ(form.ComponentCount(), 4);
    auto* book = Find<TTestBook>("Book1");
    auto* sheet1 = Find<TTestSheet>("Sheet1");
    auto* sheet2 = Find<TTestSheet>("Sheet2");
    auto* label = Find<TTestLabel>("Label1");
    ASSERT_TRUE(book && sheet1 && sheet2 && label);
    for (int i = 0; i < form.ComponentCount(); ++i)
        EXPECT_EQ(form.Components(i)->Owner(), &form);

    EXPECT_EQ(book->Width(), 300);
    EXPECT_EQ(sheet1->Align(), talClient);
    EXPECT_EQ(sheet1->Color(), clWindow);
    EXPECT_EQ(sheet1->Options(), TTestOptions { TTestOption::toSecond });
    EXPECT_EQ(sheet1->Font().Height(), -13);
    EXPECT_TRUE(sheet1->Font().Style().Has(TFontStyle::fsBold));
    EXPECT_EQ(sheet1->Lines()->Text(), "a\nb\n");
    EXPECT_EQ(label->Parent, sheet1);
    EXPECT_EQ(book->Children, (std::vector<TTestPanel*> { sheet2, sheet1 }));

    ASSERT_EQ(book->Items()->Count(), 2);
    EXPECT_EQ(book->Items()->Items(0)->Top(), 4);
    EXPECT_EQ(book->Items()->Items(0)->Target(), sheet1);
    EXPECT_EQ(book->Items()->Items(1)->Caption(), "second");
    EXPECT_EQ(book->Items()->Updates, std::vector<std::string> { "all first second" }) << "one update for the whole read";

    EXPECT_EQ(book->Buddy(), sheet2) << "a reference to a component stored later";
    EXPECT_EQ(label->Buddy(), nullptr) << "an unknown name leaves the reference empty";

    ASSERT_TRUE(sheet1->OnClick);
    sheet1->OnClick(sheet1);
    EXPECT_EQ(form.Clicks, std::vector<std::string> { "Sheet1" });
    int action = 0;
    form.OnClose(&form, action);
    EXPECT_EQ(action, 2);
}

TEST_F(ReaderTest, ParentComesBeforeTheComponentsOwnProperties)
{
    ReadComponentFromString(kLayout, &form);
    EXPECT_LT(LogIndex("Sheet2.Parent=Book1 Caption= (loading)"), LogIndex("Sheet2.Caption=Two in Book1 (loading)"));
    EXPECT_LT(LogIndex("Book1.Parent=Form1 Caption= (loading)"), LogIndex("Book1.Width=300 (loading)"));
    // The sheet is a page of the book by the time its own PageControl is read.
    LogIndex("Sheet2.PageControl=Book1 pages=1");
    LogIndex("Sheet1.PageControl=Book1 pages=2");
    EXPECT_EQ(Find<TTestBook>("Book1")->StoredPageNames, (std::vector<std::string> { "Sheet1", "Sheet2" }));
}

TEST_F(ReaderTest, ReferencesThenLoadedComeAfterEverythingIsRead)
{
    ReadComponentFromString(kLayout, &form);
    const std::size_t lastRead = LogIndex("Label1.Caption=Hello in Sheet1 (loading)");
    const std::size_t buddy = LogIndex("Book1.Buddy=Sheet2 (loading)");
    EXPECT_GT(buddy, lastRead) << "resolved after the whole layout, still while loading";

    const std::vector<std::string> loaded
        = { "Form1.Loaded", "Book1.Loaded buddy=Sheet2", "Sheet2.Loaded", "Sheet1.Loaded", "Label1.Loaded" };
    std::size_t previous = buddy;
    for (const std::string& entry : loaded) {
        const std::size_t index = LogIndex(entry);
        EXPECT_GT(index, previous) << entry;
        previous = index;
    }
    for (int i = 0; i < form.ComponentCount(); ++i) {
        EXPECT_FALSE(form.Components(i)->ComponentState().Contains(csLoading));
        EXPECT_FALSE(form.Components(i)->ComponentState().Contains(csReading));
    }
    EXPECT_FALSE(form.ComponentState().Contains(csLoading));
}

TEST_F(ReaderTest, ComponentsSeeLoadingFromTheirConstructorOn)
{
    ReadComponentFromString(kLayout, &form);
    EXPECT_TRUE(Find("Sheet1")->StateInConstructor.Contains(csLoading));
    EXPECT_TRUE(Find("Label1")->StateInConstructor.Contains(csReading));
    // A component made by code afterwards is not loading.
    TTestPanel later(&form);
    EXPECT_FALSE(later.StateInConstructor.Contains(csLoading));
}

TEST_F(ReaderTest, WrittenLayoutsReadBackTheSame)
{
    ReadComponentFromString(kLayout, &form);
    const std::string written = WriteComponentToString(&form);

    TTestForm copy;
    ReadComponentFromString(written, &copy);
    EXPECT_EQ(WriteComponentToString(&copy), written);

    // Only values that differ from their defaults; the name is the object's, not a property.
    EXPECT_EQ(written.find("Visible"), std::string::npos);
    EXPECT_EQ(written.find(" Name = "), std::string::npos);
    EXPECT_EQ(written.find("Count"), std::string::npos) << "read-only";
    for (const char* expected :
        { "object Form1: TTestForm\n", "  OnClose = FormClose\n", "    Buddy = Sheet2\n", "      Color = clWindow\n",
            "      Font.Style = [fsBold]\n", "      Font.Name = 'MS Sans Serif'\n", "      OnClick = PanelClick\n",
            "      PageControl = Book1\n", "        Caption = 'Hello'\n", "    Pages = (\n      Sheet2\n      Sheet1)\n",
            "        Target = Sheet1\n", "      Lines.Strings = (\n        'a'\n" }) {
        EXPECT_NE(written.find(expected), std::string::npos) << expected << "\n" << written;
    }
    EXPECT_LT(written.find("object Sheet2"), written.find("object Sheet1")) << "children in their own order";
    EXPECT_EQ(written.find("Missing"), std::string::npos);
}

TEST_F(ReaderTest, StoredStringsReadBackAsStoredWhateverTheirDefault)
{
    struct TCase {
        const char* className;
        const char* property;
        const char* stored;
        const char* value;
    };
    const TCase cases[] = {
        { "TTestPanel", "Font.Name", "''", "" }, // a fresh font has a name
        { "TTestPanel", "Font.Name", "'MS Sans Serif'", "MS Sans Serif" },
        { "TTestPanel", "Font.Name", "'Tahoma'", "Tahoma" },
        { "TTestPanel", "Caption", "''", "" },
        { "TTestPanel", "Caption", "'It''s'", "It's" },
        { "TTestLabel", "Caption", "''", "" }, // stored default 'Label'
        { "TTestLabel", "Caption", "'Title'", "Title" },
    };
    for (const TCase& c : cases) {
        SCOPED_TRACE(std::string(c.className) + " " + c.property + " = " + c.stored);
        const std::string text = std::string("object Form1: TTestForm\n  object Thing: ") + c.className + "\n    " + c.property
            + " = " + c.stored + "\n  end\nend\n";
        TTestForm first;
        ReadComponentFromString(text, &first);
        const std::string written = WriteComponentToString(&first);
        TTestForm second;
        ReadComponentFromString(written, &second);
        EXPECT_EQ(GetStrProp(second.FindComponent("Thing"), c.property), c.value);
        EXPECT_EQ(WriteComponentToString(&second), written);
    }
}

TEST_F(ReaderTest, WriterLeavesOutDefaultsAndWhatCannotBeNamed)
{
    form.SetName("Form1");
    auto* label = new TTestLabel(&form);
    label->SetName("Label1");
    label->SetParentComponent(&form);
    label->IsAutoWidth = true; // Width's stored test says no
    label->OnClick = [](TObject*) {};
    TTestForm elsewhere;
    auto* foreign = new TTestPanel(&elsewhere);
    foreign->SetName("Foreign");
    label->SetBuddy(foreign);

    EXPECT_EQ(WriteComponentToString(&form),
        "object Form1: TTestForm\n"
        "  Width = 0\n"
        "  Font.Charset = DEFAULT_CHARSET\n"
        "  Font.Color = clWindowText\n"
        "  Font.Height = -11\n"
        "  Font.Name = 'MS Sans Serif'\n"
        "  Font.Style = []\n"
        "  object Label1: TTestLabel\n"
        "    Font.Charset = DEFAULT_CHARSET\n"
        "    Font.Color = clWindowText\n"
        "    Font.Height = -11\n"
        "    Font.Name = 'MS Sans Serif'\n"
        "    Font.Style = []\n"
        "    Caption = ''\n"
        "  end\n"
        "end\n");
}

TEST_F(ReaderTest, StoredPicturesKeepPixelsAndDepth)
{
    auto* book = new TTestBook(&form);
    book->SetName("Book1");
    book->SetParentComponent(&form);
    TBitmap deep(17, 17);
    deep.SetPixelFormat(TPixelFormat::pf32bit);
    deep.SetPixel(3, 4, RGB(10, 20, 30));
    TBitmap paletted(48, 23);
    paletted.SetPixelFormat(TPixelFormat::pf8bit);
    paletted.SetPixel(0, 22, clFuchsia);
    static_cast<TTestItem*>(book->Items()->Add())->Picture().SetBitmap(deep);
    static_cast<TTestItem*>(book->Items()->Add())->Picture().SetBitmap(paletted);
    book->Items()->Add();

    const std::string written = WriteComponentToString(&form);
    EXPECT_NE(written.find("Picture.Data = {\n          07544269746D6170"), std::string::npos) << written;
    TTestForm copy;
    ReadComponentFromString(written, &copy);
    auto* items = dynamic_cast<TTestBook*>(copy.FindComponent("Book1"))->Items();
    ASSERT_EQ(items->Count(), 3);
    const TBitmap* a = items->Items(0)->Picture().Graphic();
    const TBitmap* b = items->Items(1)->Picture().Graphic();
    ASSERT_TRUE(a && b);
    EXPECT_EQ(a->PixelFormat(), TPixelFormat::pf32bit);
    EXPECT_EQ(a->GetPixel(3, 4), RGB(10, 20, 30));
    EXPECT_EQ(b->PixelFormat(), TPixelFormat::pf8bit);
    EXPECT_EQ(b->Width(), 48);
    EXPECT_EQ(b->GetPixel(0, 22), clFuchsia);
    EXPECT_EQ(items->Items(2)->Picture().Graphic(), nullptr);
}

TEST_F(ReaderTest, LayoutsThatDoNotFitNameTheLine)
{
    const std::string head = "object Form1: TTestForm\n";
    const std::pair<std::string, std::string> cases[] = {
        { head + "  object X: TNoSuchPanel\n  end\nend", "Line 2: Class TNoSuchPanel not found" },
        { head + "  Widht = 1\nend", "Line 2: Property Widht does not exist" },
        { head + "  Font.Heigth = 1\nend", "Line 2: Property Font.Heigth does not exist" },
        { head + "  Caption.X = 1\nend", "Line 2: Property Caption.X does not exist" },
        { head + "  Align = alClient\nend", "Line 2: Invalid property value for Align" },
        { head + "  Width = 'wide'\nend", "Line 2: Invalid property value for Width" },
        { head + "  Width = 4294967296\nend", "Line 2: Invalid property value for Width" },
        { head + "  Color = clPink\nend", "Line 2: Invalid property value for Color" },
        { head + "  Options = [toFourth]\nend", "Line 2: Invalid property value for Options" },
        { head + "  Visible = 1\nend", "Line 2: Invalid property value for Visible" },
        { head + "  Caption = Main\nend", "Line 2: Invalid property value for Caption" },
        { head + "  Font = 1\nend", "Line 2: Invalid property value for Font" },
        { head + "  Count = 1\nend", "Line 2: Property Count is read-only" },
        { head + "  object A: TTestPanel\n  end\n  object B: TTestPanel\n    Name = 'A'\n  end\nend",
            "Line 5: A component named A already exists" },
        { head + "  Name = 'no name'\nend", "Line 2: 'no name' is not a valid component name" },
        { head + "  OnClick = PanelKlick\nend", "Line 2: Method PanelKlick not found in TTestForm" },
        { head + "  OnClick = FormClose\nend", "Line 2: Method FormClose does not match the event OnClick" },
        { head + "  Lines.Strings = ('a' b)\nend", "Line 2: String expected" },
        { head + "  object A: TTestPanel\n  end\n  object a: TTestPanel\n  end\nend",
            "Line 4: A component named a already exists" },
        { head + "  object Form1: TTestPanel\n  end\nend", "Line 2: A component named Form1 already exists" },
        { head + "  object A: TPersistent\n  end\nend", "Line 2: Class TPersistent not found" },
        { head + "  object A: TTestPanel\n    Buddy = B\n  end\n  object B: TComponent\n  end\nend",
            "Line 3: Invalid property value for Buddy" },
        { "object Other: TOtherForm\nend", "Line 1: A layout of TOtherForm cannot be read into a TTestForm" },
        { head + "  object T: TComponent\n    object P: TTestPanel\n    end\n  end\nend",
            "Line 3: A TTestPanel cannot be placed inside a TComponent" },
        { head
                + "  object B: TTestBook\n    Items = <\n      item\n        Picture.Data = {07544269746D6170FF000000}\n"
                  "      end>\n  end\nend",
            "Line 5: Stream read error" },
        { head
                + "  object B: TTestBook\n    Items = <\n      item\n        Picture.Data = {054F74686572}\n      end>\n"
                  "  end\nend",
            "Line 5: Unsupported picture format Other" },
        { head
                + "  object B: TTestBook\n    Items = <\n      item\n        Picture.Data = {07544269746D617002000000424D}\n"
                  "      end>\n  end\nend",
            "Line 5: Stream read error" },
    };
    for (const auto& [text, message] : cases)
        EXPECT_EQ(ReadError(text), message) << text;
}

TEST_F(ReaderTest, AFailedReadTakesBackWhatItMade)
{
    const std::string text = "object Form1: TTestForm\n  object A: TTestPanel\n    object B: TTestPanel\n    end\n  end\n"
                             "  object C: TTestPanel\n    Bad = 1\n  end\nend";
    EXPECT_THROW(ReadComponentFromString(text, &form), EReadError);
    EXPECT_EQ(form.ComponentCount(), 0);
    EXPECT_TRUE(form.Children.empty());
    EXPECT_FALSE(form.ComponentState().Contains(csLoading));
    EXPECT_FALSE(form.ComponentState().Contains(csReading));
}

TEST_F(ReaderTest, ComponentsDestroyedWhileReadingAreForgotten)
{
    const std::string text = "object Form1: TTestForm\n"
                             "  object Victim: TTestPanel\n    Buddy = Form1\n  end\n"
                             "  object Other: TTestPanel\n  end\n"
                             "  object Killer1: TTestKiller\n    Kill = 'Victim'\n    KillOnLoad = 'Other'\n  end\n"
                             "  object Middle: TTestPanel\n  end\n"
                             "  object Killer2: TTestKiller\n    KillOnLoad = 'Last'\n  end\n"
                             "  object Last: TTestPanel\n  end\n"
                             "end";
    ReadComponentFromString(text, &form);
    EXPECT_EQ(form.ComponentCount(), 3);
    const auto& log = TestLog();
    for (const char* name : { "Other", "Killer1", "Middle", "Killer2" })
        EXPECT_EQ(std::count(log.begin(), log.end(), std::string(name) + ".Loaded"), 1) << name;
    EXPECT_EQ(std::count(log.begin(), log.end(), "Victim.Loaded"), 0);
    EXPECT_EQ(std::count(log.begin(), log.end(), "Last.Loaded"), 0);
}

const char* const kFailingLoads = "object Form1: TTestForm\n"
                                  "  object First: TTestPanel\n  end\n"
                                  "  object Db: TTestFailer\n    FailOnLoad = 'Could not find file db1.mdb'\n  end\n"
                                  "  object Middle: TTestPanel\n    Buddy = Last\n  end\n"
                                  "  object Other: TTestFailer\n    FailOnLoad = 'Second failure'\n  end\n"
                                  "  object Last: TTestPanel\n  end\n"
                                  "end";

TEST_F(ReaderTest, AFailingLoadedGoesToTheApplicationAndTheOthersStillLoad)
{
    TApplication app(nullptr);
    std::vector<std::string> handled;
    app.OnException = [&](TObject*, const std::exception& e) {
        // Handled only once every component is loaded.
        handled.push_back(e.what() + std::string(TestLog().back() == "Last.Loaded" ? " after all" : " too early"));
    };
    ReadComponentFromString(kFailingLoads, &form);
    EXPECT_EQ(handled, (std::vector<std::string> { "Could not find file db1.mdb after all", "Second failure after all" }));
    ASSERT_EQ(form.ComponentCount(), 5);
    for (const char* entry :
        { "Form1.Loaded", "First.Loaded", "Db.Loaded", "Middle.Loaded buddy=Last", "Other.Loaded", "Last.Loaded" })
        EXPECT_EQ(std::count(TestLog().begin(), TestLog().end(), entry), 1) << entry;
    for (int i = 0; i < form.ComponentCount(); ++i)
        EXPECT_FALSE(form.Components(i)->ComponentState().Contains(csLoading)) << form.Components(i)->Name();
    EXPECT_FALSE(form.ComponentState().Contains(csLoading));
}

TEST_F(ReaderTest, WithoutAnApplicationAFailingLoadedIsRaisedOnceAllAreLoaded)
{
    try {
        ReadComponentFromString(kFailingLoads, &form);
        ADD_FAILURE() << "no exception";
    } catch (const Exception& e) {
        EXPECT_EQ(e.Message(), "Could not find file db1.mdb");
    }
    EXPECT_EQ(TestLog().back(), "Last.Loaded");
    EXPECT_EQ(form.ComponentCount(), 5);
    EXPECT_FALSE(Find("Last")->ComponentState().Contains(csLoading));
}

TEST_F(ReaderTest, AReplacedCollectionDropsItsPendingReferences)
{
    const std::string text = "object Form1: TTestForm\n  object Book1: TTestBook\n"
                             "    Items = <\n      item\n        Target = Book1\n      end>\n"
                             "    Items = <\n      item\n        Caption = 'x'\n      end>\n"
                             "  end\nend";
    ReadComponentFromString(text, &form);
    auto* items = Find<TTestBook>("Book1")->Items();
    ASSERT_EQ(items->Count(), 1);
    EXPECT_EQ(items->Items(0)->Target(), nullptr);
    EXPECT_EQ(items->Items(0)->Caption(), "x");
}

TEST_F(ReaderTest, NilClearsReferencesAndEvents)
{
    form.OnClick = [](TObject*) {};
    auto* panel = new TTestPanel(&form);
    form.SetBuddy(panel);
    ReadComponentFromString("object Form1: TTestForm\n  Buddy = nil\n  OnClick = nil\nend", &form);
    EXPECT_EQ(form.Buddy(), nullptr);
    EXPECT_FALSE(form.OnClick);
}

TEST_F(ReaderTest, LayoutResourcesAreReadByName)
{
    EXPECT_THROW(ReadComponentRes("NO_SUCH_LAYOUT", &form), EResNotFound);
}

} // namespace
