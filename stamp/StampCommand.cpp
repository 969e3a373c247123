#include "stamp/StampCommand.h"

#include <algorithm>
#include <cstdint>
#include <cstdio>
#include <memory>
#include <string>
#include <utility>

#include "image/BitmapScaler.h"
#include "image/JpegHeader.h"
#include "image/TextOverlay.h"
#include "platform/Messages.h"
#include "sdk/HostCalls.h"
#include "settings/InstallPaths.h"
#include "stamp/ImageEmbedding.h"
#include "stamp/PluginObjects.h"
#include "ui/MainStampDialogRun.h"

namespace {

constexpr const char* kDoneMessage = "Done.\nPlease scroll page to show changes.";

PlacementInputs PlacementOf(const StampSettings& s) {
    PlacementInputs p;
    p.widthPdf = s.nImageWidthPdf;
    p.heightPdf = s.nImageHeightPdf;
    p.horizontal = s.nHorizontal;
    p.vertical = s.nVertical;
    p.calcRight = s.bCalcRight;
    p.calcTop = s.bCalcTop;
    p.forcePortrait = s.bForcePortrait;
    return p;
}

// The picture file goes into the document unchanged only when nothing was
// done to it and its bytes really are a JPEG the image object can declare as
// 8-bit DeviceRGB of the embedded size; anything else would be stored broken.
bool EmbedPictureFileDirectly(const StampSettings& s, bool changed) {
    if (changed || s.szImageFileName.find(".jpg") == std::string::npos)
        return false;
    const auto frame = JpegHeader::Probe(s.szImageFileName);
    return frame && JpegHeader::SuitableForDirectEmbedding(*frame, s.nImageWidth, s.nImageHeight);
}

struct PreparedPicture {
    bool changed = false; // text drawn or rescaled
    // The size of the bitmap written, which the image object must declare:
    // a pixel size past 16 bits is scaled to its low 16 bits, so the settings'
    // numbers are not always what the JPEG holds.
    int width = 0;
    int height = 0;
};

// Loads, prepares and writes the picture; false when it cannot be loaded
// (the message is shown here).
bool PreparePicture(const StampSettings& s, const std::string& tempJpg, PreparedPicture& out) {
    PluginObjects& objects = PluginObjects::Get();
    LoadedPicture& picture = objects.picture;
    if (!picture.Load(s.szImageFileName)) {
        platform::Messages::MessageBox("Unable to load image filename", s.szImageFileName);
        return false;
    }
    const PictureRect size = picture.GetSize();
    const platform::DeviceBitmap* bitmap = picture.Bitmap();
    std::unique_ptr<platform::DeviceBitmap> prepared;
    if (s.nTextOnImage != 0) {
        // Drawn at the picture's own size, before scaling, so the text grows
        // and shrinks with the picture.
        TextOnImageDialog& text = objects.dialog.textOnImage;
        const TextOverlay overlay(text.settings, text.OverlayFont(), [&text](std::string t) {
            return text.ExpandTemplate(std::move(t));
        });
        prepared = overlay.DrawTextOnBitmap(*bitmap);
        bitmap = prepared.get();
        out.changed = true;
    }
    if (size.right != s.nImageWidth || size.bottom != s.nImageHeight) {
        prepared = BitmapScaler().ScaleBitmap(*bitmap, s.nImageWidth, s.nImageHeight);
        bitmap = prepared.get();
        out.changed = true;
    }
    // A write that fails must not leave an older picture to be embedded.
    std::remove(tempJpg.c_str());
    if (bitmap) {
        out.width = bitmap->width();
        out.height = bitmap->height();
        objects.jpegWriter.SaveBitmapAsJpeg(tempJpg, *bitmap);
    }
    return true;
}

// Steps 8 to 13 of a run, inside the run's protected block. Returns false
// when the run ends early (its message, if any, already shown).
bool RunProtectedSteps(ASInt32 pageCount, const std::string& tempJpg, RunObjects& run) {
    StampSettings& s = PluginObjects::Get().dialog.settings;

    AVDoc view = AVAppGetActiveDoc();
    if (!view) {
        AVAlert(ALERT_CAUTION, "There is no active document to index.", "OK", nullptr, nullptr,
                true);
        return false;
    }
    PDDoc doc = AVDocGetPDDoc(view);

    if (s.nNth == 0)
        s.nNth = 1;
    const ASInt32 pageBound = std::min(pageCount, s.nEndProc);

    PreparedPicture picture;
    if (!PreparePicture(s, tempJpg, picture))
        return false;

    ImageSpec spec;
    spec.jpegPath = EmbedPictureFileDirectly(s, picture.changed) ? s.szImageFileName : tempJpg;
    spec.pixelWidth = picture.width;
    spec.pixelHeight = picture.height;
    spec.placement = PlacementOf(s);
    CreateImageElement(doc, spec, run);
    if (StepErrorCode() != 0)
        return false;

    ApplyOpacity(run.image, doc, s.nOpacity);

    // 64-bit so that no step can overflow; a negative index reaches the
    // host, which refuses it and ends the run with its error text.
    const bool applyMode = bUndoAvailable;
    for (std::int64_t i = static_cast<std::int64_t>(s.nStartProc) - 1; i < pageBound; i += s.nNth) {
        const auto index = static_cast<ASInt32>(std::max<std::int64_t>(i, INT32_MIN));
        AddEmptyTextElement(doc, index, run);
        UpdatePageImage(index, run.image, applyMode);
    }
    return true;
}

void ApplyFirstRunSettings() {
    PluginObjects& objects = PluginObjects::Get();
    if (!objects.bFirstUse)
        return;
    objects.dialog.ApplyFirstRunValues();
    objects.bFirstUse = false;
    GetInstallPaths();
    InstallPaths::Get().RemoveStaleRunTempJpgs();
    objects.dialog.ReadParameterFile(InstallPaths::Get().szIniPath);
}

// The run's temporary JPEG is only a step on the way into the document; it
// goes on every way out of the run, early ends included, so none is left
// behind in the installation folder.
class TempJpgRemoval {
  public:
    explicit TempJpgRemoval(std::string path) : path_(std::move(path)) {}
    ~TempJpgRemoval() {
        if (!path_.empty())
            std::remove(path_.c_str());
    }
    TempJpgRemoval(const TempJpgRemoval&) = delete;
    TempJpgRemoval& operator=(const TempJpgRemoval&) = delete;

  private:
    std::string path_;
};

} // namespace

void StampCommand() {
    ApplyFirstRunSettings();
    if (RunMainStampDialog(PluginObjects::Get().dialog) != 1)
        return;

    AVDoc view = AVAppGetActiveDoc();
    PDDoc doc = view ? AVDocGetPDDoc(view) : nullptr;
    if (!doc) {
        AVAlertNote("Please open a pdf first");
        return;
    }
    if ((PDDocGetPermissions(doc) & pdPermEdit) == 0) {
        AVAlertNote("PDF Talvane\r\nNo permissions to update PDF, please change permissions in "
                    "'File'-->'Document Security' menu");
        return;
    }
    const ASInt32 pageCount = PDDocGetNumPages(doc);

    RunObjects run;
    StepErrorCode() = 0;

    bool haveFont = true;
    DURING
    CreateTextFont(run);
    HANDLER
    haveFont = false;
    AVAlertNote(("Font or Font Type error!, please see help for font details\n\n" +
                 HostErrorText(ERRORCODE))
                    .c_str());
    END_HANDLER
    if (!haveFont)
        return;

    const std::string tempJpg = InstallPaths::Get().RunTempJpgPath();
    const TempJpgRemoval removal(tempJpg);
    ASErrorCode runError = 0;
    bool reachedEnd = true;
    DURING
    CreateTextGraphicState(run);
    reachedEnd = RunProtectedSteps(pageCount, tempJpg, run);
    HANDLER
    runError = ERRORCODE;
    END_HANDLER
    if (!reachedEnd)
        return;

    run.ReleaseAll();
    if (runError != 0)
        AVAlertNote(HostErrorText(runError).c_str());
    else
        platform::Messages::AppMessageBox(kDoneMessage);
}
