// The host operations under their published names, for plug-in code.
//
// Contract: each wrapper calls the slot of the imported table, and turns a
// non-zero error code into a raise (sdk/ASExcept.h). A table the plug-in did
// not obtain raises kErrNoTable; an empty slot raises kErrNotImplemented. The
// table pointers live in gPITables, which the plug-in's binding defines and
// fills during setup.
#pragma once

#include <utility>

#include "sdk/ASExcept.h"
#include "sdk/HostTables.h"

struct PITableRefs {
    ASExtension extensionID = nullptr;
    const CoreHFT* core = nullptr;
    ASVersion coreVersion = 0;
    const AcroSupportHFT* acroSupport = nullptr;
    ASVersion acroSupportVersion = 0;
    const CosHFT* cos = nullptr;
    ASVersion cosVersion = 0;
    const PDModelHFT* pdModel = nullptr;
    ASVersion pdModelVersion = 0;
    const PDFEditWriteHFT* pdfEditWrite = nullptr;
    ASVersion pdfEditWriteVersion = 0;
    const PDFEditReadHFT* pdfEditRead = nullptr;
    ASVersion pdfEditReadVersion = 0;
    const PDSysFontHFT* pdSysFont = nullptr;
    ASVersion pdSysFontVersion = 0;
    const PagePDEContentHFT* pagePDEContent = nullptr;
    ASVersion pagePDEContentVersion = 0;
    const AcroViewHFT* acroView = nullptr;
    ASVersion acroViewVersion = 0;
    const PDSWriteHFT* pdsWrite = nullptr;
    ASVersion pdsWriteVersion = 0;
    const PDSReadHFT* pdsRead = nullptr;
    ASVersion pdsReadVersion = 0;
    const WinHFT* win = nullptr;
    ASVersion winVersion = 0;
    const ASExtraHFT* asExtra = nullptr;
    ASVersion asExtraVersion = 0;
    const AcroViewSweetPeaHFT* acroViewSweetPea = nullptr;
    ASVersion acroViewSweetPeaVersion = 0;
    const PDMetadataHFT* pdMetadata = nullptr;
    ASVersion pdMetadataVersion = 0;
};

extern PITableRefs gPITables;

namespace sdk {

template <typename T, typename R, typename... P, typename... A>
inline R CallHost(const T* table, R (*T::*slot)(ASErrorCode*, P...), A&&... args) {
    if (!table)
        ASRaise(kErrNoTable);
    auto fn = table->*slot;
    if (!fn)
        ASRaise(kErrNotImplemented);
    ASErrorCode err = 0;
    if constexpr (std::is_void_v<R>) {
        fn(&err, std::forward<A>(args)...);
        if (err)
            ASRaise(err);
    } else {
        R result = fn(&err, std::forward<A>(args)...);
        if (err)
            ASRaise(err);
        return result;
    }
}

} // namespace sdk

// NOLINTBEGIN: the names are the host's published ones.
#define SDK_HOST_CALL(Ret, Name, Table, Type, Params, Args)                                        \
    inline Ret Name Params {                                                                       \
        return sdk::CallHost(gPITables.Table, &Type::Name SDK_COMMA_ARGS Args);                    \
    }
#define SDK_COMMA_ARGS(...) __VA_OPT__(, ) __VA_ARGS__

// Core
SDK_HOST_CALL(ASAtom, ASAtomFromString, core, CoreHFT, (const char* s), (s))
SDK_HOST_CALL(const char*, ASAtomGetString, core, CoreHFT, (ASAtom a), (a))
SDK_HOST_CALL(ASCallback, ASCallbackCreate, core, CoreHFT, (ASExtension e, ASGenericProc p), (e, p))
SDK_HOST_CALL(void, ASCallbackDestroy, core, CoreHFT, (ASCallback c), (c))
SDK_HOST_CALL(const void*, ASExtensionMgrGetHFT, core, CoreHFT, (ASAtom n, ASVersion v), (n, v))

// AcroSupport
SDK_HOST_CALL(char*, ASGetErrorString, acroSupport, AcroSupportHFT,
              (ASErrorCode c, char* b, ASInt32 s), (c, b, s))
SDK_HOST_CALL(void, ASFixedMatrixConcat, acroSupport, AcroSupportHFT,
              (ASFixedMatrix * r, const ASFixedMatrix* m1, const ASFixedMatrix* m2), (r, m1, m2))
SDK_HOST_CALL(ASFileSys, ASGetDefaultFileSys, acroSupport, AcroSupportHFT, (), ())
SDK_HOST_CALL(ASPathName, ASFileSysCreatePathName, acroSupport, AcroSupportHFT,
              (ASFileSys fs, ASAtom t, const void* s, const void* z), (fs, t, s, z))
SDK_HOST_CALL(ASErrorCode, ASFileSysOpenFile, acroSupport, AcroSupportHFT,
              (ASFileSys fs, ASPathName p, ASUns16 m, ASFile* f), (fs, p, m, f))
SDK_HOST_CALL(void, ASFileSysReleasePath, acroSupport, AcroSupportHFT, (ASFileSys fs, ASPathName p),
              (fs, p))
SDK_HOST_CALL(ASInt32, ASFileSysDisplayStringFromPath, acroSupport, AcroSupportHFT,
              (ASFileSys fs, ASPathName p, char* b, ASInt32 s), (fs, p, b, s))
SDK_HOST_CALL(ASInt32, ASFileGetEOF, acroSupport, AcroSupportHFT, (ASFile f), (f))
SDK_HOST_CALL(ASInt32, ASFileClose, acroSupport, AcroSupportHFT, (ASFile f), (f))
SDK_HOST_CALL(ASFileSys, ASFileGetFileSys, acroSupport, AcroSupportHFT, (ASFile f), (f))
SDK_HOST_CALL(ASPathName, ASFileAcquirePathName, acroSupport, AcroSupportHFT, (ASFile f), (f))
SDK_HOST_CALL(ASStm, ASFileStmRdOpen, acroSupport, AcroSupportHFT, (ASFile f, ASUns32 b), (f, b))
SDK_HOST_CALL(ASInt32, ASStmClose, acroSupport, AcroSupportHFT, (ASStm s), (s))

// Cos
SDK_HOST_CALL(ASInt32, CosObjGetType, cos, CosHFT, (CosObj o), (o))
SDK_HOST_CALL(CosObj, CosDictGet, cos, CosHFT, (CosObj d, ASAtom k), (d, k))
SDK_HOST_CALL(void, CosDictPut, cos, CosHFT, (CosObj d, ASAtom k, CosObj v), (d, k, v))
SDK_HOST_CALL(CosObj, CosNewName, cos, CosHFT, (CosDoc d, ASBool i, ASAtom n), (d, i, n))
SDK_HOST_CALL(ASAtom, CosNameValue, cos, CosHFT, (CosObj o), (o))

// PDModel
SDK_HOST_CALL(ASInt32, PDDocGetPermissions, pdModel, PDModelHFT, (PDDoc d), (d))
SDK_HOST_CALL(ASInt32, PDDocGetNumPages, pdModel, PDModelHFT, (PDDoc d), (d))
SDK_HOST_CALL(PDPage, PDDocAcquirePage, pdModel, PDModelHFT, (PDDoc d, ASInt32 i), (d, i))
SDK_HOST_CALL(void, PDPageRelease, pdModel, PDModelHFT, (PDPage p), (p))
SDK_HOST_CALL(ASInt32, PDPageGetRotate, pdModel, PDModelHFT, (PDPage p), (p))
SDK_HOST_CALL(void, PDPageGetMediaBox, pdModel, PDModelHFT, (PDPage p, ASFixedRect* r), (p, r))
SDK_HOST_CALL(void, PDPageGetCropBox, pdModel, PDModelHFT, (PDPage p, ASFixedRect* r), (p, r))
SDK_HOST_CALL(CosDoc, PDDocGetCosDoc, pdModel, PDModelHFT, (PDDoc d), (d))
SDK_HOST_CALL(void, PDPageNotifyContentsDidChangeEx, pdModel, PDModelHFT, (PDPage p, ASBool i),
              (p, i))
SDK_HOST_CALL(ASFile, PDDocGetFile, pdModel, PDModelHFT, (PDDoc d), (d))
SDK_HOST_CALL(ASInt32, PDDocGetInfo, pdModel, PDModelHFT,
              (PDDoc d, const char* k, char* b, ASInt32 s), (d, k, b, s))

// PDFEditRead
SDK_HOST_CALL(ASInt32, PDEObjectGetType, pdfEditRead, PDFEditReadHFT, (PDEObject o), (o))
SDK_HOST_CALL(ASInt32, PDEContentGetNumElems, pdfEditRead, PDFEditReadHFT, (PDEContent c), (c))
SDK_HOST_CALL(PDEElement, PDEContentGetElem, pdfEditRead, PDFEditReadHFT, (PDEContent c, ASInt32 i),
              (c, i))
SDK_HOST_CALL(void, PDEImageGetAttrs, pdfEditRead, PDFEditReadHFT,
              (PDEImage i, PDEImageAttrs* a, ASUns32 s), (i, a, s))
SDK_HOST_CALL(CosObj, PDEImageGetCosObj, pdfEditRead, PDFEditReadHFT, (PDEImage i), (i))

// PDFEditWrite
SDK_HOST_CALL(void, PDEContentAddElem, pdfEditWrite, PDFEditWriteHFT,
              (PDEContent c, ASInt32 i, PDEElement e), (c, i, e))
SDK_HOST_CALL(void, PDEContentRemoveElem, pdfEditWrite, PDFEditWriteHFT, (PDEContent c, ASInt32 i),
              (c, i))
SDK_HOST_CALL(void, PDEAcquire, pdfEditWrite, PDFEditWriteHFT, (PDEObject o), (o))
SDK_HOST_CALL(void, PDERelease, pdfEditWrite, PDFEditWriteHFT, (PDEObject o), (o))
SDK_HOST_CALL(PDEText, PDETextCreate, pdfEditWrite, PDFEditWriteHFT, (), ())
SDK_HOST_CALL(void, PDETextAdd, pdfEditWrite, PDFEditWriteHFT,
              (PDEText t, ASUns32 f, ASInt32 i, const ASUns8* c, ASInt32 n, PDEFont font,
               const PDEGraphicState* g, ASUns32 gs, const PDETextState* ts, ASUns32 tss,
               const ASFixedMatrix* tm, const ASFixedMatrix* sm),
              (t, f, i, c, n, font, g, gs, ts, tss, tm, sm))
SDK_HOST_CALL(PDEColorSpace, PDEColorSpaceCreateFromName, pdfEditWrite, PDFEditWriteHFT, (ASAtom f),
              (f))
SDK_HOST_CALL(PDEColorSpace, PDEColorSpaceCreate, pdfEditWrite, PDFEditWriteHFT,
              (ASAtom f, const void* s), (f, s))
SDK_HOST_CALL(PDEImage, PDEImageCreate, pdfEditWrite, PDFEditWriteHFT,
              (const PDEImageAttrs* a, ASUns32 as, const ASFixedMatrix* m, ASUns32 f,
               PDEColorSpace cs, const PDEColorValue* cv, const PDEFilterArray* fa, ASStm stm,
               const ASUns8* d, ASUns32 len),
              (a, as, m, f, cs, cv, fa, stm, d, len))
SDK_HOST_CALL(PDEExtGState, PDEExtGStateCreateNew, pdfEditWrite, PDFEditWriteHFT, (CosDoc d), (d))
SDK_HOST_CALL(void, PDEExtGStateSetOpacityFill, pdfEditWrite, PDFEditWriteHFT,
              (PDEExtGState g, ASFixed o), (g, o))
SDK_HOST_CALL(void, PDEElementSetGState, pdfEditWrite, PDFEditWriteHFT,
              (PDEElement e, const PDEGraphicState* g, ASUns32 s), (e, g, s))
SDK_HOST_CALL(PDEFont, PDEFontCreateFromSysFont, pdfEditWrite, PDFEditWriteHFT,
              (PDSysFont f, ASUns32 fl), (f, fl))

// PDSysFont
SDK_HOST_CALL(PDSysFont, PDFindSysFont, pdSysFont, PDSysFontHFT,
              (const PDEFontAttrs* a, ASUns32 s, ASUns32 f), (a, s, f))

// PagePDEContent
SDK_HOST_CALL(PDEContent, PDPageAcquirePDEContent, pagePDEContent, PagePDEContentHFT,
              (PDPage p, ASExtension e), (p, e))
SDK_HOST_CALL(ASBool, PDPageSetPDEContent, pagePDEContent, PagePDEContentHFT,
              (PDPage p, ASExtension e), (p, e))
SDK_HOST_CALL(ASInt32, PDPageReleasePDEContent, pagePDEContent, PagePDEContentHFT,
              (PDPage p, ASExtension e), (p, e))

// AcroView
SDK_HOST_CALL(AVDoc, AVAppGetActiveDoc, acroView, AcroViewHFT, (), ())
SDK_HOST_CALL(PDDoc, AVDocGetPDDoc, acroView, AcroViewHFT, (AVDoc d), (d))
SDK_HOST_CALL(ASInt32, AVAlert, acroView, AcroViewHFT,
              (ASInt32 i, const char* m, const char* b1, const char* b2, const char* b3,
               ASBool beep),
              (i, m, b1, b2, b3, beep))
SDK_HOST_CALL(void, AVAlertNote, acroView, AcroViewHFT, (const char* m), (m))
SDK_HOST_CALL(AVMenubar, AVAppGetMenubar, acroView, AcroViewHFT, (), ())
SDK_HOST_CALL(AVMenu, AVMenubarAcquireMenuByName, acroView, AcroViewHFT,
              (AVMenubar b, const char* n), (b, n))
SDK_HOST_CALL(void, AVMenuRelease, acroView, AcroViewHFT, (AVMenu m), (m))
SDK_HOST_CALL(AVMenuItem, AVMenuItemNew, acroView, AcroViewHFT,
              (const char* t, const char* n, AVMenu sub, ASBool l, char sc, ASUns32 f, AVIcon i,
               ASExtension o),
              (t, n, sub, l, sc, f, i, o))
SDK_HOST_CALL(void, AVMenuItemSetExecuteProc, acroView, AcroViewHFT,
              (AVMenuItem m, ASCallback p, void* d), (m, p, d))
SDK_HOST_CALL(void, AVMenuItemSetComputeEnabledProc, acroView, AcroViewHFT,
              (AVMenuItem m, ASCallback p, void* d), (m, p, d))
SDK_HOST_CALL(void, AVMenuAddMenuItem, acroView, AcroViewHFT, (AVMenu m, AVMenuItem i, ASInt32 p),
              (m, i, p))
SDK_HOST_CALL(void, AVMenuItemRelease, acroView, AcroViewHFT, (AVMenuItem m), (m))
SDK_HOST_CALL(AVToolBar, AVAppGetToolBar, acroView, AcroViewHFT, (), ())
SDK_HOST_CALL(AVToolButton, AVToolBarGetButtonByName, acroView, AcroViewHFT,
              (AVToolBar t, ASAtom n), (t, n))
SDK_HOST_CALL(AVToolButton, AVToolButtonNew, acroView, AcroViewHFT,
              (ASAtom n, AVIcon i, ASBool p, ASBool c), (n, i, p, c))
SDK_HOST_CALL(void, AVToolBarAddButton, acroView, AcroViewHFT,
              (AVToolBar t, AVToolButton b, ASBool before, AVToolButton o), (t, b, before, o))
SDK_HOST_CALL(void, AVToolButtonSetExecuteProc, acroView, AcroViewHFT,
              (AVToolButton b, ASCallback p, void* d), (b, p, d))
SDK_HOST_CALL(void, AVToolButtonSetHelpText, acroView, AcroViewHFT, (AVToolButton b, const char* t),
              (b, t))
// NOLINTEND
