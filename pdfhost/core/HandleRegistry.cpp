#include "pdfhost/core/HandleRegistry.h"

#include <unordered_map>

#include "pdfhost/core/HostError.h"

namespace pdfhost {
namespace {

std::unordered_map<const void*, HandleKind>& handles() {
    static std::unordered_map<const void*, HandleKind> h;
    return h;
}

} // namespace

void HandleRegistry::Register(const void* handle, HandleKind kind) {
    handles()[handle] = kind;
}

void HandleRegistry::Unregister(const void* handle) {
    handles().erase(handle);
}

bool HandleRegistry::IsLive(const void* handle, HandleKind kind) {
    auto it = handles().find(handle);
    return it != handles().end() && it->second == kind;
}

void HandleRegistry::Require(const void* handle, HandleKind kind) {
    if (!handle)
        Raise(kErrBadHandle, "A null " + KindName(kind) + " was passed to the host.");
    if (!IsLive(handle, kind))
        Raise(kErrBadHandle,
              "An invalid or released " + KindName(kind) + " was passed to the host.");
}

std::size_t HandleRegistry::Live(HandleKind kind) {
    std::size_t n = 0;
    for (const auto& [h, k] : handles())
        n += (k == kind);
    return n;
}

std::string HandleRegistry::KindName(HandleKind kind) {
    switch (kind) {
    case HandleKind::Extension:
        return "extension";
    case HandleKind::Callback:
        return "callback";
    case HandleKind::FileSys:
        return "file system";
    case HandleKind::PathName:
        return "path";
    case HandleKind::File:
        return "file";
    case HandleKind::Stream:
        return "stream";
    case HandleKind::CosDoc:
        return "Cos document";
    case HandleKind::CosObj:
        return "Cos object";
    case HandleKind::PDDoc:
        return "document";
    case HandleKind::PDPage:
        return "page";
    case HandleKind::PDSysFont:
        return "system font";
    case HandleKind::PDEObject:
        return "content object";
    case HandleKind::AVDoc:
        return "document view";
    case HandleKind::Menubar:
        return "menu bar";
    case HandleKind::Menu:
        return "menu";
    case HandleKind::MenuItem:
        return "menu item";
    case HandleKind::ToolBar:
        return "toolbar";
    case HandleKind::ToolButton:
        return "toolbar button";
    }
    return "object";
}

} // namespace pdfhost
