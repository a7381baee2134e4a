// The few values that belong to the program as a whole, all in one place.
#pragma once

#include "runtime/text.h"

// The listener service found at start-up and its ImagePath. Written only by
// DiscoverListener; empty until it has run.
extern Text listenerServiceName;
extern Text listenerImagePath;

// The executable's folder without a trailing backslash; fixed at start-up.
extern Text runDirectory;

// Set once Windows Sockets has been started; cleared at shutdown.
extern bool winsockStarted;

// Starts that the poll of 时钟2 still owes after a listener repair: the
// database once it has stopped, and the listener when it was still stopping
// as the repair asked it to start. The timer runs while either is owed.
extern bool databaseStartOwed;
extern bool listenerStartOwed;
