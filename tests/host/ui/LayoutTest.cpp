#include <gtest/gtest.h>

#include "host/sys/Exception.h"
#include "host/ui/LayoutParser.h"
#include "host/ui/LayoutPrinter.h"

namespace {

const char* const kLayout = R"(object Form1: TForm1
  Left = -8
  Color = $E7E7E7
  Caption = 'It''s '#13#10'平假名' + ' more'
  Font.Style = [fsBold, fsItalic]
  Empty = []
  Align = alClient
  Pages = (
    Sheet1
    'two'
    (1 2))
  Buttons = <
    item
      Top = 4
      Pic.Data = {
        0A0b FF}
    end
    item
    end>
  object Panel1: TPanel
    object TLabel
    end
  end
end
)";

std::string ReadError(std::string_view text)
{
    try {
        ParseLayout(text);
    } catch (const EReadError& e) {
        return e.Message();
    }
    return "no error";
}

TEST(LayoutParserTest, ReadsEveryKindOfValue)
{
    const TLayoutObject root = ParseLayout(kLayout);
    EXPECT_EQ(root.Name, "Form1");
    EXPECT_EQ(root.ClassName, "TForm1");
    ASSERT_EQ(root.Properties.size(), 8u);
    EXPECT_EQ(root.Properties[0].Value.AsInteger(), -8);
    EXPECT_EQ(root.Properties[1].Value.AsInteger(), 0xE7E7E7);
    EXPECT_TRUE(root.Properties[1].Value.IsHex());
    EXPECT_EQ(root.Properties[2].Value.AsString(), "It's \r\n平假名 more");
    EXPECT_EQ(root.Properties[3].Name, "Font.Style");
    EXPECT_EQ(root.Properties[3].Value.AsSet(), (std::vector<std::string> { "fsBold", "fsItalic" }));
    EXPECT_TRUE(root.Properties[4].Value.AsSet().empty());
    EXPECT_EQ(root.Properties[5].Value.AsIdent(), "alClient");
    const auto& list = root.Properties[6].Value.AsList();
    ASSERT_EQ(list.size(), 3u);
    EXPECT_EQ(list[0].AsIdent(), "Sheet1");
    EXPECT_EQ(list[1].AsString(), "two");
    EXPECT_EQ(list[2].AsList()[1].AsInteger(), 2);
    const auto& items = root.Properties[7].Value.AsCollection();
    ASSERT_EQ(items.size(), 2u);
    EXPECT_EQ(items[0].Properties[1].Name, "Pic.Data");
    EXPECT_EQ(items[0].Properties[1].Value.AsBinary(), (std::vector<std::uint8_t> { 0x0A, 0x0B, 0xFF }));
    EXPECT_EQ(items[0].Properties[1].Line, 15);
    EXPECT_TRUE(items[1].Properties.empty());
    ASSERT_EQ(root.Children.size(), 1u);
    EXPECT_EQ(root.Children[0].Line, 20);
    EXPECT_EQ(root.Children[0].Children[0].Name, "");
    EXPECT_EQ(root.Children[0].Children[0].ClassName, "TLabel");
}

TEST(LayoutParserTest, CharacterCodesAreUnicode)
{
    const TLayoutObject root = ParseLayout("object A: TA\n S = #$5E73#20551'!'#39\nend");
    EXPECT_EQ(root.Properties[0].Value.AsString(), "平假!'");
}

TEST(LayoutParserTest, PrintedLayoutsReadBackTheSame)
{
    const std::string printed = PrintLayout(ParseLayout(kLayout));
    EXPECT_EQ(PrintLayout(ParseLayout(printed)), printed);
    EXPECT_NE(printed.find("Caption = 'It''s '#13#10'平假名 more'"), std::string::npos) << printed;
    EXPECT_NE(printed.find("Color = $E7E7E7"), std::string::npos);
    EXPECT_NE(printed.find("  object TLabel\n"), std::string::npos);
}

TEST(LayoutParserTest, MalformedTextNamesTheLineAndTheProblem)
{
    const std::pair<const char*, const char*> cases[] = {
        { "", "Line 1: 'object' expected" },
        { "object A: TA\n  X = 'open\nend", "Line 2: Unterminated string" },
        { "object A: TA\n  X 1\nend", "Line 2: '=' expected" },
        { "object A: TA\n  X = \nend", "Line 3: Property value expected" },
        { "object A: TA\n\n  X = {0A1}\nend", "Line 3: Invalid binary value" },
        { "object A: TA\n  X = {0G}\nend", "Line 2: Invalid binary value" },
        { "object A: TA\n  X = @\nend", "Line 2: Invalid character '@'" },
        { "object A: TA\n  X = 99999999999999999999\nend", "Line 2: Number too large" },
        { "object A: TA\n  X = [a b]\nend", "Line 2: ',' expected" },
        { "object A: TA\n  X = (1 2\n", "Line 3: ')' expected" },
        { "object A: TA\n  X = < Top = 1 >\nend", "Line 2: 'item' expected" },
        { "object A: TA\n  object B: TB\n  end\n  X = 1\nend", "Line 4: 'end' expected" },
        { "object A: TA\n  object B: TB\nend", "Line 3: 'end' expected" },
        { "object A: TA\nend\nend", "Line 3: End of layout expected" },
        { "object A: TA\n  X = #\nend", "Line 2: Invalid character code" },
        { "object A: TA\n  X = #$D800\nend", "Line 2: Invalid character code" },
        { "object A: TA\n  X = 'a' + 1\nend", "Line 2: String expected" },
        { "object A: TA\n  X = -abc\nend", "Line 2: Number expected" },
        { "object A: TA\n  X = $\nend", "Line 2: Invalid number" },
        { "object A:\nend", "Line 2: Identifier expected" },
        { "object A: TA\n  X = \x01\nend", "Line 2: Invalid character $01" },
    };
    for (const auto& [text, message] : cases)
        EXPECT_EQ(ReadError(text), message) << text;
}

TEST(LayoutParserTest, DeepNestingIsRefusedNotRecursedInto)
{
    std::string objects;
    for (int i = 0; i < 10000; ++i)
        objects += "object A: T\n";
    EXPECT_EQ(ReadError(objects), "Line 65: Layout nested too deeply");

    std::string lists = "object A: T\n X = ";
    lists.append(100000, '(');
    EXPECT_EQ(ReadError(lists), "Line 2: Layout nested too deeply");

    std::string items = "object A: T\n";
    for (int i = 0; i < 1000; ++i)
        items += " X = < item\n";
    EXPECT_NE(ReadError(items).find("Layout nested too deeply"), std::string::npos);
}

TEST(LayoutValueTest, AccessorsOfAnotherKindNameTheLine)
{
    const TLayoutObject root = ParseLayout("object A: TA\n\n  X = 5\nend");
    try {
        root.Properties[0].Value.AsIdent();
        FAIL();
    } catch (const EReadError& e) {
        EXPECT_EQ(e.Message(), "Line 3: Identifier expected");
    }
}

} // namespace
