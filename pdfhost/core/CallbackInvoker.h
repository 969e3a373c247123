// The one way the host calls into plug-in code.
//
// Contract: Invoke<Proc>(what, callback, args...) checks the callback handle
// (kErrBadHandle as a HostError when it is not live), runs the procedure with
// its raised slot in the context of the extension that made it, and returns
// the result together with the raised code. A raised code is reported on the
// host log naming `what`, the extension and the error text. Afterwards the
// exception-frame stack must be as deep as before: if not, that is reported
// loudly, counted in FrameViolations(), and frames left behind are dropped so
// one faulty callback does not poison the checks of the next.
//
// FrameGuard gives the same frame check to the plain-C calls that have no
// raised slot (PlugInMain and setup).
#pragma once

#include <cstddef>
#include <string>
#include <type_traits>

#include "pdfhost/core/Extension.h"
#include "sdk/PIRecords.h"

namespace pdfhost {

template <typename R> struct CallbackOutcome {
    R value{};
    ASErrorCode raised = 0;
};

template <> struct CallbackOutcome<void> { ASErrorCode raised = 0; };

class CallbackInvoker {
  public:
    template <typename Proc, typename... A>
    static auto Invoke(const std::string& what, ASCallback callback, A... args);

    static int FrameViolations();
    static int RaisedCount();
    static void ResetCounters();

    class FrameGuard {
      public:
        FrameGuard(std::string what, Extension* extension);
        ~FrameGuard();
        FrameGuard(const FrameGuard&) = delete;
        FrameGuard& operator=(const FrameGuard&) = delete;

      private:
        std::string what_;
        Extension* extension_;
        std::size_t depth_;
    };

  private:
    static ASGenericProc Resolve(ASCallback callback, Extension** owner);
    static void ReportRaised(const std::string& what, Extension* extension, ASErrorCode code);

    template <typename Proc> struct Traits;
    template <typename R, typename... P> struct Traits<R (*)(ASErrorCode*, P...)> {
        using Result = R;
    };
};

template <typename Proc, typename... A>
auto CallbackInvoker::Invoke(const std::string& what, ASCallback callback, A... args) {
    using R = typename Traits<Proc>::Result;
    Extension* owner = nullptr;
    const auto proc = reinterpret_cast<Proc>(Resolve(callback, &owner));
    CallbackOutcome<R> outcome;
    {
        ExtensionContext::Scope scope(owner);
        FrameGuard guard(what, owner);
        if constexpr (std::is_void_v<R>)
            proc(&outcome.raised, args...);
        else
            outcome.value = proc(&outcome.raised, args...);
    }
    if (outcome.raised)
        ReportRaised(what, owner, outcome.raised);
    return outcome;
}

} // namespace pdfhost
