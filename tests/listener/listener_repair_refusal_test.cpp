// The repair stops before it writes anything when it cannot do its work
// safely: one message naming what is wrong, no file created, emptied or
// replaced, no backup replaced, no service touched.
#include <gtest/gtest.h>

#include <functional>

#include "listener/listener_repair.h"
#include "listener/repair_world.h"

namespace {

using namespace repair;

std::string Refusal(const std::string& text) { return Box(text, 16, "监听修改失败"); }

std::string WithZeroByte(std::string text) {
  text.insert(text.find("LISTENER ="), 1, '\0');
  return text;
}

struct RefusalCase {
  const char* name;
  std::function<void(RepairWorld&)> setUp;
  std::string message;
};

TEST(RepairListener, RefusesWithoutWritingWhenItCannotWorkSafely) {
  const std::string noListener = "未找到Oracle监听服务，无法确定listener.ora和tnsnames.ora的位置，未做任何修改。";
  const std::string cannotRead = "无法读取监听配置文件（文件不存在或正被其他程序占用），未做任何修改。路径为\r\n";
  const std::string zeroByte = "监听配置文件中含有零字节，不是文本配置文件，未做任何修改。路径为\r\n";
  const RefusalCase cases[] = {
      {"no listener found", [](RepairWorld&) { listenerImagePath.clear(); }, noListener},
      {"image path without BIN\\TNSLSNR", [](RepairWorld&) { listenerImagePath = "C:\\oracle\\listener\\lsnr.exe"; },
       "监听服务的程序路径中没有BIN\\TNSLSNR，无法确定listener.ora和tnsnames.ora的位置，未做任何修改。程序路径为\r\n"
       "C:\\oracle\\listener\\lsnr.exe"},
      {"listener.ora missing", [](RepairWorld& w) { w.windows.fileSystem.DeleteFileAt(kListenerOra); },
       cannotRead + kListenerOra},
      {"tnsnames.ora missing", [](RepairWorld& w) { w.windows.fileSystem.DeleteFileAt(kTnsnamesOra); },
       cannotRead + kTnsnamesOra},
      {"no NETWORK\\ADMIN folder where the image path leads",
       [](RepairWorld&) { listenerImagePath = "D:\\oracle\\product\\10.2.0\\db_1\\BIN\\TNSLSNR"; },
       cannotRead + "D:\\oracle\\product\\10.2.0\\db_1\\NETWORK\\ADMIN\\listener.ora"},
      {"tnsnames.ora held open elsewhere", [](RepairWorld& w) { w.windows.fileSystem.HoldOpenElsewhere(kTnsnamesOra); },
       cannotRead + kTnsnamesOra},
      {"listener.ora holds a zero byte",
       [](RepairWorld& w) {
         w.windows.fileSystem.AddFile(kListenerOra, WithZeroByte(Fixture("listener_typical.ora")));
       },
       zeroByte + kListenerOra},
      {"tnsnames.ora ends in a zero byte",
       [](RepairWorld& w) { w.windows.fileSystem.AddFile(kTnsnamesOra, Fixture("tnsnames_aliases.ora") + '\0'); },
       zeroByte + kTnsnamesOra},
      {"no host name", [](RepairWorld& w) { w.windows.winsockStartFails = true; },
       "无法取得本机的计算机名，未做任何修改。"},
  };
  for (const auto& c : cases) {
    RepairWorld world;
    // A backup from an earlier repair must survive a refused one.
    world.windows.fileSystem.AddFile(kBackupListener, "earlier listener backup");
    world.windows.fileSystem.AddFile(kBackupTnsnames, "earlier tnsnames backup");
    c.setUp(world);
    world.windows.calls.clear();
    const FileSet before = world.Files();
    world.ui.QueueAnswers({kAnswerOk, kAnswerOk});
    RepairListener();

    EXPECT_EQ(Shown(world.ui), (std::vector<std::string>{kAsk, Refusal(c.message)})) << c.name;
    EXPECT_EQ(world.Files(), before) << c.name;
    for (const std::string& call : world.windows.calls)
      EXPECT_TRUE(call.rfind("CreateFileA", 0) != 0 && call.rfind("CreateDirectoryA", 0) != 0 &&
                  call.rfind("MoveFileExA", 0) != 0 && call.rfind("DeleteFileA", 0) != 0)
          << c.name << ": " << call;
    EXPECT_TRUE(world.windows.serviceManager.namesOpened.empty()) << c.name;
    EXPECT_EQ(world.Clock2(), 0) << c.name;
  }
}

TEST(RepairListener, AnEmptyFileIsAText) {
  // An empty tnsnames.ora is read as the empty text and written back empty,
  // not taken for a file that cannot be read.
  RepairWorld world(Fixture("listener_typical.ora"), "");
  world.ui.QueueAnswers({kAnswerOk, kAnswerOk, kAnswerOk});
  RepairListener();
  EXPECT_EQ(Shown(world.ui), (std::vector<std::string>{kAsk, kBackedUp, kWarning}));
  EXPECT_EQ(world.Files().at(kTnsnamesOra), "");
  EXPECT_EQ(world.Files().at(kBackupTnsnames), "");
}

}  // namespace
