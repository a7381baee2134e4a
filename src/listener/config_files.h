// Reading and replacing the Oracle network configuration files.
//
// Both reach Windows through the function binding and keep no file open
// beyond their own call.
#pragma once

#include <cstdint>

#include "runtime/text.h"

// Bytes of the read buffer that a small file is padded to.
constexpr std::int32_t kConfigReadBufferSize = 10000;

// The whole file: its bytes followed by zero bytes up to at least
// kConfigReadBufferSize bytes (a longer file gives a longer buffer, never a
// cut one). The empty buffer when the file cannot be opened or read; an
// existing empty file gives kConfigReadBufferSize zero bytes. When
// `fileLength` is given it receives the number of bytes the file holds
// (0 on failure), so that a zero byte in the file can be told from padding.
ByteBuffer ReadConfigFile(TextView path, std::int32_t* fileLength = nullptr);

// Replaces the file at `path` by exactly `data`, creating it if need be: the
// data goes to a temporary file in the same folder, which replaces the
// original only once it is completely written and flushed. On any failure
// the original stays as it was, the temporary file is removed and the
// result is 0; "创建文件失败!" is shown when the file cannot be created or
// the original cannot be replaced (read-only, or held open by another
// process). 1 when the file holds the data.
std::int32_t WriteBytesFile(TextView path, const ByteBuffer& data);

// Appended to the target's name for the temporary file, a name no Oracle
// tool or user gives a file.
constexpr const char* kTemporaryFileSuffix = ".korvane-tmp";
