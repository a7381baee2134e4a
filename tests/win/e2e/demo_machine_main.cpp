// Prepares or takes down the demo machine in the current Wine prefix
// (scripts/demo-machine.sh):
//
//   korvane_demo_machine install <test service> <listener stand-in> <fixtures>
//       installs the four services, puts listener.ora and tnsnames.ora
//       (naming the host OLDPC) into the Oracle home, starts all four
//       services and waits until they run
//   korvane_demo_machine start
//       starts the four services (if they do not run yet) and waits until
//       they run: after a restart of the prefix, which starts them itself
//   korvane_demo_machine remove
//       stops and deletes the four services
//
// Paths may be Unix paths (drive Z:). Exit code 0 on success.
#include <cstdio>
#include <string>

#include "demo_machine_win.h"

namespace {

constexpr DWORD kStartWaitMs = 60000;

int Start() {
  for (const char* name : demo::kServiceNames) {
    if (!demo::StartAndWait(name, kStartWaitMs)) {
      std::fprintf(stderr, "%s did not start\n", name);
      return 1;
    }
  }
  return 0;
}

int Install(const std::string& testService, const std::string& listenerStandIn, const std::string& fixtures) {
  const std::string folder = demo::WindowsPath(fixtures);
  bool listenerRead = false, tnsnamesRead = false;
  const std::string listenerOra = demo::ReadBytes(folder + "\\listener_typical.ora", &listenerRead);
  const std::string tnsnamesOra = demo::ReadBytes(folder + "\\tnsnames_aliases.ora", &tnsnamesRead);
  if (!listenerRead || !tnsnamesRead) {
    std::fprintf(stderr, "cannot read the configuration fixtures in %s\n", folder.c_str());
    return 1;
  }
  std::string error;
  if (!demo::InstallServices({testService, listenerStandIn, ""}, demo::kDemoDelays, &error)) {
    std::fprintf(stderr, "%s\n", error.c_str());
    return 1;
  }
  if (!demo::WriteConfig(listenerOra, tnsnamesOra)) {
    std::fprintf(stderr, "cannot write the configuration files in %s\n", demo::kOracleHome);
    return 1;
  }
  demo::ClearLogs();
  if (Start() != 0) return 1;
  std::printf("services: %s, %s, %s, %s (running)\n", demo::kServiceNames[0], demo::kServiceNames[1],
              demo::kServiceNames[2], demo::kServiceNames[3]);
  std::printf("listener image path: %s\n", demo::kListenerImagePath);
  std::printf("configuration: %s\n               %s\n", demo::kListenerOraPath, demo::kTnsnamesOraPath);
  return 0;
}

int Remove() {
  int result = 0;
  for (const char* name : demo::kServiceNames) {
    if (!demo::RemoveService(name)) {
      std::fprintf(stderr, "cannot remove %s\n", name);
      result = 1;
    }
  }
  return result;
}

}  // namespace

int main(int argc, char** argv) {
  const std::string command = argc > 1 ? argv[1] : "";
  if (command == "install" && argc == 5) return Install(argv[2], argv[3], argv[4]);
  if (command == "start" && argc == 2) return Start();
  if (command == "remove" && argc == 2) return Remove();
  std::fprintf(stderr,
               "usage: korvane_demo_machine install <test service> <listener stand-in> <fixtures>\n"
               "       korvane_demo_machine start\n"
               "       korvane_demo_machine remove\n");
  return 2;
}
