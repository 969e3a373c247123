// What the viewer's tests share: the real plug-in loaded in-process under a
// host session, one viewer window on real (offscreen) widgets, a folder of
// the test's own, small generated PDFs, and a stand-in for the person who
// answers file pickers and dialogs.
#pragma once

#include <QMessageBox>
#include <deque>
#include <filesystem>
#include <gtest/gtest.h>
#include <memory>
#include <optional>
#include <string>
#include <vector>

#include "pdfhost/app/HostSession.h"
#include "pdfhost/pdf/Document.h"
#include "pdfhost/viewer/ViewerWindow.h"
#include "platform/DialogDriver.h"
#include "tests/support/TempFolder.h"

namespace pdfhost::viewer {

// Pages of 300 x 400 points, each with a small blue square.
void WritePdf(const std::filesystem::path& path, int pages);
// The same document as bytes.
std::string PdfBytes(int pages);

// What a file picker showed when it came up.
struct ShownPicker {
    platform::PickerKind kind = platform::PickerKind::OpenFile;
    std::string title;
    bool mustExist = false;
    std::string folder;   // the folder it shows
    std::string fileName; // what its name field holds
};

// Installed for its lifetime: answers each file picker through its window
// with the next path (std::nullopt: cancel) and records what it showed; ends
// every dialog that opens with 2 and records the window that owns it.
class PersonAtTheDesk : public platform::DialogDriver {
  public:
    PersonAtTheDesk();
    ~PersonAtTheDesk() override;

    std::deque<std::optional<std::string>> files;
    std::vector<ShownPicker> asked;
    std::vector<QWidget*> dialogOwners;

    void Opened(platform::Dialog& dialog) override;
    void Closed() override {}
    void PickerShown(platform::PickerKind kind, QDialog& picker) override;
};

class ViewerFixture : public ::testing::Test {
  protected:
    void SetUp() override;
    void TearDown() override;

    pdf::Document& Active();
    // Answers the unsaved-changes prompt with `button` once it is shown.
    void AnswerPrompt(QMessageBox::StandardButton button);

    testsupport::TempFolder folder_{"viewer", testsupport::TempFolder::OnFailure::Keep};
    std::filesystem::path dir_;
    std::unique_ptr<app::HostSession> session_;
    std::unique_ptr<ViewerWindow> window_;
    bool prompted_ = false;
};

} // namespace pdfhost::viewer
