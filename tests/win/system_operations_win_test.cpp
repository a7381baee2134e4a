// System operations against Wine's real registry, folders and sockets.
#include <windows.h>

#include <gtest/gtest.h>

#include <cstdlib>
#include <string>

#include "platform/platform_win.h"
#include "support/text_compare.h"
#include "runtime/system_operations.h"

namespace {

const char* const kKey = "Software\\KorvaneTest\\services\\OracleOraDb11g_home1TNSListener";

class SystemOperationsWin : public ::testing::Test {
 protected:
  void SetUp() override {
    InstallPlatform(&platform_);
    RegDeleteTreeA(HKEY_CURRENT_USER, "Software\\KorvaneTest");
    ASSERT_EQ(RegCreateKeyExA(HKEY_CURRENT_USER, kKey, 0, nullptr, 0, KEY_ALL_ACCESS, nullptr, &key_, nullptr), 0);
  }
  void TearDown() override {
    RegCloseKey(key_);
    RegDeleteTreeA(HKEY_CURRENT_USER, "Software\\KorvaneTest");
    InstallPlatform(nullptr);
  }
  void Set(const char* name, DWORD type, const void* data, DWORD size) {
    ASSERT_EQ(RegSetValueExA(key_, name, 0, type, static_cast<const BYTE*>(data), size), 0);
  }
  static std::string Path(const char* name) { return std::string(kKey) + "\\" + name; }

  Win32Platform platform_;
  HKEY key_ = nullptr;
};

TEST_F(SystemOperationsWin, ReadsTextValuesAndRefusesOtherTypes) {
  SetEnvironmentVariableA("KORVANE_ORACLE_HOME", "C:\\app\\product\\11.2.0\\dbhome_1");
  const char sz[] = "C:\\app\\BIN\\TNSLSNR";
  const char expand[] = "%KORVANE_ORACLE_HOME%\\BIN\\TNSLSNR";
  const DWORD number = 7;
  const char multi[] = "a\0b\0";
  Set("Sz", REG_SZ, sz, sizeof sz);
  Set("Expand", REG_EXPAND_SZ, expand, sizeof expand);
  Set("Dword", REG_DWORD, &number, sizeof number);
  Set("Multi", REG_MULTI_SZ, multi, sizeof multi);
  Set("Empty", REG_SZ, "", 0);

  EXPECT_EQ(ReadRegistryText(kRootCurrentUser, Path("Sz")), "C:\\app\\BIN\\TNSLSNR");
  EXPECT_EQ(ReadRegistryText(kRootCurrentUser, Path("Expand")), "C:\\app\\product\\11.2.0\\dbhome_1\\BIN\\TNSLSNR");
  EXPECT_EQ(ReadRegistryText(kRootCurrentUser, Path("Dword")), "");
  EXPECT_EQ(ReadRegistryText(kRootCurrentUser, Path("Dword"), "fallback"), "fallback");
  EXPECT_EQ(ReadRegistryText(kRootCurrentUser, Path("Multi")), "");
  EXPECT_EQ(ReadRegistryText(kRootCurrentUser, Path("Empty"), "fallback"), "fallback");
  EXPECT_EQ(ReadRegistryText(kRootCurrentUser, Path("Missing")), "");
  EXPECT_EQ(ReadRegistryText(kRootCurrentUser, "Software\\KorvaneTest\\NoSuchKey\\ImagePath"), "");
  EXPECT_EQ(ReadRegistryText(0, Path("Sz")), "C:\\app\\BIN\\TNSLSNR") << "root 0 reads HKEY_CURRENT_USER";
}

TEST_F(SystemOperationsWin, ReadsTheServicesKeyOfTheMachine) {
  // Wine has CurrentControlSet, as Windows has; a service Wine installs itself.
  EXPECT_NE(ReadRegistryText(kRootLocalMachine, "SYSTEM\\CurrentControlSet\\services\\eventlog\\ImagePath"), "");
}

TEST_F(SystemOperationsWin, MakesOneFolderLevel) {
  char temp[MAX_PATH];
  GetTempPathA(MAX_PATH, temp);
  const std::string base = std::string(temp) + "korvane-mkdir";
  RemoveDirectoryA((base + "\\child").c_str());
  RemoveDirectoryA(base.c_str());
  EXPECT_NE(MakeDirectory(base), 0);
  EXPECT_EQ(MakeDirectory(base), 0) << "an existing folder gives 0";
  EXPECT_EQ(MakeDirectory(base + "\\missing\\child"), 0) << "a missing parent gives 0";
  EXPECT_EQ(GetFileAttributesA((base + "\\missing").c_str()), INVALID_FILE_ATTRIBUTES);
  RemoveDirectoryA(base.c_str());
}

TEST_F(SystemOperationsWin, RunDirectoryIsTheExecutablesFolder) {
  SetUpProcess();
  char path[MAX_PATH];
  GetModuleFileNameA(nullptr, path, MAX_PATH);
  std::string expected(path);
  expected.resize(expected.rfind('\\'));
  EXPECT_EQ(GetRunDirectory(), expected);
  char current[MAX_PATH];
  GetCurrentDirectoryA(MAX_PATH, current);
  EXPECT_EQ(std::string(current), expected);
}

TEST_F(SystemOperationsWin, HostNameIsTheMachinesName) {
  const char* expected = std::getenv("KORVANE_HOSTNAME");
  if (expected == nullptr) GTEST_SKIP() << "run with KORVANE_HOSTNAME set to the host name";
  EXPECT_EQ(GetHostName(), expected);
  ReleaseSystemResources();
}

}  // namespace
