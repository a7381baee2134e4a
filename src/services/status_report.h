// The live status report of the four services, the tick handler of 时钟1.
#pragma once

// Queries MSSQLSERVER, MSSQL$SQLEXPRESS, the listener named by
// listenerServiceName and OracleServiceORCL, one after the other, and writes
// one entry per service into the status box: on every call, whatever the
// states. A service that cannot be read shows as having no service; states
// 7 and above, and values below 0, show as stopped.
void RefreshStatusReport();
