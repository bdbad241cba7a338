#include "platform/CommandLine.h"

#include <gtest/gtest.h>

using korimba::platform::splitCommandLine;
using Args = std::vector<std::string>;

TEST(CommandLine, BlanksSeparateAndQuotesGroupAndVanish) {
    EXPECT_EQ(splitCommandLine("korimba.exe \"C:\\Some Folder\\track.wav\" /encode"),
              (Args{"korimba.exe", "C:\\Some Folder\\track.wav", "/encode"}));
    EXPECT_EQ(splitCommandLine("  a\t b  "), (Args{"a", "b"}));
    EXPECT_EQ(splitCommandLine("a\"b c\"d"), (Args{"ab cd"}));
}

TEST(CommandLine, EmptyQuotePairsBetweenArgumentsAreSkipped) {
    EXPECT_EQ(splitCommandLine("k.exe \"\" /encode"), (Args{"k.exe", "/encode"}));
    EXPECT_TRUE(splitCommandLine("").empty());
}
