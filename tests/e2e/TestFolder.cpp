#include "TestFolder.h"

#include <algorithm>
#include <fstream>
#include <gtest/gtest.h>
#include <iostream>
#include <stdexcept>
#include <stdlib.h>

namespace e2e {

namespace fs = std::filesystem;

TestFolder::TestFolder() : root_("e2e", testsupport::TempFolder::OnFailure::Keep) {
    fs::create_directory(Install());
    std::ofstream(Registry(), std::ios::binary)
        << "REGEDIT4\r\n\r\n"
           "[HKEY_LOCAL_MACHINE\\SOFTWARE\\Microsoft\\Windows\\CurrentVersion\\App "
           "Paths\\Talvane.api]\r\n"
           "@=\""
        << Install().string() << "\"\r\n";
}

std::vector<std::string> TestFolder::InstallFiles() const {
    std::vector<std::string> names;
    for (const auto& entry : fs::directory_iterator(Install()))
        names.push_back(entry.path().filename().string());
    std::sort(names.begin(), names.end());
    return names;
}

std::vector<std::string> TestFolder::HostOptions() const {
    return {"--plugins", TALVANE_PLUGIN_DIR, "--registry", Registry().string()};
}

std::string TestFolder::NextTag() {
    return "run" + std::to_string(++runs_);
}

HostResult TestFolder::RunScript(const std::string& script, const std::vector<std::string>& options,
                                 const std::string& display) {
    const std::string tag = NextTag();
    const fs::path scriptPath = Root() / (tag + ".script");
    std::ofstream(scriptPath, std::ios::binary) << script;
    std::vector<std::string> args = HostOptions();
    args.insert(args.end(), options.begin(), options.end());
    args.push_back("run");
    args.push_back(scriptPath.string());
    HostProcess process(args, Root(), Root(), tag);
    process.ShowOn(display);
    process.Start();
    return process.Wait();
}

HostResult TestFolder::Run(const std::vector<std::string>& args, long fileSizeLimit) {
    const std::string tag = NextTag();
    std::vector<std::string> all = HostOptions();
    all.insert(all.end(), args.begin(), args.end());
    HostProcess process(all, Root(), Root(), tag);
    if (fileSizeLimit >= 0)
        process.LimitFileSize(fileSizeLimit);
    process.Start();
    return process.Wait();
}

std::unique_ptr<HostProcess> TestFolder::Start(const std::vector<std::string>& args,
                                               const fs::path& workDir) {
    std::vector<std::string> all = HostOptions();
    all.insert(all.end(), args.begin(), args.end());
    auto process = std::make_unique<HostProcess>(all, workDir, Root(), NextTag());
    process->Start();
    return process;
}

} // namespace e2e
