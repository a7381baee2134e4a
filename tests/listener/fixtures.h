// The bytes of a file in tests/fixtures.
#pragma once

#include <fstream>
#include <iterator>
#include <string>

#include <gtest/gtest.h>

inline std::string Fixture(const std::string& name) {
  std::ifstream in(std::string(KORVANE_FIXTURES) + "/" + name, std::ios::binary);
  EXPECT_TRUE(in.good()) << "missing fixture " << name;
  return std::string(std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>());
}
