// The first part of a file's new content, written and synced on a thread of
// its own while the caller works out the rest; FileReplacement::Write then
// adds the rest and puts the file in place.
//
// Contract: the constructor resolves `path` as FileReplacement::Target does
// and, when the target could be replaced (a regular file the caller may
// write, or none yet), makes the temporary file beside it with the mode the
// replacement gives, then runs fill(fd) on a thread of its own, followed by
// a data sync. fill writes from the start at the descriptor's position and
// reports failure by throwing std::exception. Ready() waits for that thread
// and returns how many bytes the draft holds, or nothing when it cannot be
// used (no temporary file could be made, fill threw, the sync failed); the
// replacement then writes everything itself and reports its own failures.
// A draft that is not taken by a replacement removes its temporary file
// when it goes. The descriptor and the file stay the draft's until taken.
#pragma once

#include <cstdint>
#include <functional>
#include <optional>
#include <string>
#include <thread>

#include "platform/FileReplacement.h"

namespace platform {

class FileDraft {
  public:
    using Fill = std::function<void(int fd)>;

    FileDraft(const std::string& path, const FileReplacement::Options& options, Fill fill);
    ~FileDraft();
    FileDraft(const FileDraft&) = delete;
    FileDraft& operator=(const FileDraft&) = delete;

    const std::string& Target() const { return target_; }
    std::optional<std::uint64_t> Ready();

  private:
    friend class FileReplacement;
    // Hands the descriptor and the temporary file's name over; the draft
    // then removes nothing. Only after Ready() gave a size.
    std::pair<int, std::string> Take();

    std::string target_;
    std::string temp_;
    int fd_ = -1;
    bool ok_ = false;
    std::uint64_t size_ = 0;
    std::jthread thread_; // last: joined before what it fills goes
};

} // namespace platform
