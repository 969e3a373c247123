// Host exception frames as seen from plug-in code.
//
// Contract: a host operation that fails reaches plug-in code as a raise of a
// 32-bit code. DURING ... HANDLER ... END_HANDLER catches it: the frame is
// pushed on the host's frame stack at DURING and popped exactly once on every
// path out (at HANDLER when the body completes, first thing in the handler
// otherwise); inside the handler ERRORCODE gives the code. A raise that no
// frame catches propagates to the callback trampoline (sdk/ASCallbacks.h),
// which hands it to the host as a code; nothing ever unwinds through the host.
//
// The raise is a C++ exception inside the plug-in: unlike a longjmp it runs the
// destructors of the frames it leaves. Any other C++ exception caught by a
// frame becomes kErrNoMemory (std::bad_alloc) or kErrUnknown.
//
// Leaving a DURING block with return/break skips its pop: use E_RETURN.
#pragma once

#include "sdk/ASErrors.h"
#include "sdk/PIRecords.h"

#ifdef __cplusplus

namespace sdk {

// What a raise throws inside a plug-in. Never crosses into the host.
struct ASRaisedError {
    ASErrorCode code;
};

// Call only inside a catch block: the code of the exception being handled.
ASErrorCode CodeOfCurrentException() noexcept;

} // namespace sdk

// Implemented by the plug-in's binding over the core table (sdk/HostCalls.cpp).
void ASPushExceptionFrame(ASExceptionFrame* frame);
void ASPopExceptionFrame();
ASErrorCode ASGetExceptionErrorCode();
[[noreturn]] void ASRaise(ASErrorCode code);

namespace sdk::detail {
// Pops the frame and records the caught code in it and in the host.
void EnterHandler(ASExceptionFrame& frame) noexcept;
} // namespace sdk::detail

#define DURING                                                                                     \
    {                                                                                              \
        ASExceptionFrame _asFrame{};                                                               \
        ASPushExceptionFrame(&_asFrame);                                                           \
        try {

#define HANDLER                                                                                    \
    ASPopExceptionFrame();                                                                         \
    }                                                                                              \
    catch (...) {                                                                                  \
        ::sdk::detail::EnterHandler(_asFrame);

#define END_HANDLER                                                                                \
    }                                                                                              \
    }

#define ERRORCODE (ASGetExceptionErrorCode())

#define E_RETURN(x)                                                                                \
    do {                                                                                           \
        ASPopExceptionFrame();                                                                     \
        return x;                                                                                  \
    } while (0)

#endif
