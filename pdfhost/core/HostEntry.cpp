#include "pdfhost/core/HostEntry.h"

#include <string>

namespace pdfhost::detail {

void RecordEntryFailure(ASErrorCode* err, ASErrorCode code, const char* operation) noexcept {
    try {
        ErrorTexts::RecordDetail(code,
                                 std::string(operation) + " is not implemented by this host.");
    } catch (...) {
    }
    if (err)
        *err = code;
}

ASErrorCode CurrentExceptionToCode(const char* operation) noexcept {
    try {
        throw;
    } catch (const HostError& e) {
        try {
            ErrorTexts::RecordDetail(e.code(), e.what());
        } catch (...) {
        }
        return e.code();
    } catch (const std::bad_alloc&) {
        return kErrNoMemory;
    } catch (const std::exception& e) {
        try {
            ErrorTexts::RecordDetail(kErrUnknown, std::string(operation) + ": " + e.what());
        } catch (...) {
        }
        return kErrUnknown;
    } catch (...) {
        return kErrUnknown;
    }
}

} // namespace pdfhost::detail
