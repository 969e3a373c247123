#include "pdfhost/app/DialogAutomation.h"

#include <QApplication>
#include <QDialog>
#include <QTimer>

#include "pdfhost/app/DialogActions.h"
#include "pdfhost/app/PickerActions.h"
#include "pdfhost/app/PickerAnswers.h"
#include "platform/Dialog.h"

namespace pdfhost::app {
namespace {

DialogAutomation*& current() {
    static DialogAutomation* automation = nullptr;
    return automation;
}

const char* PickerName(platform::PickerKind kind) {
    switch (kind) {
    case platform::PickerKind::OpenFile:
    case platform::PickerKind::SaveFile:
        return "file";
    case platform::PickerKind::Colour:
        return "color";
    case platform::PickerKind::Font:
        return "font";
    }
    return "picker";
}

} // namespace

DialogAutomation::DialogAutomation(std::ostream& out, std::ostream& errors)
    : out_(out), errors_(errors) {}

DialogAutomation::~DialogAutomation() {
    Uninstall();
    *alive_ = false;
}

void DialogAutomation::Install() {
    if (installed_)
        return;
    installed_ = true;
    current() = this;
    platform::DialogDriver::Install(this);
    previousResponder_ =
        platform::Messages::SetResponder([](const platform::Message&) { return 1; });
}

void DialogAutomation::Uninstall() {
    if (!installed_)
        return;
    installed_ = false;
    if (current() == this)
        current() = nullptr;
    if (platform::DialogDriver::Installed() == this)
        platform::DialogDriver::Install(nullptr);
    platform::Messages::SetResponder(std::move(previousResponder_));
}

DialogAutomation* DialogAutomation::Current() {
    return current();
}

void DialogAutomation::Opened(platform::Dialog&) {
    Schedule();
}

void DialogAutomation::Closed() {
    if (platform::Dialog::Top())
        Schedule();
}

void DialogAutomation::Schedule() {
    if (scheduled_)
        return;
    scheduled_ = true;
    std::weak_ptr<bool> alive = alive_;
    QTimer::singleShot(0, QCoreApplication::instance(), [this, alive] {
        if (alive.expired())
            return;
        scheduled_ = false;
        Step();
    });
}

void DialogAutomation::Step() {
    platform::Dialog* top = platform::Dialog::Top();
    if (!top || !top->IsOpen())
        return;
    if (failed_) {
        top->End(platform::Dialog::kCancel);
        return;
    }
    std::optional<platform::DialogAnswer> answer = platform::DialogAnswers::Next();
    if (!answer) {
        Fail(line_,
             "dialog \"" + top->Caption() + "\" is waiting for an answer and the script has none");
        return;
    }
    try {
        DialogActions::Perform(*top, *answer, out_);
    } catch (const std::exception& e) {
        Fail(answer->line, e.what());
        return;
    }
    // The step may have opened and closed nested dialogs; whatever is on top
    // now takes the next answer on the next turn of its loop.
    if (platform::Dialog::Top())
        Schedule();
}

void DialogAutomation::PickerShown(platform::PickerKind kind, QDialog& picker) {
    if (failed_) {
        picker.reject();
        return;
    }
    const std::string title = picker.windowTitle().toStdString();
    std::optional<platform::DialogAnswer> answer = platform::DialogAnswers::Next();
    if (!answer) {
        picker.reject();
        Fail(line_, "dialog \"" + title + "\" is waiting for an answer and the script has none");
        return;
    }
    if (answer->step != PickerName(kind)) {
        picker.reject();
        Fail(answer->line, "\"" + answer->Describe() + "\" cannot answer the " + PickerName(kind) +
                               " picker \"" + title + "\"");
        return;
    }
    if (const std::string problem =
            PickerActions::Answer(kind, picker, PickerAnswers::Parse(*answer));
        !problem.empty())
        Fail(answer->line, problem);
}

void DialogAutomation::Fail(int line, const std::string& reason) {
    if (!failed_) {
        errors_ << "pdfhost: script line " << line << ": " << reason << '\n';
        errors_.flush();
    }
    failed_ = true;
    platform::DialogAnswers::Clear();
    // Innermost first; each loop ends as soon as control returns to it.
    const std::vector<platform::Dialog*> open = platform::Dialog::Open();
    for (auto it = open.rbegin(); it != open.rend(); ++it)
        (*it)->End(platform::Dialog::kCancel);
}

} // namespace pdfhost::app
