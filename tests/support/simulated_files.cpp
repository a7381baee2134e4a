#include "support/simulated_files.h"

#include <gtest/gtest.h>

#include "support/simulated_windows.h"

// Not simulated yet: every call fails the test.
NativeHandle SimulatedFileSystem::LOpen(const char*, std::int32_t) {
  ADD_FAILURE() << "file system not simulated";
  return kInvalidHandle;
}
std::int32_t SimulatedFileSystem::ReadFile(NativeHandle, void*, std::uint32_t, std::uint32_t*, void*) {
  ADD_FAILURE() << "file system not simulated";
  return 0;
}
std::int32_t SimulatedFileSystem::CloseHandle(NativeHandle) {
  ADD_FAILURE() << "file system not simulated";
  return 0;
}
NativeHandle SimulatedFileSystem::CreateFileA(const char*, std::uint32_t, std::uint32_t, void*, std::uint32_t,
                                              std::uint32_t, NativeHandle) {
  ADD_FAILURE() << "file system not simulated";
  return kInvalidHandle;
}
std::int32_t SimulatedFileSystem::WriteFile(NativeHandle, const void*, std::uint32_t, std::uint32_t*, void*) {
  ADD_FAILURE() << "file system not simulated";
  return 0;
}
std::int32_t SimulatedFileSystem::CreateFolder(const std::string&) {
  ADD_FAILURE() << "file system not simulated";
  return 0;
}
std::int32_t SimulatedFileSystem::FlushFile(NativeHandle) {
  ADD_FAILURE() << "file system not simulated";
  return 0;
}
std::int32_t SimulatedFileSystem::MoveFileWithFlags(const std::string&, const std::string&, std::uint32_t) {
  ADD_FAILURE() << "file system not simulated";
  return 0;
}
std::int32_t SimulatedFileSystem::DeleteFileAt(const std::string&) {
  ADD_FAILURE() << "file system not simulated";
  return 0;
}
