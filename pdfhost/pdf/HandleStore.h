// Owns the host objects of one handle kind that callers create and destroy
// through the tables (paths, files, streams).
//
// Contract: Add() takes an object, registers its address as a handle of the
// store's kind and returns it; Get() checks a handle (kErrBadHandle for a
// null, unknown or removed one); Remove() destroys the object and
// unregisters its handle. The store outlives every object in it.
#pragma once

#include <memory>
#include <unordered_map>

#include "pdfhost/core/HandleRegistry.h"

namespace pdfhost::pdf {

template <typename T> class HandleStore {
  public:
    explicit HandleStore(HandleKind kind) : kind_(kind) {
        // The registry must outlive the store, so it is made first.
        HandleRegistry::Live(kind);
    }
    ~HandleStore() {
        for (auto& [key, object] : objects_)
            HandleRegistry::Unregister(key);
    }
    HandleStore(const HandleStore&) = delete;
    HandleStore& operator=(const HandleStore&) = delete;

    T* Add(std::unique_ptr<T> object) {
        T* raw = object.get();
        objects_.emplace(raw, std::move(object));
        HandleRegistry::Register(raw, kind_);
        return raw;
    }
    T& Get(const void* handle) const { return *HandleRegistry::Check<T>(handle, kind_); }
    void Remove(const void* handle) {
        Get(handle);
        HandleRegistry::Unregister(handle);
        auto node = objects_.extract(static_cast<const T*>(handle));
    }
    std::size_t Size() const { return objects_.size(); }

  private:
    HandleKind kind_;
    std::unordered_map<const T*, std::unique_ptr<T>> objects_;
};

} // namespace pdfhost::pdf
