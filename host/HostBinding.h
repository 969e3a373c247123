// The plug-in's binding to its host, written once during entry and setup and
// read-only afterwards.
//
// Contract: the extension ID, the core table with its version, and the 14
// imported tables with the version each was obtained at live in gPITables
// (sdk/HostCalls.h), where the host-call wrappers read them; a table that was
// not obtained has pointer and version 0. HostBinding adds the two words of
// window data given to PlugInMain. ImportHostTables() runs the import loop:
// each table is asked for at the candidate versions from the highest down to
// its lowest accepted one; it stops at the first required table the host
// does not supply (returning false), leaving the tables before it stored.
#pragma once

#include "sdk/HostCalls.h"

struct HostBinding {
    void* mainWindow = nullptr;
    void* moduleInstance = nullptr;
};

HostBinding& TheHostBinding();

// The candidate versions, ascending; every import starts at the last.
inline constexpr ASVersion kCandidateVersions[] = {HFT_VERSION_2_1, HFT_VERSION_2_2,
                                                   HFT_VERSION_2_3, HFT_VERSION_4_0,
                                                   HFT_VERSION_4_5, HFT_VERSION_5_0};

bool ImportHostTables();
