// Reading drive scripts.
#include <gtest/gtest.h>

#include <string>
#include <utility>

#include "host/win/VirtualKeys.h"
#include "tools/kit/DriveScript.h"

namespace {

std::string ErrorOf(const std::string& script)
{
    try {
        ParseDriveScript(script);
    } catch (const EDriveScriptError& e) {
        return e.Message();
    }
    return "";
}

} // namespace

TEST(DriveScript, ReadsEveryCommandWithItsLine)
{
    const auto script = ParseDriveScript("# a tour\n"
                                         "move 10 -20\r\n"
                                         "\n"
                                         "  click\t3 4  \n"
                                         "dblclick 5 6\n"
                                         "press 7 8\nrelease 9 10\n"
                                         "key escape\n"
                                         "wait 600\n"
                                         "shot a.PNG\n"
                                         "shot b.png screen\n"
                                         "shot c.png window\n"
                                         "dump state.json");
    ASSERT_EQ(script.size(), 11u);
    EXPECT_EQ(script[0].Action, TDriveAction::Move);
    EXPECT_EQ(script[0].Line, 2);
    EXPECT_EQ(std::make_pair(script[0].X, script[0].Y), std::make_pair(10, -20));
    EXPECT_EQ(script[1].Action, TDriveAction::Click);
    EXPECT_EQ(script[1].Line, 4);
    EXPECT_EQ(script[2].Action, TDriveAction::DblClick);
    EXPECT_EQ(script[3].Action, TDriveAction::Press);
    EXPECT_EQ(script[4].Action, TDriveAction::Release);
    EXPECT_EQ(script[4].Y, 10);
    EXPECT_EQ(script[5].VirtualKey, VK_ESCAPE);
    EXPECT_EQ(script[6].Milliseconds, 600);
    EXPECT_EQ(script[7].File, "a.PNG");
    EXPECT_FALSE(script[7].WholeScreen);
    EXPECT_TRUE(script[8].WholeScreen);
    EXPECT_FALSE(script[9].WholeScreen);
    EXPECT_EQ(script[10].Action, TDriveAction::Dump);
    EXPECT_EQ(script[10].File, "state.json");
    EXPECT_EQ(script[10].Line, 13);
}

TEST(DriveScript, NamesKeysInAnyCase)
{
    EXPECT_EQ(VirtualKeyOfName("Return"), VK_RETURN);
    EXPECT_EQ(VirtualKeyOfName("ENTER"), VK_RETURN);
    EXPECT_EQ(VirtualKeyOfName("tab"), VK_TAB);
    EXPECT_EQ(VirtualKeyOfName("a"), 'A');
    EXPECT_EQ(VirtualKeyOfName("7"), '7');
    EXPECT_EQ(VirtualKeyOfName("F1"), VK_F1);
    EXPECT_EQ(VirtualKeyOfName("f12"), VK_F12);
    EXPECT_EQ(VirtualKeyOfName("F13"), 0);
    EXPECT_EQ(VirtualKeyOfName("F0"), 0);
    EXPECT_EQ(VirtualKeyOfName("-"), 0);
    EXPECT_EQ(VirtualKeyOfName(""), 0);
}

TEST(DriveScript, RefusesBadLinesNamingThem)
{
    EXPECT_EQ(ErrorOf("move 1 2\njump 1 2"), "Line 2: unknown command 'jump'");
    EXPECT_EQ(ErrorOf("Click 1 2"), "Line 1: unknown command 'Click'");
    EXPECT_EQ(ErrorOf("\n\nclick 1"), "Line 3: expected 'click X Y [left|right|middle]'");
    EXPECT_EQ(ErrorOf("click 1 2 left 3"), "Line 1: expected 'click X Y [left|right|middle]'");
    EXPECT_EQ(ErrorOf("click 1 2 3"), "Line 1: expected 'left', 'right' or 'middle', not '3'");
    EXPECT_EQ(ErrorOf("press 1 2 Right"), "Line 1: expected 'left', 'right' or 'middle', not 'Right'");
    EXPECT_EQ(ErrorOf("move 1 2 right"), "Line 1: expected 'move X Y'");
    EXPECT_EQ(ErrorOf("move 1 y"), "Line 1: 'y' is not a number");
    EXPECT_EQ(ErrorOf("move 1 2x"), "Line 1: '2x' is not a number");
    EXPECT_EQ(ErrorOf("move +1 2"), "Line 1: '+1' is not a number");
    EXPECT_EQ(ErrorOf("move 1 100001"), "Line 1: '100001' is out of range -100000..100000");
    EXPECT_EQ(ErrorOf("move 1 99999999999999999999"), "Line 1: '99999999999999999999' is out of range -100000..100000");
    EXPECT_EQ(ErrorOf("wait -1"), "Line 1: '-1' is out of range 0..600000");
    EXPECT_EQ(ErrorOf("wait"), "Line 1: expected 'wait MS'");
    EXPECT_EQ(ErrorOf("key Hyper"), "Line 1: unknown key 'Hyper'");
    EXPECT_EQ(ErrorOf("shot a.bmp"), "Line 1: the picture file 'a.bmp' does not end in .png");
    EXPECT_EQ(ErrorOf("shot .png"), "Line 1: the picture file '.png' does not end in .png");
    EXPECT_EQ(ErrorOf("shot a.png desktop"), "Line 1: expected 'window' or 'screen', not 'desktop'");
    EXPECT_EQ(ErrorOf("dump"), "Line 1: expected 'dump FILE.json'");
    EXPECT_EQ(ErrorOf(std::string("wait 1\nwait 2\0", 14)), "Line 2: the line holds a NUL character");
}

TEST(DriveScript, TypeTakesTheRestOfTheLineAfterOneBlank)
{
    struct Case {
        const char* Line;
        std::u32string Text;
    };
    const Case cases[] = {
        { "type kana", U"kana" },
        { "type  two blanks  ", U" two blanks  " },
        { "  type\tx", U"x" },
        { "type shi\r", U"shi" },
        { "type # not a comment", U"# not a comment" },
        { "type it's (a) \xe3\x81\x8b", U"it's (a) \u304b" },
        { "type \xff", U"\ufffd" },
    };
    for (const Case& c : cases) {
        const auto script = ParseDriveScript(c.Line);
        ASSERT_EQ(script.size(), 1u) << c.Line;
        EXPECT_EQ(script[0].Action, TDriveAction::Type) << c.Line;
        EXPECT_EQ(script[0].Text, c.Text) << c.Line;
    }
    EXPECT_EQ(ErrorOf("type"), "Line 1: expected 'type TEXT'");
    EXPECT_EQ(ErrorOf("wait 1\ntype "), "Line 2: expected 'type TEXT'");
    EXPECT_EQ(ErrorOf("Type a"), "Line 1: unknown command 'Type'");
}

TEST(DriveScript, MouseCommandsTakeAButtonLeftByDefault)
{
    const struct {
        const char* Line;
        TDriveAction Action;
        TDriveButton Button;
    } cases[] = {
        { "click 1 2", TDriveAction::Click, TDriveButton::Left },
        { "click 1 2 right", TDriveAction::Click, TDriveButton::Right },
        { "dblclick 1 2 middle", TDriveAction::DblClick, TDriveButton::Middle },
        { "press 1 2 right", TDriveAction::Press, TDriveButton::Right },
        { "release 1 2 left", TDriveAction::Release, TDriveButton::Left },
    };
    for (const auto& c : cases) {
        const auto script = ParseDriveScript(c.Line);
        ASSERT_EQ(script.size(), 1u) << c.Line;
        EXPECT_EQ(script[0].Action, c.Action) << c.Line;
        EXPECT_EQ(script[0].Button, c.Button) << c.Line;
    }
}

TEST(DriveScript, AnEmptyScriptHasNoCommands)
{
    EXPECT_TRUE(ParseDriveScript("").empty());
    EXPECT_TRUE(ParseDriveScript("\n# only a comment\n   \n").empty());
}
