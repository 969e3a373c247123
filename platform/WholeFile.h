// Reads a whole file into memory in one piece.
//
// Contract: Read(path) returns the bytes of the regular file at path, or
// nullopt when it cannot be opened, is not a regular file (a folder, a device
// or a pipe would block or never end), or a read fails or comes up short.
// An existing empty file gives an empty vector. Nothing is cached; the file
// is closed before Read returns.
#pragma once

#include <cstdint>
#include <optional>
#include <string>
#include <vector>

namespace platform {

class WholeFile {
  public:
    static std::optional<std::vector<std::uint8_t>> Read(const std::string& path);
};

} // namespace platform
