// A text element made through PDETextCreate and PDETextAdd.
//
// Contract: holds text runs, each with its characters (single-byte codes in
// the font's encoding), font, fill colour, extended graphics state, font
// size (from the text state; 1 when none is given) and text matrix. AddRun
// checks its arguments: flags must ask for a run or characters, the index
// must be within 0..runs, the font must be a PDEFont, record sizes must
// match (kErrBadRecordSize), a character count must not be negative or come
// without characters. A text element whose runs hold no characters
// serialises to nothing, so writing it leaves no bytes and no element
// behind; otherwise it is written as q, BT ... ET, Q.
#pragma once

#include <array>
#include <vector>

#include "pdfhost/pdf/ColorSpaceObject.h"
#include "pdfhost/pdf/Element.h"
#include "pdfhost/pdf/ExtGStateObject.h"
#include "pdfhost/pdf/FontObject.h"

namespace pdfhost::pdf {

class TextElement : public Element {
  public:
    struct Run {
        std::string chars;
        PDERef<FontObject> font;
        PDERef<ColorSpaceObject> fillSpace;
        std::array<ASFixed, 4> fill{};
        PDERef<ExtGStateObject> extGState;
        ASFixed size = kASFixedOne;
        ASFixedMatrix matrix{kASFixedOne, 0, 0, kASFixedOne, 0, 0};
    };

    ASInt32 Type() const override { return kPDEText; }
    bool Created() const override { return true; }
    std::string Serialize(const PageTarget& target) override;
    bool DrawsNothing() const override;

    void AddRun(ASUns32 flags, ASInt32 index, const ASUns8* chars, ASInt32 numChars, PDEFont font,
                const PDEGraphicState* gstate, ASUns32 gstateSize, const PDETextState* tstate,
                ASUns32 tstateSize, const ASFixedMatrix* textMatrix);
    std::size_t Runs() const { return runs_.size(); }

  private:
    std::vector<Run> runs_;
};

} // namespace pdfhost::pdf
