// The command line a program started on Windows receives.

#include <gtest/gtest.h>

#include "system/process.h"

TEST(Process, WindowsCommandLineSplitsBackIntoTheArguments) {
    EXPECT_EQ(WindowsCommandLine("C:\\DOSBox\\dosbox.exe", {"-conf", "play.conf"}),
              "C:\\DOSBox\\dosbox.exe -conf play.conf");
    EXPECT_EQ(WindowsCommandLine("C:\\Program Files\\DOSBox\\dosbox.exe", {"a b", "", "tab\there"}),
              "\"C:\\Program Files\\DOSBox\\dosbox.exe\" \"a b\" \"\" \"tab\there\"");
    // Quotes are escaped; backslashes double only where a quote follows.
    EXPECT_EQ(WindowsCommandLine("p", {"say \"hi\"", "a\\\"b", "C:\\dir\\"}), "p \"say \\\"hi\\\"\" \"a\\\\\\\"b\" C:\\dir\\");
    EXPECT_EQ(WindowsCommandLine("p", {"C:\\my dir\\", "C:\\my dir\\\\", "a\\\\b c"}),
              "p \"C:\\my dir\\\\\" \"C:\\my dir\\\\\\\\\" \"a\\\\b c\"");
}
