#include "pdfhost/core/PluginLoader.h"

#include <algorithm>
#include <filesystem>

#include "pdfhost/core/Atoms.h"
#include "pdfhost/core/CallbackInvoker.h"
#include "pdfhost/core/Callbacks.h"
#include "pdfhost/core/HostError.h"
#include "pdfhost/core/HostLog.h"
#include "pdfhost/core/SharedLibrary.h"
#include "pdfhost/core/TableRegistry.h"

namespace pdfhost {

struct PluginLoader::Plugin {
    std::unique_ptr<Extension> extension;
    std::unique_ptr<SharedLibrary> library;
    PISetupProc setup = nullptr;
    ASCallback handshakeCallback = nullptr;
};

namespace {

std::string Version(ASUns32 v) {
    return TableRegistry::FormatVersion(v);
}

} // namespace

PluginLoader::PluginLoader(const HostTableSet& tables, LoaderOptions options)
    : tables_(tables), options_(std::move(options)) {}

PluginLoader::~PluginLoader() {
    Unload();
}

void PluginLoader::LoadAll() {
    namespace fs = std::filesystem;
    std::error_code ec;
    if (!fs::is_directory(options_.folder, ec)) {
        HostLog::Report("the plug-in folder " + options_.folder + " does not exist");
        return;
    }
    std::vector<std::string> files;
    for (const auto& entry : fs::directory_iterator(options_.folder, ec)) {
        if (entry.path().extension() == ".api" && entry.is_regular_file(ec))
            files.push_back(entry.path().string());
    }
    std::sort(files.begin(), files.end());
    for (const auto& file : files)
        Load(file);

    // Phases run across all plug-ins, so every plug-in has exported its
    // tables before any imports, and all are registered before any init.
    auto phase = [this](ASCallback Extension::*callback, StepResult Extension::*step,
                        const char* what) {
        for (auto& p : plugins_) {
            if (p->extension->handshake == StepResult::Ok)
                Lifecycle(*p, p->extension.get()->*callback, p->extension.get()->*step, what);
        }
    };
    phase(&Extension::exportTablesCallback, &Extension::exportTables, "export-tables callback");
    phase(&Extension::importReplaceAndRegisterCallback, &Extension::importReplaceAndRegister,
          "import-replace-and-register callback");
    phase(&Extension::initCallback, &Extension::init, "init callback");
}

void PluginLoader::Load(const std::string& path) {
    auto plugin = std::make_unique<Plugin>();
    plugin->extension =
        std::make_unique<Extension>(std::filesystem::path(path).filename().string());
    Plugin& p = *plugin;
    plugins_.push_back(std::move(plugin));

    std::string error;
    p.library = SharedLibrary::Open(path, error);
    if (!p.library) {
        p.extension->entry = StepResult::Failed;
        HostLog::Report("cannot load plug-in " + p.extension->file + ": " + error);
        return;
    }
    try {
        if (Enter(p) && Setup(p))
            Handshake(p);
    } catch (const HostError& e) {
        HostLog::Report("plug-in " + p.extension->Label() + " was not loaded: " + e.what());
    }
}

bool PluginLoader::Enter(Plugin& p) {
    Extension& ext = *p.extension;
    auto main = reinterpret_cast<PIMainProc>(p.library->Symbol(PI_MAIN_SYMBOL));
    if (!main) {
        ext.entry = StepResult::Failed;
        HostLog::Report("plug-in " + ext.file + " does not export " PI_MAIN_SYMBOL);
        return false;
    }
    PIWindowData windowData{options_.mainWindow, p.library->NativeHandle()};
    ASUns32 accepted = 0;
    PISetupProc setup = nullptr;
    ASBool ok = 0;
    {
        ExtensionContext::Scope scope(&ext);
        CallbackInvoker::FrameGuard guard(PI_MAIN_SYMBOL, &ext);
        ok = main(options_.hostHandshakeVersion, &accepted, &setup, &windowData);
    }
    ext.acceptedHandshakeVersion = accepted;
    if (!ok || !setup) {
        ext.entry = StepResult::Failed;
        HostLog::Report("plug-in " + ext.file + ": " PI_MAIN_SYMBOL " failed");
        return false;
    }
    if (accepted > options_.hostHandshakeVersion) {
        ext.entry = StepResult::Failed;
        HostLog::Report("plug-in " + ext.file + " wants handshake version " + Version(accepted) +
                        ", above the host's " + Version(options_.hostHandshakeVersion));
        return false;
    }
    ext.entry = StepResult::Ok;
    p.setup = setup;
    return true;
}

bool PluginLoader::Setup(Plugin& p) {
    Extension& ext = *p.extension;
    const ASUns32 accepted = ext.acceptedHandshakeVersion;
    PISetupData data{options_.setupRecordVersion.value_or(accepted), ext.Handle(), &tables_.core,
                     nullptr};
    ASBool ok = 0;
    {
        ExtensionContext::Scope scope(&ext);
        CallbackInvoker::FrameGuard guard("setup", &ext);
        ok = p.setup(options_.setupVersion.value_or(accepted), &data);
    }
    if (!ok) {
        ext.setup = StepResult::Failed;
        HostLog::Report("setup of plug-in " + ext.file + " failed");
        return false;
    }
    if (!Callbacks::BelongsTo(data.handshakeCallback, &ext)) {
        ext.setup = StepResult::Failed;
        HostLog::Report("setup of plug-in " + ext.file +
                        " succeeded without giving a handshake callback of its own");
        return false;
    }
    ext.setup = StepResult::Ok;
    p.handshakeCallback = data.handshakeCallback;
    return true;
}

bool PluginLoader::Handshake(Plugin& p) {
    Extension& ext = *p.extension;
    PIHandshakeData data{};
    data.handshakeVersion = ext.acceptedHandshakeVersion;
    data.extensionName = ASAtomNull;
    const auto outcome = CallbackInvoker::Invoke<PIHandshakeProc>(
        "handshake callback", p.handshakeCallback,
        options_.handshakeVersion.value_or(ext.acceptedHandshakeVersion),
        static_cast<void*>(&data));
    if (!outcome.value || outcome.raised) {
        ext.handshake = StepResult::Failed;
        HostLog::Report("handshake of plug-in " + ext.file + " failed");
        return false;
    }
    if (data.extensionName != ASAtomNull && Atoms::Exists(data.extensionName))
        ext.name = Atoms::Name(data.extensionName);
    // A slot holding anything but one of the plug-in's own callbacks is left
    // empty rather than followed later.
    auto own = [&](ASCallback callback, const char* what) -> ASCallback {
        if (!callback || Callbacks::BelongsTo(callback, &ext))
            return callback;
        HostLog::Report("plug-in " + ext.Label() + " handed over an invalid " + what +
                        "; it is ignored");
        return nullptr;
    };
    ext.exportTablesCallback = own(data.exportHFTsCallback, "export-tables callback");
    ext.importReplaceAndRegisterCallback =
        own(data.importReplaceAndRegisterCallback, "import-replace-and-register callback");
    ext.initCallback = own(data.initCallback, "init callback");
    ext.unloadCallback = own(data.unloadCallback, "unload callback");
    ext.handshake = StepResult::Ok;
    return true;
}

void PluginLoader::Lifecycle(Plugin& p, ASCallback callback, StepResult& step, const char* what) {
    if (!callback)
        return;
    Extension& ext = *p.extension;
    try {
        const auto outcome = CallbackInvoker::Invoke<PILifecycleProc>(what, callback);
        step = outcome.value && !outcome.raised ? StepResult::Ok : StepResult::Failed;
        if (outcome.value == 0 && !outcome.raised)
            HostLog::Report(std::string(what) + " of " + ext.Label() + " returned false");
    } catch (const HostError& e) {
        step = StepResult::Failed;
        HostLog::Report(std::string(what) + " of " + ext.Label() + " could not run: " + e.what());
    }
}

void PluginLoader::Unload() {
    if (unloaded_)
        return;
    unloaded_ = true;
    for (auto it = plugins_.rbegin(); it != plugins_.rend(); ++it) {
        Plugin& p = **it;
        Extension& ext = *p.extension;
        if (ext.handshake == StepResult::Ok)
            Lifecycle(p, ext.unloadCallback, ext.unload, "unload callback");
        Callbacks::DestroyAllOf(&ext);
        p.library.reset();
    }
}

std::vector<const Extension*> PluginLoader::Plugins() const {
    std::vector<const Extension*> out;
    for (const auto& p : plugins_)
        out.push_back(p->extension.get());
    return out;
}

const Extension* PluginLoader::Find(const std::string& file) const {
    for (const auto& p : plugins_) {
        if (p->extension->file == file)
            return p->extension.get();
    }
    return nullptr;
}

} // namespace pdfhost
