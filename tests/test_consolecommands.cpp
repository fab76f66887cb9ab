// The command lines the Windows console operations run.
#include <gtest/gtest.h>

#include "shell/consolecommands.hpp"

namespace kavelta {
namespace {

TEST(ConsoleCommands, FixedCommandLines) {
    EXPECT_EQ(titlecommand("Kavelta-TINH DIEM TRUNG BINH HOC KY"),
              "title Kavelta-TINH DIEM TRUNG BINH HOC KY");
    EXPECT_EQ(titlecommand("Kavelta"), "title Kavelta");
    EXPECT_STREQ(clearcommand, "cls");
    EXPECT_STREQ(waitkeycommand, "pause >nul");
    EXPECT_STREQ(companioncommand, "Start Tovamire/console.exe");
}

}  // namespace
}  // namespace kavelta
