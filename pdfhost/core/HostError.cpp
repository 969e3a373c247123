#include "pdfhost/core/HostError.h"

#include <cstdio>
#include <map>

namespace pdfhost {
namespace {

struct LastDetail {
    ASErrorCode code = 0;
    std::string detail;
};

LastDetail& last() {
    static LastDetail d;
    return d;
}

const std::map<ASErrorCode, const char*>& generic() {
    static const std::map<ASErrorCode, const char*> texts = {
        {kErrUnknown, "An unknown error occurred."},
        {kErrNoMemory, "Out of memory."},
        {kErrBadParameter, "A bad parameter was passed to the host."},
        {kErrNotImplemented, "This operation is not implemented by the host."},
        {kErrBadHandle, "An invalid or released object was passed to the host."},
        {kErrBadRecordSize, "A record of the wrong size was passed to the host."},
        {kErrUnbalancedFrames, "Exception frames were not balanced by a plug-in callback."},
        {kErrCallbackFailed, "A plug-in callback failed."},
        {kErrNoTable, "The host function table is not available."},
        {kErrFileOpenFailed, "The file could not be opened."},
        {kErrFileRead, "The file could not be read."},
        {kErrFileWrite, "The file could not be written."},
        {kErrFileNotFound, "The file does not exist."},
        {kErrBadPathType, "The path type is not supported."},
        {kErrBadPageIndex, "The page index is out of range."},
        {kErrDocOpenFailed, "The document could not be opened."},
        {kErrDocNeedsPassword, "The document is protected by a password."},
        {kErrDocSaveFailed, "The document could not be saved."},
        {kErrDocDamaged, "The document is damaged and could not be repaired."},
        {kErrNoDocument, "No document is open."},
        {kErrBadElemIndex, "The content element index is out of range."},
        {kErrEmptyContent, "The page content has no elements."},
        {kErrWrongObjectKind, "The object is not of the kind this operation needs."},
        {kErrContentNotAcquired, "The page content was not acquired."},
        {kErrBadImageData, "The image data is invalid."},
        {kErrBadColorSpace, "The colour space is not supported."},
        {kErrNoSysFont, "No system font matches the requested font."},
        {kErrNoSuchMenu, "The menu does not exist."},
        {kErrToolbarFailed, "The toolbar operation failed."},
    };
    return texts;
}

} // namespace

void Raise(ASErrorCode code, const std::string& detail) {
    throw HostError(code, detail.empty() ? ErrorTexts::Generic(code) : detail);
}

std::string ErrorTexts::Generic(ASErrorCode code) {
    auto it = generic().find(code);
    if (it != generic().end())
        return it->second;
    char buf[64];
    std::snprintf(buf, sizeof buf, "Error 0x%08X.", static_cast<unsigned>(code));
    return buf;
}

std::string ErrorTexts::For(ASErrorCode code) {
    if (code != 0 && last().code == code && !last().detail.empty())
        return last().detail;
    return Generic(code);
}

void ErrorTexts::RecordDetail(ASErrorCode code, const std::string& detail) {
    last() = LastDetail{code, detail};
}

void ErrorTexts::Clear() {
    last() = LastDetail{};
}

} // namespace pdfhost
