#include <gtest/gtest.h>

#include "runtime/command_line.h"

TEST(CommandLine, QuotedProgramKeepsTheBlankBeforeTheArguments) {
    EXPECT_EQ(argumentText("\"C:\\My Games\\game.exe\" -x"), " -x");
    EXPECT_EQ(argumentText("   \"game.exe\"-x"), "-x");
}

TEST(CommandLine, UnquotedProgramEndsAtTheFirstSpace) {
    EXPECT_EQ(argumentText("C:\\game.exe -x"), "-x");
    EXPECT_EQ(argumentText("  game.exe  a b"), " a b");
}

TEST(CommandLine, ProgramAloneGivesTheEmptyText) {
    EXPECT_EQ(argumentText("C:\\game.exe"), "");
    EXPECT_EQ(argumentText("\"C:\\My Games\\game.exe\""), "");
    EXPECT_EQ(argumentText("\"unterminated -x"), "");
    EXPECT_EQ(argumentText(""), "");
}
