// Literals must be compiled to GBK bytes; a build without the flag fails here.
#include <gtest/gtest.h>

#include <string>

TEST(Charset, NarrowLiteralsAreGbk) {
  EXPECT_EQ(std::string("——"), std::string("\xA1\xAA\xA1\xAA"));
  EXPECT_EQ(std::string("，"), std::string("\xA3\xAC"));
  EXPECT_EQ(std::string("错误"), std::string("\xB4\xED\xCE\xF3"));
}
