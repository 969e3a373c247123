// A test's own folder: an installation folder for the plug-in, the registry
// file that points the plug-in at it, and room for the test's inputs and
// outputs.
//
// Contract: the constructor makes a fresh folder under the test temp folder
// (short, so the plug-in's paths stay within their limit) holding
// "install/" and "registry.reg"; the destructor removes it unless the test
// has failed, so a failure leaves its files to look at. Every pdfhost run
// started here gets --plugins (the build's plug-in folder) and --registry,
// so no run reads or writes the user's own registry or settings. Runs
// execute with the folder as working folder, so scripts may use names
// relative to it.
#pragma once

#include <filesystem>
#include <memory>
#include <string>
#include <vector>

#include "HostProcess.h"
#include "tests/support/TempFolder.h"

namespace e2e {

class TestFolder {
  public:
    TestFolder();
    TestFolder(const TestFolder&) = delete;
    TestFolder& operator=(const TestFolder&) = delete;

    const std::filesystem::path& Root() const { return root_.Path(); }
    std::filesystem::path Install() const { return Root() / "install"; }
    std::filesystem::path Registry() const { return Root() / "registry.reg"; }
    std::filesystem::path SettingsPath() const { return Install() / "PDFTalvane.ini"; }
    std::filesystem::path Path(const std::string& name) const { return Root() / name; }

    // Names of the files in the installation folder, sorted.
    std::vector<std::string> InstallFiles() const;

    // Writes the script and runs "pdfhost OPTIONS run SCRIPT" to its end,
    // offscreen or, when `display` is given, on that X display.
    HostResult RunScript(const std::string& script, const std::vector<std::string>& options = {},
                         const std::string& display = "");
    // Runs "pdfhost ARGS" to its end; with a limit, no file it writes may
    // grow past that many bytes.
    HostResult Run(const std::vector<std::string>& args, long fileSizeLimit = -1);
    // Starts "pdfhost ARGS" in `workDir` without waiting for it.
    std::unique_ptr<HostProcess> Start(const std::vector<std::string>& args,
                                       const std::filesystem::path& workDir);

  private:
    std::vector<std::string> HostOptions() const;
    std::string NextTag();

    testsupport::TempFolder root_;
    int runs_ = 0;
};

} // namespace e2e
