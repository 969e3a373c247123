#include "pdfhost/core/HandleRegistry.h"

#include <cassert>
#include <climits>
#include <cstdint>
#include <new>
#include <vector>

#include "pdfhost/core/HostError.h"

namespace pdfhost {
namespace {

using Token = std::uintptr_t;

// The low half of a token is the slot number plus one (so no token is null),
// the high half the slot's generation.
constexpr unsigned kSlotBits = sizeof(Token) * CHAR_BIT / 2;
constexpr Token kSlotMask = (Token{1} << kSlotBits) - 1;
constexpr Token kLastGeneration = ~Token{0} >> kSlotBits;

struct Slot {
    const void* object = nullptr; // null while the slot is free
    HandleKind kind = HandleKind::Extension;
    Token generation = 1;
};

struct Table {
    std::vector<Slot> slots;
    // Free slots, the most recently freed last. Its capacity always covers
    // every slot, so retiring a token never allocates.
    std::vector<std::size_t> free;
};

Table& table() {
    // Never destroyed: objects kept in statics retire their handles while
    // the process exits, in whatever order their statics go.
    alignas(Table) static unsigned char storage[sizeof(Table)];
    static Table* const t = ::new (storage) Table();
    return *t;
}

Token ToToken(const void* handle) {
    return reinterpret_cast<Token>(handle);
}

// The live slot a token names, or null.
Slot* Find(const void* handle) {
    const Token token = ToToken(handle);
    const Token number = token & kSlotMask;
    std::vector<Slot>& slots = table().slots;
    if (number == 0 || number > slots.size())
        return nullptr;
    Slot& slot = slots[number - 1];
    if (!slot.object || slot.generation != token >> kSlotBits)
        return nullptr;
    return &slot;
}

} // namespace

const void* HandleRegistry::Register(const void* object, HandleKind kind) {
    assert(object);
    Table& t = table();
    std::size_t index;
    if (!t.free.empty()) {
        index = t.free.back();
        t.free.pop_back();
    } else {
        if (t.slots.size() >= kSlotMask)
            Raise(kErrNoMemory, "The host has no " + KindName(kind) + " handle left to give.");
        t.free.reserve(t.slots.size() + 1);
        t.slots.emplace_back();
        index = t.slots.size() - 1;
    }
    Slot& slot = t.slots[index];
    slot.object = object;
    slot.kind = kind;
    return reinterpret_cast<const void*>(slot.generation << kSlotBits | (index + 1));
}

void HandleRegistry::Unregister(const void* handle) noexcept {
    Slot* slot = Find(handle);
    assert(slot && "a handle the host did not hand out, or retired twice");
    if (!slot)
        return;
    slot->object = nullptr;
    if (slot->generation == kLastGeneration)
        return; // used up: the slot stays out of use
    ++slot->generation;
    Table& t = table();
    t.free.push_back(static_cast<std::size_t>(slot - t.slots.data()));
}

bool HandleRegistry::IsLive(const void* handle, HandleKind kind) {
    const Slot* slot = Find(handle);
    return slot && slot->kind == kind;
}

const void* HandleRegistry::Object(const void* handle, HandleKind kind) {
    if (!handle)
        Raise(kErrBadHandle, "A null " + KindName(kind) + " was passed to the host.");
    const Slot* slot = Find(handle);
    if (!slot || slot->kind != kind)
        Raise(kErrBadHandle,
              "An invalid or released " + KindName(kind) + " was passed to the host.");
    return slot->object;
}

void HandleRegistry::Require(const void* handle, HandleKind kind) {
    Object(handle, kind);
}

std::size_t HandleRegistry::Live(HandleKind kind) {
    std::size_t n = 0;
    for (const Slot& slot : table().slots)
        n += (slot.object && slot.kind == kind);
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
