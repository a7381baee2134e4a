// The four start and stop commands, the click handlers of 按钮1 to 按钮4.
//
// Each shows the wait cursor, issues both requests of its pair in a fixed
// order (the second whatever the first gave) and restores the cursor only
// when both were handed to Windows. Nothing is reported: the status report
// shows what the requests achieved.
#pragma once

// 按钮1: starts MSSQLSERVER, then MSSQL$SQLEXPRESS.
void StartSqlServices();
// 按钮3: stops MSSQLSERVER, then MSSQL$SQLEXPRESS.
void StopSqlServices();
// 按钮2: starts the listener, then OracleServiceORCL.
void StartOracleServices();
// 按钮4: stops the listener, then OracleServiceORCL.
void StopOracleServices();
