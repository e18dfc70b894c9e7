#include "host/ui/ExtCtrls.h"
#include "host/ui/Panel.h"
#include "host/ui/StdCtrls.h"
#include "host/ui/Streaming.h"
#include "tests/host/ui/ControlTestSupport.h"

TEST_F(ControlTest, AlignedPanelsStackTopThenClient)
{
    TForm* form = ShownForm(400, 300);
    auto* top1 = new TPanel(form);
    top1->SetParent(form);
    top1->SetHeight(50);
    top1->SetAlign(alTop);
    auto* top2 = new TPanel(form);
    top2->SetParent(form);
    top2->SetHeight(30);
    top2->SetTop(100);
    top2->SetAlign(alTop);
    auto* rest = new TPanel(form);
    rest->SetParent(form);
    rest->SetAlign(alClient);
    EXPECT_EQ(top1->BoundsRect(), Rect(0, 0, 400, 50));
    EXPECT_EQ(top2->BoundsRect(), Rect(0, 50, 400, 80));
    EXPECT_EQ(rest->BoundsRect(), Rect(0, 80, 400, 300));

    // Resizing the form lays them out again; hiding one closes its gap.
    form->SetBounds(100, 100, 500, 400);
    EXPECT_EQ(rest->BoundsRect(), Rect(0, 80, 500, 400));
    top1->Hide();
    EXPECT_EQ(top2->BoundsRect(), Rect(0, 0, 500, 30));
    EXPECT_EQ(rest->BoundsRect(), Rect(0, 30, 500, 400));
}

TEST_F(ControlTest, ChildrenKeepIndexOrderAndLeaveCleanly)
{
    TForm* form = ShownForm();
    auto* a = new TLabel(form);
    auto* b = new TPanel(form);
    a->SetParent(form);
    b->SetParent(form);
    ASSERT_EQ(form->ControlCount(), 2);
    EXPECT_EQ(form->Controls(0), a);
    EXPECT_EQ(form->Controls(1), b);
    EXPECT_TRUE(b->HandleAllocated());
    EXPECT_EQ(GetParent(b->Handle()), form->Handle());
    delete a;
    ASSERT_EQ(form->ControlCount(), 1);
    EXPECT_EQ(form->Controls(0), b);
    // No control inside its own children.
    auto* inner = new TPanel(form);
    inner->SetParent(b);
    EXPECT_THROW(b->SetParent(inner), EComponentError);
    EXPECT_EQ(b->Parent(), form);
    // A destroyed child leaves the tab order with it.
    EXPECT_EQ(form->TabList().size(), 1u);
    delete b;
    EXPECT_TRUE(form->TabList().empty());
}

TEST_F(ControlTest, ParentFontAndColorFollowTheParent)
{
    TForm* form = ShownForm();
    auto* panel = new TPanel(form);
    panel->SetParent(form);
    auto* label = new TLabel(form);
    label->SetParent(panel);
    panel->Font().SetHeight(-20);
    EXPECT_EQ(label->Font().Height(), -20);
    panel->SetColor(clRed);
    EXPECT_EQ(label->Color(), clRed);
    label->Font().SetHeight(-9);
    EXPECT_FALSE(label->ParentFont());
    panel->Font().SetHeight(-30);
    EXPECT_EQ(label->Font().Height(), -9);
}

namespace {

class TNestedForm : public TForm {
    DECLARE_CLASS(TNestedForm, TForm)

public:
    explicit TNestedForm(TComponent* owner)
        : TForm(owner)
    {
    }
    void Read(std::string_view text) { ReadComponentFromString(text, this); }
    void PanelClick(TObject*) { ++clicks; }
    int clicks = 0;
};

void TNestedForm::Publish(TPublisher<TNestedForm>& p)
{
    p.Method("PanelClick", &TNestedForm::PanelClick);
}

} // namespace

TEST_F(ControlTest, LayoutCreatesNestedPanelsWithParentsFirst)
{
    auto* form = new TNestedForm(app);
    form->Read(R"(object NestedForm: TNestedForm
  Left = 10
  Top = 20
  BorderStyle = bsNone
  ClientWidth = 300
  ClientHeight = 200
  Caption = 'Nested'
  Hint = 'form hint'
  object Outer: TPanel
    Left = 0
    Top = 0
    Width = 300
    Height = 120
    Align = alTop
    Color = clCream
    OnClick = PanelClick
    object Inner: TPanel
      Left = 0
      Top = 0
      Width = 10
      Height = 10
      Align = alClient
      ParentColor = True
      BevelOuter = bvNone
      object Label1: TLabel
        Left = 5
        Top = 6
        Width = 40
        Height = 13
        AutoSize = False
        Caption = 'Hello'
      end
    end
  end
end
)");
    auto* outer = dynamic_cast<TPanel*>(form->FindComponent("Outer"));
    auto* inner = dynamic_cast<TPanel*>(form->FindComponent("Inner"));
    auto* label = dynamic_cast<TLabel*>(form->FindComponent("Label1"));
    ASSERT_TRUE(outer && inner && label);
    EXPECT_EQ(outer->Parent(), form);
    EXPECT_EQ(inner->Parent(), outer);
    EXPECT_EQ(label->Parent(), inner);
    EXPECT_EQ(form->ClientWidth(), 300);
    EXPECT_EQ(form->ClientHeight(), 200);
    EXPECT_EQ(outer->BoundsRect(), Rect(0, 0, 300, 120));
    // Inside the outer panel's raised bevel.
    EXPECT_EQ(inner->BoundsRect(), Rect(1, 1, 299, 119));
    EXPECT_EQ(inner->Color(), TColor { 0xF0FBFF });
    EXPECT_EQ(inner->BevelOuter(), bvNone);
    EXPECT_EQ(label->Width(), 40);
    ASSERT_TRUE(outer->OnClick);
    outer->OnClick(outer);
    EXPECT_EQ(form->clicks, 1);
    delete form;
}

TEST_F(ControlTest, CreatingAndDestroyingAFormOfThirtyControlsLeavesNothingBehind)
{
    const std::size_t objects = TObject::LiveObjects();
    for (int round = 0; round < 1000; ++round) {
        auto* form = new TForm(app);
        form->SetBorderStyle(bsNone);
        TWinControl* parent = form;
        for (int i = 0; i < 30; ++i) {
            TControl* c = i % 3 == 0 ? static_cast<TControl*>(new TPanel(form))
                : i % 3 == 1         ? static_cast<TControl*>(new TLabel(form))
                                     : new TImage(form);
            c->SetParent(parent);
            if (auto* p = dynamic_cast<TPanel*>(c); p && i < 10)
                parent = p;
        }
        if (round % 100 == 0)
            form->Show();
        delete form;
    }
    EXPECT_EQ(app->ComponentCount(), 0);
    EXPECT_EQ(TObject::LiveObjects(), objects);
}

TEST_F(ControlTest, AStoredFormOfThirtyControlsReadAndDestroyedAThousandTimesLeavesNoObject)
{
    // Panels, labels and pictures on a scroll box, written out once as the stored layout.
    auto* model = new TForm(app);
    model->SetName("Form1");
    model->SetBorderStyle(bsNone);
    auto* box = new TScrollBox(model);
    box->SetName("ScrollBox1");
    box->SetParent(model);
    box->SetAlign(alClient);
    TBitmap kana(20, 20);
    for (int i = 1; i < 30; ++i) {
        TControl* c = i % 3 == 0 ? static_cast<TControl*>(new TPanel(model))
            : i % 3 == 1         ? static_cast<TControl*>(new TLabel(model))
                                 : new TImage(model);
        c->SetName("Control" + std::to_string(i));
        c->SetParent(box);
        c->SetBounds(i * 30, i * 20, 40, 30);
        if (auto* image = dynamic_cast<TImage*>(c))
            image->Picture().SetBitmap(kana);
    }
    const std::string layout = WriteComponentToString(model);
    delete model;

    const std::size_t objects = TObject::LiveObjects();
    HWND lastWindow = nullptr;
    for (int round = 0; round < 1000; ++round) {
        auto* form = new TForm(app);
        ReadComponentFromString(layout, form);
        ASSERT_EQ(form->ComponentCount(), 30);
        if (round % 100 == 0) {
            form->Show();
            DispatchPendingMessages();
            lastWindow = dynamic_cast<TScrollBox*>(form->FindComponent("ScrollBox1"))->Handle();
        }
        delete form;
    }
    EXPECT_EQ(TObject::LiveObjects(), objects);
    EXPECT_EQ(app->ComponentCount(), 0);
    EXPECT_FALSE(IsWindow(lastWindow));
}
