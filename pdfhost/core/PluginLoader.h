// Loads every plug-in ("*.api") of one folder and drives it through entry,
// setup, handshake, export, import-replace-and-register and init; unloads
// them at shutdown.
//
// Contract:
// - Files load in name order. Each gets an Extension record whatever
//   happens, so reports can show how far it got. A plug-in that cannot be
//   opened, lacks PlugInMain, or fails entry, setup or handshake is reported
//   on the host log and its remaining steps are skipped; the other plug-ins
//   go on. An init that returns false is recorded and reported, not fatal.
// - PlugInMain is offered options.hostHandshakeVersion; setup and handshake
//   are called with the version the plug-in accepted (the overrides exist so
//   tests can hand a plug-in a version it must refuse). A plug-in that
//   accepts a version above the one offered is refused.
// - Every callback runs through CallbackInvoker; entry and setup (plain C)
//   get the same frame check.
// - Unload() (also run by the destructor) calls the unload callbacks in
//   reverse load order, destroys each plug-in's callbacks and closes the
//   libraries. The Extension records stay readable until destruction.
#pragma once

#include <memory>
#include <optional>
#include <string>
#include <vector>

#include "pdfhost/core/Extension.h"
#include "pdfhost/core/HostTableSet.h"

namespace pdfhost {

class SharedLibrary;

struct LoaderOptions {
    std::string folder;
    ASUns32 hostHandshakeVersion = HANDSHAKE_VERSION_V0200;
    void* mainWindow = nullptr;
    std::optional<ASUns32> setupVersion;       // the argument of setup
    std::optional<ASUns32> setupRecordVersion; // the setup record's field
    std::optional<ASUns32> handshakeVersion;   // the argument of the handshake
};

class PluginLoader {
  public:
    PluginLoader(const HostTableSet& tables, LoaderOptions options);
    ~PluginLoader();
    PluginLoader(const PluginLoader&) = delete;
    PluginLoader& operator=(const PluginLoader&) = delete;

    void LoadAll();
    void Unload();

    std::vector<const Extension*> Plugins() const;
    // By file name ("Talvane.api"); null when there is none.
    const Extension* Find(const std::string& file) const;

  private:
    struct Plugin;
    void Load(const std::string& path);
    bool Enter(Plugin& plugin);
    bool Setup(Plugin& plugin);
    bool Handshake(Plugin& plugin);
    void Lifecycle(Plugin& plugin, ASCallback callback, StepResult& step, const char* what);

    const HostTableSet& tables_;
    LoaderOptions options_;
    std::vector<std::unique_ptr<Plugin>> plugins_;
    bool unloaded_ = false;
};

} // namespace pdfhost
