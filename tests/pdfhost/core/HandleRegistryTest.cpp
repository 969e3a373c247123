#include <new>
#include <string>
#include <vector>

#include <gtest/gtest.h>

#include "pdfhost/core/HandleRegistry.h"
#include "pdfhost/core/HostError.h"
#include "pdfhost/core/RegisteredHandle.h"

namespace pdfhost {
namespace {

// The code and text Require raises for a handle; code 0 when it is accepted.
std::pair<ASErrorCode, std::string> Refusal(const void* handle, HandleKind kind) {
    try {
        HandleRegistry::Require(handle, kind);
        return {0, ""};
    } catch (const HostError& e) {
        return {e.code(), e.what()};
    }
}

TEST(HandleRegistryTest, RefusesNullUnknownReleasedAndWrongKindHandles) {
    int object = 0;
    int gone = 0;
    RegisteredHandle live(&object, HandleKind::PDPage);
    const void* released = HandleRegistry::Register(&gone, HandleKind::PDPage);
    HandleRegistry::Unregister(released);
    const struct Case {
        const char* what;
        const void* handle;
        HandleKind kind;
        ASErrorCode code;
        std::string text;
    } cases[] = {
        {"live", live.Token(), HandleKind::PDPage, 0, ""},
        {"null", nullptr, HandleKind::PDPage, kErrBadHandle, "A null page was passed to the host."},
        {"wrong kind", live.Token(), HandleKind::PDDoc, kErrBadHandle,
         "An invalid or released document was passed to the host."},
        {"released", released, HandleKind::PDPage, kErrBadHandle,
         "An invalid or released page was passed to the host."},
        // A handle is not the object's address.
        {"the object's address", &object, HandleKind::PDPage, kErrBadHandle,
         "An invalid or released page was passed to the host."},
    };
    for (const Case& c : cases)
        EXPECT_EQ(Refusal(c.handle, c.kind), std::make_pair(c.code, c.text)) << c.what;
    EXPECT_EQ(HandleRegistry::Check<int>(live.Token(), HandleKind::PDPage), &object);
}

// The new objects are placed in the memory of the released ones on purpose,
// so that the check does not depend on what the allocator happens to do; and
// each registration takes the slot the previous one freed.
TEST(HandleRegistryTest, AReleasedHandleStaysRefusedWhenANewObjectTakesItsMemory) {
    struct Object {
        explicit Object(HandleKind kind) : handle(this, kind) {}
        RegisteredHandle handle;
    };
    alignas(Object) unsigned char memory[sizeof(Object)];
    const HandleKind kinds[] = {HandleKind::PDPage, HandleKind::PDDoc};
    std::vector<const void*> stale;
    for (int round = 0; round < 200; ++round) {
        const HandleKind kind = kinds[round % 2];
        Object* object = ::new (memory) Object(kind);
        const void* token = object->handle.Token();
        ASSERT_EQ(HandleRegistry::Check<Object>(token, kind), object) << round;
        int accepted = 0;
        for (const void* old : stale) {
            for (HandleKind k : kinds)
                accepted += HandleRegistry::IsLive(old, k);
        }
        EXPECT_EQ(accepted, 0) << "round " << round;
        stale.push_back(token);
        object->~Object();
        EXPECT_FALSE(HandleRegistry::IsLive(token, kind)) << round;
    }
}

TEST(HandleRegistryTest, LiveCountsTheHandlesOfEachKindWhileTheyAreHeld) {
    const std::size_t menus = HandleRegistry::Live(HandleKind::Menu);
    const std::size_t items = HandleRegistry::Live(HandleKind::MenuItem);
    int a = 0;
    int b = 0;
    {
        RegisteredHandle first(&a, HandleKind::Menu);
        RegisteredHandle second(&b, HandleKind::Menu);
        // One object may be known under two kinds, by two handles.
        RegisteredHandle asItem(&a, HandleKind::MenuItem);
        EXPECT_EQ(HandleRegistry::Live(HandleKind::Menu), menus + 2);
        EXPECT_EQ(HandleRegistry::Live(HandleKind::MenuItem), items + 1);
        EXPECT_NE(first.Token(), asItem.Token());
        EXPECT_EQ(HandleRegistry::Check<int>(asItem.Token(), HandleKind::MenuItem), &a);
        EXPECT_FALSE(HandleRegistry::IsLive(asItem.Token(), HandleKind::Menu));
    }
    EXPECT_EQ(HandleRegistry::Live(HandleKind::Menu), menus);
    EXPECT_EQ(HandleRegistry::Live(HandleKind::MenuItem), items);
}

} // namespace
} // namespace pdfhost
