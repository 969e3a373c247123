#include "TempFolder.h"

#include <iostream>
#include <stdexcept>
#include <stdlib.h>

#include <gtest/gtest.h>

namespace testsupport {

TempFolder::TempFolder(const std::string& prefix, OnFailure onFailure) : onFailure_(onFailure) {
    std::string pattern =
        (std::filesystem::path(::testing::TempDir()) / (prefix + "-XXXXXX")).string();
    if (!::mkdtemp(pattern.data()))
        throw std::runtime_error("cannot make a folder from " + pattern);
    path_ = pattern;
}

TempFolder::~TempFolder() {
    if (onFailure_ == OnFailure::Keep && ::testing::Test::HasFailure()) {
        std::cerr << "files of the failed test kept in " << path_ << "\n";
        return;
    }
    // Tests take permissions away to drive failures; give them back so
    // everything can go.
    namespace fs = std::filesystem;
    std::error_code ignored;
    fs::permissions(path_, fs::perms::owner_all, fs::perm_options::add, ignored);
    for (auto it = fs::recursive_directory_iterator(path_, ignored);
         it != fs::recursive_directory_iterator(); it.increment(ignored))
        if (it->is_directory(ignored) && !it->is_symlink(ignored))
            fs::permissions(it->path(), fs::perms::owner_all, fs::perm_options::add, ignored);
    fs::remove_all(path_, ignored);
}

} // namespace testsupport
