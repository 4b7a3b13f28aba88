#include <gtest/gtest.h>

#include <cstdio>
#include <cstdlib>

#include "screen/graphics.h"

// Started where no window system answers, the window must not open: SDL would
// carry on with a driver that draws into memory, and the program would run on
// unseen. Run in a child of its own, whose environment names no display.
TEST(WindowSystem, NoWindowOpensWhereNoWindowSystemAnswers) {
    GTEST_FLAG_SET(death_test_style, "threadsafe");
    EXPECT_EXIT(
        {
            for (const char* name : {"DISPLAY", "WAYLAND_DISPLAY", "XDG_RUNTIME_DIR", "SDL_VIDEODRIVER"})
                unsetenv(name);
            const bool opened = OpenGraphicsWindow(320, 200, 0, 60, 0);
            std::fputs(GraphicsWindowFailure().c_str(), stderr);
            std::exit(opened || ScreenWidth() != 0 ? 1 : 0);
        },
        testing::ExitedWithCode(0), "No window system could be reached");
}
