#include "pdfhost/pdf/TextElement.h"

#include <cstdio>

#include "pdfhost/core/HostError.h"
#include "pdfhost/pdf/Document.h"
#include "pdfhost/pdf/FixedMath.h"

namespace pdfhost::pdf {
namespace {

std::string LiteralString(const std::string& chars) {
    std::string out = "(";
    for (unsigned char c : chars) {
        if (c == '(' || c == ')' || c == '\\') {
            out += '\\';
            out += static_cast<char>(c);
        } else if (c < 32 || c > 126) {
            char buf[8];
            std::snprintf(buf, sizeof buf, "\\%03o", c);
            out += buf;
        } else {
            out += static_cast<char>(c);
        }
    }
    return out + ")";
}

} // namespace

void TextElement::AddRun(ASUns32 flags, ASInt32 index, const ASUns8* chars, ASInt32 numChars,
                         PDEFont font, const PDEGraphicState* gstate, ASUns32 gstateSize,
                         const PDETextState* tstate, ASUns32 tstateSize,
                         const ASFixedMatrix* textMatrix) {
    if (!(flags & (kPDETextRun | kPDETextChar)))
        Raise(kErrBadParameter, "PDETextAdd needs kPDETextRun or kPDETextChar in its flags.");
    if (index < 0 || static_cast<std::size_t>(index) > runs_.size())
        Raise(kErrBadParameter, "Text run index " + std::to_string(index) +
                                    " is out of range: the element has " +
                                    std::to_string(runs_.size()) + " runs.");
    if (numChars < 0 || (numChars > 0 && !chars))
        Raise(kErrBadParameter, "The characters of a text run are missing.");
    if (gstate && gstateSize != sizeof(PDEGraphicState))
        Raise(kErrBadRecordSize, "The graphics state record must be " +
                                     std::to_string(sizeof(PDEGraphicState)) + " bytes.");
    if (tstate && tstateSize != sizeof(PDETextState))
        Raise(kErrBadRecordSize,
              "The text state record must be " + std::to_string(sizeof(PDETextState)) + " bytes.");

    Run run;
    run.font = PDERef<FontObject>::Share(&PDEObjectBase::As<FontObject>(font, "font"));
    if (numChars > 0)
        run.chars.assign(reinterpret_cast<const char*>(chars), static_cast<std::size_t>(numChars));
    if (gstate) {
        if (gstate->fillColorSpec.space) {
            run.fillSpace = PDERef<ColorSpaceObject>::Share(
                &PDEObjectBase::As<ColorSpaceObject>(gstate->fillColorSpec.space, "colour space"));
            for (std::size_t i = 0; i < run.fill.size(); ++i)
                run.fill[i] = gstate->fillColorSpec.value.color[i];
        }
        if ((gstate->wasSetFlags & kPDEExtGStateWasSet) && gstate->extGState)
            run.extGState = PDERef<ExtGStateObject>::Share(
                &PDEObjectBase::As<ExtGStateObject>(gstate->extGState, "extended graphics state"));
    }
    if (tstate && tstate->fontSize != 0)
        run.size = tstate->fontSize;
    if (textMatrix)
        run.matrix = *textMatrix;
    runs_.insert(runs_.begin() + index, std::move(run));
}

bool TextElement::DrawsNothing() const {
    for (const Run& run : runs_)
        if (!run.chars.empty())
            return false;
    return true;
}

std::string TextElement::Serialize(const PageTarget& target) {
    std::string body;
    for (Run& run : runs_) {
        if (run.chars.empty())
            continue;
        if (run.extGState) {
            body += target.NameFor("/ExtGState", "PHGs", run.extGState->In(target.doc)) + " gs\n";
            if (run.extGState->Transparent())
                target.doc.NoteTransparency();
        }
        body += "BT\n";
        if (run.fillSpace) {
            for (int i = 0; i < run.fillSpace->Components(); ++i)
                body += Format(run.fill[static_cast<std::size_t>(i)]) + " ";
            body += std::string(run.fillSpace->FillOperator()) + "\n";
        }
        body += target.NameFor("/Font", "PHF", run.font->In(target.doc)) + " " + Format(run.size) +
                " Tf\n" + Format(run.matrix) + " Tm\n" + LiteralString(run.chars) + " Tj\nET\n";
    }
    return body.empty() ? std::string() : "q\n" + body + "Q\n";
}

} // namespace pdfhost::pdf
