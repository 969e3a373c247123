#include "EngineTables.h"

#include "pdfhost/core/Atoms.h"
#include "pdfhost/pdf/PdfTables.h"

namespace testsupport {

pdfhost::HostTableSet& EngineTables() {
    static pdfhost::HostTableSet* set = [] {
        static pdfhost::HostTableSet s;
        pdfhost::HostTableSet::FillWithStubs(s);
        pdfhost::pdf::InstallPdfTables(s);
        return &s;
    }();
    return *set;
}

ASAtom Atom(const std::string& name) {
    return pdfhost::Atoms::FromString(name);
}

} // namespace testsupport
