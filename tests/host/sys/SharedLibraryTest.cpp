#include <gtest/gtest.h>

#include <cmath>

#include "host/sys/SharedLibrary.h"

TEST(SharedLibrary, BindsTheFunctionsALibraryHasAndNothingElse)
{
    struct TCase {
        const char* Library;
        const char* Function;
        bool Bound;
    };
    const TCase cases[] = {
        { "libm.so.6", "cos", true },
        { "libm.so.6", "no_such_function", false },
        { "libno-such-library.so.1", "cos", false },
    };
    for (const TCase& c : cases) {
        const TSharedLibrary library(c.Library);
        double (*function)(double) = &std::sqrt;
        EXPECT_EQ(library.Bind(function, c.Function), c.Bound) << c.Library << " " << c.Function;
        if (c.Bound)
            EXPECT_DOUBLE_EQ(function(0), 1.0);
        else
            EXPECT_EQ(function, nullptr) << c.Library << " " << c.Function;
    }
}
