#include "pdfhost/app/HostSession.h"

#include <cassert>

#include "pdfhost/av/AcroViewTable.h"
#include "pdfhost/av/ActiveDocument.h"
#include "pdfhost/av/Viewer.h"
#include "pdfhost/core/CallbackInvoker.h"
#include "pdfhost/core/Callbacks.h"
#include "pdfhost/core/CoreTable.h"
#include "pdfhost/core/ExceptionFrames.h"
#include "pdfhost/core/FaultInjector.h"
#include "pdfhost/core/HostError.h"
#include "platform/Clock.h"

namespace pdfhost::app {
namespace {

// The host's state is process-wide, so two sessions would tear down each
// other's plug-ins and viewer.
bool& sessionExists() {
    static bool exists = false;
    return exists;
}

} // namespace

HostSession::HostSession(SessionOptions options)
    : options_(std::move(options)), tables_(std::make_unique<HostTableSet>()) {
    assert(!sessionExists() && "only one HostSession may exist at a time");
    sessionExists() = true;
    ExceptionFrames::Reset();
    Callbacks::Reset();
    FaultInjector::Reset();
    ErrorTexts::Clear();
    CallbackInvoker::ResetCounters();
    av::ActiveDocument::Clear();
    av::Viewer::Reset(av::ViewerOptions{options_.withoutMenus});

    HostTableSet::FillWithStubs(*tables_);
    registry_ = std::make_unique<TableRegistry>(*tables_);
    CoreTable::Install(*tables_, *registry_);
    av::AcroViewTable::Install(*tables_);

    for (const auto& [name, version] : options_.offers)
        registry_->Offer(name, version);
    for (const auto& name : options_.withheld)
        registry_->Withhold(name);
    for (const auto& fault : options_.faults)
        FaultInjector::Arm(fault.operation, fault.code, fault.nthCall);
    if (options_.clock)
        platform::Clock::Pin(*options_.clock);
    else
        platform::Clock::Unpin();
    loader_ = std::make_unique<PluginLoader>(*tables_, options_.loader);
}

HostSession::~HostSession() {
    Shutdown();
    sessionExists() = false;
}

void HostSession::LoadPlugins() {
    loader_->LoadAll();
}

void HostSession::Shutdown() {
    if (shutDown_)
        return;
    shutDown_ = true;
    loader_->Unload();
    av::ActiveDocument::Clear();
    av::Viewer::Shutdown();
}

} // namespace pdfhost::app
