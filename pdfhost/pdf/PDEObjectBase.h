// The objects behind PDEObject handles, and their reference counts.
//
// Contract: every content object (page contents, elements, fonts, colour
// spaces, extended graphics states) derives from PDEObjectBase and is made by
// Make<T>(), which registers its handle and gives it one reference; the
// PDERef returned holds that reference. The host's own holders (a content
// holding its elements, an image its colour space) count apart from the
// callers of the tables: HandOut() gives a caller a reference,
// AcquireForCaller/ReleaseForCaller are PDEAcquire/PDERelease, and a caller
// releasing more than it was given raises kErrBadHandle instead of taking a
// reference the host still uses. When no reference is left the object is
// destroyed and its handle unregistered, so a stale handle raises
// kErrBadHandle instead of touching freed memory. FromHandle checks the
// handle; As<T> also checks the object's kind and raises kErrWrongObjectKind.
#pragma once

#include <memory>
#include <string>
#include <type_traits>

#include "pdfhost/core/RegisteredHandle.h"
#include "sdk/ASTypes.h"

namespace pdfhost::pdf {

template <typename T> class PDERef;

class PDEObjectBase {
  public:
    virtual ~PDEObjectBase();
    PDEObjectBase(const PDEObjectBase&) = delete;
    PDEObjectBase& operator=(const PDEObjectBase&) = delete;

    // kPDEText, kPDEImage, ... as PDEObjectGetType reports it.
    virtual ASInt32 Type() const = 0;

    PDEObject Handle() const { return handle_.As<PDEObject>(); }
    void Acquire() { ++refs_; }
    void Release();
    void AcquireForCaller() { ++callerRefs_; }
    void ReleaseForCaller();
    // Gives the caller of a table the object, with one reference of its own.
    template <typename T> static PDEObject HandOut(PDERef<T> object);

    static PDEObjectBase& FromHandle(PDEObject handle);
    template <typename T> static T& As(PDEObject handle, const char* needed) {
        PDEObjectBase& base = FromHandle(handle);
        if (auto* t = dynamic_cast<T*>(&base))
            return *t;
        RaiseWrongKind(base, needed);
    }

    template <typename T, typename... A> static PDERef<T> Make(A&&... args);

    // Makes the store of objects now, so that it outlives objects made later
    // that release content objects when destroyed (open documents).
    static void Prepare();
    // Destroys the object whatever its count (its document is closing).
    static void Destroy(PDEObjectBase& object);

  protected:
    PDEObjectBase();

  private:
    static void Keep(std::unique_ptr<PDEObjectBase> object);
    [[noreturn]] static void RaiseWrongKind(const PDEObjectBase& object, const char* needed);
    void DestroyIfUnused();
    int refs_ = 1;
    int callerRefs_ = 0;
    RegisteredHandle handle_{this, HandleKind::PDEObject};
};

// One counted reference, for C++ owners.
template <typename T> class PDERef {
  public:
    PDERef() = default;
    static PDERef Adopt(T* object) { return PDERef(object); }
    static PDERef Share(T* object) {
        if (object)
            object->Acquire();
        return PDERef(object);
    }
    PDERef(const PDERef& o) : p_(o.p_) {
        if (p_)
            p_->Acquire();
    }
    PDERef(PDERef&& o) noexcept : p_(o.p_) { o.p_ = nullptr; }
    template <typename U, typename = std::enable_if_t<std::is_convertible_v<U*, T*>>>
    PDERef(PDERef<U>&& o) noexcept : p_(o.Detach()) {}
    PDERef& operator=(PDERef o) noexcept {
        std::swap(p_, o.p_);
        return *this;
    }
    ~PDERef() {
        if (p_)
            p_->Release();
    }

    T* get() const { return p_; }
    T* operator->() const { return p_; }
    T& operator*() const { return *p_; }
    explicit operator bool() const { return p_ != nullptr; }
    // Gives up the reference without releasing it.
    T* Detach() {
        T* p = p_;
        p_ = nullptr;
        return p;
    }

  private:
    explicit PDERef(T* p) : p_(p) {}
    T* p_ = nullptr;
};

template <typename T> PDEObject PDEObjectBase::HandOut(PDERef<T> object) {
    object->AcquireForCaller();
    return object->Handle();
}

template <typename T, typename... A> PDERef<T> PDEObjectBase::Make(A&&... args) {
    auto object = std::make_unique<T>(std::forward<A>(args)...);
    T* raw = object.get();
    Keep(std::move(object));
    return PDERef<T>::Adopt(raw);
}

} // namespace pdfhost::pdf
