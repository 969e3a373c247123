// The host's instances of every function table.
//
// Contract: MakeStubbed() returns a set in which every slot of every table is
// filled with an entry that fails with kErrNotImplemented and names the
// operation. Each layer of the host then installs the operations it
// implements (core: Core and AcroSupport basics; pdf: documents, content,
// fonts, files; av: the viewer). Which tables are offered to plug-ins, and at
// which versions, is the business of TableRegistry, not of this set.
#pragma once

#include "sdk/HostTables.h"

namespace pdfhost {

struct HostTableSet {
    CoreHFT core{};
    AcroSupportHFT acroSupport{};
    CosHFT cos{};
    PDModelHFT pdModel{};
    PDFEditWriteHFT pdfEditWrite{};
    PDFEditReadHFT pdfEditRead{};
    PDSysFontHFT pdSysFont{};
    PagePDEContentHFT pagePDEContent{};
    AcroViewHFT acroView{};
    PDSWriteHFT pdsWrite{};
    PDSReadHFT pdsRead{};
    WinHFT win{};
    ASExtraHFT asExtra{};
    AcroViewSweetPeaHFT acroViewSweetPea{};
    PDMetadataHFT pdMetadata{};

    static void FillWithStubs(HostTableSet& set);
};

} // namespace pdfhost
