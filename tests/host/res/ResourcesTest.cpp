#include <gtest/gtest.h>

#include "host/res/Resources.h"

TEST(Resources, StringsAreFoundByNameInAnyCase)
{
    EXPECT_EQ(LoadStr("MINIMIZE"), "Minimize");
    EXPECT_EQ(LoadStr("maximize_restore"), "Maximize/Restore");
    EXPECT_EQ(LoadStr("Close"), "Close");
}

TEST(Resources, AMissingNameRaisesResNotFound)
{
    EXPECT_EQ(FindResource("NO_SUCH_THING", TResourceKind::Bitmap).data(), nullptr);
    try {
        LoadResource("NO_SUCH_THING", TResourceKind::Bitmap);
        FAIL() << "no exception";
    } catch (const EResNotFound& e) {
        EXPECT_EQ(e.Message(), "Resource NO_SUCH_THING not found");
    }
}

TEST(Resources, KindsAreSeparateNamespaces)
{
    EXPECT_EQ(FindResource("CLOSE", TResourceKind::Bitmap).data(), nullptr);
    EXPECT_NE(FindResource("CLOSE", TResourceKind::String).data(), nullptr);
}
