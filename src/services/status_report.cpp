#include "services/status_report.h"

#include "app/user_interface.h"
#include "runtime/program_values.h"
#include "services/service_control.h"

namespace {

// The state words for 0 to 6; every other value takes the stopped one.
const char* const kStateWords[] = {
    "无服务", "已停止", "正在启动中，请稍后...", "正在停止中，请稍后...", "已启动", "发送继续命令中", "发送暂停命令中",
};

const char* StateWord(ServiceState state) {
  if (state < 0 || state > 6) state = kServiceStopped;
  return kStateWords[state];
}

// "-word\r\n\r\n": the hyphen, the state word and the blank line after it.
Text Suffix(ServiceState state) { return JoinTexts("-", StateWord(state), "\r\n\r\n"); }

Text SqlServerEntry(ServiceState state) {
  // The stopping entry of this one service is written without its hyphen,
  // as users of the tool have always seen it.
  if (state == kServiceStopPending) return JoinTexts("\r\nSQL——MSSQLSERVER", StateWord(state), "\r\n\r\n");
  return JoinTexts("\r\nSQL——MSSQLSERVER", Suffix(state));
}

Text ComposeStatusText(ServiceState sqlServer, ServiceState sqlExpress, TextView listenerName,
                       ServiceState listener, ServiceState database) {
  return JoinTexts(SqlServerEntry(sqlServer), "SQL——MSSQL$SQLEXPRESS", Suffix(sqlExpress), "Oracle——",
                   listenerName, Suffix(listener), "Oracle——OracleServiceORCL", Suffix(database));
}

}  // namespace

void RefreshStatusReport() {
  // One query after the other, in the order of the entries.
  const ServiceState sqlServer = QueryServiceState("MSSQLSERVER");
  const ServiceState sqlExpress = QueryServiceState("MSSQL$SQLEXPRESS");
  const ServiceState listener = QueryServiceState(listenerServiceName);
  const ServiceState database = QueryServiceState("OracleServiceORCL");
  Ui().SetStatusText(ComposeStatusText(sqlServer, sqlExpress, listenerServiceName, listener, database));
}
