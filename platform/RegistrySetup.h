// Chooses the registry of a host process before its plug-ins load.
//
// Contract: ForHost(file, pluginFolder) makes `file` the registry when one is
// given and uses it exactly as it is (tests present missing keys and
// unreadable values this way). Without one it uses Registry::DefaultFile()
// and, for every plug-in ("*.api") in `pluginFolder` whose App Paths key is
// missing there, registers the folder (absolute, without a trailing slash)
// the way an installer would, so a fresh build runs with no manual step.
// It returns the problems met, one line each, for the host to report: the
// registry file's damaged lines, and a registration that could not be saved
// (it still holds for this process). Nothing here throws for bad input.
#pragma once

#include <optional>
#include <string>
#include <vector>

namespace platform {

class RegistrySetup {
  public:
    static constexpr const char* kPluginExtension = ".api";

    static std::vector<std::string> ForHost(const std::optional<std::string>& file,
                                            const std::string& pluginFolder);
};

} // namespace platform
