// What the platform tells about a file by its path: its title and its times.
//
// Contract: Title() is the path's last component, extension included
// (empty for an empty path or one ending in a separator; "\" and "/" both
// separate). Times() opens the file read-only without taking any lock, asks
// for its status and closes it at once. birth is the creation time only
// where the file system records one; it is empty otherwise, never another
// time in its place. Both are empty when the file cannot be opened or its
// status cannot be read.
#pragma once

#include <ctime>
#include <optional>
#include <string>

namespace platform {

struct FileTimes {
    std::optional<std::time_t> birth;
    std::optional<std::time_t> modified;
};

class FileFacts {
  public:
    static std::string Title(const std::string& path);
    static FileTimes Times(const std::string& path);
};

} // namespace platform
