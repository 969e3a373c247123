// The host's exception-frame stack.
//
// Contract: plug-ins push a frame before a protected block and pop it on every
// way out (sdk/ASExcept.h). The host only keeps the stack and the code of the
// current exception: Raise records the code, the unwinding itself happens in
// the plug-in. Popping an empty stack is the plug-in's mistake and raises
// kErrUnbalancedFrames instead of corrupting anything. The callback invoker
// compares Depth() before and after every call into plug-in code and uses
// TruncateTo() to recover from a callback that left frames behind.
#pragma once

#include <cstddef>

#include "sdk/PIRecords.h"

namespace pdfhost {

class ExceptionFrames {
  public:
    static void Push(ASExceptionFrame* frame);
    static void Pop();
    static std::size_t Depth();
    // Drops the frames above depth (never adds any).
    static void TruncateTo(std::size_t depth);

    static void Raise(ASErrorCode code);
    static ASErrorCode CurrentCode();

    static void Reset();
};

} // namespace pdfhost
