#include "runtime/system_operations.h"

#include <gtest/gtest.h>

#include "runtime/program_values.h"
#include "support/text_compare.h"
#include "support/simulated_windows.h"

namespace {

constexpr std::uint32_t kHklm = 0x80000002u;
constexpr std::uint32_t kHkcu = 0x80000001u;
const std::string kListenerKey = "SYSTEM\\CurrentControlSet\\services\\OracleOraDb11g_home1TNSListener";

struct RegistryCase {
  const char* name;
  std::uint32_t type;
  std::string data;
  const char* fallback;
  const char* expected;
};

TEST(ReadRegistryText, GivesTextValuesAndTheFallbackForEverythingElse) {
  const RegistryCase cases[] = {
      {"sz", kSimRegSz, std::string("C:\\app\\BIN\\TNSLSNR\0", 20), "", "C:\\app\\BIN\\TNSLSNR"},
      {"expand", kSimRegExpandSz, std::string("%ORACLE_HOME%\\BIN\\TNSLSNR\0", 26), "",
       "C:\\app\\dbhome_1\\BIN\\TNSLSNR"},
      {"unknownref", kSimRegExpandSz, std::string("%NOPE%\\x\0", 9), "", "%NOPE%\\x"},
      {"nozero", kSimRegSz, "abc", "", "abc"},
      {"inner", kSimRegSz, std::string("ab\0cd\0", 6), "", "ab"},
      {"dword", kSimRegDword, std::string("\x01\0\0\0", 4), "", ""},
      {"dword", kSimRegDword, std::string("\x01\0\0\0", 4), "dflt", "dflt"},
      {"multi", kSimRegMultiSz, std::string("a\0b\0\0", 5), "", ""},
      {"binary", kSimRegBinary, "abc", "", ""},
      {"empty", kSimRegSz, "", "dflt", "dflt"},
  };
  for (const auto& c : cases) {
    SimulatedWindows windows;
    windows.environment["ORACLE_HOME"] = "C:\\app\\dbhome_1";
    windows.SetRegistryValue(kHklm, kListenerKey, c.name, c.type, c.data);
    EXPECT_EQ(ReadRegistryText(kRootLocalMachine, kListenerKey + "\\" + c.name, c.fallback), c.expected) << c.name;
    EXPECT_EQ(windows.CallsStartingWith("RegCloseKey").size(), 1u) << c.name << ": the key is closed once";
  }
}

TEST(ReadRegistryText, MissingOrDeniedKeysAndValuesGiveTheFallback) {
  SimulatedWindows windows;
  windows.SetRegistryText(kHklm, kListenerKey, "ImagePath", "x");
  windows.DenyRegistryKey(kHklm, "SYSTEM\\Locked");
  EXPECT_EQ(ReadRegistryText(kRootLocalMachine, "SYSTEM\\Nowhere\\ImagePath"), "");
  EXPECT_EQ(ReadRegistryText(kRootLocalMachine, "SYSTEM\\Nowhere\\ImagePath", "d"), "d");
  EXPECT_EQ(ReadRegistryText(kRootLocalMachine, kListenerKey + "\\Other", "d"), "d");
  EXPECT_EQ(ReadRegistryText(kRootLocalMachine, "SYSTEM\\Locked\\ImagePath", "d"), "d");
  EXPECT_EQ(ReadRegistryText(kRootUsers, kListenerKey + "\\ImagePath"), "") << "another root";
  // The simulation's destructor checks that every opened key was closed.
}

TEST(ReadRegistryText, OpensTheKeyForReadingAndAsksTheSizeFirst) {
  SimulatedWindows windows;
  windows.SetRegistryText(kHklm, kListenerKey, "ImagePath", "x");
  ReadRegistryText(kRootLocalMachine, kListenerKey + "\\ImagePath");
  EXPECT_EQ(windows.calls, (std::vector<std::string>{
                               "RegOpenKeyExA(HKLM, \"" + kListenerKey + "\", 0x20019)",
                               "RegQueryValueExA(\"ImagePath\", no data)",
                               "RegQueryValueExA(\"ImagePath\", data)",
                               "RegCloseKey",
                           }));
}

TEST(ReadRegistryText, RootNumbersMapToTheirRoots) {
  const std::pair<std::int32_t, std::uint32_t> cases[] = {
      {1, 0x80000000u}, {2, 0x80000005u}, {3, kHkcu}, {4, kHklm},   {5, 0x80000003u},
      {0, kHkcu},       {6, kHkcu},       {-1, kHkcu},
  };
  for (const auto& [number, root] : cases) EXPECT_EQ(RegistryRootFor(number), root) << number;
}

TEST(ReadRegistryText, SplitsAtTheLastBackslashByCharacterSteps) {
  SimulatedWindows windows;
  windows.SetRegistryText(kHkcu, "", "TopLevel", "top");
  // \x81\x5C is one double-byte character: its second byte is no separator.
  windows.SetRegistryText(kHklm, "K", "\x81\\Name", "dbcs");
  EXPECT_EQ(ReadRegistryText(kRootCurrentUser, "TopLevel"), "top");
  EXPECT_EQ(ReadRegistryText(kRootLocalMachine, "K\\\x81\\Name"), "dbcs");
}

struct FolderCase {
  const char* path;
  bool doubleByte;
  const char* expected;
};

TEST(RunDirectory, IsTheExecutablesFolderWithoutBackslash) {
  const FolderCase cases[] = {
      {"C:\\Tools\\repair.exe", true, "C:\\Tools"},
      {"D:\\repair.exe", true, "D:"},
      {"repair.exe", true, ""},
      {"C:\\Tools\\\x95\\k.exe", true, "C:\\Tools"},        // \x95\x5C is one character
      {"C:\\Tools\\\x95\\k.exe", false, "C:\\Tools\\\x95"},  // in a single-byte code page it is not
      {"C:\\工具\\korvane.exe", true, "C:\\工具"},
  };
  for (const auto& c : cases) {
    SimulatedWindows windows;
    windows.doubleByteCodePage = c.doubleByte;
    windows.moduleFileName = c.path;
    SetUpProcess();
    EXPECT_EQ(GetRunDirectory(), c.expected) << c.path;
    EXPECT_EQ(windows.currentFolder, c.expected) << c.path;
  }
}

TEST(SetUpProcess, LimitsLibrarySearchBeforeAnythingLoads) {
  SimulatedWindows windows;
  SetUpProcess();
  ASSERT_FALSE(windows.calls.empty());
  EXPECT_EQ(windows.calls.front(), "SetDefaultDllDirectories(SYSTEM32)");
}

TEST(GetHostName, ReportsTheNameOfAnyLength) {
  const char* names[] = {"DBSRV", "NEWPC", "A-VERY-LONG-HOSTNAME", "db-node-01.example.corp.internal"};
  for (const char* name : names) {
    SimulatedWindows windows;
    windows.hostName = name;
    EXPECT_EQ(GetHostName(), name);
  }
}

TEST(GetHostName, StartsWinsockOnceAndRetriesAFailedStart) {
  SimulatedWindows windows;
  windows.winsockStartFails = true;
  EXPECT_EQ(GetHostName(), "");
  windows.winsockStartFails = false;
  EXPECT_EQ(GetHostName(), "NEWPC");
  EXPECT_EQ(GetHostName(), "NEWPC");
  EXPECT_EQ(windows.CallsStartingWith("WSAStartup(0x101)").size(), 2u);
  ReleaseSystemResources();
  ReleaseSystemResources();
  EXPECT_EQ(windows.winsockCleanups, 1);
}

TEST(GetHostName, NoCleanupWhenWinsockNeverStarted) {
  SimulatedWindows windows;
  ReleaseSystemResources();
  EXPECT_EQ(windows.winsockCleanups, 0);
}

}  // namespace
