// A dynamically loaded library, closed when the object goes.
//
// Contract: Open() returns the library or, when dlopen fails, nothing with
// the loader's message in `error`. Symbol() is null for a missing name. The
// library is loaded with RTLD_NOW | RTLD_LOCAL: unresolved symbols fail at
// load time, and each plug-in keeps its own globals.
#pragma once

#include <memory>
#include <string>

namespace pdfhost {

class SharedLibrary {
  public:
    static std::unique_ptr<SharedLibrary> Open(const std::string& path, std::string& error);
    ~SharedLibrary();
    SharedLibrary(const SharedLibrary&) = delete;
    SharedLibrary& operator=(const SharedLibrary&) = delete;

    void* Symbol(const char* name) const;
    void* NativeHandle() const { return handle_; }

  private:
    explicit SharedLibrary(void* handle) : handle_(handle) {}
    void* handle_;
};

} // namespace pdfhost
