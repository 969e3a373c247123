#include "platform/Messages.h"

#include "platform/OwnerWindow.h"

#include <QApplication>
#include <QGuiApplication>
#include <QMessageBox>
#include <QPushButton>
#include <QWidget>
#include <iostream>

namespace platform {
namespace {

struct State {
    std::ostream* transcript = &std::cout;
    MessageResponder responder;
    int headless = -1; // -1: decide from the running application
};

State& state() {
    static State s;
    return s;
}

bool RunningInteractively() {
    if (!qobject_cast<QApplication*>(QCoreApplication::instance()))
        return false;
    const QString platformName = QGuiApplication::platformName();
    return platformName != "offscreen" && platformName != "minimal";
}

// The box stays above its owner and blocks it: the window on top (a picker
// or prompt over a dialog), else the kit dialog on top, else the main window.
QWidget* OwnerFor(const Message& m) {
    if (m.kind == MessageKind::Box)
        return nullptr;
    if (QWidget* modal = QApplication::activeModalWidget())
        return modal;
    return OwnerWindow::ForNewWindow();
}

int ShowBox(const Message& m) {
    QMessageBox box(OwnerFor(m));
    box.setWindowTitle(QString::fromStdString(m.caption));
    box.setText(QString::fromStdString(m.text));
    box.setIcon(m.kind == MessageKind::NoteAlert ? QMessageBox::Information : QMessageBox::Warning);
    std::vector<QPushButton*> buttons;
    if (m.buttons.empty()) {
        buttons.push_back(box.addButton("OK", QMessageBox::AcceptRole));
    } else {
        for (const auto& b : m.buttons)
            buttons.push_back(box.addButton(QString::fromStdString(b), QMessageBox::AcceptRole));
    }
    box.exec();
    for (size_t i = 0; i < buttons.size(); ++i) {
        if (box.clickedButton() == buttons[i])
            return static_cast<int>(i) + 1;
    }
    return 1;
}

} // namespace

int Messages::AppMessageBox(std::string_view text) {
    return Show(Message{MessageKind::AppBox, kAppCaption, std::string(text), {}});
}

int Messages::MessageBox(std::string_view caption, std::string_view text) {
    return Show(Message{MessageKind::Box, std::string(caption), std::string(text), {}});
}

int Messages::Show(const Message& message) {
    State& s = state();
    if (s.transcript) {
        *s.transcript << TranscriptLine(message) << '\n';
        s.transcript->flush();
    }
    if (s.responder) {
        if (int answer = s.responder(message); answer > 0)
            return answer;
    }
    if (Headless())
        return 1;
    return ShowBox(message);
}

void Messages::SetTranscript(std::ostream* out) {
    state().transcript = out;
}

void Messages::WriteTranscript(std::string_view line) {
    if (std::ostream* out = state().transcript) {
        *out << line << '\n';
        out->flush();
    }
}

MessageResponder Messages::SetResponder(MessageResponder responder) {
    MessageResponder previous = std::move(state().responder);
    state().responder = std::move(responder);
    return previous;
}

void Messages::SetHeadless(bool headless) {
    state().headless = headless ? 1 : 0;
}

bool Messages::Headless() {
    const int h = state().headless;
    return h < 0 ? !RunningInteractively() : h == 1;
}

std::string Messages::KindName(MessageKind kind) {
    switch (kind) {
    case MessageKind::AppBox:
        return "app-box";
    case MessageKind::Box:
        return "box";
    case MessageKind::NoteAlert:
        return "note-alert";
    case MessageKind::CautionAlert:
        return "caution-alert";
    }
    return "unknown";
}

std::string Messages::Escape(std::string_view text) {
    std::string out;
    out.reserve(text.size());
    for (char c : text) {
        switch (c) {
        case '\\':
            out += "\\\\";
            break;
        case '"':
            out += "\\\"";
            break;
        case '\n':
            out += "\\n";
            break;
        case '\r':
            out += "\\r";
            break;
        default:
            out += c;
        }
    }
    return out;
}

std::string Messages::TranscriptLine(const Message& m) {
    return "MESSAGE " + KindName(m.kind) + " \"" + Escape(m.caption) + "\" \"" + Escape(m.text) +
           "\"";
}

} // namespace platform
