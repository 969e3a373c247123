// The input a person makes, as the Qt events it produces: a mouse click, a
// key press, characters typed one key at a time.
//
// Contract: every function sends its events synchronously to the widget
// given (which must exist), so whatever the widget does in answer has
// happened when the call returns, including a modal loop it runs. A click
// gives the widget the focus first when it takes the focus by clicking, as
// the window system does.
#pragma once

#include <QPoint>
#include <QString>

class QWidget;

namespace pdfhost::app {

class InputEvents {
  public:
    static void Click(QWidget* widget, QPoint at);
    static void PressKey(QWidget* target, int key, const QString& text);
    static void PressEnter(QWidget* target);
    static void PressEscape(QWidget* target);
    // One key press per character; each is one change of an edit's text.
    static void Type(QWidget* target, const QString& text);
};

} // namespace pdfhost::app
