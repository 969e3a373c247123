#include "ui/MainStampDialogWidgets.h"

#include <QLineEdit>

#include "platform/FilePicker.h"
#include "platform/Messages.h"
#include "platform/Shell.h"
#include "resources/DialogTemplates.h"

using namespace main_stamp_dialog;

MainStampDialogWidgets::MainStampDialogWidgets(MainStampDialog& dialog)
    : dialog_(dialog), kit_(resources::MainDialogTemplate()), handlers_(dialog, *this) {
    Bind();
    Connect();
}

// The exchange order decides which fields keep their values when a
// numeric edit does not hold an integer, so it is not the template order.
void MainStampDialogWidgets::Bind() {
    StampSettings& s = dialog_.settings;
    kit_.BindInt(kStartProc, s.nStartProc);
    kit_.BindInt(kEndProc, s.nEndProc);
    kit_.BindInt(kVertical, s.nVertical);
    kit_.BindInt(kHorizontal, s.nHorizontal);
    kit_.BindComboText(kPosition, s.szPosition);
    kit_.BindInt(kNth, s.nNth);
    kit_.BindInt(kOpacity, s.nOpacity);
    kit_.BindText(kImageFileName, s.szImageFileName);
    kit_.BindInt(kImageHeight, s.nImageHeight);
    kit_.BindInt(kImageWidth, s.nImageWidth);
    kit_.BindInt(kImageHeightPdf, s.nImageHeightPdf);
    kit_.BindInt(kImageWidthPdf, s.nImageWidthPdf);
    kit_.BindFlag(kForcePortrait, s.bForcePortrait);
    kit_.BindFlag(kCalcLeft, dialog_.bCalcLeft);
    kit_.BindFlag(kCalcRight, s.bCalcRight);
    kit_.BindFlag(kCalcTop, s.bCalcTop);
    kit_.BindFlag(kCalcBottom, dialog_.bCalcBottom);
    kit_.BindFlag(kConstrain, s.bConstrainImage);
    kit_.BindFlag(kTextOnImage, s.nTextOnImage);
}

void MainStampDialogWidgets::Connect() {
    kit_.OnInit([this] { handlers_.Open(); });
    for (const int id : {kCalcLeft, kCalcRight, kCalcBottom, kCalcTop, kForcePortrait, kConstrain,
                         kBrowse, kTextOnImage, kTextOnImageButton, kLoadSettings, kSaveSettings,
                         kSaveSettingsAs, kHtmlHelp, kStamp, kUndo, kClose})
        kit_.OnCommand(id, [this, id] { handlers_.Command(id); });
    for (const int id : {kImageWidth, kImageHeight, kImageWidthPdf, kImageHeightPdf})
        kit_.OnTextChanged(id, [this, id] { handlers_.SizeEdited(id); });
    kit_.OnSelectionChanged(kPosition,
                            [this] { handlers_.Position(kit_.SelectedIndex(kPosition)); });
    kit_.OnOk([this] { handlers_.Enter(); });
    kit_.OnCancel([this] { handlers_.Escape(); });
}

int MainStampDialogWidgets::Run() {
    struct ViewScope {
        explicit ViewScope(MainStampDialogWidgets& w) : dialog(w.dialog_) { dialog.SetView(&w); }
        ~ViewScope() { dialog.SetView(nullptr); }
        ViewScope(const ViewScope&) = delete;
        ViewScope& operator=(const ViewScope&) = delete;
        MainStampDialog& dialog;
    } scope(*this);
    return kit_.Run();
}

bool MainStampDialogWidgets::ReadControls() {
    return kit_.ReadControls();
}

void MainStampDialogWidgets::RefreshControls() {
    // The size rule refreshes on every keystroke, so the edit being typed in
    // is rewritten with its own text; without this the caret would jump to
    // the end and the next key would land there.
    auto* typing = kit_.Window() ? qobject_cast<QLineEdit*>(kit_.Window()->focusWidget()) : nullptr;
    const QString before = typing ? typing->text() : QString();
    const int caret = typing ? typing->cursorPosition() : 0;
    kit_.RefreshControls();
    if (typing && typing->text() == before)
        typing->setCursorPosition(caret);
}

void MainStampDialogWidgets::RepaintNow() {
    kit_.RepaintNow();
}

void MainStampDialogWidgets::ShowTextOnImageButton(bool visible) {
    kit_.SetVisible(kTextOnImageButton, visible);
}

void MainStampDialogWidgets::SelectPosition(int index) {
    kit_.SetSelectedIndex(kPosition, index);
}

std::optional<std::string> MainStampDialogWidgets::ChooseFile(const FileChoice& choice) {
    platform::FilePickerOptions options;
    options.title = choice.title;
    for (const auto& [label, patterns] : choice.filters)
        options.filters.push_back({label, patterns});
    options.defaultExtension = choice.defaultExtension;
    options.mustExist = choice.mustExist;
    options.hideReadOnly = choice.hideReadOnly;
    options.maxPath = choice.maxPath;
    return choice.mode == FileChoice::Mode::Open ? platform::FilePicker::Open(options)
                                                 : platform::FilePicker::Save(options);
}

void MainStampDialogWidgets::ShowOwnedBox(const std::string& caption, const std::string& text) {
    // Shown for real, a box goes over the dialog on top: this one.
    platform::Messages::MessageBox(caption, text);
}

void MainStampDialogWidgets::End(int result) {
    kit_.End(result);
}

void MainStampDialogWidgets::RunTextOnImageDialog() {
    // Its result does not matter here: what it changed is in the members.
    dialog_.textOnImage.Run();
}

void MainStampDialogWidgets::OpenWithShell(const std::string& path) {
    platform::Shell::Open(path);
}
