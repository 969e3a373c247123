#include "pdfhost/core/Callbacks.h"

#include <map>
#include <memory>

#include "pdfhost/core/Extension.h"
#include "pdfhost/core/HandleRegistry.h"
#include "pdfhost/core/HostError.h"
#include "pdfhost/core/RegisteredHandle.h"

namespace pdfhost {
namespace {

struct CallbackObject {
    CallbackObject(Extension* o, ASGenericProc p) : owner(o), proc(p) {}
    Extension* owner;
    ASGenericProc proc;
    RegisteredHandle handle{this, HandleKind::Callback};
};

// By handle token.
std::map<const void*, std::unique_ptr<CallbackObject>>& callbacks() {
    static std::map<const void*, std::unique_ptr<CallbackObject>> c;
    return c;
}

CallbackObject* Check(ASCallback callback) {
    return HandleRegistry::Check<CallbackObject>(callback, HandleKind::Callback);
}

} // namespace

ASCallback Callbacks::Create(ASExtension extension, ASGenericProc proc) {
    Extension* owner = Extension::FromHandle(extension);
    if (!proc)
        Raise(kErrBadParameter, "ASCallbackCreate was given a null procedure.");
    auto object = std::make_unique<CallbackObject>(owner, proc);
    const ASCallback handle = object->handle.As<ASCallback>();
    callbacks().emplace(handle, std::move(object));
    return handle;
}

void Callbacks::Destroy(ASCallback callback) {
    Check(callback);
    callbacks().erase(callback);
}

ASGenericProc Callbacks::Proc(ASCallback callback) {
    return Check(callback)->proc;
}

Extension* Callbacks::Owner(ASCallback callback) {
    return Check(callback)->owner;
}

bool Callbacks::BelongsTo(ASCallback callback, const Extension* extension) {
    return HandleRegistry::IsLive(callback, HandleKind::Callback) &&
           Check(callback)->owner == extension;
}

void Callbacks::DestroyAllOf(const Extension* extension) {
    auto& all = callbacks();
    for (auto it = all.begin(); it != all.end();) {
        if (it->second->owner == extension)
            it = all.erase(it);
        else
            ++it;
    }
}

std::size_t Callbacks::Count() {
    return callbacks().size();
}

void Callbacks::Reset() {
    callbacks().clear();
}

} // namespace pdfhost
