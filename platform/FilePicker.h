// The common open-file and save-file pickers.
//
// Contract: Open() and Save() show a picker titled options.title, owned by
// the dialog on top (else the main window, OwnerWindow), with the filters in
// order (the first selected), starting in options.folder (empty: the
// current directory) with options.fileName in its name field, and return
// the chosen path, or std::nullopt when the user cancels. Neither changes
// the process's current directory. A chosen name without an extension gets
// options.defaultExtension (when set); a path longer than options.maxPath
// characters is refused like a cancel, as the home platform refuses a name
// that does not fit the caller's buffer. Open() with mustExist accepts only
// an existing file: the picker says so and stays open. Save() never asks
// before overwriting. Under automation (DialogDriver) the driver answers
// through the picker's window.
#pragma once

#include <cstddef>
#include <optional>
#include <string>
#include <vector>

namespace platform {

struct FileFilter {
    std::string label;    // "All Files *.*"
    std::string patterns; // "*.jpg;*.gif"
};

struct FilePickerOptions {
    std::string title;
    std::vector<FileFilter> filters;
    std::string defaultExtension; // without the dot; empty: none
    std::string folder;           // where the picker starts; empty: the current directory
    std::string fileName;         // the name suggested; empty: none
    bool mustExist = false;
    bool hideReadOnly = false;
    std::size_t maxPath = 260;
};

class FilePicker {
  public:
    static std::optional<std::string> Open(const FilePickerOptions& options);
    static std::optional<std::string> Save(const FilePickerOptions& options);
    // The rules a chosen name goes through (exposed for tests).
    static std::optional<std::string> Finish(const FilePickerOptions& options, std::string path);
};

} // namespace platform
