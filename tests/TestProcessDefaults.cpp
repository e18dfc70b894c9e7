// Linked into every test program: whatever the tests start keeps its cache files in the build
// folder, never in the user's ~/.cache.
#include <stdlib.h>

namespace {

const bool kCacheHomeSet = ::setenv("XDG_CACHE_HOME", MORALEAF_TEST_CACHE_HOME, 1) == 0;

} // namespace
