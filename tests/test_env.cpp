// Linked into every test program: tests run headless and know the source folder,
// whether CTest starts them or a developer runs one by hand.
#include <cstdlib>

namespace {
const int kTestEnvironment = [] {
    setenv("QT_QPA_PLATFORM", "offscreen", 0);
    setenv("R57_SOURCE_DIR", R57_SOURCE_DIR, 0);
    return 0;
}();
} // namespace
