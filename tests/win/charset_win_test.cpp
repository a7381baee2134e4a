// The cross build must compile literals to GBK as the Linux build does.
#include <gtest/gtest.h>

#include <string>

TEST(CharsetWin, NarrowLiteralsAreGbk) {
  EXPECT_EQ(std::string("——"), std::string("\xA1\xAA\xA1\xAA"));
  EXPECT_EQ(std::string("配置"), std::string("\xC5\xE4\xD6\xC3"));
}

#include <windows.h>

// The tests run Wine with the Chinese locale, as the tool's users run Windows.
TEST(CharsetWin, AnsiCodePageIs936) { EXPECT_EQ(GetACP(), 936u); }
