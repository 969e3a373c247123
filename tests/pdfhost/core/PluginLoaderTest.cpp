#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <sstream>

#include "pdfhost/app/HostSession.h"
#include "pdfhost/av/MenuItem.h"
#include "pdfhost/av/Menubar.h"
#include "pdfhost/av/Viewer.h"
#include "pdfhost/core/CallbackInvoker.h"
#include "pdfhost/core/ExceptionFrames.h"
#include "pdfhost/core/HostError.h"
#include "pdfhost/core/HostLog.h"

namespace pdfhost {
namespace {

class PluginLoaderTest : public ::testing::Test {
  protected:
    void SetUp() override { HostLog::SetStream(&log); }
    void TearDown() override { HostLog::SetStream(nullptr); }

    app::SessionOptions Options(const std::string& folder) {
        app::SessionOptions options;
        options.loader.folder = folder;
        return options;
    }

    std::ostringstream log;
};

TEST_F(PluginLoaderTest, ACallbackThatLeavesAFrameBehindIsReportedCountedAndRepaired) {
    app::HostSession session(Options(PROBE_PLUGIN_DIR));
    session.LoadPlugins();
    const Extension* probe = session.Loader().Find("Probe.api");
    ASSERT_NE(probe, nullptr);
    EXPECT_EQ(probe->init, StepResult::Ok);
    EXPECT_EQ(CallbackInvoker::FrameViolations(), 1);
    EXPECT_NE(log.str().find("FRAME VIOLATION: init callback of TEST:Probe returned with the "
                             "exception frame stack at depth 1 instead of 0"),
              std::string::npos)
        << log.str();
    EXPECT_EQ(ExceptionFrames::Depth(), 0u);

    const av::MenuItem* unbalanced = av::Viewer::Bar().FindItem("TEST:Unbalanced");
    ASSERT_NE(unbalanced, nullptr);
    EXPECT_EQ(unbalanced->Execute(), 0);
    EXPECT_EQ(CallbackInvoker::FrameViolations(), 2);
    EXPECT_EQ(ExceptionFrames::Depth(), 0u);
}

TEST_F(PluginLoaderTest, ARaiseEscapingACallbackReachesTheHostAsAReportedCode) {
    app::HostSession session(Options(PROBE_PLUGIN_DIR));
    session.LoadPlugins();
    const av::MenuItem* raising = av::Viewer::Bar().FindItem("TEST:Raise");
    ASSERT_NE(raising, nullptr);
    log.str("");
    EXPECT_EQ(raising->Execute(), kErrBadParameter);
    EXPECT_EQ(log.str(), "pdfhost: error: execute procedure of menu item TEST:Raise of "
                         "TEST:Probe raised 0x40010003: A bad parameter was passed to the "
                         "host.\n");
    EXPECT_EQ(CallbackInvoker::RaisedCount(), 1);

    const av::MenuItem* disabled = av::Viewer::Bar().FindItem("TEST:Disabled");
    ASSERT_NE(disabled, nullptr);
    EXPECT_FALSE(disabled->IsEnabled());
}

TEST_F(PluginLoaderTest, UnloadingDropsThePluginsCallbacksSoStaleItemsAreRefused) {
    app::HostSession session(Options(PROBE_PLUGIN_DIR));
    session.LoadPlugins();
    const av::MenuItem* item = av::Viewer::Bar().FindItem("TEST:Raise");
    ASSERT_NE(item, nullptr);
    const_cast<PluginLoader&>(session.Loader()).Unload();
    const auto* probe = session.Loader().Find("Probe.api");
    ASSERT_NE(probe, nullptr);
    EXPECT_EQ(probe->unload, StepResult::Ok);
    EXPECT_THROW(item->Execute(), HostError);
    const av::MenuItem* disabled = av::Viewer::Bar().FindItem("TEST:Disabled");
    ASSERT_NE(disabled, nullptr);
    EXPECT_FALSE(disabled->IsEnabled());
}

TEST_F(PluginLoaderTest, FilesThatAreNotPluginsAreReportedAndSkipped) {
    const auto dir = std::filesystem::path(::testing::TempDir()) / "loader-junk";
    std::filesystem::create_directories(dir);
    std::ofstream(dir / "Broken.api") << "not a shared library";
    std::ofstream(dir / "ignored.txt") << "not even named like one";
    std::filesystem::copy_file(std::filesystem::path(PROBE_PLUGIN_DIR) / "Probe.api",
                               dir / "Probe.api",
                               std::filesystem::copy_options::overwrite_existing);

    app::HostSession session(Options(dir.string()));
    session.LoadPlugins();
    const auto plugins = session.Loader().Plugins();
    ASSERT_EQ(plugins.size(), 2u);
    EXPECT_EQ(plugins[0]->file, "Broken.api");
    EXPECT_EQ(plugins[0]->entry, StepResult::Failed);
    EXPECT_EQ(plugins[0]->setup, StepResult::NotRun);
    EXPECT_EQ(plugins[1]->name, "TEST:Probe");
    EXPECT_EQ(plugins[1]->init, StepResult::Ok);
    EXPECT_NE(log.str().find("cannot load plug-in Broken.api"), std::string::npos);
}

TEST_F(PluginLoaderTest, AMissingFolderLoadsNothing) {
    app::HostSession session(Options("/nonexistent/plug_ins"));
    session.LoadPlugins();
    EXPECT_TRUE(session.Loader().Plugins().empty());
    EXPECT_NE(log.str().find("does not exist"), std::string::npos);
}

} // namespace
} // namespace pdfhost
