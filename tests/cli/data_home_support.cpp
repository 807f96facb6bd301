// r57 keeps a backup of every transfer in the user's data folder. The programs of this
// folder run it many times: they give it a scratch data folder of their own, so that a
// test run leaves nothing in the home of whoever runs it.
#include "common/child_process.h"

#include <cstdlib>

namespace {

const int kScratchDataHome = [] {
    static r57::test::TempFolder home; // removed when the test program ends
    setenv("XDG_DATA_HOME", home.path().c_str(), 1);
    return 0;
}();

} // namespace
