// The host function tables (HFTs), one struct of typed function pointers per
// table name.
//
// Contract:
// - Flat and C-compatible on purpose. A table starts with its own size; the
//   host fills every slot (an operation it does not implement still has an
//   entry, which fails with kErrNotImplemented).
// - Every operation takes, first, an error slot. The host writes 0 there on
//   success and an error code on failure (then the result is 0/null). No C++
//   exception ever crosses this boundary. Plug-ins call the operations through
//   the wrappers of sdk/HostCalls.h, which turn a non-zero code into a raise.
// - A table obtained at some version has this same layout; the version says
//   which behaviour the host promises, not a different struct.
// - Records passed with a size are checked by the host against sizeof.
#pragma once

#include "sdk/ASTypes.h"
#include "sdk/PIRecords.h"

#ifdef __cplusplus
extern "C" {
#endif

#define HFT_ERR ASErrorCode* err

/* "Core", version 2.0, handed to the plug-in in setup. */
typedef struct _t_CoreHFT {
    ASUns32 size;
    void (*ASPushExceptionFrame)(HFT_ERR, ASExceptionFrame* frame);
    void (*ASPopExceptionFrame)(HFT_ERR);
    ASErrorCode (*ASGetExceptionErrorCode)(HFT_ERR);
    /* Records the code as the current exception; the unwinding itself happens
       inside the plug-in (sdk/ASExcept.h). */
    void (*ASRaise)(HFT_ERR, ASErrorCode code);
    ASAtom (*ASAtomFromString)(HFT_ERR, const char* name);
    const char* (*ASAtomGetString)(HFT_ERR, ASAtom atom);
    ASCallback (*ASCallbackCreate)(HFT_ERR, ASExtension extension, ASGenericProc proc);
    void (*ASCallbackDestroy)(HFT_ERR, ASCallback callback);
    const void* (*ASExtensionMgrGetHFT)(HFT_ERR, ASAtom name, ASVersion version);
} CoreHFT;

/* "AcroSupport" */
typedef struct _t_AcroSupportHFT {
    ASUns32 size;
    char* (*ASGetErrorString)(HFT_ERR, ASErrorCode code, char* buffer, ASInt32 bufSize);
    void (*ASFixedMatrixConcat)(HFT_ERR, ASFixedMatrix* result, const ASFixedMatrix* m1,
                                const ASFixedMatrix* m2);
    ASFileSys (*ASGetDefaultFileSys)(HFT_ERR);
    ASPathName (*ASFileSysCreatePathName)(HFT_ERR, ASFileSys fileSys, ASAtom pathSpecType,
                                          const void* pathSpec, const void* mustBeZero);
    /* Returns its failure as the result (0 = opened) instead of raising. */
    ASErrorCode (*ASFileSysOpenFile)(HFT_ERR, ASFileSys fileSys, ASPathName path, ASUns16 mode,
                                     ASFile* file);
    void (*ASFileSysReleasePath)(HFT_ERR, ASFileSys fileSys, ASPathName path);
    /* Writes the path as NUL-terminated text, cut to the buffer; returns the
       full length. */
    ASInt32 (*ASFileSysDisplayStringFromPath)(HFT_ERR, ASFileSys fileSys, ASPathName path,
                                              char* buffer, ASInt32 bufSize);
    ASInt32 (*ASFileGetEOF)(HFT_ERR, ASFile file);
    ASInt32 (*ASFileClose)(HFT_ERR, ASFile file);
    ASFileSys (*ASFileGetFileSys)(HFT_ERR, ASFile file);
    ASPathName (*ASFileAcquirePathName)(HFT_ERR, ASFile file);
    ASStm (*ASFileStmRdOpen)(HFT_ERR, ASFile file, ASUns32 bufSize);
    ASInt32 (*ASStmClose)(HFT_ERR, ASStm stream);
} AcroSupportHFT;

/* "Cos" */
typedef struct _t_CosHFT {
    ASUns32 size;
    ASInt32 (*CosObjGetType)(HFT_ERR, CosObj obj);
    CosObj (*CosDictGet)(HFT_ERR, CosObj dict, ASAtom key);
    void (*CosDictPut)(HFT_ERR, CosObj dict, ASAtom key, CosObj value);
    CosObj (*CosNewName)(HFT_ERR, CosDoc doc, ASBool indirect, ASAtom name);
    ASAtom (*CosNameValue)(HFT_ERR, CosObj obj);
} CosHFT;

/* CosObjGetType results */
enum {
    CosNull = 0,
    CosInteger,
    CosFixed,
    CosBoolean,
    CosName,
    CosString,
    CosDict,
    CosArray,
    CosStream
};

/* "PDModel" */
typedef struct _t_PDModelHFT {
    ASUns32 size;
    ASInt32 (*PDDocGetPermissions)(HFT_ERR, PDDoc doc);
    ASInt32 (*PDDocGetNumPages)(HFT_ERR, PDDoc doc);
    PDPage (*PDDocAcquirePage)(HFT_ERR, PDDoc doc, ASInt32 pageIndex);
    void (*PDPageRelease)(HFT_ERR, PDPage page);
    ASInt32 (*PDPageGetRotate)(HFT_ERR, PDPage page);
    void (*PDPageGetMediaBox)(HFT_ERR, PDPage page, ASFixedRect* box);
    void (*PDPageGetCropBox)(HFT_ERR, PDPage page, ASFixedRect* box);
    CosDoc (*PDDocGetCosDoc)(HFT_ERR, PDDoc doc);
    void (*PDPageNotifyContentsDidChangeEx)(HFT_ERR, PDPage page, ASBool invalidateViews);
    ASFile (*PDDocGetFile)(HFT_ERR, PDDoc doc);
    /* Copies the value as NUL-terminated UTF-8 text cut at a character
       boundary; empty when the key is absent. Returns the length written. */
    ASInt32 (*PDDocGetInfo)(HFT_ERR, PDDoc doc, const char* key, char* buffer, ASInt32 bufSize);
} PDModelHFT;

/* "PDFEditRead" */
typedef struct _t_PDFEditReadHFT {
    ASUns32 size;
    ASInt32 (*PDEObjectGetType)(HFT_ERR, PDEObject obj);
    ASInt32 (*PDEContentGetNumElems)(HFT_ERR, PDEContent content);
    PDEElement (*PDEContentGetElem)(HFT_ERR, PDEContent content, ASInt32 index);
    void (*PDEImageGetAttrs)(HFT_ERR, PDEImage image, PDEImageAttrs* attrs, ASUns32 attrsSize);
    CosObj (*PDEImageGetCosObj)(HFT_ERR, PDEImage image);
} PDFEditReadHFT;

/* "PDFEditWrite" */
typedef struct _t_PDFEditWriteHFT {
    ASUns32 size;
    void (*PDEContentAddElem)(HFT_ERR, PDEContent content, ASInt32 addAfterIndex, PDEElement elem);
    void (*PDEContentRemoveElem)(HFT_ERR, PDEContent content, ASInt32 index);
    void (*PDEAcquire)(HFT_ERR, PDEObject obj);
    void (*PDERelease)(HFT_ERR, PDEObject obj);
    PDEText (*PDETextCreate)(HFT_ERR);
    void (*PDETextAdd)(HFT_ERR, PDEText text, ASUns32 flags, ASInt32 index, const ASUns8* chars,
                       ASInt32 numChars, PDEFont font, const PDEGraphicState* gstate,
                       ASUns32 gstateSize, const PDETextState* tstate, ASUns32 tstateSize,
                       const ASFixedMatrix* textMatrix, const ASFixedMatrix* strokeMatrix);
    PDEColorSpace (*PDEColorSpaceCreateFromName)(HFT_ERR, ASAtom family);
    PDEColorSpace (*PDEColorSpaceCreate)(HFT_ERR, ASAtom family, const void* csStruct);
    PDEImage (*PDEImageCreate)(HFT_ERR, const PDEImageAttrs* attrs, ASUns32 attrsSize,
                               const ASFixedMatrix* matrix, ASUns32 flags, PDEColorSpace colorSpace,
                               const PDEColorValue* colorValue, const PDEFilterArray* filters,
                               ASStm dataStm, const ASUns8* data, ASUns32 encodedLen);
    PDEExtGState (*PDEExtGStateCreateNew)(HFT_ERR, CosDoc doc);
    void (*PDEExtGStateSetOpacityFill)(HFT_ERR, PDEExtGState extGState, ASFixed opacity);
    void (*PDEElementSetGState)(HFT_ERR, PDEElement elem, const PDEGraphicState* gstate,
                                ASUns32 gstateSize);
    PDEFont (*PDEFontCreateFromSysFont)(HFT_ERR, PDSysFont sysFont, ASUns32 flags);
} PDFEditWriteHFT;

/* "PDSysFont" */
typedef struct _t_PDSysFontHFT {
    ASUns32 size;
    /* No match is a null result, not an error. */
    PDSysFont (*PDFindSysFont)(HFT_ERR, const PDEFontAttrs* attrs, ASUns32 attrsSize,
                               ASUns32 flags);
} PDSysFontHFT;

/* "PagePDEContent" */
typedef struct _t_PagePDEContentHFT {
    ASUns32 size;
    PDEContent (*PDPageAcquirePDEContent)(HFT_ERR, PDPage page, ASExtension extension);
    ASBool (*PDPageSetPDEContent)(HFT_ERR, PDPage page, ASExtension extension);
    ASInt32 (*PDPageReleasePDEContent)(HFT_ERR, PDPage page, ASExtension extension);
} PagePDEContentHFT;

/* "AcroView" */
typedef struct _t_AcroViewHFT {
    ASUns32 size;
    AVDoc (*AVAppGetActiveDoc)(HFT_ERR);
    PDDoc (*AVDocGetPDDoc)(HFT_ERR, AVDoc doc);
    ASInt32 (*AVAlert)(HFT_ERR, ASInt32 iconType, const char* message, const char* button1,
                       const char* button2, const char* button3, ASBool beep);
    void (*AVAlertNote)(HFT_ERR, const char* message);
    AVMenubar (*AVAppGetMenubar)(HFT_ERR);
    /* A menu the host does not have is a null result, not an error. */
    AVMenu (*AVMenubarAcquireMenuByName)(HFT_ERR, AVMenubar menubar, const char* name);
    void (*AVMenuRelease)(HFT_ERR, AVMenu menu);
    AVMenuItem (*AVMenuItemNew)(HFT_ERR, const char* title, const char* name, AVMenu submenu,
                                ASBool longMenusOnly, char shortcut, ASUns32 flags, AVIcon icon,
                                ASExtension owner);
    void (*AVMenuItemSetExecuteProc)(HFT_ERR, AVMenuItem item, ASCallback proc, void* data);
    void (*AVMenuItemSetComputeEnabledProc)(HFT_ERR, AVMenuItem item, ASCallback proc, void* data);
    void (*AVMenuAddMenuItem)(HFT_ERR, AVMenu menu, AVMenuItem item, ASInt32 position);
    void (*AVMenuItemRelease)(HFT_ERR, AVMenuItem item);
    AVToolBar (*AVAppGetToolBar)(HFT_ERR);
    AVToolButton (*AVToolBarGetButtonByName)(HFT_ERR, AVToolBar toolbar, ASAtom name);
    /* icon points to an AVIconData record. */
    AVToolButton (*AVToolButtonNew)(HFT_ERR, ASAtom name, AVIcon icon, ASBool pulldown,
                                    ASBool checked);
    void (*AVToolBarAddButton)(HFT_ERR, AVToolBar toolbar, AVToolButton button, ASBool before,
                               AVToolButton otherButton);
    void (*AVToolButtonSetExecuteProc)(HFT_ERR, AVToolButton button, ASCallback proc, void* data);
    void (*AVToolButtonSetHelpText)(HFT_ERR, AVToolButton button, const char* text);
} AcroViewHFT;

/* Tables a plug-in imports but calls nothing of. */
typedef struct _t_EmptyHFT {
    ASUns32 size;
} EmptyHFT;
typedef EmptyHFT PDSWriteHFT;
typedef EmptyHFT PDSReadHFT;
typedef EmptyHFT WinHFT;
typedef EmptyHFT ASExtraHFT;
typedef EmptyHFT AcroViewSweetPeaHFT;
typedef EmptyHFT PDMetadataHFT;

#undef HFT_ERR

#ifdef __cplusplus
}
#endif
