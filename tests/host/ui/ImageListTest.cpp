#include <gtest/gtest.h>

#include "TestComponents.h"
#include "host/gfx/Canvas.h"
#include "host/gfx/DeviceContext.h"
#include "host/ui/ImageList.h"
#include "host/ui/Streaming.h"

namespace {

// A bitmap of `count` 4 x 4 images side by side, image i filled with colors[i], with its
// top-left pixel in fuchsia.
TBitmap Strip(std::initializer_list<TColor> colors)
{
    TBitmap bitmap(4 * static_cast<int>(colors.size()), 4);
    int i = 0;
    for (TColor color : colors) {
        for (int y = 0; y < 4; ++y)
            for (int x = 0; x < 4; ++x)
                bitmap.SetPixel(i * 4 + x, y, x == 0 && y == 0 ? clFuchsia : color);
        ++i;
    }
    return bitmap;
}

TBitmap DrawnOnWhite(const TImageList& list, int index, bool enabled = true)
{
    TBitmap target(4, 4);
    TDeviceContext dc(target);
    TCanvas canvas(&dc);
    canvas.Brush().Color = clWhite;
    canvas.FillRect({ 0, 0, 4, 4 });
    list.Draw(canvas, 0, 0, index, enabled);
    return target;
}

} // namespace

TEST(ImageListTest, AddsCutsDrawsAndHandsOutImages)
{
    TImageList list(nullptr);
    list.SetWidth(4);
    list.SetHeight(4);
    int changes = 0;
    list.OnChange = [&changes](TObject*) { ++changes; };

    EXPECT_EQ(list.Add(Strip({ clRed, clBlue })), 0);
    EXPECT_EQ(list.AddMasked(Strip({ clGreen }), clFuchsia), 2);
    EXPECT_EQ(list.Add(TBitmap(3, 4)), -1) << "narrower than one image";
    EXPECT_EQ(list.Count(), 3);
    EXPECT_EQ(changes, 2);

    EXPECT_EQ(DrawnOnWhite(list, 1).GetPixel(2, 2), clBlue);
    EXPECT_EQ(DrawnOnWhite(list, 0).GetPixel(0, 0), clFuchsia) << "added without a mask";
    EXPECT_EQ(DrawnOnWhite(list, 2).GetPixel(0, 0), clWhite) << "masked pixel left out";
    EXPECT_NE(DrawnOnWhite(list, 2, false).GetPixel(2, 2), clGreen) << "greyed when disabled";
    EXPECT_EQ(DrawnOnWhite(list, 7).GetPixel(2, 2), clWhite) << "an index outside draws nothing";

    TBitmap image;
    ASSERT_TRUE(list.GetBitmap(1, image));
    EXPECT_EQ(image.Width(), 4);
    EXPECT_EQ(image.GetPixel(3, 3), clBlue);
    EXPECT_FALSE(list.GetBitmap(3, image));

    list.SetWidth(8);
    EXPECT_EQ(list.Count(), 0) << "a new size empties the list";
    EXPECT_THROW(list.SetHeight(0), EInvalidImageList);
    list.Add(Strip({ clRed, clRed }));
    list.Clear();
    EXPECT_EQ(list.Count(), 0);
}

TEST(ImageListTest, ImagesAreStoredWithTheLayout)
{
    RegisterTestClasses();
    RegisterClasses<TImageList>();
    TTestForm form;
    auto* list = new TImageList(&form);
    list->SetName("Images1");
    list->SetWidth(4);
    list->SetHeight(4);
    list->Add(Strip({ clRed }));
    list->AddMasked(Strip({ clGreen, clBlue }), clFuchsia);
    const std::string written = WriteComponentToString(&form);
    EXPECT_NE(written.find("Bitmap = {"), std::string::npos) << written;

    TTestForm copy;
    ReadComponentFromString(written, &copy);
    auto* read = dynamic_cast<TImageList*>(copy.FindComponent("Images1"));
    ASSERT_NE(read, nullptr);
    ASSERT_EQ(read->Count(), 3);
    EXPECT_EQ(DrawnOnWhite(*read, 0).GetPixel(0, 0), clFuchsia);
    EXPECT_EQ(DrawnOnWhite(*read, 2).GetPixel(0, 0), clWhite);
    EXPECT_EQ(DrawnOnWhite(*read, 2).GetPixel(1, 1), clBlue);

    for (const char* data : { "00", "05000000", "01000000FFFFFFFF424D00", "02000000FFFFFFFFFFFFFFFF" }) {
        TTestForm broken;
        const std::string layout = std::string("object Form1: TTestForm\n  object Images1: TImageList\n    Width = 4\n")
            + "    Height = 4\n    Bitmap = {" + data + "}\n  end\nend\n";
        EXPECT_THROW(ReadComponentFromString(layout, &broken), EReadError) << data;
    }
    // Images of another size than the list's are refused.
    TTestForm resized;
    std::string other = written;
    other.replace(other.find("    Width = 4\n"), 14, "    Width = 8\n");
    EXPECT_THROW(ReadComponentFromString(other, &resized), EReadError);
}
