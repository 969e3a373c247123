// Owns the host objects of one handle kind that callers create and destroy
// through the tables (paths, files, streams).
//
// Contract: Add() takes an object, registers it as a handle of the store's
// kind and returns the handle as the table type H; Get() checks a handle
// (kErrBadHandle for a null, unknown or removed one); Remove() destroys the
// object and retires its handle. The store outlives every object in it.
#pragma once

#include <memory>
#include <unordered_map>

#include "pdfhost/core/HandleRegistry.h"

namespace pdfhost::pdf {

template <typename T, typename H> class HandleStore {
  public:
    explicit HandleStore(HandleKind kind) : kind_(kind) {}
    ~HandleStore() {
        for (auto& [token, object] : objects_)
            HandleRegistry::Unregister(token);
    }
    HandleStore(const HandleStore&) = delete;
    HandleStore& operator=(const HandleStore&) = delete;

    H Add(std::unique_ptr<T> object) {
        const void* token = HandleRegistry::Register(object.get(), kind_);
        try {
            objects_.emplace(token, std::move(object));
        } catch (...) {
            HandleRegistry::Unregister(token);
            throw;
        }
        return HandleRegistry::As<H>(token);
    }
    T& Get(H handle) const { return *HandleRegistry::Check<T>(handle, kind_); }
    void Remove(H handle) {
        Get(handle);
        HandleRegistry::Unregister(handle);
        objects_.erase(handle);
    }
    std::size_t Size() const { return objects_.size(); }

  private:
    HandleKind kind_;
    std::unordered_map<const void*, std::unique_ptr<T>> objects_; // by token
};

} // namespace pdfhost::pdf
