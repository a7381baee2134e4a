#include "listener/listener_discovery.h"

#include <gtest/gtest.h>

#include <vector>

#include "runtime/program_values.h"
#include "support/simulated_windows.h"
#include "support/text_compare.h"

namespace {

constexpr std::uint32_t kHklm = 0x80000002u;

std::string KeyOf(const std::string& controlSet, const std::string& service) {
  return "SYSTEM\\" + controlSet + "\\services\\" + service;
}

struct Installed {
  const char* controlSet;
  const char* service;
  std::uint32_t type;
  const char* imagePath;
};

struct DiscoveryCase {
  const char* name;
  std::vector<Installed> installed;
  const char* expectedService;
  const char* expectedPath;
  std::size_t expectedProbes;
};

TEST(DiscoverListener, KeepsTheFirstCandidateWithAValueInTheFixedOrder) {
  const char* const home1 = "C:\\app\\product\\11.2.0\\dbhome_1\\BIN\\TNSLSNR";
  const char* const home2 = "D:\\oracle\\product\\10.2.0\\db_2\\BIN\\TNSLSNR";
  const DiscoveryCase cases[] = {
      {"first probe hit", {{"ControlSet001", "OracleOraDb11g_home1TNSListener", kSimRegSz, home1}},
       "OracleOraDb11g_home1TNSListener", home1, 1},
      {"11g home 1 only in CurrentControlSet",
       {{"CurrentControlSet", "OracleOraDb11g_home1TNSListener", kSimRegSz, home1}},
       "OracleOraDb11g_home1TNSListener", home1, 3},
      {"10g and 11g home 1: 11g wins",
       {{"CurrentControlSet", "OracleOraDb10g_home1TNSListener", kSimRegSz, home2},
        {"ControlSet002", "OracleOraDb11g_home1TNSListener", kSimRegSz, home1}},
       "OracleOraDb11g_home1TNSListener", home1, 2},
      {"12c home 1 comes before 11g home 2",
       {{"ControlSet001", "OracleOraDb11g_home2TNSListener", kSimRegSz, home2},
        {"ControlSet002", "OracleOraDb12c_home1TNSListener", kSimRegSz, home1}},
       "OracleOraDb12c_home1TNSListener", home1, 9},
      {"10g home 1 tries CurrentControlSet before ControlSet001",
       {{"ControlSet001", "OracleOraDb10g_home1TNSListener", kSimRegSz, home2},
        {"CurrentControlSet", "OracleOraDb10g_home1TNSListener", kSimRegSz, home1}},
       "OracleOraDb10g_home1TNSListener", home1, 4},
      {"DWORD and MULTI_SZ count as not found",
       {{"ControlSet001", "OracleOraDb11g_home1TNSListener", kSimRegDword, "\x01\x02\x03"},
        {"ControlSet002", "OracleOraDb11g_home1TNSListener", kSimRegMultiSz, "C:\\x"},
        {"CurrentControlSet", "OracleOraDb11g_home1TNSListener", kSimRegSz, home1}},
       "OracleOraDb11g_home1TNSListener", home1, 3},
      {"an empty string counts as not found",
       {{"ControlSet001", "OracleOraDb11g_home1TNSListener", kSimRegSz, ""},
        {"ControlSet002", "OracleOraDb11g_home1TNSListener", kSimRegSz, home1}},
       "OracleOraDb11g_home1TNSListener", home1, 2},
      {"expanded environment reference",
       {{"ControlSet001", "OracleOraDb11g_home1TNSListener", kSimRegExpandSz, "%ORACLE_HOME%\\BIN\\TNSLSNR"}},
       "OracleOraDb11g_home1TNSListener", "C:\\app\\product\\11.2.0\\dbhome_1\\BIN\\TNSLSNR", 1},
      {"last candidate found",
       {{"ControlSet002", "OracleOraDb12c_home2TNSListener", kSimRegSz, home2}},
       "OracleOraDb12c_home2TNSListener", home2, 18},
      {"nothing installed: the last name, no path", {}, "OracleOraDb12c_home2TNSListener", "", 18},
  };
  for (const auto& c : cases) {
    SimulatedWindows windows;
    windows.environment["ORACLE_HOME"] = "C:\\app\\product\\11.2.0\\dbhome_1";
    for (const Installed& entry : c.installed) {
      if (entry.type == kSimRegSz || entry.type == kSimRegExpandSz)
        windows.SetRegistryText(kHklm, KeyOf(entry.controlSet, entry.service), "ImagePath", entry.imagePath,
                                entry.type);
      else
        windows.SetRegistryValue(kHklm, KeyOf(entry.controlSet, entry.service), "ImagePath", entry.type,
                                 entry.imagePath);
    }
    DiscoverListener();
    EXPECT_EQ(listenerServiceName, c.expectedService) << c.name;
    EXPECT_EQ(listenerImagePath, c.expectedPath) << c.name;
    EXPECT_EQ(windows.CallsStartingWith("RegOpenKeyExA").size(), c.expectedProbes) << c.name;
  }
}

TEST(DiscoverListener, ProbesTheEighteenCandidatesInTheirTableOrder) {
  SimulatedWindows windows;
  DiscoverListener();
  const char* const expected[][2] = {
      {"ControlSet001", "OracleOraDb11g_home1TNSListener"},     {"ControlSet002", "OracleOraDb11g_home1TNSListener"},
      {"CurrentControlSet", "OracleOraDb11g_home1TNSListener"}, {"CurrentControlSet", "OracleOraDb10g_home1TNSListener"},
      {"ControlSet001", "OracleOraDb10g_home1TNSListener"},     {"ControlSet002", "OracleOraDb10g_home1TNSListener"},
      {"CurrentControlSet", "OracleOraDb12c_home1TNSListener"}, {"ControlSet001", "OracleOraDb12c_home1TNSListener"},
      {"ControlSet002", "OracleOraDb12c_home1TNSListener"},     {"ControlSet001", "OracleOraDb11g_home2TNSListener"},
      {"ControlSet002", "OracleOraDb11g_home2TNSListener"},     {"CurrentControlSet", "OracleOraDb11g_home2TNSListener"},
      {"CurrentControlSet", "OracleOraDb10g_home2TNSListener"}, {"ControlSet001", "OracleOraDb10g_home2TNSListener"},
      {"ControlSet002", "OracleOraDb10g_home2TNSListener"},     {"CurrentControlSet", "OracleOraDb12c_home2TNSListener"},
      {"ControlSet001", "OracleOraDb12c_home2TNSListener"},     {"ControlSet002", "OracleOraDb12c_home2TNSListener"},
  };
  std::vector<std::string> probes;
  for (const auto& [controlSet, service] : expected)
    probes.push_back("RegOpenKeyExA(HKLM, \"" + KeyOf(controlSet, service) + "\", 0x20019)");
  EXPECT_EQ(windows.CallsStartingWith("RegOpenKeyExA"), probes);
}

TEST(DiscoverListener, EveryProbeOverwritesBothTexts) {
  SimulatedWindows windows;
  listenerServiceName = "stale";
  listenerImagePath = "C:\\stale\\BIN\\TNSLSNR";
  DiscoverListener();
  EXPECT_EQ(listenerServiceName, "OracleOraDb12c_home2TNSListener");
  EXPECT_EQ(listenerImagePath, "") << "an empty read replaces what was there";
}

}  // namespace
