// The configuration file operations against real files.
#include <windows.h>

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "app/user_interface.h"
#include "listener/config_files.h"
#include "platform/platform_win.h"
#include "runtime/function_binding.h"

namespace {

// Records message boxes instead of showing them; every box is answered OK.
class NoteTakingUi : public UserInterface {
 public:
  std::int32_t ShowMessage(TextView text, std::int32_t flags, TextView caption, NativeHandle) override {
    shown.push_back(std::to_string(flags) + " " + std::string(caption) + ": " + std::string(text));
    return kAnswerOk;
  }
  void SetWaitCursor() override {}
  void RestoreCursor() override {}
  void SetTimerPeriod(TimerId, std::int32_t) override {}
  void SetStatusText(TextView) override {}
  std::vector<std::string> shown;
};

const std::string kCreateFailed = "0 信息：: 创建文件失败!";

std::string Letters(std::size_t n) {
  std::string text(n, 'a');
  for (std::size_t i = 0; i < n; ++i) text[i] = static_cast<char>('a' + i % 26);
  return text;
}

class ConfigFilesWin : public ::testing::Test {
 protected:
  void SetUp() override {
    InstallPlatform(&platform_);
    InstallUserInterface(&ui_);
    char temp[MAX_PATH] = {0};
    GetTempPathA(MAX_PATH, temp);
    folder_ = std::string(temp) + "korvane-files-" + std::to_string(GetCurrentProcessId());
    ASSERT_NE(CreateDirectoryA(folder_.c_str(), nullptr), 0);
  }
  void TearDown() override {
    WIN32_FIND_DATAA found;
    const HANDLE search = FindFirstFileA((folder_ + "\\*").c_str(), &found);
    if (search != INVALID_HANDLE_VALUE) {
      do {
        const std::string path = folder_ + "\\" + found.cFileName;
        SetFileAttributesA(path.c_str(), FILE_ATTRIBUTE_NORMAL);
        DeleteFileA(path.c_str());
      } while (FindNextFileA(search, &found));
      FindClose(search);
    }
    RemoveDirectoryA(folder_.c_str());
    ReleaseBoundLibraries();
    InstallUserInterface(nullptr);
    InstallPlatform(nullptr);
  }

  std::string Path(const char* name) const { return folder_ + "\\" + name; }
  static void Put(const std::string& path, const std::string& bytes) {
    const HANDLE file = CreateFileA(path.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS, 0, nullptr);
    ASSERT_NE(file, INVALID_HANDLE_VALUE);
    DWORD written = 0;
    ASSERT_TRUE(WriteFile(file, bytes.data(), static_cast<DWORD>(bytes.size()), &written, nullptr));
    CloseHandle(file);
  }
  static std::string Get(const std::string& path) {
    const HANDLE file = CreateFileA(path.c_str(), GENERIC_READ, FILE_SHARE_READ, nullptr, OPEN_EXISTING, 0, nullptr);
    if (file == INVALID_HANDLE_VALUE) return "<missing>";
    std::string bytes;
    char chunk[4096];
    DWORD read = 0;
    while (ReadFile(file, chunk, sizeof chunk, &read, nullptr) && read != 0) bytes.append(chunk, read);
    CloseHandle(file);
    return bytes;
  }
  // Names of the files in the folder.
  std::vector<std::string> Names() const {
    std::vector<std::string> names;
    WIN32_FIND_DATAA found;
    const HANDLE search = FindFirstFileA((folder_ + "\\*").c_str(), &found);
    if (search == INVALID_HANDLE_VALUE) return names;
    do {
      if ((found.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY) == 0) names.push_back(found.cFileName);
    } while (FindNextFileA(search, &found));
    FindClose(search);
    return names;
  }

  Win32Platform platform_;
  NoteTakingUi ui_;
  std::string folder_;
};

TEST_F(ConfigFilesWin, ReadsWholeFilesPaddedToTheBuffer) {
  const std::pair<std::string, std::size_t> cases[] = {
      {"abc", 10000}, {Letters(10000), 10000}, {Letters(12000), 12000}, {"", 10000}};
  for (const auto& [content, size] : cases) {
    Put(Path("listener.ora"), content);
    std::int32_t length = -1;
    const ByteBuffer read = ReadConfigFile(Path("listener.ora"), &length);
    ASSERT_EQ(read.size(), size) << content.size();
    EXPECT_EQ(std::string(read.begin(), read.end()), content + std::string(size - content.size(), '\0'));
    EXPECT_EQ(length, static_cast<std::int32_t>(content.size()));
  }
  EXPECT_TRUE(ReadConfigFile(Path("missing.ora")).empty());
  EXPECT_TRUE(ui_.shown.empty());
}

TEST_F(ConfigFilesWin, ReplacesAFileByExactlyTheData) {
  Put(Path("listener.ora"), Letters(12000));
  const std::string data = "LISTENER =\r\n  (ADDRESS = (PROTOCOL = TCP)(HOST = NEWPC)(PORT = 1521))\r\n";
  EXPECT_EQ(WriteBytesFile(Path("listener.ora"), ByteBuffer(data.begin(), data.end())), 1);
  EXPECT_EQ(Get(Path("listener.ora")), data) << "nothing of the longer old content remains";
  EXPECT_EQ(WriteBytesFile(Path("new.ora"), ByteBuffer()), 1);
  EXPECT_EQ(Get(Path("new.ora")), "");
  EXPECT_EQ(Names().size(), 2u) << "no temporary file is left";
  EXPECT_TRUE(ui_.shown.empty());
}

TEST_F(ConfigFilesWin, AMissingFolderIsReportedAndNothingIsCreated) {
  const std::string path = folder_ + "\\no-such-folder\\listener.ora";
  EXPECT_EQ(WriteBytesFile(path, ByteBuffer(3, 'x')), 0);
  EXPECT_EQ(ui_.shown, std::vector<std::string>{kCreateFailed});
  EXPECT_EQ(GetFileAttributesA((folder_ + "\\no-such-folder").c_str()), INVALID_FILE_ATTRIBUTES);
}

TEST_F(ConfigFilesWin, AFileHeldOpenWithoutSharingStaysAsItWas) {
  const std::string original = "(ADDRESS = (PROTOCOL = TCP)(HOST = OLDPC)(PORT = 1521))\r\n";
  Put(Path("tnsnames.ora"), original);
  // Sharing is checked between handles, so a handle of this process stands
  // for the other program that holds the file.
  const HANDLE held =
      CreateFileA(Path("tnsnames.ora").c_str(), GENERIC_READ | GENERIC_WRITE, 0, nullptr, OPEN_EXISTING, 0, nullptr);
  ASSERT_NE(held, INVALID_HANDLE_VALUE);
  EXPECT_TRUE(ReadConfigFile(Path("tnsnames.ora")).empty());
  EXPECT_EQ(WriteBytesFile(Path("tnsnames.ora"), ByteBuffer(500, 'n')), 0);
  CloseHandle(held);
  EXPECT_EQ(Get(Path("tnsnames.ora")), original) << "the failed replace leaves the original intact";
  EXPECT_EQ(Names(), std::vector<std::string>{"tnsnames.ora"}) << "the temporary file is removed";
  EXPECT_EQ(ui_.shown, std::vector<std::string>{kCreateFailed});
}

}  // namespace
