// korvane.exe must be a 32-bit GUI program that needs only DLLs shipped with
// Windows: read its PE headers and import table.
#include <gtest/gtest.h>

#include <algorithm>
#include <cstdint>
#include <cstring>
#include <fstream>
#include <iterator>
#include <set>
#include <string>
#include <vector>

namespace {

std::vector<unsigned char> ReadWhole(const std::string& path) {
  std::ifstream in(path, std::ios::binary);
  return std::vector<unsigned char>(std::istreambuf_iterator<char>(in), {});
}

std::uint32_t U32(const std::vector<unsigned char>& b, std::size_t at) {
  return b.at(at) | (b.at(at + 1) << 8) | (b.at(at + 2) << 16) | (static_cast<std::uint32_t>(b.at(at + 3)) << 24);
}
std::uint16_t U16(const std::vector<unsigned char>& b, std::size_t at) {
  return static_cast<std::uint16_t>(b.at(at) | (b.at(at + 1) << 8));
}

struct Image {
  std::vector<unsigned char> bytes;
  std::size_t pe = 0;
  std::uint16_t machine = 0;
  std::uint16_t magic = 0;
  std::uint16_t subsystem = 0;
  std::vector<std::string> imports;
};

// File offset of a relative virtual address, through the section table.
std::size_t OffsetOf(const Image& image, std::uint32_t rva) {
  const std::uint16_t sections = U16(image.bytes, image.pe + 6);
  const std::uint16_t optionalSize = U16(image.bytes, image.pe + 20);
  const std::size_t table = image.pe + 24 + optionalSize;
  for (std::uint16_t i = 0; i < sections; ++i) {
    const std::size_t s = table + i * 40u;
    const std::uint32_t va = U32(image.bytes, s + 12), size = U32(image.bytes, s + 16), raw = U32(image.bytes, s + 20);
    if (rva >= va && rva < va + std::max(size, U32(image.bytes, s + 8))) return raw + (rva - va);
  }
  return 0;
}

Image Load(const std::string& path) {
  Image image;
  image.bytes = ReadWhole(path);
  if (image.bytes.size() < 512) return image;
  image.pe = U32(image.bytes, 0x3C);
  image.machine = U16(image.bytes, image.pe + 4);
  const std::size_t optional = image.pe + 24;
  image.magic = U16(image.bytes, optional);
  image.subsystem = U16(image.bytes, optional + 68);
  const std::uint32_t importRva = U32(image.bytes, optional + 96 + 8);  // data directory 1
  for (std::size_t d = OffsetOf(image, importRva); d != 0 && U32(image.bytes, d + 12) != 0; d += 20) {
    const char* name = reinterpret_cast<const char*>(&image.bytes[OffsetOf(image, U32(image.bytes, d + 12))]);
    std::string lower(name);
    std::transform(lower.begin(), lower.end(), lower.begin(), [](unsigned char c) { return std::tolower(c); });
    image.imports.push_back(lower);
  }
  return image;
}

TEST(Executable, IsA32BitGuiProgramImportingOnlySystemDlls) {
  const Image image = Load(std::string("Z:") + KORVANE_EXE_PATH);
  ASSERT_GT(image.bytes.size(), 512u) << KORVANE_EXE_PATH;
  EXPECT_EQ(image.machine, 0x14C) << "i386";
  EXPECT_EQ(image.magic, 0x10B) << "PE32";
  EXPECT_EQ(image.subsystem, 2) << "Windows GUI subsystem";
  const std::set<std::string> shipped = {"kernel32.dll", "user32.dll",  "gdi32.dll",  "advapi32.dll",
                                         "ws2_32.dll",   "ole32.dll",   "msvcrt.dll", "comctl32.dll",
                                         "shell32.dll",  "msimg32.dll", "uxtheme.dll"};
  ASSERT_FALSE(image.imports.empty());
  for (const std::string& dll : image.imports) EXPECT_TRUE(shipped.count(dll)) << "imports " << dll;
}

}  // namespace
