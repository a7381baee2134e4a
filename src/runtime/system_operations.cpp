#include "runtime/system_operations.h"

#include "platform/platform.h"
#include "runtime/function_binding.h"
#include "runtime/program_values.h"

namespace {

constexpr std::uint32_t kKeyRead = 0x20019;
constexpr std::uint32_t kRegSz = 1;
constexpr std::uint32_t kRegExpandSz = 2;
constexpr std::uint16_t kWinsockVersion = 0x0101;
// Large enough for any host name (DNS names reach 255 bytes).
constexpr std::int32_t kHostNameBuffer = 256;

// Text up to the first zero byte of a buffer of `size` bytes.
Text TextOfBuffer(const char* data, std::size_t size) {
  std::size_t end = 0;
  while (end < size && data[end] != '\0') ++end;
  return Text(data, end);
}

// Position of the last backslash separator by the character-step rule, or npos.
std::size_t LastSeparator(TextView path) {
  std::size_t last = TextView::npos;
  for (std::size_t i = 0; i < path.size(); ++i) {
    const auto byte = static_cast<unsigned char>(path[i]);
    if (StartsDoubleByteCharacter(byte)) {
      ++i;
    } else if (byte == '\\') {
      last = i;
    }
  }
  return last;
}

// The data with its environment references expanded; the fallback when
// Windows cannot say how much room that takes.
Text ExpandedText(const Text& data, TextView fallback) {
  const std::uint32_t needed = Sys().ExpandEnvironment(data.c_str(), nullptr, 0);
  if (needed == 0) return Text(fallback);
  Text buffer(needed, '\0');
  Sys().ExpandEnvironment(data.c_str(), &buffer[0], needed);
  return TextOfBuffer(buffer.data(), buffer.size());
}

}  // namespace

std::uint32_t RegistryRootFor(std::int32_t rootNumber) {
  switch (rootNumber) {
    case kRootClasses: return 0x80000000u;
    case kRootCurrentConfig: return 0x80000005u;
    case kRootLocalMachine: return 0x80000002u;
    case kRootUsers: return 0x80000003u;
    default: return 0x80000001u;  // HKEY_CURRENT_USER, also for root 3
  }
}

Text ReadRegistryText(std::int32_t rootNumber, TextView path, TextView fallback) {
  const std::size_t separator = LastSeparator(path);
  const Text keyPath(separator == TextView::npos ? TextView() : path.substr(0, separator));
  const Text valueName(separator == TextView::npos ? path : path.substr(separator + 1));

  NativeHandle key = 0;
  if (Sys().OpenRegistryKey(RegistryRootFor(rootNumber), keyPath.c_str(), kKeyRead, &key) != 0) return Text(fallback);

  std::uint32_t type = 0;
  std::uint32_t size = 0;
  Text data;
  const bool isText = Sys().QueryRegistryValue(key, valueName.c_str(), &type, nullptr, &size) == 0 &&
                      (type == kRegSz || type == kRegExpandSz) && size != 0;
  if (isText) {
    data.assign(size, '\0');
    const bool read = Sys().QueryRegistryValue(key, valueName.c_str(), nullptr,
                                            reinterpret_cast<unsigned char*>(&data[0]), &size) == 0;
    Sys().CloseRegistryKey(key);
    if (!read) return Text(fallback);
    const Text value = TextOfBuffer(data.data(), data.size() < size ? data.size() : size);
    return type == kRegSz ? value : ExpandedText(value, fallback);
  }
  Sys().CloseRegistryKey(key);
  return Text(fallback);
}

Text GetRunDirectory() { return runDirectory; }

std::int32_t MakeDirectory(TextView path) { return Sys().CreateFolder(path); }

Text GetHostName() {
  if (!winsockStarted && Sys().WsaStartup(kWinsockVersion) == 0) winsockStarted = true;
  char buffer[kHostNameBuffer] = {0};
  if (Sys().GetHostNameCall(buffer, kHostNameBuffer) == -1) return Text();
  return TextOfBuffer(buffer, sizeof buffer);
}

Text FolderOfPath(TextView fullPath) {
  std::size_t last = TextView::npos;
  for (std::size_t i = 0; i < fullPath.size(); ++i) {
    const auto byte = static_cast<unsigned char>(fullPath[i]);
    if (Sys().IsAnsiLeadByte(byte) && i + 1 < fullPath.size()) {
      ++i;
    } else if (byte == '\\') {
      last = i;
    }
  }
  return last == TextView::npos ? Text() : Text(fullPath.substr(0, last));
}

void SetUpProcess() {
  Sys().RestrictLibrarySearchToSystemDirectory();
  runDirectory = FolderOfPath(Sys().ModuleFileName());
  Sys().SetCurrentFolder(runDirectory);
}

void ReleaseSystemResources() {
  ReleaseBoundLibraries();
  if (winsockStarted) {
    Sys().WsaCleanup();
    winsockStarted = false;
  }
}
