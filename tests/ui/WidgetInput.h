// Real input for the dialog tests: mouse clicks and key presses sent as
// events to the widgets a person would use, and a way to act from inside
// a modal loop.
//
// Contract: Click presses and releases the left button in the middle of a
// widget (on the box of a check box), giving it the focus first as a click
// would. Type sends one key press per character to the focused edit of an
// edit or combo box, after selecting what it held (an empty text clears it
// with Backspace). WhenModal(act) runs
// `act` once the given kind of modal window is the active modal widget
// (polled every 10 ms, for at most 5 s; a window that never comes fails the
// test). Everything runs on the GUI thread.
#pragma once

#include <QApplication>
#include <QCheckBox>
#include <QComboBox>
#include <QKeyEvent>
#include <QLineEdit>
#include <QMouseEvent>
#include <QStyleOptionButton>
#include <QTimer>
#include <functional>
#include <gtest/gtest.h>

namespace widget_input {

inline void Click(QWidget* widget) {
    ASSERT_NE(widget, nullptr);
    QPoint local = widget->rect().center();
    if (auto* box = qobject_cast<QCheckBox*>(widget)) {
        QStyleOptionButton option;
        option.initFrom(box);
        option.text = box->text();
        local = box->style()->subElementRect(QStyle::SE_CheckBoxIndicator, &option, box).center();
    }
    const QPoint global = widget->mapToGlobal(local);
    widget->setFocus(Qt::MouseFocusReason);
    QMouseEvent press(QEvent::MouseButtonPress, local, global, Qt::LeftButton, Qt::LeftButton,
                      Qt::NoModifier);
    QApplication::sendEvent(widget, &press);
    QMouseEvent release(QEvent::MouseButtonRelease, local, global, Qt::LeftButton, Qt::NoButton,
                        Qt::NoModifier);
    QApplication::sendEvent(widget, &release);
}

inline void Key(QWidget* target, int key, const QString& text = {}) {
    ASSERT_NE(target, nullptr);
    QKeyEvent press(QEvent::KeyPress, key, Qt::NoModifier, text);
    QApplication::sendEvent(target, &press);
    QKeyEvent release(QEvent::KeyRelease, key, Qt::NoModifier, text);
    QApplication::sendEvent(target, &release);
}

inline QLineEdit* EditOf(QWidget* widget) {
    if (auto* combo = qobject_cast<QComboBox*>(widget))
        return combo->lineEdit();
    return qobject_cast<QLineEdit*>(widget);
}

inline void Type(QWidget* widget, const QString& text) {
    QLineEdit* edit = EditOf(widget);
    ASSERT_NE(edit, nullptr);
    widget->setFocus(Qt::OtherFocusReason);
    edit->selectAll();
    if (text.isEmpty())
        Key(edit, Qt::Key_Backspace); // clears what was selected
    for (const QChar c : text) {
        const char16_t u = c.toUpper().unicode();
        Key(edit, u >= 0x20 && u <= 0x7e ? static_cast<int>(u) : static_cast<int>(Qt::Key_unknown),
            QString(c));
    }
}

template <typename Window> void WhenModal(std::function<void(Window&)> act, int tries = 500) {
    QTimer::singleShot(10, [act, tries] {
        if (auto* window = qobject_cast<Window*>(QApplication::activeModalWidget())) {
            act(*window);
        } else if (tries > 0) {
            WhenModal<Window>(act, tries - 1);
        } else {
            ADD_FAILURE() << "the expected modal window never came";
            if (QWidget* other = QApplication::activeModalWidget())
                other->close();
        }
    });
}

} // namespace widget_input
