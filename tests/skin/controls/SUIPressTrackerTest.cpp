// Space and Enter as a press, the same on the push button and the check box: which key
// sequences click the focused control.
#include <string>
#include <vector>

#include "host/win/VirtualKeys.h"
#include "tests/skin/controls/SUIButtonTestSupport.h"

namespace {

enum TStepKind { Down, Up, FocusAway, FocusBack, Disable, Enable, HandlersTakeKeys };

struct TStep {
    TStepKind Kind;
    int Key = 0;
};

struct TSequence {
    const char* Name;
    std::vector<TStep> Steps;
    int Clicks;
    // The button still shows pressed afterwards.
    bool Held = false;
};

const std::vector<TSequence>& Sequences()
{
    static const std::vector<TSequence> sequences {
        { "Space goes down and up", { { Down, VK_SPACE }, { Up, VK_SPACE } }, 1 },
        { "Enter goes down and up", { { Down, VK_RETURN }, { Up, VK_RETURN } }, 1 },
        { "Space presses and Enter releases", { { Down, VK_SPACE }, { Up, VK_RETURN } }, 1 },
        { "a held key repeats", { { Down, VK_SPACE }, { Down, VK_SPACE }, { Down, VK_SPACE }, { Up, VK_SPACE } }, 1 },
        { "a release without a press", { { Up, VK_SPACE } }, 0 },
        { "another key", { { Down, 'A' }, { Up, 'A' } }, 0 },
        { "the focus leaves while the key is held", { { Down, VK_SPACE }, { FocusAway }, { FocusBack }, { Up, VK_SPACE } }, 0 },
        { "pressed while disabled", { { Disable }, { Down, VK_SPACE }, { Enable }, { Up, VK_SPACE } }, 0 },
        { "the key handlers take the keys", { { HandlersTakeKeys }, { Down, VK_SPACE }, { Up, VK_SPACE } }, 0 },
        { "the key handlers take the release", { { Down, VK_SPACE }, { HandlersTakeKeys }, { Up, VK_SPACE } }, 0, true },
    };
    return sequences;
}

} // namespace

TEST_F(ButtonTest, SpaceAndEnterPressTheButtonAndTheCheckBoxAlike)
{
    auto* elsewhere = Place<TsuiButton>(200, 200);
    for (const TSequence& sequence : Sequences()) {
        for (bool checkBox : { false, true }) {
            SCOPED_TRACE(std::string(sequence.Name) + (checkBox ? " on a check box" : " on a button"));
            TWinControl* control = checkBox ? static_cast<TWinControl*>(Place<TsuiCheckBox>(10, 10)) : Place<TsuiButton>(10, 10);
            int clicks = 0;
            control->OnClick = [&](TObject*) { ++clicks; };
            control->SetFocus();
            ASSERT_TRUE(control->Focused());
            for (const TStep& step : sequence.Steps) {
                switch (step.Kind) {
                case Down:
                    desk->KeyDown(step.Key);
                    break;
                case Up:
                    desk->KeyUp(step.Key);
                    break;
                case FocusAway:
                    elsewhere->SetFocus();
                    break;
                case FocusBack:
                    control->SetFocus();
                    break;
                case Disable:
                    control->SetEnabled(false);
                    break;
                case Enable:
                    control->SetEnabled(true);
                    break;
                case HandlersTakeKeys:
                    control->OnKeyDown = control->OnKeyUp = [](TObject*, std::uint16_t& key, TShiftState) { key = 0; };
                    break;
                }
                DispatchPendingMessages();
            }
            EXPECT_EQ(clicks, sequence.Clicks);
            if (auto* button = dynamic_cast<TsuiButton*>(control)) {
                EXPECT_EQ(button->Pressed(), sequence.Held);
            }
            delete control;
        }
    }
}
