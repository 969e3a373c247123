// Where the plug-in was installed, as the registry records it.
//
// Contract: LookUp opens the App Paths key of "Talvane.api" under the local
// machine root and reads its first value, whatever its name, into a buffer of
// kValueBuffer bytes. The result says which of three things happened: the
// folder was read (its text up to the first NUL), the key is missing (folder
// empty), or the key exists but its first value cannot be read (no value, or
// data too long for the buffer; folder empty). It shows nothing; callers
// decide what each case means to the user.
#pragma once

#include <cstddef>
#include <string>
#include <string_view>

struct InstallFolder {
    enum class Status { Found, KeyMissing, ValueUnreadable };

    static constexpr std::string_view kPluginFileName = "Talvane.api";
    static constexpr size_t kValueBuffer = 1023;

    Status status = Status::KeyMissing;
    std::string folder;

    static InstallFolder LookUp();
};
