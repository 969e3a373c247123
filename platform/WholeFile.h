// Reads a whole file into memory in one piece.
//
// Contract: Read(path, maxBytes) returns the bytes of the regular file at path, or
// nullopt when it cannot be opened, is not a regular file (a folder, a device
// or a pipe would block or never end), is larger than maxBytes (checked
// before anything is allocated), or a read fails or comes up short. An
// existing empty file gives an empty vector. Nothing is cached; the file
// is closed before Read returns.
#pragma once

#include <cstddef>
#include <cstdint>
#include <limits>
#include <optional>
#include <string>
#include <vector>

namespace platform {

class WholeFile {
  public:
    static std::optional<std::vector<std::uint8_t>>
    Read(const std::string& path, std::size_t maxBytes = std::numeric_limits<std::size_t>::max());
};

} // namespace platform
