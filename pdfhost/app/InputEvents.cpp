#include "pdfhost/app/InputEvents.h"

#include <QApplication>
#include <QKeyEvent>
#include <QMouseEvent>
#include <QWidget>

namespace pdfhost::app {
namespace {

int KeyFor(QChar c) {
    const char16_t u = c.toUpper().unicode();
    return u >= 0x20 && u <= 0x7e ? static_cast<int>(u) : static_cast<int>(Qt::Key_unknown);
}

} // namespace

void InputEvents::Click(QWidget* widget, QPoint at) {
    const QPoint global = widget->mapToGlobal(at);
    if (widget->focusPolicy() & Qt::ClickFocus)
        widget->setFocus(Qt::MouseFocusReason);
    QMouseEvent press(QEvent::MouseButtonPress, at, global, Qt::LeftButton, Qt::LeftButton,
                      Qt::NoModifier);
    QApplication::sendEvent(widget, &press);
    QMouseEvent release(QEvent::MouseButtonRelease, at, global, Qt::LeftButton, Qt::NoButton,
                        Qt::NoModifier);
    QApplication::sendEvent(widget, &release);
}

void InputEvents::PressKey(QWidget* target, int key, const QString& text) {
    QKeyEvent press(QEvent::KeyPress, key, Qt::NoModifier, text);
    QApplication::sendEvent(target, &press);
    QKeyEvent release(QEvent::KeyRelease, key, Qt::NoModifier, text);
    QApplication::sendEvent(target, &release);
}

void InputEvents::PressEnter(QWidget* target) {
    PressKey(target, Qt::Key_Return, "\r");
}

void InputEvents::PressEscape(QWidget* target) {
    PressKey(target, Qt::Key_Escape, QString(QChar(0x1b)));
}

void InputEvents::Type(QWidget* target, const QString& text) {
    for (const QChar c : text)
        PressKey(target, KeyFor(c), QString(c));
}

} // namespace pdfhost::app
