#include "host/HostBinding.h"

#include <iterator>
#include <type_traits>

PITableRefs gPITables;

HostBinding& TheHostBinding() {
    static HostBinding binding;
    return binding;
}

namespace {

struct TableImport {
    const char* name;
    ASVersion lowest;
    bool required;
    void (*store)(const void* table, ASVersion version);
};

template <auto Table, auto Version> void Store(const void* table, ASVersion version) {
    using Pointer = std::remove_reference_t<decltype(gPITables.*Table)>;
    gPITables.*Table = static_cast<Pointer>(table);
    gPITables.*Version = version;
}

#define TALVANE_IMPORT(name, lowest, required, field)                                              \
    TableImport {                                                                                  \
        name, lowest, required, &Store<&PITableRefs::field, &PITableRefs::field##Version>          \
    }

// In the order of import.
const TableImport kImports[] = {
    TALVANE_IMPORT("AcroSupport", HFT_VERSION_5_0, true, acroSupport),
    TALVANE_IMPORT("Cos", HFT_VERSION_5_0, true, cos),
    TALVANE_IMPORT("PDModel", HFT_VERSION_5_0, true, pdModel),
    TALVANE_IMPORT("PDFEditWrite", HFT_VERSION_5_0, true, pdfEditWrite),
    TALVANE_IMPORT("PDFEditRead", HFT_VERSION_5_0, true, pdfEditRead),
    TALVANE_IMPORT("PDSysFont", HFT_VERSION_4_0, true, pdSysFont),
    TALVANE_IMPORT("PagePDEContent", HFT_VERSION_4_0, true, pagePDEContent),
    TALVANE_IMPORT("AcroView", HFT_VERSION_5_0, true, acroView),
    TALVANE_IMPORT("PDSWrite", HFT_VERSION_5_0, true, pdsWrite),
    TALVANE_IMPORT("PDSRead", HFT_VERSION_5_0, true, pdsRead),
    TALVANE_IMPORT("Win", HFT_VERSION_5_0, true, win),
    TALVANE_IMPORT("ASExtra", HFT_VERSION_5_0, false, asExtra),
    TALVANE_IMPORT("AcroViewSweetPea", HFT_VERSION_5_0, false, acroViewSweetPea),
    TALVANE_IMPORT("PDMetadata", HFT_VERSION_5_0, false, pdMetadata),
};

#undef TALVANE_IMPORT

bool ImportTable(const TableImport& import) {
    for (auto it = std::rbegin(kCandidateVersions);
         it != std::rend(kCandidateVersions) && *it >= import.lowest; ++it) {
        const void* table = ASExtensionMgrGetHFT(ASAtomFromString(import.name), *it);
        if (table) {
            import.store(table, *it);
            return true;
        }
    }
    return false;
}

} // namespace

bool ImportHostTables() {
    for (const TableImport& import : kImports) {
        if (!ImportTable(import) && import.required)
            return false;
    }
    return true;
}
