// A plug-in as the host knows it: its file, the name it gave in the
// handshake, the tables it obtained and how far loading got.
//
// Contract: the ASExtension handle handed to the plug-in is registered for
// the object's lifetime, so a handle of an unloaded plug-in is refused, not
// followed, even when a later Extension takes its place in memory.
// FromHandle() raises kErrBadHandle for anything else. The loader owns every
// Extension; callbacks and menu items refer to it, never own it.
#pragma once

#include <string>
#include <vector>

#include "pdfhost/core/RegisteredHandle.h"
#include "sdk/PIRecords.h"

namespace pdfhost {

enum class StepResult { NotRun, Ok, Failed };

struct ObtainedTable {
    std::string name;
    ASVersion version = 0;
};

class Extension {
  public:
    explicit Extension(std::string file);
    ~Extension();
    Extension(const Extension&) = delete;
    Extension& operator=(const Extension&) = delete;

    ASExtension Handle() const { return handle_.As<ASExtension>(); }
    static Extension* FromHandle(ASExtension handle);

    // A label for reports: the extension name once known, else the file.
    std::string Label() const;

    std::string file;
    std::string name; // from the handshake; empty before
    ASUns32 acceptedHandshakeVersion = 0;
    std::vector<ObtainedTable> tables;

    StepResult entry = StepResult::NotRun;
    StepResult setup = StepResult::NotRun;
    StepResult handshake = StepResult::NotRun;
    StepResult exportTables = StepResult::NotRun;
    StepResult importReplaceAndRegister = StepResult::NotRun;
    StepResult init = StepResult::NotRun;
    StepResult unload = StepResult::NotRun;

    // Filled from the handshake record.
    ASCallback exportTablesCallback = nullptr;
    ASCallback importReplaceAndRegisterCallback = nullptr;
    ASCallback initCallback = nullptr;
    ASCallback unloadCallback = nullptr;

  private:
    RegisteredHandle handle_{this, HandleKind::Extension};
};

// The extension whose code is running, so that host operations without an
// extension argument (ASExtensionMgrGetHFT) know whom they serve.
class ExtensionContext {
  public:
    static Extension* Current();

    class Scope {
      public:
        explicit Scope(Extension* extension);
        ~Scope();
        Scope(const Scope&) = delete;
        Scope& operator=(const Scope&) = delete;

      private:
        Extension* previous_;
    };
};

const char* StepResultName(StepResult result);

} // namespace pdfhost
