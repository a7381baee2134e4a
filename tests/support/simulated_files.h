// The file system of the simulated Windows.
#pragma once

#include <cstdint>
#include <map>
#include <string>

#include "platform/platform.h"

class SimulatedWindows;

class SimulatedFileSystem {
 public:
  explicit SimulatedFileSystem(SimulatedWindows& windows) : windows_(windows) {}

  NativeHandle LOpen(const char* path, std::int32_t mode);
  std::int32_t ReadFile(NativeHandle file, void* buffer, std::uint32_t toRead, std::uint32_t* read,
                        void* overlapped);
  std::int32_t CloseHandle(NativeHandle handle);
  NativeHandle CreateFileA(const char* path, std::uint32_t access, std::uint32_t share, void* security,
                           std::uint32_t disposition, std::uint32_t attributes, NativeHandle templateFile);
  std::int32_t WriteFile(NativeHandle file, const void* buffer, std::uint32_t toWrite, std::uint32_t* written,
                         void* overlapped);
  std::int32_t CreateFolder(const std::string& path);
  std::int32_t FlushFile(NativeHandle file);
  std::int32_t MoveFileWithFlags(const std::string& from, const std::string& to, std::uint32_t flags);
  std::int32_t DeleteFileAt(const std::string& path);

 private:
  SimulatedWindows& windows_;
};
