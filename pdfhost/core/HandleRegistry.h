// Checks every handle the host is given.
//
// Contract: host objects handed out through the tables are registered here
// with their kind; Check<T>(handle, kind) returns the object or raises
// kErrBadHandle for a null, unknown, released or wrong-kind handle, so a
// plug-in's mistake never makes the host touch freed memory. Live() counts the
// registered objects of a kind, which tests use to prove that a run released
// everything it acquired.
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
    static void Register(const void* handle, HandleKind kind);
    static void Unregister(const void* handle);
    static bool IsLive(const void* handle, HandleKind kind);
    // Raises kErrBadHandle with a text naming the kind when not live.
    static void Require(const void* handle, HandleKind kind);
    static std::size_t Live(HandleKind kind);
    static std::string KindName(HandleKind kind);

    template <typename T> static T* Check(const void* handle, HandleKind kind) {
        Require(handle, kind);
        return static_cast<T*>(const_cast<void*>(handle));
    }
};

} // namespace pdfhost
