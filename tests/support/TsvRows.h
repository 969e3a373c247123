#pragma once
// Reads a tab-separated table, the form of the corpus manifest and the picture fixtures' expected
// values: one row per line, fields split at every tab, empty lines and lines starting with '#'
// skipped. A file that cannot be opened gives no value, so callers can tell it from an empty table.

#include <filesystem>
#include <optional>
#include <string>
#include <vector>

namespace testsupport {

using TsvRow = std::vector<std::string>;

std::optional<std::vector<TsvRow>> ReadTsvRows(const std::filesystem::path& path);

} // namespace testsupport
