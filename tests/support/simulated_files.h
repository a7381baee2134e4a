// The file system of the simulated Windows.
//
// Files are byte strings under case-blind full paths ("C:\app\x.ora");
// folders exist only when made (AddFolder, AddFile or CreateDirectoryA).
// It behaves as Windows does for the calls Korvane makes:
// - a path whose folder does not exist cannot be opened or created;
// - CreateFileA with CREATE_ALWAYS cuts an existing file to length 0, and
//   refuses a read-only file, a folder, or a file held open with share
//   mode 0 (by another process, or by a handle of this one);
// - MoveFileExA refuses to replace a read-only or held file;
// - a full disk takes only as many bytes as are left and fails the write.
// Every call is logged in windows.calls with the path the handle refers to,
// e.g. WriteFile("C:\app\listener.ora", 120). _lopen modes other than
// OF_READ, dispositions other than CREATE_ALWAYS and overlapped I/O fail
// the test loudly: Korvane never uses them.
#pragma once

#include <cstdint>
#include <map>
#include <set>
#include <string>
#include <vector>

#include "platform/platform.h"

class SimulatedWindows;

class SimulatedFileSystem {
 public:
  explicit SimulatedFileSystem(SimulatedWindows& windows) : windows_(windows) {}

  // --- what the test sets up -------------------------------------------
  // A folder and all folders above it.
  void AddFolder(const std::string& path);
  // A file with these bytes; its folders are made as needed.
  void AddFile(const std::string& path, const std::string& bytes);
  void SetReadOnly(const std::string& path, bool readOnly = true);
  // Another process holds the file open with share mode 0.
  void HoldOpenElsewhere(const std::string& path, bool held = true);
  // Nothing can be created, replaced or deleted in this folder (no rights).
  void DenyWritesIn(const std::string& folder);
  // Bytes that can still be written before the disk is full; -1: no limit.
  std::int64_t freeBytes = -1;
  // A full disk makes WriteFile report success with the short count (as a
  // network redirector may) instead of failing.
  bool shortWriteReportsSuccess = false;
  // FlushFileBuffers fails (the disk refused to commit the data).
  bool flushFails = false;

  // --- what the test observes ------------------------------------------
  bool FileExists(const std::string& path) const;
  bool FolderExists(const std::string& path) const;
  // The file's bytes; fails the test when the file does not exist.
  std::string Bytes(const std::string& path) const;
  // Full paths of all files, as they were first written, in sorted order.
  std::vector<std::string> Files() const;

  // --- the calls, for SimulatedWindows ---------------------------------
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
  struct File {
    std::string path;  // as first written
    std::string bytes;
    bool readOnly = false;
    bool heldElsewhere = false;
  };
  struct OpenFile {
    std::string key;  // FoldCase(path)
    std::size_t position = 0;
    bool writable = false;
  };

  bool IsOpenHere(const std::string& key) const;
  bool WritableFolder(const std::string& key) const;
  std::string Describe(NativeHandle handle) const;

  SimulatedWindows& windows_;
  std::map<std::string, File> files_;  // key: FoldCase(path)
  std::set<std::string> folders_;      // FoldCase(path)
  std::set<std::string> deniedFolders_;
  std::map<NativeHandle, OpenFile> open_;
};
