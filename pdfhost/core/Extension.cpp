#include "pdfhost/core/Extension.h"

#include "pdfhost/core/HandleRegistry.h"

namespace pdfhost {
namespace {

Extension*& current() {
    static Extension* e = nullptr;
    return e;
}

} // namespace

Extension::Extension(std::string f) : file(std::move(f)) {}

Extension::~Extension() = default;

Extension* Extension::FromHandle(ASExtension handle) {
    return HandleRegistry::Check<Extension>(handle, HandleKind::Extension);
}

std::string Extension::Label() const {
    return name.empty() ? file : name;
}

Extension* ExtensionContext::Current() {
    return current();
}

ExtensionContext::Scope::Scope(Extension* extension) : previous_(current()) {
    current() = extension;
}

ExtensionContext::Scope::~Scope() {
    current() = previous_;
}

const char* StepResultName(StepResult result) {
    switch (result) {
    case StepResult::NotRun:
        return "not-run";
    case StepResult::Ok:
        return "ok";
    case StepResult::Failed:
        return "failed";
    }
    return "unknown";
}

} // namespace pdfhost
