#include "stamp/StampMarker.h"

#include "sdk/HostCalls.h"

void StampMarker::Mark(PDEImage image, CosDoc doc) {
    CosObj dict = PDEImageGetCosObj(image);
    CosDictPut(dict, ASAtomFromString(kKey), CosNewName(doc, false, ASAtomFromString(kValue)));
}

bool StampMarker::IsStampImage(PDEElement element) {
    if (PDEObjectGetType(element) != kPDEImage)
        return false;
    CosObj dict = PDEImageGetCosObj(element);
    if (!dict)
        return false;
    const ASInt32 kind = CosObjGetType(dict);
    if (kind != CosStream && kind != CosDict)
        return false;
    CosObj mark = CosDictGet(dict, ASAtomFromString(kKey));
    return mark && CosObjGetType(mark) == CosName && CosNameValue(mark) == ASAtomFromString(kValue);
}
