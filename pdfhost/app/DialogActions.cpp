#include "pdfhost/app/DialogActions.h"

#include <QAbstractItemView>
#include <QApplication>
#include <QCheckBox>
#include <QComboBox>
#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QMenuBar>
#include <QPixmap>
#include <QPushButton>
#include <QStyleOptionButton>
#include <stdexcept>

#include "pdfhost/app/InputEvents.h"
#include "platform/Messages.h"

namespace pdfhost::app {
namespace {

using platform::Dialog;
using platform::DialogAnswer;

[[noreturn]] void Refuse(const std::string& why) {
    throw std::runtime_error(why);
}

int ControlId(const DialogAnswer& answer) {
    return std::stoi(answer.words.at(0));
}

QWidget* Find(Dialog& dialog, int id) {
    QWidget* widget = dialog.Control(id);
    if (!widget)
        Refuse("dialog \"" + dialog.Caption() + "\" has no control " + std::to_string(id));
    return widget;
}

QWidget* Usable(Dialog& dialog, int id) {
    QWidget* widget = Find(dialog, id);
    if (widget->isHidden())
        Refuse("control " + std::to_string(id) + " is hidden");
    if (!widget->isEnabled())
        Refuse("control " + std::to_string(id) + " is disabled");
    return widget;
}

// Where a person would click: a check box on its box, anything else in the
// middle.
QPoint ClickPoint(QWidget* widget) {
    if (auto* box = qobject_cast<QCheckBox*>(widget)) {
        QStyleOptionButton option;
        option.initFrom(box);
        option.text = box->text();
        return box->style()->subElementRect(QStyle::SE_CheckBoxIndicator, &option, box).center();
    }
    return widget->rect().center();
}

void MouseClick(QWidget* widget) {
    InputEvents::Click(widget, ClickPoint(widget));
}

QLineEdit* EditOf(QWidget* widget) {
    if (auto* edit = qobject_cast<QLineEdit*>(widget))
        return edit;
    if (auto* combo = qobject_cast<QComboBox*>(widget))
        return combo->lineEdit();
    return nullptr;
}

void Click(Dialog& dialog, const DialogAnswer& answer) {
    const int id = ControlId(answer);
    if (!dialog.Control(id) && dialog.Window()) {
        if (auto* bar = dialog.Window()->findChild<QMenuBar*>()) {
            if (auto* action = bar->findChild<QAction*>(QString::number(id))) {
                if (!action->isEnabled())
                    Refuse("menu command " + std::to_string(id) + " is disabled");
                action->trigger();
                return;
            }
        }
    }
    MouseClick(Usable(dialog, id));
}

void Type(Dialog& dialog, const DialogAnswer& answer, bool inOneChange) {
    const int id = ControlId(answer);
    QLineEdit* edit = EditOf(Usable(dialog, id));
    if (!edit)
        Refuse("control " + std::to_string(id) + " is not an edit or combo box with an edit");
    dialog.SetFocus(id);
    edit->selectAll();
    const QString text = QString::fromStdString(DialogActions::TextAfterId(answer));
    if (inOneChange) {
        if (!edit->isReadOnly())
            edit->insert(text); // as a paste: one change
        return;
    }
    InputEvents::Type(edit, text);
}

void Select(Dialog& dialog, const DialogAnswer& answer) {
    const int id = ControlId(answer);
    auto* combo = qobject_cast<QComboBox*>(Usable(dialog, id));
    if (!combo)
        Refuse("control " + std::to_string(id) + " is not a combo box");
    const std::string entry = DialogActions::TextAfterId(answer);
    const int index = combo->findText(QString::fromStdString(entry), Qt::MatchExactly);
    if (index < 0)
        Refuse("combo box " + std::to_string(id) + " has no entry \"" + entry + "\"");
    // Drop the list down, move to the entry and press Enter in the list.
    dialog.SetFocus(id);
    combo->showPopup();
    QAbstractItemView* list = combo->view();
    list->setCurrentIndex(combo->model()->index(index, combo->modelColumn()));
    InputEvents::PressEnter(list);
    if (combo->view()->isVisible())
        combo->hidePopup();
}

void Key(Dialog& dialog, const DialogAnswer& answer) {
    if (answer.words.size() > 1)
        dialog.SetFocus(std::stoi(answer.words[1]));
    QWidget* target = dialog.Window()->focusWidget();
    if (!target)
        target = dialog.Window();
    if (answer.words[0] == "enter")
        InputEvents::PressEnter(target);
    else
        InputEvents::PressEscape(target);
}

std::string Shown(QWidget* widget, const std::string& wanted) {
    if (wanted == "hidden" || wanted == "visible")
        return widget->isHidden() ? "hidden" : "visible";
    if (auto* box = qobject_cast<QCheckBox*>(widget);
        box && (wanted == "checked" || wanted == "unchecked"))
        return box->isChecked() ? "checked" : "unchecked";
    if (auto* edit = qobject_cast<QLineEdit*>(widget))
        return edit->text().toStdString();
    if (auto* combo = qobject_cast<QComboBox*>(widget))
        return combo->currentText().toStdString();
    if (auto* button = qobject_cast<QAbstractButton*>(widget))
        return button->text().toStdString();
    if (auto* label = qobject_cast<QLabel*>(widget))
        return label->text().toStdString();
    return {};
}

void Expect(Dialog& dialog, const DialogAnswer& answer) {
    const int id = ControlId(answer);
    const std::string wanted = DialogActions::TextAfterId(answer);
    const std::string shown = Shown(Find(dialog, id), wanted);
    if (shown != wanted)
        Refuse("control " + std::to_string(id) + " shows \"" + platform::Messages::Escape(shown) +
               "\", expected \"" + platform::Messages::Escape(wanted) + "\"");
}

void Grab(Dialog& dialog, const DialogAnswer& answer) {
    const QPixmap picture = dialog.Window()->grab();
    if (picture.isNull() || !picture.save(QString::fromStdString(answer.rest), "PNG"))
        Refuse("cannot write the picture " + answer.rest);
}

const char* KindName(platform::ControlKind kind) {
    switch (kind) {
    case platform::ControlKind::PushButton:
        return "push-button";
    case platform::ControlKind::CheckBox:
        return "check-box";
    case platform::ControlKind::Edit:
        return "edit";
    case platform::ControlKind::ComboBox:
        return "combo-box";
    case platform::ControlKind::Static:
        return "static";
    case platform::ControlKind::GroupBox:
        return "group-box";
    case platform::ControlKind::Picture:
        return "picture";
    }
    return "control";
}

} // namespace

std::string DialogActions::TextAfterId(const DialogAnswer& answer) {
    const std::string& rest = answer.rest;
    const auto end = rest.find_first_of(" \t");
    if (end == std::string::npos)
        return {};
    const auto start = rest.find_first_not_of(" \t", end);
    return start == std::string::npos ? std::string() : rest.substr(start);
}

void DialogActions::Dump(Dialog& dialog, std::ostream& out) {
    QDialog* window = dialog.Window();
    const auto& controls = dialog.Template().controls;
    for (std::size_t i = 0; i < controls.size(); ++i) {
        const platform::ControlTemplate& c = controls[i];
        QWidget* widget = dialog.ControlAt(i);
        if (!widget)
            continue;
        const auto* box = qobject_cast<QCheckBox*>(widget);
        out << "CONTROL " << c.id << ' ' << KindName(c.kind) << " \""
            << platform::Messages::Escape(Shown(widget, "")) << "\" "
            << (box ? (box->isChecked() ? "checked" : "unchecked") : "-") << ' '
            << (widget->isHidden() ? "hidden" : "visible") << ' '
            << (widget->isEnabled() ? "enabled" : "disabled") << '\n';
    }
    out << "DIALOG \"" << platform::Messages::Escape(dialog.Caption()) << "\" " << window->width()
        << 'x' << window->height() << '\n';
    out.flush();
}

void DialogActions::Perform(Dialog& dialog, const DialogAnswer& answer, std::ostream& out) {
    if (answer.step == "click")
        Click(dialog, answer);
    else if (answer.step == "type")
        Type(dialog, answer, false);
    else if (answer.step == "set")
        Type(dialog, answer, true);
    else if (answer.step == "select")
        Select(dialog, answer);
    else if (answer.step == "key")
        Key(dialog, answer);
    else if (answer.step == "expect")
        Expect(dialog, answer);
    else if (answer.step == "dump")
        Dump(dialog, out);
    else if (answer.step == "grab")
        Grab(dialog, answer);
    else
        Refuse("\"" + answer.Describe() + "\" answers a picker, but dialog \"" + dialog.Caption() +
               "\" is on top");
}

} // namespace pdfhost::app
