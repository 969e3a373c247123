#include "platform/DialogWindow.h"

#include <QAbstractItemView>
#include <QCheckBox>
#include <QCloseEvent>
#include <QComboBox>
#include <QGroupBox>
#include <QImage>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QPixmap>
#include <QPushButton>
#include <QShortcutEvent>
#include <algorithm>

#include "platform/Dialog.h"
#include "platform/SwatchButton.h"

namespace platform {
namespace {

constexpr const char* kControlIdProperty = "talvaneControlId";

bool IsEnterKey(int key) {
    return key == Qt::Key_Return || key == Qt::Key_Enter;
}

// Digits-only edits refuse typed characters that are not digits, as the
// home platform's number style does; pasted or programmatic text passes.
bool RefusedByDigitsOnly(const QKeyEvent* key) {
    const QString text = key->text();
    if (text.isEmpty() || (key->modifiers() & (Qt::ControlModifier | Qt::AltModifier)))
        return false;
    for (const QChar c : text) {
        if (c.isPrint() && !c.isDigit())
            return true;
    }
    return false;
}

Qt::WindowFlags FlagsFor(const DialogTemplate& t) {
    Qt::WindowFlags flags = Qt::Dialog | Qt::CustomizeWindowHint | Qt::WindowTitleHint |
                            Qt::MSWindowsFixedSizeDialogHint;
    if (t.systemMenu)
        flags |= Qt::WindowSystemMenuHint | Qt::WindowCloseButtonHint;
    return flags;
}

} // namespace

DialogWindow::DialogWindow(Dialog& owner, QWidget* parent)
    : QDialog(parent, FlagsFor(owner.Template())), owner_(owner),
      units_(DialogUnits::DialogFont(owner.Template().fontFace, owner.Template().fontPoints)) {
    const DialogTemplate& t = owner.Template();
    setObjectName(QString::number(t.id));
    setWindowTitle(QString::fromStdString(t.caption));
    setFont(DialogUnits::DialogFont(t.fontFace, t.fontPoints));
    setModal(true);
    setSizeGripEnabled(false);
    BuildMenu();
    const int top = menu_ ? menu_->sizeHint().height() : 0;
    QWidget* previous = nullptr;
    for (const ControlTemplate& control : t.controls) {
        QWidget* widget = Build(control, top);
        ordered_.push_back(widget);
        if (control.id != 0)
            controls_[control.id] = widget;
        if (widget->focusPolicy() != Qt::NoFocus) {
            if (previous)
                QWidget::setTabOrder(previous, widget);
            previous = widget;
        }
    }
    // A label's mnemonic needs a buddy to be drawn as one; what it does is
    // the kit's (Mnemonic()).
    for (std::size_t i = 0; i < ordered_.size(); ++i) {
        if (auto* label = qobject_cast<QLabel*>(ordered_[i]);
            label && t.controls[i].kind == ControlKind::Static)
            label->setBuddy(NextTabStop(i, false));
    }
    // Frames stay behind the controls they surround and never take a click.
    for (QGroupBox* frame : findChildren<QGroupBox*>(Qt::FindDirectChildrenOnly))
        frame->lower();
    setFixedSize(units_.X(t.width), units_.Y(t.height) + top);
}

void DialogWindow::BuildMenu() {
    const MenuTemplate* menuTemplate = owner_.Template().menu;
    if (!menuTemplate)
        return;
    menu_ = new QMenuBar(this); // owned by the window, as every widget below
    menu_->setObjectName(QString::number(menuTemplate->id));
    menu_->setNativeMenuBar(false);
    for (const MenuPopup& popup : menuTemplate->popups) {
        QMenu* menu = menu_->addMenu(QString::fromStdString(popup.text));
        for (const MenuCommand& command : popup.commands) {
            QAction* action = menu->addAction(QString::fromStdString(command.text));
            action->setObjectName(QString::number(command.id));
            const int id = command.id;
            connect(action, &QAction::triggered, this, [this, id] { owner_.Command(id); });
        }
    }
    menu_->setGeometry(0, 0, units_.X(owner_.Template().width), menu_->sizeHint().height());
}

QWidget* DialogWindow::Build(const ControlTemplate& c, int top) {
    QRect rect = units_.ToPixels(c.rect).translated(0, top);
    const QString text = QString::fromStdString(c.text);
    const int id = c.id;
    QWidget* widget = nullptr;
    switch (c.kind) {
    case ControlKind::PushButton: {
        QPushButton* button = nullptr;
        if (c.style & kOwnerDrawn) {
            button = new SwatchButton((c.style & kStaticEdge) != 0, this);
        } else {
            button = new QPushButton(text, this);
        }
        button->setAutoDefault(false);
        button->setDefault((c.style & kDefaultButton) != 0);
        button->setFlat((c.style & kFlat) != 0);
        button->setFocusPolicy(Qt::StrongFocus);
        connect(button, &QPushButton::clicked, this, [this, id] { owner_.Command(id); });
        widget = button;
        break;
    }
    case ControlKind::CheckBox: {
        auto* box = new QCheckBox(text, this);
        if (c.style & kTextLeftOfBox)
            box->setLayoutDirection(Qt::RightToLeft);
        box->setFocusPolicy(Qt::StrongFocus);
        connect(box, &QCheckBox::clicked, this, [this, id] { owner_.Command(id); });
        widget = box;
        break;
    }
    case ControlKind::Edit: {
        auto* edit = new QLineEdit(text, this);
        edit->setReadOnly((c.style & kReadOnly) != 0);
        edit->setAlignment((c.style & kRightAligned) ? Qt::AlignRight | Qt::AlignVCenter
                                                     : Qt::AlignLeft | Qt::AlignVCenter);
        edit->setTextMargins(1, 0, 1, 0);
        connect(edit, &QLineEdit::textChanged, this, [this, id] { owner_.TextChanged(id); });
        widget = edit;
        break;
    }
    case ControlKind::ComboBox: {
        auto* combo = new QComboBox(this);
        combo->setEditable((c.style & kDropDownEdit) != 0);
        combo->setInsertPolicy(QComboBox::NoInsert);
        if (combo->lineEdit()) {
            combo->setCompleter(nullptr);
            connect(combo->lineEdit(), &QLineEdit::textChanged, this,
                    [this, id] { owner_.TextChanged(id); });
            combo->lineEdit()->installEventFilter(this);
        }
        QStringList items;
        for (const std::string& item : c.items)
            items << QString::fromStdString(item);
        if (c.style & kSorted)
            items.sort(Qt::CaseInsensitive);
        combo->addItems(items);
        combo->setCurrentIndex(-1);
        connect(combo, &QComboBox::activated, this, [this, id] { owner_.SelectionChanged(id); });
        // The template's height covers the dropped-down list; the closed box
        // is as high as its font needs.
        const int boxHeight = combo->sizeHint().height();
        const int rowHeight = std::max(1, combo->fontMetrics().height());
        combo->setMaxVisibleItems(std::max(1, (rect.height() - boxHeight) / rowHeight));
        rect.setHeight(boxHeight);
        combo->setFocusPolicy(Qt::StrongFocus);
        widget = combo;
        break;
    }
    case ControlKind::Static: {
        auto* label = new QLabel(text, this);
        label->setAlignment((c.style & kCentered) ? Qt::AlignHCenter | Qt::AlignTop
                                                  : Qt::AlignLeft | Qt::AlignTop);
        label->setTextFormat(Qt::PlainText);
        label->setFocusPolicy(Qt::NoFocus);
        widget = label;
        break;
    }
    case ControlKind::GroupBox: {
        auto* frame = new QGroupBox(text, this);
        frame->setAttribute(Qt::WA_TransparentForMouseEvents);
        frame->setFocusPolicy(Qt::NoFocus);
        widget = frame;
        break;
    }
    case ControlKind::Picture: {
        auto* picture = new QLabel(this);
        QImage image;
        if (c.bitmapData)
            image.loadFromData(c.bitmapData, static_cast<int>(c.bitmapSize), "BMP");
        picture->setPixmap(QPixmap::fromImage(image));
        // A bitmap static takes the size of its bitmap, as on the home platform.
        if (!image.isNull())
            rect.setSize(image.size());
        picture->setFocusPolicy(Qt::NoFocus);
        widget = picture;
        break;
    }
    }
    if (c.id != 0)
        widget->setObjectName(QString::number(c.id));
    widget->setProperty(kControlIdProperty, c.id);
    if (c.style & kNoTabStop)
        widget->setFocusPolicy(widget->focusPolicy() == Qt::NoFocus ? Qt::NoFocus : Qt::ClickFocus);
    widget->setGeometry(rect);
    widget->setEnabled((c.style & kDisabled) == 0);
    widget->setVisible((c.style & kHidden) == 0);
    widget->installEventFilter(this);
    return widget;
}

QWidget* DialogWindow::NextTabStop(std::size_t after, bool usableOnly) const {
    for (std::size_t step = 1; step <= ordered_.size(); ++step) {
        QWidget* w = ordered_[(after + step) % ordered_.size()];
        if (!(w->focusPolicy() & Qt::TabFocus))
            continue;
        if (usableOnly && (w->isHidden() || !w->isEnabled()))
            continue;
        return w;
    }
    return nullptr;
}

bool DialogWindow::Mnemonic(QObject* watched, const QShortcutEvent* shortcut) {
    const auto at = std::find(ordered_.begin(), ordered_.end(), watched);
    if (at == ordered_.end())
        return false;
    const auto index = static_cast<std::size_t>(at - ordered_.begin());
    const ControlKind kind = owner_.Template().controls[index].kind;
    if (kind == ControlKind::Static || kind == ControlKind::GroupBox) {
        // As on the home platform: the focus goes to the next tab stop after
        // the label; nothing is clicked.
        if (QWidget* next = NextTabStop(index, true))
            next->setFocus(Qt::ShortcutFocusReason);
        return true;
    }
    if (auto* button = qobject_cast<QAbstractButton*>(*at)) {
        // A button's mnemonic clicks it at once (a check box toggles); when
        // two controls share the letter it only moves the focus.
        button->setFocus(Qt::ShortcutFocusReason);
        if (!shortcut->isAmbiguous())
            button->click();
        return true;
    }
    return false;
}

QWidget* DialogWindow::Control(int id) const {
    const auto it = controls_.find(id);
    return it == controls_.end() ? nullptr : it->second;
}

QWidget* DialogWindow::ControlAt(std::size_t index) const {
    return index < ordered_.size() ? ordered_[index] : nullptr;
}

void DialogWindow::EndWith(int result) {
    ending_ = true;
    done(result);
}

bool DialogWindow::HandleKey(QKeyEvent* key) {
    if (key->modifiers() & ~(Qt::KeypadModifier | Qt::ShiftModifier))
        return false;
    if (key->key() == Qt::Key_Escape) {
        owner_.Cancel();
        return true;
    }
    if (IsEnterKey(key->key())) {
        owner_.Enter(focusWidget());
        return true;
    }
    return false;
}

bool DialogWindow::eventFilter(QObject* watched, QEvent* event) {
    if (event->type() == QEvent::Shortcut && Mnemonic(watched, static_cast<QShortcutEvent*>(event)))
        return true;
    if (event->type() == QEvent::KeyPress) {
        auto* key = static_cast<QKeyEvent*>(event);
        if (HandleKey(key))
            return true;
        QObject* control = watched;
        if (auto* edit = qobject_cast<QLineEdit*>(watched); edit && edit->parent() != this)
            control = edit->parent(); // the edit field of a combo box
        const int id = control->property(kControlIdProperty).toInt();
        const ControlTemplate* c = owner_.Template().Find(id);
        if (c && c->kind == ControlKind::Edit && (c->style & kDigitsOnly) &&
            RefusedByDigitsOnly(key))
            return true;
    }
    return QDialog::eventFilter(watched, event);
}

void DialogWindow::keyPressEvent(QKeyEvent* event) {
    if (!HandleKey(event))
        QDialog::keyPressEvent(event);
}

void DialogWindow::closeEvent(QCloseEvent* event) {
    if (ending_) {
        event->accept();
        return;
    }
    // The close box is the cancel command; without a system menu there is none.
    event->ignore();
    if (owner_.Template().systemMenu)
        owner_.Cancel();
}

} // namespace platform
