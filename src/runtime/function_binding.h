// WindowsFunctionBinding: the twelve Windows functions that the service and
// file operations reach by name.
//
// Each entry is resolved on its first call and kept for the rest of the run.
// A library that cannot be loaded, or that lacks the function, ends the
// process with the fatal runtime error report naming both. Libraries are
// loaded from the Windows system folder only (a name with a drive as
// written), so that a file planted beside the elevated executable is never
// loaded in its place.
#pragma once

#include <cstdint>

#include "platform/platform.h"

enum BoundFunction : std::int32_t {
  kOpenSCManagerA = 0,
  kOpenServiceA = 1,
  kControlService = 2,
  kCloseServiceHandle = 3,
  kStartServiceA = 4,
  kQueryServiceStatus = 5,
  kLOpen = 6,
  kReadFile = 7,
  kCloseHandle = 8,
  kCreateFileA = 9,
  kRtlMoveMemory = 10,
  kWriteFile = 11,
  kBoundFunctionCount = 12,
};

// The address of the entry's function, resolving it on first use.
ProcAddress ResolveBoundFunction(BoundFunction entry);

// Releases every library the table holds and forgets every address (shutdown).
void ReleaseBoundLibraries();

// Calls through the table, with the Windows functions' own arguments and results.
NativeHandle BoundOpenSCManagerA(const char* machine, const char* database, std::uint32_t access);
NativeHandle BoundOpenServiceA(NativeHandle manager, const char* name, std::uint32_t access);
std::int32_t BoundControlService(NativeHandle service, std::uint32_t control, ServiceStatusWords* status);
std::int32_t BoundCloseServiceHandle(NativeHandle handle);
std::int32_t BoundStartServiceA(NativeHandle service, std::uint32_t argumentCount, const char** arguments);
std::int32_t BoundQueryServiceStatus(NativeHandle service, ServiceStatusWords* status);
NativeHandle BoundLOpen(const char* path, std::int32_t mode);
std::int32_t BoundReadFile(NativeHandle file, void* buffer, std::uint32_t toRead, std::uint32_t* read,
                           void* overlapped);
std::int32_t BoundCloseHandle(NativeHandle handle);
NativeHandle BoundCreateFileA(const char* path, std::uint32_t access, std::uint32_t share, void* security,
                              std::uint32_t disposition, std::uint32_t attributes, NativeHandle templateFile);
void BoundRtlMoveMemory(void* destination, const void* source, std::uint32_t length);
std::int32_t BoundWriteFile(NativeHandle file, const void* buffer, std::uint32_t toWrite, std::uint32_t* written,
                            void* overlapped);
