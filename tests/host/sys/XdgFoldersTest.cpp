#include <gtest/gtest.h>

#include "host/sys/XdgFolders.h"
#include "tests/TestEnvironment.h"

TEST(XdgFolders, TheCacheLiesInTheFolderTheVariableNamesElseBelowHome)
{
    struct TCase {
        std::optional<std::string> Value;
        std::string Cache;
    };
    const TCase cases[] = {
        { "/x", "/x" },
        { std::nullopt, "/home/a/.cache" },
        { "", "/home/a/.cache" },
        { "relative", "/home/a/.cache" },
    };
    const TEnvironmentValue home("HOME", "/home/a");
    for (const TCase& c : cases) {
        const TEnvironmentValue cache("XDG_CACHE_HOME", c.Value);
        EXPECT_EQ(XdgCacheHome(), c.Cache) << c.Value.value_or("(unset)");
    }
}
