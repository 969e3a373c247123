// Replaces a file's whole content so that readers see the old file or the
// complete new one, never half of one.
//
// Contract: Write(path, writer, options) resolves the target, has `writer`
// write the new content into a new file beside it, syncs it and renames it
// over the target. The one rule for links: a symbolic link (a chain of
// them too) is written through, so the file it names gets the new content
// and the link stays a link; a link to nowhere creates the file it names.
// A caller that is reading a file refuses a target that is that file
// before it writes (by file identity, which sees through links).
// - An existing target keeps its mode; a new one gets options.newFileMode
//   less the umask.
// - An existing target the caller may not write is refused, and stays as
//   it was (renaming over it would need only the folder's permission).
// - When no temporary file can be made beside the target (a folder the
//   caller may not write) and options.inPlaceWhenFolderIsClosed is set, an
//   existing target the caller may write is rewritten in place, as a last
//   resort: not atomic, but the content is not lost.
// - Folders, devices and other non-regular targets are refused, as is an
//   empty path; missing folders are not created.
// `writer` gets a stream open for writing; it reports failure by throwing
// (std::exception's what() becomes the reason) or by leaving the stream in
// error. Given a draft (FileDraft) of the same target that is ready, the
// new file is the draft's, and the stream is positioned after what the draft
// wrote; any other draft is left alone (it removes its file when it goes)
// and the stream starts at an empty file. Write returns false on any failure, with the reason in
// *why when why is given, and then leaves no temporary file behind; the target is unchanged unless
// the in-place fallback was writing it.
#pragma once

#include <cstdio>
#include <functional>
#include <string>
#include <string_view>
#include <sys/stat.h>
#include <sys/types.h>
#include <utility>

namespace platform {

class FileDraft;

class FileReplacement {
  public:
    struct Options {
        mode_t newFileMode = 0666;
        bool inPlaceWhenFolderIsClosed = false;
    };
    using Writer = std::function<void(std::FILE* out)>;

    [[nodiscard]] static bool Write(const std::string& path, const Writer& writer,
                                    const Options& options, std::string* why = nullptr,
                                    FileDraft* draft = nullptr);
    [[nodiscard]] static bool Write(const std::string& path, std::string_view content,
                                    const Options& options, std::string* why = nullptr);
    // The file a write to `path` changes: links followed, as Write does.
    static std::string Target(const std::string& path);
    // The mode the new file gets: an existing target's (existing non-null),
    // else options.newFileMode less the umask.
    static mode_t NewMode(const struct stat* existing, const Options& options);
    // A new, empty temporary file beside the target: its descriptor (-1,
    // errno set, when none can be made) and its name.
    static std::pair<int, std::string> TemporaryBeside(const std::string& target);
};

} // namespace platform
