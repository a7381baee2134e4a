// Finds the Oracle TNS listener service at start-up.
#pragma once

// Probes the ImagePath of the 18 candidate listener services under
// HKEY_LOCAL_MACHINE, in their fixed order, and stops at the first that has
// a value. Every probe writes both listenerServiceName and
// listenerImagePath, so when nothing is found the name is that of the last
// candidate and the path is empty. Reports nothing and cannot fail.
void DiscoverListener();
