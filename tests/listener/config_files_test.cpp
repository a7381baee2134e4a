#include "listener/config_files.h"

#include <gtest/gtest.h>

#include <functional>

#include "listener/file_calls.h"
#include "support/recording_ui.h"
#include "support/simulated_windows.h"
#include "support/text_compare.h"

namespace {

const std::string kFolder = "C:\\app\\product\\11.2.0\\dbhome_1\\NETWORK\\ADMIN";
const std::string kPath = kFolder + "\\listener.ora";
const std::string kTemporary = kPath + ".korvane-tmp";

// Text of `n` bytes without zero bytes, different at every position mod 26.
std::string Letters(std::size_t n) {
  std::string text(n, 'a');
  for (std::size_t i = 0; i < n; ++i) text[i] = static_cast<char>('a' + i % 26);
  return text;
}

std::string AsString(const ByteBuffer& bytes) { return std::string(bytes.begin(), bytes.end()); }
ByteBuffer AsBytes(const std::string& text) { return ByteBuffer(text.begin(), text.end()); }

struct ReadCase {
  const char* name;
  std::string content;
  std::size_t bufferSize;
  std::string text;  // BytesToText of the result
};

TEST(ReadConfigFile, ReadsTheWholeFilePaddedWithZeroBytes) {
  const std::string fifthZero("abcd\0fgh", 8);
  const ReadCase cases[] = {
      {"three bytes", "abc", 10000, "abc"},
      {"empty file", "", 10000, ""},
      {"exactly 10000 bytes", Letters(10000), 10000, Letters(10000)},
      {"12000 bytes are not cut", Letters(12000), 12000, Letters(12000)},
      {"several buffer growths", Letters(45001), 45001, Letters(45001)},
      {"fifth byte zero", fifthZero, 10000, "abcd"},
  };
  for (const auto& c : cases) {
    SimulatedWindows windows;
    windows.fileSystem.AddFile(kPath, c.content);
    std::int32_t length = -7;
    const ByteBuffer read = ReadConfigFile(kPath, &length);
    ASSERT_EQ(read.size(), c.bufferSize) << c.name;
    EXPECT_EQ(AsString(read).substr(0, c.content.size()), c.content) << c.name;
    EXPECT_EQ(AsString(read).substr(c.content.size()), std::string(c.bufferSize - c.content.size(), '\0'))
        << c.name << ": padding";
    EXPECT_EQ(length, static_cast<std::int32_t>(c.content.size())) << c.name;
    EXPECT_EQ(BytesToText(read), c.text) << c.name;
    EXPECT_EQ(windows.fileSystem.Bytes(kPath), c.content) << c.name << ": reading changes nothing";
  }
}

TEST(ReadConfigFile, OpensForReadingAndReadsUntilNothingIsLeft) {
  SimulatedWindows windows;
  windows.fileSystem.AddFile(kPath, Letters(12000));
  ReadConfigFile(kPath);
  EXPECT_EQ(FileCalls(windows), (std::vector<std::string>{
                                    "_lopen(\"" + kPath + "\", 0)",
                                    "ReadFile(\"" + kPath + "\", 10000)",
                                    "ReadFile(\"" + kPath + "\", 10000)",
                                    "ReadFile(\"" + kPath + "\", 8000)",
                                    "CloseHandle(\"" + kPath + "\")",
                                }));
}

TEST(ReadConfigFile, UnreadableFilesGiveTheEmptyBufferSilently) {
  const std::pair<const char*, std::function<void(SimulatedFileSystem&)>> cases[] = {
      {"missing file", [](SimulatedFileSystem& files) { files.AddFolder(kFolder); }},
      {"missing folder", [](SimulatedFileSystem&) {}},
      {"held open elsewhere",
       [](SimulatedFileSystem& files) {
         files.AddFile(kPath, "x");
         files.HoldOpenElsewhere(kPath);
       }},
  };
  for (const auto& [name, setUp] : cases) {
    SimulatedWindows windows;
    RecordingUi ui;  // fails on any message box
    setUp(windows.fileSystem);
    std::int32_t length = -7;
    EXPECT_TRUE(ReadConfigFile(kPath, &length).empty()) << name;
    EXPECT_EQ(length, 0) << name;
    EXPECT_EQ(windows.fileSystem.Files().size(), windows.fileSystem.FileExists(kPath) ? 1u : 0u)
        << name << ": nothing is created";
  }
}

TEST(WriteBytesFile, WritesATemporaryFileThenReplacesTheTarget) {
  SimulatedWindows windows;
  RecordingUi ui;
  windows.fileSystem.AddFile(kPath, "old content that is longer than the new one");
  EXPECT_EQ(WriteBytesFile(kPath, AsBytes("new")), 1);
  EXPECT_EQ(windows.fileSystem.Bytes(kPath), "new");
  EXPECT_EQ(windows.fileSystem.Files(), std::vector<std::string>{kPath}) << "no temporary file is left";
  EXPECT_EQ(FileCalls(windows), (std::vector<std::string>{
                                    "CreateFileA(\"" + kTemporary + "\", 0xC0000000, 0, NULL, 2, 0x80, NULL)",
                                    "RtlMoveMemory(3)",
                                    "WriteFile(\"" + kTemporary + "\", 3)",
                                    "FlushFileBuffers(\"" + kTemporary + "\")",
                                    "CloseHandle(\"" + kTemporary + "\")",
                                    "MoveFileExA(\"" + kTemporary + "\", \"" + kPath + "\", 0x9)",
                                }));
}

TEST(WriteBytesFile, CreatesMissingFilesAndWritesExactBytes) {
  const std::string binary("a\0b\r\n\xB1\xB8\xB7\xDD", 9);
  const std::string cases[] = {"", "x", binary, Letters(30000)};
  for (const std::string& data : cases) {
    SimulatedWindows windows;
    RecordingUi ui;
    windows.fileSystem.AddFolder(kFolder);
    EXPECT_EQ(WriteBytesFile(kPath, AsBytes(data)), 1) << data.size() << " bytes";
    EXPECT_EQ(windows.fileSystem.Bytes(kPath), data) << data.size() << " bytes";
    EXPECT_EQ(windows.fileSystem.Files(), std::vector<std::string>{kPath});
  }
}

struct WriteFailure {
  const char* name;
  std::function<void(SimulatedFileSystem&)> setUp;
  bool message;  // "创建文件失败!"
};

TEST(WriteBytesFile, AnyFailureLeavesTheOriginalAndNoTemporaryFile) {
  const std::string original = "LISTENER =\r\n  (ADDRESS = (PROTOCOL = TCP)(HOST = OLDPC)(PORT = 1521))\r\n";
  const WriteFailure cases[] = {
      {"read-only file", [](SimulatedFileSystem& files) { files.SetReadOnly(kPath); }, true},
      {"held open elsewhere with share mode 0", [](SimulatedFileSystem& files) { files.HoldOpenElsewhere(kPath); },
       true},
      {"folder without write rights", [](SimulatedFileSystem& files) { files.DenyWritesIn(kFolder); }, true},
      {"disk full mid-write", [](SimulatedFileSystem& files) { files.freeBytes = 10; }, false},
      {"disk full, short count reported as success",
       [](SimulatedFileSystem& files) {
         files.freeBytes = 10;
         files.shortWriteReportsSuccess = true;
       },
       false},
      {"disk full before the first byte", [](SimulatedFileSystem& files) { files.freeBytes = 0; }, false},
      {"flush fails", [](SimulatedFileSystem& files) { files.flushFails = true; }, false},
  };
  for (const auto& c : cases) {
    SimulatedWindows windows;
    RecordingUi ui;
    windows.fileSystem.AddFile(kPath, original);
    c.setUp(windows.fileSystem);
    if (c.message) ui.QueueAnswers({kAnswerOk});
    EXPECT_EQ(WriteBytesFile(kPath, AsBytes(std::string(500, 'n'))), 0) << c.name;
    EXPECT_EQ(windows.fileSystem.Bytes(kPath), original) << c.name;
    EXPECT_EQ(windows.fileSystem.Files(), std::vector<std::string>{kPath}) << c.name;
    if (c.message) {
      ASSERT_EQ(ui.messages.size(), 1u) << c.name;
      EXPECT_EQ(ui.messages[0].text, "创建文件失败!");
      EXPECT_EQ(ui.messages[0].flags, 0);
      EXPECT_EQ(ui.messages[0].caption, "信息：");
    }
  }
}

TEST(WriteBytesFile, MissingFolderIsReportedAndCreatesNothing) {
  SimulatedWindows windows;
  RecordingUi ui;
  ui.QueueAnswers({kAnswerOk});
  EXPECT_EQ(WriteBytesFile(kPath, AsBytes("data")), 0);
  EXPECT_TRUE(windows.fileSystem.Files().empty());
  EXPECT_FALSE(windows.fileSystem.FolderExists(kFolder));
  ASSERT_EQ(ui.messages.size(), 1u);
  EXPECT_EQ(ui.messages[0].text, "创建文件失败!");
  EXPECT_EQ(FileCalls(windows).size(), 1u) << "nothing is tried after the failed create";
}

}  // namespace
