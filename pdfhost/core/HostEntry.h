// The boundary between the C function tables and host C++ code.
//
// Contract: HOST_ENTRY(Name, impl) is a C function pointer for a table slot
// whose signature is impl's with an ASErrorCode* slot in front. The entry
// counts the call (and fails it when FaultInjector is armed for Name), runs
// impl, and never lets an exception out: HostError becomes its code,
// std::bad_alloc kErrNoMemory, anything else kErrUnknown. On failure the
// result is zero/null and the detail text is kept for ASGetErrorString.
//
// HOST_NOT_IMPLEMENTED(Name, slotType) is an entry that always fails with
// kErrNotImplemented and a text naming the operation.
#pragma once

#include <algorithm>
#include <cstddef>
#include <new>
#include <type_traits>

#include "pdfhost/core/FaultInjector.h"
#include "pdfhost/core/HostError.h"

namespace pdfhost {

template <std::size_t N> struct OpName {
    constexpr OpName(const char (&s)[N]) { std::copy_n(s, N, text); }
    char text[N];
};

namespace detail {

void RecordEntryFailure(ASErrorCode* err, ASErrorCode code, const char* detail) noexcept;
ASErrorCode CurrentExceptionToCode(const char* operation) noexcept;

template <typename R> R ZeroResult() {
    if constexpr (!std::is_void_v<R>)
        return R{};
}

} // namespace detail

template <OpName Name, auto Impl> struct HostEntry;

template <OpName Name, typename R, typename... A, R (*Impl)(A...)> struct HostEntry<Name, Impl> {
    static R Call(ASErrorCode* err, A... args) noexcept {
        if (err)
            *err = 0;
        try {
            FaultInjector::OnCall(Name.text);
            return Impl(args...);
        } catch (...) {
            const ASErrorCode code = detail::CurrentExceptionToCode(Name.text);
            if (err)
                *err = code;
        }
        return detail::ZeroResult<R>();
    }
};

template <OpName Name, typename F> struct NotImplementedEntry;

template <OpName Name, typename R, typename... A>
struct NotImplementedEntry<Name, R (*)(ASErrorCode*, A...)> {
    static R Call(ASErrorCode* err, A...) noexcept {
        detail::RecordEntryFailure(err, kErrNotImplemented, Name.text);
        return detail::ZeroResult<R>();
    }
};

} // namespace pdfhost

#define HOST_ENTRY(Name, Impl) (&::pdfhost::HostEntry<#Name, Impl>::Call)
#define HOST_NOT_IMPLEMENTED(table, Name)                                                          \
    ((table).Name = &::pdfhost::NotImplementedEntry<#Name, decltype((table).Name)>::Call)
