#include "runtime/function_binding.h"

#include <gtest/gtest.h>

#include "support/simulated_windows.h"

namespace {

const std::string kSystem = "C:\\windows\\system32\\";

void ExpectFatal(SimulatedWindows& windows, BoundFunction entry, const std::string& message) {
  try {
    ResolveBoundFunction(entry);
    ADD_FAILURE() << "resolution did not end the process";
  } catch (const ProcessEnded& ended) {
    EXPECT_EQ(ended.exitCode, -1);
  }
  ASSERT_EQ(windows.fatalBoxes.size(), 1u);
  EXPECT_EQ(windows.fatalBoxes[0].text, "运行时出错!\r\n\r\n错误信息：" + message + "\r\n");
}

TEST(FunctionBinding, ResolvesANamedLibraryFromTheSystemFolderOnce) {
  SimulatedWindows windows;
  const ProcAddress first = ResolveBoundFunction(kOpenSCManagerA);
  EXPECT_NE(first, 0u);
  EXPECT_EQ(ResolveBoundFunction(kOpenSCManagerA), first);
  EXPECT_EQ(windows.loadedLibraries, std::vector<std::string>{kSystem + "advapi32.dll"});
}

TEST(FunctionBinding, NameWithoutExtensionMeansTheDll) {
  SimulatedWindows windows;
  ResolveBoundFunction(kReadFile);
  EXPECT_EQ(windows.loadedLibraries, std::vector<std::string>{kSystem + "kernel32.dll"});
}

TEST(FunctionBinding, EmptyLibraryNameWalksTheSearchListReleasingMisses) {
  SimulatedWindows windows;
  EXPECT_NE(ResolveBoundFunction(kQueryServiceStatus), 0u);
  EXPECT_EQ(windows.loadedLibraries, (std::vector<std::string>{kSystem + "Kernel32.dll", kSystem + "Gdi32.dll",
                                                               kSystem + "User32.dll", kSystem + "Advapi32.dll"}));
  EXPECT_EQ(windows.releasedLibraries,
            (std::vector<std::string>{kSystem + "Kernel32.dll", kSystem + "Gdi32.dll", kSystem + "User32.dll"}));
  windows.loadedLibraries.clear();
  ResolveBoundFunction(kQueryServiceStatus);
  EXPECT_TRUE(windows.loadedLibraries.empty()) << "a resolved entry loads nothing more";
}

TEST(FunctionBinding, NeverLoadsALibraryPlantedBesideTheExecutable) {
  SimulatedWindows windows;
  windows.AddLibrary("C:\\Tools\\advapi32.dll", {"OpenSCManagerA"});
  windows.AddLibrary("C:\\Tools\\kernel32.dll", {"ReadFile"});
  windows.AddLibrary("advapi32.dll", {"OpenSCManagerA"});
  ResolveBoundFunction(kOpenSCManagerA);
  ResolveBoundFunction(kReadFile);
  ResolveBoundFunction(kQueryServiceStatus);
  for (const std::string& loaded : windows.loadedLibraries)
    EXPECT_EQ(loaded.rfind(kSystem, 0), 0u) << "loaded from outside the system folder: " << loaded;
}

TEST(FunctionBinding, MissingLibraryEndsTheProcessNamingItAsWritten) {
  SimulatedWindows windows;
  windows.libraries.erase(FoldCase(kSystem + "kernel32.dll"));
  ExpectFatal(windows, kReadFile, "无法找到指定DLL库文件“kernel32”中的输出命令“ReadFile”");
}

TEST(FunctionBinding, MissingExportReleasesTheLibraryThenEndsTheProcess) {
  SimulatedWindows windows;
  windows.libraries[FoldCase(kSystem + "kernel32.dll")].erase("_lopen");
  ExpectFatal(windows, kLOpen, "无法找到指定DLL库文件“kernel32.dll”中的输出命令“_lopen”");
  EXPECT_EQ(windows.releasedLibraries, std::vector<std::string>{kSystem + "kernel32.dll"});
}

TEST(FunctionBinding, SearchListWithoutTheFunctionEndsTheProcess) {
  SimulatedWindows windows;
  windows.libraries[FoldCase(kSystem + "advapi32.dll")].erase("QueryServiceStatus");
  ExpectFatal(windows, kQueryServiceStatus, "无法找到指定DLL库文件中的输出命令“QueryServiceStatus”");
  EXPECT_EQ(windows.loadedLibraries.size(), 6u);
  EXPECT_EQ(windows.releasedLibraries.size(), 6u) << "every library tried in vain is released";
}

TEST(FunctionBinding, ReleaseFreesEveryLibraryKept) {
  SimulatedWindows windows;
  ResolveBoundFunction(kOpenSCManagerA);
  ResolveBoundFunction(kOpenServiceA);
  ResolveBoundFunction(kQueryServiceStatus);
  ResolveBoundFunction(kCloseHandle);
  ReleaseBoundLibraries();
  EXPECT_EQ(windows.releasedLibraries.size(), 3u + 4u);  // three misses of the search, four entries kept
  windows.loadedLibraries.clear();
  ResolveBoundFunction(kOpenSCManagerA);
  EXPECT_EQ(windows.loadedLibraries.size(), 1u) << "released entries resolve afresh";
}

}  // namespace
