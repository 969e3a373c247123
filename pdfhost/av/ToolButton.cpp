#include "pdfhost/av/ToolButton.h"

#include "pdfhost/core/CallbackInvoker.h"
#include "pdfhost/core/Callbacks.h"
#include "pdfhost/core/HandleRegistry.h"
#include "pdfhost/core/HostError.h"

namespace pdfhost::av {

ToolButton::ToolButton(std::string name, std::optional<ToolbarIcon> icon)
    : name_(std::move(name)), icon_(std::move(icon)) {}

ToolButton::~ToolButton() = default;

ToolButton* ToolButton::FromHandle(AVToolButton handle) {
    return HandleRegistry::Check<ToolButton>(handle, HandleKind::ToolButton);
}

void ToolButton::SetExecuteProc(ASCallback proc, void* data) {
    if (proc)
        Callbacks::Proc(proc);
    execute_ = proc;
    executeData_ = data;
}

void ToolButton::SetHostProcs(std::function<void()> run, std::function<bool()> enabled) {
    hostRun_ = std::move(run);
    hostEnabled_ = std::move(enabled);
}

ASErrorCode ToolButton::Execute() const {
    if (hostRun_) {
        hostRun_();
        return 0;
    }
    if (!execute_)
        Raise(kErrBadParameter, "The toolbar button " + name_ + " has nothing to run.");
    return CallbackInvoker::Invoke<AVExecuteProc>("execute procedure of toolbar button " + name_,
                                                  execute_, executeData_)
        .raised;
}

} // namespace pdfhost::av
