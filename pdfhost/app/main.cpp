// pdfhost: loads plug-ins and runs `info` or a script (see CommandLine.h).
#include <QApplication>
#include <csignal>
#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <iostream>

#include "pdfhost/app/CommandLine.h"
#include "pdfhost/app/DialogAutomation.h"
#include "pdfhost/app/DialogCommands.h"
#include "pdfhost/app/DocumentCommands.h"
#include "pdfhost/app/HandleCommands.h"
#include "pdfhost/app/HostSession.h"
#include "pdfhost/app/InfoReport.h"
#include "pdfhost/app/ScriptRunner.h"
#include "pdfhost/app/StampJob.h"
#include "pdfhost/app/ViewerCommands.h"
#include "pdfhost/core/CallbackInvoker.h"
#include "pdfhost/core/HostLog.h"
#include "pdfhost/pdf/Documents.h"
#include "pdfhost/pdf/PdfTables.h"
#include "pdfhost/viewer/RunViewer.h"
#include "platform/RegistrySetup.h"

namespace {

// Without a display the command line still works: Qt draws offscreen.
void ChooseQtPlatform() {
    if (!std::getenv("QT_QPA_PLATFORM") && !std::getenv("DISPLAY") &&
        !std::getenv("WAYLAND_DISPLAY"))
        setenv("QT_QPA_PLATFORM", "offscreen", 1);
}

std::string DefaultPluginFolder() {
    const std::filesystem::path exeDir = QCoreApplication::applicationDirPath().toStdString();
    return (exeDir / ".." / "plug_ins").lexically_normal().string();
}

// A stamp job ends by leaving the process without freeing what is left: by
// then every output is written, synced and renamed, and every temporary file
// removed; what remains is memory and descriptors, which the system takes
// back at once, where freeing qpdf's objects one by one and tearing Qt down
// took a tenth of a 20,000-page job. Sanitizer builds free everything, so
// that the leak checker still sees what a job leaves.
#ifdef TALVANE_SANITIZED_BUILD
constexpr bool kStampJobLeavesWithoutFreeing = false;
#else
constexpr bool kStampJobLeavesWithoutFreeing = true;
#endif

// Past a file-size limit the system stops the process by default, which would
// leave a save's temporary file behind and tell the user nothing; ignored, the
// write fails like one on a full disk and the save reports it.
void SurviveFileSizeLimits() {
    std::signal(SIGXFSZ, SIG_IGN);
}

} // namespace

int main(int argc, char** argv) {
    using namespace pdfhost;
    SurviveFileSizeLimits();
    app::CommandLine cl = app::CommandLine::Parse(argc, argv);
    if (cl.help) {
        std::cout << app::CommandLine::Usage();
        return 0;
    }
    if (!cl.error.empty()) {
        std::cerr << "pdfhost: " << cl.error << "\n\n" << app::CommandLine::Usage();
        return 2;
    }

    // Before any thread starts: setting the environment is not safe beside
    // one that reads it.
    ChooseQtPlatform();
    // Reading the first input is the longest step before its stamp run can
    // begin; the window system and the plug-ins start beside it.
    app::FirstInput first;
    if (cl.command == app::Command::Stamp)
        first = app::StartFirstInput(cl.stamp);

    QApplication qtApp(argc, argv);

    cl.session.loader.folder = cl.pluginFolder.value_or(DefaultPluginFolder());
    // Before any plug-in loads, so that it finds its installation folder.
    for (const std::string& problem :
         platform::RegistrySetup::ForHost(cl.registryFile, cl.session.loader.folder))
        HostLog::Report(problem);

    app::HostSession session(cl.session);
    // Each layer installs its table slots and script commands here, before
    // the plug-ins load and import the tables.
    app::RegisterViewerCommands();
    pdf::InstallPdfTables(session.Tables());
    app::RegisterDocumentCommands();
    app::RegisterDialogCommands();
    app::RegisterHandleCommands();

    session.LoadPlugins();
    // Scripted and batch runs answer dialogs from the queue; in a viewer
    // window without a script a person answers them.
    app::DialogAutomation automation(std::cout, std::cerr);
    const bool person = cl.command == app::Command::View && !cl.viewScript;
    if (cl.command != app::Command::Info && !person)
        automation.Install();
    int status = 0;
    if (cl.command == app::Command::Info)
        app::InfoReport::Write(std::cout, session.Loader());
    else if (cl.command == app::Command::Stamp)
        status = app::RunStampJob(cl.stamp, std::cerr,
                                  kStampJobLeavesWithoutFreeing ? app::LastDocument::LeaveOpen
                                                                : app::LastDocument::Close,
                                  std::move(first));
    else if (cl.command == app::Command::View)
        status = viewer::RunViewer(
            cl.viewFile, cl.viewScript ? std::optional(cl.script) : std::nullopt, std::cerr);
    else
        status = app::ScriptRunner::RunFile(cl.script, std::cerr);
    if (const std::string left = app::FinishDialogAnswers(); !left.empty()) {
        std::cerr << "pdfhost: " << cl.script << ": " << left << "\n";
        if (status == 0)
            status = 1;
    }
    if (automation.Failed() && status == 0)
        status = 1;
    automation.Uninstall();
    const bool leaveWithoutFreeing =
        cl.command == app::Command::Stamp && kStampJobLeavesWithoutFreeing;
    // Documents left open go before the exit handlers run: qpdf's own
    // statics may already be gone by the time ours are destroyed.
    if (!leaveWithoutFreeing)
        pdf::Documents::CloseAll();
    session.Shutdown();

    if (const int violations = CallbackInvoker::FrameViolations(); violations > 0) {
        HostLog::Report(std::to_string(violations) +
                        " plug-in call(s) left the exception frame stack unbalanced");
        if (status == 0)
            status = 3;
    }
    if (leaveWithoutFreeing) {
        std::cout.flush();
        std::cerr.flush();
        std::fflush(nullptr);
        std::_Exit(status);
    }
    return status;
}
