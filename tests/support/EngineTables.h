// The document engine's tables, for tests and benchmarks that drive it
// directly: a stubbed table set with the engine installed, made once per
// process.
#pragma once

#include <string>

#include "pdfhost/core/HostTableSet.h"
#include "sdk/ASTypes.h"

namespace testsupport {

pdfhost::HostTableSet& EngineTables();
ASAtom Atom(const std::string& name);

} // namespace testsupport
