// Callbacks: plug-in procedures bound to the extension that made them.
//
// Contract: Create() checks the extension handle and refuses a null
// procedure (kErrBadParameter); the result is a handle registered with
// HandleRegistry until Destroy() or until the owning plug-in is unloaded
// (DestroyAllOf). Every lookup checks the handle, so a destroyed callback or a
// stray pointer raises kErrBadHandle instead of jumping into unmapped code.
#pragma once

#include <cstddef>

#include "sdk/PIRecords.h"

namespace pdfhost {

class Extension;

class Callbacks {
  public:
    static ASCallback Create(ASExtension extension, ASGenericProc proc);
    static void Destroy(ASCallback callback);
    static ASGenericProc Proc(ASCallback callback);
    static Extension* Owner(ASCallback callback);
    // True when callback is a live callback made by extension.
    static bool BelongsTo(ASCallback callback, const Extension* extension);
    static void DestroyAllOf(const Extension* extension);
    static std::size_t Count();
    static void Reset();
};

} // namespace pdfhost
