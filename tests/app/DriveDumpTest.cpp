// The state dump and the pictures that drive scripts write.
#include <fstream>
#include <iterator>

#include "AppTestSupport.h"
#include "host/win/Window.h"

namespace {

std::string ReadText(const std::string& path)
{
    std::ifstream in(path, std::ios::binary);
    return { std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>() };
}

// The JSON object of the component of that name, as the dump writes it (flat enough to cut out
// by its braces).
std::string ComponentEntry(const std::string& dump, const std::string& name)
{
    const std::size_t start = dump.find("{\"name\": \"" + name);
    if (start == std::string::npos)
        return "";
    int depth = 0;
    for (std::size_t i = start; i < dump.size(); ++i) {
        depth += dump[i] == '{' ? 1 : dump[i] == '}' ? -1 : 0;
        if (depth == 0)
            return dump.substr(start, i + 1 - start);
    }
    return "";
}

} // namespace

TEST_F(MainWindowTest, TheDumpDescribesTheWindowAndEveryComponentItOwns)
{
    WriteDatabase({ Kana(0, kHiraganaType, 1, 1, "a \"quoted\"") });
    Start();
    Play(ClickTab(0) + "dump state.json\n");
    const std::string dump = ReadText("state.json");
    ASSERT_FALSE(dump.empty());
    EXPECT_NE(dump.find("{\"form\": {\"hint\": \"\", \"SqlText\": \"select *from moratab where t_type='平假名' order by id\", "
                        "\"DrawnId\": 0, \"bounds\": ["),
        std::string::npos)
        << dump.substr(0, 200);

    const std::string r3 = ComponentEntry(dump, "R3");
    EXPECT_NE(r3.find("\"class\": \"TsuiRadioButton\", \"parent\": \"Panel1\""), std::string::npos) << r3;
    EXPECT_NE(r3.find("\"text\": \"全部假名\""), std::string::npos) << r3;
    EXPECT_NE(r3.find("\"Checked\": true"), std::string::npos) << r3;
    EXPECT_NE(r3.find("\"UIStyle\": \"MacOS\""), std::string::npos) << r3;
    EXPECT_NE(ComponentEntry(dump, "suiButton1").find("\"UIStyle\": \"WinXP\""), std::string::npos);

    const std::string pages = ComponentEntry(dump, "suiPageControl1");
    EXPECT_NE(pages.find("\"ActivePage\": \"suiTabSheet1\", \"TabIndex\": 0"), std::string::npos) << pages;
    EXPECT_NE(pages.find("{\"caption\": \"随机抽取\", \"rect\": ["), std::string::npos) << pages;
    EXPECT_NE(ComponentEntry(dump, "suiTabSheet3").find("\"PageIndex\": 2"), std::string::npos);
    EXPECT_NE(ComponentEntry(dump, "Query1").find("\"bounds\": null, \"visible\": null"), std::string::npos);
    EXPECT_NE(ComponentEntry(dump, "Query1").find("\"Active\": true"), std::string::npos);
    EXPECT_NE(ComponentEntry(dump, "DBImage1").find("\"Picture\": [0, 0]"), std::string::npos);

    // The cell is unnamed; its bounds are in the window's client coordinates.
    const std::string cell = ComponentEntry(dump, "\", \"class\": \"TImage");
    const TPoint at = InWindow(Form().ScrollBox1, 10, 10);
    EXPECT_NE(cell.find("\"parent\": \"ScrollBox1\", \"bounds\": [" + std::to_string(at.X) + ", " + std::to_string(at.Y)
                  + ", 100, 100]"),
        std::string::npos)
        << cell;
    EXPECT_NE(cell.find("\"hint\": \"a \\\"quoted\\\"\""), std::string::npos) << cell;
    EXPECT_NE(cell.find("\"Picture\": [20, 30], \"Cursor\": -21, \"ShowHint\": true"), std::string::npos) << cell;
    EXPECT_NE(dump.find("\"errors\": []"), std::string::npos);
}

TEST_F(MainWindowTest, TheDumpedTabRectanglesHitTheirTabs)
{
    WriteDatabase({ Kana(0, kHiraganaType, 1, 1, "a") });
    Start();
    const std::string pages = ComponentEntry(Session().Dump(), "suiPageControl1");
    const std::size_t at = pages.find("{\"caption\": \"片假名\", \"rect\": [");
    ASSERT_NE(at, std::string::npos) << pages;
    int left = 0, top = 0, width = 0, height = 0;
    ASSERT_EQ(std::sscanf(pages.c_str() + pages.find('[', at + 20), "[%d, %d, %d, %d]", &left, &top, &width, &height), 4);
    EXPECT_GT(width, 0);
    EXPECT_GT(height, 0);
    Play("click " + std::to_string(left + width / 2) + " " + std::to_string(top + height / 2) + "\n");
    EXPECT_EQ(Form().suiPageControl1->ActivePage(), Form().suiTabSheet2);
}

TEST_F(MainWindowTest, ShotsShowTheWindowOrTheScreen)
{
    WriteDatabase({ Kana(0, kHiraganaType, 1, 1, "a") });
    Start();
    Play("shot window.png\nshot screen.png screen\n");
    TBitmap window = Session().Desktop().CaptureWindow(Form().Handle());
    EXPECT_EQ(window.Width(), 676);
    EXPECT_EQ(window.Height(), 400);
    EXPECT_GT(std::filesystem::file_size("window.png"), 100u);
    EXPECT_GT(std::filesystem::file_size("screen.png"), std::filesystem::file_size("window.png"));
}

TEST_F(MainWindowTest, AFileTheScriptCannotWriteStopsItNamingTheLine)
{
    WriteDatabase({ Kana(0, kHiraganaType, 1, 1, "a") });
    Start();
    try {
        Play("move 1 1\ndump no/such/folder/state.json\nclick 1 1\n");
        FAIL() << "the dump was written";
    } catch (const EDriveScriptError& e) {
        EXPECT_TRUE(std::string(e.Message()).starts_with("Line 2: Cannot create file")) << e.Message();
    }
}

TEST_F(MainWindowTest, AScriptGoesOnInsideAnErrorBox)
{
    WriteDatabase({ Kana(0, kHiraganaType, 1, 1, "a", TBlob { 'X', 'Y', 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0 }) });
    Start();
    // The dump is written while the box is up; the box is dismissed when the script ends.
    Play(ClickTab(0) + "dump boxed.json\n");
    EXPECT_NE(ReadText("boxed.json").find("\"errors\": [\"Bitmap image is not valid\"]"), std::string::npos);
    EXPECT_TRUE(IsWindowEnabled(Form().Handle()));
    Play(ClickTab(2));
    EXPECT_TRUE(Form().Query->Active());
}
