// One running host: its tables, which of them it offers, its viewer model
// and its plug-ins.
//
// Contract: the constructor starts from a clean slate (frames, callbacks,
// fault injection, error texts and the callback counters are reset, the
// viewer rebuilt without options.withoutMenus), fills the tables with stubs
// and installs the core and viewer layers, then applies the offers and
// withholdings, arms the faults and pins the clock when options.clock is
// set (unpinned otherwise). Other layers install their slots through
// Tables() before LoadPlugins(). Shutdown() (also run by the destructor)
// unloads the plug-ins and releases the viewer model; the counters stay
// readable afterwards. Only one session may exist at a time.
#pragma once

#include <ctime>
#include <memory>
#include <optional>
#include <string>
#include <vector>

#include "pdfhost/core/HostTableSet.h"
#include "pdfhost/core/PluginLoader.h"
#include "pdfhost/core/TableRegistry.h"

namespace pdfhost::app {

struct Fault {
    std::string operation;
    ASErrorCode code = 0;
    int nthCall = 0; // 0 = every call
};

struct SessionOptions {
    LoaderOptions loader; // the plug-in folder and handshake versions
    std::vector<std::pair<std::string, ASVersion>> offers;
    std::vector<std::string> withheld;
    std::vector<std::string> withoutMenus;
    std::vector<Fault> faults;
    std::optional<std::time_t> clock; // the time every clock reading gives
};

class HostSession {
  public:
    explicit HostSession(SessionOptions options);
    ~HostSession();
    HostSession(const HostSession&) = delete;
    HostSession& operator=(const HostSession&) = delete;

    HostTableSet& Tables() { return *tables_; }
    const TableRegistry& Registry() const { return *registry_; }
    void LoadPlugins();
    const PluginLoader& Loader() const { return *loader_; }
    void Shutdown();

  private:
    SessionOptions options_;
    std::unique_ptr<HostTableSet> tables_;
    std::unique_ptr<TableRegistry> registry_;
    std::unique_ptr<PluginLoader> loader_;
    bool shutDown_ = false;
};

} // namespace pdfhost::app
