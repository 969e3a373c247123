#include "pdfhost/av/MenuItem.h"

#include "pdfhost/core/CallbackInvoker.h"
#include "pdfhost/core/Callbacks.h"
#include "pdfhost/core/HandleRegistry.h"
#include "pdfhost/core/HostError.h"

namespace pdfhost::av {
namespace {

void CheckCallback(ASCallback proc) {
    if (proc)
        Callbacks::Proc(proc);
}

} // namespace

MenuItem::MenuItem(std::string title, std::string name, std::string owner)
    : title_(std::move(title)), name_(std::move(name)), owner_(std::move(owner)) {}

MenuItem::~MenuItem() = default;

MenuItem* MenuItem::FromHandle(AVMenuItem handle) {
    return HandleRegistry::Check<MenuItem>(handle, HandleKind::MenuItem);
}

void MenuItem::SetExecuteProc(ASCallback proc, void* data) {
    CheckCallback(proc);
    execute_ = proc;
    executeData_ = data;
}

void MenuItem::SetComputeEnabledProc(ASCallback proc, void* data) {
    CheckCallback(proc);
    enabled_ = proc;
    enabledData_ = data;
}

void MenuItem::SetHostProcs(std::function<void()> run, std::function<bool()> enabled) {
    hostRun_ = std::move(run);
    hostEnabled_ = std::move(enabled);
}

bool MenuItem::IsEnabled() const {
    if (hostEnabled_)
        return hostEnabled_();
    if (!enabled_)
        return true;
    try {
        const auto outcome = CallbackInvoker::Invoke<AVComputeEnabledProc>(
            "enable procedure of menu item " + name_, enabled_, enabledData_);
        return outcome.value != 0 && outcome.raised == 0;
    } catch (const HostError&) {
        return false; // its plug-in is gone
    }
}

ASErrorCode MenuItem::Execute() const {
    if (hostRun_) {
        hostRun_();
        return 0;
    }
    if (!execute_)
        Raise(kErrBadParameter, "The menu item " + name_ + " has nothing to run.");
    return CallbackInvoker::Invoke<AVExecuteProc>("execute procedure of menu item " + name_,
                                                  execute_, executeData_)
        .raised;
}

} // namespace pdfhost::av
