// Every test program runs as on a simplified-Chinese workstation (system code page 936) and
// offscreen, however it is started (ctest, by hand, a debugger).

#include <cstdlib>

namespace {

struct TestEnvironment {
    TestEnvironment()
    {
        setenv("QT_QPA_PLATFORM", "offscreen", 0);
        setenv("LC_ALL", "zh_CN.UTF-8", 1);
        setenv("LANG", "zh_CN.UTF-8", 1);
    }
};

const TestEnvironment environment;

} // namespace
