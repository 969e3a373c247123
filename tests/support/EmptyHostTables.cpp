// The plug-in's libraries read the host tables from gPITables, which the
// plug-in module defines. Tests that link those libraries without a host,
// and never call it, add this file for an empty set.
#include "sdk/HostCalls.h"

PITableRefs gPITables;
