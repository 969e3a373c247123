// Settings a command line hands to the next stamp dialog that opens.
//
// Contract: the host stores one request (a parameter file to load, then
// KEY=VALUE pairs to apply over it) before it starts a command; the first
// dialog that opens afterwards takes it with Take() and applies it once, so
// a request is never applied twice. Nothing here checks the request: the
// host checks the pairs before storing them, and the dialog reads the file
// through its own reader with its own messages. Shared by the host and every
// plug-in in the process, like the scripted dialog answers.
#pragma once

#include <optional>
#include <string>
#include <utility>
#include <vector>

namespace platform {

struct PresetRequest {
    std::optional<std::string> parameterFile;
    std::vector<std::pair<std::string, std::string>> settings; // in the order given
};

class PresetSettings {
  public:
    static void Store(PresetRequest request);
    static std::optional<PresetRequest> Take();
};

} // namespace platform
