#include "pdfhost/core/CallbackInvoker.h"

#include <cstdio>

#include "pdfhost/core/Callbacks.h"
#include "pdfhost/core/ExceptionFrames.h"
#include "pdfhost/core/Extension.h"
#include "pdfhost/core/HostError.h"
#include "pdfhost/core/HostLog.h"

namespace pdfhost {
namespace {

struct Counters {
    int frameViolations = 0;
    int raised = 0;
};

Counters& counters() {
    static Counters c;
    return c;
}

std::string Hex(ASErrorCode code) {
    char buf[16];
    std::snprintf(buf, sizeof buf, "0x%08X", static_cast<unsigned>(code));
    return buf;
}

std::string Whose(const Extension* extension) {
    return extension ? " of " + extension->Label() : std::string();
}

} // namespace

int CallbackInvoker::FrameViolations() {
    return counters().frameViolations;
}

int CallbackInvoker::RaisedCount() {
    return counters().raised;
}

void CallbackInvoker::ResetCounters() {
    counters() = Counters{};
}

ASGenericProc CallbackInvoker::Resolve(ASCallback callback, Extension** owner) {
    ASGenericProc proc = Callbacks::Proc(callback);
    *owner = Callbacks::Owner(callback);
    return proc;
}

void CallbackInvoker::ReportRaised(const std::string& what, Extension* extension,
                                   ASErrorCode code) {
    ++counters().raised;
    HostLog::Report("error: " + what + Whose(extension) + " raised " + Hex(code) + ": " +
                    ErrorTexts::For(code));
}

CallbackInvoker::FrameGuard::FrameGuard(std::string what, Extension* extension)
    : what_(std::move(what)), extension_(extension), depth_(ExceptionFrames::Depth()) {}

CallbackInvoker::FrameGuard::~FrameGuard() {
    const std::size_t after = ExceptionFrames::Depth();
    if (after == depth_)
        return;
    ++counters().frameViolations;
    try {
        HostLog::Report("FRAME VIOLATION: " + what_ + Whose(extension_) +
                        " returned with the exception frame stack at depth " +
                        std::to_string(after) + " instead of " + std::to_string(depth_));
    } catch (...) {
    }
    ExceptionFrames::TruncateTo(depth_);
}

} // namespace pdfhost
