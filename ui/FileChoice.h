// What a file picker of the main dialog is asked to show.
//
// Contract: plain data. Filters are (description, patterns) pairs, the
// first one selected; patterns are separated by ";". An empty default
// extension appends none. maxPath is the longest path the caller accepts.
// No picker of this dialog changes the current directory.
#pragma once

#include <cstddef>
#include <string>
#include <utility>
#include <vector>

struct FileChoice {
    enum class Mode { Open, Save };

    Mode mode = Mode::Open;
    std::string title;
    std::vector<std::pair<std::string, std::string>> filters;
    std::string defaultExtension;
    bool mustExist = true;     // open: only existing files
    bool hideReadOnly = false; // no "open read-only" check box
    size_t maxPath = 256;
};
