#include "platform/Dialog.h"

#include <QApplication>
#include <QCheckBox>
#include <QComboBox>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QTimer>
#include <algorithm>
#include <climits>

#include "platform/DialogDriver.h"
#include "platform/DialogWindow.h"
#include "platform/IntegerText.h"
#include "platform/Messages.h"
#include "platform/OwnerWindow.h"
#include "platform/SwatchButton.h"

namespace platform {
namespace {

std::vector<Dialog*>& openDialogs() {
    static std::vector<Dialog*> dialogs;
    return dialogs;
}

// The home platform's combo box search: the first entry that begins with
// the text, ignoring case. An empty text matches nothing here, so an unset
// field shows an empty box instead of the first entry.
int FindPrefix(const QComboBox* combo, const QString& text) {
    if (text.isEmpty())
        return -1;
    for (int i = 0; i < combo->count(); ++i) {
        if (combo->itemText(i).startsWith(text, Qt::CaseInsensitive))
            return i;
    }
    return -1;
}

class Transfer {
  public:
    explicit Transfer(int& depth) : depth_(depth) { ++depth_; }
    ~Transfer() { --depth_; }
    Transfer(const Transfer&) = delete;
    Transfer& operator=(const Transfer&) = delete;

  private:
    int& depth_;
};

} // namespace

Dialog::Dialog(const DialogTemplate& dialogTemplate) : template_(dialogTemplate) {}

Dialog::~Dialog() = default;

void Dialog::BindInt(int id, std::int32_t& field) {
    bindings_.push_back({id, BindingKind::Int, &field});
}
void Dialog::BindText(int id, std::string& field) {
    bindings_.push_back({id, BindingKind::Text, &field});
}
void Dialog::BindFlag(int id, bool& field) {
    bindings_.push_back({id, BindingKind::Flag, &field});
}
void Dialog::BindFlag(int id, std::int32_t& field) {
    bindings_.push_back({id, BindingKind::IntFlag, &field});
}
void Dialog::BindComboText(int id, std::string& field) {
    bindings_.push_back({id, BindingKind::ComboText, &field});
}

void Dialog::OnInit(Handler handler) {
    init_ = std::move(handler);
}
void Dialog::OnCommand(int id, Handler handler) {
    commands_.emplace_back(id, std::move(handler));
}
void Dialog::OnTextChanged(int id, Handler handler) {
    textChanges_.emplace_back(id, std::move(handler));
}
void Dialog::OnSelectionChanged(int id, Handler handler) {
    selectionChanges_.emplace_back(id, std::move(handler));
}
void Dialog::OnOk(Handler handler) {
    ok_ = std::move(handler);
}
void Dialog::OnCancel(Handler handler) {
    cancel_ = std::move(handler);
}

Dialog* Dialog::Top() {
    return openDialogs().empty() ? nullptr : openDialogs().back();
}

const std::vector<Dialog*>& Dialog::Open() {
    return openDialogs();
}

QDialog* Dialog::Window() const {
    return window_.get();
}

bool Dialog::IsOpen() const {
    return window_ != nullptr && !ended_;
}

int Dialog::Run() {
    if (window_)
        return -1; // already running: a dialog cannot nest inside itself
    window_ = std::make_unique<DialogWindow>(*this, OwnerWindow::ForNewWindow());
    openDialogs().push_back(this);
    {
        Transfer quiet(transferring_);
        for (const Binding& binding : bindings_)
            WriteBinding(binding);
    }
    if (init_)
        init_();
    int result = kCancel;
    if (earlyEnd_) {
        result = *earlyEnd_; // OnInit ended the dialog before it was shown
    } else {
        if (DialogDriver* driver = DialogDriver::Installed()) {
            // From inside the modal loop, once the window is up.
            QTimer::singleShot(0, window_.get(), [this, driver] {
                if (IsOpen())
                    driver->Opened(*this);
            });
        }
        shown_ = true;
        window_->show();
        window_->activateWindow();
        result = window_->exec();
    }
    openDialogs().erase(std::find(openDialogs().begin(), openDialogs().end(), this));
    window_.reset();
    shown_ = false;
    ended_ = false;
    earlyEnd_.reset();
    if (DialogDriver* driver = DialogDriver::Installed())
        driver->Closed();
    return result;
}

void Dialog::End(int result) {
    if (!window_)
        return;
    if (ended_)
        return; // the first End() decides, as the loop has already been told to stop
    ended_ = true;
    if (!shown_)
        earlyEnd_ = result;
    else
        window_->EndWith(result);
}

void Dialog::Notify(const std::vector<std::pair<int, Handler>>& handlers, int id) const {
    if (transferring_ > 0)
        return;
    for (const auto& [handlerId, handler] : handlers) {
        if (handlerId == id && handler) {
            handler();
            return;
        }
    }
}

void Dialog::Command(int id) {
    Notify(commands_, id);
}
void Dialog::TextChanged(int id) {
    Notify(textChanges_, id);
}
void Dialog::SelectionChanged(int id) {
    Notify(selectionChanges_, id);
}

void Dialog::Ok() {
    if (ok_) {
        ok_();
        return;
    }
    if (ReadControls())
        End(kOk);
}

void Dialog::Cancel() {
    if (cancel_)
        cancel_();
    else
        End(kCancel);
}

void Dialog::Enter(QWidget* focus) {
    if (auto* button = qobject_cast<QPushButton*>(focus)) {
        if (button->isEnabled())
            button->click();
        return;
    }
    for (const ControlTemplate& c : template_.controls) {
        if (c.kind != ControlKind::PushButton || !(c.style & kDefaultButton))
            continue;
        QWidget* button = Control(c.id);
        if (button && button->isVisible() && button->isEnabled())
            static_cast<QPushButton*>(button)->click();
        return;
    }
    Ok();
}

bool Dialog::ReadControls() {
    Transfer quiet(transferring_);
    for (const Binding& binding : bindings_) {
        if (!ReadBinding(binding)) {
            // Outside the transfer, so that the box and the focus behave as usual.
            --transferring_;
            Messages::AppMessageBox("Please enter an integer.");
            SetFocus(binding.id);
            if (auto* edit = qobject_cast<QLineEdit*>(Control(binding.id)))
                edit->selectAll();
            ++transferring_;
            return false;
        }
    }
    return true;
}

void Dialog::RefreshControls() {
    Transfer quiet(transferring_);
    for (const Binding& binding : bindings_)
        WriteBinding(binding);
}

bool Dialog::ReadBinding(const Binding& b) {
    QWidget* widget = Control(b.id);
    if (!widget)
        return true;
    switch (b.kind) {
    case BindingKind::Int: {
        const std::optional<std::int32_t> value = IntegerText::Parse(Text(b.id));
        if (!value)
            return false;
        *static_cast<std::int32_t*>(b.field) = *value;
        return true;
    }
    case BindingKind::Text:
    case BindingKind::ComboText:
        *static_cast<std::string*>(b.field) = Text(b.id);
        return true;
    case BindingKind::Flag:
        *static_cast<bool*>(b.field) = Checked(b.id);
        return true;
    case BindingKind::IntFlag:
        *static_cast<std::int32_t*>(b.field) = Checked(b.id) ? 1 : 0;
        return true;
    }
    return true;
}

void Dialog::WriteBinding(const Binding& b) {
    QWidget* widget = Control(b.id);
    if (!widget)
        return;
    switch (b.kind) {
    case BindingKind::Int:
        SetText(b.id, std::to_string(*static_cast<std::int32_t*>(b.field)));
        break;
    case BindingKind::Text:
        SetText(b.id, *static_cast<std::string*>(b.field));
        break;
    case BindingKind::ComboText: {
        auto* combo = qobject_cast<QComboBox*>(widget);
        const QString text = QString::fromStdString(*static_cast<std::string*>(b.field));
        const int index = combo ? FindPrefix(combo, text) : -1;
        if (index >= 0) {
            combo->setCurrentIndex(index);
        } else {
            if (combo)
                combo->setCurrentIndex(-1);
            SetText(b.id, text.toStdString());
        }
        break;
    }
    case BindingKind::Flag:
        SetChecked(b.id, *static_cast<bool*>(b.field));
        break;
    case BindingKind::IntFlag:
        SetChecked(b.id, *static_cast<std::int32_t*>(b.field) != 0);
        break;
    }
}

QWidget* Dialog::Control(int id) const {
    return window_ ? window_->Control(id) : nullptr;
}

QWidget* Dialog::ControlAt(std::size_t templateIndex) const {
    return window_ ? window_->ControlAt(templateIndex) : nullptr;
}

std::string Dialog::Text(int id) const {
    QWidget* w = Control(id);
    if (auto* edit = qobject_cast<QLineEdit*>(w))
        return edit->text().toStdString();
    if (auto* combo = qobject_cast<QComboBox*>(w))
        return combo->currentText().toStdString();
    if (auto* button = qobject_cast<QAbstractButton*>(w))
        return button->text().toStdString();
    if (auto* label = qobject_cast<QLabel*>(w))
        return label->text().toStdString();
    return {};
}

void Dialog::SetText(int id, const std::string& text) {
    QWidget* w = Control(id);
    const QString value = QString::fromStdString(text);
    if (auto* edit = qobject_cast<QLineEdit*>(w))
        edit->setText(value);
    else if (auto* combo = qobject_cast<QComboBox*>(w)) {
        if (combo->isEditable())
            combo->setEditText(value);
    } else if (auto* button = qobject_cast<QAbstractButton*>(w))
        button->setText(value);
    else if (auto* label = qobject_cast<QLabel*>(w))
        label->setText(value);
}

bool Dialog::Checked(int id) const {
    auto* box = qobject_cast<QAbstractButton*>(Control(id));
    return box && box->isChecked();
}

void Dialog::SetChecked(int id, bool checked) {
    if (auto* box = qobject_cast<QCheckBox*>(Control(id)))
        box->setChecked(checked);
}

void Dialog::SetVisible(int id, bool visible) {
    if (QWidget* w = Control(id))
        w->setVisible(visible);
}

void Dialog::SetEnabled(int id, bool enabled) {
    if (QWidget* w = Control(id))
        w->setEnabled(enabled);
}

int Dialog::SelectedIndex(int id) const {
    auto* combo = qobject_cast<QComboBox*>(Control(id));
    return combo ? combo->currentIndex() : -1;
}

void Dialog::SetSelectedIndex(int id, int index) {
    if (auto* combo = qobject_cast<QComboBox*>(Control(id)))
        combo->setCurrentIndex(index);
}

void Dialog::SetFocus(int id) {
    if (QWidget* w = Control(id))
        w->setFocus(Qt::OtherFocusReason);
}

void Dialog::SetSwatchColour(int id, std::uint32_t colorref) {
    if (auto* swatch = dynamic_cast<SwatchButton*>(Control(id)))
        swatch->SetColour(colorref);
}

void Dialog::RepaintNow() {
    if (window_)
        window_->repaint();
}

} // namespace platform
