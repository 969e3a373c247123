// The stamp library reads its host tables from gPITables, which the plug-in
// module defines; these tests never call the host, so an empty set will do.
#include "sdk/HostCalls.h"

PITableRefs gPITables;
