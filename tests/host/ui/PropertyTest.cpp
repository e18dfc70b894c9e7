#include <gtest/gtest.h>

#include "TestComponents.h"
#include "host/ui/Properties.h"

namespace {

class PropertyTest : public ::testing::Test {
protected:
    void SetUp() override { TestLog().clear(); }

    TTestForm form;
    TTestPanel* panel = new TTestPanel(&form);
};

std::vector<std::string> Names(const TClassInfo& cls)
{
    std::vector<std::string> names;
    for (const TPropInfo* p : cls.Properties())
        names.push_back(p->Name());
    return names;
}

TEST_F(PropertyTest, PublishedPropertiesAreInheritedAndFoundInAnyCase)
{
    EXPECT_TRUE(HasPublishedProperty(panel, "Caption"));
    EXPECT_TRUE(HasPublishedProperty(panel, "caption"));
    EXPECT_TRUE(HasPublishedProperty(panel, "Name")); // from TComponent
    EXPECT_FALSE(HasPublishedProperty(panel, "FileTheme"));
    EXPECT_FALSE(HasPublishedProperty(nullptr, "Caption"));
    EXPECT_FALSE(HasPublishedProperty(panel, "Font.Height")); // a path, not a property

    // A class that publishes an inherited name again moves it to its own place.
    EXPECT_EQ(Names(TTestLabel::StaticClassInfo()),
        (std::vector<std::string> { "Name", "Width", "Color", "Align", "Visible", "Options", "Font", "Lines", "Buddy", "Count",
            "OnClick", "Caption", "Text" }));
}

TEST_F(PropertyTest, SettingByNameRunsTheSetter)
{
    SetOrdProp(panel, "Width", 120);
    EXPECT_EQ(panel->Width(), 120);
    EXPECT_EQ(panel->SetterCalls, 1);
    EXPECT_EQ(GetOrdProp(panel, "width"), 120);

    SetOrdProp(panel, "Color", clWindowText);
    EXPECT_EQ(panel->Color(), clWindowText);
    SetStrProp(panel, "Caption", "平假名");
    EXPECT_EQ(panel->Caption(), "平假名");
    EXPECT_EQ(GetStrProp(panel, "Caption"), "平假名");
    EXPECT_EQ(panel->SetterCalls, 3);
}

TEST_F(PropertyTest, EnumerationsAndBooleansByName)
{
    SetEnumProp(panel, "Align", "TALCLIENT");
    EXPECT_EQ(panel->Align(), talClient);
    EXPECT_EQ(GetEnumProp(panel, "Align"), "talClient");
    EXPECT_EQ(GetOrdProp(panel, "Align"), 2);
    SetEnumProp(panel, "Visible", "False");
    EXPECT_FALSE(panel->Visible());
    EXPECT_EQ(GetEnumProp(panel, "Visible"), "False");
    SetOrdProp(panel, "Align", 1);
    EXPECT_EQ(panel->Align(), talTop);

    EXPECT_THROW(SetEnumProp(panel, "Align", "alClient"), EPropertyError);
    EXPECT_THROW(SetOrdProp(panel, "Align", 3), EPropertyError);
    EXPECT_THROW(SetOrdProp(panel, "Visible", 2), EPropertyError);
    EXPECT_EQ(panel->Align(), talTop) << "a refused value leaves the property as it was";
}

TEST_F(PropertyTest, SetsByElementNames)
{
    SetSetProp(panel, "Options", { "toThird", "TOFIRST" });
    EXPECT_EQ(panel->Options(), (TTestOptions { TTestOption::toFirst, TTestOption::toThird }));
    EXPECT_EQ(GetSetProp(panel, "Options"), (std::vector<std::string> { "toFirst", "toThird" }));
    EXPECT_THROW(SetSetProp(panel, "Options", { "toFourth" }), EPropertyError);

    SetSetProp(panel, "Font.Style", { "fsBold", "fsUnderline" });
    EXPECT_TRUE(panel->Font().Style().Has(TFontStyle::fsBold));
    EXPECT_TRUE(panel->Font().Style().Has(TFontStyle::fsUnderline));
    EXPECT_FALSE(panel->Font().Style().Has(TFontStyle::fsItalic));
}

TEST_F(PropertyTest, IntegersOutsideTheirTypeAreRefused)
{
    EXPECT_THROW(SetOrdProp(panel, "Width", std::int64_t { 1 } << 40), EPropertyError);
    EXPECT_THROW(SetOrdProp(panel, "Font.Charset", 256), EPropertyError);
    SetOrdProp(panel, "Font.Charset", 134);
    EXPECT_EQ(panel->Font().Charset(), 134);
}

TEST_F(PropertyTest, MissingReadOnlyAndMistypedPropertiesRaise)
{
    try {
        SetOrdProp(panel, "Widht", 1);
        FAIL();
    } catch (const EPropertyError& e) {
        EXPECT_EQ(e.Message(), "Property Widht does not exist");
    }
    EXPECT_EQ(GetOrdProp(panel, "Count"), 7);
    EXPECT_THROW(SetOrdProp(panel, "Count", 1), EPropertyError);
    EXPECT_THROW(SetStrProp(panel, "Width", "1"), EPropertyError);
    EXPECT_THROW(GetEnumProp(panel, "Width"), EPropertyError);
    EXPECT_THROW(GetOrdProp(panel, "Caption.Length"), EPropertyError);
}

TEST_F(PropertyTest, SubObjectsByPath)
{
    SetOrdProp(panel, "Font.Height", -13);
    SetStrProp(panel, "font.name", "Tahoma");
    EXPECT_EQ(panel->Font().Height(), -13);
    EXPECT_EQ(panel->Font().Name(), "Tahoma");
    TFont& font = GetSubObject<TFont>(panel, "Font");
    EXPECT_EQ(&font, &panel->Font());
    EXPECT_THROW(GetSubObject<TStrings>(panel, "Font"), EPropertyError);

    TStringList lines;
    lines.Add("one");
    SetObjectProp(panel, "Lines", &lines);
    EXPECT_EQ(panel->Lines()->Text(), "one\n");
    EXPECT_EQ(GetObjectProp(panel, "Lines"), panel->Lines());
    EXPECT_THROW(SetObjectProp(panel, "Lines", panel), EPropertyError);
}

TEST_F(PropertyTest, ComponentReferencesByName)
{
    auto* other = new TTestPanel(&form);
    SetObjectProp(panel, "Buddy", other);
    EXPECT_EQ(panel->Buddy(), other);
    EXPECT_EQ(GetObjectProp(panel, "Buddy"), other);
    SetObjectProp(panel, "Buddy", nullptr);
    EXPECT_EQ(panel->Buddy(), nullptr);

    auto* stranger = new TComponent(&form);
    EXPECT_THROW(SetObjectProp(panel, "Buddy", stranger), EPropertyError) << "not a TTestPanel";
    TStringList lines;
    EXPECT_THROW(SetObjectProp(panel, "Buddy", &lines), EPropertyError);
}

TEST_F(PropertyTest, EventsBindToPublishedMethodsOfTheRoot)
{
    panel->SetName("Panel");
    SetMethodProp(panel, "OnClick", &form, "panelclick");
    ASSERT_TRUE(panel->OnClick);
    panel->OnClick(panel);
    EXPECT_EQ(form.Clicks, std::vector<std::string> { "Panel" });
    EXPECT_EQ(GetMethodProp(panel, "OnClick", &form), "PanelClick");

    panel->OnClick = [](TObject*) {};
    EXPECT_EQ(GetMethodProp(panel, "OnClick", &form), "") << "a lambda is no published method";

    EXPECT_THROW(SetMethodProp(panel, "OnClick", &form, "PanelKlick"), EPropertyError);
    EXPECT_THROW(SetMethodProp(panel, "OnClick", &form, "FormClose"), EPropertyError) << "another signature";
    SetMethodProp(&form, "OnClose", &form, "FormClose");
    int action = 0;
    form.OnClose(&form, action);
    EXPECT_EQ(action, 2);
    SetMethodProp(panel, "OnClick", &form, "");
    EXPECT_FALSE(panel->OnClick);
}

} // namespace
