#include "listener/listener_discovery.h"

#include "runtime/program_values.h"
#include "runtime/system_operations.h"

namespace {

struct Candidate {
  const char* serviceName;
  const char* controlSet;
};

// Not a regular nesting: the 11g homes try ControlSet001 first, the 10g and
// 12c homes CurrentControlSet first; all of home 1 comes before home 2.
constexpr Candidate kCandidates[] = {
    {"OracleOraDb11g_home1TNSListener", "ControlSet001"},
    {"OracleOraDb11g_home1TNSListener", "ControlSet002"},
    {"OracleOraDb11g_home1TNSListener", "CurrentControlSet"},
    {"OracleOraDb10g_home1TNSListener", "CurrentControlSet"},
    {"OracleOraDb10g_home1TNSListener", "ControlSet001"},
    {"OracleOraDb10g_home1TNSListener", "ControlSet002"},
    {"OracleOraDb12c_home1TNSListener", "CurrentControlSet"},
    {"OracleOraDb12c_home1TNSListener", "ControlSet001"},
    {"OracleOraDb12c_home1TNSListener", "ControlSet002"},
    {"OracleOraDb11g_home2TNSListener", "ControlSet001"},
    {"OracleOraDb11g_home2TNSListener", "ControlSet002"},
    {"OracleOraDb11g_home2TNSListener", "CurrentControlSet"},
    {"OracleOraDb10g_home2TNSListener", "CurrentControlSet"},
    {"OracleOraDb10g_home2TNSListener", "ControlSet001"},
    {"OracleOraDb10g_home2TNSListener", "ControlSet002"},
    {"OracleOraDb12c_home2TNSListener", "CurrentControlSet"},
    {"OracleOraDb12c_home2TNSListener", "ControlSet001"},
    {"OracleOraDb12c_home2TNSListener", "ControlSet002"},
};

}  // namespace

void DiscoverListener() {
  for (const Candidate& candidate : kCandidates) {
    const Text path =
        JoinTexts("SYSTEM\\", candidate.controlSet, "\\services\\", candidate.serviceName, "\\ImagePath");
    listenerImagePath = ReadRegistryText(kRootLocalMachine, path);
    listenerServiceName = candidate.serviceName;
    if (CompareText(listenerImagePath, "") != 0) return;
  }
}
