// Whole-file reads and replacements for small text files.
//
// Contract: Read gives the bytes of a regular file, or nullopt when it cannot
// be opened or read, is not a regular file, or is larger than maxBytes. The
// file is never created. Replace writes `content` as the new content of
// `path`: through a new file beside it that is renamed over it, so the old
// content survives any failure (full disk, unwritable folder). A symbolic
// link is followed and its target replaced; an existing file keeps its
// permissions, a new one gets the usual ones (0666 less the umask). Replace
// returns false on any failure and then leaves nothing behind.
#pragma once

#include <cstddef>
#include <optional>
#include <string>
#include <string_view>

class FileContents {
  public:
    static std::optional<std::string> Read(const std::string& path, size_t maxBytes);
    static bool Replace(const std::string& path, std::string_view content);
};
