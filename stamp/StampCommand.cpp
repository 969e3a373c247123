#include "stamp/StampCommand.h"

#include "sdk/HostCalls.h"

void StampCommand() {
    AVDoc view = AVAppGetActiveDoc();
    PDDoc doc = view ? AVDocGetPDDoc(view) : nullptr;
    if (!doc) {
        AVAlertNote("Please open a pdf first");
        return;
    }
    // The run's body (dialog, picture, pages) lands with the stamp engine.
}
