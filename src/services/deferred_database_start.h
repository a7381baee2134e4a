// The poll of 时钟2 that brings the Oracle services back after a listener
// repair: it starts OracleServiceORCL once Windows reports it stopped, and
// the listener too when its start is still owed, then switches itself off.
#pragma once

// Arms 时钟2 (period 100): the database's start is owed, and the listener's
// when `listenerStartOwed` is true.
void ArmDeferredStart(bool listenerStartOwed);

// The tick handler of 时钟2.
void StartDatabaseWhenStopped();
