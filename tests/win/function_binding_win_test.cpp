// The function binding against Wine's real system libraries.
#include <windows.h>

#include <gtest/gtest.h>

#include "platform/platform_win.h"
#include "runtime/function_binding.h"

namespace {

TEST(FunctionBindingWin, FindsEveryEntryInTheSystemLibraries) {
  Win32Platform platform;
  InstallPlatform(&platform);
  platform.RestrictLibrarySearchToSystemDirectory();
  for (std::int32_t entry = 0; entry < kBoundFunctionCount; ++entry)
    EXPECT_NE(ResolveBoundFunction(static_cast<BoundFunction>(entry)), 0u) << "entry " << entry;

  // The search list finds QueryServiceStatus where Windows keeps it.
  HMODULE advapi = GetModuleHandleA("advapi32.dll");
  ASSERT_NE(advapi, nullptr);
  EXPECT_EQ(ResolveBoundFunction(kQueryServiceStatus),
            reinterpret_cast<ProcAddress>(reinterpret_cast<void*>(GetProcAddress(advapi, "QueryServiceStatus"))));

  // The calls reach the real functions: a manager handle opens and closes.
  const NativeHandle manager = BoundOpenSCManagerA(nullptr, nullptr, 0xF003F);
  EXPECT_NE(manager, 0u);
  EXPECT_NE(BoundCloseServiceHandle(manager), 0);
  char moved[4] = {0};
  BoundRtlMoveMemory(moved, "abc", 4);
  EXPECT_STREQ(moved, "abc");
  ReleaseBoundLibraries();
  InstallPlatform(nullptr);
}

}  // namespace
