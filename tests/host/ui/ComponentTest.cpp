#include <gtest/gtest.h>

#include "TestComponents.h"

namespace {

// Records the notifications it receives.
class TListener : public TComponent {
public:
    using TComponent::TComponent;
    std::vector<std::string> Heard;

protected:
    void Notification(TComponent* component, TOperation operation) override
    {
        TComponent::Notification(component, operation);
        Heard.push_back((operation == opInsert ? "insert " : "remove ") + component->Name()
            + (component->ComponentState().Contains(csDestroying) ? " (destroying)" : ""));
    }
};

class ComponentTest : public ::testing::Test {
protected:
    void SetUp() override { TestLog().clear(); }
};

TEST_F(ComponentTest, OwnerListsComponentsInCreationOrderAndFindsThemByName)
{
    TTestForm form;
    auto* a = new TTestPanel(&form);
    a->SetName("Alpha");
    auto* b = new TTestPanel(&form);
    b->SetName("Beta");

    ASSERT_EQ(form.ComponentCount(), 2);
    EXPECT_EQ(form.Components(0), a);
    EXPECT_EQ(form.Components(1), b);
    EXPECT_EQ(a->Owner(), &form);
    EXPECT_EQ(form.FindComponent("BETA"), b);
    EXPECT_EQ(form.FindComponent("Gamma"), nullptr);
    EXPECT_EQ(form.FindComponent(""), nullptr);
    EXPECT_THROW(form.Components(2), EListError);
}

TEST_F(ComponentTest, NamesAreIdentifiersUniqueWithinTheOwner)
{
    TTestForm form;
    auto* a = new TTestPanel(&form);
    auto* b = new TTestPanel(&form);
    a->SetName("Panel1");
    EXPECT_THROW(b->SetName("panel1"), EComponentError);
    EXPECT_THROW(b->SetName("1Panel"), EComponentError);
    EXPECT_THROW(b->SetName("Panel 2"), EComponentError);
    EXPECT_EQ(b->Name(), "");
    a->SetName("PANEL1");
    EXPECT_EQ(a->Name(), "PANEL1");
    b->SetName("Panel2");
    EXPECT_EQ(b->Name(), "Panel2");
}

TEST_F(ComponentTest, OwnerDestroysWhatItOwnsLastCreatedFirst)
{
    {
        auto form = std::make_unique<TTestForm>();
        form->SetName("Form");
        for (const char* name : { "A", "B", "C" })
            (new TTestPanel(form.get()))->SetName(name);
        TestLog().clear();
    }
    // The form's own destructor runs first; then its owned components go, last created first.
    EXPECT_EQ(TestLog(), (std::vector<std::string> { "destroy Form", "destroy C", "destroy B", "destroy A" }));
}

TEST_F(ComponentTest, DeletingAComponentTakesItFromItsOwnerAndTellsTheOthers)
{
    TTestForm form;
    auto* listener = new TListener(&form);
    auto* panel = new TTestPanel(&form);
    panel->SetName("Panel");
    auto* other = new TTestPanel(&form);
    other->SetBuddy(panel);

    delete panel;

    EXPECT_EQ(form.ComponentCount(), 2);
    EXPECT_EQ(form.FindComponent("Panel"), nullptr);
    EXPECT_EQ(other->Buddy(), nullptr);
    EXPECT_EQ(listener->Heard.back(), "remove Panel (destroying)");
}

TEST_F(ComponentTest, SiblingReferencesAreClearedWhileTheOwnerIsDestroyed)
{
    // B refers to C, created after it: C goes first, and B must not keep a dangling pointer.
    auto form = std::make_unique<TTestForm>();
    auto* b = new TTestPanel(form.get());
    b->SetName("B");
    auto* c = new TTestPanel(form.get());
    c->SetName("C");
    b->SetBuddy(c);
    TestLog().clear();
    form.reset();
    EXPECT_EQ(TestLog(), (std::vector<std::string> { "destroy ", "B lost buddy", "destroy C", "destroy B" }));
}

TEST_F(ComponentTest, FreeNotificationClearsReferencesAcrossOwners)
{
    TTestForm form1;
    auto form2 = std::make_unique<TTestForm>();
    auto* user = new TTestPanel(&form1);
    user->SetName("User");
    auto* theme = new TTestPanel(form2.get());
    theme->SetName("Theme");
    user->SetBuddy(theme); // asks theme for a free notification

    form2.reset();
    EXPECT_EQ(user->Buddy(), nullptr);
}

TEST_F(ComponentTest, FreeNotificationWorksBothWays)
{
    // The referring component goes first; the referenced one must not tell it later.
    auto form1 = std::make_unique<TTestForm>();
    TTestForm form2;
    auto* user = new TTestPanel(form1.get());
    auto* theme = new TTestPanel(&form2);
    user->SetBuddy(theme);
    form1.reset();
    delete theme; // would touch the freed user if it still held it (ASan)
    EXPECT_EQ(form2.ComponentCount(), 0);
}

TEST_F(ComponentTest, RemoveFreeNotificationStopsTheNews)
{
    TTestForm form1;
    TTestForm form2;
    auto* user = new TListener(&form1);
    auto* theme = new TTestPanel(&form2);
    theme->SetName("Theme");
    user->FreeNotification(theme);
    user->RemoveFreeNotification(theme);
    user->Heard.clear();
    delete theme;
    EXPECT_TRUE(user->Heard.empty());
}

TEST_F(ComponentTest, InsertAndRemoveAreAnnouncedToTheOwnersComponents)
{
    TTestForm form;
    auto* listener = new TListener(&form);
    listener->SetName("Listener");
    auto* panel = new TTestPanel(nullptr);
    panel->SetName("Panel");

    form.InsertComponent(panel);
    EXPECT_EQ(panel->Owner(), &form);
    form.RemoveComponent(panel);
    EXPECT_EQ(panel->Owner(), nullptr);
    // The listener's own insertion came while only its TComponent part was made: it did not hear it.
    EXPECT_EQ(listener->Heard, (std::vector<std::string> { "insert Panel", "remove Panel" }));

    TTestForm other;
    other.InsertComponent(panel);
    (new TTestPanel(&form))->SetName("Panel");
    EXPECT_THROW(form.InsertComponent(panel), EComponentError); // a component of that name is there
    EXPECT_EQ(panel->Owner(), &other);
}

TEST_F(ComponentTest, DesigningIsHandedToOwnedComponents)
{
    TTestForm form;
    auto* a = new TTestPanel(&form);
    form.SetDesigning(true);
    auto* b = new TTestPanel(&form);
    EXPECT_TRUE(a->ComponentState().Contains(csDesigning));
    EXPECT_TRUE(b->ComponentState().Contains(csDesigning));
    form.SetDesigning(false);
    EXPECT_FALSE(a->ComponentState().Contains(csDesigning));
}

TEST_F(ComponentTest, ClassNamesAndInheritance)
{
    TTestForm form;
    TTestLabel label(nullptr);
    EXPECT_EQ(label.ClassName(), "TTestLabel");
    EXPECT_TRUE(label.InheritsFrom("TTestPanel"));
    EXPECT_TRUE(label.InheritsFrom("tcomponent"));
    EXPECT_TRUE(label.InheritsFrom(TObject::StaticClassInfo()));
    EXPECT_FALSE(label.InheritsFrom("TTestForm"));
    EXPECT_EQ(TTestLabel::StaticClassInfo().Parent(), &TTestPanel::StaticClassInfo());
    EXPECT_EQ(TComponent::StaticClassInfo().Parent()->Name(), "TPersistent");
    EXPECT_TRUE(form.ClassName().starts_with("TTest"));
}

TEST_F(ComponentTest, RegistryCreatesComponentsByClassName)
{
    RegisterTestClasses();
    RegisterTestClasses(); // again: harmless
    TTestForm form;
    const TClassInfo* cls = GetClass("ttestlabel");
    ASSERT_NE(cls, nullptr);
    TComponent* made = cls->CreateComponent(&form);
    EXPECT_EQ(made->ClassName(), "TTestLabel");
    EXPECT_EQ(made->Owner(), &form);
    EXPECT_EQ(GetClass("TNoSuchClass"), nullptr);
    EXPECT_FALSE(TPersistent::StaticClassInfo().CanCreateComponent());
    struct TImpostor { };
    const TClassInfo impostor(
        TTypeTag<TImpostor> {}, "TTestPanel", +[](TPublisher<TImpostor>&) {});
    EXPECT_THROW(RegisterClass(impostor), EPropertyError);
}

} // namespace
