#include "pdfhost/core/SharedLibrary.h"

#include <dlfcn.h>

namespace pdfhost {

std::unique_ptr<SharedLibrary> SharedLibrary::Open(const std::string& path, std::string& error) {
    void* handle = dlopen(path.c_str(), RTLD_NOW | RTLD_LOCAL);
    if (!handle) {
        const char* message = dlerror();
        error = message ? message : "dlopen failed";
        return nullptr;
    }
    return std::unique_ptr<SharedLibrary>(new SharedLibrary(handle));
}

SharedLibrary::~SharedLibrary() {
    dlclose(handle_);
}

void* SharedLibrary::Symbol(const char* name) const {
    dlerror();
    return dlsym(handle_, name);
}

} // namespace pdfhost
