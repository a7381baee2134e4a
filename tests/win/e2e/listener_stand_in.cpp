// The test service program standing in for the Oracle listener.
//
// Oracle registers its listener with the bare program path
// (...\dbhome_1\BIN\TNSLSNR, no arguments), and the tool derives the paths of
// listener.ora and tnsnames.ora from exactly that path. So this program takes
// the test service's arguments "<start ms> <stop ms> <log file>" from the file
// beside it with the extension .args instead of from its command line, and
// then runs the test service itself.
#include <windows.h>

#include <cstdio>
#include <cstring>
#include <string>

int TestServiceMain(int argc, char** argv);

int main() {
  char program[MAX_PATH] = {0};
  GetModuleFileNameA(nullptr, program, MAX_PATH);
  std::string argumentsPath = program;
  const std::size_t dot = argumentsPath.find_last_of('.');
  if (dot != std::string::npos && argumentsPath.find('\\', dot) == std::string::npos) argumentsPath.resize(dot);
  argumentsPath += ".args";

  char line[MAX_PATH + 64] = {0};
  FILE* in = std::fopen(argumentsPath.c_str(), "rb");
  if (in == nullptr) return 2;
  const bool read = std::fgets(line, sizeof line, in) != nullptr;
  std::fclose(in);
  if (!read) return 2;

  char start[32] = {0}, stop[32] = {0};
  int logAt = 0;
  if (std::sscanf(line, "%31s %31s %n", start, stop, &logAt) < 2) return 2;
  std::string log = line + logAt;
  while (!log.empty() && (log.back() == '\r' || log.back() == '\n' || log.back() == ' ')) log.pop_back();

  char* argv[] = {program, start, stop, &log[0], nullptr};
  return TestServiceMain(log.empty() ? 3 : 4, argv);
}
