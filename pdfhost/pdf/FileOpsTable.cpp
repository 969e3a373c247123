// AcroSupport: matrices, the file system, files and read streams.
#include <limits>

#include "pdfhost/core/HostEntry.h"
#include "pdfhost/pdf/FileSystem.h"
#include "pdfhost/pdf/FixedMath.h"
#include "pdfhost/pdf/PdfTables.h"
#include "pdfhost/pdf/PdfText.h"

namespace pdfhost::pdf {
namespace {

void FixedMatrixConcat(ASFixedMatrix* result, const ASFixedMatrix* m1, const ASFixedMatrix* m2) {
    if (!result || !m1 || !m2)
        Raise(kErrBadParameter, "ASFixedMatrixConcat needs a result and two matrices.");
    *result = Concat(*m1, *m2); // computed first: result may be m1 or m2
}

ASFileSys GetDefaultFileSys() {
    return FileSystem::Default();
}

ASPathName CreatePathName(ASFileSys fs, ASAtom type, const void* pathText, const void*) {
    return FileSystem::CreatePath(fs, type, pathText);
}

ASErrorCode FileSysOpenFile(ASFileSys fs, ASPathName path, ASUns16 mode, ASFile* file) {
    return FileSystem::Open(fs, path, mode, file);
}

void ReleasePath(ASFileSys fs, ASPathName path) {
    FileSystem::ReleasePath(fs, path);
}

ASInt32 DisplayStringFromPath(ASFileSys fs, ASPathName path, char* buffer, ASInt32 size) {
    FileSystem::Require(fs);
    const std::string& text = FileSystem::PathText(path);
    if (buffer && size > 0)
        CopyCut(text, buffer, static_cast<std::size_t>(size));
    else if (buffer || size < 0)
        Raise(kErrBadParameter, "The buffer for the path text is missing or has no room.");
    return static_cast<ASInt32>(
        std::min<std::size_t>(text.size(), std::numeric_limits<ASInt32>::max()));
}

ASInt32 FileGetEOF(ASFile file) {
    const std::uint64_t size = FileSystem::File(file).data->Size();
    if (size > static_cast<std::uint64_t>(std::numeric_limits<ASInt32>::max()))
        Raise(kErrFileRead, "The file is larger than 2 GB.");
    return static_cast<ASInt32>(size);
}

ASInt32 FileClose(ASFile file) {
    FileSystem::Close(file);
    return 0;
}

ASFileSys FileGetFileSys(ASFile file) {
    FileSystem::File(file);
    return FileSystem::Default();
}

ASPathName FileAcquirePathName(ASFile file) {
    return FileSystem::AcquirePath(file);
}

ASStm FileStmRdOpen(ASFile file, ASUns32) {
    return FileSystem::OpenStream(file);
}

ASInt32 StmClose(ASStm stream) {
    FileSystem::CloseStream(stream);
    return 0;
}

} // namespace

void InstallFileOps(HostTableSet& set) {
    AcroSupportHFT& t = set.acroSupport;
    t.ASFixedMatrixConcat = HOST_ENTRY(ASFixedMatrixConcat, FixedMatrixConcat);
    t.ASGetDefaultFileSys = HOST_ENTRY(ASGetDefaultFileSys, GetDefaultFileSys);
    t.ASFileSysCreatePathName = HOST_ENTRY(ASFileSysCreatePathName, CreatePathName);
    t.ASFileSysOpenFile = HOST_ENTRY(ASFileSysOpenFile, FileSysOpenFile);
    t.ASFileSysReleasePath = HOST_ENTRY(ASFileSysReleasePath, ReleasePath);
    t.ASFileSysDisplayStringFromPath =
        HOST_ENTRY(ASFileSysDisplayStringFromPath, DisplayStringFromPath);
    t.ASFileGetEOF = HOST_ENTRY(ASFileGetEOF, FileGetEOF);
    t.ASFileClose = HOST_ENTRY(ASFileClose, FileClose);
    t.ASFileGetFileSys = HOST_ENTRY(ASFileGetFileSys, FileGetFileSys);
    t.ASFileAcquirePathName = HOST_ENTRY(ASFileAcquirePathName, FileAcquirePathName);
    t.ASFileStmRdOpen = HOST_ENTRY(ASFileStmRdOpen, FileStmRdOpen);
    t.ASStmClose = HOST_ENTRY(ASStmClose, StmClose);
}

} // namespace pdfhost::pdf
