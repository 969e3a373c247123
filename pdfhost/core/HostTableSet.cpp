#include "pdfhost/core/HostTableSet.h"

#include "pdfhost/core/HostEntry.h"

namespace pdfhost {

void HostTableSet::FillWithStubs(HostTableSet& s) {
    s.core.size = sizeof(s.core);
    HOST_NOT_IMPLEMENTED(s.core, ASPushExceptionFrame);
    HOST_NOT_IMPLEMENTED(s.core, ASPopExceptionFrame);
    HOST_NOT_IMPLEMENTED(s.core, ASGetExceptionErrorCode);
    HOST_NOT_IMPLEMENTED(s.core, ASRaise);
    HOST_NOT_IMPLEMENTED(s.core, ASAtomFromString);
    HOST_NOT_IMPLEMENTED(s.core, ASAtomGetString);
    HOST_NOT_IMPLEMENTED(s.core, ASCallbackCreate);
    HOST_NOT_IMPLEMENTED(s.core, ASCallbackDestroy);
    HOST_NOT_IMPLEMENTED(s.core, ASExtensionMgrGetHFT);
    s.acroSupport.size = sizeof(s.acroSupport);
    HOST_NOT_IMPLEMENTED(s.acroSupport, ASGetErrorString);
    HOST_NOT_IMPLEMENTED(s.acroSupport, ASFixedMatrixConcat);
    HOST_NOT_IMPLEMENTED(s.acroSupport, ASGetDefaultFileSys);
    HOST_NOT_IMPLEMENTED(s.acroSupport, ASFileSysCreatePathName);
    HOST_NOT_IMPLEMENTED(s.acroSupport, ASFileSysOpenFile);
    HOST_NOT_IMPLEMENTED(s.acroSupport, ASFileSysReleasePath);
    HOST_NOT_IMPLEMENTED(s.acroSupport, ASFileSysDisplayStringFromPath);
    HOST_NOT_IMPLEMENTED(s.acroSupport, ASFileGetEOF);
    HOST_NOT_IMPLEMENTED(s.acroSupport, ASFileClose);
    HOST_NOT_IMPLEMENTED(s.acroSupport, ASFileGetFileSys);
    HOST_NOT_IMPLEMENTED(s.acroSupport, ASFileAcquirePathName);
    HOST_NOT_IMPLEMENTED(s.acroSupport, ASFileStmRdOpen);
    HOST_NOT_IMPLEMENTED(s.acroSupport, ASStmClose);
    s.cos.size = sizeof(s.cos);
    HOST_NOT_IMPLEMENTED(s.cos, CosObjGetType);
    HOST_NOT_IMPLEMENTED(s.cos, CosDictGet);
    HOST_NOT_IMPLEMENTED(s.cos, CosDictPut);
    HOST_NOT_IMPLEMENTED(s.cos, CosNewName);
    HOST_NOT_IMPLEMENTED(s.cos, CosNameValue);
    s.pdModel.size = sizeof(s.pdModel);
    HOST_NOT_IMPLEMENTED(s.pdModel, PDDocGetPermissions);
    HOST_NOT_IMPLEMENTED(s.pdModel, PDDocGetNumPages);
    HOST_NOT_IMPLEMENTED(s.pdModel, PDDocAcquirePage);
    HOST_NOT_IMPLEMENTED(s.pdModel, PDPageRelease);
    HOST_NOT_IMPLEMENTED(s.pdModel, PDPageGetRotate);
    HOST_NOT_IMPLEMENTED(s.pdModel, PDPageGetMediaBox);
    HOST_NOT_IMPLEMENTED(s.pdModel, PDPageGetCropBox);
    HOST_NOT_IMPLEMENTED(s.pdModel, PDDocGetCosDoc);
    HOST_NOT_IMPLEMENTED(s.pdModel, PDPageNotifyContentsDidChangeEx);
    HOST_NOT_IMPLEMENTED(s.pdModel, PDDocGetFile);
    HOST_NOT_IMPLEMENTED(s.pdModel, PDDocGetInfo);
    s.pdfEditRead.size = sizeof(s.pdfEditRead);
    HOST_NOT_IMPLEMENTED(s.pdfEditRead, PDEObjectGetType);
    HOST_NOT_IMPLEMENTED(s.pdfEditRead, PDEContentGetNumElems);
    HOST_NOT_IMPLEMENTED(s.pdfEditRead, PDEContentGetElem);
    HOST_NOT_IMPLEMENTED(s.pdfEditRead, PDEImageGetAttrs);
    HOST_NOT_IMPLEMENTED(s.pdfEditRead, PDEImageGetCosObj);
    s.pdfEditWrite.size = sizeof(s.pdfEditWrite);
    HOST_NOT_IMPLEMENTED(s.pdfEditWrite, PDEContentAddElem);
    HOST_NOT_IMPLEMENTED(s.pdfEditWrite, PDEContentRemoveElem);
    HOST_NOT_IMPLEMENTED(s.pdfEditWrite, PDEAcquire);
    HOST_NOT_IMPLEMENTED(s.pdfEditWrite, PDERelease);
    HOST_NOT_IMPLEMENTED(s.pdfEditWrite, PDETextCreate);
    HOST_NOT_IMPLEMENTED(s.pdfEditWrite, PDETextAdd);
    HOST_NOT_IMPLEMENTED(s.pdfEditWrite, PDEColorSpaceCreateFromName);
    HOST_NOT_IMPLEMENTED(s.pdfEditWrite, PDEColorSpaceCreate);
    HOST_NOT_IMPLEMENTED(s.pdfEditWrite, PDEImageCreate);
    HOST_NOT_IMPLEMENTED(s.pdfEditWrite, PDEExtGStateCreateNew);
    HOST_NOT_IMPLEMENTED(s.pdfEditWrite, PDEExtGStateSetOpacityFill);
    HOST_NOT_IMPLEMENTED(s.pdfEditWrite, PDEElementSetGState);
    HOST_NOT_IMPLEMENTED(s.pdfEditWrite, PDEFontCreateFromSysFont);
    s.pdSysFont.size = sizeof(s.pdSysFont);
    HOST_NOT_IMPLEMENTED(s.pdSysFont, PDFindSysFont);
    s.pagePDEContent.size = sizeof(s.pagePDEContent);
    HOST_NOT_IMPLEMENTED(s.pagePDEContent, PDPageAcquirePDEContent);
    HOST_NOT_IMPLEMENTED(s.pagePDEContent, PDPageSetPDEContent);
    HOST_NOT_IMPLEMENTED(s.pagePDEContent, PDPageReleasePDEContent);
    s.acroView.size = sizeof(s.acroView);
    HOST_NOT_IMPLEMENTED(s.acroView, AVAppGetActiveDoc);
    HOST_NOT_IMPLEMENTED(s.acroView, AVDocGetPDDoc);
    HOST_NOT_IMPLEMENTED(s.acroView, AVAlert);
    HOST_NOT_IMPLEMENTED(s.acroView, AVAlertNote);
    HOST_NOT_IMPLEMENTED(s.acroView, AVAppGetMenubar);
    HOST_NOT_IMPLEMENTED(s.acroView, AVMenubarAcquireMenuByName);
    HOST_NOT_IMPLEMENTED(s.acroView, AVMenuRelease);
    HOST_NOT_IMPLEMENTED(s.acroView, AVMenuItemNew);
    HOST_NOT_IMPLEMENTED(s.acroView, AVMenuItemSetExecuteProc);
    HOST_NOT_IMPLEMENTED(s.acroView, AVMenuItemSetComputeEnabledProc);
    HOST_NOT_IMPLEMENTED(s.acroView, AVMenuAddMenuItem);
    HOST_NOT_IMPLEMENTED(s.acroView, AVMenuItemRelease);
    HOST_NOT_IMPLEMENTED(s.acroView, AVAppGetToolBar);
    HOST_NOT_IMPLEMENTED(s.acroView, AVToolBarGetButtonByName);
    HOST_NOT_IMPLEMENTED(s.acroView, AVToolButtonNew);
    HOST_NOT_IMPLEMENTED(s.acroView, AVToolBarAddButton);
    HOST_NOT_IMPLEMENTED(s.acroView, AVToolButtonSetExecuteProc);
    HOST_NOT_IMPLEMENTED(s.acroView, AVToolButtonSetHelpText);
    s.pdsWrite.size = sizeof(s.pdsWrite);
    s.pdsRead.size = sizeof(s.pdsRead);
    s.win.size = sizeof(s.win);
    s.asExtra.size = sizeof(s.asExtra);
    s.acroViewSweetPea.size = sizeof(s.acroViewSweetPea);
    s.pdMetadata.size = sizeof(s.pdMetadata);
}

} // namespace pdfhost
