// Linked into every test program: whatever the tests start keeps its cache files in the build
// folder, never in the user's ~/.cache, and draws at scale 1 unless a test sets a scale, whatever
// the desktop running the tests uses.
#include <stdlib.h>

namespace {

const bool kCacheHomeSet = ::setenv("XDG_CACHE_HOME", MORALEAF_TEST_CACHE_HOME, 1) == 0;
const bool kScaleUnset = ::unsetenv("GDK_SCALE") == 0 && ::unsetenv("MORALEAF_SCALE") == 0;

} // namespace
