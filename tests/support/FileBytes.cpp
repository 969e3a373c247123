#include "FileBytes.h"

#include <fstream>
#include <iterator>

namespace testsupport {

std::string ReadFile(const std::filesystem::path& path) {
    std::ifstream in(path, std::ios::binary);
    return std::string(std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>());
}

Bytes ReadBytes(const std::filesystem::path& path) {
    const std::string s = ReadFile(path);
    return Bytes(s.begin(), s.end());
}

void WriteFile(const std::filesystem::path& path, std::string_view bytes) {
    std::ofstream out(path, std::ios::binary | std::ios::trunc);
    out.write(bytes.data(), static_cast<std::streamsize>(bytes.size()));
}

void WriteFile(const std::filesystem::path& path, const Bytes& bytes) {
    WriteFile(path, std::string_view(reinterpret_cast<const char*>(bytes.data()), bytes.size()));
}

std::string AsString(const Bytes& bytes) {
    return std::string(bytes.begin(), bytes.end());
}

} // namespace testsupport
