#include "stamp/ImageEmbedding.h"

#include <cmath>
#include <limits>

#include "stamp/HostObjectGuards.h"
#include "stamp/StampMarker.h"

namespace {

constexpr ASErrorCode kCannotMakePath = 0x400A0011;

} // namespace

std::string HostErrorText(ASErrorCode code) {
    char buffer[256] = {};
    ASGetErrorString(code, buffer, sizeof buffer);
    return buffer;
}

ASErrorCode& StepErrorCode() {
    static ASErrorCode code = 0;
    return code;
}

void RunObjects::ReleaseAll() noexcept {
    auto releaseObject = [](PDEObject& obj) {
        if (obj) {
            PDEObject o = obj;
            obj = nullptr;
            ReleaseQuietly([o] { PDERelease(o); });
        }
    };
    releaseObject(image);
    releaseObject(imageColorSpace);
    releaseObject(textFont);
    releaseObject(textColorSpace);
    if (ASStm s = stream) {
        stream = nullptr;
        ReleaseQuietly([s] { ASStmClose(s); });
    }
    if (ASFile f = file) {
        file = nullptr;
        ReleaseQuietly([f] { ASFileClose(f); });
    }
    if (ASPathName p = path) {
        path = nullptr;
        ReleaseQuietly([this, p] { ASFileSysReleasePath(fileSys, p); });
    }
}

void CreateTextFont(RunObjects& run) {
    PDEFontAttrs attrs{};
    attrs.name = ASAtomFromString("Arial");
    attrs.type = ASAtomFromString("TrueType1");
    PDSysFont sysFont = PDFindSysFont(&attrs, sizeof attrs, kPDSysFontMatchNameAndCharSet);
    run.textFont = PDEFontCreateFromSysFont(sysFont, kPDEFontCreateEmbedded);
}

void CreateTextGraphicState(RunObjects& run) {
    run.textColorSpace = PDEColorSpaceCreate(ASAtomFromString("DeviceRGB"), nullptr);
    PDEGraphicState& g = run.textGState;
    g = PDEGraphicState{};
    g.fillColorSpec.space = run.textColorSpace;
    g.strokeColorSpec.space = run.textColorSpace;
    g.lineWidth = kASFixedOne;
    g.miterLimit = 10 * kASFixedOne;
    g.flatness = kASFixedOne;
}

namespace {

void OpenJpegFile(const std::string& jpegPath, RunObjects& run) {
    run.fileSys = ASGetDefaultFileSys();
    run.path = ASFileSysCreatePathName(run.fileSys, ASAtomFromString("Cstring"), jpegPath.c_str(),
                                       nullptr);
    if (!run.path)
        ASRaise(kCannotMakePath);
    if (ASErrorCode e = ASFileSysOpenFile(run.fileSys, run.path, ASFILE_READ, &run.file)) {
        run.file = nullptr;
        ASRaise(e);
    }
    ASPathName p = run.path;
    run.path = nullptr;
    ASFileSysReleasePath(run.fileSys, p);
    run.stream = ASFileStmRdOpen(run.file, 0);
}

} // namespace

void CreateImageElement(PDDoc doc, const ImageSpec& spec, RunObjects& run) {
    DURING
    OpenJpegFile(spec.jpegPath, run);
    HANDLER
    StepErrorCode() = ERRORCODE;
    END_HANDLER
    if (StepErrorCode() != 0)
        return;

    PDEImageAttrs attrs{};
    attrs.flags = kPDEImageExternal;
    attrs.width = spec.pixelWidth;
    attrs.height = spec.pixelHeight;
    attrs.bitsPerComponent = 8;
    const ASFixedMatrix matrix = ComputeImageMatrix(doc, spec.placement);

    run.imageColorSpace = PDEColorSpaceCreateFromName(ASAtomFromString("DeviceRGB"));
    PDEFilterArray filters{};
    filters.numFilters = 1;
    filters.spec[0].name = ASAtomFromString("DCTDecode");

    DURING
    const auto length = static_cast<ASUns32>(ASFileGetEOF(run.file));
    run.image = PDEImageCreate(&attrs, sizeof attrs, &matrix, kPDEImageEncodedData,
                               run.imageColorSpace, nullptr, &filters, run.stream, nullptr, length);
    StampMarker::Mark(run.image, PDDocGetCosDoc(doc));
    HANDLER
    StepErrorCode() = ERRORCODE;
    END_HANDLER
}

ASFixed OpacityToFixed(ASInt32 opacityPercent) {
    const float scaled = static_cast<float>(opacityPercent) * 0.01f * 65536.0f;
    const double value = static_cast<double>(scaled) + 0.5;
    constexpr double lo = std::numeric_limits<ASFixed>::min();
    constexpr double hi = std::numeric_limits<ASFixed>::max();
    if (!(value > lo))
        return std::numeric_limits<ASFixed>::min();
    if (!(value < hi))
        return std::numeric_limits<ASFixed>::max();
    return static_cast<ASFixed>(value);
}

void ApplyOpacity(PDEImage image, PDDoc doc, ASInt32 opacityPercent) {
    // The element keeps its own reference to the state; ours goes either way.
    ElementGuard state;
    DURING
    state.reset(PDEExtGStateCreateNew(PDDocGetCosDoc(doc)));
    PDEExtGStateSetOpacityFill(state.get(), OpacityToFixed(opacityPercent));
    PDEGraphicState g{};
    g.wasSetFlags = kPDEExtGStateWasSet;
    g.extGState = state.get();
    PDEElementSetGState(image, &g, sizeof g);
    HANDLER
    // Without the state the picture is simply opaque.
    END_HANDLER
}

void AddEmptyTextElement(PDDoc doc, ASInt32 pageIndex, const RunObjects& run) {
    ElementGuard text(PDETextCreate());
    DURING
    ASFixedMatrix textMatrix{};
    static const ASUns8 kNoChars[1] = {0};
    PDETextAdd(text.get(), kPDETextRun, 0, kNoChars, 0, run.textFont, &run.textGState,
               sizeof run.textGState, nullptr, 0, &textMatrix, nullptr);
    HANDLER
    AVAlertNote(("Font,Font Type or Flag error!, please see help for font details\n\n" +
                 HostErrorText(ERRORCODE))
                    .c_str());
    END_HANDLER

    PageGuard page(doc, pageIndex);
    ContentGuard content(page.get());
    PDEContentAddElem(content.get(), kPDEAfterLast, text.get());
    PDPageSetPDEContent(page.get(), gPITables.extensionID);
    text.releaseNow();
    PDPageNotifyContentsDidChangeEx(page.get(), true);
    content.releaseNow();
    page.releaseNow();
}

ASInt32 UpdatePageImage(ASInt32 pageIndex, PDEImage image, bool applyMode) {
    PDDoc doc = AVDocGetPDDoc(AVAppGetActiveDoc());
    PageGuard page(doc, pageIndex);
    ContentGuard content(page.get());
    DURING
    if (applyMode) {
        PDEContentAddElem(content.get(), kPDEAfterLast, image);
    } else {
        const ASInt32 count = PDEContentGetNumElems(content.get());
        // An empty content raises here, as removing from it would.
        if (count <= 0 || StampMarker::IsStampImage(PDEContentGetElem(content.get(), count - 1)))
            PDEContentRemoveElem(content.get(), count - 1);
    }
    HANDLER
    StepErrorCode() = ERRORCODE;
    END_HANDLER
    PDPageSetPDEContent(page.get(), gPITables.extensionID);
    PDPageNotifyContentsDidChangeEx(page.get(), true);
    content.releaseNow();
    page.releaseNow();
    return 0;
}
