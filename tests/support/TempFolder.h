// A fresh folder of a test's own under the test temporary folder.
//
// Contract: the constructor makes a new, empty folder whose name starts
// with `prefix` (throws std::runtime_error when it cannot). The destructor
// removes it with everything in it, giving back permissions a test took
// away; with OnFailure::Keep it is left in
// place, and its path printed, when the running test has failed, so the
// files can be looked at.
#pragma once

#include <filesystem>
#include <string>

namespace testsupport {

class TempFolder {
  public:
    enum class OnFailure { Remove, Keep };

    explicit TempFolder(const std::string& prefix = "talvane",
                        OnFailure onFailure = OnFailure::Remove);
    ~TempFolder();
    TempFolder(const TempFolder&) = delete;
    TempFolder& operator=(const TempFolder&) = delete;

    const std::filesystem::path& Path() const { return path_; }
    // The path of `name` inside the folder, as a string.
    std::string File(const std::string& name) const { return (path_ / name).string(); }

  private:
    std::filesystem::path path_;
    OnFailure onFailure_;
};

} // namespace testsupport
