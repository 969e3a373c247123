#include "settings/InstallFolder.h"

#include "platform/Registry.h"

#include <array>
#include <cstring>

InstallFolder InstallFolder::LookUp() {
    using platform::Registry;
    const auto key =
        Registry::OpenKey(Registry::Root::LocalMachine,
                          std::string(Registry::kAppPathsKey) + std::string(kPluginFileName));
    if (!key)
        return InstallFolder{Status::KeyMissing, {}};
    std::array<char, kValueBuffer> data{};
    if (!Registry::EnumValue(*key, 0, data))
        return InstallFolder{Status::ValueUnreadable, {}};
    // Binary data need not be terminated: never read past the buffer.
    return InstallFolder{Status::Found,
                         std::string(data.data(), strnlen(data.data(), data.size()))};
}
