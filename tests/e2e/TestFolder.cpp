#include "TestFolder.h"

#include <algorithm>
#include <fstream>
#include <gtest/gtest.h>
#include <iostream>
#include <stdexcept>
#include <stdlib.h>

namespace e2e {

namespace fs = std::filesystem;

TestFolder::TestFolder() {
    std::string pattern = (fs::path(::testing::TempDir()) / "e2e-XXXXXX").string();
    if (!::mkdtemp(pattern.data()))
        throw std::runtime_error("cannot make a folder from " + pattern);
    root_ = pattern;
    fs::create_directory(Install());
    std::ofstream(Registry(), std::ios::binary)
        << "REGEDIT4\r\n\r\n"
           "[HKEY_LOCAL_MACHINE\\SOFTWARE\\Microsoft\\Windows\\CurrentVersion\\App "
           "Paths\\Talvane.api]\r\n"
           "@=\""
        << Install().string() << "\"\r\n";
}

TestFolder::~TestFolder() {
    if (::testing::Test::HasFailure()) {
        std::cerr << "e2e: files of the failed test kept in " << root_ << "\n";
        return;
    }
    std::error_code ignored;
    fs::remove_all(root_, ignored);
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

HostResult TestFolder::RunScript(const std::string& script,
                                 const std::vector<std::string>& options) {
    const std::string tag = NextTag();
    const fs::path scriptPath = root_ / (tag + ".script");
    std::ofstream(scriptPath, std::ios::binary) << script;
    std::vector<std::string> args = HostOptions();
    args.insert(args.end(), options.begin(), options.end());
    args.push_back("run");
    args.push_back(scriptPath.string());
    HostProcess process(args, root_, root_, tag);
    process.Start();
    return process.Wait();
}

HostResult TestFolder::Run(const std::vector<std::string>& args) {
    const std::string tag = NextTag();
    std::vector<std::string> all = HostOptions();
    all.insert(all.end(), args.begin(), args.end());
    HostProcess process(all, root_, root_, tag);
    process.Start();
    return process.Wait();
}

std::unique_ptr<HostProcess> TestFolder::Start(const std::vector<std::string>& args,
                                               const fs::path& workDir) {
    std::vector<std::string> all = HostOptions();
    all.insert(all.end(), args.begin(), args.end());
    auto process = std::make_unique<HostProcess>(all, workDir, root_, NextTag());
    process->Start();
    return process;
}

} // namespace e2e
