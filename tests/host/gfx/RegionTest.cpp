#include <gtest/gtest.h>

#include <climits>
#include <cstdint>

#include "host/gfx/Region.h"
#include "tests/host/gfx/Pictures.h"

namespace {

// Bands sorted top to bottom without overlap; each band's rectangles share top and bottom,
// run left to right without touching; touching bands differ (else they would be one band).
void ExpectBanded(const TRegion& region)
{
    const std::vector<TRect>& rects = region.Rects();
    for (std::size_t i = 0; i < rects.size(); ++i) {
        ASSERT_FALSE(rects[i].IsEmpty());
        if (i == 0)
            continue;
        const TRect& a = rects[i - 1];
        const TRect& b = rects[i];
        if (a.Top == b.Top) {
            ASSERT_EQ(a.Bottom, b.Bottom);
            ASSERT_LT(a.Right, b.Left);
        } else {
            ASSERT_LE(a.Bottom, b.Top);
        }
    }
    // Adjacent bands with equal spans must have been merged.
    std::vector<std::vector<std::pair<int, int>>> spans;
    std::vector<std::pair<int, int>> rows;
    for (const TRect& r : rects) {
        if (rows.empty() || rows.back().first != r.Top) {
            rows.emplace_back(r.Top, r.Bottom);
            spans.emplace_back();
        }
        spans.back().emplace_back(r.Left, r.Right);
    }
    for (std::size_t i = 1; i < rows.size(); ++i)
        ASSERT_FALSE(rows[i - 1].second == rows[i].first && spans[i - 1] == spans[i]) << "band " << i;
}

} // namespace

TEST(Region, RoundRectLeavesOutRightColumnAndBottomRowAndCutsCornersByTheEllipse)
{
    // A 10 x 8 shape (from an 11 x 9 rectangle) with an 8 x 8 corner ellipse. Row 0 of the
    // ellipse: pixel centres inside |2x + 1 - 8| <= 3, so columns 2..5 of the ellipse box, an
    // inset of 2; row 1: |2x + 1 - 8| <= 6, an inset of 1; row 2 is full.
    const TRegion r = TRegion::RoundRect(Rect(0, 0, 11, 9), 8, 8);
    const TPicture expected = {
        "..######...",
        ".########..",
        "##########.",
        "##########.",
        "##########.",
        "##########.",
        ".########..",
        "..######...",
        "...........",
    };
    EXPECT_EQ(PictureOf(r, Rect(0, 0, 11, 9)), expected);
    EXPECT_EQ(r.Rects().size(), 5u); // one band per distinct corner row, one for the middle
    ExpectBanded(r);
    EXPECT_EQ(r.Bounds(), Rect(0, 0, 10, 8));
}

TEST(Region, RoundRectEllipseIsCutToTheShapeAndSmallEllipsesGiveTheRectangle)
{
    // The 100 x 100 ellipse is cut to the 6 x 4 shape: a full ellipse over it.
    EXPECT_EQ(PictureOf(TRegion::RoundRect(Rect(0, 0, 7, 5), 100, 100), Rect(0, 0, 6, 4)),
        (TPicture { ".####.", "######", "######", ".####." }));
    EXPECT_EQ(TRegion::RoundRect(Rect(2, 3, 12, 8), 1, 30), TRegion(Rect(2, 3, 11, 7)));
    EXPECT_EQ(TRegion::RoundRect(Rect(2, 3, 12, 8), 0, 0), TRegion(Rect(2, 3, 11, 7)));
    // Turned round as the host does; negative ellipse sizes count by their size.
    EXPECT_EQ(TRegion::RoundRect(Rect(11, 9, 0, 0), -8, -8), TRegion::RoundRect(Rect(0, 0, 11, 9), 8, 8));
    EXPECT_TRUE(TRegion::RoundRect(Rect(0, 0, 1, 5), 4, 4).IsEmpty());
    // Only the two top corners rounded: a rounded shape united with a square over the bottom.
    const TRegion topRounded = TRegion::RoundRect(Rect(0, 0, 7, 7), 4, 4).Union(TRegion(Rect(0, 3, 6, 6)));
    EXPECT_EQ(PictureOf(topRounded, Rect(0, 0, 6, 6)), (TPicture { ".####.", "######", "######", "######", "######", "######" }));
}

TEST(Region, RoundRectOfExtremeCoordinatesStaysBounded)
{
    const TRegion r = TRegion::RoundRect(Rect(INT_MIN, INT_MIN, INT_MAX, INT_MAX), INT_MAX, INT_MIN);
    EXPECT_FALSE(r.IsEmpty());
    EXPECT_LE(r.Rects().size(), 70000u);
    EXPECT_TRUE(r.Contains(0, 0));
    EXPECT_FALSE(r.Contains(INT_MIN, INT_MIN));
    ExpectBanded(r);
}

TEST(Region, UnionMergesTouchingRectanglesAndBands)
{
    EXPECT_EQ(TRegion(Rect(0, 0, 5, 5)).Union(TRegion(Rect(5, 0, 10, 5))).Rects(), std::vector<TRect> { Rect(0, 0, 10, 5) });
    EXPECT_EQ(TRegion(Rect(0, 0, 5, 5)).Union(TRegion(Rect(0, 5, 5, 9))).Rects(), std::vector<TRect> { Rect(0, 0, 5, 9) });
    const TRegion l = TRegion(Rect(0, 0, 4, 4)).Union(TRegion(Rect(2, 2, 6, 6)));
    EXPECT_EQ(l.Rects(), (std::vector<TRect> { Rect(0, 0, 4, 2), Rect(0, 2, 6, 4), Rect(2, 4, 6, 6) }));
    EXPECT_EQ(l.Bounds(), Rect(0, 0, 6, 6));
    EXPECT_EQ(TRegion().Union(l), l);
    EXPECT_EQ(l.Complexity(), COMPLEXREGION);
}

TEST(Region, SubtractAndIntersect)
{
    const TRegion frame = TRegion(Rect(0, 0, 6, 6)).Subtract(TRegion(Rect(2, 2, 4, 4)));
    EXPECT_EQ(frame.Rects(), (std::vector<TRect> { Rect(0, 0, 6, 2), Rect(0, 2, 2, 4), Rect(4, 2, 6, 4), Rect(0, 4, 6, 6) }));
    EXPECT_FALSE(frame.Contains(2, 2));
    EXPECT_TRUE(frame.Contains(1, 3));
    EXPECT_FALSE(frame.Contains(6, 0));
    EXPECT_TRUE(frame.Subtract(TRegion(Rect(-1, -1, 7, 7))).IsEmpty());
    EXPECT_TRUE(frame.Intersect(TRegion(Rect(2, 2, 4, 4))).IsEmpty());
    EXPECT_EQ(frame.Intersect(TRegion(Rect(1, 1, 3, 3))).Rects(), (std::vector<TRect> { Rect(1, 1, 3, 2), Rect(1, 2, 2, 3) }));
    EXPECT_TRUE(TRegion(Rect(5, 5, 5, 9)).IsEmpty());
    EXPECT_TRUE(TRegion(Rect(5, 5, 0, 0)).IsEmpty());
}

TEST(Region, OperationsAgreeWithPixelSets)
{
    // Random rectangle sets on a 24 x 24 grid; every operation checked pixel by pixel.
    std::uint32_t seed = 12345;
    auto next = [&](int n) {
        seed = seed * 1103515245u + 12345u;
        return static_cast<int>((seed >> 16) % static_cast<std::uint32_t>(n));
    };
    auto randomRegion = [&] {
        TRegion r;
        for (int i = next(5); i >= 0; --i) {
            const int x = next(20);
            const int y = next(20);
            r = r.Union(TRegion(Rect(x, y, x + 1 + next(10), y + 1 + next(10))));
        }
        return r;
    };
    for (int round = 0; round < 200; ++round) {
        const TRegion a = randomRegion();
        const TRegion b = randomRegion().Subtract(randomRegion());
        const TRegion u = a.Union(b);
        const TRegion i = a.Intersect(b);
        const TRegion s = a.Subtract(b);
        const TRegion o = a.Offset(-3, 5);
        for (const TRegion* r : { &a, &b, &u, &i, &s, &o })
            ExpectBanded(*r);
        for (int y = -2; y < 36; ++y) {
            for (int x = -4; x < 34; ++x) {
                const bool inA = a.Contains(x, y);
                const bool inB = b.Contains(x, y);
                ASSERT_EQ(u.Contains(x, y), inA || inB) << round << ": " << x << "," << y;
                ASSERT_EQ(i.Contains(x, y), inA && inB) << round << ": " << x << "," << y;
                ASSERT_EQ(s.Contains(x, y), inA && !inB) << round << ": " << x << "," << y;
                ASSERT_EQ(o.Contains(x - 3, y + 5), inA) << round << ": " << x << "," << y;
            }
        }
    }
}

TEST(Region, OffsetSaturatesInsteadOfOverflowing)
{
    EXPECT_TRUE(TRegion(Rect(0, 0, 10, 10)).Offset(INT_MAX, 0).IsEmpty()); // pushed past the int range
    EXPECT_EQ(
        TRegion(Rect(-10, 0, 10, 10)).Offset(INT_MAX - 5, 0).Rects(), std::vector<TRect> { Rect(INT_MAX - 15, 0, INT_MAX, 10) });
    EXPECT_EQ(
        TRegion(Rect(0, -10, 10, 10)).Offset(0, INT_MIN).Rects(), std::vector<TRect> { Rect(0, INT_MIN, 10, INT_MIN + 10) });
}
