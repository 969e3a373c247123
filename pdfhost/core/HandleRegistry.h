// Hands out and checks every handle the host gives to plug-ins.
//
// Contract: a handle is an opaque token, never the object's address.
// Register() files an object under a kind and returns a fresh, non-null token
// for it; Unregister() retires the token. A token packs a slot number and the
// slot's generation into one pointer-sized value. A slot freed by Unregister
// is reused with the next generation, and a slot whose generation is used up
// is never reused, so a stale token never matches an object registered after
// it, whatever address that object has. Check<T>(handle, kind) returns the
// object or raises kErrBadHandle for a null, unknown, released or wrong-kind
// handle, so a plug-in's mistake never makes the host touch freed memory.
// Register() raises kErrNoMemory when every slot is taken. Live() counts the
// registered objects of a kind, which tests use to prove that a run released
// everything it acquired. Objects usually hold their token in a
// RegisteredHandle, which ties it to their lifetime. The registry itself
// lasts until the process ends, so objects in statics can still retire their
// handles while it exits.
#pragma once

#include <cstddef>
#include <string>

#include "sdk/ASTypes.h"

namespace pdfhost {

enum class HandleKind {
    Extension,
    Callback,
    FileSys,
    PathName,
    File,
    Stream,
    CosDoc,
    CosObj,
    PDDoc,
    PDPage,
    PDSysFont,
    PDEObject,
    AVDoc,
    Menubar,
    Menu,
    MenuItem,
    ToolBar,
    ToolButton,
};

class HandleRegistry {
  public:
    // object must stay valid until the token is unregistered.
    static const void* Register(const void* object, HandleKind kind);
    // Retires a live token. Being given anything else is a bug of the host:
    // asserted, and ignored where asserts are off.
    static void Unregister(const void* handle) noexcept;
    static bool IsLive(const void* handle, HandleKind kind);
    // Raises kErrBadHandle with a text naming the kind when not live.
    static void Require(const void* handle, HandleKind kind);
    static std::size_t Live(HandleKind kind);
    static std::string KindName(HandleKind kind);

    // The object registered under handle, of the type it was registered as.
    template <typename T> static T* Check(const void* handle, HandleKind kind) {
        return static_cast<T*>(const_cast<void*>(Object(handle, kind)));
    }
    // A token as the handle type of the tables (ASFile, PDPage, ...).
    template <typename H> static H As(const void* handle) {
        return static_cast<H>(const_cast<void*>(handle));
    }

  private:
    static const void* Object(const void* handle, HandleKind kind);
};

} // namespace pdfhost
