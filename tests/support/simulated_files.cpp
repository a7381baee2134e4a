#include "support/simulated_files.h"

#include <gtest/gtest.h>

#include <cstdio>
#include <cstring>

#include "support/simulated_windows.h"

namespace {

constexpr std::int32_t kOfRead = 0;
constexpr std::uint32_t kCreateAlways = 2;
constexpr std::uint32_t kMoveFileReplaceExisting = 0x1;

std::string Hex(std::uint64_t value) {
  char buffer[32];
  std::snprintf(buffer, sizeof buffer, "0x%llX", static_cast<unsigned long long>(value));
  return buffer;
}

std::string Quoted(const std::string& text) { return "\"" + text + "\""; }

// The folder part of a path: before its last backslash, where the second
// byte of a double-byte character (lead 0x81 to 0xFE) is no backslash.
std::string ParentOf(const std::string& path) {
  std::size_t last = std::string::npos;
  for (std::size_t i = 0; i < path.size(); ++i) {
    const auto byte = static_cast<unsigned char>(path[i]);
    if (byte >= 0x81 && byte <= 0xFE && i + 1 < path.size()) {
      ++i;
    } else if (byte == '\\') {
      last = i;
    }
  }
  return last == std::string::npos ? std::string() : path.substr(0, last);
}

}  // namespace

// --- set-up and observation --------------------------------------------------

void SimulatedFileSystem::AddFolder(const std::string& path) {
  for (std::string folder = path; !folder.empty(); folder = ParentOf(folder)) folders_.insert(FoldCase(folder));
}

void SimulatedFileSystem::AddFile(const std::string& path, const std::string& bytes) {
  AddFolder(ParentOf(path));
  File& file = files_[FoldCase(path)];
  if (file.path.empty()) file.path = path;
  file.bytes = bytes;
}

void SimulatedFileSystem::SetReadOnly(const std::string& path, bool readOnly) {
  const auto found = files_.find(FoldCase(path));
  if (found == files_.end()) {
    ADD_FAILURE() << "no such file to make read-only: " << path;
    return;
  }
  found->second.readOnly = readOnly;
}

void SimulatedFileSystem::HoldOpenElsewhere(const std::string& path, bool held) {
  const auto found = files_.find(FoldCase(path));
  if (found == files_.end()) {
    ADD_FAILURE() << "no such file to hold open: " << path;
    return;
  }
  found->second.heldElsewhere = held;
}

void SimulatedFileSystem::DenyWritesIn(const std::string& folder) {
  AddFolder(folder);
  deniedFolders_.insert(FoldCase(folder));
}

bool SimulatedFileSystem::FileExists(const std::string& path) const { return files_.count(FoldCase(path)) != 0; }

bool SimulatedFileSystem::FolderExists(const std::string& path) const { return folders_.count(FoldCase(path)) != 0; }

std::string SimulatedFileSystem::Bytes(const std::string& path) const {
  const auto found = files_.find(FoldCase(path));
  if (found == files_.end()) {
    ADD_FAILURE() << "no such file: " << path;
    return std::string();
  }
  return found->second.bytes;
}

std::vector<std::string> SimulatedFileSystem::Files() const {
  std::vector<std::string> paths;
  for (const auto& [key, file] : files_) paths.push_back(file.path);
  return paths;
}

bool SimulatedFileSystem::IsOpenHere(const std::string& key) const {
  for (const auto& [handle, open] : open_)
    if (open.key == key) return true;
  return false;
}

bool SimulatedFileSystem::WritableFolder(const std::string& key) const {
  return folders_.count(key) != 0 && deniedFolders_.count(key) == 0;
}

std::string SimulatedFileSystem::Describe(NativeHandle handle) const {
  if (handle == kInvalidHandle) return "INVALID_HANDLE_VALUE";
  const auto found = open_.find(handle);
  if (found == open_.end()) return Hex(handle);
  return Quoted(files_.at(found->second.key).path);
}

// --- calls -----------------------------------------------------------------

NativeHandle SimulatedFileSystem::LOpen(const char* path, std::int32_t mode) {
  const std::string name = path == nullptr ? std::string() : path;
  windows_.Log("_lopen(" + Quoted(name) + ", " + std::to_string(mode) + ")");
  if (mode != kOfRead) {
    ADD_FAILURE() << "_lopen with a mode other than OF_READ: " << mode;
    return kInvalidHandle;
  }
  const std::string key = FoldCase(name);
  const auto found = files_.find(key);
  if (found == files_.end() || found->second.heldElsewhere || IsOpenHere(key)) return kInvalidHandle;
  const NativeHandle handle = windows_.NewHandle();
  open_[handle] = {key, 0, false};
  return handle;
}

std::int32_t SimulatedFileSystem::ReadFile(NativeHandle file, void* buffer, std::uint32_t toRead,
                                           std::uint32_t* read, void* overlapped) {
  windows_.Log("ReadFile(" + Describe(file) + ", " + std::to_string(toRead) + ")");
  if (overlapped != nullptr) ADD_FAILURE() << "ReadFile with an overlapped structure";
  if (read == nullptr) {
    ADD_FAILURE() << "ReadFile without a count (Windows needs one without overlapped I/O)";
    return 0;
  }
  *read = 0;
  if (file == kInvalidHandle) return 0;  // ERROR_INVALID_HANDLE
  if (!windows_.ExpectOpen(file, "ReadFile")) return 0;
  const auto open = open_.find(file);
  if (open == open_.end()) {
    ADD_FAILURE() << "ReadFile on a handle that is not a file";
    return 0;
  }
  const std::string& bytes = files_.at(open->second.key).bytes;
  const std::size_t left = bytes.size() - std::min(bytes.size(), open->second.position);
  const std::size_t count = std::min<std::size_t>(left, toRead);
  if (count != 0) std::memcpy(buffer, bytes.data() + open->second.position, count);
  open->second.position += count;
  *read = static_cast<std::uint32_t>(count);
  return 1;
}

std::int32_t SimulatedFileSystem::CloseHandle(NativeHandle handle) {
  windows_.Log("CloseHandle(" + Describe(handle) + ")");
  if (handle == kInvalidHandle) return 1;  // the current process's pseudo handle: closing it does nothing
  if (!windows_.ExpectOpen(handle, "CloseHandle")) return 0;
  open_.erase(handle);
  windows_.Close(handle);
  return 1;
}

NativeHandle SimulatedFileSystem::CreateFileA(const char* path, std::uint32_t access, std::uint32_t share,
                                              void* security, std::uint32_t disposition, std::uint32_t attributes,
                                              NativeHandle templateFile) {
  const std::string name = path == nullptr ? std::string() : path;
  windows_.Log("CreateFileA(" + Quoted(name) + ", " + Hex(access) + ", " + std::to_string(share) + ", " +
               (security == nullptr ? "NULL" : "security") + ", " + std::to_string(disposition) + ", " +
               Hex(attributes) + ", " + (templateFile == 0 ? "NULL" : Hex(templateFile)) + ")");
  if (disposition != kCreateAlways) {
    ADD_FAILURE() << "CreateFileA with a disposition other than CREATE_ALWAYS: " << disposition;
    return kInvalidHandle;
  }
  const std::string key = FoldCase(name);
  if (!WritableFolder(FoldCase(ParentOf(name))) || folders_.count(key) != 0) return kInvalidHandle;
  const auto found = files_.find(key);
  if (found != files_.end()) {
    if (found->second.readOnly || found->second.heldElsewhere || IsOpenHere(key)) return kInvalidHandle;
    found->second.bytes.clear();
  } else {
    files_[key].path = name;
  }
  const NativeHandle handle = windows_.NewHandle();
  open_[handle] = {key, 0, true};
  return handle;
}

std::int32_t SimulatedFileSystem::WriteFile(NativeHandle file, const void* buffer, std::uint32_t toWrite,
                                            std::uint32_t* written, void* overlapped) {
  windows_.Log("WriteFile(" + Describe(file) + ", " + std::to_string(toWrite) + ")");
  if (overlapped != nullptr) ADD_FAILURE() << "WriteFile with an overlapped structure";
  if (written == nullptr) {
    ADD_FAILURE() << "WriteFile without a count (Windows needs one without overlapped I/O)";
    return 0;
  }
  *written = 0;
  if (file == kInvalidHandle) return 0;
  if (!windows_.ExpectOpen(file, "WriteFile")) return 0;
  const auto open = open_.find(file);
  if (open == open_.end() || !open->second.writable) {
    ADD_FAILURE() << "WriteFile on a handle not opened for writing";
    return 0;
  }
  std::size_t count = toWrite;
  if (freeBytes >= 0 && static_cast<std::int64_t>(count) > freeBytes) count = static_cast<std::size_t>(freeBytes);
  std::string& bytes = files_.at(open->second.key).bytes;
  const std::size_t at = open->second.position;
  if (bytes.size() < at + count) bytes.resize(at + count);
  if (count != 0) bytes.replace(at, count, static_cast<const char*>(buffer), count);
  open->second.position += count;
  if (freeBytes >= 0) freeBytes -= static_cast<std::int64_t>(count);
  *written = static_cast<std::uint32_t>(count);
  if (count < toWrite) return shortWriteReportsSuccess ? 1 : 0;  // ERROR_DISK_FULL
  return 1;
}

std::int32_t SimulatedFileSystem::CreateFolder(const std::string& path) {
  windows_.Log("CreateDirectoryA(" + Quoted(path) + ")");
  const std::string key = FoldCase(path);
  if (!WritableFolder(FoldCase(ParentOf(path))) || folders_.count(key) != 0 || files_.count(key) != 0) return 0;
  folders_.insert(key);
  return 1;
}

std::int32_t SimulatedFileSystem::FlushFile(NativeHandle file) {
  windows_.Log("FlushFileBuffers(" + Describe(file) + ")");
  if (!windows_.ExpectOpen(file, "FlushFileBuffers")) return 0;
  return flushFails ? 0 : 1;
}

std::int32_t SimulatedFileSystem::MoveFileWithFlags(const std::string& from, const std::string& to,
                                                    std::uint32_t flags) {
  windows_.Log("MoveFileExA(" + Quoted(from) + ", " + Quoted(to) + ", " + Hex(flags) + ")");
  const std::string fromKey = FoldCase(from);
  const std::string toKey = FoldCase(to);
  const auto source = files_.find(fromKey);
  if (source == files_.end() || source->second.heldElsewhere || IsOpenHere(fromKey)) return 0;
  if (!WritableFolder(FoldCase(ParentOf(from))) || !WritableFolder(FoldCase(ParentOf(to)))) return 0;
  if (folders_.count(toKey) != 0) return 0;
  const auto target = files_.find(toKey);
  if (target != files_.end() && fromKey != toKey) {
    if ((flags & kMoveFileReplaceExisting) == 0) return 0;  // ERROR_ALREADY_EXISTS
    if (target->second.readOnly || target->second.heldElsewhere || IsOpenHere(toKey)) return 0;  // access denied
  }
  File moved = source->second;
  files_.erase(source);
  moved.path = to;
  files_[toKey] = moved;
  return 1;
}

std::int32_t SimulatedFileSystem::DeleteFileAt(const std::string& path) {
  windows_.Log("DeleteFileA(" + Quoted(path) + ")");
  const std::string key = FoldCase(path);
  const auto found = files_.find(key);
  if (found == files_.end() || found->second.readOnly || found->second.heldElsewhere || IsOpenHere(key)) return 0;
  if (!WritableFolder(FoldCase(ParentOf(path)))) return 0;
  files_.erase(found);
  return 1;
}
