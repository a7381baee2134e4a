// System operations: registry text values, the run directory, folders, the
// host name, and the process set-up and release around them.
//
// Every failure is silent and gives the empty text (or the default) or 0.
#pragma once

#include <cstdint>

#include "runtime/text.h"

// Registry root numbers as ReadRegistryText takes them; any other number
// reads HKEY_CURRENT_USER.
constexpr std::int32_t kRootClasses = 1;
constexpr std::int32_t kRootCurrentConfig = 2;
constexpr std::int32_t kRootCurrentUser = 3;
constexpr std::int32_t kRootLocalMachine = 4;
constexpr std::int32_t kRootUsers = 5;

// The HKEY value of a root number.
std::uint32_t RegistryRootFor(std::int32_t rootNumber);

// The text of the REG_SZ or REG_EXPAND_SZ (expanded) value named by `path`,
// whose last backslash separates key and value name. Anything else gives
// `fallback`. The key opened is always closed.
Text ReadRegistryText(std::int32_t rootNumber, TextView path, TextView fallback = TextView());

// A new copy of the run directory.
Text GetRunDirectory();

// CreateDirectoryA of one folder level; non-zero when it was created.
std::int32_t MakeDirectory(TextView path);

// This computer's host name as Windows Sockets reports it, or the empty text.
Text GetHostName();

// Start-up: fixes the run directory from the executable's path, makes it the
// current folder, and limits run-time library loading to the system folder.
void SetUpProcess();

// Shutdown: releases the bound libraries and Windows Sockets.
void ReleaseSystemResources();

// The folder part of a full path (before its last backslash, which a
// double-byte character's second byte never counts as). Exposed for tests.
Text FolderOfPath(TextView fullPath);
