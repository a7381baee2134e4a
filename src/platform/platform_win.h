// The Win32 side of the platform seam: every member calls the real function.
#pragma once

#include "platform/platform.h"

class Win32Platform final : public Platform {
 public:
  Text ModuleFileName() override;
  void SetCurrentFolder(TextView path) override;
  bool IsAnsiLeadByte(unsigned char byte) override;
  void ShowFatalErrorBox(const char* text, const char* caption, std::uint32_t style) override;
  void EndProcess(std::int32_t exitCode) override;

  Text SystemDirectory() override;
  void RestrictLibrarySearchToSystemDirectory() override;
  NativeHandle LoadLibraryFile(TextView file) override;
  ProcAddress FindExport(NativeHandle module, TextView name) override;
  void ReleaseLibrary(NativeHandle module) override;

  NativeHandle CallOpenSCManagerA(ProcAddress proc, const char* machine, const char* database,
                                  std::uint32_t access) override;
  NativeHandle CallOpenServiceA(ProcAddress proc, NativeHandle manager, const char* name,
                                std::uint32_t access) override;
  std::int32_t CallControlService(ProcAddress proc, NativeHandle service, std::uint32_t control,
                                  ServiceStatusWords* status) override;
  std::int32_t CallCloseServiceHandle(ProcAddress proc, NativeHandle handle) override;
  std::int32_t CallStartServiceA(ProcAddress proc, NativeHandle service, std::uint32_t argumentCount,
                                 const char** arguments) override;
  std::int32_t CallQueryServiceStatus(ProcAddress proc, NativeHandle service, ServiceStatusWords* status) override;
  NativeHandle CallLOpen(ProcAddress proc, const char* path, std::int32_t mode) override;
  std::int32_t CallReadFile(ProcAddress proc, NativeHandle file, void* buffer, std::uint32_t toRead,
                            std::uint32_t* read, void* overlapped) override;
  std::int32_t CallCloseHandle(ProcAddress proc, NativeHandle handle) override;
  NativeHandle CallCreateFileA(ProcAddress proc, const char* path, std::uint32_t access, std::uint32_t share,
                               void* security, std::uint32_t disposition, std::uint32_t attributes,
                               NativeHandle templateFile) override;
  void CallRtlMoveMemory(ProcAddress proc, void* destination, const void* source, std::uint32_t length) override;
  std::int32_t CallWriteFile(ProcAddress proc, NativeHandle file, const void* buffer, std::uint32_t toWrite,
                             std::uint32_t* written, void* overlapped) override;

  std::int32_t CreateFolder(TextView path) override;
  std::int32_t FlushFile(NativeHandle file) override;
  std::int32_t MoveFileWithFlags(TextView from, TextView to, std::uint32_t flags) override;
  std::int32_t DeleteFileAt(TextView path) override;

  std::int32_t OpenRegistryKey(std::uint32_t root, const char* subKey, std::uint32_t access, NativeHandle* key) override;
  std::int32_t QueryRegistryValue(NativeHandle key, const char* name, std::uint32_t* type, unsigned char* data,
                               std::uint32_t* size) override;
  void CloseRegistryKey(NativeHandle key) override;
  std::uint32_t ExpandEnvironment(const char* source, char* buffer, std::uint32_t size) override;

  std::int32_t WsaStartup(std::uint16_t version) override;
  std::int32_t GetHostNameCall(char* buffer, std::int32_t length) override;
  void WsaCleanup() override;
};
