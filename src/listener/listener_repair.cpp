#include "listener/listener_repair.h"

#include "app/user_interface.h"
#include "listener/config_files.h"
#include "listener/host_rewriting.h"
#include "runtime/program_values.h"
#include "runtime/system_operations.h"
#include "services/deferred_database_start.h"
#include "services/service_control.h"

namespace {

constexpr const char* kDatabaseService = "OracleServiceORCL";
constexpr const char* kImageMarker = "BIN\\TNSLSNR";
constexpr const char* kBackupFolder = "\\Oracle配置备份";

constexpr std::int32_t kOkCancelExclamation = 49;
constexpr std::int32_t kOkExclamation = 48;
constexpr std::int32_t kOkStop = 16;
constexpr std::int32_t kOkPlain = 0;

constexpr const char* kFailureCaption = "监听修改失败";

// Why the repair stops before it writes anything.
void RefuseRepair(TextView text) { ShowMessage(text, kOkStop, kFailureCaption); }

struct ConfigPaths {
  Text listenerOra;
  Text tnsnamesOra;
};

// The two files beside the listener's program, or false (after saying why)
// when the image path does not lead to them.
bool DeriveConfigPaths(ConfigPaths& paths) {
  if (TextLength(listenerImagePath) == 0) {
    RefuseRepair("未找到Oracle监听服务，无法确定listener.ora和tnsnames.ora的位置，未做任何修改。");
    return false;
  }
  if (FindText(listenerImagePath, kImageMarker, kFromFirstByte, true) == -1) {
    RefuseRepair(
        JoinTexts("监听服务的程序路径中没有BIN\\TNSLSNR，无法确定listener.ora和tnsnames.ora的位置，"
                  "未做任何修改。程序路径为\r\n",
                  listenerImagePath));
    return false;
  }
  paths.listenerOra = ReplacePairs(listenerImagePath, kImageMarker, "NETWORK\\ADMIN\\listener.ora");
  paths.tnsnamesOra = ReplacePairs(listenerImagePath, kImageMarker, "NETWORK\\ADMIN\\tnsnames.ora");
  return true;
}

// The whole file as text, or false (after saying why) when it cannot be
// read or is not a text file.
bool ReadConfigText(const Text& path, Text& text) {
  std::int32_t length = 0;
  const ByteBuffer bytes = ReadConfigFile(path, &length);
  if (bytes.empty()) {
    RefuseRepair(JoinTexts("无法读取监听配置文件（文件不存在或正被其他程序占用），未做任何修改。路径为\r\n", path));
    return false;
  }
  text = BytesToText(bytes);
  // Text ends at the first zero byte: short of the file's length, the file
  // holds one and rewriting it would cut it.
  if (TextLength(text) != length) {
    RefuseRepair(JoinTexts("监听配置文件中含有零字节，不是文本配置文件，未做任何修改。路径为\r\n", path));
    return false;
  }
  return true;
}

// Both files into the backup folder; the second only when the first worked.
bool BackUp(const Text& listenerText, const Text& tnsnamesText) {
  MakeDirectory(JoinTexts(GetRunDirectory(), kBackupFolder));
  if (WriteBytesFile(JoinTexts(GetRunDirectory(), kBackupFolder, "\\listener.ora"), TextToBytes(listenerText)) != 1)
    return false;
  return WriteBytesFile(JoinTexts(GetRunDirectory(), kBackupFolder, "\\tnsnames.ora"), TextToBytes(tnsnamesText)) == 1;
}

// Stops the listener and the database and brings both back: the listener
// at once when it has already stopped, else as soon as the poll of 时钟2
// sees it stopped; the database always through the poll.
void RestartServices() {
  if (SendServiceControl(listenerServiceName, kServiceControlStop) != 1) return;
  ShowMessage("在服务完全启动之前请勿关闭本程序，否则您将手动启动服务。", kOkExclamation, "警告");
  SendServiceControl(kDatabaseService, kServiceControlStop);
  if (QueryServiceState(listenerServiceName) == kServiceStopped) {
    StartServiceByName(listenerServiceName);
    ArmDeferredStart(false);
  } else {
    // A listener still stopping refuses a start.
    ArmDeferredStart(true);
  }
}

}  // namespace

void RepairListener() {
  if (ShowMessage("是否要更改监听配置并重启服务？", kOkCancelExclamation, "询问？") != kAnswerOk) return;

  ConfigPaths paths;
  if (!DeriveConfigPaths(paths)) return;
  Text listenerText;
  Text tnsnamesText;
  if (!ReadConfigText(paths.listenerOra, listenerText) || !ReadConfigText(paths.tnsnamesOra, tnsnamesText)) return;
  // Asked once, before anything is written, so that both files get the same
  // name and an empty one never reaches them.
  const Text hostName = GetHostName();
  if (TextLength(hostName) == 0) {
    RefuseRepair("无法取得本机的计算机名，未做任何修改。");
    return;
  }

  if (BackUp(listenerText, tnsnamesText))
    ShowMessage(JoinTexts("旧文件备份成功 地址：【", GetRunDirectory(), "\\Oracle配置备份】目录下"), kOkPlain, "提示");
  else
    ShowMessage("旧文件备份失败", kOkPlain, "提示");

  const Text newListenerText = RewriteHost(listenerText, kListenerHostStart, hostName);
  const Text newTnsnamesText = RewriteHost(tnsnamesText, kNamesHostStart, hostName);
  const Text* failedPath = nullptr;
  if (WriteBytesFile(paths.listenerOra, TextToBytes(newListenerText)) != 1)
    failedPath = &paths.listenerOra;
  else if (WriteBytesFile(paths.tnsnamesOra, TextToBytes(newTnsnamesText)) != 1)
    failedPath = &paths.tnsnamesOra;

  if (failedPath == nullptr) {
    RestartServices();
    return;
  }
  StartServiceByName(kDatabaseService);
  ShowMessage(JoinTexts("监听修改失败，系统拒绝操作，请手动修改，路径为\r\n", *failedPath), kOkStop, kFailureCaption);
}
