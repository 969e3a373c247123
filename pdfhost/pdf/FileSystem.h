// The host's one file system: paths, open files and read streams behind
// ASFileSys, ASPathName, ASFile and ASStm.
//
// Contract: paths are made only from the path type "Cstring" (a
// NUL-terminated path in the local file system); any other type raises
// kErrBadPathType. Files open for reading only; OpenFile() reports failure
// as its result (kErrFileNotFound, kErrFileOpenFailed, kErrBadHandle,
// kErrNotImplemented for a write mode), never by raising, and leaves *file
// null then. A document's own file is handed out by its document and cannot
// be closed through ASFileClose (kErrBadParameter). Every handle is checked;
// released ones raise kErrBadHandle.
#pragma once

#include <cstdint>
#include <memory>
#include <string>

#include "pdfhost/pdf/OpenFile.h"
#include "sdk/ASTypes.h"

namespace pdfhost::pdf {

struct HostFile {
    std::shared_ptr<OpenFile> data;
    bool ownedByDocument = false;
};

struct HostStream {
    std::shared_ptr<OpenFile> data;
    std::uint64_t offset = 0;
    // Reads up to n bytes from where the previous read stopped.
    std::string Read(std::size_t n);
};

class FileSystem {
  public:
    static ASFileSys Default();
    // Makes the file system's stores now, so that they outlive objects made
    // later that use them when destroyed (open documents).
    static void Prepare();
    static void Require(ASFileSys fs);

    static ASPathName CreatePath(ASFileSys fs, ASAtom pathType, const void* pathText);
    static const std::string& PathText(ASPathName path);
    static void ReleasePath(ASFileSys fs, ASPathName path);

    static ASErrorCode Open(ASFileSys fs, ASPathName path, ASUns16 mode, ASFile* file) noexcept;
    static ASFile AddDocumentFile(std::shared_ptr<OpenFile> data);
    static void RemoveDocumentFile(ASFile file);
    static HostFile& File(ASFile file);
    static void Close(ASFile file);
    static ASPathName AcquirePath(ASFile file);

    static ASStm OpenStream(ASFile file);
    static HostStream& Stream(ASStm stream);
    static void CloseStream(ASStm stream);
};

} // namespace pdfhost::pdf
