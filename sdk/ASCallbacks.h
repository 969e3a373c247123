// Turning plain plug-in functions into procedures the host can call.
//
// Contract: sdk::Callback<&Fn>::Proc has Fn's parameters preceded by an
// ASErrorCode* slot. It never lets an exception out: a raise (or any C++
// exception) escaping Fn is written to the slot as a code and the procedure
// returns a zero result; on a normal return the slot holds 0.
#pragma once

#include <type_traits>

#include "sdk/ASExcept.h"

namespace sdk {

template <auto Fn> struct Callback;

template <typename R, typename... A, R (*Fn)(A...)> struct Callback<Fn> {
    static R Proc(ASErrorCode* raised, A... args) noexcept {
        if (raised)
            *raised = 0;
        try {
            return Fn(args...);
        } catch (...) {
            if (raised)
                *raised = CodeOfCurrentException();
            if constexpr (std::is_void_v<R>)
                return;
            else
                return R{};
        }
    }
};

template <auto Fn> inline ASGenericProc GenericProc() {
    return reinterpret_cast<ASGenericProc>(&Callback<Fn>::Proc);
}

} // namespace sdk
