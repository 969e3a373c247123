// Whole files as bytes, for tests.
//
// Contract: ReadFile gives the file's bytes, or an empty result when it
// cannot be read; WriteFile creates or truncates the file and writes the
// bytes (a failure shows in what a test later reads back).
#pragma once

#include <cstdint>
#include <filesystem>
#include <string>
#include <string_view>
#include <vector>

namespace testsupport {

using Bytes = std::vector<std::uint8_t>;

std::string ReadFile(const std::filesystem::path& path);
Bytes ReadBytes(const std::filesystem::path& path);
void WriteFile(const std::filesystem::path& path, std::string_view bytes);
void WriteFile(const std::filesystem::path& path, const Bytes& bytes);

std::string AsString(const Bytes& bytes);

} // namespace testsupport
