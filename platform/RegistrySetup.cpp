#include "platform/RegistrySetup.h"

#include "platform/Registry.h"

#include <algorithm>
#include <filesystem>

namespace platform {
namespace {

std::vector<std::string> PluginFileNames(const std::filesystem::path& folder) {
    std::vector<std::string> names;
    std::error_code ec;
    for (std::filesystem::directory_iterator it(folder, ec), end; !ec && it != end;
         it.increment(ec)) {
        const std::filesystem::path& p = it->path();
        if (p.extension() == RegistrySetup::kPluginExtension && !it->is_directory(ec))
            names.push_back(p.filename().string());
    }
    std::sort(names.begin(), names.end()); // the same file from run to run
    return names;
}

std::string InstallFolderText(const std::string& pluginFolder) {
    std::error_code ec;
    std::filesystem::path folder = std::filesystem::absolute(pluginFolder, ec);
    if (ec)
        folder = pluginFolder;
    std::string text = folder.lexically_normal().string();
    while (text.size() > 1 && text.back() == '/')
        text.pop_back();
    return text;
}

} // namespace

std::vector<std::string> RegistrySetup::ForHost(const std::optional<std::string>& file,
                                                const std::string& pluginFolder) {
    if (file)
        return Registry::UseFile(*file);

    std::vector<std::string> problems;
    const std::string defaultFile = Registry::DefaultFile();
    if (defaultFile.empty()) {
        Registry::Reset();
        problems.push_back("no configuration folder (HOME is not set): plug-ins are "
                           "registered for this run only");
    } else {
        problems = Registry::UseFile(defaultFile);
    }
    const std::string folder = InstallFolderText(pluginFolder);
    for (const std::string& name : PluginFileNames(pluginFolder)) {
        std::string error;
        if (Registry::RegisterAppPath(name, folder, &error) == Registry::Registration::SaveFailed &&
            !defaultFile.empty())
            problems.push_back("cannot register " + name + " in " + defaultFile + ": " + error);
    }
    return problems;
}

} // namespace platform
