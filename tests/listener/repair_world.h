// A computer ready for a listener repair: the listener found at start-up,
// its two configuration files, the services running, the tool in C:\Tools.
#pragma once

#include <map>
#include <string>
#include <vector>

#include "listener/fixtures.h"
#include "runtime/program_values.h"
#include "support/recording_ui.h"
#include "support/simulated_windows.h"

namespace repair {

const std::string kHome = "C:\\app\\Administrator\\product\\11.2.0\\dbhome_1";
const std::string kImagePath = kHome + "\\BIN\\TNSLSNR";
const std::string kAdmin = kHome + "\\NETWORK\\ADMIN";
const std::string kListenerOra = kAdmin + "\\listener.ora";
const std::string kTnsnamesOra = kAdmin + "\\tnsnames.ora";
const std::string kRun = "C:\\Tools";
const std::string kBackup = kRun + "\\Oracle配置备份";
const std::string kBackupListener = kBackup + "\\listener.ora";
const std::string kBackupTnsnames = kBackup + "\\tnsnames.ora";
const std::string kListener = "OracleOraDb11g_home1TNSListener";
const std::string kDatabase = "OracleServiceORCL";

// A message box as "flags caption: text", so that a whole sequence compares at once.
inline std::string Box(const std::string& text, std::int32_t flags, const std::string& caption) {
  return std::to_string(flags) + " " + caption + ": " + text;
}
inline std::vector<std::string> Shown(const RecordingUi& ui) {
  std::vector<std::string> boxes;
  for (const ShownMessage& m : ui.messages) boxes.push_back(Box(m.text, m.flags, m.caption));
  return boxes;
}

const std::string kAsk = Box("是否要更改监听配置并重启服务？", 49, "询问？");
const std::string kBackedUp = Box("旧文件备份成功 地址：【C:\\Tools\\Oracle配置备份】目录下", 0, "提示");
const std::string kBackupFailed = Box("旧文件备份失败", 0, "提示");
const std::string kCreateFailed = Box("创建文件失败!", 0, "信息：");
const std::string kWarning = Box("在服务完全启动之前请勿关闭本程序，否则您将手动启动服务。", 48, "警告");
inline std::string WriteBackFailed(const std::string& path) {
  return Box("监听修改失败，系统拒绝操作，请手动修改，路径为\r\n" + path, 16, "监听修改失败");
}

using FileSet = std::map<std::string, std::string>;  // path -> bytes

struct RepairWorld {
  SimulatedWindows windows;
  RecordingUi ui;

  RepairWorld(const std::string& listenerOra = Fixture("listener_typical.ora"),
              const std::string& tnsnamesOra = Fixture("tnsnames_aliases.ora")) {
    runDirectory = kRun;
    windows.fileSystem.AddFolder(kRun);
    listenerServiceName = kListener;
    listenerImagePath = kImagePath;
    windows.hostName = "NEWPC";
    windows.fileSystem.AddFile(kListenerOra, listenerOra);
    windows.fileSystem.AddFile(kTnsnamesOra, tnsnamesOra);
    windows.serviceManager.AddService(kListener, kSimRunning);
    windows.serviceManager.AddService(kDatabase, kSimRunning);
    windows.serviceManager.AddService("MSSQLSERVER", kSimRunning);
  }

  FileSet Files() const {
    FileSet files;
    for (const std::string& path : windows.fileSystem.Files()) files[path] = windows.fileSystem.Bytes(path);
    return files;
  }
  std::vector<std::string> Requests() const { return windows.serviceManager.requests; }
  std::int32_t Clock2() const { return ui.clock2.period; }
};

}  // namespace repair
