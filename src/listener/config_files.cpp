#include "listener/config_files.h"

#include "app/user_interface.h"
#include "platform/platform.h"
#include "runtime/function_binding.h"

namespace {

constexpr std::int32_t kOfRead = 0;
constexpr std::uint32_t kGenericReadWrite = 0xC0000000u;
constexpr std::uint32_t kShareNone = 0;
constexpr std::uint32_t kCreateAlways = 2;
constexpr std::uint32_t kFileAttributeNormal = 0x80;
constexpr std::uint32_t kMoveFileReplaceExisting = 0x1;
constexpr std::uint32_t kMoveFileWriteThrough = 0x8;

constexpr const char* kCreateFailedMessage = "创建文件失败!";

// Writes all of `data` to the open file and commits it to the disk.
bool WriteCompletely(NativeHandle file, const ByteBuffer& data) {
  const std::int32_t length = BytesLength(data);
  ByteBuffer staged = BlankBytes(length);
  const ByteBuffer copy = TextToBytes(data);
  BoundRtlMoveMemory(staged.data(), copy.data(), static_cast<std::uint32_t>(length));
  // WriteFile wants a real buffer address even for no bytes.
  unsigned char none = 0;
  std::uint32_t written = 0;
  if (BoundWriteFile(file, staged.empty() ? &none : staged.data(), static_cast<std::uint32_t>(length), &written,
                     nullptr) == 0)
    return false;
  // A full disk may take fewer bytes than asked.
  if (written != static_cast<std::uint32_t>(length)) return false;
  return Sys().FlushFile(file) != 0;
}

}  // namespace

ByteBuffer ReadConfigFile(TextView path, std::int32_t* fileLength) {
  if (fileLength != nullptr) *fileLength = 0;
  const Text file(path);
  const NativeHandle handle = BoundLOpen(file.c_str(), kOfRead);
  ByteBuffer buffer = BlankBytes(kConfigReadBufferSize);
  std::size_t total = 0;
  bool readFailed = false;
  for (;;) {
    // Room for the next read; new room is zero-filled like the first.
    if (total == buffer.size()) buffer.resize(buffer.size() * 2, 0);
    std::uint32_t read = 0;
    const auto room = static_cast<std::uint32_t>(buffer.size() - total);
    if (BoundReadFile(handle, buffer.data() + total, room, &read, nullptr) == 0) {
      readFailed = true;
      break;
    }
    if (read == 0) break;  // end of file
    total += read;
  }
  // Closed also when the open failed: -1 is then a harmless pseudo handle.
  BoundCloseHandle(handle);
  if (readFailed) return ByteBuffer();
  const std::size_t kept = total > static_cast<std::size_t>(kConfigReadBufferSize) ? total : kConfigReadBufferSize;
  buffer.resize(kept);
  if (fileLength != nullptr) *fileLength = static_cast<std::int32_t>(total);
  return buffer;
}

std::int32_t WriteBytesFile(TextView path, const ByteBuffer& data) {
  const Text target(path);
  const Text temporary = JoinTexts(path, kTemporaryFileSuffix);
  const NativeHandle file = BoundCreateFileA(temporary.c_str(), kGenericReadWrite, kShareNone, nullptr,
                                             kCreateAlways, kFileAttributeNormal, 0);
  if (file == kInvalidHandle) {
    ShowMessage(kCreateFailedMessage, 0);
    return 0;
  }
  const bool written = WriteCompletely(file, data);
  BoundCloseHandle(file);
  if (!written) {
    Sys().DeleteFileAt(temporary);
    return 0;
  }
  if (Sys().MoveFileWithFlags(temporary, target, kMoveFileReplaceExisting | kMoveFileWriteThrough) == 0) {
    Sys().DeleteFileAt(temporary);
    ShowMessage(kCreateFailedMessage, 0);
    return 0;
  }
  return 1;
}
