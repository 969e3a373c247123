#include "settings/InstallPaths.h"

#include <algorithm>
#include <filesystem>
#include <system_error>
#include <unistd.h>

#include "platform/Messages.h"
#include "platform/ProcessFacts.h"
#include "settings/InstallFolder.h"

InstallPaths& InstallPaths::Get() {
    static InstallPaths paths;
    return paths;
}

std::string InstallPaths::RunTempJpgPath() const {
    return RunTempJpgPathFor(szTempJpgPath, static_cast<long>(::getpid()));
}

namespace {

// Where the process id goes: a run's path is head + "-" + id + tail.
std::pair<std::string, std::string> SplitAtExtension(const std::string& tempJpgPath) {
    const std::size_t dot = tempJpgPath.rfind('.');
    const std::size_t slash = tempJpgPath.rfind('/');
    if (dot == std::string::npos || (slash != std::string::npos && dot < slash))
        return {tempJpgPath, ""};
    return {tempJpgPath.substr(0, dot), tempJpgPath.substr(dot)};
}

} // namespace

std::string InstallPaths::RunTempJpgPathFor(const std::string& tempJpgPath, long processId) {
    if (tempJpgPath.empty())
        return tempJpgPath;
    const auto [head, tail] = SplitAtExtension(tempJpgPath);
    return head + "-" + std::to_string(processId) + tail;
}

std::optional<long> InstallPaths::RunTempJpgProcess(const std::string& tempJpgPath,
                                                    const std::string& candidatePath) {
    if (tempJpgPath.empty())
        return std::nullopt;
    const auto [head, tail] = SplitAtExtension(tempJpgPath);
    const std::string prefix = head + "-";
    if (candidatePath.size() <= prefix.size() + tail.size() || !candidatePath.starts_with(prefix) ||
        !candidatePath.ends_with(tail))
        return std::nullopt;
    const std::string digits =
        candidatePath.substr(prefix.size(), candidatePath.size() - prefix.size() - tail.size());
    // Exactly what std::to_string writes for a positive id, so no other file
    // of the folder ("temp-01.jpg", "temp-1a.jpg") is ever taken for a run's.
    if (digits.size() > 18 || digits[0] == '0' ||
        !std::all_of(digits.begin(), digits.end(), [](char c) { return c >= '0' && c <= '9'; }))
        return std::nullopt;
    return std::stol(digits);
}

void InstallPaths::RemoveStaleRunTempJpgs() const {
    if (szTempJpgPath.empty())
        return;
    const std::filesystem::path folder = std::filesystem::path(szTempJpgPath).parent_path();
    std::error_code error;
    std::filesystem::directory_iterator entries(folder.empty() ? "." : folder, error);
    if (error)
        return;
    const long self = static_cast<long>(::getpid());
    for (const auto& entry : entries) {
        // Compared as the run would name it, so the folder is spelled alike.
        const std::string candidate = (folder / entry.path().filename()).string();
        const std::optional<long> owner = RunTempJpgProcess(szTempJpgPath, candidate);
        if (!owner || *owner == self || platform::ProcessExists(*owner))
            continue;
        if (entry.is_regular_file(error) || entry.is_symlink(error))
            std::filesystem::remove(entry.path(), error);
    }
}

void GetInstallPaths() {
    const InstallFolder found = InstallFolder::LookUp();
    std::string iniPath = found.folder + "/PDFTalvane.ini";
    std::string jpgPath = found.folder + "/temp.jpg";
    if (found.status == InstallFolder::Status::ValueUnreadable ||
        iniPath.size() > InstallPaths::kMaxPath || jpgPath.size() > InstallPaths::kMaxPath) {
        platform::Messages::MessageBox("Install key not found in registry!",
                                       "Can't find install path in registry - please reinstall");
        return;
    }
    InstallPaths& paths = InstallPaths::Get();
    paths.szIniPath = std::move(iniPath);
    paths.szTempJpgPath = std::move(jpgPath);
}
