// The plug-in side of exception frames: push/pop/raise over the core table.
#include "sdk/HostCalls.h"

#include <new>

namespace {

const CoreHFT* Core() {
    return gPITables.core;
}

} // namespace

void ASPushExceptionFrame(ASExceptionFrame* frame) {
    ASErrorCode err = 0;
    if (Core())
        Core()->ASPushExceptionFrame(&err, frame);
}

void ASPopExceptionFrame() {
    ASErrorCode err = 0;
    if (Core())
        Core()->ASPopExceptionFrame(&err);
}

ASErrorCode ASGetExceptionErrorCode() {
    ASErrorCode err = 0;
    return Core() ? Core()->ASGetExceptionErrorCode(&err) : kErrUnknown;
}

void ASRaise(ASErrorCode code) {
    ASErrorCode err = 0;
    if (Core())
        Core()->ASRaise(&err, code);
    throw sdk::ASRaisedError{code};
}

namespace sdk {

ASErrorCode CodeOfCurrentException() noexcept {
    try {
        throw;
    } catch (const ASRaisedError& e) {
        return e.code;
    } catch (const std::bad_alloc&) {
        return kErrNoMemory;
    } catch (...) {
        return kErrUnknown;
    }
}

namespace detail {

void EnterHandler(ASExceptionFrame& frame) noexcept {
    ASErrorCode code = CodeOfCurrentException();
    ASPopExceptionFrame();
    // A raise already told the host its code; other exceptions did not.
    ASErrorCode err = 0;
    if (Core())
        Core()->ASRaise(&err, code);
    frame.errorCode = code;
}

} // namespace detail
} // namespace sdk
