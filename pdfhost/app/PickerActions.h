// What a picker answer does to the real picker window, through the same Qt
// events a person's input makes.
//
// Contract: Answer() is called from inside the modal loop of `picker`, a
// shown picker of `kind` (the platform's file, colour or font picker), and
// answers it as a person would:
//   file PATH    pastes PATH (made absolute against the current directory,
//                as every path of a script is) into the file name field and
//                presses Enter;
//   color R,G,B  types #rrggbb into the picker's HTML field and presses
//                Enter;
//   font ...     clicks the face in the face list and the style nearest the
//                weight and slant, types the height as whole points (at the
//                picker's 96 dots per inch) into the size field and presses
//                Enter;
//   cancel       presses Escape.
// The picker's own rules apply (filters, default extension, must-exist).
// Message boxes the picker shows in answer are acknowledged with Enter.
// Returns an empty text when the picker took the answer and ended. When it
// did not (a face it does not list, a file it refused, a colour it did not
// take), the result is the reason, naming what the picker said, and the
// picker has been ended as a cancel.
#pragma once

#include <QDialog>
#include <string>

#include "pdfhost/app/PickerAnswers.h"
#include "platform/DialogDriver.h"

namespace pdfhost::app {

class PickerActions {
  public:
    static std::string Answer(platform::PickerKind kind, QDialog& picker,
                              const PickerAnswer& answer);
};

} // namespace pdfhost::app
