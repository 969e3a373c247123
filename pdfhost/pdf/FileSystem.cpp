#include "pdfhost/pdf/FileSystem.h"

#include "pdfhost/core/Atoms.h"
#include "pdfhost/core/HostError.h"
#include "pdfhost/core/RegisteredHandle.h"
#include "pdfhost/pdf/HandleStore.h"
#include "sdk/PIRecords.h"

namespace pdfhost::pdf {
namespace {

struct DefaultFileSys {
    RegisteredHandle handle{this, HandleKind::FileSys};
};

struct HostPath {
    std::string text;
};

DefaultFileSys& fileSys() {
    static DefaultFileSys fs;
    return fs;
}
HandleStore<HostPath, ASPathName>& paths() {
    static HandleStore<HostPath, ASPathName> s(HandleKind::PathName);
    return s;
}
HandleStore<HostFile, ASFile>& files() {
    static HandleStore<HostFile, ASFile> s(HandleKind::File);
    return s;
}
HandleStore<HostStream, ASStm>& streams() {
    static HandleStore<HostStream, ASStm> s(HandleKind::Stream);
    return s;
}

} // namespace

std::string HostStream::Read(std::size_t n) {
    std::string bytes = data->ReadAt(offset, n);
    offset += bytes.size();
    return bytes;
}

void FileSystem::Prepare() {
    fileSys();
    paths();
    files();
    streams();
}

ASFileSys FileSystem::Default() {
    return fileSys().handle.As<ASFileSys>();
}

void FileSystem::Require(ASFileSys fs) {
    fileSys();
    HandleRegistry::Require(fs, HandleKind::FileSys);
}

ASPathName FileSystem::CreatePath(ASFileSys fs, ASAtom pathType, const void* pathText) {
    Require(fs);
    if (!Atoms::Exists(pathType) || Atoms::Name(pathType) != "Cstring")
        Raise(kErrBadPathType, "Only the path type \"Cstring\" is supported.");
    if (!pathText)
        Raise(kErrBadParameter, "No path text was given.");
    auto path = std::make_unique<HostPath>(HostPath{static_cast<const char*>(pathText)});
    return paths().Add(std::move(path));
}

const std::string& FileSystem::PathText(ASPathName path) {
    return paths().Get(path).text;
}

void FileSystem::ReleasePath(ASFileSys fs, ASPathName path) {
    Require(fs);
    paths().Remove(path);
}

ASErrorCode FileSystem::Open(ASFileSys fs, ASPathName path, ASUns16 mode, ASFile* file) noexcept {
    if (file)
        *file = nullptr;
    try {
        Require(fs);
        const std::string& text = PathText(path);
        if (!file)
            Raise(kErrBadParameter, "No place for the opened file was given.");
        if (mode != ASFILE_READ)
            Raise(kErrNotImplemented,
                  "Cannot open \"" + text + "\" for writing: files open for reading only.");
        auto hostFile = std::make_unique<HostFile>(HostFile{OpenFile::Open(text), false});
        *file = files().Add(std::move(hostFile));
        return kErrNone;
    } catch (const HostError& e) {
        ErrorTexts::RecordDetail(e.code(), e.what());
        return e.code();
    } catch (const std::bad_alloc&) {
        return kErrNoMemory;
    } catch (...) {
        return kErrUnknown;
    }
}

ASFile FileSystem::AddDocumentFile(std::shared_ptr<OpenFile> data) {
    return files().Add(std::make_unique<HostFile>(HostFile{std::move(data), true}));
}

void FileSystem::RemoveDocumentFile(ASFile file) {
    files().Remove(file);
}

HostFile& FileSystem::File(ASFile file) {
    return files().Get(file);
}

void FileSystem::Close(ASFile file) {
    if (File(file).ownedByDocument)
        Raise(kErrBadParameter, "A document's own file is closed with the document.");
    files().Remove(file);
}

ASPathName FileSystem::AcquirePath(ASFile file) {
    auto path = std::make_unique<HostPath>(HostPath{File(file).data->Path()});
    return paths().Add(std::move(path));
}

ASStm FileSystem::OpenStream(ASFile file) {
    auto stream = std::make_unique<HostStream>(HostStream{File(file).data, 0});
    return streams().Add(std::move(stream));
}

HostStream& FileSystem::Stream(ASStm stream) {
    return streams().Get(stream);
}

void FileSystem::CloseStream(ASStm stream) {
    streams().Remove(stream);
}

} // namespace pdfhost::pdf
